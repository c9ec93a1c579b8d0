#include "ui/MainFormTest.h"

#include "config/SettingKeys.h"
#include "model/BaseCustomListClass.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "ui/explorer/CollectionExplorer.h"
#include "ui/explorer/CollectionExplorerGroups.h"
#include "ui/window/MenuNames.h"
#include "ui/commands/ExplorerCommands.h"

#include <QTableView>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace quorvel::test {
namespace {

std::string ListText(const std::string& type, const std::string& owner, const std::string& title = "X")
{
    return "QV1.2\r\n\"" + type + "\",\"Zentrix 64\",\"" + owner + "\",\"Desc%0Aline\"\r\n\"TITLE\"\r\n\"" + title +
        "\"\r\n";
}

class ExplorerTest : public MainFormTest {
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        MakeForm();
    }

    std::string Put(const char* folderKey, const std::string& name, const std::string& content) const
    {
        const std::string path = JoinPath(settings->GetFolder(folderKey), Path(name)).Bytes();
        std::filesystem::create_directories(settings->GetFolder(folderKey).Bytes());
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }
    std::string Group(const std::string& name, const std::vector<std::string>& entries) const
    {
        const std::string path = JoinPath(settings->GetFolder(setting::GroupPath), Path(name + ".ini")).Bytes();
        WriteGroupFile(Path(path), entries);
        return path;
    }
    CollectionExplorer& Tree() { return form->Explorer(); }
    ExplorerCommands& Commands() { return form->GetExplorerCommands(); }
    QTreeWidgetItem* Root(ExplorerRoot root) { return Tree().Root(root); }
    static QTreeWidgetItem* Child(QTreeWidgetItem* parent, const std::string& caption)
    {
        for (int i = 0; parent && i < parent->childCount(); ++i)
            if (CollectionExplorer::Caption(parent->child(i)) == caption)
                return parent->child(i);
        return nullptr;
    }
    static std::vector<std::string> Captions(QTreeWidgetItem* parent)
    {
        std::vector<std::string> captions;
        if (parent)
            parent->setExpanded(true);
        for (int i = 0; parent && i < parent->childCount(); ++i)
            captions.push_back(CollectionExplorer::Caption(parent->child(i)));
        return captions;
    }
    // Selects the node and chooses the popup entry, as the user does.
    void Choose(QTreeWidgetItem* node, const char* entry)
    {
        Tree().setCurrentItem(node);
        form->Action(entry)->trigger();
    }
    std::vector<std::string> OpenFiles() const
    {
        std::vector<std::string> files;
        for (const auto& list : form->OpenLists())
            files.push_back(ExtractFileName(list->GetOpenedFileName()).Bytes());
        return files;
    }
};

TEST_F(ExplorerTest, GroupFilesRoundTrip)
{
    // The file before (empty: none), whether the entry is added (else removed), the entries after.
    // clang-format off
    const std::tuple<std::string, std::string, bool, const char*, std::vector<std::string>> cases[] = {
        {"NewGroupHasOneEmptyEntry", "", true, "", {}},
        {"EmptyEntriesDroppedOnWrite", "[GROUP]\r\nCount=3\r\nGroup0=\r\nGroup1=/a.csv\r\nGroup2=\r\n", true, "/b.csv",
         {"/a.csv", "/b.csv"}},
        {"DuplicateIgnoringCaseRefused", "[GROUP]\r\nCount=1\r\nGroup0=/A.csv\r\n", true, "/a.CSV", {"/A.csv"}},
        {"RemoveFirstMatch", "[GROUP]\r\nCount=3\r\nGroup0=/a.csv\r\nGroup1=/b.csv\r\nGroup2=/A.csv\r\n", false, "/A.CSV",
         {"/b.csv", "/A.csv"}},
        {"RemoveAbsentWritesNothing", "[GROUP]\r\nCount=1\r\nGroup0=/a.csv\r\n", false, "/z.csv", {"/a.csv"}},
        {"HugeCountVisitsOnlyPresentKeys", "[GROUP]\r\nCount=2000000000\r\nGroup1=/b.csv\r\n", true, "/c.csv",
         {"/b.csv", "/c.csv"}},
    };
    // clang-format on
    for (const auto& [name, before, add, entry, after] : cases) {
        if (!before.empty())
            WriteFile(name + ".ini", before);
        fake.messages.clear();
        const bool wrote =
            add ? AddFileToGroup(PathOf(name + ".ini"), Path(entry))
                : RemoveFileFromGroup(PathOf(name + ".ini"), Path(entry));
        EXPECT_EQ(ReadGroupFile(PathOf(name + ".ini")), after) << name;
        EXPECT_EQ(wrote, fake.messages.empty() && before != ReadFile(name + ".ini")) << name;
    }
    EXPECT_EQ(ReadFile("NewGroupHasOneEmptyEntry.ini"), "[GROUP]\r\nCount=1\r\nGroup0=\r\n");
    AddFileToGroup(PathOf("DuplicateIgnoringCaseRefused.ini"), Path("/a.CSV"));
    EXPECT_EQ(fake.messages.at(0).text.toStdString(), "The list /a.CSV is already in this group.");
}

