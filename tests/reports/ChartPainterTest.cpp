#include "reports/ChartPainter.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel {
namespace {

ChartData Sample(std::vector<double> values)
{
    ChartData d {"Title", TChartMarksStyle::Percent, {}};
    for (double v : values)
        d.Points.push_back({v, "", "Bar " + std::to_string(d.Points.size()), PaletteColor(d.Points.size() + 1)});
    return d;
}

// Each bar is drawn in its colour, as long as its value says, from the zero line.
TEST(ChartPainterTest, BarsShowTheirColourAndProportionalLength)
{
    for (const auto& values : {std::vector<double> {4, 2, 0, 1, 3.5}, std::vector<double> {-2, 5}}) {
        const ChartData d = Sample(values);
        const QSize size(500, 320);
        const QImage image = RenderChartImage(d, size);
        const ChartLayout layout = LayoutChart(QRectF(QPointF(0, 0), QSizeF(size)), d);
        ASSERT_EQ(layout.Bars.size(), values.size());
        for (size_t i = 0; i < values.size(); ++i) {
            const QRectF& bar = layout.Bars[i];
            EXPECT_NEAR(bar.width(), std::abs(values[i]) * layout.Scale, 1e-6);
            if (values[i] == 0)
                continue;
            const QColor fill(d.Points[i].Color.R, d.Points[i].Color.G, d.Points[i].Color.B);
            const int y = static_cast<int>(bar.center().y());
            EXPECT_EQ(image.pixelColor(static_cast<int>(bar.center().x()), y), fill) << i;
            // Measured on the picture: the run of the bar's colour along its middle row.
            const int step = values[i] > 0 ? 1 : -1;
            int x = static_cast<int>(layout.ZeroX) + 2 * step;
            int length = 2;
            while (image.pixelColor(x, y) == fill)
                x += step, ++length;
            EXPECT_NEAR(length, std::abs(values[i]) * layout.Scale, 1.5) << i;
        }
    }
}

// Hundreds of bars: every one is drawn, the names shown keep a line each inside the plot.
TEST(ChartPainterTest, NamesThinOutWhenBarsAreThin)
{
    const ChartData d = Sample(std::vector<double>(300, 1));
    const ChartLayout layout = LayoutChart(QRectF(0, 0, 640, 400), d);
    ASSERT_EQ(layout.Bars.size(), 300u);
    double last = -100;
    int shown = 0;
    for (size_t i = 0; i < 300; ++i) {
        if (!layout.LabelShown[i])
            continue;
        const double y = layout.Bars[i].center().y();
        EXPECT_GE(y - last, 12) << i;
        EXPECT_GE(y - 6, layout.PlotRect.top());
        EXPECT_LE(y + 6, layout.PlotRect.bottom());
        last = y;
        ++shown;
    }
    EXPECT_GT(shown, 10);
}

}  // namespace
}  // namespace quorvel
