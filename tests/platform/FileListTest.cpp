#include "platform/FileList.h"
#include "support/TempDir.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <map>
#include <optional>
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

// A mask's "*" also matches nothing, at the end as elsewhere; "?" always wants a character.
TEST(FileListMask, StarMatchesNothingToo)
{
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"list", "list*", true}, {"LIST", "list*", true},  {"list", "*list", true},
        {"list", "li*st", true}, {"list", "list**", true}, {"list", "list?", false},
        {"lis", "list*", false}, {"lists", "list*", true}, {"list", "list*.*", false}};
    for (const auto& [name, mask, match] : cases)
        EXPECT_EQ(TcFileList::MatchesMask(name, mask), match) << name << " " << mask;
}

// The search itself goes by the same rule.
TEST_F(FileListTest, SearchMaskEndingInAStarFindsTheBareName)
{
    for (const char* name : {"list", "lists.csv", "alist", "lis"})
        WriteFile(name, "");
    files.FileTypes = {ftNormal};
    files.SearchPath = Dir().string();
    files.SearchMask = "list*";
    files.SetSorted(true);
    files.Search();
    EXPECT_EQ(Found(), (Names {"list", "lists.csv"}));
}

// Only files have a size: a folder, "." and ".." reach the callback with 0 whatever the file system
// says a folder's size is.
TEST_F(FileListTest, FoldersReachTheCallbackWithSizeZero)
{
    WriteFile("a.txt", "12345");
    WriteFile("Sub/b.txt", "123");
    for (int i = 0; i < 200; ++i)  // a folder big enough to take more than one block
        WriteFile("Big/entry with a long name to fill the folder " + std::to_string(i), "");
    std::map<std::string, int64_t> sizes;
    files.OnGetFile = [&](const std::string&, TSearchRec& rec, bool&) { sizes[rec.Name] = rec.Size; };
    files.FileTypes = {ftNormal, ftDirectory};
    files.SearchPath = Dir().string();
    files.Search();
    EXPECT_EQ(sizes, (std::map<std::string, int64_t> {{".", 0}, {"..", 0}, {"Big", 0}, {"Sub", 0}, {"a.txt", 5}}));
}

// Sets the time zone for the life of the object, as the C library reads it; the old one comes back.
class TimeZone {
public:
    explicit TimeZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            old_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~TimeZone()
    {
        if (old_)
            ::setenv("TZ", old_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }
    TimeZone(const TimeZone&) = delete;
    TimeZone& operator=(const TimeZone&) = delete;

private:
    std::optional<std::string> old_;
};

// Dates are the local time of the last write, by the zone's offset at that moment (not today's), in
// the results and at the callback alike.
TEST_F(FileListTest, DatesAreLocalTimeOfTheWrite)
{
    // Three hours behind UTC, two in summer (second Sunday of March to first Sunday of November).
    const TimeZone zone("QVS+3QVD,M3.2.0,M11.1.0");
    const struct {
        const char* Name;
        time_t Utc;
        long Nanoseconds;
        double Local;  // days since 30 December 1899
    } cases[] = {
        // 15 January 2020 12:00 UTC: 09:00 here.
        {"winter.txt", 1579089600, 0, 43845 + 9 / 24.0},
        // 1 July 2020 12:00:00.5 UTC: 10:00:00.5 here.
        {"summer.txt", 1593604800, 500000000, 44013 + (10 + 0.5 / 3600) / 24.0},
        // 16 January 2020 01:30 UTC: still the 15th here.
        {"evening.txt", 1579138200, 0, 43845 + 22.5 / 24.0},
    };
    for (const auto& c : cases) {
        WriteFile(c.Name, "");
        const struct timespec times[2] = {{c.Utc, c.Nanoseconds}, {c.Utc, c.Nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, PathOf(c.Name).c_str(), times, 0), 0);
    }
    std::map<std::string, double> met;
    files.OnGetFile = [&](const std::string&, TSearchRec& rec, bool&) { met[rec.Name] = rec.Time; };
    files.FileTypes = {ftNormal};
    files.SearchPath = Dir().string();
    files.Search();
    ASSERT_EQ(files.Count(), 3);
    std::map<std::string, double> found;
    for (int32_t i = 0; i < files.Count(); ++i)
        found[files.Items(i)->FileName.substr(Dir().string().size() + 1)] = files.Items(i)->Date;
    for (const auto& c : cases) {
        EXPECT_NEAR(found[c.Name], c.Local, 1e-9) << c.Name;
        EXPECT_NEAR(met[c.Name], c.Local, 1e-9) << c.Name;
    }
}

}  // namespace
}  // namespace quorvel
