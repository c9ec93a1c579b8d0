#include "ui/ConfigFolderTest.h"

#include "config/SettingKeys.h"
#include "config/SiteAddresses.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>

#include <filesystem>

namespace quorvel {
namespace {

using test::ConfigFolderTest;
using test::MessageKind;
using test::ShownMessage;
namespace fs = std::filesystem;

const char kCharacterMessage[] = "Platform Names can not contain the following characters ?\"/\\<>*|:$";

class OptionsFormTest : public ConfigFolderTest {
protected:
    void SetUp() override
    {
        ConfigFolderTest::SetUp();
        WriteSampleConfig();
    }

    // Runs the dialog once; Work may use its controls and returns how it closes.
    int Show(
        std::function<int()> work = [] { return int(QDialog::Accepted); }, int page = -1)
    {
        fake.dialogAnswers.push_back([work](QDialog&) { return work(); });
        return form->ShowOptions(page);
    }

    std::vector<ShownMessage> TakeMessages()
    {
        auto shown = fake.messages;
        fake.messages.clear();
        return shown;
    }

    // Nothing shown when message is empty, else exactly this one message.
    void ExpectShown(MessageKind kind, const std::string& message, const std::string& context)
    {
        const auto shown = TakeMessages();
        if (message.empty())
            EXPECT_TRUE(shown.empty()) << context;
        else
            EXPECT_EQ(shown, (std::vector<ShownMessage> {{kind, QString::fromStdString(message)}})) << context;
    }

    // Removing asks first: No keeps every entry, Yes removes the selected ones.
    void RemoveAnsweringNoThenYes(QPushButton* remove, QListWidget* list, const QString& question)
    {
        const int before = list->count();
        fake.confirmAnswers = {false, true};
        remove->click();
        EXPECT_EQ(list->count(), before);
        remove->click();
        EXPECT_EQ(TakeMessages(), (std::vector<ShownMessage>(2, {MessageKind::Confirmation, question})));
    }

