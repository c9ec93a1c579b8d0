#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <unistd.h>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/ColumnList.h"
#include "model/ListFile.h"
#include "model/Utils.h"
#include "platform/SafeFile.h"
#include "support/TempDir.h"

namespace quorvel {
namespace {

namespace fs = std::filesystem;
using test::AddItem;
using test::Text;

// The three kinds of writer: a list, an export and an INI file; each writes "new" somewhere in its file.
struct Writer {
    const char* Name;
    bool Backup;  // lists saved with a backup and exports keep the replaced file as ".BAK"
    std::function<void(const Path&)> Write;
};

const Writer kWriters[] = {
    {"list", true,
     [](const Path& path) {
         TCartListClass list;
         AddItem(list, {{"Title", Text("new")}});
         list.SaveToFile(path, true, true);
     }},
    {"export", true,
     [](const Path& path) {
         TCartListClass list;
         AddItem(list, {{"Title", Text("new")}});
         TColumnListClass columns;
         columns.SetTemplate(&list.GetItem(0)->Fields());
         list.ExportToFile(path, columns);
     }},
    {"INI", false, [](const Path& path) { WriteIniString(path, "S", "K", "new"); }},
};

void Put(const fs::path& path, const std::string& bytes)
{
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

class FileHazardsTest : public test::TempDirTest {
protected:
    bool HoldsNew(const std::string& name) const { return ReadFile(name).find("new") != std::string::npos; }
    size_t EntryCount(const std::string& folder) const
    {
        return static_cast<size_t>(std::distance(fs::directory_iterator(Dir() / folder), fs::directory_iterator()));
    }
};

TEST_F(FileHazardsTest, SavesReachTheFileTheUserMeant)
{
    struct Case {
        const char* What;
        std::function<void(const fs::path&)> Setup;
        std::string Target;   // written through
        std::string Written;  // where the new content must be
        std::string Backup;   // where the old content must go ("" none)
    };
    const std::string longName = std::string(240, 'n') + ".lst";
    const Case cases[] = {
        {"link into another folder",
         [](const fs::path& d) {
             Put(d / "real/x.lst", "old");
             fs::create_symlink("real/x.lst", d / "link.lst");
         },
         "link.lst", "real/x.lst", "real/x.BAK"},
        {"link to a link",
         [](const fs::path& d) {
             Put(d / "real/x.lst", "old");
             fs::create_symlink(d / "real/x.lst", d / "real/inner.lst");
             fs::create_symlink("real/inner.lst", d / "link.lst");
         },
         "link.lst", "real/x.lst", "real/x.BAK"},
        {"link to a missing file",
         [](const fs::path& d) {
             fs::create_directory(d / "real");
             fs::create_symlink("real/x.lst", d / "link.lst");
         },
         "link.lst", "real/x.lst", ""},
        {"name near the file system's limit", [longName](const fs::path& d) { Put(d / "real" / longName, "old"); },
         "real/" + longName, "real/" + longName, "real/" + std::string(240, 'n') + ".BAK"},
    };
    for (const Writer& w : kWriters) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(w.Name) + ": " + c.What);
            fs::remove_all(Dir() / "real");
            fs::remove(Dir() / "link.lst");
            c.Setup(Dir());
            ASSERT_NO_THROW(w.Write(PathOf(c.Target)));
            EXPECT_TRUE(HoldsNew(c.Written));
            if (c.Target == "link.lst") {
                EXPECT_TRUE(fs::is_symlink(Dir() / "link.lst"));
            }
            EXPECT_FALSE(Exists("link.BAK"));
            const bool backup = w.Backup && !c.Backup.empty();
            if (backup) {
                EXPECT_EQ(ReadFile(c.Backup), "old");
            }
            // Nothing else is left beside the file: no temporary file.
            EXPECT_EQ(EntryCount("real"), (backup ? 2u : 1u) + (c.What == std::string("link to a link") ? 1u : 0u));
        }
    }
}

