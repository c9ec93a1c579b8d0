#include "config/ProgramSetup.h"
#include "config/ConfigMigration.h"
#include "config/MasterLists.h"
#include "config/PlatformList.h"
#include "config/ReferenceData.h"
#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "config/SiteAddresses.h"
#include "model/ListFactory.h"
#include "model/PropertyLayout.h"
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

TEST_F(ProgramSetupTest, LaterRunsCopyTheMissingConfigurationFilesOnly)
{
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    const std::string elsewhere = Dir().string() + "/elsewhere/";
    struct Case {
        const char* what;
        std::string paths;       // the configuration's folder settings
        bool migrating;          // an old configuration that waits for its migration
        std::string configured;  // where the files go ("" for nowhere)
    } cases[] = {
        {"a later run", "", false, "home/Config/"},
        {"a folder set in the options", "[Paths]\r\nConfigFiles=" + elsewhere + "\r\n", false, "elsewhere/"},
        {"a Windows folder", "[Paths]\r\nConfigFiles=C:\\Quorvel\\Config\\\r\n", false, "home/Config/"},
        {"an old configuration", "", true, ""},
    };
    for (const Case& c : cases) {
        fs::remove_all(Dir() / "home/Config");
        fs::remove_all(Dir() / "home/Carts");
        fs::remove_all(elsewhere);
        WriteFile("home/Config/general.INI", "the user's own");
        const std::string config =
            std::string("[General]\r\nFirstTime=0\r\n") + (c.migrating ? "" : "ConfigVersion=CFG2.0\r\n") + c.paths;
        WriteFile("home/Quorvel.ini", config);
        EXPECT_FALSE(StartConfiguration(programDir, shippedDir)) << c.what;
        const std::string folder = c.configured.empty() ? "home/Config/" : c.configured;
        EXPECT_EQ(Exists(folder + "Platforms.ini"), !c.configured.empty()) << c.what;
        EXPECT_EQ(Exists(folder + "Sites.ini"), !c.configured.empty()) << c.what;
        EXPECT_EQ(ReadFile("home/Config/general.INI"), "the user's own") << c.what;
        EXPECT_FALSE(Exists("home/Config/General.ini")) << c.what;
        EXPECT_FALSE(Exists("home/Carts")) << c.what;  // the sample lists are a first run's
        EXPECT_EQ(ReadFile("home/Quorvel.ini"), config) << c.what;
    }
}

