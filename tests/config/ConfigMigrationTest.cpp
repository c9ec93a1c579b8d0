#include <gtest/gtest.h>

#include "config/ConfigMigration.h"
#include "model/ColumnList.h"
#include "model/ItemClasses.h"
#include "model/Utils.h"
#include "platform/IniFile.h"
#include "support/GlobalsTest.h"

#include <filesystem>

namespace quorvel {
namespace {

class ConfigMigrationTest : public test::GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        dir = Dir().string() + "/";
        G_ConfigFile = Path(dir + "Quorvel.ini");
        G_ConfigFiles = Path(dir + "Config/");
    }

    // An old configuration: custom reports (two named as no section can be named), view sections, two
    // platforms of which only the first has its file in the program folder.
    void WriteOldConfig()
    {
        WriteFile("Quorvel.ini",
                  "[General]\r\nShowSplash=1\r\n[ReportList]\r\nCount=4\r\nRpt0=Shelf\r\nRpt1=Cost=Value\r\nRpt2=paths\r\n"
                  "Rpt3=Bad]Name\r\n[Shelf]\r\nCount=2\r\nName0=Title\r\nOrder0=5\r\nName1=Maker\r\nOrder1=0\r\n"
                  "[Cost=Value]\r\nCount=0\r\n[Bad]Name]\r\nCount=1\r\nName0=Worth\r\nField0=VALUE\r\n"
                  "[CustomMainHeader]\r\nCount=0\r\n[MfgList]\r\nCount=0\r\n[Paths]\r\nMedia=x\r\n");
        WriteIniString(G_ConfigFile, "Shelf", "Field0", MediaFieldSet()[0].Name);
        WriteIniString(G_ConfigFile, "Shelf", "Field1", MediaFieldSet()[1].Name);
        WriteFile("platforms.ini",
                  "[Platforms]\r\nCount=3\r\nPlatForm0=Zentrix 64\r\nPlatForm1=\r\nPlatForm2=Korvo\r\n");
        WriteFile("zentrix 64.ini", "[Mfg]\r\nCount=0\r\n");
    }

    std::vector<std::string> Migrate()
    {
        ConfigMigration migration {Path(dir)};
        migration.RunMigration();
        succeeded = migration.Succeeded();
        std::vector<std::string> lines;
        for (const MigrationLogLine& line : migration.LogLines())
            lines.push_back(line.Bytes());
        return lines;
    }

    std::string dir;
    bool succeeded = false;
};

TEST_F(ConfigMigrationTest, VersionStates)
{
    using S = ConfigVersionState;
    const std::pair<const char*, S> cases[] = {
        // nullptr: no configuration file
        {nullptr, S::Current},
        {"[General]\r\nFirstTime=0\r\n", S::Old},
        {"[General]\r\nConfigVersion=CFG1.0\r\n", S::Old},
        {"[General]\r\nConfigVersion=CFG2.0\r\n[ReportList]\r\nCount=1\r\nRpt0=A\r\n", S::Current},
        {"[General]\r\nConfigVersion=CFG3.0\r\n", S::Unknown},
    };
    for (const auto& [content, state] : cases) {
        std::filesystem::remove(G_ConfigFile.Bytes());
        if (content)
            WriteFile("Quorvel.ini", content);
        EXPECT_EQ(GetConfigVersionState(), state) << (content ? content : "no file");
        if (state != S::Old) {
            EXPECT_TRUE(Migrate().empty());  // nothing to do, nothing touched
            EXPECT_TRUE(succeeded);
        }
    }
    EXPECT_FALSE(Exists("Config/CustomReports.ini"));
}

TEST_F(ConfigMigrationTest, MigratesAnOldConfigurationStepByStep)
{
    WriteOldConfig();
    const std::string config = dir + "Config/";
    const std::vector<std::string> expected = {
        "Upgrading Configuration Information from Configuration Version 1.0...",
        "G_ConfigFile=" + dir + "Quorvel.ini",
        "G_ConfigFiles=" + config,
        "Moving Custom Reports...",
        "4 Reports to move.",
        "Moving Report \"Shelf\"...",
        "Moving Report \"Cost=Value\"...",
        "Report \"Cost=Value\" is stored in the section \"CustomMediaCost%3DValue\".",
        "Moving Report \"paths\"...",  // named like a settings section: that section stays
        "Moving Report \"Bad]Name\"...",  // its old section reads back as "Bad"
        "Report \"Bad]Name\" is stored in the section \"CustomMediaBad%5DName\".",
        "Move Complete.",
        "Moving Configuration Files...",
        "3 Configuration Files to move.",
        "Checking for " + dir + "Zentrix 64.INI...",
        "Moving " + dir + "Zentrix 64.INI to " + config + "Zentrix 64.INI...",
        "Checking for " + dir + "Korvo.INI...",
        dir + "Korvo.INI Does not exist.",
        "Copying " + dir + "platforms.ini to " + config + "Platforms.ini...",
        "Move Complete.",
        "Removing Old View Information from Config File...",
        "Cleanup Complete.",
        "UpgradeComplete...",
    };
    EXPECT_EQ(Migrate(), expected);
    EXPECT_TRUE(succeeded);

    const IniFile ini = IniFile::Load(G_ConfigFile);
    EXPECT_EQ(ini.ReadString("General", "ConfigVersion", ""), "CFG2.0");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string> {"General", "Paths"}));
    EXPECT_TRUE(Exists("Config/Zentrix 64.INI"));
    EXPECT_FALSE(Exists("zentrix 64.ini"));
    EXPECT_EQ(ReadFile("Config/Platforms.ini"), ReadFile("platforms.ini"));

    const IniFile reports = IniFile::Load(Path(config + "CustomReports.ini"));
    EXPECT_EQ(reports.ReadIndexedList("ReportList", "Rpt"),
              (std::vector<std::string> {"Shelf", "Cost=Value", "paths", "Bad]Name"}));
    // The stored order survives: the maker column (order 0) comes first, the title after it.
    TColumnListClass shelf;
    shelf.SetTemplate(&MediaFieldSet());
    shelf.LoadFromIni(Path(config + "CustomReports.ini"), "CustomMediaShelf");
    shelf.SortByOrder();
    EXPECT_EQ(shelf.GetColumn(0)->Name, "Maker");
    EXPECT_LT(shelf.IndexOfField(MediaFieldSet()[1].Name), shelf.IndexOfField(MediaFieldSet()[0].Name));
    EXPECT_TRUE(reports.HasSection("CustomMediaCost%3DValue"));
    shelf.LoadFromIni(Path(config + "CustomReports.ini"), "CustomMediaBad%5DName");
    EXPECT_EQ(shelf.GetColumn(shelf.IndexOfField("Value"))->Name, "Worth");

    // A second run finds nothing to move and keeps what the first one wrote.
    const std::string before = ReadFile("Config/CustomReports.ini");
    WriteIniString(G_ConfigFile, "General", "ConfigVersion", "CFG1.0");
    const auto again = Migrate();
    ASSERT_GE(again.size(), 10u);
    EXPECT_EQ(again[4], "0 Reports to move.");
    EXPECT_EQ(again[9], dir + "Zentrix 64.INI Does not exist.");
    EXPECT_EQ(ReadFile("Config/CustomReports.ini"), before);
    EXPECT_TRUE(succeeded);
}

