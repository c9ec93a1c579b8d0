#include "config/ProgramSetup.h"
#include "config/MasterLists.h"
#include "config/ReferenceData.h"
#include "config/SiteAddresses.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"
#include "support/GlobalsTest.h"

#include <algorithm>
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
        programDir = Path(PathOf("home").Bytes() + "/");
        shippedDir = Path(PathOf("shipped").Bytes() + "/");
        fs::create_directory(programDir.Bytes());
        WriteFile("shipped/Config/Platforms.ini", "shipped platforms");
        WriteFile("shipped/Config/General.ini", "shipped general");
        WriteFile("shipped/Carts/Sample Media.csv", "shipped list");
        WriteFile("shipped/help/index.html", "help stays in the read-only half");
    }

    Path ConfigPath(const std::string& name) const { return JoinPath(programDir, Path("Config/" + name)); }

    Path programDir, shippedDir;
};

TEST_F(ProgramSetupTest, TheFirstRunCopiesMissingFilesOnly)
{
    WriteFile("home/Config/GENERAL.INI", "my own lookup tables");
    EXPECT_TRUE(StartConfiguration(programDir, shippedDir));
    EXPECT_EQ(G_ConfigFile, JoinPath(programDir, "Quorvel.ini"));
    EXPECT_EQ(ReadFile("home/Config/Platforms.ini"), "shipped platforms");
    EXPECT_EQ(ReadFile("home/Config/GENERAL.INI"), "my own lookup tables");
    // No second General.ini beside the user's file of another spelling; the addresses beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(Dir() / "home/Config"), fs::directory_iterator()), 3);
    EXPECT_EQ(IniFile::Load(ConfigPath("Sites.ini")).SectionValues("Sites").size(), 6u);
    EXPECT_EQ(ReadFile("home/Carts/Sample Media.csv"), "shipped list");
    EXPECT_FALSE(Exists("home/help"));
}

TEST_F(ProgramSetupTest, TheFirstRunKeepsThePackagersAddressesAndAddsTheRest)
{
    WriteFile("shipped/Config/Sites.ini", "[Sites]\r\nMakerSite=https://maker.test/\r\n");
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    const SiteAddresses sites = ReadSiteAddresses(ConfigPath("Sites.ini"));
    EXPECT_EQ(sites.MakerSite, "https://maker.test/");
    EXPECT_EQ(sites.SupportMail, SiteAddresses {}.SupportMail);
    EXPECT_TRUE(IniFile::Load(ConfigPath("Sites.ini")).Value("Sites", "StarLadder"));
    // Without a shipped configuration the file is made all the same.
    fs::remove_all(Dir() / "shipped/Config");
    fs::remove_all(Dir() / "home");
    fs::create_directory(programDir.Bytes());
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    EXPECT_TRUE(IniFile::Load(ConfigPath("Sites.ini")).Value("Sites", "MakerSite"));
}

TEST_F(ProgramSetupTest, LaterRunsCopyNothing)
{
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    fs::remove(Dir() / "home/Config/Platforms.ini");
    fs::remove(Dir() / "home/Config/Sites.ini");
    const std::string config = ReadFile("home/Quorvel.ini");
    EXPECT_FALSE(StartConfiguration(programDir, shippedDir));
    EXPECT_FALSE(Exists("home/Config/Platforms.ini"));
    EXPECT_FALSE(Exists("home/Config/Sites.ini"));
    EXPECT_EQ(ReadFile("home/Quorvel.ini"), config);
}

TEST_F(ProgramSetupTest, AnUnwritableProgramFolderStopsTheStart)
{
    WriteFile("home/blocker", "a file, not a folder");
    EXPECT_THROW(StartConfiguration(JoinPath(programDir, "blocker/"), shippedDir), FileWriteError);
}

// A first run can add from a master list on every shipped platform, and the items name its makers.
TEST_F(ProgramSetupTest, EveryShippedPlatformHasMasterListsOfItsOwnMakers)
{
    const Path shipped = ShippedDataDir();
    G_ConfigFiles = JoinPath(shipped, "Config/");
    const auto platforms =
        IniFile::Load(JoinPath(G_ConfigFiles, "Platforms.ini")).ReadIndexedList("Platforms", "PlatForm");
    EXPECT_EQ(platforms.size(), 4u);
    for (const auto& platform : platforms) {
        const auto makers = ReferenceData::Manufacturers(platform, ReferenceData::EmptyEntries::Skip);
        for (const TListType kind : {ltMedia, ltHardware}) {
            const auto found = FindMasterLists(JoinPath(shipped, "Masters"), kind, platform);
            ASSERT_EQ(found.size(), 1u) << platform;
            auto list = CreateListObject(kind);
            LoadListObject(list.get(), found[0].Path);
            EXPECT_GE(list->Count(), kind == ltMedia ? 30 : 10) << found[0].Name;
            for (const auto& item : list->Items()) {
                const std::string maker = item->GetFieldAsString("Mfg");
                EXPECT_NE(std::find(makers.begin(), makers.end(), maker), makers.end()) << found[0].Name << maker;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
