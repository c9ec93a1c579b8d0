#include "ui/grid/ListCellDelegate.h"

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStandardItemModel>
#include <QStyledItemDelegate>
#include <QTableView>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

struct Cell {
    QString text;
    Qt::Alignment alignment;
};

// The cells alone: the headers' look follows the current cell, not the delegate.
QImage Paint(QTableView& view, QAbstractItemDelegate* delegate)
{
    view.setItemDelegate(delegate);
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    view.viewport()->render(&image);
    return image;
}

// The grid's cells must look exactly as the standard delegate paints them.
TEST(ListCellDelegateTest, CellsLookAsTheStandardDelegatePaintsThem)
{
    const Qt::Alignment left = Qt::AlignLeft | Qt::AlignVCenter;
    const Qt::Alignment centre = Qt::AlignHCenter | Qt::AlignVCenter;
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    const std::vector<std::vector<Cell>> rows = {
        {{"Starfall Rally", left}, {"1", right}, {"Yes", centre}, {"Orbwerk", left}},
        {{"A title far too long for its column, elided at its end", left}, {"123456789012345", right},
         {"", centre}, {QString::fromUtf8("Café Ünter Ägir"), left}},
        {{"Two\nlines", left}, {"7", centre}, {"No", right}, {" spaced ", left}},
        {{"Wide centred text that does not fit", centre}, {"-3", left}, {"Maybe", centre}, {"x", right}},
        {{"Right-aligned text too wide for it", right}, {"", left}, {"Centred text far too wide", centre}, {"…", left}},
    };
    for (const bool checkBoxes : {false, true}) {
        SCOPED_TRACE(checkBoxes ? "with check boxes" : "without check boxes");
        QStandardItemModel model(int(rows.size()), 4);
        for (int r = 0; r < int(rows.size()); ++r)
            for (int c = 0; c < 4; ++c) {
                auto* item = new QStandardItem(rows[size_t(r)][size_t(c)].text);
                item->setTextAlignment(rows[size_t(r)][size_t(c)].alignment);
                if (checkBoxes && c == 0) {
                    item->setCheckable(true);
                    item->setCheckState(r % 2 ? Qt::Checked : Qt::Unchecked);
                }
                model.setItem(r, c, item);
            }
        QTableView view;
        view.setModel(&model);
        view.setWordWrap(false);
        view.setSelectionBehavior(QAbstractItemView::SelectRows);
        view.setSelectionMode(QAbstractItemView::ExtendedSelection);
        view.resize(420, 160);
        for (int c = 0; c < 4; ++c)
            view.setColumnWidth(c, 90);
        view.grab();  // lays the view out: its viewport gets its size
        view.selectRow(1);
        view.selectionModel()->select(model.index(3, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
        for (const bool grid : {true, false}) {
            SCOPED_TRACE(grid ? "grid lines" : "no grid lines");
            view.setShowGrid(grid);
            QStyledItemDelegate standard;
            ListCellDelegate own;
            const QImage expected = Paint(view, &standard);
            const QImage painted = Paint(view, &own);
            EXPECT_TRUE(painted == expected);
            view.setItemDelegate(nullptr);
        }
    }
}

}  // namespace
}  // namespace quorvel
