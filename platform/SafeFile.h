#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/Path.h"

namespace quorvel {

// A failure about one file: a fixed text (Windows-1252) followed by the file's name, kept as a path so
// that a window shows it as the file system spells it, and the system's reason when there is one
// (an errno of the failed call; 0 for none): "Unable to write to NAME: Permission denied".
class FileError : public std::runtime_error {
public:
    FileError(const std::string& prefix, const Path& fileName, int error = 0);
    // Fixed text on both sides of the name, for a refusal that has its own reason.
    FileError(const std::string& prefix, const Path& fileName, const std::string& after);
    const std::string& Prefix() const { return prefix_; }
    const Path& FileName() const { return fileName_; }
    // ": " and the system's reason in English, the text after the name of a refusal, or nothing.
    const std::string& ReasonText() const { return reason_; }

private:
    std::string prefix_;
    Path fileName_;
    std::string reason_;
};

// A file could not be written ("Unable to write to " + name); the old file, if any, is unchanged.
// Every writer of the program (INI files included) fails with this one error.
class FileWriteError : public FileError {
public:
    explicit FileWriteError(const Path& fileName, int error = 0);
    FileWriteError(const std::string& prefix, const Path& fileName, const std::string& after);
};

// A file that exists could not be read ("Unable to read " + name).
class FileReadError : public FileError {
public:
    explicit FileReadError(const Path& fileName, int error = 0);
};

// The whole file, or nothing when it is missing, no regular file or unreadable.
std::optional<std::string> ReadWholeFile(const Path& path);
// At most Limit bytes from the start of the file; with Enough, read in growing chunks that stop as
// soon as Enough says the bytes so far answer the caller. Nothing when the file cannot be read.
std::optional<std::string> ReadFileStart(const Path& path, size_t limit,
                                         const std::function<bool(std::string_view)>& enough = {});
// The same into Buffer, which the caller reuses across many files (its size is only ever grown): the
// number of bytes read, or nothing when the file cannot be read. The first read asks for FirstChunk.
std::optional<size_t> ReadFileStartInto(const Path& path, size_t limit, std::string& buffer,
                                        const std::function<bool(std::string_view)>& enough, size_t firstChunk = 4096);

// The file a path names once symbolic links are followed (the path itself when it is none, or when
// the links loop); a link to a missing file gives that file's name.
Path ResolveLinks(const Path& path);

// Replaces the file with Content so that a reader sees either the old or the new file, never a part:
// a temporary file in the same folder, flushed, renamed over the target. The temporary file has no
// name until it is complete where the file system allows it, so a killed save leaves nothing behind;
// elsewhere it is named ".qv" + ten letters or digits + ".tmp", and such files of the user's that
// have not changed for some minutes are removed at the next save in that folder. A symbolic link stays and
// the file it points to is written. With makeBackup the old file becomes the target's name with
// extension ".BAK" (an older one replaced) as part of that commit: a second link to it, or a copy where
// the file system has no hard links; the target itself is never renamed away, so that it exists, old
// or new, at every moment. A file the user may not write is
// refused. Throws FileWriteError; on failure the target and its ".BAK" are as they were.
void WriteFileAtomic(const Path& path, std::string_view content, bool makeBackup = false);

// Writes a file in pieces, in order, with the guarantees of WriteFileAtomic: nothing shows at the
// path until Commit, and a writer dropped before it (a failure while the text is made) leaves the
// file and its ".BAK" as they were. Pieces go to the disk as they come, so that a big text is never
// held whole and the final flush has little left to do.
class AtomicFileWriter {
public:
    // Refuses at once what WriteFileAtomic refuses (FileWriteError).
    explicit AtomicFileWriter(const Path& path, bool makeBackup = false);
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    void Write(std::string_view piece);
    // Flushes the file and puts it in place; nothing may be written after it.
    void Commit();

private:
    void Send(std::string_view bytes);
    [[noreturn]] void Fail(int error);
    // Gives the unnamed temporary file its name once it is complete.
    bool NameUnnamed();

    Path path_;
    std::string target_;
    std::string folder_;
    std::string tmp_;  // empty while the temporary file has no name
    bool backup_ = false;
    int fd_ = -1;
    std::string pending_;      // small pieces gathered into one write
    uint64_t written_ = 0;     // bytes in the temporary file
    uint64_t handedOver_ = 0;  // bytes whose write-back has been started
    unsigned oldMode_ = 0;     // the replaced file's mode
};

// A regular file read by position; several threads may read one at once.
class FileReader {
public:
    // IsOpen is false when the file is missing, no regular file or unreadable.
    explicit FileReader(const Path& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    uint64_t Size() const { return size_; }
    // Fills Size bytes at Offset; false when the file cannot give them all.
    bool ReadAt(uint64_t offset, char* at, size_t size) const;

private:
    int fd_ = -1;
    uint64_t size_ = 0;
};

namespace detail {
// The link, rename and unnamed-open calls of WriteFileAtomic, so that tests can play a file system
// without hard links, without unnamed files or with a rename that fails, and look between the steps.
struct FileOps {
    int (*Link)(const char*, const char*);
    int (*Rename)(const char*, const char*);
    // An unnamed file in Folder open for writing, or -1.
    int (*OpenUnnamed)(const char* folder);
    // How long a temporary file of ours must have been left alone before a save takes it for stale.
    long StaleSeconds;
    // Called between the steps of a commit with a backup (nothing in the program).
    void (*Step)();
};
FileOps& SafeFileOps();
// Whether Name is one of the temporary names the writer makes.
bool IsTempName(std::string_view name);
}  // namespace detail

}  // namespace quorvel
