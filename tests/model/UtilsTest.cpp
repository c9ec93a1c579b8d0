#include "model/Utils.h"

#include "platform/FileNames.h"
#include "platform/IniFile.h"

#include "support/Checks.h"
#include "support/GlobalsTest.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorvel {
namespace {

struct CsvCase {
    const char* line;
    std::vector<std::string> fields;
};

class CsvTest : public ::testing::TestWithParam<CsvCase> { };

TEST_P(CsvTest, FieldsAgreeWithSplit)
{
    const CsvCase& c = GetParam();
    EXPECT_EQ(SplitCSVLine(c.line), c.fields) << c.line;
    const int count = static_cast<int>(c.fields.size());
    EXPECT_EQ(CountCSVFields(c.line), count) << c.line;
    for (int k = 1; k <= count; ++k)
        EXPECT_EQ(GetCSVField(c.line, k), c.fields[static_cast<size_t>(k - 1)]) << c.line << " field " << k;
    EXPECT_EQ(GetCSVField(c.line, count + 1), "") << c.line;
    EXPECT_EQ(GetCSVField(c.line, 0), "") << c.line;
    std::vector<std::string_view> views {"stale"};
    SplitCSVLine(c.line, views);
    EXPECT_EQ(std::vector<std::string>(views.begin(), views.end()), c.fields) << c.line;
}

INSTANTIATE_TEST_SUITE_P(
    FieldRules, CsvTest,
    ::testing::Values(CsvCase {"", {}}, CsvCase {"A", {"A"}}, CsvCase {"a,\"b,c\",d", {"a", "b,c", "d"}},
                      CsvCase {"\"quoted\"tail,next", {"quoted", "next"}}, CsvCase {"A,", {"A", ""}},
                      CsvCase {",A", {"", "A"}}, CsvCase {",", {"", ""}}, CsvCase {"A,,", {"A", "", ""}},
                      CsvCase {"a\"b,c", {"a\"b", "c"}}, CsvCase {"\"\",x", {"", "x"}},
                      CsvCase {"\"unclosed,a,b", {"unclosed,a,b"}}, CsvCase {"a,\"unclosed", {"a", "unclosed"}},
                      CsvCase {"a,\"", {"a", ""}}, CsvCase {"\"q\",", {"q", ""}}, CsvCase {"\"q\"x\"y,z", {"q", "z"}},
                      CsvCase {" a , b ", {" a ", " b "}}));

TEST(CsvTest, OtherSeparator)
{
    EXPECT_EQ(SplitCSVLine("a;\"b;c\";d", ';'), (std::vector<std::string> {"a", "b;c", "d"}));
    EXPECT_EQ(CountCSVFields("a,b", ';'), 1);
}

TEST(StringRoutinesTest, Results)
{
    const std::pair<std::string, std::string> cases[] = {
        {RemoveAllOccurrences("aabb", "ab"), ""},
        {RemoveAllOccurrences("Super Game", " "), "SuperGame"},
        {RemoveAllOccurrences("abc", ""), "abc"},
        {RemoveAllOccurrences("ababa", "aba"), "ba"},
        {RemoveAllOccurrences("", "a"), ""},
        {RemoveAllOccurrences("aaa", "aa"), "a"},
        {StripNonAlphaNumeric("Space-Run (Deluxe) 2"), "SpaceRunDeluxe2"},
        {StripNonAlphaNumeric("a!/:@[`{~\x7F"
                              "b"),
         "ab"},
        {StripNonAlphaNumeric("\t\xE9\x80\xFF"), "\t\xE9\x80\xFF"},
        {EncodeNonAlphaNumeric("Caf\xE9 & Co"), "Caf%E9%20%26%20Co"},
        {EncodeNonAlphaNumeric("a=b_c"), "a=b_c"},
        {EncodeNonAlphaNumeric("{|}~/%"), "%7B%7C%7D%7E%2F%25"},
        {EncodeNonAlphaNumeric(std::string("\0\n", 2)), "%00%0A"},
        {BoolToYesNo(true), "Yes"},
        {BoolToYesNo(false), "No"},
    };
    for (const auto& [got, expected] : cases)
        EXPECT_EQ(got, expected);
}

class IniRoutinesTest : public test::TempDirTest { };

// The rules of INI files are IniFile's; these open, change and close the file in one call.
TEST_F(IniRoutinesTest, OneCallReadsWritesAndErases)
{
    const Path file = PathOf("x.ini");
    EXPECT_EQ(ReadIniString(file, "A", "k", "def"), "def");
    EraseIniSection(file, "A");
    EXPECT_FALSE(Exists("x.ini"));
    WriteIniInteger(file, "A", "n", -12);
    WriteIniBool(file, "B", "b", true);
    EXPECT_EQ(ReadIniInteger(file, "a", "N", 0), -12);
    EraseIniSection(file, "b");
    EXPECT_EQ(ReadFile("x.ini"), "[A]\r\nn=-12\r\n");
    EXPECT_EQ(test::ErrorOf<FileWriteError>([&] { WriteIniString(PathOf("missing/x.ini"), "A", "k", "v"); }),
              "Unable to write to " + PathOf("missing/x.ini").Bytes() + ": No such file or directory");
}

class InitConfigFileTest : public test::GlobalsTest { };

TEST_F(InitConfigFileTest, FirstRunThenSecondRunWritesNothing)
{
    const Path dir(Dir().string() + "/");
    InitConfigFile(dir);
    EXPECT_EQ(G_ConfigFile, JoinPath(dir, "Quorvel.ini"));
    EXPECT_EQ(ReadFile("Quorvel.ini"), "[General]\r\nFirstTime=0\r\nConfigVersion=CFG2.0\r\n");

    // A second run must not touch the file, not even rewrite the same bytes.
    struct stat before { };
    ASSERT_EQ(::stat(G_ConfigFile.c_str(), &before), 0);
    InitConfigFile(dir);
    struct stat after { };
    ASSERT_EQ(::stat(G_ConfigFile.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(ReadFile("Quorvel.ini"), "[General]\r\nFirstTime=0\r\nConfigVersion=CFG2.0\r\n");
}

TEST_F(InitConfigFileTest, OldConfigurationIsLeftAlone)
{
    const std::string content = "[general]\r\nfirsttime = 0\r\nConfigVersion=CFG1.0\r\n; mine\r\n";
    WriteFile("QUORVEL.INI", content);
    InitConfigFile(Path(Dir().string() + "/"));
    EXPECT_EQ(ReadFile("QUORVEL.INI"), content);
    EXPECT_FALSE(Exists("Quorvel.ini"));
}

TEST_F(InitConfigFileTest, FirstRunKeepsOtherSettings)
{
    WriteFile("Quorvel.ini", "[Paths]\r\nMedia=/m/\r\n");
    InitConfigFile(Path(Dir().string() + "/"));
    EXPECT_EQ(ReadFile("Quorvel.ini"), "[Paths]\r\nMedia=/m/\r\n[General]\r\nFirstTime=0\r\nConfigVersion=CFG2.0\r\n");
}

TEST_F(InitConfigFileTest, UnwritableProgramFolderStops)
{
    const Path dir(PathOf("missing").Bytes() + "/");
    EXPECT_EQ(test::ErrorOf<FileWriteError>([&] { InitConfigFile(dir); }),
              "Unable to write to " + dir.Bytes() + "Quorvel.ini: No such file or directory");
}

TEST_F(InitConfigFileTest, NoPermissionReadOnlyFolderStops)
{
    QUORVEL_SKIP_AS_ROOT();
    ::chmod(Dir().c_str(), 0500);
    EXPECT_THROW(InitConfigFile(Path(Dir().string() + "/")), FileWriteError);
    ::chmod(Dir().c_str(), 0700);
    EXPECT_FALSE(Exists("Quorvel.ini"));
}

}  // namespace
}  // namespace quorvel
