#include "MainFormTest.h"

#include "platform/qt/PathText.h"
#include "ui/InventoryForm.h"
#include "ui/MRUFileList.h"
#include "ui/SplashForm.h"
#include "ui/UpdateForm.h"

#include <QLineEdit>
#include <QMenu>

namespace quorvel {
namespace {

using Names = std::vector<std::string>;

class LifecycleWiringTest : public test::MainFormTest {
protected:
    // The numbered entries of "&Recent", top to bottom.
    std::vector<TMRUMenuItem*> Recent() const
    {
        std::vector<TMRUMenuItem*> entries;
        for (QAction* action : form->findChild<QMenu*>("RecentListsMainMenu")->actions())
            if (auto* entry = qobject_cast<TMRUMenuItem*>(action); entry && entry->ItemNumber > 0)
                entries.push_back(entry);
        return entries;
    }
    Names RecentNames() const
    {
        Names names;
        for (TMRUMenuItem* entry : Recent())
            names.push_back(PathFromQString(entry->FullCaption.mid(3)));
        return names;
    }
    RecentFilesStore::Values Stored() { return recent->Read("\\Software\\Quorvel", "MRU Items"); }
};

TEST_F(LifecycleWiringTest, OpenedListsFillTheRecentMenuWhichOnlyARealCloseKeeps)
{
    const std::string a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const std::string b = WriteList("b.csv", ltMedia, "Zentrix 64", {"Two"});
    MakeForm();
    for (const std::string& file : {a, b, WriteList("empty.csv", ltMedia, "Zentrix 64", {})})
        form->OpenListFile(file);
    EXPECT_EQ(RecentNames(), (Names{b, a})) << "a list without items is not recorded";
    EXPECT_TRUE(Stored().empty()) << "the store is written at exit only";
    EXPECT_TRUE(form->close());
    EXPECT_EQ(Stored(), (RecentFilesStore::Values{{"F0", PathToQString(b)}, {"F1", PathToQString(a)}}));
    form.reset();
    MakeForm();
    EXPECT_EQ(RecentNames(), (Names{b, a}));
}

TEST_F(LifecycleWiringTest, AClickOpensTheFileAgainAndAFailedOpenDropsItsEntry)
{
    const std::string a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const std::string gone = programDir + "Carts/gone.csv";
    recent->Replace("\\Software\\Quorvel", "MRU Items", {{"F0", PathToQString(gone)}, {"F1", PathToQString(a)}});
    MakeForm();
    Recent().at(0)->trigger();
    EXPECT_EQ(RecentNames(), (Names{a}));
    EXPECT_EQ(TakeMessages().size(), 1u) << "the open's own failure";
    Recent().at(0)->trigger();
    EXPECT_EQ(RecentNames(), (Names{a})) << "taken out by the click, put back by the open";
    ASSERT_EQ(form->OpenLists().size(), 1u);
    EXPECT_EQ(Opened(0), a);
    EXPECT_EQ(form->TabCount(), 1);
}

template <class Window>
Window& Shown(QDialog& dialog)
{
    auto* window = dynamic_cast<Window*>(&dialog);
    if (!window)
        throw std::logic_error("another window was shown: " + dialog.windowTitle().toStdString());
    return *window;
}

// Each entry reaches its window with the current list; what the window changed reaches Save.
TEST_F(LifecycleWiringTest, ToolAndHelpEntriesShowTheirWindows)
{
    const std::string file = WriteList("a.csv", ltMedia, "Zentrix 64", {"One", "Two"});
    TSplashForm splash;
    struct Case {
        const char* entry;  // the inventory entries ship hidden but work once shown
        std::function<int(QDialog&)> answer;
        bool changed;
    } cases[] = {
        {"InventoryListMainMenu",
         [](QDialog& dialog) {
             auto& inventory = Shown<TInventoryForm>(dialog);
             EXPECT_EQ(inventory.InventoryList->model()->rowCount(), 2);
             inventory.NewCountEdit->setText("7");
             inventory.DoneButtonClick();
             return int(QDialog::Accepted);
         },
         true},
        {"VerifyManufacturersPopupMenu",
         [](QDialog& dialog) {
             EXPECT_EQ(Shown<TUpdateForm>(dialog).Mappings().size(), 1u) << "the empty maker";
             return int(QDialog::Rejected);
         },
         false},
        {"About1", [](QDialog& dialog) { return int(Shown<TSplashForm>(dialog).AboutMode); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        MakeForm();
        form->SetSplashForm(&splash);
        form->OpenListFile(file);
        form->UpdateMenuState();
        fake.dialogAnswers = {[&](QDialog& dialog) {
            int result = 0;
            EXPECT_NO_THROW(result = c.answer(dialog));
            return result;
        }};
        form->Action(c.entry)->trigger();
        EXPECT_TRUE(fake.dialogAnswers.empty());
        EXPECT_TRUE(TakeMessages().empty());
        EXPECT_EQ(Enabled("SaveButton"), c.changed);
        form.reset();
    }
}

}  // namespace
}  // namespace quorvel
