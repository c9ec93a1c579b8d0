#pragma once

#include <QWidget>

#include "reports/ChartData.h"

namespace quorvel {

// The chart area of the chart window: one series of horizontal bars, drawn by PaintChart.
class TChartWidget : public QWidget {
    Q_OBJECT

public:
    explicit TChartWidget(QWidget* parent = nullptr);

    const ChartData& Data() const { return data_; }
    void SetData(ChartData data);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ChartData data_;
    QString foot_;
};

}  // namespace quorvel
