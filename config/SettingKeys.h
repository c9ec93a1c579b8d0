#pragma once

// The keys of the settings store (SettingsStore::GetSetting and friends), each spelt as its name.

namespace quorvel::setting {

// Section Paths: the data folders.
inline constexpr char GroupPath[] = "GroupPath";
inline constexpr char CartPath[] = "CartPath";
inline constexpr char HardwarePath[] = "HardwarePath";
inline constexpr char MasterCartPath[] = "MasterCartPath";
inline constexpr char ReportPath[] = "ReportPath";
inline constexpr char ExportPath[] = "ExportPath";
inline constexpr char ConfigFiles[] = "ConfigFiles";

// Section General: display and saving options; "1" is on.
inline constexpr char ShowSplash[] = "ShowSplash";
inline constexpr char ShowOwner[] = "ShowOwner";
inline constexpr char BackupFiles[] = "BackupFiles";
inline constexpr char LoadLastCartFile[] = "LoadLastCartFile";
inline constexpr char WarnOnExport[] = "WarnOnExport";
inline constexpr char SaveAsFormat[] = "SaveAsFormat";
inline constexpr char AppendListType[] = "AppendListType";
inline constexpr char ShowGrid[] = "ShowGrid";
inline constexpr char ShowCollectionExplorer[] = "ShowCollectionExplorer";
inline constexpr char DefaultOwner[] = "DefaultOwner";

}  // namespace quorvel::setting
