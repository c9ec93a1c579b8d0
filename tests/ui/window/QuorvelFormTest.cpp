#include "ui/MainFormTest.h"

#include "config/SettingKeys.h"
#include "model/Utils.h"
#include "platform/qt/PathText.h"
#include "ui/window/MRUFileList.h"
#include "ui/window/MenuNames.h"
#include "ui/UiScale.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>

#include <limits>

namespace quorvel {
namespace {

using test::MainFormTest;
using test::MessageKind;
using test::ShownMessage;

TEST_F(MainFormTest, PlacementIsBroughtOntoTheScreen)
{
    struct Case {
        std::vector<std::pair<const char*, int>> keys;
        QSize screen;
        int state;
        QRect geometry;
    } cases[] = {
        // Never placed: two thirds of the screen, centred.
        {{}, {1600, 1000}, 0, {267, 167, 1066, 666}},
        {{{"WindowX", -50}, {"WindowY", 5000}}, {1024, 768}, 0, {0, 0, Scaled(600), Scaled(400)}},
        {{{"WindowX", 20}, {"WindowY", 30}, {"WindowW", 3000}}, {1280, 1024}, 0, {30, 20, 1270, Scaled(400)}},
        {{{"WindowH", 900}, {"WindowW", 100}}, {1024, 768}, 0, {0, 0, Scaled(300), 758}},
        {{{"WindowState", 2}, {"WindowX", 5000}}, {1024, 768}, 2, {}},
    };
    for (const Case& c : cases) {
        EraseIniSection(G_ConfigFile, "General");
        for (const auto& [key, value] : c.keys)
            WriteIniInteger(G_ConfigFile, "General", key, value);
        const WindowPlacement placement = ReadWindowPlacement(c.screen);
        EXPECT_EQ(placement.state, c.state);
        EXPECT_EQ(c.state ? QRect() : placement.geometry, c.geometry) << c.keys.size();
    }
}

TEST_F(MainFormTest, StartsWithItsVersionAndEveryEntryDisabledUntilItsCommandExists)
{
    MakeForm();
    const std::string version = TQuorvelForm::GetVersionString();
    EXPECT_EQ(std::count(version.begin(), version.end(), '.'), 3);
    EXPECT_EQ(form->windowTitle().toStdString(), "Quorvel " + version);
    EXPECT_EQ(Status(), "Welcome to Quorvel " + version);
    form->UpdateMenuState();
    struct Entry {
        const char* name;
        const char* caption;
        const char* shortcut;
        bool enabled;
    } entries[] = {
        // The shortcuts users rely on, and entries whose command lives outside the window: disabled here.
        {entry::OpenMainMenu, "&Open...", "Ctrl+O", true},
        {entry::NewListMainMenu, "&New...", "Ctrl+N", true},
        {entry::SaveListMainMenu, "&Save", "Ctrl+S", false},
        {entry::AddFromListMainMenu, "&Add from list...", "Ins", false},
        {entry::NewItemMainMenu, "&New...", "Ctrl+Ins", false},
        {entry::RemoveItemMainMenu, "&Remove", "Del", false},
        {entry::MoreInfoMainMenu, "More Info...", "Ctrl+I", false},
        {entry::CompareCartridgeListsMainMenu, "C&ompare Cartridge Lists...", "", false},
        {entry::About1, "&About...", "", false},
        {entry::RemoveButton, "Remove the currently selected items from the list", "", false},  // a tool bar hint
    };
    for (const Entry& e : entries) {
        QAction* action = form->Action(e.name);
        ASSERT_NE(action, nullptr) << e.name;
        EXPECT_EQ(action->text().toStdString(), e.caption);
        EXPECT_EQ(action->shortcut().toString().toStdString(), e.shortcut) << e.name;
        EXPECT_EQ(action->isEnabled(), e.enabled) << e.name;
    }
    EXPECT_FALSE(form->Action(entry::InventoryListMainMenu)->isVisible());
}

TEST_F(MainFormTest, TheMenuStateFollowsACommandThatFailedHalfway)
{
    const Path file = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    MakeForm();
    struct Failing : CommandGroup {
        Failing(MainFormAccess& form, const Path& file) : CommandGroup(form)
        {
            Connect(entry::Help1, [this, file] {
                form_.OpenListFile(file);
                throw std::runtime_error("Stopped.");
            });
        }
    };
    form->AttachCommandGroup(std::make_unique<Failing>(*form, file));
    form->UpdateMenuState();
    EXPECT_FALSE(Enabled(entry::CloseListMainMenu));
    form->Action(entry::Help1)->trigger();
    EXPECT_EQ(TakeMessages(), (std::vector<ShownMessage> {{MessageKind::Error, "Stopped."}}));
    EXPECT_TRUE(Enabled(entry::CloseListMainMenu));
}

TEST_F(MainFormTest, LastFilesAreReopenedOnlyWhenAskedAndABadOneDoesNotStopTheRest)
{
    const Path first = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const Path second = WriteList("b.csv", ltHardware, "Korvo Handheld", {"Pad"});
    // A list file whose one escape does not decode cannot be read.
    const Path bad = WriteList("bad.csv", ltMedia, "Zentrix 64", {"100%"});
    std::string text = ReadFile("Carts/bad.csv");
    text.replace(text.find("%25"), 3, "%ZZ");
    WriteFile("Carts/bad.csv", text);
    const std::vector<std::string> files {first.Bytes(), programDir + "Carts/missing.csv", bad.Bytes(), "",
                                         second.Bytes()};
    // Only the keys present are visited, however large the Count.
    WriteIniInteger(G_ConfigFile, "LastFiles", "Count", std::numeric_limits<int>::max());
    for (size_t i = 0; i < files.size(); ++i)
        WriteIniString(G_ConfigFile, "LastFiles", "LastFile" + std::to_string(i), files[i]);

    for (const char* setting : {"0", "yes", "1"}) {
        settings->SetSetting(setting::LoadLastCartFile, setting);
        MakeForm();
        form->FormShow();
        if (std::string(setting) != "1") {
            EXPECT_TRUE(form->OpenLists().empty()) << setting;
            continue;
        }
        ASSERT_EQ(form->OpenLists().size(), 2u);
        EXPECT_EQ(Opened(0), first);
        EXPECT_EQ(Opened(1), second);
        const auto shown = TakeMessages();
        EXPECT_EQ(shown, (std::vector<ShownMessage> {{MessageKind::Error,
                                                      TextWithPath("The file \"", bad, "\" was not opened. '$ZZ' is "
                                                                   "not a valid integer value")}}));
        EXPECT_EQ(form->TabCount(), 2);
    }
}

// A box during the start stands before the window the user gets: its lists, panels and commands.
TEST_F(MainFormTest, TheWindowIsRightWhileAReopenedListWarns)
{
    const Path first = WriteList("a.csv", ltMedia, "Nowhere", {"One"});
    const Path second = WriteList("b.csv", ltMedia, "Elsewhere", {"Two", "Three"});
    WriteIniInteger(G_ConfigFile, "LastFiles", "Count", 2);
    WriteIniString(G_ConfigFile, "LastFiles", "LastFile0", first.Bytes());
    WriteIniString(G_ConfigFile, "LastFiles", "LastFile1", second.Bytes());
    settings->SetSetting(setting::LoadLastCartFile, "1");
    settings->SetSetting(setting::ShowCollectionExplorer, "1");
    MakeForm();
    // Tabs, the selected one, rows shown, Explorer shown and filled, Save and Remove enabled.
    using Window = std::tuple<int, int, int, bool, bool, bool, bool>;
    std::vector<Window> seen;
    fake.onMessage = [&](const ShownMessage&) {
        const auto* explorer = form->findChild<QTreeWidget*>("CollectionTV");
        seen.emplace_back(form->TabCount(), form->SelectedTab(), form->Grid().model()->rowCount(),
                          explorer->isVisibleTo(form.get()), explorer->topLevelItemCount() > 0,
                          Enabled(entry::SaveButton), Enabled(entry::RemoveButton));
    };
    form->FormShow();
    EXPECT_EQ(TakeMessages().size(), 2u);
    EXPECT_EQ(seen, (std::vector<Window> {{1, 0, 1, true, true, false, false}, {2, 1, 2, true, true, false, false}}));
}

TEST_F(MainFormTest, CloseStopsWhenAWantedSaveFailsElseWritesLastFilesAndPlacement)
{
    const Path first = WriteList("a.csv", ltMedia, "Zentrix 64", {"One", "Two"});
    const Path second = WriteList("b.csv", ltMedia, "Zentrix 64", {"Three"});
    MakeForm();
    form->OpenListFile(first);
    form->OpenListFile(second);
    AnswerProperties({"Hardware", "Korvo Handheld", "Sam", ""});
    Lists().NewButtonClick();
    form->resize(640, 480);
    form->OpenTabSetChange(0);
    form->CurrentList()->SetOwner("Kim");
    std::filesystem::remove(first.Bytes());
    std::filesystem::create_directory(first.Bytes());  // the save must fail
    fake.confirmAnswers = {true};
    EXPECT_FALSE(form->close());
    ASSERT_EQ(form->OpenLists().size(), 3u);
    EXPECT_EQ(TakeMessages().size(), 2u) << "the question and the failure";
    EXPECT_EQ(form->Grid().model()->rowCount(), 2);
    fake.confirmAnswers = {Answer::Cancel};  // Escape: the program goes on
    EXPECT_FALSE(form->close());
    EXPECT_EQ(form->OpenLists().size(), 3u);
    EXPECT_EQ(TakeMessages().size(), 1u);

    fake.confirmAnswers = {false, false};  // neither changed list is saved
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->OpenLists().empty());
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "LastFiles", "Count", 0), 3);
    EXPECT_EQ(ReadIniString(G_ConfigFile, "LastFiles", "LastFile0", ""), first.Bytes());
    EXPECT_EQ(ReadIniString(G_ConfigFile, "LastFiles", "LastFile2", "?"), "");
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "General", "WindowW", 0), 640);
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "General", "WindowH", 0), 480);
    EXPECT_EQ(
        TakeMessages(),
        (std::vector<ShownMessage> {
            {MessageKind::Confirmation, ToQString("Zentrix 64 (" + first.Bytes() + ") Has changed.  Save Changes?")},
            {MessageKind::Confirmation, "Korvo Handheld () Has changed.  Save Changes?"}}));
}

