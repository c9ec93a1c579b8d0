#include "platform/FileNames.h"

#include "support/TempDir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvel {
namespace {

TEST(FileNamesTest, PathHelpers)
{
    const std::pair<std::string, std::string> cases[] = {
        {JoinPath("/a/b", "c.ini"), "/a/b/c.ini"},
        {JoinPath("/a/b/", "c.ini"), "/a/b/c.ini"},
        {JoinPath("/a/b/", "/c.ini"), "/a/b/c.ini"},
        {JoinPath("", "c.ini"), "c.ini"},
        {JoinPath("a\\b", "c"), "a\\b/c"},
        {WithTrailingSlash("/a"), "/a/"},
        {WithTrailingSlash("/a/"), "/a/"},
        {WithTrailingSlash(""), ""},
        {ChangeFileExt("/a/list.cdb", ".BAK"), "/a/list.BAK"},
        {ChangeFileExt("/a/list", ".BAK"), "/a/list.BAK"},
        {ChangeFileExt("/a.d/list", ".BAK"), "/a.d/list.BAK"},
        {ChangeFileExt("/a/x.tar.gz", ""), "/a/x.tar"},
        {ExtractFileExt("/a.d/list"), ""},
        {ExtractFileExt("/a/list.Cdb"), ".Cdb"},
        {ExtractFileName("/a/list.cdb"), "list.cdb"},
        {ExtractFileName("list.cdb"), "list.cdb"},
        {ExtractFilePath("/a/list.cdb"), "/a/"},
        {ExtractFilePath("list.cdb"), ""},
        {ExtractFileDir("/a/b/list.cdb"), "/a/b"},
        {ExtractFileDir("/list.cdb"), "/"},
        {ExtractFileDir("list.cdb"), ""},
        {AbsoluteCleanPath("/a/./b/../c//d.cdb"), "/a/c/d.cdb"},
        {AbsoluteCleanPath("x/../y.cdb"), (std::filesystem::current_path() / "y.cdb").string()}};
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
        {"Zentrix 64 \xE9", "Zentrix 64 \xE9"}, {"..", ".."}};
    for (const auto& [text, part] : cases)
        EXPECT_EQ(SafeNamePart(text), part) << text;
}

class FileLookupTest : public test::TempDirTest { };

TEST_F(FileLookupTest, IgnoresCase)
{
    WriteFile("GENERAL.INI", "x");
    WriteFile("Other.ini", "x");
    WriteFile("other.INI", "y");
    const std::string dir = Dir().string();
    EXPECT_EQ(FindFileNoCase(dir, "General.ini"), PathOf("GENERAL.INI"));
    EXPECT_EQ(FindFileNoCase(dir + "/", "general.ini"), PathOf("GENERAL.INI"));
    EXPECT_EQ(FindFileNoCase(dir, "other.INI"), PathOf("other.INI"));  // exact match first
    EXPECT_EQ(FindFileNoCase(dir, "missing.ini"), std::nullopt);
    EXPECT_EQ(FindFileNoCase(dir + "/nofolder", "x"), std::nullopt);
    EXPECT_EQ(ResolveFileNoCase(PathOf("general.Ini")), PathOf("GENERAL.INI"));
    EXPECT_EQ(ResolveFileNoCase(PathOf("New.ini")), PathOf("New.ini"));
    EXPECT_TRUE(FileExists(PathOf("GENERAL.INI")));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_TRUE(DirectoryExists(dir));
}

}  // namespace
}  // namespace quorvel
