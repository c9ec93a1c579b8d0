#include "config/ProgramSetup.h"

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
    } catch (const FileWriteError&) {
    }
}

}  // namespace

bool StartConfiguration(const Path& programDir, const Path& shippedDir)
{
    // The same test InitConfigFile makes before it marks the first run as done.
    const bool firstRun = ReadIniBool(JoinPath(programDir, "Quorvel.ini"), "General", "FirstTime", true);
    InitConfigFile(programDir);
    if (firstRun) {
        for (const auto& folder : SettingsStore::Folders()) {
            const Path source = JoinPath(shippedDir, folder.folderName);
            const Path target = JoinPath(programDir, folder.folderName);
            if (DirectoryExists(source))
                CopyMissingFiles(source, target);
            // The outside addresses, for the collector to see and change; a packager's own file,
            // shipped in the configuration and copied just now, keeps its values.
            if (std::string_view(folder.key) == setting::ConfigFiles)
                WriteSiteDefaults(target);
        }
    }
    return firstRun;
}

}  // namespace quorvel
