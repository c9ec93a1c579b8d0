#include "ui/reports/ChartWidget.h"

#include "reports/ChartPainter.h"

#include <QPainter>

namespace quorvel {

TChartWidget::TChartWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TChartWidget::SetData(ChartData data)
{
    data_ = std::move(data);
    // The maker's site is read from its file with each new chart, not at every paint.
    foot_ = ChartFootText();
    update();
}

void TChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintChart(painter, QRectF(rect()), data_, foot_);
}

}  // namespace quorvel
