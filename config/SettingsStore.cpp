#include "config/SettingsStore.h"

#include "config/SettingKeys.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <filesystem>

namespace quorvel {

namespace {

constexpr const char* kPaths = "Paths";
constexpr const char* kGeneral = "General";

}  // namespace

SettingsStore::SettingsStore(Path programDir) : programDir_(WithTrailingSlash(programDir)) { }

const std::vector<FolderSetting>& SettingsStore::Folders()
{
    static const std::vector<FolderSetting> folders = {
        {setting::GroupPath, "Group Files", "Groups"},         {setting::CartPath, "Media Files", "Carts"},
        {setting::HardwarePath, "Hardware Files", "Hardware"}, {setting::MasterCartPath, "Master Files", "Masters"},
        {setting::ReportPath, "Report Files", "Reports"},      {setting::ExportPath, "Export Files", "Export"},
        {setting::ConfigFiles, "Config Files", "Config"},
    };
    return folders;
}

const std::vector<std::pair<const char*, const char*>>& SettingsStore::GeneralDefaults()
{
    // WarnOnExport is on by default: the dialog shows it checked and its first save writes "1".
    static const std::vector<std::pair<const char*, const char*>> defaults = {
        {setting::ShowSplash, "1"},       {setting::ShowOwner, "1"},    {setting::BackupFiles, "1"},
        {setting::LoadLastCartFile, "1"}, {setting::WarnOnExport, "1"}, {setting::SaveAsFormat, "0"},
        {setting::AppendListType, "0"},   {setting::ShowGrid, "0"},     {setting::ShowCollectionExplorer, "1"},
        {setting::DefaultOwner, ""},
    };
    return defaults;
}

const std::vector<const char*>& SettingsStore::GeneralWriteOrder()
{
    static const std::vector<const char*> order = {
        setting::ShowSplash,       setting::ShowOwner,    setting::BackupFiles,
        setting::LoadLastCartFile, setting::SaveAsFormat, setting::AppendListType,
        setting::WarnOnExport,     setting::ShowGrid,     setting::ShowCollectionExplorer,
        setting::DefaultOwner,
    };
    return order;
}

std::vector<std::pair<std::string, std::string>>::iterator SettingsStore::Find(std::string_view key)
{
    return std::find_if(values_.begin(), values_.end(),
                        [key](const auto& pair) { return Cp1252::EqualsNoCase(pair.first, key); });
}

std::vector<std::pair<std::string, std::string>>::const_iterator SettingsStore::Find(std::string_view key) const
{
    return std::find_if(values_.begin(), values_.end(),
                        [key](const auto& pair) { return Cp1252::EqualsNoCase(pair.first, key); });
}

std::string SettingsStore::GetSetting(std::string_view key) const
{
    const auto it = Find(key);
    return it == values_.end() ? std::string() : it->second;
}

void SettingsStore::SetSetting(std::string_view key, std::string_view value)
{
    const auto it = Find(key);
    if (value.empty()) {
        if (it != values_.end())
            values_.erase(it);
    } else if (it != values_.end()) {
        it->second = value;
    } else {
        values_.emplace_back(key, value);
    }
}

bool SettingsStore::HoldsSetting(std::string_view key) const { return Find(key) != values_.end(); }

Path SettingsStore::DefaultFolder(const FolderSetting& folder) const
{
    return WithTrailingSlash(JoinPath(programDir_, Path(folder.folderName)));
}

bool SettingsStore::IsUsableFolder(std::string_view value) { return !value.empty() && value.front() == '/'; }

Path SettingsStore::UsableFolder(const FolderSetting& folder, std::string_view value) const
{
    // A blank or relative folder would name a folder below wherever the program was started, which
    // the next start from elsewhere does not find.
    return IsUsableFolder(value) ? WithTrailingSlash(Path::FromBytes(value)) : DefaultFolder(folder);
}

void SettingsStore::LoadSettings()
{
    const IniFile ini = IniFile::Load(G_ConfigFile);
    for (const auto& folder : Folders()) {
        if (!HoldsSetting(folder.key))
            SetSetting(folder.key, ini.ReadString(kPaths, folder.key, DefaultFolder(folder).Bytes()));
        SetSetting(folder.key, UsableFolder(folder, GetSetting(folder.key)).Bytes());
    }
    for (const auto& [key, def] : GeneralDefaults()) {
        if (HoldsSetting(key))
            continue;
        // An empty option would show checked in the dialog yet act as off; like a missing key it
        // takes the default.
        const std::string value = ini.ReadString(kGeneral, key, def);
        SetSetting(key, IsBlank(value) ? def : value);
    }

    G_ConfigFiles = GetFolder(setting::ConfigFiles);
    G_PlatformsFile = JoinPath(G_ConfigFiles, "Platforms.ini");

    // A folder that cannot be created stays missing; whoever uses it reports the failure then.
    for (const auto& folder : Folders()) {
        std::error_code ignored;
        std::filesystem::create_directories(GetFolder(folder.key).Bytes(), ignored);
    }
}

void SettingsStore::SaveSettings() const
{
    // One read and one atomic write; other keys of General (FirstTime, placement) stay as they are.
    IniFile ini = IniFile::Load(G_ConfigFile);
    for (const auto& folder : Folders())
        ini.SetValue(kPaths, folder.key, GetSetting(folder.key));
    for (const char* key : GeneralWriteOrder())
        ini.SetValue(kGeneral, key, GetSetting(key));
    ini.Save();
}

}  // namespace quorvel
