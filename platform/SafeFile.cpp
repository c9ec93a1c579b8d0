#include "platform/SafeFile.h"

#include "platform/FileNames.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

FileError::FileError(const std::string& prefix, const std::string& fileName)
    : std::runtime_error(prefix + fileName), prefix_(prefix), fileName_(fileName)
{
}

FileWriteError::FileWriteError(const std::string& fileName) : FileError("Unable to write to ", fileName) {}

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

std::optional<std::string> ReadRegularFile(const std::string& path, size_t limit,
                                           const std::function<bool(std::string_view)>* enough)
{
    // Non-blocking so that a FIFO in place of the file cannot hang the reader.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    bool failed = false;
    if (!enough) {
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
    } else {
        // Chunks grow with what was read, so that asking Enough stays linear in the bytes read.
        size_t chunk = 4096;
        while (data.size() < limit) {
            const size_t old = data.size();
            data.resize(old + std::min(chunk, limit - old));
            const ssize_t n = ReadSome(fd, data.data() + old, data.size() - old);
            data.resize(old + static_cast<size_t>(std::max<ssize_t>(n, 0)));
            if (n <= 0) {
                failed = n < 0;
                break;
            }
            if ((*enough)(data))
                break;
            chunk = std::min<size_t>(chunk * 2, 1 << 20);
        }
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
std::string SpareName(const std::string& folder)
{
    static std::mt19937_64 gen{std::random_device{}()};
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    std::string name = ".qv";
    uint64_t r = gen();
    for (int i = 0; i < 10; ++i, r /= 36)
        name += kDigits[r % 36];
    return JoinPath(folder, name + ".tmp");
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::string& path) { return ReadRegularFile(path, SIZE_MAX, nullptr); }

std::optional<std::string> ReadFileStart(const std::string& path, size_t limit,
                                         const std::function<bool(std::string_view)>& enough)
{
    return ReadRegularFile(path, limit, enough ? &enough : nullptr);
}

std::string ResolveLinks(const std::string& path)
{
    std::string current = path;
    // As many hops as the system itself follows; a loop leaves the name as given (the write fails).
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        std::string target(static_cast<size_t>(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
        if (n <= 0 || static_cast<size_t>(n) > target.size())
            return path;
        target.resize(static_cast<size_t>(n));
        current = target.front() == '/' ? target : JoinPath(ExtractFileDir(current), target);
    }
    return path;
}

namespace detail {
FileOps& SafeFileOps()
{
    static FileOps ops{::link, ::rename};
    return ops;
}
}  // namespace detail

void WriteFileAtomic(const std::string& path, std::string_view content, bool makeBackup)
{
    const detail::FileOps& ops = detail::SafeFileOps();
    // The temporary file and the backup go beside the file a link points to; the link stays.
    const std::string target = ResolveLinks(path);
    const std::string folder = ExtractFileDir(target);
    if (ExtractFileName(target).empty())
        throw FileWriteError(path);

    struct stat old {};
    const bool exists = ::lstat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode))
        throw FileWriteError(path);
    // A rename would replace a read-only file without asking; the user's protection holds.
    if (exists && ::access(target.c_str(), W_OK) != 0)
        throw FileWriteError(path);
    const bool backup = makeBackup && exists;
    const std::string bakName = backup ? ChangeFileExt(target, ".BAK") : std::string();
    if (backup && bakName == target)
        throw FileWriteError(path);

    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = SpareName(folder);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw FileWriteError(path);
    if (exists)
        ::fchmod(fd, old.st_mode & 07777);
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(tmp.c_str());
        throw FileWriteError(path);
    }
    const auto fail = [&] {
        ::unlink(tmp.c_str());
        throw FileWriteError(path);
    };

    // The older ".BAK" stays reachable under a spare name until the new file is in place, so that a
    // failure can put the target and its ".BAK" back as they were.
    bool moved = false;  // no hard links: the old file itself became the ".BAK"
    std::string olderBak;
    if (backup) {
        struct stat bak {};
        const bool hadBak = ::lstat(bakName.c_str(), &bak) == 0;
        if (hadBak && S_ISDIR(bak.st_mode))
            fail();
        const std::string bakTmp = SpareName(folder);
        if (ops.Link(target.c_str(), bakTmp.c_str()) == 0) {
            // With hard links the target itself is never touched until the final rename.
            olderBak = hadBak ? SpareName(folder) : std::string();
            if ((hadBak && ops.Link(bakName.c_str(), olderBak.c_str()) != 0) ||
                ops.Rename(bakTmp.c_str(), bakName.c_str()) != 0) {
                ::unlink(bakTmp.c_str());
                if (!olderBak.empty())
                    ::unlink(olderBak.c_str());
                fail();
            }
        } else {
            // Without them (FAT and exFAT sticks) the old file moves to ".BAK" just before the new one
            // takes its name.
            olderBak = hadBak ? SpareName(folder) : std::string();
            if (hadBak && ops.Rename(bakName.c_str(), olderBak.c_str()) != 0)
                fail();
            if (ops.Rename(target.c_str(), bakName.c_str()) != 0) {
                if (hadBak)
                    ops.Rename(olderBak.c_str(), bakName.c_str());
                fail();
            }
            moved = true;
        }
    }
    if (ops.Rename(tmp.c_str(), target.c_str()) != 0) {
        if (moved)
            ops.Rename(bakName.c_str(), target.c_str());
        if (!olderBak.empty())
            ops.Rename(olderBak.c_str(), bakName.c_str());
        else if (backup && !moved)
            ::unlink(bakName.c_str());
        fail();
    }
    if (!olderBak.empty())
        ::unlink(olderBak.c_str());
    SyncFolder(folder);
}

}  // namespace quorvel
