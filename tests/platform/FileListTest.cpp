#include "platform/FileList.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(FileListMask, MasksIgnoreCaseAndStarDotStarTakesEveryName)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"B.CSV", "*.csv", true},          {"readme", "*.*", true}, {"readme", "*.csv", false},
        {"x.csv.bak", "*.csv", false},     {"a", "a?", false},      {"aXbXc", "a*b*c", true},
        {"Caf\xE9.ini", "CAF\xC9.*", true}};
    for (const auto& [name, mask, match] : cases)
        EXPECT_EQ(TcFileList::MatchesMask(name, mask), match) << name << " " << mask;
}

class FileListTest : public test::TempDirTest {
protected:
    Names Found(const std::string& prefix = "") const
    {
        Names names;
        for (int32_t i = 0; i < files.Count(); ++i)
            names.push_back(files.Items(i)->FileName.substr((Dir().string() + "/" + prefix).size()));
        return names;
    }
    TcFileList files;
};

TEST_F(FileListTest, TypesDecideWhatIsListed)
{
    for (const char* name : {"b.csv", "C.csv", ".hidden.csv", "ro.csv", "notes.txt"})
        WriteFile(name, "12345");
    fs::permissions((Dir() / "ro.csv"), fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory((Dir() / "sub.csv"));
    ASSERT_EQ(::mkfifo(PathOf("pipe.csv").c_str(), 0644), 0);
    const std::pair<TFileListFileTypes, Names> cases[] = {
        {{ftNormal, ftReadOnly, ftArchive}, {"C.csv", "b.csv", "ro.csv"}},
        {{ftReadOnly}, {"ro.csv"}},
        {{ftHidden}, {".hidden.csv"}},
        {{ftSysFile}, {"pipe.csv"}},
        {{ftDirectory}, {}},
        {{ftNormal, ftHidden, ftSysFile, ftDirectory}, {".hidden.csv", "C.csv", "b.csv", "pipe.csv", "ro.csv"}}};
    files.SearchMask = "*.CSV";
    files.SetSorted(true);
    for (const auto& [types, found] : cases) {
        files.FileTypes = types;
        files.SearchPath = Dir().string() + (files.SearchPath.empty() ? "" : "/");
        files.Search();
        EXPECT_EQ(Found(), found);
    }
    EXPECT_EQ(files.Items(4)->Attr, faReadOnly);

    files.SearchPath.clear();  // keeps the results
    files.Search();
    EXPECT_EQ(files.Count(), 5);
    files.SearchPath = PathOf("missing").Bytes();
    files.SearchMask.clear();
    files.Search();
    EXPECT_EQ(files.SearchMask, "*.*");
    EXPECT_EQ(files.Items(0), nullptr);
}

TEST_F(FileListTest, SubfoldersBreadthFirstOnceEach)
{
    for (const char* name : {"A/a1.txt", "A/B/b1.txt", "A/B/C/c1.txt", "A/D/d1.txt", "A/.git/x.txt"})
        WriteFile(name, "");
    fs::create_directories((Dir() / "A/Empty"));
    fs::create_directory_symlink((Dir() / "A/B"), (Dir() / "A/B/C/again"));
    fs::create_directory_symlink((Dir() / "A"), (Dir() / "A/D/up"));
    files.FileTypes = {ftNormal};
    files.SearchMask = "*.*";
    files.SearchSubDirectories = true;
    files.SearchPath = PathOf("A").Bytes();
    int changes = 0;
    files.OnChangeDir = [&](const std::string& path, bool&) { changes += path.back() == '/'; };
    files.Search();
    Names found = Found("A/");
    ASSERT_EQ(found.size(), 4u);
    std::sort(found.begin() + 1, found.begin() + 3);  // B and D come in the folder's own order
    EXPECT_EQ(found, (Names {"a1.txt", "B/b1.txt", "D/d1.txt", "B/C/c1.txt"}));
    EXPECT_EQ(changes, 4);
}

TEST_F(FileListTest, SubfoldersAreMetThroughTheMask)
{
    for (const char* name : {"x.csv", "notes.txt", "Old.csv/y.csv", "Old.csv/Deep/w.csv", "Old.csv/Inner.csv/v.csv",
                             "Archive/z.csv"})
        WriteFile(name, "");
    const std::tuple<const char*, Names, int> cases[] = {
        {"*.CSV", {"Old.csv/Inner.csv/v.csv", "Old.csv/y.csv", "x.csv"}, 2},
        {"*.txt", {"notes.txt"}, 0},
        {"*.*",
         {"Archive/z.csv", "Old.csv/Deep/w.csv", "Old.csv/Inner.csv/v.csv", "Old.csv/y.csv", "notes.txt", "x.csv"},
         4}};
    files.FileTypes = {ftNormal};
    files.SearchSubDirectories = true;
    files.SearchPath = Dir().string();
    files.SetSorted(true);
    int changes = 0;
    files.OnChangeDir = [&](const std::string&, bool&) { ++changes; };
    for (const auto& [mask, found, folders] : cases) {
        changes = 0;
        files.SearchMask = mask;
        files.Search();
        EXPECT_EQ(Found(), found) << mask;
        EXPECT_EQ(changes, folders) << mask;
    }
}

TEST_F(FileListTest, DotEntriesReachOnGetFileButNeverTheResults)
{
    WriteFile("a.csv", "");
    WriteFile("sub/b.csv", "");
    struct Case {
        TFileListFileTypes types;
        bool subfolders;
        const char* mask;
        Names met;  // the folder searched, below the temporary one, + "|" + the entry
        Names found;
    };
    const Case cases[] = {
        {{ftNormal, ftReadOnly, ftArchive}, false, "*.*", {"/|a.csv"}, {"a.csv"}},
        {{ftDirectory}, false, "*.*", {"/|.", "/|..", "/|a.csv", "/|sub"}, {}},
        {{ftDirectory}, false, "*", {"/|.", "/|..", "/|a.csv", "/|sub"}, {}},
        {{ftNormal, ftDirectory}, false, "*.csv", {"/|a.csv"}, {"a.csv"}},
        {{ftNormal},
         true,
         "*.*",
         {"/sub/|.", "/sub/|..", "/sub/|b.csv", "/|.", "/|..", "/|a.csv", "/|sub"},
         {"a.csv", "sub/b.csv"}}};
    files.SearchPath = Dir().string();
    files.SetSorted(true);
    for (const auto& c : cases) {
        Names met;
        int32_t dotAttr = 0;
        files.OnGetFile = [&](const std::string& path, TSearchRec& rec, bool&) {
            met.push_back(path.substr(Dir().string().size()) + "|" + rec.Name);
            if (rec.Name == ".")
                dotAttr = rec.Attr;
        };
        files.FileTypes = c.types;
        files.SearchSubDirectories = c.subfolders;
        files.SearchMask = c.mask;
        files.Search();
        std::sort(met.begin(), met.end());
        EXPECT_EQ(met, c.met) << c.mask;
        EXPECT_EQ(Found(), c.found) << c.mask;
        if (dotAttr != 0) {
            EXPECT_EQ(dotAttr, faDirectory) << c.mask;  // the folder itself, not a hidden entry
        }
    }
}

TEST_F(FileListTest, SortKeysSizesAndAbort)
{
    WriteFile("b.dat", "12");
    WriteFile("a.dat", "123");
    WriteFile("c.dat", "1");
    fs::resize_file((Dir() / "c.dat"), int64_t {5} << 30);
    fs::permissions((Dir() / "b.dat"), fs::perms::owner_write, fs::perm_options::remove);
    files.FileTypes = {ftNormal};
    files.SearchPath = Dir().string();
    files.Search();
    const std::pair<TSortByField, Names> cases[] = {{sfSize, {"b.dat", "a.dat", "c.dat"}},
                                                    {sfAttributes, {"a.dat", "c.dat", "b.dat"}},
                                                    {sfName, {"a.dat", "b.dat", "c.dat"}}};
    for (const auto& [by, order] : cases) {
        files.SortBy = by;
        files.SetSorted(false);
        files.SetSorted(true);
        EXPECT_EQ(Found(), order) << by;
    }
    EXPECT_EQ(files.Items(2)->Size, int64_t {5} << 30);
    int met = 0;
    files.OnGetFile = [&](const std::string&, TSearchRec& rec, bool& abort) {
        abort = !rec.Name.empty() && ++met == 2;
    };
    files.Search();
    EXPECT_EQ(files.Count(), 2);

    // A callback that throws ends the search without leaving its folder open.
    files.OnGetFile = [](const std::string&, TSearchRec&, bool&) { throw std::runtime_error("stop"); };
    const auto openFiles = [] { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); };
    const auto before = openFiles();
    EXPECT_THROW(files.Search(), std::runtime_error);
    EXPECT_EQ(openFiles(), before);
}

}  // namespace
}  // namespace quorvel
