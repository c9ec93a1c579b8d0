#include <gtest/gtest.h>

#include "support/Checks.h"
#include "support/GlobalsTest.h"

#include <algorithm>
#include <functional>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ListFactory.h"
#include "model/ListFile.h"
#include "model/ListFileSlices.h"

namespace quorvel {
namespace {

using test::AddItem;
using test::Column;
using test::FieldTexts;
using test::Text;

// An item of this title and quantity, with the other values given.
FieldTexts TQ(const char* title, FieldValue quantity, FieldTexts others = {})
{
    others.insert(others.begin(), {{"Title", Text(title)}, {"Quantity", std::move(quantity)}});
    return others;
}

// The sort is left as Title ascending, whatever it was.
class QuantityTest : public test::GlobalsTest { };

TEST_F(QuantityTest, ReshapesTheList)
{
    const struct {
        const char* Name;
        bool Expand;  // else compress
        std::vector<FieldTexts> Items;
        std::vector<std::string> Titles, Quantities;  // after the operation
    } cases[] = {
        {"ExpandSplitsCopies",
         true,
         {TQ("Bolt", Text("1")), TQ("Aster", Text("3"))},
         {"Aster", "Aster", "Aster", "Bolt"},
         {"1", "1", "1", "1"}},
        {"ExpandKeepsZeroAndNegative", true, {TQ("A", Text("0")), TQ("B", int32_t {-2})}, {"A", "B"}, {"0", "-2"}},
        {"CompressAddsQuantities", false, {TQ("A", Text("2")), TQ("A", int32_t {1})}, {"A"}, {"3"}},
        {"CompressZeroWithTwo", false, {TQ("A", Text("0")), TQ("A", Text("2"))}, {"A"}, {"2"}},
        {"CompressLeavesASingleItemAlone",
         false,
         {TQ("A", Text("abc")), {{"Title", Text("B")}}},
         {"A", "B"},
         {"abc", "1"}},
        {"CaseOfNotesMatters",
         false,
         {TQ("A", 1, {{"Notes", Text("mint")}}), TQ("A", 1, {{"Notes", Text("Mint")}})},
         {"A", "A"},
         {"1", "1"}},
        {"CompressMergesCopiesThatAreNotNeighbours",
         false,
         {TQ("A", 1, {{"Notes", Text("x")}}), TQ("A", 1, {{"Notes", Text("y")}}),
          TQ("A", Text("4"), {{"Notes", Text("x")}})},
         {"A", "A"},
         {"5", "1"}},
        {"KeyTextsCompareAcrossKinds",
         false,
         {TQ("A", 1, {{"Boxed", true}}), TQ("A", 1, {{"Boxed", Text("-1")}})},
         {"A"},
         {"2"}},
        {"EmptyExpand", true, {}, {}, {}},
        {"EmptyCompress", false, {}, {}, {}},
    };
    for (const auto& c : cases) {
        TCartListClass list;
        for (const auto& values : c.Items)
            AddItem(list, values);
        G_SortField = "Notes";
        G_SortDirection = -1;
        c.Expand ? list.ExpandQuantities() : list.CompressQuantities();
        EXPECT_EQ(Column(list, "Title"), c.Titles) << c.Name;
        EXPECT_EQ(Column(list, "Quantity"), c.Quantities) << c.Name;
        EXPECT_EQ(G_SortField + std::to_string(G_SortDirection), "Title1") << c.Name;
    }
}

// Hardware lists have no Title, so compressing keeps the first-occurrence order.
TEST_F(QuantityTest, HardwareCompressKeepsTheFirstOccurrenceOrder)
{
    THardwareListClass list;
    AddItem(list, {{"Name", Text("Pad")}, {"Quantity", Text("3")}});
    AddItem(list, {{"Name", Text("Deck")}, {"Quantity", Text("2")}, {"Notes", Text("a")}});
    AddItem(list, {{"Name", Text("Deck")}, {"Quantity", Text("1")}});
    list.ExpandQuantities();
    EXPECT_EQ(list.Count(), 6);
    list.CompressQuantities();
    EXPECT_EQ(Column(list, "Name"), (std::vector<std::string> {"Pad", "Deck", "Deck"}));
    EXPECT_EQ(Column(list, "Quantity"), (std::vector<std::string> {"3", "2", "1"}));
}

// Items that stay keep their identity, so that callers holding one still hold it.
TEST_F(QuantityTest, SurvivingItemsStayAndFlagsFollowChanges)
{
    TCartListClass list;
    TBaseCustomClass& single = AddItem(list, {{"Title", Text("B")}});
    TBaseCustomClass& triple = AddItem(list, {{"Title", Text("A")}, {"Quantity", Text("3")}});
    list.SetModified(false);
    list.ExpandQuantities();
    EXPECT_TRUE(list.GetModified());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.GetItem(0), &triple);
    for (int32_t i = 0; i < 3; ++i)
        EXPECT_TRUE(list.GetItem(i)->Modified);
    EXPECT_EQ(list.GetItem(3), &single);
    EXPECT_FALSE(single.Modified);