// Some pages write their files at once: the rest of a visit is kept too, whichever way it closes.
TEST_F(MainFormTest, ToolsOptionsKeepsTheWholeVisitEvenWhenCancelled)
{
    MakeForm();
    for (const int result : {int(QDialog::Rejected), int(QDialog::Accepted)}) {
        // The grid lines and the Explorer follow the visit at once, not at the next start.
        const bool on = result == QDialog::Accepted;
        fake.dialogAnswers.push_back([&](QDialog& dialog) {
            dialog.findChild<QLineEdit*>("DefaultOwnerEdit")->setText(QString::number(result));
            dialog.findChild<QCheckBox*>("ShowGridCheckBox")->setChecked(on);
            dialog.findChild<QCheckBox*>("ShowCollectionExplorerCheckBox")->setChecked(!on);
            return result;
        });
        form->Action("OptionsMainMenu")->trigger();
        EXPECT_EQ(ReadIniString(G_ConfigFile, "General", "DefaultOwner", ""), std::to_string(result));
        EXPECT_EQ(form->Grid().showGrid(), on);
        EXPECT_EQ(form->Action(entry::GridLinesMainMenu)->isChecked(), on);
        EXPECT_EQ(form->findChild<QWidget*>("ExplorerPanel")->isHidden(), on);
    }
}