// What a collector who moves an old configuration meets: the migration at the first start and the
// configuration it leaves at the next one.
TEST_F(ProgramSetupTest, AnOldConfigurationMigratesAndTheNextStartCompletesIt)
{
    WriteFile("home/Quorvel.ini",
              "[General]\r\nFirstTime=0\r\n[Paths]\r\nCartPath=C:\\Quorvel\\Carts\\\r\n"
              "ConfigFiles=C:\\Quorvel\\Config\\\r\n"
              "ReportPath=" + Dir().string() + "/My Reports/\r\n");
    const std::string oldList = "[Platforms]\r\nCount=2\r\nPlatForm0=Caf\xE9 Box\r\nPlatForm1=Th\xE9 Raw\r\n";
    WriteFile("home/platforms.ini", oldList);
    WriteFile("home/Caf\xC3\xA9 Box.INI", "[Mfg]\r\nCount=1\r\nMfg0=Brasserie\r\n");  // as unpacked on Linux
    WriteFile("home/Th\xE9 Raw.ini", "[Mfg]\r\nCount=1\r\nMfg0=Old Spelling\r\n");      // as copied byte for byte
    WriteFile("shipped/Config/Properties_Media_Default.CDB", "layout");

    EXPECT_FALSE(StartConfiguration(programDir, shippedDir));
    SettingsStore first(programDir);
    first.LoadSettings();
    EXPECT_EQ(G_ConfigFiles, JoinPath(programDir, "Config/"));
    ConfigMigration migration(programDir);
    migration.RunMigration();
    ASSERT_TRUE(migration.Succeeded());
    std::vector<std::string> log;
    for (const MigrationLogLine& line : migration.LogLines())
        log.push_back(line.Bytes());
    const std::string home = programDir.Bytes();
    for (const std::string& said :
         {"The folder CartPath=C:\\Quorvel\\Carts\\ is not a folder of this system; using " + home + "Carts/.",
          "The folder ConfigFiles=C:\\Quorvel\\Config\\ is not a folder of this system; using " + home + "Config/.",
          "Moving " + home + "Caf\xC3\xA9 Box.INI to " + home + "Config/Caf\xC3\xA9 Box.INI...",
          "Moving " + home + "Th\xC3\xA9 Raw.INI to " + home + "Config/Th\xC3\xA9 Raw.INI..."})
        EXPECT_NE(std::find(log.begin(), log.end(), said), log.end()) << said;
    for (const std::string& line : log)
        EXPECT_EQ(line.find("Does not exist"), std::string::npos) << line;

    // The next start.
    EXPECT_FALSE(StartConfiguration(programDir, shippedDir));
    SettingsStore settings(programDir);
    settings.LoadSettings();
    const IniFile config = IniFile::Load(G_ConfigFile);
    EXPECT_EQ(config.ReadString("General", "ConfigVersion", ""), "CFG2.0");
    EXPECT_EQ(config.ReadString("Paths", "CartPath", ""), home + "Carts/");
    EXPECT_EQ(config.ReadString("Paths", "ConfigFiles", ""), home + "Config/");
    EXPECT_EQ(config.ReadString("Paths", "ReportPath", ""), Dir().string() + "/My Reports/");
    EXPECT_EQ(settings.GetFolder(setting::CartPath), JoinPath(programDir, "Carts/"));
    for (const fs::path& folder : {Dir() / "home", fs::current_path()})
        for (const auto& entry : fs::directory_iterator(folder))
            EXPECT_EQ(entry.path().filename().string().find('\\'), std::string::npos) << entry.path();

    PlatformList platforms;
    EXPECT_TRUE(ReferenceData::LoadPlatforms(platforms).empty());
    EXPECT_EQ(platforms.Names(), (std::vector<std::string> {"Caf\xE9 Box", "Th\xE9 Raw"}));
    EXPECT_EQ(ReadFile("home/Config/Platforms.ini"), oldList);  // not the shipped list
    using Makers = std::vector<std::string>;
    EXPECT_EQ(ReferenceData::Manufacturers("Caf\xE9 Box", ReferenceData::EmptyEntries::Skip), Makers {"Brasserie"});
    EXPECT_EQ(ReferenceData::Manufacturers("Th\xE9 Raw", ReferenceData::EmptyEntries::Skip), Makers {"Old Spelling"});
    EXPECT_TRUE(Exists("home/Config/Th\xC3\xA9 Raw.INI"));
    // The shipped files came with the next start: lookup tables, addresses, the property dialog's layout.
    EXPECT_EQ(ReadFile("home/Config/General.ini"), "shipped general");
    EXPECT_TRUE(Exists("home/Config/Sites.ini"));
    EXPECT_EQ(FindLayoutFile(G_ConfigFiles, "Media", "Caf\xE9 Box", nullptr),
              JoinPath(G_ConfigFiles, "Properties_Media_Default.CDB"));
    // A platform added now is written under the file system's spelling.
    ReferenceData::SaveSystemId("Nouveaut\xE9", "9");
    EXPECT_TRUE(Exists("home/Config/Nouveaut\xC3\xA9.ini"));
}

// Every start adds the addresses Sites.ini lacks; one that cannot be read is left alone, and the
// program still starts.
TEST_F(ProgramSetupTest, NoPermissionAnUnreadableSitesFileDoesNotStopTheStart)
{
    QUORVEL_SKIP_AS_ROOT();
    ASSERT_TRUE(StartConfiguration(programDir, shippedDir));
    WriteFile("home/Config/Sites.ini", "[Sites]\r\n");
    fs::permissions(ConfigPath("Sites.ini").Bytes(), fs::perms::owner_write);
    EXPECT_NO_THROW(EXPECT_FALSE(StartConfiguration(programDir, shippedDir)));
    fs::permissions(ConfigPath("Sites.ini").Bytes(), fs::perms::owner_read);
    EXPECT_EQ(ReadFile("home/Config/Sites.ini"), "[Sites]\r\n");
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
