#include "ui/dialogs/FieldOrderForm.h"
#include "support/qt/FakeServices.h"

#include <QAbstractButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace quorvel {
namespace {

class FieldOrderFormTest : public ::testing::Test {
protected:
    // Columns A, B, C, ... handed in with the given orders.
    void Hand(const std::vector<int32_t>& orders)
    {
        TColumnListClass source;
        for (size_t i = 0; i < orders.size(); ++i)
            source.Add({std::string(1, char('A' + i)), 75, "F" + std::to_string(i), orders[i], false, 0});
        form.SetColumns(source);
    }
    // Each returned column as name, order, "h" when hidden, and justification.
    std::string Result() const
    {
        TColumnListClass dest;
        form.GetColumns(dest);
        std::string s;
        for (const auto& c : dest.Columns)
            s += c->Name + std::to_string(c->Order) + (c->Hidden ? "h" : "") + std::to_string(c->Justification) + " ";
        return s;
    }
    QTableView* View() const { return form.findChild<QTableView*>("ColumnList"); }
    QModelIndex Row(int row) const { return View()->model()->index(row, 0); }
    int Selected() const { return View()->currentIndex().row(); }
    void Click(const char* name) { form.findChild<QAbstractButton*>(name)->click(); }

    test::FakeServices fake;
    TFieldOrderForm form;
};

TEST_F(FieldOrderFormTest, MovesExchangeNeighboursAndRenumberGappedOrders)
{
    struct Case {
        int select;  // -1: nothing selected
        const char* button;
        const char* result;
        int selectedAfter;
    };
    const Case cases[] = {
        {2, "MoveUpButton", "A00 C10 B20 D30 ", 1},  {1, "MoveDownButton", "A00 C10 B20 D30 ", 2},
        {0, "MoveUpButton", "A00 B10 C20 D30 ", 0},  {3, "MoveDownButton", "A00 B10 C20 D30 ", 3},
        {-1, "MoveUpButton", "A00 B10 C20 D30 ", 0}, {-1, "MoveDownButton", "A00 B10 C20 D30 ", 3},
    };
    for (const auto& c : cases) {
        Hand({10, 10, 30, 40});  // gaps and repeats, as a hand-edited section may hold
        View()->clearSelection();
        if (c.select >= 0)
            View()->selectRow(c.select);
        Click(c.button);
        EXPECT_EQ(Result(), c.result) << c.select << c.button;
        EXPECT_EQ(Selected(), c.selectedAfter) << c.select << c.button;
    }
    Hand({2, 0, 1});
    EXPECT_EQ(Result(), "B00 C10 A20 ");
    Hand({});
    Click("MoveUpButton");
    Click("MoveDownButton");
    EXPECT_EQ(Selected(), -1);
}

TEST_F(FieldOrderFormTest, EditsReachTheCopyOnly)
{
    TColumnListClass source;
    source.Add({"Title", 100, "TITLE", 0, false, 2});
    source.Add({"Mfg", 80, "MFG", 1, true, INT32_MAX});
    form.SetColumns(source);
    EXPECT_EQ(View()->model()->index(1, 1).data().toString(), "Left");

    // Double-click turns the selected row's justification: Right -> Left -> Center; out of range -> Left.
    View()->selectRow(0);
    emit View()->doubleClicked(Row(0));
    EXPECT_EQ(View()->model()->index(0, 1).data().toString(), "Left");
    emit View()->doubleClicked(Row(0));
    EXPECT_EQ(View()->model()->index(0, 1).data().toString(), "Center");
    View()->selectRow(1);
    emit View()->doubleClicked(Row(1));

    View()->model()->setData(Row(0), "Game", Qt::EditRole);
    Click("CheckAllButton");
    EXPECT_EQ(Result(), "Game01 Mfg10 ");
    Click("UnCheckAllButton");
    EXPECT_EQ(Result(), "Game0h1 Mfg1h0 ");
    View()->model()->setData(Row(0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(Result(), "Game01 Mfg1h0 ");

    TColumnListClass dest;
    form.GetColumns(dest);
    EXPECT_EQ(dest.GetColumn(0)->Field + source.GetColumn(0)->Name, "TITLETitle");  // the caller's set is untouched
}

}  // namespace
}  // namespace quorvel
