#include "MainFormTest.h"

#include "platform/qt/PathText.h"
#include "ui/InventoryForm.h"
#include "ui/MRUFileList.h"
#include "ui/SplashForm.h"
#include "ui/UpdateForm.h"

#include <QLineEdit>
#include <QMenu>

#include <filesystem>

namespace quorvel {
namespace {

using test::MainFormTest;
using test::MessageKind;

const QString kKey = "\\Software\\Quorvel", kSubkey = "MRU Items";

class LifecycleWiringTest : public MainFormTest {
protected:
    // The numbered entries of "&Recent", full names, top to bottom.
    std::vector<std::string> RecentEntries() const
    {
        std::vector<std::string> names;
        for (QAction* action : form->findChild<QMenu*>("RecentListsMainMenu")->actions())
            if (auto* entry = qobject_cast<TMRUMenuItem*>(action); entry && entry->ItemNumber > 0)
                names.push_back(PathFromQString(entry->FullCaption.mid(3)));
        return names;
    }
    void ClickRecent(int number)
    {
        for (QAction* action : form->findChild<QMenu*>("RecentListsMainMenu")->actions())
            if (auto* entry = qobject_cast<TMRUMenuItem*>(action); entry && entry->ItemNumber == number)
                return entry->trigger();
        ADD_FAILURE() << "no recent entry " << number;
    }
    RecentFilesStore::Values Stored() { return recent->Read(kKey, kSubkey); }
};

TEST_F(LifecycleWiringTest, OpenedListsFillTheRecentMenuWhichOnlyARealCloseKeeps)
{
    const std::string a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const std::string b = WriteList("b.csv", ltMedia, "Zentrix 64", {"Two"});
    const std::string empty = WriteList("empty.csv", ltMedia, "Zentrix 64", {});
    MakeForm();
    EXPECT_TRUE(RecentEntries().empty());
    for (const std::string& file : {a, b, empty})
        form->OpenListFile(file);
    EXPECT_EQ(RecentEntries(), (std::vector<std::string>{b, a})) << "a list without items is not recorded";
    EXPECT_TRUE(Stored().empty()) << "the store is written at exit only";
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Stored(), (RecentFilesStore::Values{{"F0", PathToQString(b)}, {"F1", PathToQString(a)}}));

    form.reset();
    MakeForm();
    EXPECT_EQ(RecentEntries(), (std::vector<std::string>{b, a}));
}

TEST_F(LifecycleWiringTest, AClickOpensTheFileAgainAndAFailedOpenDropsItsEntry)
{
    const std::string a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const std::string gone = programDir + "Carts/gone.csv";
    recent->Replace(kKey, kSubkey, {{"F0", PathToQString(gone)}, {"F1", PathToQString(a)}});
    MakeForm();
    ASSERT_EQ(RecentEntries(), (std::vector<std::string>{gone, a}));

    ClickRecent(1);
    EXPECT_EQ(RecentEntries(), (std::vector<std::string>{a}));
    const auto shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, MessageKind::Error);
    EXPECT_TRUE(form->OpenLists().empty());

    ClickRecent(1);
    EXPECT_EQ(RecentEntries(), (std::vector<std::string>{a})) << "removed by the click, added again by the open";
    ASSERT_EQ(form->OpenLists().size(), 1u);
    EXPECT_EQ(Opened(0), a);
    EXPECT_EQ(form->TabCount(), 1);
}

// Each entry reaches its window with the current list, and the grid shows what the window changed.
TEST_F(LifecycleWiringTest, ToolEntriesShowTheirWindowsOnTheCurrentList)
{
    const std::string file = WriteList("a.csv", ltMedia, "Zentrix 64", {"One", "Two"});
    struct Case {
        const char* entry;
        std::function<int(QDialog&)> answer;
        bool changed;  // the window changed the list: Save follows
    };
    const Case cases[] = {
        {"InventoryListMainMenu",
         [](QDialog& dialog) {
             auto* inventory = dynamic_cast<TInventoryForm*>(&dialog);
             EXPECT_NE(inventory, nullptr);
             if (!inventory)
                 return int(QDialog::Rejected);
             EXPECT_EQ(inventory->InventoryList->model()->rowCount(), 2);
             inventory->NewCountEdit->setText("7");
             inventory->DoneButtonClick();
             return int(QDialog::Accepted);
         },
         true},
        {"VerifyManufacturersPopupMenu",
         [](QDialog& dialog) {
             auto* update = dynamic_cast<TUpdateForm*>(&dialog);
             EXPECT_NE(update, nullptr);
             if (!update)
                 return int(QDialog::Rejected);
             EXPECT_EQ(update->Mappings(), (std::vector<std::pair<std::string, std::string>>{{"", ""}}));
             return int(QDialog::Rejected);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        MakeForm();
        form->OpenListFile(file);
        form->RefreshTabs();
        form->UpdateMenuState();
        // The inventory entries ship hidden (so never report enabled) but work once shown.
        fake.dialogAnswers = {c.answer};
        form->Action(c.entry)->trigger();
        EXPECT_TRUE(fake.dialogAnswers.empty());
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(Enabled("SaveButton"), c.changed);
        form.reset();
    }
}

TEST_F(LifecycleWiringTest, AboutShowsTheSplashAsTheAboutBox)
{
    MakeForm();
    TSplashForm splash;
    form->SetSplashForm(&splash);
    fake.dialogAnswers = {[&](QDialog& dialog) {
        EXPECT_EQ(&dialog, &splash);
        EXPECT_TRUE(splash.AboutMode);
        return int(QDialog::Accepted);
    }};
    form->Action("About1")->trigger();
    EXPECT_TRUE(fake.dialogAnswers.empty());
}

}  // namespace
}  // namespace quorvel
