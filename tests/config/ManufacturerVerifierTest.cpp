#include "config/ManufacturerVerifier.h"
#include "model/ListFactory.h"
#include "support/ConfigDirTest.h"

namespace quorvel {
namespace {

using Strings = std::vector<std::string>;
using Platform = ManufacturerVerifier::PlatformProblem;

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
            auto item = list->CreateItem();
            item->SetFieldValue("Mfg", maker);
            item->Modified = false;
            list->Add(std::move(item));
        }
        return list;
    }

    static Strings MakersOf(const TBaseCustomListClass& list)
    {
        Strings makers;
        for (const auto& item : list.Items())
            makers.push_back(item->GetFieldAsString("Mfg"));
        return makers;
    }
};

TEST_F(ManufacturerVerifierTest, PlatformsThatCannotNameAFileAreRefused)
{
    const struct {
        const char* platform;
        Platform problem;
    } cases[] = {{"Zentrix 64", Platform::None}, {"", Platform::NoPlatform}, {"..", Platform::UnsafeName},
                 {"a/b", Platform::UnsafeName}, {"a\\b", Platform::UnsafeName}};
    for (const auto& c : cases)
        EXPECT_EQ(ManufacturerVerifier::CheckPlatform(c.platform), c.problem) << c.platform;
}

TEST_F(ManufacturerVerifierTest, KnownMakersComeFromTheKeysBelowCount)
{
    const struct {
        Strings lines;
        Strings known;
        bool hasKnown;
        bool emptyKnown;
    } cases[] = {
        {{"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Askel", "Mfg2=Late"}, {"Fennel Soft", "Askel"}, true, false},
        {{"[Mfg]", "Count=3", "Mfg0=Fennel Soft", "Mfg1=", "Mfg2=Askel"}, {"Fennel Soft", "", "Askel"}, true, true},
        {{"[Mfg]", "Count=2000000000", "mfg1=Askel", "Mfg01=Nope"}, {"Askel"}, true, true},
        {{"[Mfg]", "Count=0", "Mfg0=Askel"}, {}, false, false},
        {{"[SystemID]", "SystemID=4"}, {}, false, false},
    };
    for (const auto& c : cases) {
        WriteConfig("zentrix 64.INI", c.lines);
        const ManufacturerVerifier verifier("Zentrix 64");
        EXPECT_EQ(verifier.Known(), c.known) << c.lines[1];
        EXPECT_EQ(verifier.HasKnown(), c.hasKnown) << c.lines[1];
        EXPECT_EQ(verifier.IsKnown(""), c.emptyKnown) << c.lines[1];
        EXPECT_EQ(verifier.IsKnown("ASKEL"), c.hasKnown) << c.lines[1];
    }
}

TEST_F(ManufacturerVerifierTest, UnlistedMakersIgnoreCaseAndKeepTheFirstSpelling)
{
    WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=2", "Mfg0=Fennel Soft", "Mfg1=Brambleworks"});
    const auto list = MediaList({"acme", "FENNEL SOFT", "Zeta", "", "Acme", "brambleworks", "zeta", ""});
    EXPECT_EQ(ManufacturerVerifier("Zentrix 64").Unlisted(*list), (Strings{"acme", "Zeta", ""}));
    EXPECT_TRUE(ManufacturerVerifier("Zentrix 64").Unlisted(*MediaList({"fennel soft"})).empty());
}

TEST_F(ManufacturerVerifierTest, BuildingWritesFirstAppearancesWithoutErasing)
{
    WriteConfig("Zentrix 64.ini", {"[Mfg]", "Note=kept", "[SystemID]", "SystemID=17"});
    ManufacturerVerifier verifier("Zentrix 64");
    EXPECT_EQ(verifier.BuildFromList(*MediaList({"B", "A", "b", "", "a"})), 3u);
    const IniFile ini = ReadConfig("Zentrix 64.ini");
    EXPECT_EQ(ini.SectionValues("Mfg"), (std::vector<std::pair<std::string, std::string>>{
                                            {"Note", "kept"}, {"Count", "3"}, {"Mfg0", "B"}, {"Mfg1", "A"}, {"Mfg2", ""}}));
    EXPECT_EQ(ini.ReadString("SystemID", "SystemID", ""), "17");
    EXPECT_EQ(ManufacturerVerifier("Zentrix 64").Known(), (Strings{"B", "A", ""}));

    EXPECT_EQ(ManufacturerVerifier("Korvo").BuildFromList(*MediaList({})), 0u);
    EXPECT_FALSE(Exists("Config/Korvo.ini"));
}

TEST_F(ManufacturerVerifierTest, SavedMakersReplaceTheSectionAndObeyTheIniRules)
{
    WriteConfig("Zentrix 64.ini", {"[Mfg]", "Count=3", "Mfg0=B", "Mfg1=A", "Mfg2=", "Mfg7=Stale"});
    ManufacturerVerifier("Zentrix 64").SaveMakers({"", "A", "B", "Line\r\nBreak"});
    EXPECT_EQ(ReadConfig("Zentrix 64.ini").SectionValues("Mfg"),
              (std::vector<std::pair<std::string, std::string>>{
                  {"Count", "4"}, {"Mfg0", ""}, {"Mfg1", "A"}, {"Mfg2", "B"}, {"Mfg3", "Line  Break"}}));
}

TEST_F(ManufacturerVerifierTest, MappingsMatchExactlyInOnePass)
{
    const auto list = MediaList({"acme", "Acme", "", "Zeta", "acme", "Other"});
    const size_t changed = ManufacturerVerifier::ApplyMappings(
        *list, {{"acme", "Acme Corp"}, {"", "Fennel Soft"}, {"Zeta", ""}, {"Other", "acme"}});
    EXPECT_EQ(changed, 4u);
    EXPECT_EQ(MakersOf(*list), (Strings{"Acme Corp", "Acme", "Fennel Soft", "Zeta", "Acme Corp", "acme"}));
    std::vector<bool> modified;
    for (const auto& item : list->Items())
        modified.push_back(item->Modified);
    EXPECT_EQ(modified, (std::vector<bool>{true, false, true, false, true, true}));

    // Applied one after another, a later mapping also takes what an earlier one gave.
    const auto chained = MediaList({"x", "y"});
    ManufacturerVerifier::ApplyMappings(*chained, {{"x", "y"}, {"y", "z"}});
    EXPECT_EQ(MakersOf(*chained), (Strings{"z", "z"}));
}

}  // namespace
}  // namespace quorvel
