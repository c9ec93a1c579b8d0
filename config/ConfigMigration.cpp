#include "config/ConfigMigration.h"

#include "config/SettingsStore.h"
#include "model/ColumnList.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "platform/FileNames.h"
#include "platform/IniFile.h"
#include "platform/SafeFile.h"
#include "platform/Text.h"

#include <algorithm>
#include <exception>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace quorvel {

namespace {

constexpr char kGeneral[] = "General";
constexpr char kConfigVersion[] = "ConfigVersion";
constexpr char kReportList[] = "ReportList";

std::string ConfigVersion() { return ReadIniString(G_ConfigFile, kGeneral, kConfigVersion, kConfigVersionOld); }

}  // namespace

ConfigVersionState GetConfigVersionState()
{
    if (!FindFileNoCase(ExtractFilePath(G_ConfigFile), ExtractFileName(G_ConfigFile)))
        return ConfigVersionState::Current;
    const std::string version = ConfigVersion();
    if (version == kConfigVersionCurrent)
        return ConfigVersionState::Current;
    if (version == kConfigVersionOld)
        return ConfigVersionState::Old;
    return ConfigVersionState::Unknown;
}

std::string MigrationLogLine::Bytes() const
{
    std::string bytes;
    for (const Piece& piece : pieces_)
        bytes += std::holds_alternative<Path>(piece) ? std::get<Path>(piece).Bytes() : std::get<std::string>(piece);
    return bytes;
}

ConfigMigration::ConfigMigration(Path programDir, LogSink sink)
    : programDir_(WithTrailingSlash(programDir)), sink_(std::move(sink))
{
}

void ConfigMigration::AddLogLine(const MigrationLogLine& line)
{
    log_.push_back(line);
    if (sink_)
        sink_(line);
}

void ConfigMigration::RunMigration()
{
    if (GetConfigVersionState() != ConfigVersionState::Old) {
        succeeded_ = true;
        return;
    }
    MigrateFrom10();
}

void ConfigMigration::MigrateFrom10()
{
    succeeded_ = false;
    AddLogLine("Upgrading Configuration Information from Configuration Version 1.0...");
    AddLogLine(MigrationLogLine("G_ConfigFile=") + G_ConfigFile);
    AddLogLine(MigrationLogLine("G_ConfigFiles=") + G_ConfigFiles);
    try {
        if (G_ConfigFiles.empty())
            throw std::runtime_error("The configuration folder is not set.");
        ReplaceForeignFolders();
        std::filesystem::create_directories(G_ConfigFiles.Bytes());
        MoveCustomReports();
        MoveConfigFiles();
        RemoveOldSections();
        WriteIniString(G_ConfigFile, kGeneral, kConfigVersion, kConfigVersionCurrent);
    } catch (const std::exception& e) {
        // A file's name is shown as the file system spells it.
        const auto* file = dynamic_cast<const FileError*>(&e);
        AddLogLine(file ? MigrationLogLine("Error: " + file->Prefix()) + file->FileName()
                        : MigrationLogLine(std::string("Error: ") + e.what()));
        AddLogLine("The configuration was not upgraded; it will be tried again at the next start.");
        return;
    }
    succeeded_ = true;
    AddLogLine("UpgradeComplete...");
}

void ConfigMigration::ReplaceForeignFolders()
{
    const SettingsStore store(programDir_);
    const IniFile config = IniFile::Load(G_ConfigFile);
    for (const auto& folder : SettingsStore::Folders()) {
        const std::string value = config.ReadString("Paths", folder.key, "");
        if (IsBlank(value) || SettingsStore::IsUsableFolder(value))
            continue;
        // The settings already use the default folder; the file says so from now on.
        const Path used = store.DefaultFolder(folder);
        AddLogLine(MigrationLogLine("The folder " + std::string(folder.key) + "=" + value +
                                    " is not a folder of this system; using ") +
                   used + ".");
        WriteIniString(G_ConfigFile, "Paths", folder.key, used.Bytes());
    }
}

void ConfigMigration::MoveCustomReports()
{
    AddLogLine("Moving Custom Reports...");
    auto item = CreateItemObject(itMedia);
    TColumnListClass columns;
    columns.SetTemplate(item.get());

    const Path reportsFile = JoinPath(G_ConfigFiles, "CustomReports.ini");
    const IniFile old = IniFile::Load(G_ConfigFile);
    const int count = std::max(0, old.ReadInteger(kReportList, "Count", 0));
    // Only the keys present are visited: a Count of two billion costs nothing.
    const std::vector<std::string> names = old.ReadIndexedList(kReportList, "Rpt", true);
    // An empty old list writes nothing: a second run must not truncate the reports moved by the first.
    if (!names.empty()) {
        IniFile reports = IniFile::Load(reportsFile);
        reports.SetValue(kReportList, "Count", std::to_string(names.size()));
        for (size_t i = 0; i < names.size(); ++i)
            reports.SetValue(kReportList, "Rpt" + std::to_string(i), names[i]);
        reports.Save();
    }
    AddLogLine(std::to_string(count) + " Reports to move.");

    for (const std::string& name : names) {
        AddLogLine("Moving Report \"" + name + "\"...");
        if (name.empty())
            continue;
        // One report the new file cannot hold must not keep every other setting from moving.
        try {
            MoveCustomReport(columns, name, reportsFile);
        } catch (const std::invalid_argument& e) {
            AddLogLine("Report \"" + name + "\" was not moved: " + e.what());
        }
    }
    EraseIniSection(G_ConfigFile, kReportList);
    FreeItemObject(item);
    AddLogLine("Move Complete.");
}

