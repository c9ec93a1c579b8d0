#include "platform/SafeFile.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

std::string SystemReason(int error)
{
    // The description, not the translated message: the rest of the text is English too.
    const char* reason = error != 0 ? ::strerrordesc_np(error) : nullptr;
    return reason ? std::string(": ") + reason : std::string();
}

}  // namespace

FileError::FileError(const std::string& prefix, const Path& fileName, int error)
    : std::runtime_error(prefix + fileName.Bytes() + SystemReason(error)), prefix_(prefix), fileName_(fileName),
      reason_(SystemReason(error))
{
}

FileError::FileError(const std::string& prefix, const Path& fileName, const std::string& after)
    : std::runtime_error(prefix + fileName.Bytes() + after), prefix_(prefix), fileName_(fileName), reason_(after)
{
}

FileWriteError::FileWriteError(const Path& fileName, int error)
    : FileError("Unable to write to ", fileName, error)
{
}

FileWriteError::FileWriteError(const std::string& prefix, const Path& fileName, const std::string& after)
    : FileError(prefix, fileName, after)
{
}

FileReadError::FileReadError(const Path& fileName, int error) : FileError("Unable to read ", fileName, error) { }

namespace {

// One read, retried when a signal interrupts it; the count read, or -1.
ssize_t ReadSome(int fd, char* at, size_t size)
{
    for (;;) {
        const ssize_t n = ::read(fd, at, size);
        if (n >= 0 || errno != EINTR)
            return n;
    }
}

int OpenRegularFile(const std::string& path)
{
    // Non-blocking so that a FIFO in place of the file cannot hang the reader.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return -1;
    struct stat st { };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

std::optional<std::string> ReadRegularFile(const std::string& path, size_t limit)
{
    const int fd = OpenRegularFile(path);
    if (fd < 0)
        return std::nullopt;
    struct stat st { };
    ::fstat(fd, &st);
    std::string data;
    bool failed = false;
    // Sized once from the file's size: a whole read never holds the text twice.
    data.reserve(std::min(static_cast<size_t>(st.st_size), limit));
    char buffer[65536];
    while (data.size() < limit) {
        const ssize_t n = ReadSome(fd, buffer, std::min(sizeof buffer, limit - data.size()));
        if (n <= 0) {
            failed = n < 0;
            break;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    return data;
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t n = ::write(fd, content.data(), content.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        content.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

// A fresh short name beside the target: a target whose name is near the limit of the file system
// can still be saved. O_EXCL (or a failing link) makes a collision with another writer harmless.
constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
constexpr std::string_view kTempPrefix = ".qv";
constexpr std::string_view kTempSuffix = ".tmp";
constexpr size_t kTempLetters = 10;

std::string SpareName(const std::string& folder)
{
    static std::mt19937_64 gen {std::random_device {}()};
    std::string name(kTempPrefix);
    uint64_t r = gen();
    for (size_t i = 0; i < kTempLetters; ++i, r /= 36)
        name += kDigits[r % 36];
    name += kTempSuffix;
    return JoinPath(Path(folder), Path(std::move(name))).Bytes();
}

const char* FolderArg(const std::string& folder) { return folder.empty() ? "." : folder.c_str(); }

int OpenUnnamedFile(const char* folder)
{
#ifdef O_TMPFILE
    return ::open(folder, O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
#else
    (void)folder;
    errno = EOPNOTSUPP;
    return -1;
#endif
}

// Temporary files a killed save of ours left in Folder. Only our own names, regular files of this
// user, untouched (ctime: a link or a write counts) for some minutes, so that a save running now in
// another window or process keeps its files.
void RemoveStaleTemps(const std::string& folder)
{
    DIR* dir = ::opendir(FolderArg(folder));
    if (!dir)
        return;
    // The fine clock: time() may lag a file's fresh ctime by a second, which would make it look younger.
    timespec clock { };
    ::clock_gettime(CLOCK_REALTIME, &clock);
    const time_t now = clock.tv_sec;
    while (const dirent* entry = ::readdir(dir)) {
        if (!detail::IsTempName(entry->d_name))
            continue;
        const std::string file = JoinPath(Path(folder), Path(entry->d_name)).Bytes();
        struct stat st { };
        if (::lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid() &&
            now - st.st_ctime >= detail::SafeFileOps().StaleSeconds)
            ::unlink(file.c_str());
    }
    ::closedir(dir);
}

// A flushed copy of the file From under a fresh spare name in Folder with the mode Mode: the name, or
// "" when it cannot be made (nothing is left behind then).
std::string CopyToSpare(const std::string& from, const std::string& folder, unsigned mode)
{
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (in < 0)
        return {};
    std::string name;
    int out = -1;
    for (int attempt = 0; attempt < 100 && out < 0; ++attempt) {
        name = SpareName(folder);
        out = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (out < 0 && errno != EEXIST)
            break;
    }
    bool copied = out >= 0;
    if (copied) {
        std::string buffer(size_t(1) << 20, '\0');
        for (;;) {
            const ssize_t n = ReadSome(in, buffer.data(), buffer.size());
            if (n <= 0) {
                copied = n == 0;
                break;
            }
            if (!WriteAll(out, std::string_view(buffer.data(), static_cast<size_t>(n)))) {
                copied = false;
                break;
            }
        }
        // Permissions a file system cannot keep (FAT) are no reason to fail.
        ::fchmod(out, mode & 07777);
        copied = ::fsync(out) == 0 && copied;
        copied = ::close(out) == 0 && copied;
        if (!copied) {
            const int error = errno;
            ::unlink(name.c_str());
            errno = error;
        }
    }
    const int error = errno;
    ::close(in);
    errno = error;
    return copied ? name : std::string();
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(FolderArg(folder), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const Path& path) { return ReadRegularFile(path.Bytes(), SIZE_MAX); }

std::optional<size_t> ReadFileStartInto(const Path& path, size_t limit, std::string& buffer,
                                        const std::function<bool(std::string_view)>& enough, size_t firstChunk)
{
    const int fd = OpenRegularFile(path.Bytes());
    if (fd < 0)
        return std::nullopt;
    size_t used = 0;
    bool failed = false;
    // Chunks grow with what was read, so that asking Enough stays linear in the bytes read.
    size_t chunk = std::max<size_t>(firstChunk, 1);
    while (used < limit) {
        const size_t want = std::min(chunk, limit - used);
        if (buffer.size() < used + want)
            buffer.resize(used + want);
        const ssize_t n = ReadSome(fd, buffer.data() + used, want);
        if (n <= 0) {
            failed = n < 0;
            break;
        }
        used += static_cast<size_t>(n);
        if (enough && enough(std::string_view(buffer.data(), used)))
            break;
        chunk = std::min<size_t>(chunk * 2, 1 << 20);
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    return used;
}

std::optional<std::string> ReadFileStart(const Path& path, size_t limit,
                                         const std::function<bool(std::string_view)>& enough)
{
    if (!enough)
        return ReadRegularFile(path.Bytes(), limit);
    std::string data;
    const auto used = ReadFileStartInto(path, limit, data, enough);
    if (!used)
        return std::nullopt;
    data.resize(*used);
    return data;
}

Path ResolveLinks(const Path& path)
{
    std::string current = path.Bytes();
    // As many hops as the system itself follows; a loop leaves the name as given (the write fails).
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st { };
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return Path(std::move(current));
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) > target.size())
            return path;
        target.resize(static_cast<size_t>(n));
        current = target.front() == '/' ? std::move(target)
                                        : JoinPath(ExtractFileDir(Path(current)), Path(std::move(target))).Bytes();
    }
    return path;
}

namespace detail {
FileOps& SafeFileOps()
{
    static FileOps ops {::link, ::rename, OpenUnnamedFile, 5 * 60, nullptr};
    return ops;
}

bool IsTempName(std::string_view name)
{
    if (name.size() != kTempPrefix.size() + kTempLetters + kTempSuffix.size() || !name.starts_with(kTempPrefix) ||
        !name.ends_with(kTempSuffix))
        return false;
    const std::string_view letters = name.substr(kTempPrefix.size(), kTempLetters);
    return letters.find_first_not_of(kDigits) == std::string_view::npos;
}
}  // namespace detail

AtomicFileWriter::AtomicFileWriter(const Path& path, bool makeBackup)
    : path_(path), target_(ResolveLinks(path).Bytes()), folder_(ExtractFileDir(Path(target_)).Bytes())
{
    // The temporary file and the backup go beside the file a link points to; the link stays.
    if (ExtractFileName(Path(target_)).empty())
        throw FileWriteError(path_);
    struct stat old { };
    const bool exists = ::lstat(target_.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        throw FileWriteError(path_, S_ISDIR(old.st_mode) ? EISDIR : 0);
    // A rename would replace a read-only file without asking; the user's protection holds.
    if (exists && ::access(target_.c_str(), W_OK) != 0)
        throw FileWriteError(path_, errno);
    backup_ = makeBackup && exists;
    if (backup_ && ChangeFileExt(Path(target_), ".BAK").Bytes() == target_)
        throw FileWriteError("The file \"", path_,
                             "\" cannot be its own backup.  Use Save As to save it under another name.");
    RemoveStaleTemps(folder_);
    fd_ = detail::SafeFileOps().OpenUnnamed(FolderArg(folder_));
    // Naming it later goes through /proc; without /proc the file takes a name now.
    if (fd_ >= 0 && ::access(("/proc/self/fd/" + std::to_string(fd_)).c_str(), F_OK) != 0) {
        ::close(fd_);
        fd_ = -1;
    }
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        tmp_ = SpareName(folder_);
        fd_ = ::open(tmp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0)
        throw FileWriteError(path_, errno);
    oldMode_ = old.st_mode;
    if (exists)
        ::fchmod(fd_, old.st_mode & 07777);
}

AtomicFileWriter::~AtomicFileWriter()
{
    if (fd_ >= 0) {
        ::close(fd_);
        if (!tmp_.empty())
            ::unlink(tmp_.c_str());
    }
}

void AtomicFileWriter::Fail(int error)
{
    ::close(fd_);
    fd_ = -1;
    if (!tmp_.empty())
        ::unlink(tmp_.c_str());
    throw FileWriteError(path_, error);
}

bool AtomicFileWriter::NameUnnamed()
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = SpareName(folder_);
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            tmp_ = name;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

void AtomicFileWriter::Write(std::string_view piece)
{
    constexpr size_t kGather = 1 << 16;
    if (fd_ < 0)
        throw FileWriteError(path_);
    if (piece.size() < kGather) {
        pending_.append(piece);
        if (pending_.size() >= kGather) {
            Send(pending_);
            pending_.clear();
        }
        return;
    }
    if (!pending_.empty()) {
        Send(pending_);
        pending_.clear();
    }
    Send(piece);
}

void AtomicFileWriter::Send(std::string_view bytes)
{
    if (!WriteAll(fd_, bytes))
        Fail(errno);
    written_ += bytes.size();
    // Starting the write-back of what is written while the rest is made leaves less for the flush.
    constexpr uint64_t kHandOver = 8 << 20;
    if (written_ - handedOver_ >= kHandOver) {
        ::sync_file_range(fd_, static_cast<off_t>(handedOver_), static_cast<off_t>(written_ - handedOver_),
                          SYNC_FILE_RANGE_WRITE);
        handedOver_ = written_;
    }
}

void AtomicFileWriter::Commit()
{
    if (fd_ < 0)
        throw FileWriteError(path_);
    if (!pending_.empty())
        Send(pending_);
    pending_ = std::string();
    const bool flushed = ::fsync(fd_) == 0;
    int error = flushed ? 0 : errno;
    // The file gets a name only now that it is complete; the rename below puts it in place.
    const bool named = flushed && (!tmp_.empty() || NameUnnamed());
    if (flushed && !named)
        error = errno;
    const bool closed = ::close(fd_) == 0;
    if (!closed && error == 0)
        error = errno;
    fd_ = -1;
    const auto fail = [&](int error) {
        if (!tmp_.empty())
            ::unlink(tmp_.c_str());
        throw FileWriteError(path_, error);
    };
    if (!flushed || !named || !closed)
        fail(error);

    const detail::FileOps& ops = detail::SafeFileOps();
    const auto step = [&ops] {
        if (ops.Step)
            ops.Step();
    };
    const std::string bakName = backup_ ? ChangeFileExt(Path(target_), ".BAK").Bytes() : std::string();
    // The target is never renamed away: its backup is a second link to it or, on file systems without
    // hard links (FAT and exFAT sticks), a copy, named ".BAK" before the new file takes its place. The
    // older ".BAK" stays reachable under a spare name until then, so that a failure can put the target
    // and its ".BAK" back as they were.
    std::string olderBak;
    bool olderLinked = false;  // the older ".BAK" has a second name, not a new one
    if (backup_) {
        struct stat bak { };
        const bool hadBak = ::lstat(bakName.c_str(), &bak) == 0;
        if (hadBak && S_ISDIR(bak.st_mode))
            fail(0);
        std::string bakTmp = SpareName(folder_);
        if (ops.Link(target_.c_str(), bakTmp.c_str()) != 0)
            bakTmp = CopyToSpare(target_, folder_, oldMode_);
        if (bakTmp.empty())
            fail(errno);
        step();
        if (hadBak) {
            olderBak = SpareName(folder_);
            olderLinked = ops.Link(bakName.c_str(), olderBak.c_str()) == 0;
            if (!olderLinked && ops.Rename(bakName.c_str(), olderBak.c_str()) != 0) {
                const int renameError = errno;
                ::unlink(bakTmp.c_str());
                fail(renameError);
            }
            step();
        }
        if (ops.Rename(bakTmp.c_str(), bakName.c_str()) != 0) {
            const int renameError = errno;
            ::unlink(bakTmp.c_str());
            if (olderLinked)
                ::unlink(olderBak.c_str());
            else if (!olderBak.empty())
                ops.Rename(olderBak.c_str(), bakName.c_str());
            fail(renameError);
        }
        step();
    }
    if (ops.Rename(tmp_.c_str(), target_.c_str()) != 0) {
        const int renameError = errno;
        if (!olderBak.empty())
            ops.Rename(olderBak.c_str(), bakName.c_str());
        else if (backup_)
            ::unlink(bakName.c_str());
        fail(renameError);
    }
    if (!olderBak.empty())
        ::unlink(olderBak.c_str());
    SyncFolder(folder_);
}

void WriteFileAtomic(const Path& path, std::string_view content, bool makeBackup)
{
    AtomicFileWriter writer(path, makeBackup);
    writer.Write(content);
    writer.Commit();
}

FileReader::FileReader(const Path& path)
{
    // Non-blocking so that a FIFO in place of the file cannot hang the reader.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st { };
    if (fd_ >= 0 && (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd_);
        fd_ = -1;
    }
    size_ = fd_ >= 0 ? static_cast<uint64_t>(st.st_size) : 0;
}

FileReader::~FileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool FileReader::ReadAt(uint64_t offset, char* at, size_t size) const
{
    while (size > 0) {
        const ssize_t n = ::pread(fd_, at, size, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
        offset += static_cast<uint64_t>(n);
        size -= static_cast<size_t>(n);
    }
    return true;
}

}  // namespace quorvel
