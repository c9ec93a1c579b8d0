#include "platform/SafeFile.h"

#include "support/Checks.h"
#include "support/TempDir.h"

#include <csignal>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvel {
namespace {

class SafeFileTest : public test::TempDirTest {
protected:
    // Nothing but the target and its .BAK may remain: no temporary file left behind.
    size_t EntryCount() const
    {
        return static_cast<size_t>(
            std::distance(std::filesystem::directory_iterator(Dir()), std::filesystem::directory_iterator()));
    }
};

TEST_F(SafeFileTest, CreatesAndReplacesKeepingPermissions)
{
    WriteFileAtomic(PathOf("a.txt"), "one");
    EXPECT_EQ(ReadFile("a.txt"), "one");
    WriteFileAtomic(PathOf("a.txt"), std::string("t\0o", 3));
    EXPECT_EQ(ReadFile("a.txt"), std::string("t\0o", 3));
    EXPECT_FALSE(Exists("a.BAK"));
    EXPECT_EQ(EntryCount(), 1u);
    // Asking for a backup of a file not there yet is no error and makes none.
    WriteFileAtomic(PathOf("list.cdb"), "new", true);
    EXPECT_EQ(ReadFile("list.cdb"), "new");
    EXPECT_FALSE(Exists("list.BAK"));
    // A replaced file keeps its permissions.
    ::chmod(PathOf("a.txt").c_str(), 0640);
    WriteFileAtomic(PathOf("a.txt"), "new");
    struct stat st { };
    ASSERT_EQ(::stat(PathOf("a.txt").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(SafeFileTest, FailuresLeaveOldFileAndBackup)
{
    std::filesystem::create_directory(Dir() / "folder.cdb");
    WriteFile("list.BAK", "older");
    // What, the target, with a backup, the system's reason after the name.
    const std::tuple<const char*, Path, bool, std::string> cases[] = {
        {"missing folder", PathOf("missing/list.cdb"), true, ": No such file or directory"},
        {"target is a folder", PathOf("folder.cdb"), true, ": Is a directory"},
        {"target is a folder, no backup", PathOf("folder.cdb"), false, ": Is a directory"},
        {"no file name", PathOf("sub/"), false, ""},
        {"below a file", PathOf("list.BAK/list.cdb"), false, ": Not a directory"},
    };
    for (const auto& [what, target, backup, reason] : cases) {
        try {
            WriteFileAtomic(target, "new", backup);
            ADD_FAILURE() << what;
        } catch (const FileWriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + target.Bytes() + reason) << what;
            EXPECT_EQ(e.FileName(), target) << what;
        }
        EXPECT_EQ(ReadFile("list.BAK"), "older") << what;
        EXPECT_TRUE(std::filesystem::is_directory(Dir() / "folder.cdb")) << what;
        EXPECT_EQ(EntryCount(), 2u) << what;
    }
}

TEST_F(SafeFileTest, NoPermissionReadOnlyFolderFails)
{
    QUORVEL_SKIP_AS_ROOT();
    WriteFile("a.txt", "old");
    ::chmod(Dir().c_str(), 0500);
    EXPECT_EQ(test::ErrorOf<FileWriteError>([&] { WriteFileAtomic(PathOf("a.txt"), "new"); }),
              "Unable to write to " + PathOf("a.txt").Bytes() + ": Permission denied");
    ::chmod(Dir().c_str(), 0700);
    EXPECT_EQ(ReadFile("a.txt"), "old");
}

TEST_F(SafeFileTest, BackupThatCannotBeMadeIsAnError)
{
    WriteFile("list.cdb", "old");
    std::filesystem::create_directory(Dir() / "list.BAK");
    WriteFile("list.BAK/keep", "x");
    EXPECT_THROW(WriteFileAtomic(PathOf("list.cdb"), "new", true), FileWriteError);
    EXPECT_EQ(ReadFile("list.cdb"), "old");
    EXPECT_EQ(ReadFile("list.BAK/keep"), "x");
    EXPECT_EQ(EntryCount(), 2u);
}

// Plays a file system without hard links (FAT and exFAT sticks) and one where a rename fails, and
// looks at the list between the steps of the commit.
std::string g_failRenameOnto;
Path g_list;
std::vector<std::string> g_seenBetween;
int NoLink(const char*, const char*) { return -1; }
// The first rename onto that name fails; the undo's rename back succeeds.
int RenameUnless(const char* from, const char* to)
{
    if (to != g_failRenameOnto)
        return ::rename(from, to);
    g_failRenameOnto.clear();
    errno = EIO;
    return -1;
}
void LookAtList()
{
    const auto text = ReadWholeFile(g_list);
    g_seenBetween.push_back(text ? *text : "(no list)");
}

TEST_F(SafeFileTest, BackupByLinkOrCopyAndItsUndo)
{
    const struct {
        const char* Name;
        bool HardLinks;
        const char* FailRenameOnto;  // "" none
        bool HadBak;
    } cases[] = {
        {"hard links", true, "", true},
        {"no hard links", false, "", true},
        {"no hard links, no older backup", false, "", false},
        {"no hard links, final rename fails", false, "list.cdb", true},
        {"hard links, final rename fails", true, "list.cdb", true},
        {"no hard links, backup cannot be named", false, "list.BAK", true},
        {"hard links, backup cannot be named", true, "list.BAK", true},
        {"no hard links, no older backup, final rename fails", false, "list.cdb", false},
    };
    detail::FileOps& ops = detail::SafeFileOps();
    const detail::FileOps saved = ops;
    g_list = PathOf("list.cdb");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        std::filesystem::remove_all(Dir());
        std::filesystem::create_directory(Dir());
        WriteFile("list.cdb", "old");
        ::chmod(PathOf("list.cdb").c_str(), 0640);
        if (c.HadBak)
            WriteFile("list.BAK", "older");
        ops.Link = c.HardLinks ? saved.Link : NoLink;
        ops.Rename = RenameUnless;
        ops.Step = LookAtList;
        g_failRenameOnto = *c.FailRenameOnto ? PathOf(c.FailRenameOnto).Bytes() : std::string();
        g_seenBetween.clear();
        const bool fails = *c.FailRenameOnto != '\0';
        if (fails)
            EXPECT_EQ(test::ErrorOf<FileWriteError>([&] { WriteFileAtomic(PathOf("list.cdb"), "new", true); }),
                      "Unable to write to " + PathOf("list.cdb").Bytes() + ": Input/output error");
        else
            WriteFileAtomic(PathOf("list.cdb"), "new", true);
        // The list was there, whole, at every step of the commit.
        EXPECT_FALSE(g_seenBetween.empty());
        for (const auto& seen : g_seenBetween)
            EXPECT_EQ(seen, "old");
        EXPECT_EQ(ReadFile("list.cdb"), fails ? "old" : "new");
        if (fails && !c.HadBak)
            EXPECT_FALSE(Exists("list.BAK"));
        else
            EXPECT_EQ(ReadFile("list.BAK"), fails ? "older" : "old");
        EXPECT_EQ(EntryCount(), c.HadBak || !fails ? 2u : 1u);
        struct stat st { };
        if (!fails) {
            ASSERT_EQ(::stat(PathOf("list.BAK").c_str(), &st), 0);
            EXPECT_EQ(st.st_mode & 0777, 0640u);
        }
    }
    ops = saved;
}

TEST_F(SafeFileTest, FailedWriteNamesTheSystemsReason)
{
    // A file size limit fails the write itself, as a full disk does.
    struct rlimit saved { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string error =
        test::ErrorOf<FileWriteError>([&] { WriteFileAtomic(PathOf("big.lst"), std::string(1 << 20, 'x')); });
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(error, "Unable to write to " + PathOf("big.lst").Bytes() + ": File too large");
    EXPECT_EQ(EntryCount(), 0u);
}

TEST_F(SafeFileTest, NoPermissionUnreadableListGetsNoCopiedBackup)
{
    QUORVEL_SKIP_AS_ROOT();
    detail::FileOps& ops = detail::SafeFileOps();
    const detail::FileOps saved = ops;
    ops.Link = NoLink;
    WriteFile("list.cdb", "old");
    WriteFile("list.BAK", "older");
    ::chmod(PathOf("list.cdb").c_str(), 0200);
    EXPECT_THROW(WriteFileAtomic(PathOf("list.cdb"), "new", true), FileWriteError);
    ops = saved;
    ::chmod(PathOf("list.cdb").c_str(), 0600);
    EXPECT_EQ(ReadFile("list.cdb"), "old");
    EXPECT_EQ(ReadFile("list.BAK"), "older");
    EXPECT_EQ(EntryCount(), 2u);
}

TEST_F(SafeFileTest, ReadWholeFile)
{
    WriteFile("a", std::string("x\0y\r\n", 5));
    EXPECT_EQ(ReadWholeFile(PathOf("a")), std::string("x\0y\r\n", 5));
    EXPECT_EQ(ReadWholeFile(PathOf("missing")), std::nullopt);
    EXPECT_EQ(ReadWholeFile(Path(Dir().string())), std::nullopt);
    ASSERT_EQ(::mkfifo(PathOf("fifo").c_str(), 0600), 0);
    EXPECT_EQ(ReadWholeFile(PathOf("fifo")), std::nullopt);  // must not wait for a writer
}

// The writer in pieces: small pieces gathered and big ones passed through give the same bytes, and
// a writer dropped at any point leaves the old file and no temporary file.
TEST_F(SafeFileTest, WriterInPiecesCommitsWholeOrNothing)
{
    const std::string big(3 << 20, 'b');
    const struct {
        const char* Name;
        std::vector<std::string> Pieces;
        bool Commit;
    } cases[] = {
        {"nothing", {}, true},
        {"small pieces", {"a", "", "bc", std::string(70000, 'd')}, true},
        {"small around big", {"x", big, "y", big}, true},
        {"dropped before any write", {}, false},
        {"dropped after a big write", {"x", big}, false},
    };
    for (const auto& c : cases) {
        WriteFile("a.txt", "old");
        {
            AtomicFileWriter writer(PathOf("a.txt"), true);
            for (const auto& piece : c.Pieces)
                writer.Write(piece);
            if (c.Commit)
                writer.Commit();
        }
        std::string all;
        for (const auto& piece : c.Pieces)
            all += piece;
        EXPECT_TRUE(test::SameText(ReadFile("a.txt"), c.Commit ? all : "old")) << c.Name;
        EXPECT_EQ(EntryCount(), c.Commit ? 2u : 1u) << c.Name;
        std::filesystem::remove(Dir() / "a.BAK");
    }
}

TEST_F(SafeFileTest, ReaderByPosition)
{
    WriteFile("a.txt", "0123456789");
    const FileReader file(PathOf("a.txt"));
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.Size(), 10u);
    char part[4] = {};
    EXPECT_TRUE(file.ReadAt(6, part, 4));
    EXPECT_EQ(std::string(part, 4), "6789");
    EXPECT_FALSE(file.ReadAt(8, part, 4));
    for (const Path& name : {PathOf("missing"), Path(Dir().string())})
        EXPECT_FALSE(FileReader(name).IsOpen()) << name;
}

int NoUnnamed(const char*)
{
    errno = EOPNOTSUPP;
    return -1;
}

// A save killed at any moment leaves nothing: the temporary file has no name until it is complete,
// or, where it must have one, a later save removes it once it is stale. Nothing not ours goes.
TEST_F(SafeFileTest, NoTemporaryFileOutlivesASave)
{
    detail::FileOps& ops = detail::SafeFileOps();
    const detail::FileOps saved = ops;
    // Another save of ours may still be writing: left alone for five minutes unless a test says otherwise.
    EXPECT_EQ(saved.StaleSeconds, 5 * 60);
    const struct {
        const char* Name;
        bool Unnamed;
        long StaleSeconds;
        std::vector<std::string> Gone, Kept;
    } cases[] = {
        {"unnamed, stale ones of ours go",
         true,
         0,
         {".qv0123456789.tmp", ".qvabcdefghij.tmp"},
         {".qv012345678.tmp", ".qv0123456789ab.tmp", ".qv0123456789.TMP", "x.qv0123456789.tmp", ".qvABCDEFGHIJ.tmp",
          "list.tmp"}},
        {"named, stale ones of ours go", false, 0, {".qv0123456789.tmp"}, {".qv0123456789.tmp.keep"}},
        {"recent ones stay", true, 3600, {}, {".qv0123456789.tmp"}},
    };
    for (const auto& c : cases) {
        std::filesystem::remove_all(Dir());
        std::filesystem::create_directory(Dir());
        ops.OpenUnnamed = c.Unnamed ? saved.OpenUnnamed : NoUnnamed;
        ops.StaleSeconds = c.StaleSeconds;
        for (const auto& names : {c.Gone, c.Kept})
            for (const auto& name : names)
                WriteFile(name, "left");
        {
            AtomicFileWriter writer(PathOf("a.txt"));
            writer.Write(std::string(1 << 17, 'a'));
            // While the text is made, only a named temporary file shows.
            EXPECT_EQ(EntryCount(), c.Kept.size() + (c.Unnamed ? 0u : 1u)) << c.Name;
            writer.Commit();
        }
        EXPECT_EQ(ReadFile("a.txt"), std::string(1 << 17, 'a')) << c.Name;
        EXPECT_EQ(EntryCount(), c.Kept.size() + 1) << c.Name;
        for (const auto& name : c.Kept)
            EXPECT_TRUE(Exists(name)) << c.Name << ": " << name;
    }
    ops = saved;
}

TEST_F(SafeFileTest, AnotherUsersStaleTemporaryStays)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can hand a file to another owner";
    detail::FileOps& ops = detail::SafeFileOps();
    const detail::FileOps saved = ops;
    ops.StaleSeconds = 0;
    WriteFile(".qv0123456789.tmp", "theirs");
    ASSERT_EQ(::chown(PathOf(".qv0123456789.tmp").c_str(), 65534, 65534), 0);
    WriteFileAtomic(PathOf("a.txt"), "new");
    ops = saved;
    EXPECT_EQ(ReadFile(".qv0123456789.tmp"), "theirs");
}

// Where the temporary file must have a name from the start, a save that fails or is dropped at any
// point removes it.
TEST_F(SafeFileTest, FailedSaveRemovesItsNamedTemporary)
{
    detail::FileOps& ops = detail::SafeFileOps();
    const detail::FileOps saved = ops;
    ops.OpenUnnamed = NoUnnamed;
    ops.Rename = RenameUnless;
    const std::string big(1 << 17, 'x');
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"dropped", [&] { AtomicFileWriter(PathOf("a.txt")).Write(big); }},
        {"final rename fails",
         [&] {
             g_failRenameOnto = PathOf("a.txt").Bytes();
             EXPECT_THROW(WriteFileAtomic(PathOf("a.txt"), big), FileWriteError);
             g_failRenameOnto.clear();
         }},
        {"write fails",
         [&] {
             // The file size limit makes the write fail with EFBIG instead of a signal.
             rlimit limit {};
             ::getrlimit(RLIMIT_FSIZE, &limit);
             const rlimit lower {1 << 16, limit.rlim_max};
             const auto handler = std::signal(SIGXFSZ, SIG_IGN);
             ::setrlimit(RLIMIT_FSIZE, &lower);
             EXPECT_THROW(WriteFileAtomic(PathOf("a.txt"), big), FileWriteError);
             ::setrlimit(RLIMIT_FSIZE, &limit);
             std::signal(SIGXFSZ, handler);
         }},
    };
    for (const auto& [what, save] : cases) {
        WriteFile("a.txt", "old");
        save();
        EXPECT_EQ(ReadFile("a.txt"), "old") << what;
        EXPECT_EQ(EntryCount(), 1u) << what;
    }
    ops = saved;
}

}  // namespace
}  // namespace quorvel
