#include "ui/reports/ChartWidget.h"

#include "reports/ChartPainter.h"

#include <QPainter>

namespace quorvel {

TChartWidget::TChartWidget(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TChartWidget::SetData(ChartData data)
{
    data_ = std::move(data);
    update();
}

void TChartWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    PaintChart(painter, QRectF(rect()), data_);
}

}  // namespace quorvel
