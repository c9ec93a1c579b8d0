#include "config/ProgramSetup.h"
#include "model/Utils.h"
#include "platform/SafeFile.h"
#include "support/GlobalsTest.h"

#include <filesystem>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

// The program folder and the shipped files side by side in the temporary folder.
class ProgramSetupTest : public test::GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        programDir = PathOf("home") + "/";
        shippedDir = PathOf("shipped") + "/";
        fs::create_directory(programDir);
        WriteFile("shipped/Config/Platforms.ini", "shipped platforms");
        WriteFile("shipped/Config/General.ini", "shipped general");
        WriteFile("shipped/Carts/Sample Media.csv", "shipped list");
        WriteFile("shipped/help/index.html", "help stays in the read-only half");
    }

    std::string programDir, shippedDir;
};

TEST_F(ProgramSetupTest, TheFirstRunCopiesMissingFilesOnly)
{
    WriteFile("home/Config/GENERAL.INI", "my own lookup tables");
    EXPECT_TRUE(StartConfiguration(programDir, shippedDir));
    EXPECT_EQ(G_ConfigFile, programDir + "Quorvel.ini");
    EXPECT_EQ(ReadFile("home/Config/Platforms.ini"), "shipped platforms");
    EXPECT_EQ(ReadFile("home/Config/GENERAL.INI"), "my own lookup tables");
    // No second General.ini beside the user's file of another spelling.
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir() / "home/Config"), fs::directory_iterator()), 2);
    EXPECT_EQ(ReadFile("home/Carts/Sample Media.csv"), "shipped list");
    EXPECT_FALSE(Exists("home/help"));
}

TEST_F(ProgramSetupTest, LaterRunsCopyNothing)
{
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    fs::remove(Dir() / "home/Config/Platforms.ini");
    const std::string config = ReadFile("home/Quorvel.ini");
    EXPECT_FALSE(StartConfiguration(programDir, shippedDir));
    EXPECT_FALSE(Exists("home/Config/Platforms.ini"));
    EXPECT_EQ(ReadFile("home/Quorvel.ini"), config);
}

TEST_F(ProgramSetupTest, AnUnwritableProgramFolderStopsTheStart)
{
    WriteFile("home/blocker", "a file, not a folder");
    EXPECT_THROW(StartConfiguration(programDir + "blocker/", shippedDir), FileWriteError);
}

}  // namespace
}  // namespace quorvel
