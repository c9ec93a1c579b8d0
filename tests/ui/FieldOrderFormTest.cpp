#include "support/qt/FakeServices.h"
#include "ui/FieldOrderForm.h"

#include <QAbstractItemModel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvel {
namespace {

struct Col {
    std::string name;
    int32_t order;
    bool hidden;
    int32_t justification;
    bool operator==(const Col&) const = default;
};

class FieldOrderFormTest : public ::testing::Test {
protected:
    // Columns A, B, C, D handed in with the given orders.
    void Hand(std::vector<int32_t> orders)
    {
        TColumnListClass source;
        for (size_t i = 0; i < orders.size(); ++i) {
            TColumnClass c;
            c.Name = std::string(1, char('A' + i));
            c.Field = "F" + c.Name;
            c.Order = orders[i];
            source.Add(c);
        }
        form.SetColumns(source);
    }

    std::vector<Col> Result() const
    {
        TColumnListClass dest;
        form.GetColumns(dest);
        std::vector<Col> cols;
        for (const auto& c : dest.Columns)
            cols.push_back({c->Name, c->Order, c->Hidden, c->Justification});
        return cols;
    }

    std::string Names() const
    {
        std::string s;
        for (const auto& c : Result())
            s += c.name;
        return s;
    }

    QTableView* View() const { return form.findChild<QTableView*>("ColumnList"); }
    QAbstractItemModel* Model() const { return View()->model(); }
    int Selected() const
    {
        const auto rows = View()->selectionModel()->selectedRows();
        return rows.isEmpty() ? -1 : rows.first().row();
    }
    void Select(int row) { View()->selectRow(row); }
    void Click(const char* name) { form.findChild<QAbstractButton*>(name)->click(); }

    test::FakeServices fake;
    TFieldOrderForm form;
};

TEST_F(FieldOrderFormTest, MovesExchangeNeighboursAndRenumberFromGappedOrders)
{
    struct Case {
        const char* what;
        int select;  // -1: nothing selected
        const char* button;
        const char* names;
        int selectedAfter;
    };
    const Case cases[] = {
        {"up from the middle", 2, "MoveUpButton", "ACBD", 1},
        {"down from the middle", 1, "MoveDownButton", "ACBD", 2},
        {"first row up stays", 0, "MoveUpButton", "ABCD", 0},
        {"last row down stays", 3, "MoveDownButton", "ABCD", 3},
        {"up with nothing selected selects the first", -1, "MoveUpButton", "ABCD", 0},
        {"down with nothing selected selects the last", -1, "MoveDownButton", "ABCD", 3},
    };
    for (const auto& c : cases) {
        Hand({10, 10, 30, 40});  // gaps and repeats, as a hand-edited section may hold
        View()->clearSelection();
        if (c.select >= 0)
            Select(c.select);
        Click(c.button);
        EXPECT_EQ(Names(), c.names) << c.what;
        EXPECT_EQ(Selected(), c.selectedAfter) << c.what;
        const auto cols = Result();
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(cols[size_t(i)].order, i) << c.what;
    }
}

TEST_F(FieldOrderFormTest, SetColumnsSortsByOrderAndEmptySetIgnoresMoves)
{
    Hand({2, 0, 1});
    EXPECT_EQ(Names(), "BCA");
    Hand({});
    Click("MoveUpButton");
    Click("MoveDownButton");
    EXPECT_TRUE(Result().empty());
    EXPECT_EQ(Selected(), -1);
}

TEST_F(FieldOrderFormTest, EditsReachTheCopyAndCallerSetStaysUntouched)
{
    TColumnListClass source;
    source.Add({"Title", 100, "TITLE", 0, false, 2});
    source.Add({"Mfg", 80, "MFG", 1, true, 0});
    form.SetColumns(source);

    // Double-click cycles Right -> Left -> Center on the selected row.
    Select(0);
    const QModelIndex first = Model()->index(0, 0);
    emit View()->doubleClicked(first);
    EXPECT_EQ(Model()->index(0, 1).data().toString(), "Left");
    emit View()->doubleClicked(first);
    EXPECT_EQ(Model()->index(0, 1).data().toString(), "Center");

    Model()->setData(first, "Game", Qt::EditRole);
    Click("CheckAllButton");
    EXPECT_EQ(Result(), (std::vector<Col>{{"Game", 0, false, 1}, {"Mfg", 1, false, 0}}));
    Click("UnCheckAllButton");
    Model()->setData(Model()->index(0, 0), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(Result(), (std::vector<Col>{{"Game", 0, false, 1}, {"Mfg", 1, true, 0}}));

    TColumnListClass dest;
    form.GetColumns(dest);
    EXPECT_EQ(dest.GetColumn(0)->Field, "TITLE");  // the caption changed, not the field
    EXPECT_EQ(source.GetColumn(0)->Name, "Title");
    EXPECT_EQ(source.GetColumn(0)->Justification, 2);
}

TEST_F(FieldOrderFormTest, JustificationTextsAndOutOfRangeValues)
{
    EXPECT_STREQ(TFieldOrderForm::JustificationText(0), "Left");
    EXPECT_STREQ(TFieldOrderForm::JustificationText(1), "Center");
    EXPECT_STREQ(TFieldOrderForm::JustificationText(2), "Right");
    EXPECT_STREQ(TFieldOrderForm::JustificationText(7), "Left");
    TColumnListClass source;
    source.Add({"X", 75, "X", 0, false, INT32_MAX});
    form.SetColumns(source);
    Select(0);
    emit View()->doubleClicked(Model()->index(0, 0));
    EXPECT_EQ(Result()[0].justification, 0);
}

TEST_F(FieldOrderFormTest, OkAndCancelCloseWithTheirResults)
{
    Hand({0, 1});
    fake.dialogAnswers.push_back([this](QDialog& d) {
        Click("OkButton");
        return d.result();
    });
    EXPECT_EQ(ExecDialog(form), QDialog::Accepted);
    EXPECT_EQ(form.windowTitle(), "Field Order");
    fake.dialogAnswers.push_back([this](QDialog& d) {
        Click("CancelButton");
        return d.result();
    });
    EXPECT_EQ(ExecDialog(form), QDialog::Rejected);
}

}  // namespace
}  // namespace quorvel
