#include "config/ManufacturerVerifier.h"
#include "model/ListFactory.h"
#include "support/ConfigDirTest.h"

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;
using Pairs = std::vector<std::pair<std::string, std::string>>;

class ManufacturerVerifierTest : public test::ConfigDirTest {
protected:
    void SetUp() override
    {
        ConfigDirTest::SetUp();
        G_ConfigFiles = programDir + "Config/";
    }
    static std::unique_ptr<TBaseCustomListClass> MediaList(const Strings& makers)
    {
        auto list = CreateListObject(ltMedia);
        for (const auto& maker : makers) {
            list->Add(list->CreateItem());
            list->GetItem(list->Count() - 1)->SetFieldValue("Mfg", maker);
            list->GetItem(list->Count() - 1)->Modified = false;
        }
        return list;
    }
    static Strings MakersOf(const TBaseCustomListClass& list)
    {
        Strings makers;
        for (const auto& item : list.Items())
            makers.push_back(item->GetFieldAsString("Mfg") + (item->Modified ? "*" : ""));
        return makers;
    }
};

TEST_F(ManufacturerVerifierTest, KnownMakersAreTheKeysBelowCountAMissingOneIsEmpty)
{
    const struct {
        Strings lines;
        Strings known;
        bool emptyKnown;
    } cases[] = {
        {{"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Askel", "Mfg2=Late"}, {"Fennel Soft", "Askel"}, false},
        {{"[Mfg]", "Count=3", "Mfg0=Fennel Soft", "Mfg1=", "Mfg2=Askel"}, {"Fennel Soft", "", "Askel"}, true},
        {{"[Mfg]", "Count=2000000000", "mfg1=Askel", "Mfg01=Nope"}, {"Askel"}, true},
        {{"[Mfg]", "Count=0", "Mfg0=Askel"}, {}, false},
    };
    for (const auto& c : cases) {
        WriteConfig("zentrix 64.INI", c.lines);
        const ManufacturerVerifier verifier("Zentrix 64");
        EXPECT_EQ(verifier.Known(), c.known) << c.lines[1];
        EXPECT_EQ(verifier.HasKnown(), !c.known.empty()) << c.lines[1];
        EXPECT_EQ(verifier.IsKnown(""), c.emptyKnown) << c.lines[1];
        EXPECT_EQ(verifier.IsKnown("ASKEL"), !c.known.empty()) << c.lines[1];
    }
}

TEST_F(ManufacturerVerifierTest, UnlistedMakersIgnoreCaseAndKeepTheFirstSpelling)
{
    WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Brambleworks"});
    const auto list = MediaList({"acme", "FENNEL SOFT", "Zeta", "", "Acme", "brambleworks", "zeta", ""});
    EXPECT_EQ(ManufacturerVerifier("Zentrix 64").Unlisted(*list), (Strings{"acme", "Zeta", ""}));
}

TEST_F(ManufacturerVerifierTest, WritesKeepTheRestOfTheFileAndObeyTheIniRules)
{
    WriteConfig("Zentrix 64.ini", {"[Mfg]", "Note=kept", "[SystemID]", "SystemID=17"});
    ManufacturerVerifier verifier("Zentrix 64");
    EXPECT_EQ(verifier.BuildFromList(*MediaList({"B", "A", "b", "", "a"})), 3u);
    EXPECT_EQ(ReadConfig("Zentrix 64.ini").SectionValues("Mfg"),
              (Pairs{{"Note", "kept"}, {"Count", "3"}, {"Mfg0", "B"}, {"Mfg1", "A"}, {"Mfg2", ""}}));
    verifier.SaveMakers({"", "A", "B", "Line\r\nBreak"});
    const IniFile ini = ReadConfig("Zentrix 64.ini");
    EXPECT_EQ(ini.SectionValues("Mfg"),
              (Pairs{{"Count", "4"}, {"Mfg0", ""}, {"Mfg1", "A"}, {"Mfg2", "B"}, {"Mfg3", "Line  Break"}}));
    EXPECT_EQ(ini.ReadString("SystemID", "SystemID", ""), "17");
    EXPECT_EQ(ManufacturerVerifier("Korvo").BuildFromList(*MediaList({})), 0u);
    EXPECT_FALSE(Exists("Config/Korvo.ini"));
}

TEST_F(ManufacturerVerifierTest, MappingsMatchExactlyInOnePassAsIfAppliedInTurn)
{
    const auto list = MediaList({"acme", "Acme", "", "Zeta", "acme", "Other", "x"});
    EXPECT_EQ(ManufacturerVerifier::ApplyMappings(
                  *list, {{"acme", "Acme Corp"}, {"", "Fennel"}, {"Zeta", ""}, {"Other", "acme"}, {"x", "Other"}}),
              5u);
    EXPECT_EQ(MakersOf(*list), (Strings{"Acme Corp*", "Acme", "Fennel*", "Zeta", "Acme Corp*", "acme*", "Other*"}));
}

}  // namespace
}  // namespace quorvel
