#include "ui/grid/ListCellDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>

#include <utility>

namespace quorvel {

namespace {

constexpr auto kOwnFeatures = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDecoration |
                              QStyleOptionViewItem::WrapText;

bool HasLineBreak(const QString& text)
{
    for (const QChar c : text)
        if (c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            return true;
    return false;
}

QTextLine LayOutLine(QTextLayout& layout, const QString& text, const QFont& font, const QTextOption& option, int width)
{
    layout.setText(text);
    layout.setFont(font);
    layout.setTextOption(option);
    // Kept after the layout, or drawing shapes the text again.
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid()) {
        line.setLineWidth(width);
        line.setPosition(QPointF(0, 0));
    }
    layout.endLayout();
    return line;
}

}  // namespace

void ListCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    // The style's text area is the whole cell only where selection covers the whole cell.
    if ((cell.features & kOwnFeatures) || !cell.showDecorationSelected || HasLineBreak(cell.text)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    const QWidget* widget = cell.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const QString text = std::exchange(cell.text, QString());
    const bool hasText = (cell.features & QStyleOptionViewItem::HasDisplay) && !text.isEmpty();
    // The style draws the background, the selection and the focus frame; without a text it shapes none.
    cell.features &= ~QStyleOptionViewItem::HasDisplay;
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
    if (!hasText)
        return;

    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect textRect = cell.rect.adjusted(margin, 0, -margin, 0);
    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(cell.direction);
    textOption.setAlignment(QStyle::visualAlignment(cell.direction, cell.displayAlignment));
    QTextLayout layout;
    const QTextLine line = LayOutLine(layout, text, cell.font, textOption, textRect.width());
    const QSize height = layout.boundingRect().size().toSize();
    const QPointF at(textRect.x(),
                     QStyle::alignedRect(Qt::LayoutDirectionAuto, cell.displayAlignment, height, textRect).top());
    // A text too wide is cut with an ellipsis and laid out anew, aligned as the whole one would be.
    QTextLayout elided;
    if (line.naturalTextWidth() > textRect.width())
        LayOutLine(elided, QFontMetrics(cell.font).elidedText(text, cell.textElideMode, textRect.width()), cell.font,
                   textOption, textRect.width());

    QPalette::ColorGroup group = cell.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(cell.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const bool selected = cell.state & QStyle::State_Selected;
    painter->save();
    painter->setClipRect(cell.rect);
    painter->setPen(cell.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
    (elided.text().isEmpty() ? layout : elided).draw(painter, at);
    painter->restore();
}

}  // namespace quorvel
