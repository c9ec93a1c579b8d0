#include "support/ConfigDirTest.h"

namespace quorvel {
namespace {

using test::ConfigDirTest;

TEST(PlatformList, NamesThatCannotBeFileNamesAreRefused)
{
    for (const char* name : {"Zentrix 64", "Caf\xE9 Deluxe", "...", "a.b"})
        EXPECT_TRUE(PlatformList::IsValidPlatformName(name)) << name;
    // The characters Windows refuses in a file name, and one name the file-name rules refuse.
    for (const std::string name : {"a?b", "a\"b", "a<b", "a>b", "a*b", "a|b", "a:b", "a$b", "a/b", ".."})
        EXPECT_FALSE(PlatformList::IsValidPlatformName(name)) << name;
}

class PlatformFileTest : public ConfigDirTest { };

TEST_F(PlatformFileTest, LoadKeepsTheKeysPresentSortsAndReturnsRefusedNames)
{
    WriteConfig("Platforms.ini",
                {"[Platforms]", "Count=2000000000", "PlatForm0=vexa Drive", "PlatForm1=", "PlatForm2=Bad?Name",
                 "PlatForm4=Zentrix 64", "PlatForm7=Korvo", "PlatForm9=.."});
    PlatformList list;
    const auto refused = list.Load(ConfigPath("Platforms.ini"));
    EXPECT_EQ(list.Names(), (std::vector<std::string> {"Korvo", "vexa Drive", "Zentrix 64"}));
    EXPECT_EQ(refused, (std::vector<std::string> {"Bad?Name", ".."}));
    EXPECT_TRUE(list.Contains("VEXA DRIVE"));
    EXPECT_FALSE(list.Contains("Vexa"));
    EXPECT_EQ(list.IndexOf("zentrix 64"), 2);
}

TEST_F(PlatformFileTest, SaveRewritesOnlyItsSection)
{
    WriteConfig("Platforms.ini",
                {"; shipped", "[Platforms]", "Count=3", "PlatForm0=Old", "PlatForm1=Older", "PlatForm2=Oldest",
                 "[Other]", "Key=kept"});
    PlatformList list;
    list.SetNames({"zeta", "Alpha", "beta"});
    list.Save(ConfigPath("Platforms.ini"));
    const IniFile ini = ReadConfig("Platforms.ini");
    EXPECT_EQ(ini.SectionValues("Platforms"),
              (std::vector<std::pair<std::string, std::string>> {
                  {"Count", "3"}, {"PlatForm0", "Alpha"}, {"PlatForm1", "beta"}, {"PlatForm2", "zeta"}}));
    EXPECT_EQ(ini.ReadString("Other", "Key", ""), "kept");
    EXPECT_NE(ReadFile("Config/Platforms.ini").find("; shipped"), std::string::npos);
}

TEST_F(PlatformFileTest, OnlyAChangedListIsWritten)
{
    // Names refused at load and the user's own edits stay in the file until the list changes.
    const std::vector<std::string> file = {"[Platforms]", "Count=3", "PlatForm0=Korvo", "PlatForm1=Bad?Name",
                                           "PlatForm2=Zentrix 64"};
    struct Case {
        const char* what;
        std::vector<std::string> names;  // set after Load; none: not set
        bool written;
    };
    const Case cases[] = {
        {"not set", {}, false},
        {"same names in another order", {"Zentrix 64", "Korvo"}, false},
        {"a name added", {"Zentrix 64", "Korvo", "Vexa"}, true},
        {"a name removed", {"Korvo"}, true},
    };
    for (const Case& c : cases) {
        WriteConfig("Platforms.ini", file);
        const std::string before = ReadFile("Config/Platforms.ini");
        PlatformList list;
        list.Load(ConfigPath("Platforms.ini"));
        if (!c.names.empty())
            list.SetNames(c.names);
        EXPECT_EQ(list.Changed(), c.written) << c.what;
        list.Save(ConfigPath("Platforms.ini"));
        EXPECT_EQ(ReadFile("Config/Platforms.ini") != before, c.written) << c.what;
        EXPECT_FALSE(list.Changed()) << c.what;
    }
}

TEST_F(PlatformFileTest, PlatformFilesAreFoundIgnoringCase)
{
    settings->LoadSettings();
    WriteConfig("ZENTRIX 64.INI", {"[Mfg]", "Count=0"});
    EXPECT_EQ(PlatformList::PlatformFile("Zentrix 64"), ConfigPath("ZENTRIX 64.INI"));
    EXPECT_EQ(PlatformList::PlatformFile("Korvo"), ConfigPath("Korvo.ini"));
    EXPECT_EQ(PlatformList::PlatformFile(".."), std::nullopt);
}

}  // namespace
}  // namespace quorvel