TEST_F(ExplorerTest, BuildListsEveryRootByItsRules)
{
    Put(setting::CartPath, "b.csv", ListText("Media", "Me"));
    Put(setting::CartPath, "C.csv", ListText("Hardware", "You"));
    Put(setting::CartPath, "Orbix.csv", "QV1.1\r\n\"Zentrix 64\",\"50% done\",\"Old\"\r\n\"TITLE\"\r\n");
    Put(setting::CartPath, "Orbix.old.csv", ListText("Hardware", "Other"));
    Put(setting::CartPath, "junk.csv", "no list at all\r\n");
    Put(setting::CartPath, "Reports.csv", ListText("Media", "Me"));
    Put(setting::CartPath, "notes.txt", ListText("Media", "Me"));
    const std::string locked = Put(setting::CartPath, "locked.csv", ListText("Media", "Me"));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    const std::string member = Put(setting::HardwarePath, "pad.csv", ListText("Hardware", "Me"));
    Group("Shelf", {member, "/gone/away.csv", member});
    Put(setting::ReportPath, "bin.html", "<html>");
    Put(setting::ExportPath, "out.csv", "a,b");
    Put(setting::MasterCartPath, "Zentrix 64 Master.csv", ListText("Media", "Maker"));
    Tree().BuildExplorerTree();

    ASSERT_EQ(Tree().topLevelItemCount(), 6);
    const bool root = geteuid() == 0;
    std::vector<std::string> media = {"C", "Orbix", "Reports", "b", "junk", "locked"};
    EXPECT_EQ(Captions(Root(ExplorerRoot::Media)), media);
    const std::vector<std::string> info = {"Owner: You", "Platform: Zentrix 64", "Type: Hardware",
                                           "Description: Desc line"};
    // The root, the caption, the node's record (its file name only checked for being set), its lines.
    const std::tuple<ExplorerRoot, const char*, std::optional<ExplorerNodeData>, std::vector<std::string>> nodes[] = {
        {ExplorerRoot::Media, "C", ExplorerNodeData {ekListFile, ecHardware, Path("x")}, info},
        {ExplorerRoot::Media,
         "Orbix",
         ExplorerNodeData {ekListFile, ecMedia, Path("x")},
         {"Owner: 50% done", "Platform: Zentrix 64", "Type: Media", "Description: Old"}},
        {ExplorerRoot::Media, "junk", std::nullopt, {}},
        {ExplorerRoot::Groups, "Shelf", ExplorerNodeData {ekGroup, ecGroup, Path("x")}, {"pad", "pad"}},
        {ExplorerRoot::Reports, "bin", ExplorerNodeData {ekReport, ecReport, Path("x")}, {}},
        {ExplorerRoot::Exports, "out", std::nullopt, {}},
        {ExplorerRoot::Masters,
         "Zentrix 64 Master",
         ExplorerNodeData {ekListFile, ecMedia, Path("x")},
         {"Owner: Maker", "Platform: Zentrix 64", "Type: Media", "Description: Desc line"}},
    };
    for (const auto& [under, caption, expected, children] : nodes) {
        QTreeWidgetItem* node = Child(Root(under), caption);
        ASSERT_NE(node, nullptr) << caption;
        const ExplorerNodeData* data = CollectionExplorer::NodeData(node);
        EXPECT_EQ(data != nullptr, expected.has_value()) << caption;
        if (data && expected) {
            EXPECT_TRUE(data->Kind == expected->Kind && data->Category == expected->Category && !data->FileName.empty())
                << caption;
        }
        EXPECT_EQ(Captions(node), children) << caption;
    }
    // An unreadable file is no list: no record, no lines.
    EXPECT_EQ(CollectionExplorer::NodeData(Child(Root(ExplorerRoot::Media), "locked")) == nullptr, !root);
    // A file captioned like a root does not take its place.
    EXPECT_EQ(Root(ExplorerRoot::Reports)->parent(), nullptr);
    EXPECT_EQ(Captions(Root(ExplorerRoot::Reports)), std::vector<std::string> {"bin"});
    // The group file keeps the entry of the missing file.
    EXPECT_EQ(ReadGroupFile(JoinPath(settings->GetFolder(setting::GroupPath), "Shelf.ini")).size(), 3u);
}

