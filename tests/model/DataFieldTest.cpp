#include <gtest/gtest.h>

#include "model/DataField.h"
#include "support/TempDir.h"

namespace quorvel {
namespace {

class LookupListTest : public test::TempDirTest { };

TEST_F(LookupListTest, FieldLoadsFromItsResolvedFile)
{
    WriteFile("General.INI", "[LabelType]\r\nCount=2\r\nLabelType0=Paper\r\nLabelType1=Foil\r\n");
    TDataFieldClass f;
    f.Init("LabelType", "Label Type", dtString, false, std::string());
    f.SetLookupInfo("%GENERAL%", "LabelType");
    f.LookupList = {"stale"};
    EXPECT_FALSE(f.HasLookupFile());
    f.LoadLookupList();
    EXPECT_TRUE(f.GetLookupList().empty());
    f.LookupFile = PathOf("General.INI");
    f.LoadLookupList();
    EXPECT_EQ(f.GetLookupList(), (std::vector<std::string> {"Paper", "Foil"}));
}

TEST(LookupFileTest, KeysNameFilesInTheConfigurationFolder)
{
    struct Case {
        const char* Key;
        const char* Platform;
        std::optional<Path> Expected;
    };
    const Case cases[] = {
        {"%PLATFORM%", "Zentra 64", Path("/cfg/Zentra 64.INI")},
        {"%LISTTYPE%", "Zentra 64", Path("/cfg/Media.INI")},
        {"%GENERAL%", "Zentra 64", Path("/cfg/General.INI")},
        {"%platform%", "Zentra 64", std::nullopt},
        {"", "Zentra 64", std::nullopt},
        {"%PLATFORM%", "../secret", Path()},
        {"%PLATFORM%", "", Path()},
        {"%GENERAL%", "../secret", Path("/cfg/General.INI")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveLookupFile(c.Key, Path("/cfg/"), c.Platform, "Media"), c.Expected)
            << c.Key << " " << c.Platform;
    }
}

}  // namespace
}  // namespace quorvel
