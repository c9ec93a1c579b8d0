#include "platform/qt/CommandGuard.h"
#include "platform/qt/PathText.h"
#include "ui/MainFormTest.h"

#include "config/SettingKeys.h"
#include "model/BaseCustomListClass.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/qt/PlainText.h"
#include "ui/window/MenuNames.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPaintEngine>
#include <QPainter>
#include <QTabBar>

#include <array>
#include <filesystem>
#include <tuple>

namespace quorvel {
namespace {

using test::MainFormTest;
using test::MessageKind;
using test::ShownMessage;
namespace fs = std::filesystem;

class ListCommandsTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        MakeForm();
    }
    QString Q(const std::string& s) { return ToQString(s); }
};

TEST_F(ListCommandsTest, OpenRefusesDuplicatesAndNonListsAndWarnsOfUnknownPlatforms)
{
    const Path media = WriteList("a.csv", ltMedia, "Zentrix 64", {"One", "Two"});
    const Path odd = WriteList("odd.csv", ltHardware, "Nowhere", {});
    WriteFile("Carts/notes.csv", "just text\r\n");
    const std::string notes = programDir + "Carts/notes.csv";
    fake.fileAnswers = {Q(media.Bytes() + "\n" + notes + "\n" + odd.Bytes())};
    Lists().OpenButtonClick();
    ASSERT_EQ(form->OpenLists().size(), 2u);
    EXPECT_EQ(fake.fileDialogs.at(0).request.folder.toStdString(), programDir + "Carts/");
    EXPECT_EQ(TakeMessages(),
              (std::vector<ShownMessage> {
                  {MessageKind::Error, Q("The file \"" + notes + "\" is not a recognized Quorvel File.")},
                  {MessageKind::Warning,
                   "The platform name \"Nowhere\" is not valid.  Please edit the platform name "
                   "for this list or add this platform name to the list of platforms in the "
                   "options dialog."}}));
    EXPECT_EQ(form->CurrentList(), form->OpenLists()[1].get());
    EXPECT_EQ(Status(), odd.Bytes() + " Loaded.");
    EXPECT_EQ(Status(3), "1 ML");
    EXPECT_EQ(Status(4), "1 HL");

    // The same file under another spelling is the same file.
    for (const Path& spelling : {media, Path(programDir + "Hardware/../Carts/./a.csv")}) {
        form->OpenListFile(spelling);
        EXPECT_EQ(TakeMessages(),
                  (std::vector<ShownMessage> {
                      {MessageKind::Error, Q("The file \"" + media.Bytes() + "\" is already open.")}}));
    }
    EXPECT_EQ(form->OpenLists().size(), 2u);
}

TEST_F(ListCommandsTest, NewListsComeFromTheDialogNumberedAndChanged)
{
    settings->SetSetting(setting::DefaultOwner, "Sam");
    QStringList shownOwners;
    for (const int answer : {QDialog::Accepted, QDialog::Accepted, QDialog::Rejected})
        fake.dialogAnswers.push_back([&shownOwners, answer](QDialog& dialog) {
            auto* owner = dynamic_cast<WholeLineEdit*>(dialog.findChild<QWidget*>("OwnerEdit"));
            shownOwners << owner->text();
            dialog.findChild<QComboBox*>("PlatformCB")->setCurrentText("Zentrix 64");
            owner->setText("Kim");
            return answer;
        });
    for (int i = 0; i < 3; ++i)
        Lists().NewButtonClick();
    EXPECT_EQ(shownOwners, QStringList({"Sam", "Sam", "Sam"}));
    ASSERT_EQ(form->OpenLists().size(), 2u) << "the third was cancelled";
    EXPECT_EQ(Opened(0), Path("_NEW_2"));
    EXPECT_EQ(Opened(1), Path("_NEW_3"));
    const TBaseCustomListClass& list = *form->CurrentList();
    EXPECT_EQ(list.GetListType() + "|" + list.GetPlatform() + "|" + list.GetOwner(), "Media|Zentrix 64|Kim");
    EXPECT_TRUE(list.IsModified());
    EXPECT_EQ(Status(), "Cart List Created.");
    EXPECT_EQ(form->SelectedTab(), 1);
}