TEST_F(ExplorerTest, AddedNodesGoUnderTheirRootOnce)
{
    Tree().BuildExplorerTree();
    const std::string list = Put(setting::CartPath, "new.csv", ListText("Media", "Me"));
    const std::string report = Put(setting::ReportPath, "trade.html", "<html>");
    const std::string exported = Put(setting::ExportPath, "sel.csv", "a");
    // The root, the file, whether its node carries a record.
    const std::tuple<ExplorerRoot, std::string, bool> cases[] = {{ExplorerRoot::Media, list, true},
                                                                 {ExplorerRoot::Reports, report, true},
                                                                 {ExplorerRoot::Exports, exported, false}};
    for (const auto& [root, file, record] : cases) {
        for (int twice = 0; twice < 2; ++twice)
            form->AddExplorerFileNode(root, Path(file));
        ASSERT_EQ(Root(root)->childCount(), 1) << file;
        EXPECT_EQ(CollectionExplorer::NodeData(Root(root)->child(0)) != nullptr, record) << file;
    }
    Tree().AddExplorerFileNode(nullptr, Path(list));
    Put(setting::HardwarePath, "late.csv", ListText("Hardware", "Me"));
    EXPECT_EQ(Captions(Root(ExplorerRoot::Hardware)), std::vector<std::string> {});
    Choose(Root(ExplorerRoot::Hardware), entry::RefreshExplorerPopupMenu);
    EXPECT_EQ(Captions(Root(ExplorerRoot::Hardware)), std::vector<std::string> {"late"});
}

// The lists folder named directly, through a symbolic link, or with "." in it: a list saved there
// shows at once, and only once after a Refresh.
TEST_F(ExplorerTest, ASavedListShowsAtOnceHoweverItsFolderIsNamed)
{
    const std::string real = programDir + "Shelf/";
    std::filesystem::create_directories(real);
    std::filesystem::create_symlink(real, programDir + "Linked");
    for (const std::string& folder : {real, programDir + "Linked/", programDir + "./Linked"}) {
        std::filesystem::remove_all(real);
        std::filesystem::create_directories(real);
        settings->SetSetting(setting::CartPath, folder);
        Tree().BuildExplorerTree();
        AnswerProperties({"Media", "Zentrix 64", "Sam", ""});
        Lists().NewButtonClick();
        fake.fileAnswers = {ToQString(folder + "/saved.csv")};
        Lists().SaveAsButtonClick();
        EXPECT_EQ(Captions(Root(ExplorerRoot::Media)), std::vector<std::string> {"saved"}) << folder;
        Choose(Root(ExplorerRoot::Media), entry::RefreshExplorerPopupMenu);
        EXPECT_EQ(Captions(Root(ExplorerRoot::Media)), std::vector<std::string> {"saved"}) << folder;
        Lists().CloseAllListsMainMenuClick();
    }
}

