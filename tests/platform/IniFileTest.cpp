#include "platform/IniFile.h"
#include "platform/SafeFile.h"

#include "support/Checks.h"
#include "support/TempDir.h"

#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorvel {
namespace {

struct ReadCase {
    const char* what;
    std::string content;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

// Lookups as the Windows profile functions do them.
TEST(IniFileTest, FindsTheValue)
{
    const ReadCase cases[] = {
        ReadCase {"plain", "[A]\r\nk=v\r\n", "A", "k", "v"},
        ReadCase {"section case", "[General]\nKey=v\n", "GENERAL", "key", "v"},
        ReadCase {"high letters ignore case", "[\xC9T\xC9]\nk=v\n", "\xE9t\xE9", "K", "v"},
        ReadCase {"first key wins", "[A]\nk=1\nK=2\n", "A", "k", "1"},
        ReadCase {"first section wins", "[A]\nk=1\n[a]\nk=2\nj=3\n", "a", "k", "1"},
        ReadCase {"later duplicate section not searched", "[A]\nk=1\n[a]\nj=3\n", "A", "j", std::nullopt},
        ReadCase {"trimmed names and value", "  [ A ]  \n\t k \t=  v w \t\n", "A", "k", "v w"},
        ReadCase {"double quotes removed", "[A]\nk=\" v \"\n", "A", "k", " v "},
        ReadCase {"single quotes removed", "[A]\nk='v'\n", "A", "k", "v"},
        ReadCase {"only one pair of quotes", "[A]\nk=\"\"v\"\"\n", "A", "k", "\"v\""},
        ReadCase {"unmatched quotes kept", "[A]\nk=\"v'\n", "A", "k", "\"v'"},
        ReadCase {"lone quote kept", "[A]\nk=\"\n", "A", "k", "\""},
        ReadCase {"empty value", "[A]\nk=\n", "A", "k", ""},
        ReadCase {"value holds =", "[A]\nk=a=b\n", "A", "k", "a=b"},
        ReadCase {"CR line ends", "[A]\rk=v\rj=w", "A", "j", "w"},
        ReadCase {"missing key", "[A]\nk=v\n", "A", "j", std::nullopt},
        ReadCase {"missing section", "[A]\nk=v\n", "B", "k", std::nullopt},
        ReadCase {"key before any section", "k=v\n[A]\n", "A", "k", std::nullopt},
        ReadCase {"key of the next section", "[A]\n[B]\nk=v\n", "A", "k", std::nullopt},
        ReadCase {"comment is no key", "[A]\n;k=v\n", "A", ";k", std::nullopt},
        ReadCase {"header without bracket", "[A\nk=v\n", "A", "k", "v"},
        ReadCase {"no cut at 2047", "[A]\nk=" + std::string(5000, 'v') + "\n", "A", "k", std::string(5000, 'v')},
        ReadCase {"NUL in value kept", std::string("[A]\nk=a\0b\n", 10), "A", "k", std::string("a\0b", 3)}};
    for (const ReadCase& c : cases) {
        const IniFile ini = IniFile::Parse(Path("x.ini"), c.content);
        EXPECT_EQ(ini.Value(c.section, c.key), c.expected) << c.what;
        EXPECT_EQ(ini.ReadString(c.section, c.key, "\x01"), c.expected.value_or("\x01")) << c.what;
    }
}

// Default 42 where the text is no whole 32-bit number; ReadBool follows the same rules.
TEST(IniFileTest, ReadIntegerAndBool)
{
    // clang-format off
    const std::pair<const char*, int> cases[] = {
        {"12", 12}, {"-7", -7}, {"0", 0}, {"0x1F", 31}, {"0X1f", 31}, {"0x", 42}, {"0xG", 42}, {"12abc", 42},
        {"", 42}, {"2147483647", 2147483647}, {"2147483648", 42}, {"0xFFFFFFFF", -1}, {"99999999999", 42},
        {"\" 5\"", 42}, {"\"5\"", 5}};
    // clang-format on
    for (const auto& [text, expected] : cases) {
        const IniFile ini = IniFile::Parse(Path("x.ini"), std::string("[A]\nk=") + text + "\n");
        EXPECT_EQ(ini.ReadInteger("A", "k", 42), expected) << text;
        for (const bool def : {false, true})
            EXPECT_EQ(ini.ReadBool("A", "k", def), expected == 42 ? def : expected != 0) << text;
    }
}

struct WriteCase {
    const char* what;
    std::string before;
    std::function<void(IniFile&)> change;
    std::string after;
};

TEST(IniFileTest, WritesKeepEveryOtherLine)
{
    const WriteCase cases[] = {
        WriteCase {"creates section and key", "", [](IniFile& i) { i.SetValue("A", "k", "v"); }, "[A]\r\nk=v\r\n"},
        WriteCase {"replaces first key keeping its spelling and others",
                   "; top\n[a]\nKEY = old\n; note\nkey=second\n[B]\nx=1\n",
                   [](IniFile& i) { i.SetValue("A", "key", "new"); },
                   "; top\r\n[a]\r\nKEY=new\r\n; note\r\nkey=second\r\n[B]\r\nx=1\r\n"},
        WriteCase {"new key after the section's last key", "[A]\nk=1\n\n[B]\nx=1\n",
                   [](IniFile& i) { i.SetValue("a", "j", "2"); }, "[A]\r\nk=1\r\nj=2\r\n\r\n[B]\r\nx=1\r\n"},
        WriteCase {"new section at the end", "[A]\nk=1", [](IniFile& i) { i.SetValue("B", "j", "2"); },
                   "[A]\r\nk=1\r\n[B]\r\nj=2\r\n"},
        WriteCase {"CR and LF become blanks", "", [](IniFile& i) { i.SetValue("A", "k", "a\r\nb\nc"); },
                   "[A]\r\nk=a  b c\r\n"},
        WriteCase {"erase removes every section of the name", "[A]\nk=1\n[B]\nx=1\n[a]\nk=2\n",
                   [](IniFile& i) { i.EraseSection("A"); }, "[B]\r\nx=1\r\n"},
        WriteCase {"erase of a missing section", "[B]\nx=1\n", [](IniFile& i) { i.EraseSection("A"); },
                   "[B]\r\nx=1\r\n"},
        WriteCase {"replace keeps place and drops duplicates", "[A]\nk=1\n[B]\nx=1\n[a]\nk=2\n",
                   [](IniFile& i) {
                       i.ReplaceSection("a", {{"p", "1"}, {"q", "2"}});
                   },
                   "[A]\r\np=1\r\nq=2\r\n[B]\r\nx=1\r\n"},
        WriteCase {"indexed list", "[L]\nCount=5\nItem0=old\nItem4=gone\n",
                   [](IniFile& i) {
                       i.WriteIndexedList("L", "Item", {"a", "b"});
                   },
                   "[L]\r\nCount=2\r\nItem0=a\r\nItem1=b\r\n"}};
    for (const WriteCase& c : cases) {
        IniFile ini = IniFile::Parse(Path("x.ini"), c.before);
        c.change(ini);
        EXPECT_EQ(ini.ToString(), c.after) << c.what;
    }
}

TEST(IniFileTest, RefusedNamesChangeNothing)
{
    IniFile ini = IniFile::Parse(Path("x.ini"), "[A]\nk=v\n");
    const std::string before = ini.ToString();
    for (const char* bad : {"a]b", "a=b", "a\rb", "a\nb", "", "  "})
        EXPECT_THROW(ini.SetValue(bad, "k", "v"), std::invalid_argument) << bad;
    for (const char* bad : {"a]b", "a=b", "a\rb", "a\nb", "", "[k", ";k"})
        EXPECT_THROW(ini.SetValue("A", bad, "v"), std::invalid_argument) << bad;
    EXPECT_THROW(ini.ReplaceSection("A", {{"ok", "1"}, {"k=", "2"}}), std::invalid_argument);
    EXPECT_EQ(ini.ToString(), before);
}

TEST(IniFileTest, IndexedListVisitsOnlyPresentKeysBelowCount)
{
    const IniFile ini = IniFile::Parse(Path("x.ini"),
                                       "[L]\nCount=2000000000\nItem2=c\nitem0=a\nItem1=\nItem01=x\nItem0=dup\n"
                                       "Item-1=y\nItem=z\nOther5=w\n");
    EXPECT_EQ(ini.ReadIndexedList("l", "Item"), (std::vector<std::string> {"a", "c"}));
    const IniFile counted =
        IniFile::Parse(Path("x.ini"), "[L]\nCount=2\nV0=a\nV1=b\nV2=c\n[M]\nV0=a\n[N]\nCount=-3\nV0=a\n");
    EXPECT_EQ(counted.ReadIndexedList("L", "V"), (std::vector<std::string> {"a", "b"}));
    // A number with a leading zero names no entry, even when nothing else holds its index.
    EXPECT_TRUE(IniFile::Parse(Path("x.ini"), "[R]\nCount=8\nRpt07=x\n").ReadIndexedList("R", "Rpt").empty());
    for (const char* none : {"M", "N", "Missing"})
        EXPECT_TRUE(counted.ReadIndexedList(none, "V").empty()) << none;
}

TEST(IniFileTest, SectionNamesAndValues)
{
    const IniFile ini = IniFile::Parse(Path("x.ini"), "[One]\na=1\n; c\nb=\"2\"\n[Two]\n[ONE]\nc=3\n");
    EXPECT_EQ(ini.SectionNames(), (std::vector<std::string> {"One", "Two"}));
    EXPECT_EQ(ini.SectionValues("one"), (std::vector<std::pair<std::string, std::string>> {{"a", "1"}, {"b", "2"}}));
    EXPECT_TRUE(ini.HasSection("TWO"));
    EXPECT_FALSE(ini.HasSection("Three"));
}

class IniFileDiskTest : public test::TempDirTest { };

TEST_F(IniFileDiskTest, MissingFileReadsDefaultsAndCreatesNothing)
{
    const IniFile ini = IniFile::Load(PathOf("none.ini"));
    EXPECT_EQ(ini.ReadString("A", "k", "def"), "def");
    EXPECT_TRUE(ini.SectionNames().empty());
    EXPECT_FALSE(Exists("none.ini"));
}

TEST_F(IniFileDiskTest, FileNameIgnoresCaseAndKeepsSpelling)
{
    WriteFile("GENERAL.INI", "[A]\r\nk=v\r\n");
    IniFile ini = IniFile::Load(PathOf("General.ini"));
    EXPECT_EQ(ini.ReadString("a", "K", ""), "v");
    ini.SetValue("A", "j", "w");
    ini.Save();
    EXPECT_FALSE(Exists("General.ini"));
    EXPECT_EQ(ReadFile("GENERAL.INI"), "[A]\r\nk=v\r\nj=w\r\n");
}

// A read-only file, or one that cannot be read, must not be replaced by a rename: the write fails and
// the file keeps its content.
TEST_F(IniFileDiskTest, NoPermissionFileIsNotReplaced)
{
    QUORVEL_SKIP_AS_ROOT();
    // The mode, what the failure says.
    const std::pair<mode_t, std::string> cases[] = {
        {0444, "Unable to write to " + PathOf("x.ini").Bytes() + ": Permission denied"},
        {0200, "Unable to read " + PathOf("x.ini").Bytes()},
    };
    for (const auto& [mode, message] : cases) {
        SCOPED_TRACE(mode);
        WriteFile("x.ini", "[A]\r\nk=v\r\n");
        ::chmod(PathOf("x.ini").c_str(), mode);
        IniFile ini = IniFile::Load(PathOf("x.ini"));
        ini.SetValue("B", "j", "w");
        EXPECT_EQ(test::ErrorOf<FileError>([&] { ini.Save(); }), message);
        ::chmod(PathOf("x.ini").c_str(), 0600);
        EXPECT_EQ(ReadFile("x.ini"), "[A]\r\nk=v\r\n");
    }
}

}  // namespace
}  // namespace quorvel
