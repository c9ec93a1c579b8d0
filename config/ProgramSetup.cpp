#include "config/ProgramSetup.h"

#include "config/SettingsStore.h"
#include "model/Utils.h"
#include "platform/FileNames.h"
#include "platform/ProgramFolder.h"

namespace quorvel {

bool StartConfiguration(const Path& programDir, const Path& shippedDir)
{
    // The same test InitConfigFile makes before it marks the first run as done.
    const bool firstRun = ReadIniBool(JoinPath(programDir, "Quorvel.ini"), "General", "FirstTime", true);
    InitConfigFile(programDir);
    if (firstRun) {
        for (const auto& folder : SettingsStore::Folders()) {
            const Path source = JoinPath(shippedDir, folder.folderName);
            const Path target = JoinPath(programDir, folder.folderName);
            if (!DirectoryExists(source))
                continue;
            CopyMissingFiles(source, target);
        }
    }
    return firstRun;
}

}  // namespace quorvel
