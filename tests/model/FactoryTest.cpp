#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;

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

TEST(FactoryTest, DispatchesToTheListClass)
{
    auto list = CreateListObject(ltMedia);
    AddItem(*list, {{"Title", Text("A")}, {"Quantity", Text("3")}});
    list->SetModified(false);
    EXPECT_FALSE(IsListObjectModified(list.get()));
    ExpandListObject(list.get());
    EXPECT_EQ(list->Count(), 3);
    EXPECT_TRUE(IsListObjectModified(list.get()));
    CompressListObject(list.get());
    EXPECT_EQ(list->Count(), 1);
    auto copy = CreateListObject(ltMedia);
    AssignListObject(copy.get(), list.get());
    EXPECT_EQ(copy->Count(), 1);
    EXPECT_NE(copy->GetItem(0), list->GetItem(0));

    auto item = CreateItemObject(itHardware);
    THardwareClass source;
    source.SetFieldValue("Name", Text("Pad"));
    AssignItemObject(item.get(), &source);
    EXPECT_EQ(item->GetFieldValue("NAME"), FieldValue(std::string("Pad")));
    FreeItemObject(item);
    EXPECT_EQ(item, nullptr);
    FreeListObject(list);
    EXPECT_EQ(list, nullptr);
}

}  // namespace
}  // namespace quorvel
