#include "platform/SafeFile.h"

#include "platform/FileNames.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

FileWriteError::FileWriteError(const std::string& fileName)
    : std::runtime_error("Unable to write to " + fileName), fileName_(fileName)
{
}

std::optional<std::string> ReadWholeFile(const std::string& path)
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
    data.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        data.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    return data;
}

namespace {

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

// A fresh name beside the target; O_EXCL makes a collision with another writer harmless.
std::string TempNameFor(const std::string& folder, const std::string& name)
{
    static std::mt19937_64 gen{std::random_device{}()};
    return JoinPath(folder, "." + name + "." + std::to_string(::getpid()) + "." + std::to_string(gen() % 1000000000) + ".tmp");
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

void WriteFileAtomic(const std::string& path, std::string_view content, bool makeBackup)
{
    const std::string folder = ExtractFileDir(path);
    const std::string name = ExtractFileName(path);
    if (name.empty())
        throw FileWriteError(path);

    struct stat old {};
    const bool exists = ::lstat(path.c_str(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode))
        throw FileWriteError(path);
    const bool backup = makeBackup && exists;
    const std::string bakName = backup ? ChangeFileExt(path, ".BAK") : std::string();
    if (backup && bakName == path)
        throw FileWriteError(path);

    std::string tmp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tmp = TempNameFor(folder, name);
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        throw FileWriteError(path);
    if (exists && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777);
    const bool written = WriteAll(fd, content) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(tmp.c_str());
        throw FileWriteError(path);
    }

    if (backup) {
        // Link the old file to a spare name first, then let one rename replace the older .BAK:
        // until the final rename the target itself is never touched.
        const std::string bakTmp = TempNameFor(folder, name + ".bak");
        if (::link(path.c_str(), bakTmp.c_str()) == 0) {
            if (::rename(bakTmp.c_str(), bakName.c_str()) != 0) {
                ::unlink(bakTmp.c_str());
                ::unlink(tmp.c_str());
                throw FileWriteError(path);
            }
        } else if (::rename(path.c_str(), bakName.c_str()) != 0) {
            // No hard links here: the old file moves to .BAK just before the new one takes its name.
            ::unlink(tmp.c_str());
            throw FileWriteError(path);
        }
    }
    if (::rename(tmp.c_str(), path.c_str()) != 0) {
        if (backup && ::access(path.c_str(), F_OK) != 0)
            ::link(bakName.c_str(), path.c_str());
        ::unlink(tmp.c_str());
        throw FileWriteError(path);
    }
    SyncFolder(folder);
}

}  // namespace quorvel
