#pragma once

#include <QStyledItemDelegate>

namespace quorvel {

// Paints the grid's cells as the standard delegate does, with the text shaped once instead of three
// times: the style measures a cell's text, lays it out to elide it, and lays it out again to draw it,
// which made the text half of a window's paint. A text that fits is laid out here and drawn from that
// layout; a cell with a check box, a text that must be elided or one of several lines is left to the
// standard delegate, pixel for pixel as before.
class ListCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quorvel