// Save, and "Save Changes?" answered Yes on Close and on Close All (which leaving the program runs).
TEST_F(ListCommandsTest, EverySaveOfAFileKeepsABackupOnlyWhenAsked)
{
    for (const char* way : {"Save", "Close", "CloseAll"}) {
        for (const char* backup : {"0", "1"}) {
            const Path file = WriteList(way + std::string(backup) + ".csv", ltMedia, "Zentrix 64", {"One"});
            settings->SetSetting(setting::BackupFiles, backup);
            form->OpenListFile(file);
            form->CurrentList()->SetOwner("Kim");
            fake.confirmAnswers = {true};
            if (way == std::string("Save")) {
                Lists().SaveButtonClick();
                EXPECT_FALSE(form->CurrentList()->IsModified());
                EXPECT_EQ(Status(), file.Bytes() + " Saved.");
            } else {
                EXPECT_TRUE(way == std::string("Close") ? Lists().CloseListMainMenuClick()
                                                        : Lists().CloseAllListsMainMenuClick());
            }
            EXPECT_NE(ReadFile(file.Bytes().substr(programDir.size())).find("Kim"), std::string::npos) << file;
            EXPECT_EQ(fs::exists(ChangeFileExt(file, ".BAK").Bytes()), *backup == '1') << file;
        }
    }
}

TEST_F(ListCommandsTest, ANewListIsSavedThroughSaveAs)
{
    AnswerProperties({"Hardware", "Korvo Handheld", "Sam", ""});
    Lists().NewButtonClick();
    fake.fileAnswers = {std::nullopt};
    Lists().SaveButtonClick();
    EXPECT_EQ(fake.fileDialogs.back().kind, test::FileDialogKind::Save);
    EXPECT_EQ(fake.fileDialogs.back().request.folder.toStdString(), programDir + "Hardware/");
    EXPECT_TRUE(form->CurrentList()->IsModified());
    form->UpdateMenuState();  // as after every command
    EXPECT_TRUE(Enabled(entry::SaveButton));
    EXPECT_FALSE(Enabled(entry::SaveListMainMenu)) << "a list without a name is saved through Save As";
}

TEST_F(ListCommandsTest, DefaultFileNamesFollowTheSettings)
{
    AnswerProperties({"Media", "Nova", "Sam", ""});
    Lists().NewButtonClick();
    // Save As format, where the list type goes, the name.
    const std::array<const char*, 3> cases[] = {
        {"0", "0", "Sam Nova Media"}, {"1", "1", "Media Nova Sam"}, {"2", "2", "Nova"},
        {"", "", "Sam Nova Media"},   {"7", "1", "Media "},         {"1", "9", "Nova Sam"},
    };
    for (const auto& [format, append, name] : cases) {
        settings->SetSetting(setting::SaveAsFormat, format);
        settings->SetSetting(setting::AppendListType, append);
        EXPECT_EQ(Lists().DefaultListFileName(), name) << format << append;
    }
    settings->SetSetting(setting::SaveAsFormat, "x");
    EXPECT_THROW(Lists().DefaultListFileName(), std::runtime_error);
}

