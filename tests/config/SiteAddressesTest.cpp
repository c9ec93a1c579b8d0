#include "config/SiteAddresses.h"

#include "model/Utils.h"
#include "platform/IniFile.h"
#include "support/GlobalsTest.h"

#include <unistd.h>

#include <filesystem>

namespace quorvel {
namespace {

using Fields = std::vector<std::string>;

Fields FieldsOf(const SiteAddresses& sites)
{
    return {sites.MakerSite, sites.SupportMail, sites.Cartwell, sites.GamersLedger, sites.Snipercade, sites.StarLadder};
}

const Fields kDefaults = FieldsOf(SiteAddresses {});

class SiteAddressesTest : public test::GlobalsTest { };

TEST_F(SiteAddressesTest, EachAddressIsReadOrKeepsItsDefault)
{
    struct Case {
        const char* name;
        const char* text;  // nullptr: no file
        Fields expected;
    };
    const auto with = [](size_t field, std::string value) {
        Fields fields = kDefaults;
        fields[field] = std::move(value);
        return fields;
    };
    const Case cases[] = {
        {"NoFile", nullptr, kDefaults},
        {"EverySite",
         "[Sites]\r\nMakerSite=https://m.test/\r\nSupportMail=help@m.test\r\nCartwell=https://c.test/\r\n"
         "GamersLedger=https://g.test/\r\nSnipercade=https://s.test/\r\nStarLadder=https://l.test/\r\n",
         {"https://m.test/", "help@m.test", "https://c.test/", "https://g.test/", "https://s.test/",
          "https://l.test/"}},
        // Page names are added to a site, so it ends with "/"; a mailbox never does.
        {"SiteGainsItsSlash", "[Sites]\r\nMakerSite=https://m.test/shop\r\n", with(0, "https://m.test/shop/")},
        {"NamesIgnoreCaseAndQuotesGo", "[SITES]\r\n  cartwell = \"https://c.test/\"\r\n", with(2, "https://c.test/")},
        {"EmptyValueKeepsDefault", "[Sites]\r\nSnipercade=\r\nStarLadder=  \r\n", kDefaults},
        {"OtherSectionIgnored", "[General]\r\nMakerSite=https://m.test/\r\n", kDefaults},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(PathOf("Sites.ini").Bytes());
        if (c.text)
            WriteFile("Sites.ini", c.text);
        EXPECT_EQ(FieldsOf(ReadSiteAddresses(PathOf("Sites.ini"))), c.expected) << c.name;
    }
}

TEST_F(SiteAddressesTest, TheConfigurationFolderIsReadAtEachCallAndOnlyOnceKnown)
{
    WriteFile("Config/SITES.INI", "[Sites]\r\nStarLadder=https://l.test/\r\n");
    // Before the settings name the folder, a Sites.ini in the working folder is not taken.
    WriteFile("Sites.ini", "[Sites]\r\nStarLadder=https://wrong.test/\r\n");
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(Dir());
    const SiteAddresses unknown = ConfiguredSiteAddresses();
    std::filesystem::current_path(previous);
    EXPECT_EQ(FieldsOf(unknown), kDefaults);

    G_ConfigFiles = Path(PathOf("Config").Bytes() + "/");
    EXPECT_EQ(ConfiguredSiteAddresses().StarLadder, "https://l.test/");
    WriteFile("Config/SITES.INI", "[Sites]\r\nStarLadder=https://l2.test/\r\n");
    EXPECT_EQ(ConfiguredSiteAddresses().StarLadder, "https://l2.test/");
}

TEST_F(SiteAddressesTest, MissingKeysAreAddedAndNoValueIsOverwritten)
{
    WriteFile("Sites.ini", "; the packager's\r\n[Sites]\r\nMakerSite=https://m.test/\r\nCartwell=\r\n[Other]\r\nX=1\r\n");
    WriteMissingSiteAddresses(PathOf("Sites.ini"));
    const IniFile ini = IniFile::Load(PathOf("Sites.ini"));
    EXPECT_EQ(ini.SectionValues("Sites"),
              (std::vector<std::pair<std::string, std::string>> {{"MakerSite", "https://m.test/"},
                                                                 {"Cartwell", ""},
                                                                 {"SupportMail", kDefaults[1]},
                                                                 {"GamersLedger", kDefaults[3]},
                                                                 {"Snipercade", kDefaults[4]},
                                                                 {"StarLadder", kDefaults[5]}}));
    EXPECT_EQ(ini.ReadString("Other", "X", ""), "1");
    const std::string complete = ReadFile("Sites.ini");
    EXPECT_EQ(complete.rfind("; the packager's\r\n", 0), 0u);
    WriteMissingSiteAddresses(PathOf("Sites.ini"));
    EXPECT_EQ(ReadFile("Sites.ini"), complete);

    WriteMissingSiteAddresses(PathOf("new.ini"));
    EXPECT_EQ(FieldsOf(ReadSiteAddresses(PathOf("new.ini"))), kDefaults);
    EXPECT_EQ(IniFile::Load(PathOf("new.ini")).SectionValues("Sites").size(), kDefaults.size());
}

}  // namespace
}  // namespace quorvel