TEST_F(ExplorerTest, DeleteAsksAndRefusesOpenLists)
{
    // The list's name, whether it is open, the answer (none: no question but a warning), whether deleted.
    const std::tuple<std::string, bool, std::optional<bool>, bool> cases[] = {
        {"yes", false, true, true}, {"no", false, false, false}, {"open", true, std::nullopt, false}};
    for (const auto& [name, open, answer, deleted] : cases) {
        const std::string file = Put(setting::CartPath, name + ".csv", ListText("Media", "Me"));
        Tree().BuildExplorerTree();
        if (open)  // opened under another spelling of the same path
            form->OpenListFile(JoinPath(settings->GetFolder(setting::CartPath), Path("./" + name + ".csv")));
        fake.messages.clear();
        if (answer)
            fake.confirmAnswers.push_back(*answer);
        Choose(Child(Root(ExplorerRoot::Media), name), entry::DeleteExplorerFile);
        EXPECT_EQ(FileExists(Path(file)), !deleted) << name;
        EXPECT_EQ(Child(Root(ExplorerRoot::Media), name) == nullptr, deleted) << name;
        ASSERT_EQ(fake.messages.size(), 1u) << name;
        EXPECT_EQ(fake.messages[0].kind, answer ? MessageKind::Confirmation : MessageKind::Warning) << name;
    }
}

TEST_F(ExplorerTest, NewGroupNames)
{
    Group("Taken", {});
    // The name typed (none: cancelled), the file made in the group folder (empty: none), the message.
    const std::tuple<std::optional<QString>, std::string, std::string> cases[] = {
        {"My.Group\\Stuff/x", "MyGroupStuffx.ini", ""},
        {"./\\..", "", "\"./\\..\" cannot be used as a group name."},
        {QString("Tab\tName"), "", "\"Tab\tName\" cannot be used as a group name."},
        {"ta.ken", "", "The Group taken already exists."},
        {std::nullopt, "", ""},
    };
    const Path folder = settings->GetFolder(setting::GroupPath);
    for (const auto& [answer, file, message] : cases) {
        Tree().BuildExplorerTree();
        fake.messages.clear();
        fake.inputAnswers.push_back(answer);
        Choose(Root(ExplorerRoot::Groups), entry::NewGroupExplorerPopupMenu);
        EXPECT_EQ(fake.messages.empty() ? "" : fake.messages[0].text.toStdString(), message);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Bytes()), {}), file.empty() ? 1 : 2)
            << message;
        if (!file.empty()) {
            EXPECT_EQ(IniFile::Load(JoinPath(folder, Path(file))).ReadInteger("GROUP", "Count", 0), 1);
            EXPECT_NE(Child(Root(ExplorerRoot::Groups), ChangeFileExt(Path(file), "").Bytes()), nullptr);
            std::filesystem::remove(JoinPath(folder, Path(file)).Bytes());
        }
    }
}

TEST_F(ExplorerTest, PopupEnablingAndDropRules)
{
    const std::string a = Put(setting::CartPath, "a.csv", ListText("Media", "Me"));
    Group("G", {a});
    Put(setting::ReportPath, "r.html", "<html>");
    Tree().BuildExplorerTree();
    QTreeWidgetItem* groups = Root(ExplorerRoot::Groups);
    QTreeWidgetItem* group = Child(groups, "G");
    QTreeWidgetItem* member = Child(group, "a");
    QTreeWidgetItem* list = Child(Root(ExplorerRoot::Media), "a");
    QTreeWidgetItem* report = Child(Root(ExplorerRoot::Reports), "r");
    list->setExpanded(true);
    QTreeWidgetItem* infoLine = list->child(0);
    // The node, its entries Open, Delete, New Group, Remove From Group enabled as 0/1, whether it may be
    // dropped on a group and on the grid.
    const std::tuple<const char*, QTreeWidgetItem*, std::string, bool, bool> cases[] = {
        {"groups root", groups, "0010", false, false},
        {"group", group, "1100", false, true},
        {"member", member, "1101", true, true},
        {"list", list, "1100", true, true},
        {"media root", Root(ExplorerRoot::Media), "0000", false, true},
        {"report", report, "1100", true, false},
        {"info line", infoLine, "0000", false, false},
    };
    const char* entries[] = {entry::OpenExplorerFile, entry::DeleteExplorerFile, entry::NewGroupExplorerPopupMenu,
                             entry::RemoveFromGroupExplorerPopupMenu};
    for (const auto& [name, node, enabled, toGroup, toGrid] : cases) {
        Tree().setCurrentItem(node);
        std::string shown;
        for (const char* entry : entries)
            shown += form->Action(entry)->isEnabled() ? '1' : '0';
        EXPECT_EQ(shown, enabled) << name;
        EXPECT_EQ(ExplorerCommands::AcceptsGroupDrop(false, node, group), toGroup) << name;
        EXPECT_FALSE(ExplorerCommands::AcceptsGroupDrop(false, node, groups)) << name;
        EXPECT_EQ(ExplorerCommands::AcceptsGridDrop(false, node), toGrid) << name;
        EXPECT_FALSE(ExplorerCommands::AcceptsGridDrop(true, node)) << name;
    }
}

