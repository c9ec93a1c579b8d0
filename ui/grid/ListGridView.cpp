#include "ui/grid/ListGridView.h"

#include "ui/grid/ListCellDelegate.h"

#include <QApplication>
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

bool IsPrintable(const QString& text)
{
    for (const QChar c : text)
        if (!c.isPrint())
            return false;
    return true;
}

}  // namespace

ListGridView::ListGridView(QWidget* parent) : QTableView(parent), picture_(BackgroundPicture())
{
    setItemDelegate(new ListCellDelegate(this));
}

bool ListGridView::SearchUnderWay() const
{
    return !searchText_.isEmpty() &&
        clock_() - lastTyped_ <= std::chrono::milliseconds(QApplication::keyboardInputInterval());
}

void ListGridView::keyboardSearch(const QString& search)
{
    if (search.isEmpty()) {
        searchText_.clear();
        return;
    }
    // Escape, Backspace and the like are no part of a title.
    if (!IsPrintable(search))
        return;
    const bool goesOn = SearchUnderWay();
    searchText_ = goesOn ? searchText_ + search : search;
    lastTyped_ = clock_();
    QAbstractItemModel* rows = model();
    if (!rows || rows->rowCount() == 0 || rows->columnCount() == 0)
        return;
    // One key typed again and again ("ddd") steps through the rows that begin with it.
    const bool sameKey = searchText_.size() > 1 && searchText_.count(searchText_.back()) == searchText_.size();
    const QString sought = sameKey ? searchText_.right(1) : searchText_;
    QModelIndex start = currentIndex().isValid() ? currentIndex() : rows->index(0, 0);
    // A new search leaves the current row, so that typing its first letter again finds the next one.
    if ((!goesOn || sameKey) && currentIndex().isValid())
        start = rows->index(start.row() + 1 < rows->rowCount() ? start.row() + 1 : 0, start.column());
    const QModelIndexList found = rows->match(start, Qt::DisplayRole, sought);
    if (!found.isEmpty())
        setCurrentIndex(found.first());
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