    void Type(QLineEdit* edit, const QString& text)
    {
        edit->setText(text);
        emit edit->textEdited(text);
    }
};

TEST_F(OptionsFormTest, PagesChoicesInTheirStoredOrderAndDefaultFolders)
{
    MakeForm();
    auto* pages = Child<QTabWidget>("PageControl");

    QStringList radios;
    for (auto* radio : pages->widget(1)->findChildren<QRadioButton*>())
        radios << radio->text();
    // The index of a choice is what the settings file stores.
    EXPECT_EQ(radios,
              QStringList({"Owner - Platform", "Platform - Owner", "Platform", "Append List Type to END of File Name",
                           "Append List Type to FRONT of File Name", "Don't Append List Type to File Name"}));

    auto* paths = Child<QTableWidget>("PathListView");
    const char* rows[][2] = {{"Group Files", "Groups/"},      {"Media Files", "Carts/"},
                             {"Hardware Files", "Hardware/"}, {"Master Files", "Masters/"},
                             {"Report Files", "Reports/"},    {"Export Files", "Export/"},
                             {"Config Files", "Config/"}};
    ASSERT_EQ(paths->rowCount(), 7);
    for (int r = 0; r < 7; ++r) {
        EXPECT_EQ(paths->item(r, 0)->text(), rows[r][0]);
        EXPECT_EQ(paths->item(r, 1)->text().toStdString(), programDir + rows[r][1]);
    }

    // A first run shows the export warning checked and holds it as on.
    EXPECT_TRUE(Child<QCheckBox>("WarnOnExportCheckBox")->isChecked());
    EXPECT_EQ(settings->GetSetting(setting::WarnOnExport), "1");
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(OptionsFormTest, ControlsReachTheStoreOnlyOnAPathThatSaves)
{
    MakeForm();
    auto* grid = Child<QCheckBox>("ShowGridCheckBox");
    auto* owner = Child<QLineEdit>("DefaultOwnerEdit");

    // Cancelled without saving (a property dialog's option button): the store is untouched.
    Show([&] {
        grid->setChecked(true);
        owner->setText("Sam");
        return int(QDialog::Rejected);
    });
    EXPECT_EQ(settings->GetSetting(setting::ShowGrid), "0");
    EXPECT_EQ(settings->GetSetting(setting::DefaultOwner), "");

    // The View menu turns grid lines on; closing the program saves that, not the dialog's old state.
    settings->SetSetting(setting::ShowGrid, "1");
    form->SaveSettings();
    EXPECT_EQ(IniFile::Load(G_ConfigFile).ReadString("General", "ShowGrid", ""), "1");

    // The next showing shows the store's values again.
    Show([&] {
        EXPECT_TRUE(grid->isChecked());
        EXPECT_EQ(owner->text(), "");
        owner->setText("Sam Reyes");
        return int(QDialog::Accepted);
    });
    Child<QGroupBox>("AppendListTypeGroup")->findChildren<QRadioButton*>()[2]->setChecked(true);
    form->AcceptChanges();
    EXPECT_EQ(settings->GetSetting(setting::DefaultOwner), "Sam Reyes");
    EXPECT_EQ(settings->GetSetting(setting::AppendListType), "2");
    const IniFile ini = IniFile::Load(G_ConfigFile);
    EXPECT_EQ(ini.ReadString("General", "DefaultOwner", ""), "Sam Reyes");
    EXPECT_EQ(ini.ReadString("General", "AppendListType", ""), "2");
}

TEST_F(OptionsFormTest, EachCheckBoxShowsAndStoresItsOwnSetting)
{
    const char* const boxes[][2] = {{"ShowSplashCheckBox", "ShowSplash"},
                                    {"ShowOwnerCheckBox", "ShowOwner"},
                                    {"CreateBackupsCheckBox", "BackupFiles"},
                                    {"LoadLastFilesCheckBox", "LoadLastCartFile"},
                                    {"WarnOnExportCheckBox", "WarnOnExport"},
                                    {"ShowGridCheckBox", "ShowGrid"},
                                    {"ShowCollectionExplorerCheckBox", "ShowCollectionExplorer"}};
    MakeForm();
    for (const auto& [box, key] : boxes) {
        // Only this setting off: only its box shows unchecked; every box toggled, only it is stored on.
        for (const auto& [other, otherKey] : boxes)
            settings->SetSetting(otherKey, otherKey == key ? "0" : "1");
        Show();
        for (const auto& [other, otherKey] : boxes) {
            EXPECT_EQ(Child<QCheckBox>(other)->isChecked(), other != box) << box << " shown in " << other;
            Child<QCheckBox>(other)->toggle();
        }
        form->AcceptChanges();
        for (const auto& [other, otherKey] : boxes)
            EXPECT_EQ(settings->GetSetting(otherKey), other == box ? "1" : "0") << box << " stored in " << otherKey;
    }
}

TEST_F(OptionsFormTest, ShowingTwiceChangesNothingAndAnEmptiedOwnerStaysEmpty)
{
    WriteFile("Quorvel.ini",
              "[General]\r\nFirstTime=0\r\nDefaultOwner=Sam\r\nShowSplash=0\r\nSaveAsFormat=x\r\n"
              "[Paths]\r\nCartPath=" +
                  programDir + "Lists\r\n");
    MakeForm();
    auto snapshot = [this] {
        std::vector<std::string> values;
        for (const auto& folder : SettingsStore::Folders())
            values.push_back(settings->GetSetting(folder.key));
        for (const auto& [key, def] : SettingsStore::GeneralDefaults())
            values.push_back(settings->GetSetting(key));
        return values;
    };
    const auto before = snapshot();
    Show();
    Show();
    EXPECT_EQ(snapshot(), before);
    // A value that is no choice of its group shows the first choice.
    EXPECT_TRUE(Child<QGroupBox>("SaveAsFormatGroup")->findChildren<QRadioButton*>()[0]->isChecked());

    for (int run = 0; run < 3; ++run) {
        Show([&] {
            Child<QLineEdit>("DefaultOwnerEdit")->clear();
            return int(QDialog::Accepted);
        });
        form->AcceptChanges();
        EXPECT_EQ(settings->GetSetting(setting::DefaultOwner), "") << run;
        EXPECT_EQ(IniFile::Load(G_ConfigFile).Value("General", "DefaultOwner"), std::optional<std::string>("")) << run;
    }
}

TEST_F(OptionsFormTest, BrowseReplacesARowsFolderUntilSaved)
{
    MakeForm();
    auto* paths = Child<QTableWidget>("PathListView");
    auto* browse = Child<QPushButton>("BrowseButton");
    paths->selectRow(6);  // Config Files
    EXPECT_TRUE(browse->isEnabled());

    fake.fileAnswers.push_back(std::nullopt);
    browse->click();
    EXPECT_EQ(paths->item(6, 1)->text().toStdString(), programDir + "Config/");

    const std::string chosen = programDir + "New Config";
    fake.fileAnswers.push_back(QString::fromStdString(chosen));
    emit paths->cellDoubleClicked(6, 1);
    ASSERT_EQ(fake.fileDialogs.size(), 2u);
    EXPECT_EQ(fake.fileDialogs[1].kind, test::FileDialogKind::Folder);
    EXPECT_EQ(fake.fileDialogs[1].request.folder.toStdString(), programDir + "Config/");
    EXPECT_EQ(paths->item(6, 1)->text().toStdString(), chosen + "/");
    EXPECT_EQ(settings->GetSetting(setting::ConfigFiles), programDir + "Config/");

    form->AcceptChanges();
    EXPECT_EQ(IniFile::Load(G_ConfigFile).ReadString("Paths", "ConfigFiles", ""), chosen + "/");
    // The configuration folder moves with the next load, not before.
    EXPECT_EQ(G_ConfigFiles, Path(programDir + "Config/"));
    EXPECT_FALSE(fs::exists(chosen));
    Show();
    EXPECT_EQ(G_ConfigFiles, Path(chosen + "/"));
    EXPECT_TRUE(fs::is_directory(chosen));
}

TEST_F(OptionsFormTest, PlatformsPage)
{
    MakeForm();
    auto* edit = Child<QLineEdit>("PlatformEdit");
    auto* list = Child<QListWidget>("PlatFormListBox");
    auto* add = Child<QPushButton>("PlatformAddButton");
    EXPECT_EQ(Entries(list), (std::vector<std::string> {"Korvo Handheld", "Zentrix 64"}));
    EXPECT_FALSE(add->isEnabled());

    // The name typed, the length of the configuration folder's name (0: the real one), the error.
    const std::tuple<std::string, size_t, std::string> steps[] = {
        {"  Game Box  ", 0, ""},
        {"game box", 0, "The Platform Name already exists in the list."},
        {"   ", 0, "You can not add a blank Platform Name"},
        {"Game:Box", 0, kCharacterMessage},
        {"Game$", 0, kCharacterMessage},
        {"..", 0, "The Platform Name can not be used as a file name."},
        {std::string(215, 'n'), 40, "Platform Names must be less than 215 in length."},
        {std::string(214, 'n'), 40, ""},
    };
    const std::string realFolder = G_ConfigFiles.Bytes();
    for (const auto& [text, folderLength, error] : steps) {
        G_ConfigFiles = Path(folderLength ? std::string(folderLength, 'c') : realFolder);
        const auto before = Entries(list);
        edit->setText(QString::fromStdString(text));
        ASSERT_TRUE(add->isEnabled());
        add->click();
        ExpectShown(MessageKind::Error, error, text);
        EXPECT_EQ(list->count(), int(before.size()) + error.empty()) << text;
        EXPECT_EQ(edit->selectedText(), edit->text()) << text;
    }
    G_ConfigFiles = Path(realFolder);
    const std::string longName(214, 'n');
    EXPECT_EQ(Entries(list), (std::vector<std::string> {"Game Box", "Korvo Handheld", longName, "Zentrix 64"}));
    // The Manufacturers page follows at once, the Cartwell page at the next showing.
    EXPECT_EQ(Entries(Child<QListWidget>("PlatformMfgLB")), Entries(list));
    EXPECT_EQ(Child<QListWidget>("PlatformCartwellLB")->count(), 2);

    // Removing asks first; No keeps everything.
    auto* remove = Child<QPushButton>("PlatformRemoveButton");
    Select(list, {"Game Box", longName});
    ASSERT_TRUE(remove->isEnabled());
    RemoveAnsweringNoThenYes(remove, list, "Are you sure you want to remove the selected Platform Names?");
    EXPECT_EQ(Entries(list), (std::vector<std::string> {"Korvo Handheld", "Zentrix 64"}));
    EXPECT_EQ(Entries(Child<QListWidget>("PlatformMfgLB")), Entries(list));
    EXPECT_FALSE(remove->isEnabled());

    // Double-clicking moves a name into the edit box without a question.
    list->setCurrentRow(1);
    emit list->itemDoubleClicked(list->item(1));
    EXPECT_EQ(edit->text(), "Zentrix 64");
    EXPECT_EQ(Entries(list), std::vector<std::string> {"Korvo Handheld"});
    EXPECT_TRUE(fs::exists(ConfigPath("Zentrix 64.ini").Bytes()));  // a platform's own file stays

    // Page edits reach the platform list and Platforms.ini only on a path that saves.
    EXPECT_TRUE(platforms.Contains("Zentrix 64"));
    Show();
    EXPECT_EQ(Entries(list), (std::vector<std::string> {"Korvo Handheld", "Zentrix 64"}));
    edit->setText("Nimbra Station");
    add->click();
    form->AcceptChanges();
    EXPECT_TRUE(platforms.Contains("nimbra station"));
    EXPECT_EQ(ReadConfig("Platforms.ini").ReadIndexedList("Platforms", "PlatForm"),
              (std::vector<std::string> {"Korvo Handheld", "Nimbra Station", "Zentrix 64"}));
}

TEST_F(OptionsFormTest, BadNamesInPlatformsFileAreDroppedWithOneMessageEach)
{
    WriteConfig("Platforms.ini",
                {"[Platforms]", "Count=9", "PlatForm0=Ok One", "PlatForm1=Who?", "PlatForm3=", "PlatForm5=..",
                 "PlatForm6=ok two"});
    MakeForm();
    EXPECT_EQ(TakeMessages(),
              (std::vector<ShownMessage> {
                  {MessageKind::Error, "The Platform Name Who? can not contain the following characters ?\"/\\<>*|:$"},
                  {MessageKind::Error, "The Platform Name .. can not be used as a file name."}}));
    EXPECT_EQ(Entries(Child<QListWidget>("PlatFormListBox")), (std::vector<std::string> {"Ok One", "ok two"}));
    EXPECT_EQ(platforms.Names(), (std::vector<std::string> {"Ok One", "ok two"}));
}

// The manufacturer and lookup-value pages share their Add and Remove: trimmed, blank and duplicate
// values, removal after a question, and every change written to the file at once.
struct ValuePage {
    const char* Name;
    const char* Chooser;
    const char* Choice;
    std::string Prefix;  // of the page's edit and buttons
    const char* List;
    std::vector<std::string> Initial;
    MessageKind DuplicateKind;
    const char* Duplicate;
    const char* Blank;
    const char* Question;
    const char* File;
    const char* Section;
};

class ValuePageTest : public OptionsFormTest, public ::testing::WithParamInterface<ValuePage> { };

TEST_P(ValuePageTest, AddAndRemoveWriteAtOnce)
{
    const ValuePage& p = GetParam();
    MakeForm();
    auto* edit = Child<QLineEdit>((p.Prefix + "Edit").c_str());
    auto* list = Child<QListWidget>(p.List);
    auto* add = Child<QPushButton>((p.Prefix + "AddButton").c_str());
    auto* remove = Child<QPushButton>((p.Prefix + "RemoveButton").c_str());
    edit->setText("Someone");
    EXPECT_FALSE(add->isEnabled());
    Select(Child<QListWidget>(p.Chooser), {p.Choice});
    EXPECT_EQ(Entries(list), p.Initial);
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    std::vector<std::string> added = p.Initial;
    added.push_back("Lumen");
    // The value typed and what is told (nothing when it is added).
    const std::tuple<std::string, MessageKind, std::string> steps[] = {{"  Lumen ", MessageKind::Error, ""},
                                                                       {"LUMEN", p.DuplicateKind, p.Duplicate},
                                                                       {" ", MessageKind::Error, p.Blank}};
    for (const auto& [text, kind, message] : steps) {
        edit->setText(QString::fromStdString(text));
        add->click();
        ExpectShown(kind, message, text);
        EXPECT_EQ(Entries(list), added) << text;
        EXPECT_EQ(ReadConfig(p.File).ReadIndexedList(p.Section, p.Section), added) << text;
    }
    Select(list, {"Lumen"});
    RemoveAnsweringNoThenYes(remove, list, p.Question);
    EXPECT_EQ(Entries(list), p.Initial);
    EXPECT_EQ(ReadConfig(p.File).ReadIndexedList(p.Section, p.Section), p.Initial);
}

INSTANTIATE_TEST_SUITE_P(
    Pages, ValuePageTest,
    // clang-format off
    ::testing::Values(
        ValuePage {"Manufacturers", "PlatformMfgLB", "Zentrix 64", "Mfg", "MfgListBox", {"Brambleworks", "Fennel Soft"},
                   MessageKind::Error, "The Manufacturer Name already exists in the list.",
                   "You can not add a blank Manufacturer Name",
                   "Are you sure you want to remove the selected Manufacturers Names?", "Zentrix 64.ini", "Mfg"},
        ValuePage {"LookupData", "LookupNameListBox", "Media Type", "Lookup", "LookupDataListBox", {"Cartridge", "Disc"},
                   MessageKind::Warning, "The lookup data already exists in the list.",
                   "You can not add blank lookup information",
                   "Are you sure you want to remove the selected lookup data?", "General.ini", "MediaType"}),
    // clang-format on
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(OptionsFormTest, ManufacturersLoadSaveAndMoveIntoTheEdit)
{
    MakeForm();
    auto* platformList = Child<QListWidget>("PlatformMfgLB");
    auto* edit = Child<QLineEdit>("MfgEdit");
    auto* list = Child<QListWidget>("MfgListBox");
    auto* add = Child<QPushButton>("MfgAddButton");
    auto* remove = Child<QPushButton>("MfgRemoveButton");
    auto* load = Child<QPushButton>("MfgLoadButton");
    auto* save = Child<QPushButton>("MfgSaveButton");

    // Load and Save need a platform (Add and Remove: the shared value-page test).
    EXPECT_FALSE(load->isEnabled() || save->isEnabled());
    Select(platformList, {"Zentrix 64"});

    const auto mfgFile = [this] { return ReadConfig("Zentrix 64.ini").SectionValues("Mfg"); };
    using Pairs = std::vector<std::pair<std::string, std::string>>;

    // Load takes the lines as they are, duplicates and blank lines included, and rewrites the section;
    // the empty name is read back from it.
    WriteFile("makers.txt", "Vexa\r\n\r\nAshgrove\nVexa\r\n");
    fake.fileAnswers.push_back(QString::fromStdString(programDir + "makers.txt"));
    load->click();
    EXPECT_EQ(fake.fileDialogs.back().request.fileName, "*.txt");
    EXPECT_EQ(Entries(list), (std::vector<std::string> {"", "Ashgrove", "Vexa", "Vexa"}));
    EXPECT_EQ(mfgFile(),
              (Pairs {{"Count", "4"}, {"Mfg0", ""}, {"Mfg1", "Ashgrove"}, {"Mfg2", "Vexa"}, {"Mfg3", "Vexa"}}));
    Select(platformList, {"Korvo Handheld"});
    Select(platformList, {"Zentrix 64"});
    EXPECT_EQ(Entries(list), (std::vector<std::string> {"", "Ashgrove", "Vexa", "Vexa"}));
    Select(list, {""});
    fake.confirmAnswers = {true};
    remove->click();
    TakeMessages();
    EXPECT_EQ(mfgFile(), (Pairs {{"Count", "3"}, {"Mfg0", "Ashgrove"}, {"Mfg1", "Vexa"}, {"Mfg2", "Vexa"}}));
    fake.fileAnswers.push_back(std::nullopt);
    load->click();
    EXPECT_EQ(list->count(), 3);

    fake.fileAnswers.push_back(QString::fromStdString(programDir + "out.txt"));
    save->click();
    EXPECT_EQ(fake.fileDialogs.back().kind, test::FileDialogKind::Save);
    EXPECT_EQ(ReadFile("out.txt"), "Ashgrove\r\nVexa\r\nVexa\r\n");
    WriteFile("out.txt", "kept");
    fake.fileAnswers.push_back(QString::fromStdString(programDir + "out.txt"));
    fake.confirmAnswers = {false};
    save->click();
    EXPECT_EQ(TakeMessages().at(0).kind, test::MessageKind::WarningConfirmation);
    EXPECT_EQ(ReadFile("out.txt"), "kept");

    // Double-clicking moves a name into the edit box; the file follows with the next change.
    list->setCurrentRow(0);
    emit list->itemDoubleClicked(list->item(0));
    EXPECT_EQ(edit->text(), "Ashgrove");
    EXPECT_EQ(list->count(), 2);
    EXPECT_EQ(ReadConfig("Zentrix 64.ini").ReadIndexedList("Mfg", "Mfg").size(), 3u);

    // Another platform's file is found ignoring case and keeps its spelling.
    Select(platformList, {"Korvo Handheld"});
    EXPECT_EQ(Entries(list), std::vector<std::string> {"Korvo"});
    edit->setText("Pebblestone");
    add->click();
    EXPECT_FALSE(fs::exists(ConfigPath("Korvo Handheld.ini").Bytes()));
    EXPECT_EQ(ReadConfig("korvo handheld.INI").ReadIndexedList("Mfg", "Mfg"),
              (std::vector<std::string> {"Korvo", "Pebblestone"}));
    EXPECT_TRUE(fake.messages.empty());
}

// A manufacturer file in UTF-8 reads as UTF-8, an older one as Windows-1252; Save writes what Load reads.
TEST_F(OptionsFormTest, ManufacturerFilesReadUtf8AsUtf8AndSaveWhatLoadReads)
{
    MakeForm();
    Select(Child<QListWidget>("PlatformMfgLB"), {"Zentrix 64"});
    auto* list = Child<QListWidget>("MfgListBox");
    const auto shown = [list] {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->item(i)->text();
        return names.join('|').toStdString();
    };
    const struct {
        const char* file;
        const char* shown;  // UTF-8
        const char* saved;
    } cases[] = {
        {"Soci\xC3\xA9t\xC3\xA9\r\n", "Soci\xC3\xA9t\xC3\xA9", "Soci\xC3\xA9t\xC3\xA9\r\n"},
        {"Soci\xE9t\xE9\r\n", "Soci\xC3\xA9t\xC3\xA9", "Soci\xC3\xA9t\xC3\xA9\r\n"},
        {"\xEF\xBB\xBFVexa\r\n\xE2\x82\xAC Zo\xC3\xAB\r\n", "Vexa|\xE2\x82\xAC Zo\xC3\xAB",
         "Vexa\r\n\xE2\x82\xAC Zo\xC3\xAB\r\n"},
        {"Ashgrove\n\x80 Zo\xEB\n", "Ashgrove|\xE2\x82\xAC Zo\xC3\xAB", "Ashgrove\r\n\xE2\x82\xAC Zo\xC3\xAB\r\n"},
    };
    for (const auto& c : cases) {
        WriteFile("makers.txt", c.file);
        fake.fileAnswers.push_back(QString::fromStdString(programDir + "makers.txt"));
        Child<QPushButton>("MfgLoadButton")->click();
        EXPECT_EQ(shown(), c.shown) << c.file;
        fake.fileAnswers.push_back(QString::fromStdString(programDir + "out.txt"));
        fake.confirmAnswers = {true};
        Child<QPushButton>("MfgSaveButton")->click();
        EXPECT_EQ(ReadFile("out.txt"), c.saved) << c.file;
        fake.fileAnswers.push_back(QString::fromStdString(programDir + "out.txt"));
        Child<QPushButton>("MfgLoadButton")->click();
        EXPECT_EQ(shown(), c.shown) << c.file << ": read back";
        TakeMessages();
    }
}

TEST_F(OptionsFormTest, ManufacturerListFollowsThePlatformThatIsSelected)
{
    MakeForm();
    auto* platformsPage = Child<QListWidget>("PlatFormListBox");
    auto* platformList = Child<QListWidget>("PlatformMfgLB");
    auto* list = Child<QListWidget>("MfgListBox");
    Select(platformList, {"Zentrix 64"});
    Child<QLineEdit>("PlatformEdit")->setText("Alpha");
    Child<QPushButton>("PlatformAddButton")->click();
    EXPECT_EQ(platformList->selectedItems().value(0)->text(), "Zentrix 64");
    EXPECT_EQ(list->count(), 2);

    Select(platformsPage, {"Zentrix 64"});
    fake.confirmAnswers = {true};
    Child<QPushButton>("PlatformRemoveButton")->click();
    EXPECT_TRUE(platformList->selectedItems().isEmpty());
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(Child<QPushButton>("MfgLoadButton")->isEnabled());
}

TEST_F(OptionsFormTest, LookupTablesInFileOrder)
{
    MakeForm();
    auto* tables = Child<QListWidget>("LookupNameListBox");
    auto* values = Child<QListWidget>("LookupDataListBox");
    EXPECT_EQ(Entries(tables), (std::vector<std::string> {"Media Type", "Label Color"}));  // file order
    EXPECT_EQ(values->count(), 0);

    Select(tables, {"Label Color"});
    EXPECT_EQ(Entries(values), std::vector<std::string> {"Red"});
}

TEST_F(OptionsFormTest, CartwellPage)
{
    MakeForm();
    auto* list = Child<QListWidget>("PlatformCartwellLB");
    auto* edit = Child<QLineEdit>("SystemIDEdit");
    EXPECT_FALSE(edit->isEnabled());

    Select(list, {"Zentrix 64"});
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_EQ(edit->text(), "17");

    // Filling the edit is a change: a platform without an identifier gets an empty entry.
    Select(list, {"Korvo Handheld"});
    EXPECT_EQ(edit->text(), "");
    EXPECT_EQ(ReadConfig("korvo handheld.INI").Value("SystemID", "SystemID"), std::optional<std::string>(""));

    Type(edit, "4");
    Type(edit, "42");
    EXPECT_EQ(ReadConfig("korvo handheld.INI").ReadString("SystemID", "SystemID", ""), "42");
    EXPECT_EQ(ReadConfig("korvo handheld.INI").ReadIndexedList("Mfg", "Mfg"), std::vector<std::string> {"Korvo"});
    Select(list, {"Zentrix 64"});
    EXPECT_EQ(edit->text(), "17");

    // The link shows and opens the configured address, as text and never as markup of its own.
    auto* link = Child<QLabel>("CartwellLink");
    EXPECT_TRUE(link->text().contains(">" + QString::fromStdString(SiteAddresses {}.Cartwell) + "<"));
    WriteConfig("sites.INI", {"[Sites]", "Cartwell=https://cartwell.test/<b>&/"});
    Show();
    EXPECT_TRUE(link->text().contains(">https://cartwell.test/&lt;b&gt;&amp;/<"));
    emit link->linkActivated({});
    EXPECT_EQ(fake.openedUrls, std::vector<QUrl> {QUrl("https://cartwell.test/<b>&/")});
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(OptionsFormTest, PresetsSelectTheirEntriesOnEveryShowing)
{
    MakeForm();
    form->PresetLookupName = "labelcolor";
    form->PresetPlatform = "ZENTRIX 64";
    for (int showing = 0; showing < 2; ++showing) {
        Show(
            [&] {
                EXPECT_EQ(Child<QTabWidget>("PageControl")->currentIndex(), TOptionsForm::pgLookupData);
                EXPECT_EQ(Child<QListWidget>("LookupNameListBox")->selectedItems().value(0)->text(), "Label Color");
                EXPECT_EQ(Entries(Child<QListWidget>("LookupDataListBox")), std::vector<std::string> {"Red"});
                EXPECT_EQ(Child<QListWidget>("PlatFormListBox")->selectedItems().value(0)->text(), "Zentrix 64");
                EXPECT_EQ(Child<QListWidget>("PlatformMfgLB")->selectedItems().value(0)->text(), "Zentrix 64");
                EXPECT_EQ(Entries(Child<QListWidget>("MfgListBox")),
                          (std::vector<std::string> {"Brambleworks", "Fennel Soft"}));
                EXPECT_EQ(Child<QLineEdit>("SystemIDEdit")->text(), "17");
                return int(QDialog::Rejected);
            },
            TOptionsForm::pgLookupData);
    }
    // Without a preset nothing is selected; the page left last is shown again.
    form->PresetLookupName.clear();
    form->PresetPlatform.clear();
    Show([&] {
        EXPECT_EQ(Child<QTabWidget>("PageControl")->currentIndex(), TOptionsForm::pgLookupData);
        EXPECT_TRUE(Child<QListWidget>("LookupNameListBox")->selectedItems().isEmpty());
        EXPECT_EQ(Child<QListWidget>("LookupDataListBox")->count(), 0);
        EXPECT_EQ(Child<QListWidget>("MfgListBox")->count(), 0);
        return int(QDialog::Rejected);
    });
}

TEST_F(OptionsFormTest, AFailedWriteIsShownAndTheListKeepsWhatTheFileHolds)
{
    MakeForm();
    // A folder where the platform's file should be: it reads as empty and cannot be replaced.
    fs::create_directories(ConfigPath("Nimbra.ini").Bytes());
    Child<QLineEdit>("PlatformEdit")->setText("Nimbra");
    Child<QPushButton>("PlatformAddButton")->click();
    Select(Child<QListWidget>("PlatformMfgLB"), {"Nimbra"});
    auto* list = Child<QListWidget>("MfgListBox");
    EXPECT_EQ(list->count(), 0);

    Child<QLineEdit>("MfgEdit")->setText("Oakhollow");
    Child<QPushButton>("MfgAddButton")->click();
    const auto shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, MessageKind::Error);
    EXPECT_EQ(shown[0].text.toStdString(), "Unable to write to " + ConfigPath("Nimbra.ini").Bytes() + ": Is a directory");
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(form->isEnabled());

    // The System ID is written at every keystroke; a file that cannot be written is reported once.
    fs::remove(ConfigPath("korvo handheld.INI").Bytes());
    fs::create_directories(ConfigPath("korvo handheld.INI").Bytes());
    Select(Child<QListWidget>("PlatformCartwellLB"), {"Korvo Handheld"});
    Type(Child<QLineEdit>("SystemIDEdit"), "4");
    ExpectShown(MessageKind::Error, "Unable to write to " + ConfigPath("korvo handheld.INI").Bytes() + ": Is a directory",
                "first keystroke");
    for (const char* typed : {"42", "421"})
        Type(Child<QLineEdit>("SystemIDEdit"), typed);
    ExpectShown(MessageKind::Error, "", "later keystrokes");
}

}  // namespace
}  // namespace quorvel
