#pragma once

#include "model/ListType.h"

#include <string>
#include <vector>

#include "platform/Path.h"

namespace quorvel {

// A master list: a list file of the master-list folder that catalogues what exists for a platform.
struct MasterListEntry {
    std::string Name;  // the file's name without its ".csv"
    quorvel::Path Path;  // the full path it loads from
};

// The ".csv" files (any letter case) of Folder whose list type and platform (ignoring case) are those
// asked for, sorted by name ignoring case. Each file is peeked at (its first lines only); one that
// cannot be read or is no list file is skipped, and so is anything that is not a regular file.
std::vector<MasterListEntry> FindMasterLists(const Path& folder, TListType listType,
                                             const std::string& platform);

}  // namespace quorvel
