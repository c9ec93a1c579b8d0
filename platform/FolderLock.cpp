#include "platform/FolderLock.h"

#include "platform/FileNames.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {

namespace {

// Close-on-exec: a browser or mail program started from the window must not keep the folder locked
// after the program ends. No link is followed (a link named like the lock file must not make a file
// where it points), and a FIFO in its place must not block the start.
constexpr int kOpenFlags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;

// The lock file open as a plain file, or -1. A lock file that is only readable (a shared folder)
// still takes the lock: flock needs no write access.
int OpenLockFile(const Path& path)
{
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kOpenFlags, 0644);
    if (fd < 0 && errno != ENOENT)
        fd = ::open(path.c_str(), O_RDONLY | kOpenFlags);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        fd = -1;
    }
    return fd;
}

// A new lock file put in place of one that cannot be opened (unreadable, another account's, a link),
// already locked when it appears under its name; -1 when the folder takes no new file.
int ReplaceLockFile(const Path& path)
{
    std::string temporary = path.Bytes() + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return -1;
    // Readable by every account, so that another one on a shared folder can take the lock too.
    ::fchmod(fd, 0644);
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        ::close(fd);
        return -1;
    }
    return fd;
}

// Whether Fd is the file that Path names now (another start may have replaced it meanwhile).
bool IsInPlace(int fd, const Path& path)
{
    struct stat held {}, named {};
    return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

FolderLock::FolderLock(const Path& folder)
{
    const Path path = JoinPath(folder, FileName);
    // A few rounds: two starts that replace the same unusable lock file at once settle on one file.
    for (int round = 0; round < 3; ++round) {
        int fd = OpenLockFile(path);
        if (fd < 0)
            fd = ReplaceLockFile(path);
        if (fd < 0)
            return;
        int result;
        do
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        while (result != 0 && errno == EINTR);
        if (result != 0) {
            state_ = errno == EWOULDBLOCK ? State::Busy : State::Unavailable;
            ::close(fd);
            return;
        }
        if (IsInPlace(fd, path)) {
            fd_ = fd;
            state_ = State::Held;
            return;
        }
        ::close(fd);
    }
}

FolderLock::~FolderLock()
{
    if (fd_ >= 0)
        ::close(fd_);
}

}  // namespace quorvel
