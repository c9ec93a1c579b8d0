#include "config/ProgramSetup.h"
#include "model/Utils.h"
#include "platform/SafeFile.h"
#include "support/GlobalsTest.h"

#include <filesystem>
#include <fstream>

namespace quorvel {
namespace {

namespace fs = std::filesystem;

class ProgramSetupTest : public test::GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        programDir = Dir().string() + "/";
        shippedDir = shipped.Path().string() + "/";
        Ship("Config/Platforms.ini", "shipped platforms");
        Ship("Config/General.ini", "shipped general");
        Ship("Carts/Sample Media.csv", "shipped list");
        Ship("help/index.html", "help stays in the read-only half");
    }

    void Ship(const std::string& name, const std::string& bytes) const
    {
        const fs::path path = shipped.Path() / name;
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
    }

    test::ScopedTempDir shipped;
    std::string programDir;
    std::string shippedDir;
};

TEST_F(ProgramSetupTest, TheFirstRunCopiesMissingFilesOnly)
{
    WriteFile("Config/GENERAL.INI", "my own lookup tables");
    EXPECT_TRUE(StartConfiguration(programDir, shippedDir));
    EXPECT_EQ(G_ConfigFile, programDir + "Quorvel.ini");
    EXPECT_EQ(ReadFile("Config/Platforms.ini"), "shipped platforms");
    EXPECT_EQ(ReadFile("Config/GENERAL.INI"), "my own lookup tables");
    // No second General.ini beside the user's file of another spelling.
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir() / "Config"), fs::directory_iterator()), 2);
    EXPECT_EQ(ReadFile("Carts/Sample Media.csv"), "shipped list");
    EXPECT_FALSE(Exists("help"));
}

TEST_F(ProgramSetupTest, LaterRunsCopyNothing)
{
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    fs::remove(Dir() / "Config/Platforms.ini");
    const std::string config = ReadFile("Quorvel.ini");
    EXPECT_FALSE(StartConfiguration(programDir, shippedDir));
    EXPECT_FALSE(Exists("Config/Platforms.ini"));
    EXPECT_EQ(ReadFile("Quorvel.ini"), config);
}

TEST_F(ProgramSetupTest, AnUnwritableProgramFolderStopsTheStart)
{
    WriteFile("blocker", "a file, not a folder");
    EXPECT_THROW(StartConfiguration(programDir + "blocker/", shippedDir), FileWriteError);
}

}  // namespace
}  // namespace quorvel
