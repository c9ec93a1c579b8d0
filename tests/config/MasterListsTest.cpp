#include "config/MasterLists.h"
#include "support/TempDir.h"

#include <sys/stat.h>

#include <filesystem>

namespace quorvel {
namespace {

class MasterListsTest : public test::TempDirTest {
protected:
    void WriteList(const std::string& name, const std::string& type, const std::string& platform) const
    {
        WriteFile(name, "QV1.2\r\n\"" + type + "\",\"" + platform + "\",\"Jo\",\"\"\r\n\"TITLE\"\r\n\"One\"\r\n");
    }

    std::vector<std::string> Names(TListType type, const std::string& platform, const std::string& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : FindMasterLists(folder, type, platform)) {
            EXPECT_EQ(entry.Path, PathOf(entry.Path.substr(Dir().string().size() + 1)));
            names.push_back(entry.Name);
        }
        return names;
    }
};

TEST_F(MasterListsTest, TypeAndPlatformMatchIgnoringCaseSortedByName)
{
    WriteList("zeta.csv", "Media", "Zentrix 64");
    WriteList("Alpha.CSV", "media", "ZENTRIX 64");
    WriteList("Series 1.2.csv", "Media", "zentrix 64");
    WriteList("beta.csv", "Hardware", "Zentrix 64");
    WriteList("other.csv", "Media", "Korvo");
    WriteList("notes.txt", "Media", "Zentrix 64");
    WriteFile("broken.csv", "just some text\r\n");
    WriteFile("old.csv", "QV1.0\r\n\"Zentrix 64\",\"Jo\",\"\"\r\n\"TITLE\"\r\n");
    std::filesystem::create_directory(PathOf("folder.csv"));
    ASSERT_EQ(::mkfifo(PathOf("pipe.csv").c_str(), 0644), 0);
    if (::geteuid() != 0) {
        WriteList("locked.csv", "Media", "Zentrix 64");
        std::filesystem::permissions(PathOf("locked.csv"), std::filesystem::perms::none);
    }

    const struct {
        TListType type;
        const char* platform;
        std::vector<std::string> names;
    } cases[] = {
        {ltMedia, "Zentrix 64", {"Alpha", "old", "Series 1.2", "zeta"}},
        {ltHardware, "zentrix 64", {"beta"}},
        {ltMedia, "Korvo", {"other"}},
        {ltHardware, "Korvo", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Names(c.type, c.platform, Dir().string()), c.names) << c.platform;
        EXPECT_EQ(Names(c.type, c.platform, Dir().string() + "/"), c.names) << c.platform;
    }
    EXPECT_TRUE(FindMasterLists("", ltMedia, "Zentrix 64").empty());
    EXPECT_TRUE(FindMasterLists(PathOf("missing"), ltMedia, "Zentrix 64").empty());
}

}  // namespace
}  // namespace quorvel
