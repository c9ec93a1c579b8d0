#include "ui/window/ListTabBar.h"

#include <QPainter>

namespace quorvel {

ListTabBar::ListTabBar(QWidget* parent) : QTabBar(parent)
{
    setDrawBase(false);
    setExpanding(false);
    setUsesScrollButtons(true);
    setElideMode(Qt::ElideNone);
    setFixedHeight(21);
}

void ListTabBar::Remeasure()
{
    // Setting a text lets the bar lay its tabs out again.
    for (int i = 0; i < count(); ++i)
        setTabText(i, tabText(i));
    update();
}

void ListTabBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!drawTab) {
        painter.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    for (int i = 0; i < count(); ++i) {
        const QRect r = tabRect(i);
        if (r.intersects(rect()))
            drawTab(painter, r, i, i == currentIndex());
    }
}

QSize ListTabBar::tabSizeHint(int index) const
{
    const QSize base = QTabBar::tabSizeHint(index);
    const int width = measureTab ? measureTab(index, base.width()) : base.width();
    return QSize(width, 21);
}

QSize ListTabBar::minimumTabSizeHint(int index) const { return tabSizeHint(index); }

}  // namespace quorvel