TEST_F(ExplorerTest, ViewOptionsAndTogglesChangeTheSettingsInMemory)
{
    // Entry chosen, whether it is a grid-lines entry, and the state after it.
    const std::tuple<const char*, bool, bool> steps[] = {{entry::HideExplorerExplorerPopupMenu, false, false},
                                                         {entry::CollectionExplorerMainMenu, false, true},
                                                         {entry::CollectionExplorerPopupMenu, false, false},
                                                         {entry::GridLinesPopupMenu, true, true},
                                                         {entry::GridLinesMainMenu, true, false}};
    settings->SetSetting(setting::ShowGrid, "yes");  // only "1" is on
    settings->SetSetting(setting::ShowCollectionExplorer, "1");
    form->ApplyViewOptions();
    EXPECT_FALSE(form->Grid().showGrid() || form->Action(entry::GridLinesMainMenu)->isChecked());
    EXPECT_TRUE(form->findChild<QWidget*>("ExplorerPanel")->isVisibleTo(form.get()));
    const std::string before = ReadFile("Quorvel.ini");
    for (const auto& [entry, grid, on] : steps) {
        form->Action(entry)->trigger();
        EXPECT_EQ(settings->GetSetting(grid ? setting::ShowGrid : setting::ShowCollectionExplorer), on ? "1" : "0")
            << entry;
        EXPECT_EQ(grid ? form->Grid().showGrid() : !form->Explorer().parentWidget()->isHidden(), on) << entry;
        for (const char* mirror : {"MainMenu", "PopupMenu"})
            EXPECT_EQ(
                form->Action(((grid ? "GridLines" : "CollectionExplorer") + std::string(mirror)).c_str())->isChecked(),
                on)
                << entry;
    }
    EXPECT_EQ(ReadFile("Quorvel.ini"), before);
}

TEST_F(ExplorerTest, GroupMembersOpenPastACorruptOne)
{
    const std::string first = Put(setting::CartPath, "first.csv", ListText("Media", "Me"));
    const std::string bad =
        Put(setting::CartPath, "bad.csv", "QV1.2\r\n\"Media\",\"P\",\"O\",\"D%zz\"\r\n\"TITLE\"\r\n");
    const std::string third = Put(setting::HardwarePath, "third.csv", ListText("Hardware", "Me"));
    Group("Mixed", {first, bad, third});
    Tree().BuildExplorerTree();
    QTreeWidgetItem* group = Child(Root(ExplorerRoot::Groups), "Mixed");

    Commands().OpenGroup(group, true);
    EXPECT_TRUE(Commands().GetLoadFilesTimer().isActive());
    Commands().LoadFilesTimerTimer();
    EXPECT_EQ(OpenFiles(), (std::vector<std::string> {"first.csv", "third.csv"}));
    EXPECT_EQ(std::count_if(fake.messages.begin(), fake.messages.end(),
                            [](const ShownMessage& m) { return m.kind == MessageKind::Error; }),
              1);
    EXPECT_FALSE(Commands().IsLoadingFiles());
    EXPECT_TRUE(form->Grid().isEnabled());

    // Removing a member edits only the group file.
    fake.confirmAnswers.push_back(true);
    Choose(Child(group, "first"), entry::RemoveFromGroupExplorerPopupMenu);
    EXPECT_EQ(fake.messages.back().text.toStdString(), "Are you sure you want to remove first from the group Mixed?");
    EXPECT_EQ(Captions(group), (std::vector<std::string> {"bad", "third"}));
    EXPECT_TRUE(FileExists(Path(first)));
}

}  // namespace
}  // namespace quorvel::test
