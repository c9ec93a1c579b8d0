#include <gtest/gtest.h>

#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"

namespace quorvel {
namespace {

TEST(FactoryTest, ListTypeNames)
{
    struct Case {
        const char* Name;
        TListType Type;
    };
    const Case cases[] = {{"Media", ltMedia},       {"MEDIA", ltMedia}, {"media", ltMedia}, {"Hardware", ltHardware},
                          {"hARDWARE", ltHardware}, {" Media", ltNone}, {"Media ", ltNone}, {"", ltNone},
                          {"Software", ltNone}};
    for (const auto& c : cases)
        EXPECT_EQ(ListTypeFromName(c.Name), c.Type) << c.Name;
    EXPECT_EQ(ListTypeToItemType(ltMedia), itMedia);
    EXPECT_EQ(ListTypeToItemType(ltHardware), itHardware);
    EXPECT_EQ(ListTypeToItemType(ltNone), 0);
    EXPECT_EQ(ListTypeToItemType(TListType(7)), 0);
    std::vector<std::string> names = {"x", "y", "z"};
    FillListTypeNames(names);
    EXPECT_EQ(names, (std::vector<std::string> {"Media", "Hardware"}));
}

TEST(FactoryTest, CreatesByCode)
{
    for (const TListType type : {ltMedia, ltHardware})
        EXPECT_EQ(CreateListObject(type)->Kind(), type);
    EXPECT_EQ(CreateListObject(ltNone), nullptr);
    EXPECT_EQ(CreateListObject(TListType(9)), nullptr);
    EXPECT_EQ(CreateItemObject(itMedia)->GetFieldNames().front(), "TITLE");
    EXPECT_EQ(CreateItemObject(itHardware)->GetFieldNames().front(), "NAME");
    for (TItemType none : {0, 3, 255})
        EXPECT_EQ(CreateItemObject(none), nullptr);
    EXPECT_EQ(CreateItemObject(ListTypeToItemType(ListTypeFromName("Other"))), nullptr);
}

}  // namespace
}  // namespace quorvel