// A "/" taken from the list must not turn the front of the name into a folder.
TEST_F(ListCommandsTest, DefaultFileNamesKeepEveryPartInTheListsFolder)
{
    const std::array<const char*, 5> cases[] = {
        // owner, platform, Save As format, where the list type goes, the offered name
        {"Guest <i>Owner</i>", "Zentrix 64", "0", "0", "Guest <i>Owner<-i> Zentrix 64 Media"},
        {"Smith/Jones", "Zentrix 64", "1", "0", "Zentrix 64 Smith-Jones Media"},
        {"Sam", "Zen\\trix\t64", "2", "0", "Zen-trix64 Media"},
        // The dialog reads quoted text as a list of names and "~user" as a home folder.
        {"Zo\xEB \"Z\" Collector, 100%", "Zentrix 64", "0", "0", "Zo\xEB 'Z' Collector, 100% Zentrix 64 Media"},
        {"Sam", "~root", "2", "2", "-root"},
    };
    for (const auto& [owner, platform, format, append, name] : cases) {
        AnswerProperties({"Media", platform, owner, ""});
        Lists().NewButtonClick();
        settings->SetSetting(setting::SaveAsFormat, format);
        settings->SetSetting(setting::AppendListType, append);
        fake.fileAnswers = {std::nullopt};
        Lists().SaveAsButtonClick();
        const FileDialogRequest& request = fake.fileDialogs.back().request;
        EXPECT_EQ(request.folder.toStdString(), programDir + "Carts/") << name;
        EXPECT_EQ(request.fileName, Q(name));
        // The name the real dialog shows is the file it hands back.
        QFileDialog dialog(nullptr, "Save As", request.folder);
        dialog.setOptions(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.selectFile(request.fileName);
        EXPECT_EQ(dialog.selectedFiles().join('|').toStdString(), (request.folder + request.fileName).toStdString());
    }
}

// A list file named like its own backup cannot keep one; a name only near it can.
TEST_F(ListCommandsTest, AListNamedLikeItsOwnBackupIsNotSavedOverItself)
{
    const struct {
        const char* name;
        bool backup;
        const char* backupName;  // where the old file goes; empty: refused
    } cases[] = {
        {"x.BAK", true, ""},         {"x.BAK", false, nullptr}, {"y.bak", true, "y.BAK"},
        {"z.BAK.csv", true, "z.BAK.BAK"}, {"w.BAKE", true, "w.BAK"},
    };
    for (const auto& c : cases) {
        settings->SetSetting(setting::BackupFiles, c.backup ? "1" : "0");
        const Path file = WriteList(c.name, ltMedia, "Zentrix 64", {"Old"});
        const std::string before = ReadFile(std::string("Carts/") + c.name);
        form->OpenListFile(file);
        form->CurrentList()->SetOwner("Changed");
        form->CurrentList()->SetModified(true);
        RunCommand([&] { Lists().SaveButtonClick(); });
        const bool refused = c.backupName && !*c.backupName;
        std::vector<std::string> shown;
        for (const ShownMessage& message : TakeMessages())
            shown.push_back(message.text.toStdString());
        EXPECT_EQ(shown, refused ? std::vector<std::string> {"The file \"" + file.Bytes() +
                                                              "\" cannot be its own backup.  Use Save As to save it "
                                                              "under another name."}
                                 : std::vector<std::string> {})
            << c.name;
        EXPECT_EQ(ReadFile(std::string("Carts/") + c.name) == before, refused) << c.name;
        EXPECT_EQ(form->CurrentList()->IsModified(), refused) << c.name;
        if (c.backupName && *c.backupName) {
            EXPECT_EQ(ReadFile(std::string("Carts/") + c.backupName), before) << c.name;
        }
        form->CurrentList()->SetModified(false);
        Lists().CloseAllListsMainMenuClick();
    }
}

TEST_F(ListCommandsTest, SaveAsAsksBeforeReplacingAFile)
{
    const Path existing = WriteList("taken.csv", ltMedia, "Zentrix 64", {"Old"});
    const std::string before = ReadFile("Carts/taken.csv");
    settings->SetSetting(setting::BackupFiles, "1");
    AnswerProperties({"Media", "Zentrix 64", "Sam", ""});
    Lists().NewButtonClick();
    for (const bool answer : {false, true}) {
        fake.fileAnswers = {PathToQString(existing)};
        fake.confirmAnswers = {answer};
        Lists().SaveAsButtonClick();
        EXPECT_EQ(TakeMessages(),
                  (std::vector<ShownMessage> {
                      {MessageKind::WarningConfirmation,
                       Q("A file named \"" + existing.Bytes() + "\" already exists.  Do you wish to overwrite this file?")}}));
        EXPECT_EQ(ReadFile("Carts/taken.csv") == before, !answer);
        EXPECT_EQ(Opened(0), answer ? existing : Path("_NEW_2"));
    }
    EXPECT_FALSE(fs::exists(programDir + "Carts/taken.BAK"));
    fake.fileAnswers = {Q(programDir + "Carts/fresh")};
    Lists().SaveAsButtonClick();
    EXPECT_EQ(Opened(0), Path(programDir + "Carts/fresh.CSV"));
    EXPECT_EQ(Status(), programDir + "Carts/fresh.CSV Saved.");
}

// Two tabs on one file would overwrite each other's items at their next save.
TEST_F(ListCommandsTest, SaveAsRefusesTheFileOfAnotherOpenList)
{
    const Path a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const Path b = WriteList("b.csv", ltMedia, "Zentrix 64", {"Two", "Three"});
    form->OpenListFile(a);
    form->OpenListFile(b);
    const std::string before = ReadFile("Carts/a.csv");
    fake.fileAnswers = {PathToQString(a)};
    Lists().SaveAsButtonClick();
    EXPECT_EQ(TakeMessages(), (std::vector<ShownMessage> {{MessageKind::Error, Q("The file \"" + a.Bytes() +
                                                           "\" is open in another tab.  Close that list first or "
                                                           "choose another name.")}}));
    EXPECT_EQ(std::tuple(ReadFile("Carts/a.csv"), Opened(1)), std::tuple(before, b));
    form->OpenLists()[0]->SetOpenedFileName(b);  // the tab strip goes by the list, not by its name
    form->RefreshTabs();
    EXPECT_EQ(form->SelectedTab(), 1);
}

TEST_F(ListCommandsTest, CloseAsksForChangedListsAndKeepsOneThatCouldNotBeSaved)
{
    const Path a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    const Path b = WriteList("b.csv", ltHardware, "Korvo Handheld", {"Pad"});
    form->OpenListFile(a);
    form->OpenListFile(b);
    AnswerProperties({"Media", "Zentrix 64", "Sam", ""});
    Lists().NewButtonClick();  // current, unsaved
    form->OpenLists()[0]->SetOwner("Kim");
    form->OpenLists()[1]->SetOwner("Kim");

    // Yes with a cancelled save dialog, or Escape: the new list stays open.
    fake.confirmAnswers = {true, Answer::Cancel};
    fake.fileAnswers = {std::nullopt};
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(Lists().CloseListMainMenuClick());
        EXPECT_EQ(form->OpenLists().size(), 3u);
    }

    // No discards it.
    fake.confirmAnswers = {false};
    EXPECT_TRUE(Lists().CloseListMainMenuClick());
    ASSERT_EQ(form->OpenLists().size(), 2u);
    EXPECT_EQ(Status(), "Zentrix 64 () Closed.");
    EXPECT_EQ(form->CurrentList(), form->OpenLists()[0].get());
    TakeMessages();

    // Close All asks in tab order; a failed save stops it before anything is freed.
    fs::remove(a.Bytes());
    fs::create_directory(a.Bytes());
    fake.confirmAnswers = {true};
    EXPECT_FALSE(Lists().CloseAllListsMainMenuClick());
    EXPECT_EQ(form->OpenLists().size(), 2u);
    const auto shown = TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, Q("Zentrix 64 (" + a.Bytes() + ") Has changed.  Save Changes?"));
    EXPECT_EQ(shown[1].kind, MessageKind::Error);

    fake.confirmAnswers = {Answer::Cancel};
    EXPECT_FALSE(Lists().CloseAllListsMainMenuClick());
    EXPECT_EQ(TakeMessages().size(), 1u);
    EXPECT_EQ(form->OpenLists().size(), 2u);

    fake.confirmAnswers = {false, true};
    EXPECT_TRUE(Lists().CloseAllListsMainMenuClick());
    EXPECT_TRUE(form->OpenLists().empty());
    EXPECT_EQ(form->CurrentList(), nullptr);
    EXPECT_EQ(Status(), "All Lists Closed.");
    EXPECT_NE(ReadFile("Hardware/b.csv").find("Kim"), std::string::npos);
    EXPECT_EQ(form->Grid().model()->rowCount(), 0);
}

