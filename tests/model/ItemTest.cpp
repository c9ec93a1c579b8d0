#include <gtest/gtest.h>

#include "model/ItemClasses.h"
#include "model/LocaleFormat.h"

namespace quorvel {
namespace {

struct FieldRow {
    const char* Name;
    const char* Caption;
    TFieldDataType Type;
    FieldValue Default;  // std::monostate here stands for today's date
    bool Required = false;
    bool Range = false;
    const char* LookupKey = "";
    const char* LookupSection = "";
};

const FieldValue text = std::string();
const FieldValue no = false;
const FieldValue today{};

const std::vector<FieldRow> kMediaFields = {
    {"TITLE", "Title", dtString, text, true},
    {"MFG", "Mfg", dtString, text, false, false, "%PLATFORM%", "Mfg"},
    {"BOXED", "Boxed", dtBoolean, no},
    {"BOXSEALED", "Box Sealed", dtBoolean, no},
    {"INSTRUCTIONS", "Instructions", dtBoolean, no},
    {"OVERLAY", "Overlay", dtBoolean, no},
    {"SPECIALCONTROLLER", "Special Controller Required", dtBoolean, no},
    {"LABELTYPE", "Label Type", dtString, text, false, false, "%GENERAL%", "LabelType"},
    {"LABELCOLOR", "Label Color", dtString, text, false, false, "%GENERAL%", "LabelColor"},
    {"MODELNUMBER", "Model Number", dtString, text},
    {"SERIALNUMBER", "Serial Number", dtString, text},
    {"QUANTITY", "Qty", dtInteger, int32_t{1}},
    {"RARITY", "Rarity", dtInteger, int32_t{0}, false, true},
    {"CONDITION", "Condition", dtInteger, int32_t{0}, false, true},
    {"NOTES", "Notes", dtString, text},
    {"COST", "Cost", dtCurrency, Currency{}},
    {"VALUE", "Value", dtCurrency, Currency{}},
    {"HIGHSCORE", "High Score", dtString, text},
    {"MEDIATYPE", "Media Type", dtString, text, false, false, "%GENERAL%", "MediaType"},
    {"MEDIASTATUS", "Media Status", dtString, text, false, false, "%GENERAL%", "MediaStatus"},
    {"ACQUIREDFROM", "Acquired From", dtString, text},
    {"DATEACQUIRED", "Date Acquired", dtString, today},
    {"YEARRELEASED", "Year Released", dtString, text},
    {"COPYRIGHTYEAR", "Copyright Year", dtString, text},
    {"VIDEOFORMAT", "Video Format", dtString, text, false, false, "%GENERAL%", "VideoFormat"},
};

const std::vector<FieldRow> kHardwareFields = {
    {"NAME", "Name", dtString, text, true},
    {"MFG", "Mfg", dtString, text, false, false, "%PLATFORM%", "Mfg"},
    {"MODELNUMBER", "Model Number", dtString, text},
    {"SERIALNUMBER", "Serial Number", dtString, text},
    {"BOXED", "Boxed", dtBoolean, no},
    {"BOXSEALED", "Box Sealed", dtBoolean, no},
    {"INSTRUCTIONS", "Instructions", dtBoolean, no},
    {"QUANTITY", "Qty", dtInteger, int32_t{1}},
    {"RARITY", "Rarity", dtInteger, int32_t{0}, false, true},
    {"CONDITION", "Condition", dtInteger, int32_t{0}, false, true},
    {"NOTES", "Notes", dtString, text},
    {"COST", "Cost", dtCurrency, Currency{}},
    {"VALUE", "Value", dtCurrency, Currency{}},
    {"ACQUIREDFROM", "Acquired From", dtString, text},
    {"DATEACQUIRED", "Date Acquired", dtString, today},
    {"YEARRELEASED", "Year Released", dtString, text},
    {"VIDEOFORMAT", "Video Format", dtString, text, false, false, "%GENERAL%", "VideoFormat"},
    {"SWITCHCOUNT", "Number of Switches", dtString, text, false, false, "%GENERAL%", "SwitchCount"},
    {"PORTCOUNT", "Number of Ports", dtString, text, false, false, "%GENERAL%", "PortCount"},
    {"BUTTONCOUNT", "Number of Buttons", dtString, text, false, false, "%GENERAL%", "ButtonCount"},
};

// Today is read before the item is made and again after, so that midnight in between does no harm.
void ExpectFieldSet(const std::string& todayBefore, const TBaseCustomClass& item, const std::vector<FieldRow>& rows) {
    ASSERT_EQ(item.FieldCount(), static_cast<int32_t>(rows.size()));
    EXPECT_FALSE(item.Modified);
    std::vector<std::string> names;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto& row = rows[i];
        SCOPED_TRACE(row.Name);
        TDataFieldClass f = item.GetField(static_cast<int32_t>(i));
        names.push_back(row.Name);
        EXPECT_EQ(f.Name, row.Name);
        EXPECT_EQ(f.Caption, row.Caption);
        EXPECT_EQ(f.DataType, row.Type);
        if (IsAssigned(row.Default)) {
            EXPECT_EQ(f.Default, row.Default);
        } else {
            EXPECT_TRUE(f.Default == FieldValue(todayBefore) || f.Default == FieldValue(TodayText()));
        }
        EXPECT_EQ(f.Value, f.Default);
        EXPECT_EQ(f.Required, row.Required);
        EXPECT_EQ(f.HasRange(), row.Range);
        if (row.Range) {
            EXPECT_EQ(f.Min, FieldValue(int32_t{0}));
            EXPECT_EQ(f.Max, FieldValue(int32_t{10}));
        }
        EXPECT_EQ(f.IsLookup, *row.LookupKey != '\0');
        EXPECT_EQ(f.LookupFileKey, row.LookupKey);
        EXPECT_EQ(f.LookupSection, row.LookupSection);
        EXPECT_EQ(f.IsNumeric(), row.Type == dtInteger);
        EXPECT_TRUE(f.LookupFile.empty());
    }
    EXPECT_EQ(item.GetFieldNames(), names);
}

TEST(ItemTest, BothFieldSetsFollowTheirTables) {
    const std::string today = TodayText();
    ExpectFieldSet(today, TCartClass(), kMediaFields);
    ExpectFieldSet(today, THardwareClass(), kHardwareFields);
}

TEST(ItemTest, NamesIgnoreCase) {
    TCartClass item;
    item.SetFieldValue("tItLe", std::string("Comet Run"));
    EXPECT_TRUE(item.Modified);
    for (const char* name : {"title", "TITLE", "Title"}) {
        EXPECT_EQ(item.GetFieldValue(name), FieldValue(std::string("Comet Run")));
        EXPECT_EQ(item.IndexOfField(name), 0);
        EXPECT_EQ(item.GetFieldType(name), dtString);
    }
    EXPECT_EQ(item.GetFieldType("boxsealed"), dtBoolean);
}

TEST(ItemTest, UnknownNamesChangeNothing) {
    TCartClass item;
    item.SetFieldValue("Qty", int32_t{3});
    item.SetFieldValue("", int32_t{3});
    EXPECT_FALSE(item.Modified);
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(int32_t{1}));
    EXPECT_FALSE(IsAssigned(item.GetFieldValue("Qty")));
    EXPECT_EQ(item.GetFieldType("Qty"), 0);
    EXPECT_EQ(item.GetFieldAsString("Qty"), "");
    EXPECT_FALSE(item.HasField("Name"));
    EXPECT_EQ(item.IndexOfField("Name"), -1);
    EXPECT_THROW(item.GetField(25), ListIndexError);
    EXPECT_THROW(item.GetField(-1), ListIndexError);
}

