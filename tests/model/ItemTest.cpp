#include <gtest/gtest.h>

#include "model/ItemClasses.h"
#include "model/LocaleFormat.h"

namespace quorvel {
namespace {

// The name order is what list files, clipboard text and exports rely on.
const char kMediaNames[] =
    "TITLE MFG BOXED BOXSEALED INSTRUCTIONS OVERLAY SPECIALCONTROLLER LABELTYPE LABELCOLOR MODELNUMBER "
    "SERIALNUMBER QUANTITY RARITY CONDITION NOTES COST VALUE HIGHSCORE MEDIATYPE MEDIASTATUS ACQUIREDFROM "
    "DATEACQUIRED YEARRELEASED COPYRIGHTYEAR VIDEOFORMAT ";
const char kHardwareNames[] =
    "NAME MFG MODELNUMBER SERIALNUMBER BOXED BOXSEALED INSTRUCTIONS QUANTITY RARITY CONDITION NOTES COST VALUE "
    "ACQUIREDFROM DATEACQUIRED YEARRELEASED VIDEOFORMAT SWITCHCOUNT PORTCOUNT BUTTONCOUNT ";

std::string JoinedNames(const TBaseCustomClass& item)
{
    std::string names;
    for (const auto& name : item.GetFieldNames())
        names += name + " ";
    return names;
}

TEST(ItemTest, FieldSetsKeepTheirOrderAndTheDefaultsThatMatter)
{
    const std::string today = TodayText();
    const TCartClass media;
    const THardwareClass hardware;
    EXPECT_EQ(JoinedNames(media), kMediaNames);
    EXPECT_EQ(JoinedNames(hardware), kHardwareNames);
    for (const TBaseCustomClass* item : std::initializer_list<const TBaseCustomClass*> {&media, &hardware}) {
        EXPECT_FALSE(item->Modified);
        EXPECT_EQ(item->GetFieldValue("Quantity"), FieldValue(int32_t {1}));
        // Read before the item was made and again after, so that midnight in between does no harm.
        const FieldValue date = item->GetFieldValue("DateAcquired");
        EXPECT_TRUE(date == FieldValue(today) || date == FieldValue(TodayText()));
        EXPECT_TRUE(item->GetField(0).Required);
        for (const char* ranged : {"RARITY", "CONDITION"}) {
            const TDataFieldClass f = item->GetField(item->IndexOfField(ranged));
            EXPECT_EQ(f.Min, FieldValue(int32_t {0})) << ranged;
            EXPECT_EQ(f.Max, FieldValue(int32_t {10})) << ranged;
        }
        EXPECT_EQ(item->GetField(item->IndexOfField("MFG")).LookupFileKey, "%PLATFORM%");
    }
}

TEST(ItemTest, NamesIgnoreCaseAndUnknownNamesChangeNothing)
{
    TCartClass item;
    item.SetFieldValue("tItLe", std::string("Comet Run"));
    EXPECT_TRUE(item.Modified);
    for (const char* name : {"title", "TITLE", "Title"}) {
        EXPECT_EQ(item.GetFieldValue(name), FieldValue(std::string("Comet Run")));
        EXPECT_EQ(item.IndexOfField(name), 0);
        EXPECT_EQ(item.GetFieldType(name), dtString);
    }
    EXPECT_EQ(item.GetFieldType("boxsealed"), dtBoolean);

    // Unknown names change nothing.
    item.Modified = false;
    item.SetFieldValue("Qty", int32_t {3});
    item.SetFieldValue("", int32_t {3});
    EXPECT_FALSE(item.Modified);
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(int32_t {1}));
    EXPECT_FALSE(IsAssigned(item.GetFieldValue("Qty")));
    EXPECT_EQ(item.GetFieldType("Qty"), 0);
    EXPECT_EQ(item.GetFieldAsString("Qty"), "");
    EXPECT_FALSE(item.HasField("Name"));
    EXPECT_EQ(item.IndexOfField("Name"), -1);
    EXPECT_THROW(item.GetField(25), ListIndexError);
    EXPECT_THROW(item.GetField(-1), ListIndexError);
}

TEST(ItemTest, DisplayTextOfEveryType)
{
    const std::tuple<const char*, FieldValue, const char*> cases[] = {
        {"Quantity", int32_t {3}, "3"},
        {"Quantity", std::string("12"), "12"},
        {"Quantity", std::string("abc"), "0"},
        {"Quantity", std::string(""), "0"},
        {"Quantity", 2.5, "2"},
        {"Boxed", std::string("-1"), "Yes"},
        {"Boxed", std::string("0"), "No"},
        {"Boxed", std::string("TRUE"), "Yes"},
        {"Boxed", true, "Yes"},
        {"Boxed", FieldValue {}, "No"},
        {"Boxed", std::string(""), ""},
        {"Boxed", std::string("maybe"), "maybe"},
        {"Cost", Currency {12345600}, "$1,234.56"},
        {"Cost", std::string("4.5"), "$4.50"},
        {"Cost", std::string("4,5"), "$4.50"},
        {"Cost", std::string("-2"), "-$2.00"},
        {"Cost", std::string("abc"), "abc"},
        {"Cost", std::string(""), ""},
        {"Title", int32_t {5}, "5"},
        {"Title", true, "-1"},
        {"Title", 2.5, "2.5"},
        {"Title", FieldValue {}, ""},
    };
    for (const auto& [field, value, expected] : cases) {
        TCartClass item;
        item.SetFieldValue(field, value);
        EXPECT_EQ(item.GetFieldAsString(field), expected) << field << " " << ToText(value);
    }
}

TEST(ItemTest, ResetValuesRestoresDefaultsAndClearsTheFlag)
{
    TCartClass item;
    item.SetFieldValue("Quantity", int32_t {4});
    item.SetFieldValue("DateAcquired", std::string("1/1/1999"));
    item.ResetValues();
    EXPECT_FALSE(item.Modified);
    EXPECT_EQ(item.GetFieldValue("Quantity"), FieldValue(int32_t {1}));
    EXPECT_NE(item.GetFieldValue("DateAcquired"), FieldValue(std::string("1/1/1999")));
}

TEST(ItemTest, AssignCopiesValuesByNameAndTheFlag)
{
    TCartClass source;
    source.SetFieldValue("Title", std::string("Comet Run"));
    source.SetFieldValue("Quantity", std::string("2"));
    source.SetFieldValue("Cost", Currency {45000});
    TCartClass same;
    same.Assign(source);
    for (int32_t i = 0; i < source.FieldCount(); ++i)
        EXPECT_EQ(same.ValueAt(i), source.ValueAt(i));
    EXPECT_TRUE(same.Modified);
    source.Modified = false;
    same.Assign(source);
    EXPECT_FALSE(same.Modified);

    THardwareClass other;
    other.Assign(source);
    EXPECT_EQ(other.GetFieldValue("Quantity"), FieldValue(std::string("2")));
    EXPECT_EQ(other.GetFieldValue("Cost"), FieldValue(Currency {45000}));
    EXPECT_FALSE(IsAssigned(other.GetFieldValue("Name")));  // the source has no such field
}

}  // namespace
}  // namespace quorvel
