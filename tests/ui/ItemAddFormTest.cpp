#include "DialogTest.h"
#include "config/SettingsStore.h"
#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "ui/ItemAddForm.h"

#include <QPushButton>
#include <QTableView>

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;

class ItemAddFormTest : public test::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        settings.SetSetting("MasterCartPath", Dir().string() + "/Master/");
        form.ListType = ltMedia;
        form.Platform = "Zentrix 64";
    }
    void WriteMaster(const std::string& name, const std::string& platform, const Strings& titles) const
    {
        auto list = CreateListObject(ltMedia);
        list->SetPlatform(platform);
        for (const auto& title : titles) {
            list->Add(list->CreateItem());
            list->GetItem(list->Count() - 1)->SetFieldValue("Title", title);
        }
        std::filesystem::create_directories(PathOf("Master"));
        SaveListObject(list.get(), PathOf("Master/" + name), false, true);
    }
    static Strings Titles(const TBaseCustomListClass& list)
    {
        Strings titles;
        for (const auto& item : list.Items())
            titles.push_back(item->GetFieldAsString("Title"));
        return titles;
    }
    void Check(const std::string& title)
    {
        const Strings titles = Titles(*form.GetMasterList());
        form.GetListDisplay().SetChecked(int32_t(std::find(titles.begin(), titles.end(), title) - titles.begin()), true);
    }
    bool OK() const { return form.findChild<QPushButton*>("OKButton")->isEnabled(); }

    SettingsStore settings{Dir().string() + "/"};
    TItemAddForm form{settings};
    QComboBox* box = form.findChild<QComboBox*>("MasterListCB");
    std::unique_ptr<TBaseCustomListClass> target = CreateListObject(ltMedia);
};

TEST_F(ItemAddFormTest, NoMatchingMasterListLeavesOKDisabled)
{
    WriteMaster("korvo.csv", "Korvo", {"K"});
    EXPECT_FALSE(form.Prepare());
    EXPECT_FALSE(OK());
    settings.SetSetting("MasterCartPath", "");
    EXPECT_FALSE(form.Prepare());
}

TEST_F(ItemAddFormTest, CheckedItemsFollowASortAndAreCopiedInGridOrder)
{
    WriteMaster("Series 1.2.csv", "ZENTRIX 64", {"Cobalt", "Amber", "Bronze"});
    WriteMaster("alpha.CSV", "Zentrix 64", {"Zinc"});
    ASSERT_TRUE(form.Prepare());
    EXPECT_EQ(Entries(box), QStringList({"alpha", "Series 1.2"}));
    EXPECT_TRUE(OK());
    box->setCurrentIndex(1);
    Check("Cobalt");
    Check("Amber");
    const Strings before = Titles(*form.GetMasterList());
    form.GetListDisplay().TreeHeaderClick(0);
    Strings checked = Titles(*form.GetMasterList());
    EXPECT_NE(checked, before);
    std::erase(checked, "Bronze");
    form.GetCheckedItems(*target);
    EXPECT_EQ(Titles(*target), checked);
    EXPECT_EQ(form.GetMasterList()->Count(), 3);
}

TEST_F(ItemAddFormTest, AnotherMasterListOrPrepareClearsTheMarks)
{
    WriteMaster("a.csv", "Zentrix 64", {"One", "Two"});
    WriteMaster("b.csv", "Zentrix 64", {"Three"});
    ASSERT_TRUE(form.Prepare());
    Check("Two");
    box->setCurrentIndex(1);
    box->setCurrentIndex(0);
    form.GetCheckedItems(*target);
    Check("One");
    ASSERT_TRUE(form.Prepare());
    form.GetCheckedItems(*target);
    EXPECT_EQ(target->Count(), 0);

    auto* grid = form.findChild<QTableView*>("AddItemListView");
    grid->selectRow(1);
    for (const bool checked : {true, false}) {
        emit grid->doubleClicked(grid->model()->index(1, 0));
        EXPECT_EQ(form.GetListDisplay().IsChecked(1), checked);
    }
}

TEST_F(ItemAddFormTest, AFailedLoadShowsAnEmptyGridAndCustomizeEditsTheColumns)
{
    WriteMaster("a.csv", "Zentrix 64", {"One"});
    WriteFile("Master/b.csv", "QV1.2\r\n\"Media\",\"Zentrix 64\",\"50%ZZ\",\"\"\r\n\"TITLE\"\r\n\"X\"\r\n");
    ASSERT_TRUE(form.Prepare());
    box->setCurrentIndex(1);
    EXPECT_EQ(form.GetMasterList()->Count(), 0);
    EXPECT_EQ(fake.messages.size(), 1u);

    box->setCurrentIndex(0);
    std::filesystem::create_directories(PathOf("Config"));
    form.EditColumns = [](TColumnListClass& columns) {
        columns.Columns[0]->Hidden = true;
        return true;
    };
    form.findChild<QAction*>("Customize1")->trigger();
    Run(form);
    EXPECT_NE(ReadFile("Config/Media_View_Zentrix 64.INI").find("[AddItemListView_Zentrix64]"), std::string::npos);
    EXPECT_NE(form.GetListDisplay().GetColumnField(0), "TITLE");
}

}  // namespace
}  // namespace quorvel