void ConfigMigration::MoveCustomReport(TColumnListClass& columns, const std::string& name,
                                       const Path& reportsFile)
{
    // The old file was written without checks: "[Bad]Name]" reads back as the section "Bad".
    const std::string oldSection(TrimBlanks(std::string_view(name).substr(0, name.find(']'))));
    columns.LoadFromIni(G_ConfigFile, oldSection.empty() ? name : oldSection);
    // Saving writes each column's position as its order: sort first so the user's order stays.
    columns.SortByOrder();
    // Where the custom-report window looks for a media report's columns; a name the file cannot
    // hold as a section ("Cost=Value") is stored under one it can.
    const std::string section = IniFile::HoldableSectionName("CustomMedia" + name);
    if (section != "CustomMedia" + name)
        AddLogLine("Report \"" + name + "\" is stored in the section \"" + section + "\".");
    columns.SaveToIni(reportsFile, section);
    // A report named like one of the configuration's own sections must not take the settings with it.
    const bool ownSection = Cp1252::EqualsNoCase(oldSection, kGeneral) || Cp1252::EqualsNoCase(oldSection, "Paths") ||
        Cp1252::EqualsNoCase(oldSection, "LastFiles");
    if (!ownSection && !oldSection.empty())
        EraseIniSection(G_ConfigFile, oldSection);
}

void ConfigMigration::MoveConfigFiles()
{
    AddLogLine("Moving Configuration Files...");
    const Path oldList = JoinPath(programDir_, "platforms.ini");
    const IniFile platforms = IniFile::Load(oldList);
    const int count = std::max(0, platforms.ReadInteger("Platforms", "Count", 0));
    AddLogLine(std::to_string(count) + " Configuration Files to move.");
    for (const std::string& name : platforms.ReadIndexedList("Platforms", "PlatForm"))
        MovePlatformFile(name);
    CopyPlatformList(oldList);
    AddLogLine("Move Complete.");
}

void ConfigMigration::MovePlatformFile(const std::string& name)
{
    // The name is Windows-1252 text: its file is found under either spelling and moves under the
    // file system's own (UTF-8).
    const std::string file = name + ".INI";
    const Path source = JoinPath(programDir_, PathFromText(file));
    const Path target = JoinPath(G_ConfigFiles, PathFromText(file));
    AddLogLine(MigrationLogLine("Checking for ") + source + "...");
    // A name that cannot be a file name is treated as a missing file.
    const auto found = IsSafeName(name) ? FindTextFileNoCase(programDir_, file) : std::nullopt;
    if (!found) {
        AddLogLine(MigrationLogLine("") + source + " Does not exist.");
        return;
    }
    AddLogLine(MigrationLogLine("Moving ") + source + " to " + target + "...");
    if (const auto existing = FindTextFileNoCase(G_ConfigFiles, file)) {
        std::error_code same;
        if (std::filesystem::equivalent(found->Bytes(), existing->Bytes(), same))
            return;  // the configuration folder is the program folder: already in place
        AddLogLine(MigrationLogLine("Move failed: ") + *existing + " already exists; " + source + " stays.");
        return;
    }
    std::error_code error;
    std::filesystem::rename(found->Bytes(), target.Bytes(), error);
    if (error)
        AddLogLine(MigrationLogLine("Move failed: " + error.message() + "; ") + source + " stays.");
}

void ConfigMigration::CopyPlatformList(const Path& oldList)
{
    const auto found = FindFileNoCase(programDir_, "platforms.ini");
    // The configuration folder's own list is the newer one: it is never replaced.
    if (!found || FindFileNoCase(G_ConfigFiles, "Platforms.ini"))
        return;
    const Path target = JoinPath(G_ConfigFiles, "Platforms.ini");
    AddLogLine(MigrationLogLine("Copying ") + oldList + " to " + target + "...");
    const auto content = ReadWholeFile(*found);
    if (!content)
        throw FileError("Unable to read ", *found);
    WriteFileAtomic(target, *content);
}

void ConfigMigration::RemoveOldSections()
{
    AddLogLine("Removing Old View Information from Config File...");
    for (const char* section : {"CustomInventoryHeader", "CustomMainHeader", "CustomCompareHeader", "CustomAddHeader",
                                "CustomTradeReportHeader", "CustomCompareReportHeader", "MfgList"})
        EraseIniSection(G_ConfigFile, section);
    AddLogLine("Cleanup Complete.");
}

void ConfigMigration::SaveLog() const
{
    std::string text;
    for (const auto& line : log_)
        text += line.Bytes() + "\r\n";
    WriteFileAtomic(JoinPath(programDir_, "MigrateLog.txt"), text);
}

}  // namespace quorvel
