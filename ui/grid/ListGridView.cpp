#include "ui/grid/ListGridView.h"

#include "ui/grid/ListCellDelegate.h"

#include <QPainter>
#include <QPainterPath>

namespace quorvel {

namespace {

// A cartridge outline with a label, light enough that the rows read over it.
QPixmap BackgroundPicture()
{
    constexpr int size = 160;
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0, 0, 0, 18);
    QPainterPath body;
    body.moveTo(20, 10);
    body.lineTo(120, 10);
    body.lineTo(140, 30);
    body.lineTo(140, 150);
    body.lineTo(20, 150);
    body.closeSubpath();
    painter.fillPath(body, ink);
    painter.fillRect(QRect(38, 40, 84, 60), QColor(0, 0, 0, 14));
    for (int x = 34; x <= 122; x += 11)
        painter.fillRect(QRect(x, 132, 6, 18), QColor(0, 0, 0, 22));
    return pixmap;
}

}  // namespace

ListGridView::ListGridView(QWidget* parent) : QTableView(parent), picture_(BackgroundPicture())
{
    setItemDelegate(new ListCellDelegate(this));
}

void ListGridView::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(viewport());
        const QRect area = viewport()->rect();
        painter.drawPixmap(area.right() - picture_.width() - 12, area.bottom() - picture_.height() - 12, picture_);
    }
    QTableView::paintEvent(event);
}

void ListGridView::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    viewport()->update();
}

}  // namespace quorvel