TEST_F(FileHazardsTest, NoPermissionReadOnlyFilesAreNotReplaced)
{
    QUORVEL_SKIP_AS_ROOT();
    for (const Writer& w : kWriters) {
        SCOPED_TRACE(w.Name);
        fs::remove_all(Dir() / "ro");
        WriteFile("ro/x.lst", "old");
        fs::permissions(Dir() / "ro/x.lst", fs::perms::owner_read);
        try {
            w.Write(PathOf("ro/x.lst"));
            ADD_FAILURE() << "a read-only file was replaced";
        } catch (const FileWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + PathOf("ro/x.lst").Bytes() + ": Permission denied");
        }
        EXPECT_EQ(ReadFile("ro/x.lst"), "old");
        EXPECT_EQ(EntryCount("ro"), 1u);
    }
}

std::string Repeat(const std::string& s, size_t n)
{
    std::string out;
    out.reserve(s.size() * n);
    for (size_t i = 0; i < n; ++i)
        out += s;
    return out;
}

std::string Joined(const std::vector<std::string>& texts)
{
    std::string out;
    for (const auto& t : texts)
        out += t + "|";
    return out;
}

TEST_F(FileHazardsTest, ReadsRefuseTooManyItemsAndCostTheirSize)
{
    const std::string file = "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n";
    const std::string clip = "QUORVEL MEDIA\r\n";
    const std::string tooMany = "This file holds more than 1000000 items. The list was not changed.";
    const std::string pasteTooMany = "Pasting would make more than 1000000 items. The list was not changed.";
    struct Case {
        const char* What;
        bool Paste;            // else load
        std::string Text;      // the file or clipboard text
        std::string Expected;  // the titles after it, or the message
    };
    const Case cases[] = {
        {"load: exactly the most items", false, file + "\"TITLE\"\r\n" + Repeat("\n", 1000000), Repeat("|", 1000000)},
        {"load: a line break per item", false, file + "\"TITLE\"\r\n" + Repeat("\n", 1000001), tooMany},
        {"load: CR LF per item", false, file + "\"TITLE\"\r\n" + Repeat("\r\n", 1000001), tooMany},
        // The list holds one item already: a million more would pass the limit.
        {"paste: a million more", true, clip + "\"TITLE\"\r\n" + Repeat("\r", 1000000), pasteTooMany},
        {"load: many unknown columns before the known one", false,
         file + Repeat("\"X\",", 50000) + "\"TITLE\"\r\n" + Repeat(",", 50000) + "\"t\"\r\n\"short\"\r\n", "t||"},
        {"paste: many unknown columns before the known one", true,
         clip + Repeat("\"X\",", 50000) + "\"TITLE\"\r\n" + Repeat(",", 50000) + "\"t\"", "kept|t|"},
        {"load: the last column of a field wins, a short line empties it", false,
         file + "\"TITLE\",\"X\",\"TITLE\"\r\n\"a\",\"\",\"b\"\r\n\"c\"", "b||"},
        {"paste: the last column of a field wins, a short line empties it", true,
         clip + "\"title\",\"TITLE\"\r\n\"a\",\"b\"\r\n\"c\"", "kept|b||"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TCartListClass list;
        list.SetListType("Media");
        AddItem(list, {{"Title", Text("kept")}});
        try {
            if (c.Paste) {
                list.PasteFromText(c.Text);
            } else {
                WriteFile("in.lst", c.Text);
                list.LoadFromFile(PathOf("in.lst"));
            }
            EXPECT_EQ(Joined(test::Column(list, "Title")), c.Expected);
        } catch (const TBaseCustomListClassException& e) {
            EXPECT_EQ(e.what(), c.Expected);
            EXPECT_EQ(Joined(test::Column(list, "Title")), "kept|");
        }
    }
}

}  // namespace
}  // namespace quorvel
