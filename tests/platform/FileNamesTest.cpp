#include "platform/FileNames.h"

#include "platform/Cp1252.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(FileNamesTest, PathHelpers)
{
    const std::pair<std::string, std::string> cases[] = {
        {JoinPath(Path("/a/b"), "c.ini").Bytes(), "/a/b/c.ini"},
        {JoinPath(Path("/a/b/"), "c.ini").Bytes(), "/a/b/c.ini"},
        {JoinPath(Path("/a/b/"), "/c.ini").Bytes(), "/a/b/c.ini"},
        {JoinPath(Path(""), "c.ini").Bytes(), "c.ini"},
        {JoinPath(Path("a\\b"), "c").Bytes(), "a\\b/c"},
        {WithTrailingSlash(Path("/a")).Bytes(), "/a/"},
        {WithTrailingSlash(Path("/a/")).Bytes(), "/a/"},
        {WithTrailingSlash(Path("")).Bytes(), ""},
        {ChangeFileExt(Path("/a/list.cdb"), ".BAK").Bytes(), "/a/list.BAK"},
        {ChangeFileExt(Path("/a/list"), ".BAK").Bytes(), "/a/list.BAK"},
        {ChangeFileExt(Path("/a.d/list"), ".BAK").Bytes(), "/a.d/list.BAK"},
        {ChangeFileExt(Path("/a/x.tar.gz"), "").Bytes(), "/a/x.tar"},
        {ExtractFileExt(Path("/a.d/list")), ""},
        {ExtractFileExt(Path("/a/list.Cdb")), ".Cdb"},
        {ExtractFileName(Path("/a/list.cdb")).Bytes(), "list.cdb"},
        {ExtractFileName(Path("list.cdb")).Bytes(), "list.cdb"},
        {ExtractFilePath(Path("/a/list.cdb")).Bytes(), "/a/"},
        {ExtractFilePath(Path("list.cdb")).Bytes(), ""},
        {ExtractFileDir(Path("/a/b/list.cdb")).Bytes(), "/a/b"},
        {ExtractFileDir(Path("/list.cdb")).Bytes(), "/"},
        {ExtractFileDir(Path("list.cdb")).Bytes(), ""},
        {AbsoluteCleanPath(Path("/a/./b/../c//d.cdb")).Bytes(), "/a/c/d.cdb"},
        {AbsoluteCleanPath(Path("x/../y.cdb")).Bytes(), (std::filesystem::current_path() / "y.cdb").string()}};
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
}

TEST(FileNamesTest, SafeNames)
{
    for (const char* good : {"Alpha", "Mega Drive 2", "a.b", "...", "\xE9t\xE9", "x..y"})
        EXPECT_TRUE(IsSafeName(good)) << good;
    for (std::string bad : {"", ".", "..", "a/b", "a\\b", "a\tb", "a\x1F", "a\x7F", "/"})
        EXPECT_FALSE(IsSafeName(bad)) << bad;
    EXPECT_FALSE(IsSafeName(std::string("a\0b", 3)));
}

TEST(FileNamesTest, SafeNamePartsKeepEveryPartOfTheText)
{
    const std::pair<std::string, std::string> cases[] = {
        {"Smith/Jones", "Smith-Jones"},         {"Guest <i>Owner</i>", "Guest <i>Owner<-i>"},
        {"a\\b", "a-b"},                        {std::string("a\0b\tc\x7F", 6), "abc"},
        {"Zentrix 64 \xE9", "Zentrix 64 \xE9"}, {"..", ".."},
        {"Zo\xEB \"Z\" Collector, 100%", "Zo\xEB 'Z' Collector, 100%"},
        {"~", "-"},                             {"~root", "-root"},
        {"a~b", "a~b"}};
    for (const auto& [text, part] : cases)
        EXPECT_EQ(SafeNamePart(text), part) << text;
}

class FileLookupTest : public test::TempDirTest { };

TEST_F(FileLookupTest, IgnoresCase)
{
    WriteFile("GENERAL.INI", "x");
    WriteFile("Other.ini", "x");
    WriteFile("other.INI", "y");
    const Path dir(Dir().string());
    EXPECT_EQ(FindFileNoCase(dir, "General.ini"), PathOf("GENERAL.INI"));
    EXPECT_EQ(FindFileNoCase(Path(dir.Bytes() + "/"), "general.ini"), PathOf("GENERAL.INI"));
    EXPECT_EQ(FindFileNoCase(dir, "other.INI"), PathOf("other.INI"));  // exact match first
    EXPECT_EQ(FindFileNoCase(dir, "missing.ini"), std::nullopt);
    EXPECT_EQ(FindFileNoCase(JoinPath(dir, "nofolder"), "x"), std::nullopt);
    EXPECT_EQ(ResolveFileNoCase(PathOf("general.Ini")), PathOf("GENERAL.INI"));
    EXPECT_EQ(ResolveFileNoCase(PathOf("New.ini")), PathOf("New.ini"));
    EXPECT_TRUE(FileExists(PathOf("GENERAL.INI")));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_TRUE(DirectoryExists(dir));
}

// Text from data joins a path only through its conversion: what compiled before must not any more.
template <typename Name> concept Joins = requires(const Path& folder, const Name& name) { JoinPath(folder, name); };
static_assert(Joins<Path>);
static_assert(!Joins<std::string>);
static_assert(!Joins<std::string_view>);

TEST_F(FileLookupTest, TextNamesAreFoundUnderEitherSpelling)
{
    WriteFile("Caf\xC3\xA9 Box.INI", "utf-8");
    WriteFile("Caf\xE9 Old.ini", "written by an older program");
    WriteFile("\xC3\x89T\xC3\x89.ini", "upper case");
    WriteFile("Both \xE9.ini", "old spelling");
    WriteFile("Both \xC3\xA9.ini", "new spelling");
    const Path dir(Dir().string());
    struct Case {
        std::string text, found;  // found: "" for none
    } cases[] = {
        {"Caf\xE9 Box.INI", "Caf\xC3\xA9 Box.INI"},
        {"caf\xE9 box.ini", "Caf\xC3\xA9 Box.INI"},
        {"Caf\xE9 Old.ini", "Caf\xE9 Old.ini"},
        {"CAF\xC9 OLD.INI", "Caf\xE9 Old.ini"},
        {"\xE9t\xE9.ini", "\xC3\x89T\xC3\x89.ini"},
        {"Both \xE9.ini", "Both \xC3\xA9.ini"},  // the file system's own spelling first
        {"Missing \xE9.ini", ""},
        {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FindTextFileNoCase(dir, c.text), c.found.empty() ? std::nullopt : std::optional(PathOf(c.found)))
            << c.text;
        EXPECT_EQ(ResolveTextFileNoCase(dir, c.text), PathOf(c.found.empty() ? Cp1252::ToUtf8(c.text) : c.found))
            << c.text;
    }
    EXPECT_EQ(JoinPath(dir, PathFromText("Caf\xE9")), PathOf("Caf\xC3\xA9"));
}

}  // namespace
}  // namespace quorvel
