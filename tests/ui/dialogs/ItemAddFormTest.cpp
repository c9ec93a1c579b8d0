#include "ui/dialogs/ItemAddForm.h"
#include "ui/DialogTest.h"
#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "model/ColumnList.h"
#include "platform/qt/PathText.h"
#include "support/ValueLists.h"

#include <QPushButton>
#include <QTableView>

#include <sys/stat.h>

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;

class ItemAddFormTest : public test::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        settings.SetSetting(setting::MasterCartPath, Dir().string() + "/Master/");
        form.ListType = ltMedia;
        form.Platform = "Zentrix 64";
    }
    void WriteMaster(const std::string& name, const std::string& platform, const Strings& titles) const
    {
        std::filesystem::create_directories((Dir() / "Master"));
        SaveListObject(test::ListOfValues("Title", titles, platform).get(), PathOf("Master/" + name), false, true);
    }
    static Strings Titles(const TBaseCustomListClass& list) { return test::ValuesOf(list, "Title"); }
    void Check(const std::string& title)
    {
        const Strings titles = Titles(*form.GetMasterList());
        form.GetListDisplay().SetChecked(int32_t(std::find(titles.begin(), titles.end(), title) - titles.begin()),
                                         true);
    }
    bool OK() const { return form.findChild<QPushButton*>("OKButton")->isEnabled(); }

    SettingsStore settings {Path()};  // held in memory only
    TItemAddForm form {settings};
    QComboBox* box = form.findChild<QComboBox*>("MasterListCB");
    std::unique_ptr<TBaseCustomListClass> target = CreateListObject(ltMedia);
};

TEST_F(ItemAddFormTest, CheckedItemsFollowASortAndAreCopiedInGridOrder)
{
    // The search skips what is not a matching list file, whatever blocks a peek, and sorts by name.
    WriteMaster("korvo.csv", "Korvo", {"K"});
    form.ListType = ltHardware;
    WriteFile("Master/broken.csv", "just text\r\n");
    ASSERT_EQ(::mkfifo(PathOf("Master/pipe.csv").c_str(), 0644), 0);
    EXPECT_FALSE(form.Prepare());
    EXPECT_FALSE(OK());
    form.ListType = ltMedia;
    WriteMaster("Series 1.2.csv", "ZENTRIX 64", {"Cobalt", "Amber", "Bronze"});
    WriteMaster("alpha.CSV", "Zentrix 64", {"Zinc"});
    WriteFile("Master/Old.csv", "QV1.0\r\n\"zentrix 64\",\"Jo\",\"\"\r\n\"TITLE\"\r\n");
    ASSERT_TRUE(form.Prepare());
    EXPECT_EQ(Entries(box), QStringList({"alpha", "Old", "Series 1.2"}));
    EXPECT_TRUE(OK());
    box->setCurrentIndex(2);
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

TEST_F(ItemAddFormTest, MarksGoWithTheListAFailedLoadShowsNothingCustomizeKeepsTheView)
{
    WriteMaster("a.csv", "Zentrix 64", {"One", "Two"});
    WriteFile("Master/b.csv", "QV1.2\r\n\"Media\",\"Zentrix 64\",\"50%ZZ\",\"\"\r\n\"TITLE\"\r\n\"X\"\r\n");
    ASSERT_TRUE(form.Prepare());
    Check("Two");
    box->setCurrentIndex(1);
    EXPECT_EQ(form.GetMasterList()->Count(), 0);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0].text, TextWithPath("The file \"", PathOf("Master/b.csv"),
                                                  "\" was not opened. '$ZZ' is not a valid integer value"));
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
    std::filesystem::create_directories((Dir() / "Config"));
    form.EditColumns = [](TColumnListClass& columns) { return columns.Columns[0]->Hidden = true; };
    form.findChild<QAction*>("Customize1")->trigger();
    Run(form);
    EXPECT_NE(ReadFile("Config/Media_View_Zentrix 64.INI").find("[AddItemListView_Zentrix64]"), std::string::npos);
    EXPECT_NE(form.GetListDisplay().GetColumnField(0), "TITLE");
}

}  // namespace
}  // namespace quorvel
