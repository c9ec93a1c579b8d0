#pragma once

#include <QSize>

class QFont;
class QHeaderView;
class QString;
class QTableView;
class QWidget;

namespace quorvel {

// The windows' pixel sizes were drawn for a 96-dpi screen and an 8-point font. One factor, taken
// from the desktop font, brings those default sizes to the desktop's text; sizes the user stored
// (placement, column widths, layout files) are used as stored.

// The larger of Font's average character width and line height against the same family at
// 8 points on a 96-dpi screen, never below 1.
double UiScaleFor(const QFont& font);
// The application font's factor, taken at the first call.
double UiScale();
// Takes the factor again from the application font (after the font changed).
void RetakeUiScale();

int Scaled(int designPixels);
QSize Scaled(int designWidth, int designHeight);

// The width a column of Header needs to show Caption whole, with room for the sort mark.
int HeaderWidthFor(const QHeaderView& header, const QString& caption);
// The width a window needs so that its title bar shows Caption whole in the desktop's title font,
// with room for the window's icon and buttons.
int CaptionWidthFor(const QString& caption);
// The height Grid needs to show Rows rows under its header, with room for a horizontal scroll bar.
int GridHeightFor(const QTableView& grid, int rows);
// The least size of Window's layout when Part is at least Wanted; Part's own minimum stays as it was.
QSize LayoutSizeWith(const QWidget& window, QWidget& part, const QSize& wanted);

}  // namespace quorvel
