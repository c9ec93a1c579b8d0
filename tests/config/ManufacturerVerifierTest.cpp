#include "config/ManufacturerVerifier.h"
#include "support/ConfigDirTest.h"
#include "support/ValueLists.h"

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;
using test::ListOfValues;
using test::ValuesOf;
using Pairs = std::vector<std::pair<std::string, std::string>>;

class ManufacturerVerifierTest : public test::ConfigDirTest {
protected:
    void SetUp() override
    {
        ConfigDirTest::SetUp();
        G_ConfigFiles = Path(programDir + "Config/");
    }
};

// Which keys count is the INI reader's rule; here what the verifier makes of the entries.
TEST_F(ManufacturerVerifierTest, KnownMakersIgnoreCaseAndAnEmptyEntryIsOne)
{
    const std::tuple<Strings, Strings, bool> cases[] = {
        {{"[Mfg]", "Count=3", "Mfg0=Fennel Soft", "Mfg1=", "Mfg2=Askel"}, {"Fennel Soft", "", "Askel"}, true},
        {{"[Mfg]", "Count=0", "Mfg0=Askel"}, {}, false}};
    for (const auto& [lines, known, emptyKnown] : cases) {
        WriteConfig("zentrix 64.INI", lines);
        const ManufacturerVerifier verifier("Zentrix 64");
        EXPECT_EQ(verifier.Known(), known) << lines[1];
        EXPECT_EQ(verifier.HasKnown(), !known.empty()) << lines[1];
        EXPECT_EQ(verifier.IsKnown(""), emptyKnown) << lines[1];
        EXPECT_EQ(verifier.IsKnown("ASKEL"), !known.empty()) << lines[1];
    }
}

TEST_F(ManufacturerVerifierTest, WritesKeepTheRestOfTheFileAndObeyTheIniRules)
{
    WriteConfig("Zentrix 64.ini", {"[Mfg]", "Note=kept", "[SystemID]", "SystemID=17"});
    ManufacturerVerifier verifier("Zentrix 64");
    EXPECT_EQ(verifier.BuildFromList(*ListOfValues("Mfg", {"B", "A", "b", "", "a"})), 3u);
    EXPECT_EQ(ReadConfig("Zentrix 64.ini").SectionValues("Mfg"),
              (Pairs {{"Note", "kept"}, {"Count", "3"}, {"Mfg0", "B"}, {"Mfg1", "A"}, {"Mfg2", ""}}));
    verifier.SaveMakers({"", "A", "B", "Line\r\nBreak"});
    const IniFile ini = ReadConfig("Zentrix 64.ini");
    EXPECT_EQ(ini.SectionValues("Mfg"),
              (Pairs {{"Count", "4"}, {"Mfg0", ""}, {"Mfg1", "A"}, {"Mfg2", "B"}, {"Mfg3", "Line  Break"}}));
    EXPECT_EQ(ini.ReadString("SystemID", "SystemID", ""), "17");
}

TEST_F(ManufacturerVerifierTest, MappingsMatchExactlyInOnePassAsIfAppliedInTurn)
{
    const auto list = ListOfValues("Mfg", {"acme", "Acme", "", "Zeta", "acme", "Other", "x"});
    EXPECT_EQ(ManufacturerVerifier::ApplyMappings(
                  *list, {{"acme", "Acme Corp"}, {"", "Fennel"}, {"Zeta", ""}, {"Other", "acme"}, {"x", "Other"}}),
              5u);
    EXPECT_EQ(ValuesOf(*list, "Mfg", "*"),
              (Strings {"Acme Corp*", "Acme", "Fennel*", "Zeta", "Acme Corp*", "acme*", "Other*"}));
}

}  // namespace
}  // namespace quorvel
