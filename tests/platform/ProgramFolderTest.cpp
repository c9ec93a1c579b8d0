#include "platform/ProgramFolder.h"

#include "support/TempDir.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

class ProgramFolderTest : public test::TempDirTest { };

TEST_F(ProgramFolderTest, WritableHalf)
{
    setenv("QUORVEL_HOME", PathOf("home/sub").c_str(), 1);
    EXPECT_EQ(WritableProgramDir(), Path(PathOf("home/sub").Bytes() + "/"));
    EXPECT_TRUE(std::filesystem::is_directory((Dir() / "home/sub")));

    setenv("QUORVEL_HOME", "", 1);
    setenv("XDG_DATA_HOME", PathOf("xdg").c_str(), 1);
    EXPECT_EQ(WritableProgramDir(), Path(PathOf("xdg").Bytes() + "/Quorvel/"));

    unsetenv("QUORVEL_HOME");
    setenv("XDG_DATA_HOME", "relative", 1);
    const char* savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    setenv("HOME", PathOf("user").c_str(), 1);
    EXPECT_EQ(WritableProgramDir(), Path(PathOf("user").Bytes() + "/.local/share/Quorvel/"));
    EXPECT_TRUE(std::filesystem::is_directory((Dir() / "user/.local/share/Quorvel")));
    // No home at all, or a relative one: a clear error, never a folder below the current one.
    for (const char* bad : {"", "relative"}) {
        setenv("HOME", bad, 1);
        EXPECT_THROW(WritableProgramDir(), NoHomeError) << bad;
    }
    setenv("HOME", home.c_str(), 1);
    unsetenv("XDG_DATA_HOME");
}

TEST_F(ProgramFolderTest, CopyMissingFilesNeverOverwrites)
{
    WriteFile("from/Config/General.ini", "shipped");
    WriteFile("from/Config/Platforms.ini", "shipped");
    WriteFile("from/Media/sample.cdb", "shipped");
    WriteFile("to/Config/GENERAL.INI", "mine");
    CopyMissingFiles(PathOf("from"), PathOf("to"));
    EXPECT_EQ(ReadFile("to/Config/GENERAL.INI"), "mine");
    EXPECT_FALSE(Exists("to/Config/General.ini"));
    EXPECT_EQ(ReadFile("to/Config/Platforms.ini"), "shipped");
    EXPECT_EQ(ReadFile("to/Media/sample.cdb"), "shipped");
    // The target folder is made when missing.
    CopyMissingFiles(PathOf("from/Config"), PathOf("new/Config"));
    EXPECT_EQ(ReadFile("new/Config/General.ini"), "shipped");
    // A shipped file installed read-only becomes a copy the user can change.
    std::filesystem::permissions((Dir() / "from/Config/Platforms.ini"), std::filesystem::perms::owner_read);
    CopyMissingFiles(PathOf("from/Config"), PathOf("ro/Config"));
    const auto perms = std::filesystem::status((Dir() / "ro/Config/Platforms.ini")).permissions();
    EXPECT_NE(perms & std::filesystem::perms::owner_write, std::filesystem::perms::none);
}

}  // namespace
}  // namespace quorvel
