#include <gtest/gtest.h>

#include "model/DataField.h"
#include "support/TempDir.h"

namespace quorvel {
namespace {

TEST(DataFieldTest, ValidValues)
{
    struct Case {
        TFieldDataType Type;
        FieldValue Value;
        bool Valid;
    };
    // The conversion rules themselves are held by the ConvertsTo table.
    const Case cases[] = {
        {dtInteger, std::string(""), false},
        {dtString, std::string(""), true},
        {dtInteger, std::string("12"), true},
        {dtBoolean, std::string("maybe"), false},
    };
    for (const auto& c : cases) {
        TDataFieldClass f;
        f.Init("F", "F", c.Type, false, FieldValue {});
        EXPECT_EQ(f.IsValidValue(c.Value), c.Valid) << c.Type << " " << ToText(c.Value);
    }
}

TEST(DataFieldTest, ValuesKeepTheirKind)
{
    TDataFieldClass f;
    f.Init("Quantity", "Qty", dtInteger, false, int32_t {1});
    f.SetValue(std::string("5"));
    EXPECT_EQ(f.GetValue(), FieldValue(std::string("5")));
    EXPECT_EQ(f.AsInteger(), 5);
    f.SetValue(std::string("five"));
    EXPECT_EQ(f.AsInteger(), 0);
    EXPECT_THROW(f.AsCurrency(), VariantConversionError);
    EXPECT_THROW(f.AsBoolean(), VariantConversionError);
    f.ResetValue();
    EXPECT_EQ(f.GetValue(), FieldValue(int32_t {1}));
}

class LookupListTest : public test::TempDirTest { };

// The Count-indexed reading rules themselves are held by the INI tests.
TEST_F(LookupListTest, LoadsTheSectionsIndexedEntries)
{
    WriteFile("Platform.INI",
              "[Mfg]\r\nMfg2=B\r\nCount=4\r\nMfg0=A\r\nMfg1=\r\nMfg3=C\r\n[Other]\r\nCount=1\r\nOther0=x\r\n");
    EXPECT_EQ(LoadLookupList(PathOf("Platform.INI"), "Mfg"), (std::vector<std::string> {"A", "B", "C"}));
    EXPECT_TRUE(LoadLookupList(PathOf("Missing.INI"), "Mfg").empty());
    EXPECT_TRUE(LoadLookupList("", "Mfg").empty());
}

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
        std::optional<std::string> Expected;
    };
    const Case cases[] = {
        {"%PLATFORM%", "Zentra 64", "/cfg/Zentra 64.INI"},
        {"%LISTTYPE%", "Zentra 64", "/cfg/Media.INI"},
        {"%GENERAL%", "Zentra 64", "/cfg/General.INI"},
        {"%platform%", "Zentra 64", std::nullopt},
        {"", "Zentra 64", std::nullopt},
        {"%PLATFORM%", "../secret", ""},
        {"%PLATFORM%", "", ""},
        {"%GENERAL%", "../secret", "/cfg/General.INI"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ResolveLookupFile(c.Key, "/cfg/", c.Platform, "Media"), c.Expected) << c.Key << " " << c.Platform;
    }
}

}  // namespace
}  // namespace quorvel
