#pragma once

#include <string>
#include <vector>

#include "platform/Path.h"

// Group files: one INI file per collection group in the group folder, named after the group; section
// "GROUP" holds "Count" and the full paths "Group0", "Group1", ... of its list files.
namespace quorvel {

// The group's non-empty entries in key order; visits only the keys present below Count. Throws
// FileReadError for a file that exists and cannot be read.
std::vector<std::string> ReadGroupFile(const Path& groupFileName);
// Rewrites the section from Entries. Throws FileWriteError.
void WriteGroupFile(const Path& groupFileName, const std::vector<std::string>& entries);
// Appends File unless the group lists it (ignoring case), which is shown as an error. True when written.
bool AddFileToGroup(const Path& groupFileName, const Path& fileName);
// Removes the first entry that equals File ignoring case. True when written.
bool RemoveFileFromGroup(const Path& groupFileName, const Path& fileName);

// A group name as typed, without ".", "\" and "/"; empty when nothing is left or what is left cannot
// name a file.
std::string GroupNameFromAnswer(const std::string& answer);

}  // namespace quorvel
