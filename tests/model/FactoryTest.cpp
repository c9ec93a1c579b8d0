#include <gtest/gtest.h>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"

namespace quorvel {
namespace {

using test::AddItem;
using test::Text;

using test::OtherList;

// An item of no known class, which the routines must leave alone.
class OtherItem : public TBaseCustomClass {
public:
    OtherItem() : TBaseCustomClass(MediaFieldSet()) {}
};

TEST(FactoryTest, ListTypeNames) {
    struct Case {
        const char* Name;
        TListType Type;
    };
    const Case cases[] = {{"Media", ltMedia}, {"MEDIA", ltMedia}, {"media", ltMedia}, {"Hardware", ltHardware},
                          {"hARDWARE", ltHardware}, {" Media", ltNone}, {"Media ", ltNone}, {"", ltNone},
                          {"Software", ltNone}};
    for (const auto& c : cases) EXPECT_EQ(ListTypeFromName(c.Name), c.Type) << c.Name;
    EXPECT_EQ(ListTypeToItemType(ltMedia), itMedia);
    EXPECT_EQ(ListTypeToItemType(ltHardware), itHardware);
    EXPECT_EQ(ListTypeToItemType(ltNone), 0);
    EXPECT_EQ(ListTypeToItemType(TListType(7)), 0);
    std::vector<std::string> names = {"x", "y", "z"};
    FillListTypeNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"Media", "Hardware"}));
}

TEST(FactoryTest, CreatesByCode) {
    auto media = CreateListObject(ltMedia);
    ASSERT_NE(dynamic_cast<TCartListClass*>(media.get()), nullptr);
    EXPECT_EQ(media->GetListType(), "Media");
    auto hardware = CreateListObject(ltHardware);
    ASSERT_NE(dynamic_cast<THardwareListClass*>(hardware.get()), nullptr);
    EXPECT_EQ(hardware->GetListType(), "Hardware");
    EXPECT_EQ(CreateListObject(ltNone), nullptr);
    EXPECT_EQ(CreateListObject(TListType(9)), nullptr);
    EXPECT_NE(dynamic_cast<TCartClass*>(CreateItemObject(itMedia).get()), nullptr);
    EXPECT_NE(dynamic_cast<THardwareClass*>(CreateItemObject(itHardware).get()), nullptr);
    for (TItemType none : {0, 3, 255}) EXPECT_EQ(CreateItemObject(none), nullptr);
    EXPECT_EQ(CreateItemObject(ListTypeToItemType(ListTypeFromName("Other"))), nullptr);
}

TEST(FactoryTest, NoObjectAndOtherClassesAreLeftAlone) {
    std::unique_ptr<TBaseCustomListClass> none;
    FreeListObject(none);
    std::unique_ptr<TBaseCustomListClass> other = std::make_unique<OtherList>();
    AddItem(*other, {{"Title", Text("A")}, {"Quantity", Text("2")}});
    FreeListObject(other);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(IsListObjectModified(nullptr));
    EXPECT_FALSE(IsListObjectModified(other.get()));
    ExpandListObject(nullptr);
    ExpandListObject(other.get());
    CompressListObject(nullptr);
    CompressListObject(other.get());
    EXPECT_EQ(other->Count(), 1);
    AssignListObject(nullptr, other.get());
    AssignListObject(other.get(), nullptr);

    std::unique_ptr<TBaseCustomClass> noItem;
    FreeItemObject(noItem);
    std::unique_ptr<TBaseCustomClass> otherItem = std::make_unique<OtherItem>();
    FreeItemObject(otherItem);
    EXPECT_NE(otherItem, nullptr);
    TCartClass source;
    source.SetFieldValue("Title", Text("A"));
    AssignItemObject(otherItem.get(), &source);
    EXPECT_EQ(otherItem->GetFieldValue("Title"), FieldValue(std::string()));
    AssignItemObject(nullptr, &source);
    TCartClass dest;
    AssignItemObject(&dest, nullptr);
    EXPECT_FALSE(dest.Modified);
}

TEST(FactoryTest, DispatchesToTheListClass) {
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