    list.CompressQuantities();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.GetItem(0), &triple);
    EXPECT_EQ(triple.GetFieldValue("Quantity"), FieldValue(int32_t {3}));
    EXPECT_EQ(list.GetItem(1), &single);
}

// Every failure leaves items, header values and flags exactly as they were.
TEST_F(QuantityTest, FailuresChangeNothing)
{
    struct Case {
        const char* Name;
        bool Expand;
        std::vector<FieldTexts> Items;
        const char* Message;
    };
    const std::string tooMany = "Expanding this list would make more than 1000000 items. The list was not changed.";
    const char* const conversion = "Invalid variant type conversion";
    const Case cases[] = {
        {"ExpandNoNumber", true, {TQ("A", Text("two"))}, conversion},
        {"ExpandEmptyText", true, {{{"Title", Text("A")}}, TQ("B", Text(""))}, conversion},
        {"ExpandTooMany", true, {TQ("A", Text("1000000")), TQ("B", Text("0"))}, tooMany.c_str()},
        {"ExpandFarTooMany", true, {TQ("A", Text("2147483647")), TQ("B", Text("2147483647"))}, tooMany.c_str()},
        {"CompressNoNumber", false, {TQ("A", Text("1")), TQ("A", Text("x"))}, conversion},
        {"CompressOverflow", false, {TQ("A", Text("2147483647")), TQ("A", Text("1"))}, "Variant overflow"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TCartListClass list;
        for (const auto& values : c.Items)
            AddItem(list, values);
        list.SetFileName(Path("f.lst"));
        list.SetOwner("Ann");
        list.SetModified(false);
        std::vector<const TBaseCustomClass*> before;
        for (const auto& item : list.Items())
            before.push_back(item.get());
        EXPECT_EQ(test::ErrorOf([&] { c.Expand ? list.ExpandQuantities() : list.CompressQuantities(); }), c.Message);
        std::vector<const TBaseCustomClass*> after;
        for (const auto& item : list.Items())
            after.push_back(item.get());
        EXPECT_EQ(after, before);
        EXPECT_FALSE(list.IsModified());
        EXPECT_EQ(list.GetFileName(), Path("f.lst"));
        EXPECT_EQ(list.GetOwner(), "Ann");
    }
}

// The most items a list may hold is allowed as the result of an expansion; one more is refused.
TEST_F(QuantityTest, ExpandsToExactlyTheMostItems)
{
    const int32_t most = int32_t(TBaseCustomListClass::MaxItems);
    const std::string tooMany = "Expanding this list would make more than 1000000 items. The list was not changed.";
    // Copies of a first item; a second one of quantity 0 stays one item.
    const std::tuple<int32_t, const char*, int32_t> cases[] = {{most - 1, "no error", most},
                                                               {most, tooMany.c_str(), 2}};
    for (const auto& [copies, message, count] : cases) {
        SCOPED_TRACE(copies);
        TCartListClass list;
        AddItem(list, TQ("A", copies));
        AddItem(list, TQ("B", Text("0")));
        EXPECT_EQ(test::ErrorOf([&] { list.ExpandQuantities(); }), message);
        ASSERT_EQ(list.Count(), count);
        EXPECT_EQ(list.GetItem(count - 1)->GetFieldAsString("Quantity"), "0");
    }
}

TEST(ListCopyTest, AssignIsADeepCopy)
{
    TCartListClass source;
    source.SetListType("Media");
    source.SetOwner("Ann");
    source.SetPlatform("Zentra 64");
    source.SetDescription("shelf two");
    source.SetFileName(Path("s.lst"));
    source.SetOpenedFileName(Path("/lists/s.lst"));
    source.SetVersion("QV1.1");
    AddItem(source, {{"Title", Text("Aster")}, {"Quantity", Text("2")}});
    AddItem(source, {{"Title", Text("Bolt")}, {"Cost", Currency {45000}}});
    source.SetModified(false);
    TCartListClass copy;
    AddItem(copy, {{"Title", Text("Old")}});
    copy.Assign(source);
    EXPECT_TRUE(copy.GetModified());
    copy.SetModified(false);
    EXPECT_EQ(test::Snapshot(copy), test::Snapshot(source));
    EXPECT_EQ(copy.GetOpenedFileName(), Path("/lists/s.lst"));
    copy.GetItem(0)->SetFieldValue("Title", Text("Changed"));
    source.GetItem(1)->SetFieldValue("Title", Text("Other"));
    EXPECT_EQ(Column(source, "Title"), (std::vector<std::string> {"Aster", "Other"}));
    EXPECT_EQ(Column(copy, "Title"), (std::vector<std::string> {"Changed", "Bolt"}));

    TCartListClass empty;
    empty.SetModified(false);
    copy.Assign(empty);
    EXPECT_EQ(copy.Count(), 0);
    EXPECT_FALSE(copy.GetModified());
    copy.Assign(copy);
    EXPECT_EQ(copy.Count(), 0);
}

// The sum of the items' quantities walked item by item: what the kept sum must always equal.
int64_t WalkedQuantitySum(const TBaseCustomListClass& list)
{
    int64_t sum = 0;
    for (const auto& item : list.Items())
        sum += TryToInteger(item->GetFieldValue("Quantity")).value_or(0);
    return sum;
}

// The list's count of modified items and its quantity sum after every operation that adds, removes,
// copies, flags or changes items.
TEST(ListCopyTest, ModifiedCountFollowsEveryItemOperation)
{
    const auto flagged = [](TBaseCustomListClass& list, const char* title, int quantity) {
        auto item = list.CreateItem();
        item->SetFieldValue("Title", Text(title));
        item->SetFieldValue("Quantity", quantity);
        return item;
    };
    struct Case {
        const char* Name;
        std::function<void(TBaseCustomListClass&)> Apply;
        int64_t Count;
    };
    // The list starts as A (modified, quantity 3), B, C (modified), B (a copy of B).
    const std::vector<Case> cases = {
        {"value set", [](auto& l) { l.GetItem(1)->SetFieldValue("Notes", Text("n")); }, 3},
        {"text set", [](auto& l) { l.GetItem(1)->SetTextAt(0, "x"); }, 3},
        {"flag set twice", [](auto& l) { l.GetItem(0)->Modified = true; }, 2},
        {"flag cleared", [](auto& l) { l.GetItem(0)->Modified = false; }, 1},
        {"values reset", [](auto& l) { l.GetItem(2)->ResetValues(); }, 1},
        {"quantity set", [](auto& l) { l.GetItem(0)->SetFieldValue("Quantity", 10); }, 2},
        {"quantity not a number", [](auto& l) { l.GetItem(0)->SetFieldValue("Quantity", Text("many")); }, 2},
        {"quantity text", [](auto& l) { l.GetItem(1)->SetTextAt(l.GetItem(1)->IndexOfField("Quantity"), "41"); }, 3},
        {"quantity too big", [](auto& l) { l.GetItem(1)->SetFieldValue("Quantity", Text("99999999999")); }, 3},
        {"quantity fraction", [](auto& l) { l.GetItem(1)->SetFieldValue("Quantity", 2.5); }, 3},
        {"quantity reset", [](auto& l) { l.GetItem(0)->ResetValues(); }, 1},
        {"item assigned", [](auto& l) { l.GetItem(1)->Assign(*l.GetItem(0)); }, 3},
        {"add", [&](auto& l) { l.Add(flagged(l, "D", 1)); }, 3},
        {"add items",
         [&](auto& l) {
             std::vector<std::unique_ptr<TBaseCustomClass>> items;
             items.push_back(flagged(l, "D", 1));
             items.push_back(l.GetItem(1)->Clone());
             l.AddItems(std::move(items));
         },
         3},
        {"delete", [](auto& l) { l.Delete(0); }, 1},
        {"delete items",
         [](auto& l) {
             l.DeleteItems({2, 0, 2});
         },
         0},
        {"clear", [](auto& l) { l.Clear(); }, 0},
        {"sort",
         [](auto& l) {
             l.SetSortField("Title");
             l.SetSortDirection(-1);
             l.Sort();
         },
         2},
        {"read",
         [](auto& l) {
             ReadListFileText(l,
                              "QV1.2\r\n\"Media\",\"P\",\"O\",\"D\"\r\n\"TITLE\",\"QUANTITY\"\r\n\"a\",2\r\n\"b\",\"x\"\r\n"
                              "\"c\",40\r\n\"d\"\r\n",
                              Path("q.lst"));
         },
         0},
        {"expand", [](auto& l) { l.ExpandQuantities(); }, 4},
        {"compress", [](auto& l) { l.CompressQuantities(); }, 3},
        {"assign",
         [](auto& l) {
             TCartListClass source;
             source.Assign(l);
             source.GetItem(3)->Modified = true;
             l.Assign(source);
         },
         3},
    };
    for (const auto& c : cases) {
        TCartListClass list;
        list.Add(flagged(list, "A", 3));
        AddItem(list, {{"Title", Text("B")}});
        list.Add(flagged(list, "C", 1));
        AddItem(list, {{"Title", Text("B")}});
        c.Apply(list);
        int64_t flags = 0;
        for (const auto& item : list.Items())
            flags += item->Modified ? 1 : 0;
        EXPECT_EQ(list.ModifiedItemCount(), flags) << c.Name;
        EXPECT_EQ(list.ModifiedItemCount(), c.Count) << c.Name;
        EXPECT_EQ(list.QuantitySum(), WalkedQuantitySum(list)) << c.Name;
        list.SetModified(false);
        EXPECT_EQ(list.IsModified(), c.Count > 0) << c.Name;
    }
}

TEST(ListCopyTest, QuantitySumFollowsValueChangesOfListedItems)
{
    TCartListClass list;
    TBaseCustomClass& a = AddItem(list, TQ("A", 3));
    AddItem(list, TQ("B", Text("4")));
    EXPECT_EQ(list.QuantitySum(), 7);
    a.SetFieldValue("Quantity", Text("x"));
    EXPECT_EQ(list.QuantitySum(), 4);
    a.SetFieldValue("quantity", -2);
    EXPECT_EQ(list.QuantitySum(), 2);
    // An item outside the list changes nothing, also once it has been copied from a listed one.
    auto loose = a.Clone();
    loose->SetFieldValue("Quantity", 100);
    EXPECT_EQ(list.QuantitySum(), 2);
    list.Delete(0);
    EXPECT_EQ(list.QuantitySum(), 4);
    list.Add(std::move(loose));
    EXPECT_EQ(list.QuantitySum(), 104);
    list.Clear();
    EXPECT_EQ(list.QuantitySum(), 0);
}

// Many items at once are counted in slices; counts that do not divide evenly into them, and items
// already counted in the list (a re-sorted vector), are counted once each.
TEST(ListCopyTest, ManyAddedItemsAreCountedOnceInSlices)
{
    const size_t threads = MaxSliceThreads;
    for (const size_t limit : {size_t(1), size_t(3), size_t(8)}) {
        MaxSliceThreads = limit;
        TCartListClass list;
        AddItem(list, TQ("first", 5));
        std::vector<std::unique_ptr<TBaseCustomClass>> items;
        int64_t flagged = 0;
        for (int i = 0; i < 200003; ++i) {
            auto item = list.CreateItem();
            if (i % 7 == 0)
                item->SetFieldValue("Quantity", Text(i % 2 ? "3" : "2"));
            else
                item->SetFieldValue("Quantity", i % 5);
            item->Modified = i % 3 == 0;
            flagged += i % 3 == 0 ? 1 : 0;
            items.push_back(std::move(item));
        }
        list.AddItems(std::move(items));
        EXPECT_EQ(list.ModifiedItemCount(), flagged) << limit;
        EXPECT_EQ(list.QuantitySum(), WalkedQuantitySum(list)) << limit;
        // Expanding puts the list's own items and new copies in a new vector: each counts once.
        const int64_t sum = list.QuantitySum();
        list.ExpandQuantities();
        EXPECT_EQ(list.ModifiedItemCount(), std::count_if(list.Items().begin(), list.Items().end(),
                                                          [](const auto& item) { return bool(item->Modified); }))
            << limit;
        EXPECT_EQ(list.QuantitySum(), WalkedQuantitySum(list)) << limit;
        EXPECT_LE(list.QuantitySum(), sum) << limit;
        list.DeleteItems({0, 1});
        EXPECT_EQ(list.QuantitySum(), WalkedQuantitySum(list)) << limit;
    }
    MaxSliceThreads = threads;
}

}  // namespace
}  // namespace quorvel