TEST_F(ListCommandsTest, ListPropertiesChangeOnlyWhatDiffers)
{
    const Path a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One"});
    form->OpenListFile(a);
    AnswerProperties({"Media", "Zentrix 64", "Sam", ""});
    Lists().ListPropertiesTabPopupMenuClick();
    EXPECT_EQ(propertiesShown.at(0).listType, "Media");
    EXPECT_FALSE(form->CurrentList()->IsModified());
    AnswerProperties({"Media", "Korvo Handheld", "Sam", "Boxed"});
    Lists().ListPropertiesTabPopupMenuClick();
    EXPECT_TRUE(form->CurrentList()->IsModified());
    EXPECT_EQ(form->CurrentList()->GetDescription(), "Boxed");
}

TEST_F(ListCommandsTest, TabsAndStatusTexts)
{
    const Path a = WriteList("a.csv", ltMedia, "Zentrix 64", {"One", "Two"}, "3");
    form->OpenListFile(a);
    EXPECT_EQ(Status(1), "6 Media");
    EXPECT_EQ(Status(2), "2 Rows");
    form->CurrentList()->GetItem(0)->SetFieldValue("Quantity", std::string("many"));
    form->UpdateStatusBar();
    EXPECT_EQ(Status(1), "3 Media") << "a quantity that is no number counts 0";

    struct Case {
        std::string platform, owner, showOwner, caption;
    } cases[] = {
        {std::string(25, 'P'), "Sam", "0", std::string(25, 'P')},
        {std::string(26, 'P'), "Sam", "0", std::string(25, 'P') + "..."},
        {"Nova", "", "1", "Nova - "},
        {"Nova", std::string(30, 'o'), "1", "Nova - " + std::string(25, 'o') + "..."},
        {"Nova", "Sam", "2", "Nova"},  // only "1" is on
    };
    for (const Case& c : cases) {
        form->CurrentList()->SetPlatform(c.platform);
        form->CurrentList()->SetOwner(c.owner);
        settings->SetSetting(setting::ShowOwner, c.showOwner);
        EXPECT_EQ(form->TabCaption(0), c.caption);
    }
    form->RefreshTabs();  // the list menu reads the setting the same way
    const auto listEntries = form->Action(entry::ListParentTabPopupMenu)->menu()->actions();
    ASSERT_EQ(listEntries.size(), 1);
    EXPECT_EQ(listEntries[0]->text().toStdString(), "Nova");

    const Path b = WriteList("b.csv", ltHardware, "Korvo Handheld", {"Pad"});
    form->OpenListFile(b);
    form->RefreshTabs();
    struct Switch {
        std::string owner, description, status;
    } switches[] = {{"Sam", "", "Sam"},
                    {"Sam", "Loose carts", "Sam, Loose carts"},
                    {"", "", "Sam"} /* unchanged: the other tab's text */,
                    {"", "Loose", "Loose"}};
    for (const Switch& s : switches) {
        form->OpenLists()[0]->SetOwner(s.owner);
        form->OpenLists()[0]->SetDescription(s.description);
        form->OpenTabSetChange(1);
        form->OpenTabSetChange(0);
        EXPECT_EQ(Status(), s.status);
    }
    EXPECT_EQ(form->CurrentList(), form->OpenLists()[0].get());
    form->OpenTabSetChange(7);  // no such tab: nothing changes
    EXPECT_EQ(form->CurrentList(), form->OpenLists()[0].get());
}