TEST_F(ConfigMigrationTest, AMoveOntoAnExistingFileKeepsBoth)
{
    WriteOldConfig();
    WriteFile("Config/ZENTRIX 64.ini", "kept");
    const auto lines = Migrate();
    ASSERT_GE(lines.size(), 17u);
    EXPECT_EQ(lines[16],
              "Move failed: " + dir + "Config/ZENTRIX 64.ini already exists; " + dir + "Zentrix 64.INI stays.");
    EXPECT_EQ(ReadFile("Config/ZENTRIX 64.ini"), "kept");
    EXPECT_TRUE(Exists("zentrix 64.ini"));
    EXPECT_TRUE(succeeded);
}

TEST_F(ConfigMigrationTest, APlatformListInTheConfigurationFolderIsNeverReplaced)
{
    for (const std::string name : {"Platforms.ini", "PLATFORMS.INI"}) {
        std::filesystem::remove_all(Dir() / "Config");
        WriteOldConfig();
        WriteFile("Config/" + name, "[Platforms]\r\nCount=1\r\nPlatForm0=Mine\r\n");
        const auto lines = Migrate();
        EXPECT_TRUE(succeeded) << name;
        EXPECT_EQ(ReadFile("Config/" + name), "[Platforms]\r\nCount=1\r\nPlatForm0=Mine\r\n") << name;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Dir() / "Config"), {}), 3) << name;
        for (const std::string& line : lines)
            EXPECT_EQ(line.find("Copying"), std::string::npos) << name << ": " << line;
    }
}

// Root writes through any permission, so the configuration folder is blocked by what is in the way.
TEST_F(ConfigMigrationTest, AConfigurationFolderThatCannotBeWrittenFailsTheMigration)
{
    const std::pair<const char*, std::string> blocks[] = {
        {"a file where the folder belongs", "Config"},
        {"a folder where the reports belong", "Config/CustomReports.ini/"},
    };
    for (const auto& [what, block] : blocks) {
        std::filesystem::remove_all(Dir() / "Config");
        WriteOldConfig();
        if (block.back() == '/')
            std::filesystem::create_directories(Dir() / block);
        else
            WriteFile(block, "in the way");
        const auto lines = Migrate();
        EXPECT_FALSE(succeeded) << what;
        ASSERT_GE(lines.size(), 2u) << what;
        EXPECT_EQ(lines[lines.size() - 2].rfind("Error: ", 0), 0u) << what << ": " << lines[lines.size() - 2];
        EXPECT_EQ(lines.back(), "The configuration was not upgraded; it will be tried again at the next start.");
        EXPECT_EQ(GetConfigVersionState(), ConfigVersionState::Old) << what;
    }
}

TEST_F(ConfigMigrationTest, NoPermissionFailedWriteIsLoggedAndTheVersionStaysOld)
{
    QUORVEL_SKIP_AS_ROOT();
    WriteOldConfig();
    WriteFile("Config/CustomReports.ini", "[ReportList]\r\nCount=0\r\n");
    std::filesystem::permissions((Dir() / "Config/CustomReports.ini"), std::filesystem::perms::owner_read);
    const auto lines = Migrate();
    EXPECT_FALSE(succeeded);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_NE(lines[lines.size() - 2].find("Error: "), std::string::npos);
    EXPECT_NE(lines.back().find("tried again"), std::string::npos);
    EXPECT_EQ(ReadIniString(G_ConfigFile, "General", "ConfigVersion", "CFG1.0"), "CFG1.0");
    EXPECT_EQ(ReadIniInteger(G_ConfigFile, "ReportList", "Count", 0), 4);
}

}  // namespace
}  // namespace quorvel
