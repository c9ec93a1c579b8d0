#pragma once

#include "config/PlatformList.h"
#include "config/SettingsStore.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "support/GlobalsTest.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// A fresh program folder with its configuration file named, and helpers to lay out the
// configuration folder.
class ConfigDirTest : public GlobalsTest {
protected:
    void SetUp() override
    {
        GlobalsTest::SetUp();
        programDir = Dir().string() + "/";
        InitConfigFile(Path(programDir));
        settings.emplace(Path(programDir));
    }

    Path ConfigPath(const std::string& name) const { return Path(programDir + "Config/" + name); }

    // Lines joined with CR LF, as the shipped files are.
    void WriteConfig(const std::string& name, const std::vector<std::string>& lines) const
    {
        std::string text;
        for (const auto& line : lines)
            text += line + "\r\n";
        WriteFile("Config/" + name, text);
    }

    IniFile ReadConfig(const std::string& name) const { return IniFile::Load(ConfigPath(name)); }

    // Two platforms with makers and identifiers, and two lookup tables.
    void WriteSampleConfig() const
    {
        WriteConfig("Platforms.ini", {"[Platforms]", "Count=2", "PlatForm0=Zentrix 64", "PlatForm1=Korvo Handheld"});
        WriteConfig("Zentrix 64.ini",
                    {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Brambleworks", "[SystemID]", "SystemID=17"});
        WriteConfig("korvo handheld.INI", {"[Mfg]", "Count=1", "Mfg0=Korvo"});
        WriteConfig("General.ini",
                    {"[Lookup]", "Count=2", "Lookup0=Media Type", "Lookup1=Label Color", "[MediaType]", "Count=2",
                     "MediaType0=Disc", "MediaType1=Cartridge", "[LabelColor]", "Count=1", "LabelColor0=Red"});
    }

    std::string programDir;  // ends with "/"
    std::optional<SettingsStore> settings;
    PlatformList platforms;
};

}  // namespace quorvel::test
