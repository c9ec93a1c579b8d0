#include "support/ConfigDirTest.h"

#include "platform/SafeFile.h"

#include <filesystem>

namespace quorvel {
namespace {

using test::ConfigDirTest;
namespace fs = std::filesystem;

std::vector<std::string> Keys(const IniFile& ini, const char* section)
{
    std::vector<std::string> keys;
    for (const auto& [key, value] : ini.SectionValues(section))
        keys.push_back(key);
    return keys;
}

TEST(SettingsStore, KeysIgnoreCaseAndEmptyRemoves)
{
    SettingsStore store(Path("/nowhere/"));
    EXPECT_EQ(store.GetSetting("ShowGrid"), "");
    EXPECT_FALSE(store.HoldsSetting("ShowGrid"));
    store.SetSetting("ShowGrid", "1");
    EXPECT_EQ(store.GetSetting("SHOWGRID"), "1");
    EXPECT_TRUE(store.IsOn("showgrid"));
    store.SetSetting("showgrid", "0");  // replaces, does not add a second line
    EXPECT_EQ(store.GetSetting("ShowGrid"), "0");
    EXPECT_FALSE(store.IsOn("ShowGrid"));
    store.SetSetting("ShowGrid", "2");
    EXPECT_FALSE(store.IsOn("ShowGrid"));  // readers take exactly "1" as on
    store.SetSetting("SHOWGRID", "");
    EXPECT_FALSE(store.HoldsSetting("ShowGrid"));
    EXPECT_EQ(store.GetSetting("ShowGrid"), "");
}

class SettingsFileTest : public ConfigDirTest { };

TEST_F(SettingsFileTest, FirstRunGivesTheDefaultsAndMakesTheFolders)
{
    settings->LoadSettings();
    // The folders are named for the user on disk. The options' defaults are spelled out: one flipped
    // changes every fresh install (BackupFiles off: no ".BAK" files).
    const std::pair<const char*, std::string> expected[] = {
        {"GroupPath", programDir + "Groups/"},      {"CartPath", programDir + "Carts/"},
        {"HardwarePath", programDir + "Hardware/"}, {"MasterCartPath", programDir + "Masters/"},
        {"ReportPath", programDir + "Reports/"},    {"ExportPath", programDir + "Export/"},
        {"ConfigFiles", programDir + "Config/"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(settings->GetSetting(key), value) << key;
    const std::pair<const char*, const char*> defaults[] = {
        {"ShowSplash", "1"},       {"ShowOwner", "1"},    {"BackupFiles", "1"},
        {"LoadLastCartFile", "1"}, {"WarnOnExport", "1"}, {"SaveAsFormat", "0"},
        {"AppendListType", "0"},   {"ShowGrid", "0"},     {"ShowCollectionExplorer", "1"},
        {"DefaultOwner", ""}};
    for (const auto& [key, value] : defaults)
        EXPECT_EQ(settings->GetSetting(key), value) << key;
    for (const auto& folder : SettingsStore::Folders())
        EXPECT_TRUE(fs::is_directory(settings->GetSetting(folder.key))) << folder.key;
    EXPECT_EQ(G_ConfigFiles, Path(programDir + "Config/"));
    EXPECT_EQ(G_PlatformsFile, Path(programDir + "Config/Platforms.ini"));
}

TEST_F(SettingsFileTest, ValuesFromTheFileAreNormalised)
{
    const std::string dir = programDir;
    WriteFile("Quorvel.ini",
              "[General]\r\nFirstTime=0\r\nConfigVersion=CFG2.0\r\nshowgrid=1\r\n"
              "DefaultOwner=Sam Reyes\r\nWarnOnExport=0\r\nSaveAsFormat=2\r\nShowOwner=\r\n"
              "ShowCollectionExplorer=  \r\n"
              "[Paths]\r\nCartPath=" +
                  dir +
                  "My Carts\r\nReportPath=   \r\nExportPath=\"\"\r\n"
                  "CONFIGFILES=" +
                  dir + "deep/er/Conf/\r\nGroupPath=" + dir + "G//\r\n" +
                  "HardwarePath=C:\\Quorvel\\Hardware\\\r\nMasterCartPath=Masters/\r\n");
    settings->LoadSettings();
    const std::pair<const char*, std::string> expected[] = {
        {"CartPath", dir + "My Carts/"},         // a separator is added
        {"ReportPath", dir + "Reports/"},        // blank means the default folder
        {"ExportPath", dir + "Export/"},         // so does an empty quoted value
        {"ConfigFiles", dir + "deep/er/Conf/"},  // missing parents are made
        {"GroupPath", dir + "G//"},              // held as written
        {"HardwarePath", dir + "Hardware/"},     // a Windows folder from an old configuration is none here
        {"MasterCartPath", dir + "Masters/"},    // nor is a folder below wherever the program started
        {"ShowGrid", "1"},                       // the key's spelling does not matter
        {"DefaultOwner", "Sam Reyes"},
        {"ShowOwner", "1"},  // an empty option takes its default
        {"ShowCollectionExplorer", "1"},
    };
    for (const auto& [key, value] : expected)
        EXPECT_EQ(settings->GetSetting(key), value) << key;
    EXPECT_TRUE(fs::is_directory(dir + "deep/er/Conf"));
    EXPECT_TRUE(fs::is_directory(dir + "My Carts"));
    EXPECT_FALSE(fs::exists("C:\\Quorvel\\Hardware\\"));
    EXPECT_EQ(G_ConfigFiles, Path(dir + "deep/er/Conf/"));
}

TEST_F(SettingsFileTest, HeldValuesWinOverTheFileForTheWholeRun)
{
    settings->LoadSettings();
    settings->SetSetting("ShowGrid", "1");
    settings->SetSetting("CartPath", programDir + "Elsewhere/");
    WriteFile("Quorvel.ini", "[General]\r\nShowGrid=0\r\nDefaultOwner=Other\r\n");
    settings->LoadSettings();
    settings->LoadSettings();
    EXPECT_EQ(settings->GetSetting("ShowGrid"), "1");
    EXPECT_EQ(settings->GetSetting("CartPath"), programDir + "Elsewhere/");
    // A key the store no longer holds is read again.
    settings->SetSetting("DefaultOwner", "");
    settings->LoadSettings();
    EXPECT_EQ(settings->GetSetting("DefaultOwner"), "Other");
}

TEST_F(SettingsFileTest, SaveWritesBothSectionsInOrderAndKeepsEverythingElse)
{
    WriteFile("Quorvel.ini",
              "; kept\r\n[General]\r\nFirstTime=0\r\nConfigVersion=CFG2.0\r\nWindowX=10\r\n"
              "[LastFiles]\r\nCount=1\r\nFile0=/lists/a.csv\r\n");
    settings->LoadSettings();
    settings->SetSetting("ShowGrid", "1");  // as the View menu does, with no dialog involved
    settings->SaveSettings();

    const IniFile ini = IniFile::Load(G_ConfigFile);
    EXPECT_EQ(Keys(ini, "General"),
              (std::vector<std::string> {"FirstTime", "ConfigVersion", "WindowX", "ShowSplash", "ShowOwner",
                                         "BackupFiles", "LoadLastCartFile", "SaveAsFormat", "AppendListType",
                                         "WarnOnExport", "ShowGrid", "ShowCollectionExplorer", "DefaultOwner"}));
    EXPECT_EQ(Keys(ini, "Paths"),
              (std::vector<std::string> {"GroupPath", "CartPath", "HardwarePath", "MasterCartPath", "ReportPath",
                                         "ExportPath", "ConfigFiles"}));
    EXPECT_EQ(ini.ReadString("General", "ShowGrid", ""), "1");
    EXPECT_EQ(ini.ReadString("General", "WindowX", ""), "10");
    EXPECT_EQ(ini.ReadIndexedList("LastFiles", "File"), std::vector<std::string> {"/lists/a.csv"});
    EXPECT_EQ(ReadFile("Quorvel.ini").rfind("; kept\r\n", 0), 0u);

    // What was saved comes back the same in a new run.
    SettingsStore next {Path(programDir)};
    next.LoadSettings();
    for (const auto& [key, def] : SettingsStore::GeneralDefaults())
        EXPECT_EQ(next.GetSetting(key), settings->GetSetting(key)) << key;
}

TEST_F(SettingsFileTest, AFailedSaveIsReported)
{
    settings->LoadSettings();
    G_ConfigFile = Path(programDir + "missing/Quorvel.ini");
    EXPECT_THROW(settings->SaveSettings(), FileWriteError);
}

TEST_F(SettingsFileTest, AFolderThatCannotBeMadeStaysMissingQuietly)
{
    WriteFile("blocker", "a file, not a folder");
    WriteFile("Quorvel.ini", "[Paths]\r\nExportPath=" + programDir + "blocker/Export\r\n");
    EXPECT_NO_THROW(settings->LoadSettings());
    EXPECT_EQ(settings->GetSetting("ExportPath"), programDir + "blocker/Export/");
    EXPECT_TRUE(fs::is_directory(programDir + "Carts"));
}

}  // namespace
}  // namespace quorvel
