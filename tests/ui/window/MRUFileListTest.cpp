#include "ui/window/MRUFileList.h"
#include "platform/qt/RecentFilesStore.h"
#include "support/TempDir.h"

#include <QMenu>

#include <filesystem>

namespace quorvel {
namespace {

class MRUFileListTest : public test::TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        store = std::make_unique<SettingsRecentFilesStore>(QString::fromStdString(PathOf("conf/mru.conf")));
        mru = std::make_unique<TdfsMRUFileList>(*store);
        menu.addAction("Reopen")->setVisible(false);
        mru->SetFileMenu(&menu);
    }

    void Add(std::initializer_list<const char*> names)
    {
        for (const char* name : names)
            mru->AddItem(name);
    }

    QStringList Captions() const
    {
        QStringList captions;
        for (QAction* a : menu.actions())
            captions << (a->isSeparator() ? "-" : a->isVisible() ? a->text() : "(hidden)");
        return captions;
    }

    std::vector<std::string> Items() const { return mru->Items(); }

    RecentFilesStore::Values Stored() const { return store->Read("\\Software\\Quorvel", "MRU Items"); }

    QMenu menu;  // outlives the list, which takes its entries out
    std::unique_ptr<SettingsRecentFilesStore> store;
    std::unique_ptr<TdfsMRUFileList> mru;
};

TEST_F(MRUFileListTest, KeepsFiveNewestFirstAndComparesExactly)
{
    Add({"/l/a.csv", "/l/b.csv", "/l/c.csv", "/l/d.csv", "/l/e.csv", "/l/f.csv"});
    EXPECT_EQ(Items(), (std::vector<std::string> {"/l/f.csv", "/l/e.csv", "/l/d.csv", "/l/c.csv", "/l/b.csv"}));
    Add({"/l/c.csv", "/l/C.csv"});
    EXPECT_EQ(Items(), (std::vector<std::string> {"/l/C.csv", "/l/c.csv", "/l/f.csv", "/l/e.csv", "/l/d.csv"}));
    mru->AddItem("/R&D/x.csv");
    EXPECT_EQ(Captions(),
              (QStringList {"(hidden)", "-", "&1 /R&&D/x.csv", "&2 /l/C.csv", "&3 /l/c.csv", "&4 /l/f.csv",
                            "&5 /l/e.csv", "-", "&Clear MRU List", "&Remove Obsolete"}));

    mru->SetMaximum(2);
    EXPECT_EQ(Items(), (std::vector<std::string> {"/R&D/x.csv", "/l/C.csv"}));
    menu.actions()[5]->trigger();
    EXPECT_EQ(menu.actions().size(), 1);
    EXPECT_TRUE(mru->Save());
    EXPECT_TRUE(Stored().empty());

    // Measured in the menu font: folders go, the name stays.
    mru->AddItem("/home/collector/Collections/Orbix/Lists/Orbix VX Media.csv");
    const QString caption = menu.actions()[2]->text();
    EXPECT_TRUE(caption.startsWith("&1 /.../")) << caption.toStdString();
    EXPECT_TRUE(caption.endsWith("/Orbix VX Media.csv"));
}

TEST_F(MRUFileListTest, AClickTakesTheEntryOutBeforeOpening)
{
    Add({"/l/gone.csv", "/l/list.csv"});
    std::vector<std::string> clicked;
    mru->OnMRUItemClick = [&](const std::string& name) {
        clicked.push_back(name);
        if (name == "/l/list.csv")
            mru->AddItem(name);  // opened: back on top; a failed open leaves it out
    };
    menu.actions()[2]->trigger();
    EXPECT_EQ(Items(), (std::vector<std::string> {"/l/list.csv", "/l/gone.csv"}));
    menu.actions()[3]->trigger();
    EXPECT_EQ(Items(), (std::vector<std::string> {"/l/list.csv"}));
    EXPECT_EQ(clicked, (std::vector<std::string> {"/l/list.csv", "/l/gone.csv"}));

    WriteFile("here.csv", "x");
    Add({PathOf("here.csv").c_str(), "/no/such.csv"});
    mru->RemoveObsoleteItems();
    EXPECT_EQ(Items(), (std::vector<std::string> {PathOf("here.csv")}));
}

TEST_F(MRUFileListTest, LoadsInNumericOrderAndSavesNewestFirst)
{
    store->Replace("\\Software\\Quorvel", "MRU Items",
                   {{"F0", "/a"},
                    {"F1", "/b"},
                    {"F10", "/k"},
                    {"F2", ""},
                    {"F3", "/a"},
                    {"F4", "/x y/\u00e9.csv"},
                    {"F5", "/d"},
                    {"Other", "/o"},
                    {"F6", "/e"},
                    {"F7", "/f"}});
    EXPECT_TRUE(mru->Load());
    EXPECT_EQ(Items(), (std::vector<std::string> {"/a", "/b", "/x y/\xc3\xa9.csv", "/d", "/e"}));
    mru->AddItem("/n");
    EXPECT_TRUE(mru->Save());
    EXPECT_EQ(
        Stored(),
        (RecentFilesStore::Values {{"F0", "/n"}, {"F1", "/a"}, {"F2", "/b"}, {"F3", "/x y/\u00e9.csv"}, {"F4", "/d"}}));
}

TEST_F(MRUFileListTest, NoPermissionFailedSaveIsOnlyTold)
{
    QUORVEL_SKIP_AS_ROOT();
    std::filesystem::create_directories(PathOf("conf"));
    std::filesystem::permissions(PathOf("conf"),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    mru->AddItem("/a");
    EXPECT_FALSE(mru->Save());
}

TEST_F(MRUFileListTest, ShortensFolderByFolderAndNumbersUpToZ)
{
    mru->MeasureText = [](const QString& text) { return int(text.size()) * 10; };
    const struct {
        int width;
        const char* shown;
    } cases[] = {
        {230, "/alpha/beta/gamma/x.csv"},
        {220, "/.../beta/gamma/x.csv"},
        {200, "/.../gamma/x.csv"},
        {150, "/.../x.csv"},
        {95, ".../x.csv"},
        {10, "x.csv"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(mru->ShortenPath("/alpha/beta/gamma/x.csv", c.width), c.shown) << c.width;
    EXPECT_EQ(mru->ShortenPath("x.csv", 1), "x.csv");
    // A name still too wide for the screen is cut in its middle, and only then.
    const struct {
        const char* path;
        int widest;
        const char* shown;
    } long_names[] = {
        {"/alpha/x.csv", 200, "/alpha/x.csv"},
        {"/a/abcdefghijklmnopqrst.csv", 1000, "abcdefghijklmnopqrst.csv"},
        {"/a/abcdefghijklmnopqrst.csv", 100, "abcde\u2026.csv"},
        {"/a/abcdefghijklmnopqrst.csv", 5, "\u2026"},
    };
    for (const auto& c : long_names)
        EXPECT_EQ(mru->MenuCaption(c.path, c.widest), QString(c.shown)) << c.path << " " << c.widest;

    EXPECT_EQ(TdfsMRUFileList::GetAccelerator(0), "&1 ");
    EXPECT_EQ(TdfsMRUFileList::GetAccelerator(9), "&0 ");
    EXPECT_EQ(TdfsMRUFileList::GetAccelerator(10), "&A ");
    EXPECT_EQ(TdfsMRUFileList::GetAccelerator(35), "&Z ");
    EXPECT_EQ(TdfsMRUFileList::GetAccelerator(36), "");
}

}  // namespace
}  // namespace quorvel
