#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

// One folder setting: its key in section Paths, the caption of its row in the options dialog and the
// name of its default folder below the program folder.
struct FolderSetting {
    const char* key;
    const char* description;
    const char* folderName;
};

// The user's settings (section Paths: the seven data folders; section General: display and saving
// options) as Key=Value pairs in memory, loaded from and written to G_ConfigFile. The store is the one
// truth for the whole run: every window reads it, and the options dialog copies its controls into it
// only when it closes on a path that saves.
class SettingsStore {
public:
    // ProgramDir is the writable half of the program folder, ending with "/".
    explicit SettingsStore(Path programDir);

    // The value of Key (case ignored), the empty text when absent. No file access.
    std::string GetSetting(std::string_view key) const;
    // A folder setting as the path it names (folder settings hold file-system bytes).
    Path GetFolder(std::string_view key) const { return Path(GetSetting(key)); }
    // A non-empty value replaces or appends; the empty text removes the key.
    void SetSetting(std::string_view key, std::string_view value);
    bool HoldsSetting(std::string_view key) const;
    // Readers treat exactly "1" as on.
    bool IsOn(std::string_view key) const { return GetSetting(key) == "1"; }

    // G_ConfigFile -> store for every key the store does not hold yet (a held key keeps its value);
    // folders end with "/", a folder value that is not usable means the default folder; sets G_ConfigFiles and
    // G_PlatformsFile; creates missing folders.
    void LoadSettings();
    // Store -> G_ConfigFile, sections Paths and General only. Throws FileWriteError.
    void SaveSettings() const;

    const Path& ProgramDir() const { return programDir_; }
    Path DefaultFolder(const FolderSetting& folder) const;
    // The folder a stored value names, ending with "/": the default folder when the value is no
    // absolute path of this system (blank, relative, or a Windows folder like "C:\Quorvel\Carts\").
    Path UsableFolder(const FolderSetting& folder, std::string_view value) const;
    static bool IsUsableFolder(std::string_view value);

    static const std::vector<FolderSetting>& Folders();
    // Keys of section General with their defaults, in the order they are loaded.
    static const std::vector<std::pair<const char*, const char*>>& GeneralDefaults();
    // Keys of section General in the order they are written.
    static const std::vector<const char*>& GeneralWriteOrder();

private:
    std::vector<std::pair<std::string, std::string>>::iterator Find(std::string_view key);
    std::vector<std::pair<std::string, std::string>>::const_iterator Find(std::string_view key) const;

    Path programDir_;
    std::vector<std::pair<std::string, std::string>> values_;
};

}  // namespace quorvel