TEST(ItemTest, DisplayTextOfEveryType) {
    struct Case {
        const char* Field;
        FieldValue Value;
        const char* Expected;
    };
    const Case cases[] = {
        {"Quantity", int32_t{3}, "3"},
        {"Quantity", std::string("12"), "12"},
        {"Quantity", std::string("abc"), "0"},
        {"Quantity", std::string(""), "0"},
        {"Quantity", 2.5, "2"},
        {"Boxed", std::string("-1"), "Yes"},
        {"Boxed", std::string("0"), "No"},
        {"Boxed", std::string("TRUE"), "Yes"},
        {"Boxed", true, "Yes"},
        {"Boxed", FieldValue{}, "No"},
        {"Boxed", std::string(""), ""},
        {"Boxed", std::string("maybe"), "maybe"},
        {"Cost", Currency{12345600}, "$1,234.56"},
        {"Cost", std::string("4.5"), "$4.50"},
        {"Cost", std::string("4,5"), "$4.50"},
        {"Cost", std::string("-2"), "-$2.00"},
        {"Cost", std::string("abc"), "abc"},
        {"Cost", std::string(""), ""},
        {"Title", int32_t{5}, "5"},
        {"Title", true, "-1"},
        {"Title", 2.5, "2.5"},
        {"Title", FieldValue{}, ""},
    };
    for (const auto& c : cases) {
        TCartClass item;
        item.SetFieldValue(c.Field, c.Value);
        EXPECT_EQ(item.GetFieldAsString(c.Field), c.Expected) << c.Field << " " << ToText(c.Value);
    }
}

TEST(ItemTest, ResetValuesRestoresDefaultsAndClearsTheFlag) {
    TCartClass item;
    item.SetFieldValue("Quantity", int32_t{4});
    item.SetFieldValue("DateAcquired", std::string("1/1/1999"));
    item.ResetValues();
    EXPECT_FALSE(item.Modified);
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(int32_t{1}));
    EXPECT_NE(item.GetFieldValue("DateAcquired"), FieldValue(std::string("1/1/1999")));
    EXPECT_FALSE(ToText(item.GetFieldValue("DateAcquired")).empty());
}

TEST(ItemTest, AssignCopiesValuesByNameAndTheFlag) {
    TCartClass source;
    source.SetFieldValue("Title", std::string("Comet Run"));
    source.SetFieldValue("Quantity", std::string("2"));
    source.SetFieldValue("Cost", Currency{45000});
    TCartClass same;
    same.Assign(source);
    for (int32_t i = 0; i < source.FieldCount(); ++i) EXPECT_EQ(same.ValueAt(i), source.ValueAt(i));
    EXPECT_TRUE(same.Modified);
    source.Modified = false;
    same.Assign(source);
    EXPECT_FALSE(same.Modified);

    THardwareClass other;
    other.Assign(source);
    EXPECT_EQ(other.GetFieldValue("Quantity"), FieldValue(std::string("2")));
    EXPECT_EQ(other.GetFieldValue("Cost"), FieldValue(Currency{45000}));
    EXPECT_FALSE(IsAssigned(other.GetFieldValue("Name")));  // the source has no such field
    EXPECT_EQ(other.FieldCount(), 20);
}

}  // namespace
}  // namespace quorvel
