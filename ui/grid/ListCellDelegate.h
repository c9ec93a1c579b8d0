#pragma once

#include <QStyledItemDelegate>

namespace quorvel {

// Paints the grid's cells pixel for pixel as the standard delegate does, with the text shaped once
// instead of three times: the style measures a cell's text, lays it out to elide it, and lays it out
// again to draw it, which made the texts half of a window's paint. The style draws the cell without
// its text; the text is laid out here and drawn from that layout (a text too wide is laid out once
// more, elided). A cell with a check box or a text of several lines is left to the standard delegate.
class ListCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace quorvel