// A paint device that notes the texts drawn on it, and whether in bold.
class TextRecorder : public QPaintDevice, public QPaintEngine {
public:
    QString texts;
    bool bold = true;
    QPaintEngine* paintEngine() const override { return const_cast<TextRecorder*>(this); }
    int metric(PaintDeviceMetric m) const override
    {
        if (m == PdmDevicePixelRatio || m == PdmDevicePixelRatioScaled)
            return m == PdmDevicePixelRatio ? 1 : int(devicePixelRatioFScale());
        return m == PdmDpiX || m == PdmDpiY || m == PdmPhysicalDpiX || m == PdmPhysicalDpiY ? 96 : 500;
    }
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override { }
    void drawRects(const QRectF*, int) override { }
    void drawPath(const QPainterPath&) override { }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { }
    void drawTextItem(const QPointF&, const QTextItem& item) override
    {
        texts += item.text();
        bold = bold && item.font().bold();
    }
    Type type() const override { return User; }
};

TEST_F(ListCommandsTest, AChangedListsTabIsStarredAndBold)
{
    form->OpenListFile(WriteList("a.csv", ltMedia, "Zentrix 64", {"One"}));
    form->RefreshTabs();
    for (const bool changed : {false, true}) {
        form->CurrentList()->SetModified(changed);
        TextRecorder drawn;
        {
            QPainter painter(&drawn);
            form->OpenTabSetDrawTab(painter, QRect(0, 0, 300, 20), 0, false);
        }
        const QString caption = (changed ? "*" : "") + form->TabText(0);
        EXPECT_EQ(drawn.texts.toStdString(), caption.toStdString());
        EXPECT_EQ(drawn.bold, changed);
        QFont font = form->findChild<QTabBar*>()->font();
        font.setBold(changed);
        EXPECT_EQ(form->OpenTabSetMeasureTab(0, 0), QFontMetrics(font).horizontalAdvance(caption) + 4);
    }
}

