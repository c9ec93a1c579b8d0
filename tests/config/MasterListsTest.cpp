#include "config/MasterLists.h"
#include "support/TempDir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace quorvel {
namespace {

class MasterListsTest : public test::TempDirTest {};

TEST_F(MasterListsTest, TypeAndPlatformMatchIgnoringCaseUnreadableSkippedSortedByName)
{
    const auto writeList = [this](const std::string& name, const std::string& type, const std::string& platform) {
        WriteFile(name, "QV1.2\r\n\"" + type + "\",\"" + platform + "\",\"Jo\",\"\"\r\n\"TITLE\"\r\n\"One\"\r\n");
    };
    writeList("zeta.csv", "Media", "Zentrix 64");
    writeList("Alpha.CSV", "media", "ZENTRIX 64");
    writeList("Series 1.2.csv", "Media", "zentrix 64");
    writeList("beta.csv", "Hardware", "Zentrix 64");
    writeList("other.csv", "Media", "Korvo");
    writeList("notes.txt", "Media", "Zentrix 64");
    WriteFile("broken.csv", "just some text\r\n");
    WriteFile("old.csv", "QV1.0\r\n\"Zentrix 64\",\"Jo\",\"\"\r\n\"TITLE\"\r\n");
    std::filesystem::create_directory(PathOf("folder.csv"));
    ASSERT_EQ(::mkfifo(PathOf("pipe.csv").c_str(), 0644), 0);
    if (::geteuid() != 0) {
        writeList("locked.csv", "Media", "Zentrix 64");
        std::filesystem::permissions(PathOf("locked.csv"), std::filesystem::perms::none);
    }
    const struct {
        TListType type;
        const char* platform;
        std::vector<std::string> names;
    } cases[] = {{ltMedia, "Zentrix 64", {"Alpha", "old", "Series 1.2", "zeta"}},
                 {ltHardware, "zentrix 64", {"beta"}},
                 {ltHardware, "Korvo", {}}};
    for (const auto& c : cases) {
        std::vector<std::string> names;
        for (const auto& entry : FindMasterLists(Dir().string(), c.type, c.platform)) {
            EXPECT_EQ(entry.Path.substr(0, Dir().string().size() + 1), Dir().string() + "/");
            EXPECT_TRUE(std::filesystem::exists(entry.Path)) << entry.Path;
            names.push_back(entry.Name);
        }
        EXPECT_EQ(names, c.names) << c.platform;
    }
    EXPECT_TRUE(FindMasterLists("", ltMedia, "Zentrix 64").empty());
    EXPECT_TRUE(FindMasterLists(PathOf("missing"), ltMedia, "Zentrix 64").empty());
}

}  // namespace
}  // namespace quorvel
