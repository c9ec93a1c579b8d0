#include "platform/FolderLock.h"

#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <pwd.h>
#include <set>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace quorvel {
namespace {

using State = FolderLock::State;

class FolderLockTest : public test::TempDirTest {
protected:
    Path Here() const { return Path(Dir().string()); }
    std::set<std::string> Names() const
    {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Dir()))
            names.insert(entry.path().filename().string());
        return names;
    }
};

TEST_F(FolderLockTest, SecondTakerIsRefusedAndWritesNothingUntilTheFirstEnds)
{
    WriteFile("Quorvel.ini", "[Settings]\n");
    auto first = std::make_unique<FolderLock>(Here());
    ASSERT_EQ(first->GetState(), State::Held);
    const auto before = Names();
    const auto stamp = std::filesystem::last_write_time(PathOf(FolderLock::FileName).Bytes());
    {
        FolderLock second {Here()};
        EXPECT_EQ(second.GetState(), State::Busy);
        EXPECT_EQ(Names(), before);
        EXPECT_EQ(std::filesystem::file_size(PathOf(FolderLock::FileName).Bytes()), 0u);
        EXPECT_EQ(std::filesystem::last_write_time(PathOf(FolderLock::FileName).Bytes()), stamp);
    }
    // The refused taker's end does not free the folder.
    EXPECT_EQ(FolderLock(Here()).GetState(), State::Busy);
    first.reset();
    EXPECT_EQ(FolderLock(Here()).GetState(), State::Held);
}

TEST_F(FolderLockTest, KilledHolderDoesNotBlock)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FolderLock lock {Here()};
        const char held = lock.GetState() == State::Held ? 'y' : 'n';
        if (write(ready[1], &held, 1) != 1)
            _exit(1);
        for (;;)
            pause();
    }
    close(ready[1]);
    char held = 0;
    ASSERT_EQ(read(ready[0], &held, 1), 1);
    close(ready[0]);
    EXPECT_EQ(held, 'y');
    EXPECT_EQ(FolderLock(Here()).GetState(), State::Busy);

    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    // The lock file is left behind; the next start takes it.
    EXPECT_TRUE(Exists(FolderLock::FileName));
    EXPECT_EQ(FolderLock(Here()).GetState(), State::Held);
}

