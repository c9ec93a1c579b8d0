#pragma once

#include <QPageLayout>
#include <QRectF>
#include <QSize>
#include <QString>

#include <vector>

#include "reports/ChartData.h"

class QImage;
class QPainter;
class QPrinter;

namespace quorvel {

// Where the parts of a chart go inside the rectangle it is drawn in. Labels and marks that would
// overlap their neighbours are left out (every bar is drawn).
struct ChartLayout {
    QRectF TitleRect;
    QRectF PlotRect;  // bars, their labels and marks
    QRectF FootRect;
    double ZeroX = 0;          // where a bar of value 0 starts
    double Scale = 0;          // pixels per unit of value
    double Low = 0, High = 0;  // the values the bar area spans
    bool WholeValues = false;  // counts: no fractions on the value axis
    std::vector<QRectF> Bars;
    std::vector<bool> LabelShown;  // per bar; the mark is shown with its label
    int LabelColumnWidth = 0;
};

ChartLayout LayoutChart(const QRectF& rect, const ChartData& data);

// Draws the whole chart into Rect: title, bars with labels and marks, value axis and foot. The screen,
// the bitmap and the printer all draw through this; sizes are in the painter's logical pixels. Foot is
// ChartFootText(), read by the caller once rather than from its file at every paint.
void PaintChart(QPainter& painter, const QRectF& rect, const ChartData& data, const QString& foot);

// The chart on white at that size.
QImage RenderChartImage(const ChartData& data, const QSize& size);

// Writes the chart on white at that size as a Windows bitmap, replacing the file whole.
// Throws FileWriteError.
void SaveChartBitmap(const ChartData& data, const QSize& size, const QString& fileName);

// Prints the chart on the page in that orientation, scaled so that LogicalWidth pixels fill the
// page's width. Throws std::runtime_error when the printer fails.
void PrintChart(QPrinter& printer, const ChartData& data, QPageLayout::Orientation orientation, int logicalWidth);

// The two lines at the foot of every chart, with the configured maker's site.
QString ChartFootText();

}  // namespace quorvel
