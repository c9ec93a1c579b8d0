#include "model/PropertyLayout.h"
#include "model/ItemClasses.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quorvel {
namespace {

PropertyLayout Sample()
{
    PropertyLayout layout;  // 530 x 475
    layout.Controls = {{16, 88, 300, 21, "Title", "Title", 0, -1},
                       {48, 88, 270, 21, "Mfg", std::string("Fabricant \xE9"), 1, -1},
                       {48, 362, 26, 21, "Mfg", "...", 0, 5}};
    return layout;
}

TEST(PropertyLayoutTest, RecordFormatIsFixedLittleEndianWithLengthPrefixedTexts)
{
    const std::string bytes = CdbLayoutBytes(Sample());
    ASSERT_EQ(bytes.size(), 4 * kLayoutRecordSize);
    const std::string_view title = std::string_view(bytes).substr(kLayoutRecordSize, kLayoutRecordSize);
    EXPECT_EQ(title.substr(0, 16), std::string_view("\x10\0\0\0\x58\0\0\0\x2C\x01\0\0\x15\0\0\0", 16));
    EXPECT_EQ(title.substr(16, 6), std::string_view("\x05Title", 6));
    EXPECT_EQ(title.substr(272, 6), std::string_view("\x05Title", 6));
    EXPECT_EQ(title.substr(528, 8), std::string_view("\0\0\0\0\xFF\xFF\xFF\xFF", 8));
    // The dialog record: size only, empty texts, -1 markers.
    EXPECT_EQ(std::string_view(bytes).substr(8, 9), std::string_view("\x12\x02\0\0\xDB\x01\0\0\0", 9));
    EXPECT_EQ(ParseCdbLayout(bytes), Sample());
    EXPECT_EQ(ParseCdlLayout(Path("x.cdl"), CdlLayoutText(Sample())), Sample());
}

TEST(PropertyLayoutTest, DamagedFilesGiveUsableLayouts)
{
    const std::string good = CdbLayoutBytes(Sample());
    std::string outOfRange = good;
    outOfRange[8] = outOfRange[9] = outOfRange[10] = outOfRange[11] = '\xFF';  // dialog width -1
    outOfRange[kLayoutRecordSize + 3] = '\x7F';                                // a huge Top
    PropertyLayout many = Sample();
    many.Controls.resize(500, many.Controls[0]);
    // The bytes, the dialog width and the number of controls read from them.
    const std::tuple<const char*, std::string, int32_t, size_t> cases[] = {
        {"empty", "", 530, 0},
        {"dialog record only", good.substr(0, kLayoutRecordSize), 530, 0},
        {"partial last record", good.substr(0, good.size() - 1), 530, 2},
        {"sizes out of range", outOfRange, kMinDialogWidth, 3},
        {"hundreds of records", CdbLayoutBytes(many), 530, kMaxLayoutControls},
    };
    for (const auto& [what, bytes, width, controls] : cases) {
        const PropertyLayout layout = ParseCdbLayout(bytes);
        EXPECT_EQ(layout.Width, width) << what;
        EXPECT_EQ(layout.Controls.size(), controls) << what;
    }
    EXPECT_EQ(ParseCdbLayout(outOfRange).Controls[0].Top, kMaxLayoutExtent);
    // The INI form: defaults for missing keys, empty entries skipped, a huge count costs nothing.
    const PropertyLayout ini =
        ParseCdlLayout(Path("x.cdl"),
                       "[Controls]\nControlCount=2000000000\nControl0=A\nControl1=\nControl7=B\nControl07=C\n[A]\n[B]\n"
                       "FieldName=Mfg\nOptionTab=6\n");
    EXPECT_EQ(ini, (PropertyLayout {530, 475, {LayoutRecord {}, LayoutRecord {16, 88, 300, 21, "Mfg", "", 0, 6}}}));
    // A key without its number is no entry; the count bounds the entries read.
    for (const char* controls : {"ControlCount=5\nControl=B\nControl0=A\n", "ControlCount=1\nControl0=A\nControl1=B\n"})
        EXPECT_EQ(ParseCdlLayout(Path("x.cdl"), std::string("[Controls]\n") + controls + "[A]\n[B]\nFieldName=Mfg\n"),
                  (PropertyLayout {530, 475, {LayoutRecord {}}}))
            << controls;
}

class LayoutFileTest : public test::TempDirTest {
protected:
    std::optional<Path> Find(const std::string& platform)
    {
        return FindLayoutFile(Path(Dir().string() + "/"), "Media", platform, &missing);
    }
    Path missing;
};

TEST_F(LayoutFileTest, ChoiceOfFileAndBoundedRead)
{
    EXPECT_EQ(Find("Zentrix 64"), std::nullopt);
    EXPECT_EQ(missing, PathOf("Properties_Media_Default.CDB"));
    WriteFile("properties_media_default.cdb", "");
    EXPECT_EQ(Find("Zentrix 64"), PathOf("properties_media_default.cdb"));
    WriteFile("Properties_Media_Zentrix 64.CDB", "");
    WriteFile("Properties_Media_Default.CDL", "");
    EXPECT_EQ(Find("zentrix 64"), PathOf("Properties_Media_Zentrix 64.CDB"));
    EXPECT_EQ(Find("Korvo"), PathOf("properties_media_default.cdb"));
    EXPECT_EQ(Find("../Zentrix 64"), PathOf("properties_media_default.cdb"));

    // Only what a layout can use is read from a huge file.
    PropertyLayout many = Sample();
    many.Controls.resize(1000, many.Controls[0]);
    SaveCdbLayout(PathOf("big.CDB"), many);
    WriteFile("small.cdl", CdlLayoutText(Sample()));
    EXPECT_EQ(LoadLayoutFile(PathOf("big.CDB"))->Controls.size(), kMaxLayoutControls);
    EXPECT_EQ(LoadLayoutFile(PathOf("small.cdl")), Sample());
    EXPECT_EQ(LoadLayoutFile(PathOf("absent.CDB")), std::nullopt);
}

// Fitting and overlap are checked on the dialog itself, with the real label sizes.
TEST(DefaultLayoutTest, EveryFieldInOrderWithOptionButtonsBesideLookups)
{
    for (const FieldSet* fields : {&MediaFieldSet(), &HardwareFieldSet()}) {
        const PropertyLayout layout = DefaultPropertyLayout(*fields);
        std::vector<std::string> shown;
        for (const auto& c : layout.Controls) {
            const int32_t index = fields->IndexOf(c.FieldName);
            ASSERT_GE(index, 0) << c.FieldName;
            const FieldDefinition& f = (*fields)[index];
            if (c.OptionTab == -1)
                shown.push_back(c.FieldName);
            else
                EXPECT_EQ(c.OptionTab, f.LookupFileKey == "%PLATFORM%" ? 5 : 6) << c.FieldName;
            EXPECT_EQ(shown.back(), c.FieldName) << "an option button follows its field";
        }
        EXPECT_EQ(shown, fields->Names());
        EXPECT_EQ(ParseCdbLayout(CdbLayoutBytes(layout)), layout);
    }
}

}  // namespace
}  // namespace quorvel