TEST_F(FolderLockTest, ProgramStartedWhileHeldDoesNotKeepIt)
{
    auto lock = std::make_unique<FolderLock>(Here());
    ASSERT_EQ(lock->GetState(), State::Held);
    // Like a browser opened from the window, still running when the program ends.
    char program[] = "sleep", seconds[] = "30";
    char* argv[] = {program, seconds, nullptr};
    pid_t child = 0;
    ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
    lock.reset();
    EXPECT_EQ(FolderLock(Here()).GetState(), State::Held);
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Another account's program on this folder: a child process, as "nobody" when the test runs as root
// so that permissions bind. It takes the lock, says how it went, and holds it until Release.
class OtherAccount {
public:
    explicit OtherAccount(const Path& folder)
    {
        const passwd* nobody = ::getpwnam("nobody");
        const uid_t uid = nobody ? nobody->pw_uid : 65534;
        const gid_t gid = nobody ? nobody->pw_gid : 65534;
        int toParent[2], toChild[2];
        if (pipe(toParent) != 0 || pipe(toChild) != 0)
            return;
        child_ = fork();
        if (child_ == 0) {
            close(toParent[0]);
            close(toChild[1]);
            if (::geteuid() == 0 && (setgroups(0, nullptr) != 0 || setresgid(gid, gid, gid) != 0 ||
                                     setresuid(uid, uid, uid) != 0))
                _exit(1);
            char state = 'x';
            {
                FolderLock lock {folder};
                state = "hbu"[int(lock.GetState())];
                if (write(toParent[1], &state, 1) != 1)
                    _exit(1);
                char done;
                if (read(toChild[0], &done, 1) < 0)
                    _exit(1);
            }
            _exit(0);
        }
        close(toParent[1]);
        close(toChild[0]);
        release_ = toChild[1];
        if (read(toParent[0], &state_, 1) != 1)
            state_ = '?';
        close(toParent[0]);
    }
    ~OtherAccount() { Release(); }
    // 'h' held, 'b' busy, 'u' unavailable.
    char State() const { return state_; }
    void Release()
    {
        if (release_ >= 0) {
            close(release_);
            release_ = -1;
        }
        if (child_ > 0) {
            waitpid(child_, nullptr, 0);
            child_ = -1;
        }
    }

private:
    pid_t child_ = -1;
    int release_ = -1;
    char state_ = '?';
};

std::filesystem::file_status LinkStatus(const Path& path) { return std::filesystem::symlink_status(path.Bytes()); }

ino_t Inode(const Path& path)
{
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_ino : 0;
}

TEST_F(FolderLockTest, ALinkOrFifoNamedLikeTheLockIsReplacedAndNothingIsMadeWhereItPoints)
{
    const Path lockFile = PathOf(FolderLock::FileName);
    WriteFile("elsewhere/kept.txt", "mine");
    const struct {
        const char* what;
        std::function<void()> make;
    } cases[] = {
        {"dangling link", [&] { std::filesystem::create_symlink(PathOf("elsewhere/made").Bytes(), lockFile.Bytes()); }},
        {"link loop", [&] { std::filesystem::create_symlink(FolderLock::FileName, lockFile.Bytes()); }},
        {"link to a file", [&] { std::filesystem::create_symlink(PathOf("elsewhere/kept.txt").Bytes(), lockFile.Bytes()); }},
        {"fifo", [&] { ASSERT_EQ(::mkfifo(lockFile.c_str(), 0644), 0); }},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(lockFile.Bytes());
        c.make();
        {
            FolderLock lock {Here()};
            EXPECT_EQ(lock.GetState(), State::Held) << c.what;
            EXPECT_EQ(LinkStatus(lockFile).type(), std::filesystem::file_type::regular) << c.what;
            EXPECT_EQ(FolderLock(Here()).GetState(), State::Busy) << c.what;
        }
        EXPECT_FALSE(Exists("elsewhere/made")) << c.what;
        EXPECT_EQ(ReadFile("elsewhere/kept.txt"), "mine") << c.what;
        EXPECT_EQ(Names(), (std::set<std::string> {"elsewhere", FolderLock::FileName})) << c.what;
    }
}

// Run as root too: the other account is "nobody" then.
TEST_F(FolderLockTest, ALockFileAnotherAccountCannotOpenIsReplacedWhereTheFolderAllowsIt)
{
    using std::filesystem::perms;
    const Path lockFile = PathOf(FolderLock::FileName);
    const struct {
        const char* what;
        perms file, folder;
        char state;
        bool sameFile;
    } cases[] = {
        {"read-only lock file in a read-only folder", perms(0444), perms(0555), 'h', true},
        {"unreadable lock file in a writable folder", perms(0000), perms(0777), 'h', false},
        {"unreadable lock file in a read-only folder", perms(0000), perms(0555), 'u', true},
    };
    for (const auto& c : cases) {
        std::filesystem::permissions(Dir(), perms(0755));
        std::filesystem::remove(lockFile.Bytes());
        WriteFile(FolderLock::FileName, "");
        std::filesystem::permissions(lockFile.Bytes(), c.file);
        std::filesystem::permissions(Dir(), c.folder);
        const ino_t before = Inode(lockFile);
        OtherAccount other {Here()};
        EXPECT_EQ(other.State(), c.state) << c.what;
        EXPECT_EQ(Inode(lockFile) == before, c.sameFile) << c.what;
        EXPECT_EQ(LinkStatus(lockFile).type(), std::filesystem::file_type::regular) << c.what;
        if (c.state == 'h') {
            EXPECT_EQ(FolderLock(Here()).GetState(), State::Busy) << c.what << ": the lock binds this account";
        }
        other.Release();
        std::filesystem::permissions(Dir(), perms(0755));
        EXPECT_EQ(Names(), std::set<std::string> {FolderLock::FileName}) << c.what << ": no temporary file is left";
    }
}

TEST_F(FolderLockTest, MissingFolderTakesNoLock)
{
    FolderLock lock(PathOf("missing"));
    EXPECT_EQ(lock.GetState(), State::Unavailable);
    EXPECT_FALSE(Exists("missing"));
}

}  // namespace
}  // namespace quorvel
