#include "config/MasterLists.h"

#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "platform/Cp1252.h"
#include "platform/FileList.h"
#include "platform/FileNames.h"

#include <algorithm>

namespace quorvel {

std::vector<MasterListEntry> FindMasterLists(const Path& folder, TListType listType, const std::string& platform)
{
    std::vector<MasterListEntry> found;
    if (folder.empty())
        return found;
    TcFileList files;
    files.SearchPath = folder.Bytes();
    files.SearchMask = "*.csv";
    // Devices and pipes are left out: opening one to peek could block.
    files.FileTypes = {ftNormal, ftReadOnly, ftHidden, ftArchive};
    files.Search();
    for (int32_t i = 0; i < files.Count(); ++i) {
        const Path path(files.Items(i)->FileName);
        std::string type, owner, filePlatform, description;
        try {
            GetListFileInfo(path, type, owner, filePlatform, description);
        } catch (const std::exception&) {
            continue;
        }
        if (ListTypeFromName(type) != listType || !Cp1252::EqualsNoCase(filePlatform, platform))
            continue;
        const std::string name = ExtractFileName(path).Bytes();
        found.push_back({name.substr(0, name.size() - 4), path});
    }
    std::stable_sort(found.begin(), found.end(), [](const MasterListEntry& a, const MasterListEntry& b) {
        return Cp1252::CompareNoCase(a.Name, b.Name) < 0;
    });
    return found;
}

}  // namespace quorvel
