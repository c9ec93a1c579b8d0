#include "ui/UiScale.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QImage>
#include <QLayout>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QTableView>

#include <algorithm>
#include <cmath>
#include <optional>

namespace quorvel {

namespace {

std::optional<double> g_scale;

}  // namespace

double UiScaleFor(const QFont& font)
{
    // A paint device of 96 dots per inch measures the reference font as the sizes' own screen did.
    QImage device(1, 1, QImage::Format_RGB32);
    const int dotsPerMeter = int(std::lround(96 / 0.0254));
    device.setDotsPerMeterX(dotsPerMeter);
    device.setDotsPerMeterY(dotsPerMeter);
    QFont reference(font);
    reference.setPointSizeF(8);
    const QFontMetricsF designed(reference, &device);
    const QFontMetricsF desktop(font);
    double scale = 1;
    if (designed.averageCharWidth() > 0)
        scale = std::max(scale, desktop.averageCharWidth() / designed.averageCharWidth());
    if (designed.height() > 0)
        scale = std::max(scale, desktop.height() / designed.height());
    return scale;
}

double UiScale()
{
    if (!g_scale)
        g_scale = UiScaleFor(QApplication::font());
    return *g_scale;
}

void RetakeUiScale() { g_scale.reset(); }

int Scaled(int designPixels) { return int(std::lround(designPixels * UiScale())); }

QSize Scaled(int designWidth, int designHeight) { return {Scaled(designWidth), Scaled(designHeight)}; }

int HeaderWidthFor(const QHeaderView& header, const QString& caption)
{
    QStyleOptionHeader option;
    option.initFrom(&header);
    option.text = caption;
    option.section = 0;
    option.orientation = header.orientation();
    option.sortIndicator = QStyleOptionHeader::SortDown;
    // Measured in bold, as the header measures its sections: a highlighted section must fit too.
    QFont bold = header.font();
    bold.setBold(true);
    option.fontMetrics = QFontMetrics(bold);
    return header.style()->sizeFromContents(QStyle::CT_HeaderSection, &option, QSize(), &header).width();
}

int CaptionWidthFor(const QString& caption)
{
    // The platform theme's title-bar font, where it names one; many desktops draw it bold.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    // The icon and up to three buttons, each about as wide as the bar is high (two lines of text).
    return metrics.horizontalAdvance(caption) + 4 * 2 * metrics.height();
}

int GridHeightFor(const QTableView& grid, int rows)
{
    const int rowHeight = grid.verticalHeader()->defaultSectionSize();
    // A header with no columns yet reports no height: it takes a row's.
    const int headerHeight = std::max(grid.horizontalHeader()->sizeHint().height(), rowHeight);
    return rows * rowHeight + headerHeight + grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid) +
        2 * grid.frameWidth();
}

QSize LayoutSizeWith(const QWidget& window, QWidget& part, const QSize& wanted)
{
    const QSize minimum = part.minimumSize();
    part.setMinimumSize(minimum.expandedTo(wanted));
    const QSize size = window.layout() ? window.layout()->totalMinimumSize() : window.minimumSizeHint();
    part.setMinimumSize(minimum);
    return size;
}

}  // namespace quorvel
