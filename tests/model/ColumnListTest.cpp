#include <gtest/gtest.h>

#include "model/ColumnList.h"
#include "model/ItemClasses.h"
#include "platform/IniFile.h"
#include "support/TempDir.h"

namespace quorvel {
namespace {

// Field and name of every column, in set order.
std::vector<std::string> Fields(const TColumnListClass& set)
{
    std::vector<std::string> fields;
    for (const auto& c : set.Columns)
        fields.push_back(c->Field);
    return fields;
}

class ColumnListTest : public test::TempDirTest {
protected:
    TCartClass item_;
};

TEST_F(ColumnListTest, TemplateGivesOneColumnPerField)
{
    TColumnListClass set;
    set.SetTemplate(&item_);
    // Widths, orders and flags of a fresh set are held by the saved section's exact text.
    EXPECT_EQ(Fields(set), MediaFieldSet().Names());
    EXPECT_EQ(set.GetColumn(3)->Name, "Box Sealed");
    set.SetTemplate(static_cast<const TBaseCustomClass*>(nullptr));
    EXPECT_EQ(set.Count(), 0);
    EXPECT_THROW(set.GetColumn(0), ListIndexError);
}

TEST_F(ColumnListTest, LoadOverlaysSavedColumns)
{
    // The section, the fields after the defaults that stay in place, how many defaults stay.
    const std::tuple<const char*, std::string, std::vector<std::string>, size_t> cases[] = {
        {"NoSection", "", {}, 25},
        {"NoCount", "Name0=Notes\nField0=Notes\n", {}, 25},
        {"NotesThenTitle",
         "Count=2\nName0=My Notes\nField0=NOTES\nWidth0=200\nOrder0=0\nHidden0=1\n"
         "Justification0=2\nName1=Title\nField1=title\n",
         {"NOTES", "title"},
         23},
        {"UnknownFieldDropped", "Count=2\nName0=x\nField0=Nothing\nName1=Cost\nField1=COST\n", {"COST"}, 24},
        {"NoFieldKeyDropped", "Count=1\nName0=x\n", {}, 25},
        {"UnknownNameSkipped", "Count=1\nName0=<unknown>\nField0=TITLE\n", {}, 25},
        {"LaterDuplicateWins",
         "Count=3\nName0=a\nField0=NOTES\nName1=b\nField1=COST\nName2=c\nField2=notes\n",
         {"COST", "notes"},
         23},
        {"EntriesAtOrAboveCountIgnored", "Count=1\nName0=a\nField0=NOTES\nName1=b\nField1=COST\n", {"NOTES"}, 24},
        {"FirstKeyOfANameWins", "count=0x2\nFIELD1=COST\nName1=b\nfield1=NOTES\nCount=0\n", {"COST"}, 24},
        {"HugeCountCostsNothing", "Count=2000000000\nName7=a\nField7=NOTES\nName07=b\nField07=COST\n", {"NOTES"}, 24},
    };
    for (const auto& [name, section, tail, defaults] : cases) {
        WriteFile("Cols.INI", "[Other]\nCount=1\nName0=z\nField0=TITLE\n[Grid]\n" + section);
        TColumnListClass set;
        set.SetTemplate(&item_);
        set.LoadFromIni(PathOf("Cols.INI"), "Grid");
        ASSERT_EQ(set.Count(), static_cast<int32_t>(defaults + tail.size())) << name;
        const auto fields = Fields(set);
        EXPECT_EQ(std::vector<std::string>(fields.begin() + static_cast<long>(defaults), fields.end()), tail) << name;
    }
    WriteFile("Cols.INI", "[Grid]\nCount=2\nName0=My Notes\nField0=NOTES\nWidth0=200\nHidden0=1\nJustification0=2\n");
    TColumnListClass set;
    set.SetTemplate(&item_);
    set.LoadFromIni(PathOf("Cols.INI"), "Grid");
    const TColumnClass& notes = *set.GetColumn(set.IndexOfField("notes"));
    EXPECT_EQ(notes.Name, "My Notes");
    EXPECT_EQ(notes.Width, 200);
    EXPECT_EQ(notes.Order, 0);
    EXPECT_TRUE(notes.Hidden);
    EXPECT_EQ(notes.Justification, 2);

    TColumnListClass noTemplate;
    noTemplate.LoadFromIni(PathOf("Cols.INI"), "Grid");
    EXPECT_EQ(noTemplate.Count(), 0);
}

TEST_F(ColumnListTest, SaveReplacesTheWholeSection)
{
    WriteFile("Cols.INI", "[Grid]\nCount=5\nName4=old\nField4=NOTES\nStray=1\n[Keep]\nA=1\n");
    TColumnListClass set;
    set.SetTemplate(&item_);
    while (set.Count() > 3)
        set.Delete(set.Count() - 1);
    set.GetColumn(0)->Order = 7;
    set.GetColumn(1)->Hidden = true;
    set.GetColumn(2)->Justification = 1;
    set.SaveToIni(PathOf("Cols.INI"), "Grid");
    EXPECT_EQ(ReadFile("Cols.INI"),
              "[Grid]\r\nCount=3\r\n"
              "Name0=Title\r\nWidth0=75\r\nField0=TITLE\r\nOrder0=0\r\nHidden0=0\r\nJustification0=0\r\n"
              "Name1=Mfg\r\nWidth1=75\r\nField1=MFG\r\nOrder1=1\r\nHidden1=1\r\nJustification1=0\r\n"
              "Name2=Boxed\r\nWidth2=75\r\nField2=BOXED\r\nOrder2=2\r\nHidden2=0\r\nJustification2=1\r\n"
              "CustomHeader=1\r\n[Keep]\r\nA=1\r\n");
}

TEST_F(ColumnListTest, SavedOrderSurvivesALoad)
{
    TColumnListClass set;
    set.SetTemplate(&item_);
    set.GetColumn(0)->Order = 30;  // Title last
    set.GetColumn(5)->Order = -1;  // Overlay first
    set.SortByOrder();
    set.SaveToIni(PathOf("Cols.INI"), "Grid");
    TColumnListClass back;
    back.SetTemplate(&item_);
    back.LoadFromIni(PathOf("Cols.INI"), "Grid");
    back.SortByOrder();
    EXPECT_EQ(Fields(back), Fields(set));
    EXPECT_EQ(back.GetColumn(0)->Field, "OVERLAY");
    EXPECT_EQ(back.GetColumn(24)->Field, "TITLE");
}

// Any stored Hidden other than 0 hides the column, as a yes/no value reads; none shows it.
TEST_F(ColumnListTest, AnyNonZeroHiddenHides)
{
    const std::pair<const char*, bool> cases[] = {
        {"Hidden0=0\n", false}, {"Hidden0=1\n", true}, {"Hidden0=-1\n", true}, {"Hidden0=2\n", true}, {"", false}};
    for (const auto& [line, hidden] : cases) {
        WriteFile("Cols.INI", std::string("[Grid]\nCount=1\nName0=Notes\nField0=NOTES\n") + line);
        TColumnListClass set;
        set.SetTemplate(&item_);
        set.LoadFromIni(PathOf("Cols.INI"), "Grid");
        const int32_t notes = set.IndexOfField("NOTES");
        ASSERT_GE(notes, 0) << line;
        EXPECT_EQ(set.GetColumn(notes)->Hidden, hidden) << line;
    }
}

TEST(ColumnListEditTest, SetOperations)
{
    TColumnListClass set;
    TColumnClass c;
    for (const char* f : {"A", "B", "C", "D"}) {
        c.Field = f;
        c.Order = f[0] == 'C' ? 0 : 1;
        set.Add(c);
    }
    c.Field = "changed";
    EXPECT_EQ(set.GetColumn(3)->Field, "D");
    for (int32_t bad : {-1, 4}) {
        set.Delete(bad);
        EXPECT_EQ(set.Count(), 4);
    }
    EXPECT_EQ(set.IndexOfField("b"), 1);
    EXPECT_EQ(set.IndexOfField("E"), -1);
    // Equal orders keep their relative order.
    set.SortByOrder();
    EXPECT_EQ(Fields(set), (std::vector<std::string> {"C", "A", "B", "D"}));

    TColumnListClass copy;
    copy.SetTemplate(&HardwareFieldSet());
    copy.Assign(set);
    EXPECT_EQ(Fields(copy), Fields(set));
    copy.GetColumn(0)->Name = "mine";
    EXPECT_NE(set.GetColumn(0)->Name, "mine");
    set.Delete(0);
    EXPECT_EQ(Fields(set), (std::vector<std::string> {"A", "B", "D"}));
}

}  // namespace
}  // namespace quorvel