TEST_F(MainFormTest, AnOldConfigurationEndsTheRunWithoutSavingAnything)
{
    WriteIniString(G_ConfigFile, "General", "ConfigVersion", "CFG1.0");
    EXPECT_FALSE(ConfigIsCurrent());
    const Path first = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    MakeForm();
    form->OpenListFile(first);
    bool migrated = false;
    form->ShowMigration = [&] { return migrated = true; };
    form->FormShow();
    EXPECT_TRUE(form->GetMustRestart());
    form->Timer1Timer();
    EXPECT_TRUE(migrated);
    EXPECT_EQ(
        TakeMessages(),
        (std::vector<ShownMessage> {{MessageKind::Information,
                                     "The Quorvel Configuration has been updated.  You must exit and re-run Quorvel.  "
                                     "Quorvel will now exit."}}));
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "LastFiles", "Count", -1), -1);
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "General", "WindowW", -1), -1);
    form.reset();
    EXPECT_TRUE(recent->Read("\\Software\\Quorvel", "MRU Items").empty()) << "not even when the window goes";
    MakeForm();
    form->ShowMigration = [] { return false; };
    form->FormShow();
    form->Timer1Timer();
    EXPECT_EQ(TakeMessages().at(0).kind, MessageKind::Error) << "a failed migration is not told as done";
}

