#include "platform/FileList.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

TEST(FileListMask, MasksIgnoreCaseAndStarDotStarTakesEveryName)
{
    const struct {
        const char* name;
        const char* mask;
        bool match;
    } cases[] = {
        {"a.csv", "*.csv", true},       {"B.CSV", "*.csv", true},           {"readme", "*.*", true},
        {".hidden", "*.*", true},       {"readme", "*.csv", false},         {"x.csv.bak", "*.csv", false},
        {"S 1.2.csv", "*.csv", true},   {"ab", "a?", true},                 {"a", "a?", false},
        {"aXbXc", "a*b*c", true},       {"aXbXd", "a*b*c", false},          {"Caf\xE9.ini", "CAF\xC9.*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TcFileList::MatchesMask(c.name, c.mask), c.match) << c.name << " " << c.mask;
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
    fs::permissions(PathOf("ro.csv"), fs::perms::owner_write, fs::perm_options::remove);
    fs::create_directory(PathOf("sub.csv"));
    ASSERT_EQ(::mkfifo(PathOf("pipe.csv").c_str(), 0644), 0);
    const struct {
        TFileListFileTypes types;
        Names found;
    } cases[] = {
        {{ftNormal, ftReadOnly, ftArchive}, {"C.csv", "b.csv", "ro.csv"}},
        {{ftReadOnly}, {"ro.csv"}},
        {{ftHidden}, {".hidden.csv"}},
        {{ftSysFile}, {"pipe.csv"}},
        {{ftDirectory}, {}},
        {{ftArchive}, {}},
        {{ftNormal, ftHidden, ftSysFile, ftDirectory}, {".hidden.csv", "C.csv", "b.csv", "pipe.csv", "ro.csv"}},
    };
    files.SearchMask = "*.CSV";
    files.SetSorted(true);
    for (const auto& c : cases) {
        files.FileTypes = c.types;
        files.SearchPath = Dir().string() + (files.SearchPath.empty() ? "" : "/");
        files.Search();
        EXPECT_EQ(Found(), c.found);
    }
    std::vector<int32_t> attrs;
    for (int32_t i = 0; i < files.Count(); ++i)
        attrs.push_back(files.Items(i)->Attr);
    EXPECT_EQ(attrs, (std::vector<int32_t>{faHidden, 0, 0, faSysFile, faReadOnly}));

    files.SearchPath.clear();  // keeps the results
    files.Search();
    EXPECT_EQ(files.Count(), 5);
    files.SearchPath = PathOf("missing");
    files.SearchMask.clear();
    files.Search();
    EXPECT_EQ(files.SearchMask, "*.*");
    EXPECT_EQ(files.Count(), 0);
    EXPECT_EQ(files.Items(-1), nullptr);
    EXPECT_EQ(files.Items(0), nullptr);
}

TEST_F(FileListTest, SubfoldersBreadthFirstOnceEachWhateverTheMask)
{
    for (const char* name : {"A/a1.txt", "A/B/b1.txt", "A/B/C/c1.txt", "A/D/d1.txt", "A/.git/x.txt"})
        WriteFile(name, "");
    fs::create_directories(PathOf("A/Empty"));
    fs::create_directory_symlink(PathOf("A/B"), PathOf("A/B/C/again"));
    fs::create_directory_symlink(PathOf("A"), PathOf("A/D/up"));
    files.FileTypes = {ftNormal};
    files.SearchMask = "*.txt";
    files.SearchSubDirectories = true;
    files.SearchPath = PathOf("A");
    Names changes;
    files.OnChangeDir = [&](const std::string& path, bool&) { changes.push_back(path.substr(Dir().string().size())); };
    files.Search();
    Names found = Found("A/");
    ASSERT_EQ(found.size(), 4u);
    std::sort(found.begin() + 1, found.begin() + 3);  // B and D are met in the folder's own order
    EXPECT_EQ(found, (Names{"a1.txt", "B/b1.txt", "D/d1.txt", "B/C/c1.txt"}));
    EXPECT_EQ(changes.size(), 4u);
    EXPECT_EQ(changes.back(), "/A/B/C/");
}

TEST_F(FileListTest, SortKeysSizesAndAbort)
{
    WriteFile("b.dat", "12");
    WriteFile("a.dat", "123");
    WriteFile("c.dat", "1");
    fs::resize_file(PathOf("c.dat"), int64_t{5} << 30);
    fs::last_write_time(PathOf("a.dat"), fs::file_time_type::clock::now() - std::chrono::hours(48));
    fs::permissions(PathOf("b.dat"), fs::perms::owner_write, fs::perm_options::remove);
    files.FileTypes = {ftNormal};
    files.SearchPath = Dir().string();
    files.Search();
    const struct {
        TSortByField by;
        Names order;
    } cases[] = {{sfSize, {"b.dat", "a.dat", "c.dat"}},
                 {sfDate, {"a.dat", "b.dat", "c.dat"}},
                 {sfAttributes, {"a.dat", "c.dat", "b.dat"}},
                 {sfName, {"a.dat", "b.dat", "c.dat"}}};
    for (const auto& c : cases) {
        files.SortBy = c.by;
        files.SetSorted(false);
        files.SetSorted(true);
        Names order = Found();
        if (c.by == sfDate)
            std::sort(order.begin() + 1, order.end());  // written in the same moment
        EXPECT_EQ(order, c.order) << c.by;
    }
    EXPECT_EQ(files.Items(2)->Size, int64_t{5} << 30);
    files.Delete(3);
    files.Delete(0);
    EXPECT_EQ(Found(), (Names{"b.dat", "c.dat"}));

    int met = 0;
    files.OnGetFile = [&](const std::string&, TSearchRec& rec, bool& abort) { abort = !rec.Name.empty() && ++met == 2; };
    files.Search();
    EXPECT_EQ(files.Count(), 2);
}

}  // namespace
}  // namespace quorvel
