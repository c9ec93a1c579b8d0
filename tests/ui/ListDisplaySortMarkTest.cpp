#include "model/ListFactory.h"
#include "model/ListTestSupport.h"
#include "support/GlobalsTest.h"
#include "ui/ListDisplay.h"

#include <QHeaderView>
#include <QTableView>

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;

class ListDisplaySortMarkTest : public test::GlobalsTest {};

// After another list is shown, the glyph stands on the column the rows are sorted by.
TEST_F(ListDisplaySortMarkTest, ShowingAnotherListMarksTheColumnItIsSortedBy)
{
    G_ConfigFiles = Dir().string() + "/";
    QTableView grid;
    TListDisplayClass display;
    display.SetTree(&grid);
    auto first = CreateListObject(ltMedia);
    auto second = CreateListObject(ltMedia);
    for (auto* list : {first.get(), second.get()}) {
        list->SetPlatform("Nova");
        AddItem(*list, {{"Title", Text("b")}, {"Mfg", Text("Z")}});
        AddItem(*list, {{"Title", Text("a")}, {"Mfg", Text("Y")}});
    }
    display.SetList(first.get());
    grid.horizontalHeader()->sectionClicked(1);
    display.SetList(second.get());
    display.Resort();
    display.Refresh();
    EXPECT_EQ(display.GetSortField(), "TITLE");
    EXPECT_EQ(grid.horizontalHeader()->sortIndicatorSection(), display.GetSortColumn());
    EXPECT_EQ(display.GetSortColumn(), 0);
    display.SetTree(nullptr);
}

}  // namespace
}  // namespace quorvel