TEST_F(MainFormTest, RecentMenuFollowsOpensDropsAFailedOneAndIsKeptByARealClose)
{
    const QString a = PathToQString(WriteList("a.csv", ltMedia, "Zentrix 64", {"One"}));
    const QString b = PathToQString(WriteList("b.csv", ltMedia, "Zentrix 64", {"Two"}));
    recent->Replace("\\Software\\Quorvel", "MRU Items", {{"F0", "/nowhere/gone.csv"}});
    MakeForm();
    auto entries = [this] {
        std::vector<TMRUMenuItem*> numbered;
        for (QAction* action : form->findChild<QMenu*>(entry::RecentListsMainMenu)->actions())
            if (auto* entry = qobject_cast<TMRUMenuItem*>(action); entry && entry->ItemNumber > 0)
                numbered.push_back(entry);
        return numbered;
    };
    auto names = [&] {
        QStringList shown;
        for (TMRUMenuItem* entry : entries())
            shown << entry->FullCaption.mid(3);
        return shown;
    };
    for (const QString& file : {a, b, PathToQString(WriteList("empty.csv", ltMedia, "Zentrix 64", {}))})
        form->OpenListFile(PathFromQString(file));
    EXPECT_EQ(names(), (QStringList {b, a, "/nowhere/gone.csv"})) << "a list without items is not recorded";
    entries().at(2)->trigger();
    EXPECT_EQ(names(), (QStringList {b, a})) << "a failed open drops the entry";
    EXPECT_EQ(TakeMessages(), (std::vector<ShownMessage> {
                                  {MessageKind::Error, "The file \"/nowhere/gone.csv\" does not exist."}}));
    EXPECT_EQ(recent->Read("\\Software\\Quorvel", "MRU Items").size(), 1u) << "written at exit only";
    EXPECT_TRUE(form->close());
    form.reset();
    EXPECT_EQ(recent->Read("\\Software\\Quorvel", "MRU Items"), (RecentFilesStore::Values {{"F0", b.toUtf8()}, {"F1", a.toUtf8()}}));
}

TEST_F(MainFormTest, AColumnLayoutThatCannotBeSavedIsToldInTheStatusBar)
{
    MakeForm();
    form->OpenListFile(WriteList("a.csv", ltMedia, "Zentrix 64", {"Alpha"}));
    form->OpenListFile(WriteList("b.csv", ltHardware, "Korvo Handheld", {"Pad"}));
    form->OpenTabSetChange(0);
    const Path view = TListDisplayClass::ViewFileName(*form->CurrentList());
    std::filesystem::create_directories(view.Bytes());
    form->Grid().horizontalHeader()->resizeSection(0, 123);
    // The other list's owner does not cover it.
    form->OpenTabSetChange(1);
    EXPECT_EQ(Status(), "The column layout could not be saved: Unable to write to " + view.Bytes() + ": Is a directory");
    EXPECT_TRUE(TakeMessages().empty());
}

}  // namespace
}  // namespace quorvel
