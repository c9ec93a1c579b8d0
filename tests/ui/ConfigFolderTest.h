#pragma once

#include "model/Utils.h"
#include "platform/IniFile.h"
#include "support/TempDir.h"
#include "support/qt/FakeServices.h"
#include "ui/OptionsForm.h"
#include "ui/PlatformList.h"
#include "ui/SettingsStore.h"

#include <QListWidget>

#include <algorithm>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::test {

// A fresh program folder with its configuration file named, fake services installed, and helpers
// to lay out the configuration folder and to build the options dialog over it.
class ConfigFolderTest : public TempDirTest {
protected:
    void SetUp() override
    {
        TempDirTest::SetUp();
        programDir = Dir().string() + "/";
        InitConfigFile(programDir);
        settings.emplace(programDir);
    }

    void TearDown() override
    {
        form.reset();
        TempDirTest::TearDown();
    }

    std::string ConfigPath(const std::string& name) const { return programDir + "Config/" + name; }

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
        WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Brambleworks", "[SystemID]",
                                       "SystemID=17"});
        WriteConfig("korvo handheld.INI", {"[Mfg]", "Count=1", "Mfg0=Korvo"});
        WriteConfig("General.ini", {"[Lookup]", "Count=2", "Lookup0=Media Type", "Lookup1=Label Color",
                                    "[MediaType]", "Count=2", "MediaType0=Disc", "MediaType1=Cartridge",
                                    "[LabelColor]", "Count=1", "LabelColor0=Red"});
    }

    TOptionsForm& MakeForm()
    {
        form = std::make_unique<TOptionsForm>(*settings, platforms);
        return *form;
    }

    template <typename T>
    T* Child(const char* name) const
    {
        T* widget = form->findChild<T*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    static std::vector<std::string> Entries(const QListWidget* list)
    {
        std::vector<std::string> entries;
        for (int i = 0; i < list->count(); ++i)
            entries.push_back(list->item(i)->text().toStdString());
        return entries;
    }

    // Selects exactly these entries in one step from the current selection, as a click does.
    static void Select(QListWidget* list, const std::vector<std::string>& names)
    {
        auto flag = QItemSelectionModel::ClearAndSelect;
        for (int i = 0; i < list->count(); ++i) {
            if (std::find(names.begin(), names.end(), list->item(i)->text().toStdString()) != names.end()) {
                list->setCurrentRow(i, flag);
                flag = QItemSelectionModel::Select;
            }
        }
    }

    FakeServices fake;
    std::string programDir;
    std::optional<SettingsStore> settings;
    PlatformList platforms;
    std::unique_ptr<TOptionsForm> form;
};

}  // namespace quorvel::test