TEST_F(ListCommandsTest, CommandStateFollowsTheOpenListsAndTheSelection)
{
    const Path m1 = WriteList("m1.csv", ltMedia, "Zentrix 64", {"One", "Two"});
    const Path m2 = WriteList("m2.csv", ltMedia, "Zentrix 64", {"Three"});
    const Path h = WriteList("h.csv", ltHardware, "Korvo Handheld", {"Pad"});
    struct Situation {
        std::vector<Path> files;
        std::initializer_list<int> selected;
        bool changed;
    };
    enum Col { NoLists, MediaAndHardware, TwoMediaTwoSelected, OneHardwareSelected, OneSelectedChanged, Count };
    const Situation situations[Count] = {
        {{}, {}, false}, {{m1, h}, {}, false}, {{h, m2, m1}, {0, 1}, false}, {{m1, h}, {0}, false}, {{m1}, {0}, true}};
    // Entry, then its state in each situation (a hardware list is current in the second and the fourth).
    const std::vector<std::pair<const char*, std::array<bool, Count>>> rules = {
        {entry::SaveAsListMainMenu, {false, true, true, true, true}},
        {entry::CloseListMainMenu, {false, true, true, true, true}},
        {entry::CloseAllListsMainMenu, {false, true, true, true, false}},
        {entry::SaveButton, {false, false, false, false, true}},
        {entry::SaveListTabPopupMenu, {false, false, false, false, true}},
        {entry::SaveListMainMenu, {false, false, false, false, true}},
        {entry::OpenListPopupMenu, {true, true, true, true, true}},
        {entry::ListPropertiesTabPopupMenu, {true, true, true, true, true}},
        {entry::ToolsPopupMenu, {false, true, true, true, true}},
        {entry::ChangeParent, {false, false, true, true, true}},
        {entry::MoreInfoMainMenu, {false, false, false, false, true}},
        {entry::ExportListMainMenu, {false, false, true, true, true}},
    };
    for (int s = 0; s < Count; ++s) {
        form->GetListCommands().CloseAllListsMainMenuClick();
        for (const auto& file : situations[s].files)
            form->OpenListFile(file);
        if (situations[s].changed)
            form->CurrentList()->SetOwner("Kim");
        SelectRows(situations[s].selected);
        form->UpdateMenuState();
        for (const auto& [name, states] : rules)
            EXPECT_EQ(Enabled(name), states[size_t(s)]) << name << " in situation " << s;
    }
    fake.confirmAnswers = {false};
}

TEST_F(ListCommandsTest, TheShippedSampleListsOpen)
{
    const Path shipped = ShippedDataDir();
    form->OpenListFile(Path(shipped.Bytes() + "Carts/Zentrix 64 Sample Media.csv"));
    form->OpenListFile(Path(shipped.Bytes() + "Hardware/Korvo Handheld Sample Hardware.csv"));
    EXPECT_TRUE(TakeMessages().empty());
    ASSERT_EQ(form->OpenLists().size(), 2u);
    EXPECT_EQ(form->OpenLists()[0]->Count(), 5);
    EXPECT_EQ(form->OpenLists()[1]->Count(), 3);
}

}  // namespace
}  // namespace quorvel
