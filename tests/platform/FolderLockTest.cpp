#include "platform/FolderLock.h"

#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <set>
#include <spawn.h>
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

TEST_F(FolderLockTest, MissingFolderTakesNoLock)
{
    FolderLock lock(PathOf("missing"));
    EXPECT_EQ(lock.GetState(), State::Unavailable);
    EXPECT_FALSE(Exists("missing"));
}

}  // namespace
}  // namespace quorvel
