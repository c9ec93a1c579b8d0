#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

// A file could not be written; the old file, if any, is unchanged.
class FileWriteError : public std::runtime_error {
public:
    explicit FileWriteError(const std::string& fileName);
    const std::string& FileName() const { return fileName_; }

private:
    std::string fileName_;
};

// The whole file, or nothing when it is missing or unreadable.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces the file with Content so that a reader sees either the old or the new file, never a part:
// a temporary file in the same folder, flushed, renamed over the target. With makeBackup the old file
// becomes the target's name with extension ".BAK" (an older one replaced) as part of that commit.
// Throws FileWriteError; on failure the target and its ".BAK" are as they were.
void WriteFileAtomic(const std::string& path, std::string_view content, bool makeBackup = false);

}  // namespace quorvel
