#include "config/ProgramSetup.h"

#include "config/ConfigMigration.h"
#include "config/SettingKeys.h"
#include "config/SettingsStore.h"
#include "config/SiteAddresses.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"
#include "platform/SafeFile.h"

#include <filesystem>
#include <string_view>

namespace quorvel {

namespace {

void WriteSiteDefaults(const Path& configFolder)
{
    // Best effort like the copies: without the file every address keeps its default.
    std::error_code ignored;
    std::filesystem::create_directories(configFolder.Bytes(), ignored);
    try {
        WriteMissingSiteAddresses(JoinPath(configFolder, kSitesFileName));
    } catch (const FileError&) {
    }
}

}  // namespace

bool StartConfiguration(const Path& programDir, const Path& shippedDir)
{
    // The same test InitConfigFile makes before it marks the first run as done.
    const bool firstRun = ReadIniBool(JoinPath(programDir, "Quorvel.ini"), "General", "FirstTime", true);
    InitConfigFile(programDir);
    // An old configuration brings its own platform list and files: the migration moves them first,
    // and the start after it adds what they lack.
    const bool migrating = GetConfigVersionState() == ConfigVersionState::Old;
    const SettingsStore store(programDir);
    for (const auto& folder : SettingsStore::Folders()) {
        const bool config = std::string_view(folder.key) == setting::ConfigFiles;
        if (config ? migrating : !firstRun)
            continue;
        const Path source = JoinPath(shippedDir, Path(folder.folderName));
        // The configuration folder wherever the settings put it (the sample lists go only to the
        // default folders of a first run).
        const Path target = config ? store.UsableFolder(folder, ReadIniString(G_ConfigFile, "Paths", folder.key, ""))
                                   : store.DefaultFolder(folder);
        if (DirectoryExists(source))
            CopyMissingFiles(source, target);
        // The outside addresses, for the collector to see and change; a packager's own file,
        // shipped in the configuration and copied just now, keeps its values.
        if (config)
            WriteSiteDefaults(target);
    }
    return firstRun;
}

}  // namespace quorvel
