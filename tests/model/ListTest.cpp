#include <gtest/gtest.h>

#include "support/Checks.h"
#include "support/GlobalsTest.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <random>
#include <stdexcept>

#include "ListTestSupport.h"
#include "model/CartListClass.h"
#include "model/HardwareListClass.h"
#include "model/ItemSort.h"
#include "model/ListFileSlices.h"
#include "platform/Cp1252.h"

namespace quorvel {
namespace {

using test::AddItem;
using test::Column;
using test::Text;

// Compress merges items equal in every key field, so Quantity must be the one field left out.
TEST(ListTest, KeyFieldsAreAllButQuantity)
{
    TCartListClass media;
    THardwareListClass hardware;
    EXPECT_EQ(media.KeyFieldNames.size(), 24u);
    EXPECT_EQ(hardware.KeyFieldNames.size(), 19u);
    EXPECT_EQ(std::count(hardware.KeyFieldNames.begin(), hardware.KeyFieldNames.end(), "QUANTITY"), 0);
}

// Header edits must mark the list so its changes are not lost; file names are no edit.
TEST(ListTest, HeaderChangesMarkTheListButFileNamesDoNot)
{
    TCartListClass list, source;
    list.SetFileName(Path("a.lst"));
    EXPECT_FALSE(list.GetModified());
    for (const auto& change :
         std::vector<std::function<void()>> {[&] { list.SetOwner("Ann"); }, [&] { list.SetPlatform("Zentra 64"); },
                                             [&] { list.SetDescription("shelf"); }, [&] { list.Clear(); }}) {
        list.SetModified(false);
        change();
        EXPECT_TRUE(list.GetModified());
    }
    EXPECT_EQ(list.GetFileName(), Path());

    source.SetOwner("Ann");
    source.SetFileName(Path("s.lst"));
    AddItem(list, {{"Title", Text("Kept")}});
    list.SetModified(false);
    list.AssignProperties(source);
    EXPECT_TRUE(list.GetModified());
    EXPECT_EQ(list.GetOwner(), "Ann");
    EXPECT_EQ(list.GetFileName(), Path("s.lst"));
    EXPECT_EQ(Column(list, "Title"), std::vector<std::string> {"Kept"});
}

TEST(ListTest, IndexErrorsChangeNothing)
{
    TCartListClass list;
    AddItem(list, {{"Title", Text("A")}});
    AddItem(list, {{"Title", Text("B")}});
    list.SetModified(false);
    for (int32_t bad : {-1, 2}) {
        EXPECT_THROW(list.GetItem(bad), ListIndexError);
        EXPECT_THROW(list.Delete(bad), ListIndexError);
        EXPECT_THROW(list.DeleteItems({0, bad}), ListIndexError);
    }
    EXPECT_EQ(list.Count(), 2);
    EXPECT_FALSE(list.GetModified());
    EXPECT_EQ(test::ErrorOf<ListIndexError>([&] { list.GetItem(7); }), "List index out of bounds (7)");
    list.Delete(0);
    EXPECT_EQ(Column(list, "Title"), std::vector<std::string> {"B"});
    EXPECT_TRUE(list.GetModified());
}

TEST(ListTest, DeleteKeepsTheOtherItemsWhereTheyAre)
{
    // The items deleted, the titles left.
    const std::pair<std::vector<int32_t>, std::vector<std::string>> cases[] = {
        {{}, {"A", "B", "C", "D", "E"}},
        {{0}, {"B", "C", "D", "E"}},
        {{4, 0, 2, 2}, {"B", "D"}},
        {{0, 1, 2, 3, 4}, {}},
    };
    for (const auto& [doomed, left] : cases) {
        TCartListClass list;
        for (const char* t : {"A", "B", "C", "D", "E"})
            AddItem(list, {{"Title", Text(t)}});
        TBaseCustomClass* last = list.GetItem(4);
        list.SetModified(false);
        list.DeleteItems(doomed);
        EXPECT_EQ(Column(list, "Title"), left);
        EXPECT_EQ(list.GetModified(), !doomed.empty());
        if (!left.empty() && left.back() == "E") {
            EXPECT_EQ(list.GetItem(list.Count() - 1), last);
        }
    }
}

struct SortCase {
    const char* Name;
    const char* Field;
    int32_t Direction;
    std::vector<FieldValue> Values;  // given in this order to items 0, 1, ...
    std::vector<int> Expected;       // item numbers after sorting
};

class SortTest : public test::GlobalsTest, public ::testing::WithParamInterface<SortCase> { };
class SortStateTest : public test::GlobalsTest { };

TEST_P(SortTest, OrdersItems)
{
    const auto& c = GetParam();
    TCartListClass list;
    for (size_t i = 0; i < c.Values.size(); ++i) {
        auto& item = AddItem(list, {{"Notes", FieldValue(std::to_string(i))}});
        item.SetFieldValue(c.Field, c.Values[i]);
    }
    G_SortField = c.Field;
    G_SortDirection = c.Direction;
    list.Sort();
    std::vector<int> order;
    for (const auto& notes : Column(list, "Notes"))
        order.push_back(std::stoi(notes));
    EXPECT_EQ(order, c.Expected);
}

const FieldValue never {};

INSTANTIATE_TEST_SUITE_P(
    Orders, SortTest,
    ::testing::Values(
        SortCase {"TitleIgnoresCase", "Title", 1, {Text("banana"), Text("Apple"), Text("cherry")}, {1, 0, 2}},
        SortCase {"LowerABeforeCapitalB", "Title", 1, {Text("Bravo"), Text("alpha")}, {1, 0}},
        SortCase {"TitleDescending", "Title", -1, {Text("banana"), Text("Apple"), Text("cherry")}, {2, 0, 1}},
        SortCase {"PrefixFirst", "Title", 1, {Text("Ab"), Text("A"), Text("")}, {2, 1, 0}},
        SortCase {"Cp1252BytesAfterAscii",
                  "Title",
                  1,
                  {Text("\xC9"
                        "clair"),
                   Text("zebra"), Text("eclair")},
                  {2, 1, 0}},
        SortCase {"LoadedNumbersByValue", "Quantity", 1, {Text("10"), Text("9"), Text("2"), Text("-1")}, {3, 2, 1, 0}},
        SortCase {"NumbersOfMixedKinds", "Quantity", 1, {int32_t {5}, Text("3"), 2.0, Text("4")}, {2, 1, 3, 0}},
        SortCase {"NeverAssignedThenUnconvertible",
                  "Quantity",
                  1,
                  {Text("abc"), int32_t {1}, never, Text(""), Text("0")},
                  {2, 3, 0, 4, 1}},
        SortCase {"DescendingPutsThemLast",
                  "Quantity",
                  -1,
                  {Text("abc"), int32_t {1}, never, Text(""), Text("0")},
                  {1, 4, 0, 3, 2}},
        SortCase {"FractionIsNoWholeNumber", "Quantity", 1, {Text("2"), Text("2.5")}, {1, 0}},
        SortCase {
            "BooleansFalseFirst", "Boxed", 1, {Text("-1"), false, Text("0"), true, Text("TRUE")}, {1, 2, 0, 3, 4}},
        SortCase {
            "MoneyByValue", "Cost", 1, {Text("10"), Currency {40000}, Text("4,5"), Text("x"), 3.99}, {3, 4, 1, 2, 0}},
        // A double key made these amounts equal and kept their order.
        SortCase {"MoneyBeyondADoublesPrecision",
                  "Cost",
                  1,
                  {Text("1000000000000.0001"), Text("1000000000000"), Currency {-1}},
                  {2, 1, 0}},
        SortCase {"TextFieldHoldingNumbersSortsAsText", "Title", 1, {int32_t {10}, int32_t {9}}, {0, 1}},
        SortCase {
            "StableAscending", "Title", 1, {Text("x"), Text("Y"), Text("X"), Text("y"), Text("x")}, {0, 2, 4, 1, 3}},
        SortCase {
            "StableDescending", "Title", -1, {Text("x"), Text("Y"), Text("X"), Text("y"), Text("x")}, {1, 3, 0, 2, 4}},
        // Keys that share their first eight bytes, or differ only after them or in trailing NULs.
        SortCase {"SharedPrefixes",
                  "Title",
                  1,
                  {Text("Galactic Neon"), Text("galactic"), Text("GALACTIC Comet"),
                   FieldValue(std::string("galactic\0", 9)), Text("Galactic Neon"), Text("galacti")},
                  {5, 1, 3, 2, 0, 4}},
        // An in-order check that compares only the first eight bytes and the length skips this sort.
        SortCase {"SameFirstEightBytesAndLength", "Title", 1, {Text("Galactic Zeta"), Text("Galactic Alfa")}, {1, 0}},
        SortCase {"SameFirstEightBytesAndLengthDescending",
                  "Title",
                  -1,
                  {Text("Galactic Alfa"), Text("Galactic Zeta")},
                  {1, 0}},
        SortCase {"FirstDifferenceAtTheEighthByte",
                  "Title",
                  1,
                  {Text("Pitfall!Z"), Text("Pitfall2"), Text("Pitfall!A")},
                  {2, 0, 1}},
        SortCase {"SharedPrefixesDescending",
                  "Title",
                  -1,
                  {Text("Galactic Neon"), Text("galactic"), Text("GALACTIC Comet"),
                   FieldValue(std::string("galactic\0", 9)), Text("Galactic Neon"), Text("galacti")},
                  {0, 4, 2, 3, 1, 5}},
        SortCase {"UnknownFieldKeepsOrder", "Nothing", 1, {Text("b"), Text("a")}, {0, 1}},
        SortCase {"DirectionZeroKeepsOrder", "Title", 0, {Text("b"), Text("a")}, {0, 1}},
        SortCase {"EmptyList", "Title", 1, {}, {}}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(SortStateTest, HardwareByTitleKeepsItsOrder)
{
    THardwareListClass list;
    for (const char* n : {"Pad", "Deck", "Console"})
        AddItem(list, {{"Name", Text(n)}});
    list.Sort();
    EXPECT_EQ(Column(list, "Name"), (std::vector<std::string> {"Pad", "Deck", "Console"}));
    G_SortField = "name";
    list.Sort();
    EXPECT_EQ(Column(list, "Name"), (std::vector<std::string> {"Console", "Deck", "Pad"}));
}

TEST_F(SortStateTest, ConstructingAListBetweenSortsResetsTheOrder)
{
    TCartListClass list;
    for (const char* t : {"b", "a", "c"})
        AddItem(list, {{"Title", Text(t)}, {"Notes", Text(t)}});
    list.SetSortField("Notes");
    list.SetSortDirection(-1);
    list.Sort();
    EXPECT_EQ(Column(list, "Title"), (std::vector<std::string> {"c", "b", "a"}));
    THardwareListClass temporary;
    list.Sort();
    EXPECT_EQ(Column(list, "Title"), (std::vector<std::string> {"a", "b", "c"}));
}

// Random values of every kind: the order must not depend on where the items started, and sorting
// again changes nothing. A comparison that is no strict weak order fails either. Each pool holds
// no two values that sort equal, so the texts of the result are fully determined.
// Long runs of titles sharing many bytes go through the deeper radix passes; the order stays that of
// a stable comparison of the lower-cased texts, both ways, and sorting again changes nothing.
TEST_F(SortStateTest, LongSharedPrefixesKeepTheComparisonOrder)
{
    std::mt19937 random(11);
    const std::vector<std::string> parts = {"Galactic ",           "galactic",          "GALACTIC Comet ",
                                            std::string("x\0", 2), "Deluxe Edition II", ""};
    // Enough items for the keys to be built in several slices, and a count that no number of slices
    // up to eight divides: the last slice's remainder must not be lost.
    std::vector<std::string> titles;
    for (int i = 0; i < 70003; ++i) {
        std::string title;
        for (int k = int(random() % 4); k >= 0; --k)
            title += parts[random() % parts.size()];
        titles.push_back(title);
    }
    std::vector<std::string> lower;
    for (const auto& title : titles)
        lower.push_back(Cp1252::ToLower(title));
    for (int32_t direction : {1, -1}) {
        TCartListClass list;
        std::vector<size_t> order;
        for (size_t i = 0; i < titles.size(); ++i) {
            AddItem(list, {{"Title", FieldValue(titles[i])}, {"Notes", FieldValue(std::to_string(i))}});
            order.push_back(i);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return direction > 0 ? lower[a] < lower[b] : lower[b] < lower[a]; });
        std::vector<std::string> expected;
        for (size_t i : order)
            expected.push_back(std::to_string(i));
        G_SortField = "Title";
        G_SortDirection = direction;
        list.Sort();
        EXPECT_EQ(Column(list, "Notes"), expected) << direction;
        list.Sort();
        EXPECT_EQ(Column(list, "Notes"), expected) << direction;
    }
}

TEST_F(SortStateTest, OrderIsTotalOnRandomMixedValues)
{
    std::mt19937 random(7);
    const std::vector<std::pair<const char*, std::vector<FieldValue>>> pools = {
        {"Quantity",
         {never, Text(""), Text("abc"), Text("10"), Text("9"), Text("-3"), int32_t {7}, 2.5, Text("4,5"), true,
          Text("1e3"), Text("\xE9")}},
        {"Cost",
         {never, Text(""), Text("abc"), Text("10"), Text("9"), Text("-3"), Text("4,5"), Currency {12500}, true, 2.5,
          Text("1e3"), Text("\xE9")}},
        {"Boxed", {never, Text(""), Text("abc"), Text("xyz"), true, false}},
        {"Title", {never, Text(""), Text("abc"), Text("b"), Text("10"), Text("9"), int32_t {7}, Text("\xE9")}},
    };
    for (const auto& [field, pool] : pools) {
        std::vector<FieldValue> values;
        for (int i = 0; i < 300; ++i)
            values.push_back(pool[random() % pool.size()]);
        auto sortedTexts = [&, field = field](const std::vector<FieldValue>& vs) {
            TCartListClass list;
            for (const auto& v : vs)
                AddItem(list, {{field, v}});
            G_SortField = field;
            list.Sort();
            auto first = Column(list, field);
            list.Sort();
            EXPECT_EQ(Column(list, field), first);
            return first;
        };
        auto once = sortedTexts(values);
        std::shuffle(values.begin(), values.end(), random);
        EXPECT_EQ(sortedTexts(values), once) << field;
    }
}

// A big list is checked for order and sorted in slices that are then merged: the order must be the
// one a single thread gives, for any number of threads, item counts that do not divide evenly, mixed
// kinds of values, both directions, and a list in order but for one pair at a slice's edge.
TEST_F(SortStateTest, SlicedSortGivesTheOrderOfOneThread)
{
    const size_t threads = MaxSliceThreads;
    std::mt19937 random(5);
    const std::vector<FieldValue> pool = {never,      Text(""),   Text("abc"), Text("10"), Text("9"), int32_t {7}, 2.5,
                                          Text("4,5"), Text("x"), Text("Galactic Neon"), Text("galactic neon"), true};
    std::vector<FieldValue> values;
    for (int i = 0; i < 100003; ++i)
        values.push_back(i % 3 ? pool[random() % pool.size()] : FieldValue(std::to_string(random() % 5000)));
    const auto sorted = [&](const char* field, int32_t direction, const std::vector<FieldValue>& vs) {
        TCartListClass list;
        for (size_t i = 0; i < vs.size(); ++i)
            AddItem(list, {{field, vs[i]}, {"Notes", FieldValue(std::to_string(i))}});
        G_SortField = field;
        G_SortDirection = direction;
        list.Sort();
        return Column(list, "Notes");
    };
    for (const char* field : {"Title", "Quantity"}) {
        for (const int32_t direction : {1, -1}) {
            MaxSliceThreads = 1;
            const auto expected = sorted(field, direction, values);
            for (const size_t limit : {size_t(2), size_t(3), size_t(5), size_t(8)}) {
                MaxSliceThreads = limit;
                EXPECT_EQ(sorted(field, direction, values), expected) << field << direction << limit;
            }
        }
    }
    // Titles in order (sharing their first eight bytes, so that their texts are compared), then two
    // neighbours swapped where three slices meet.
    std::vector<FieldValue> ordered;
    for (int i = 0; i < 100003; ++i) {
        char title[32];
        std::snprintf(title, sizeof title, "Galactic %07d", i);
        ordered.push_back(Text(title));
    }
    const size_t edge = ordered.size() / 3;
    std::swap(ordered[edge - 1], ordered[edge]);
    for (const size_t limit : {size_t(1), size_t(3)}) {
        MaxSliceThreads = limit;
        const auto order = sorted("Title", 1, ordered);
        EXPECT_EQ(order[edge - 1], std::to_string(edge)) << limit;
        EXPECT_EQ(order[edge], std::to_string(edge - 1)) << limit;
        EXPECT_TRUE(std::is_sorted(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(edge) - 1,
                                   [](const std::string& a, const std::string& b) { return std::stoi(a) < std::stoi(b); }));
    }
    MaxSliceThreads = threads;
}

// Texts that agree far beyond their first eight bytes, in either case and of every length, sort as a
// stable sort of their lower-cased texts does, on one thread and on several.
TEST_F(SortStateTest, TextsSortAsTheirLowerCaseDoes)
{
    const size_t threads = MaxSliceThreads;
    std::mt19937 random(11);
    const std::vector<std::string> heads = {"", "Galactic Neon", "galactic neon ", "GALACTIC NEON RACER", "Zephyr"};
    std::vector<std::string> titles;
    for (int i = 0; i < 50003; ++i) {
        std::string title = heads[random() % heads.size()];
        for (size_t n = random() % 12; n > 0; --n)
            title += "aAbB \xC9\xE9"[random() % 7];
        titles.push_back(title);
    }
    std::vector<size_t> positions(titles.size());
    for (size_t i = 0; i < positions.size(); ++i)
        positions[i] = i;
    for (const int32_t direction : {1, -1}) {
        std::vector<size_t> expected = positions;
        std::stable_sort(expected.begin(), expected.end(), [&](size_t a, size_t b) {
            const std::string x = Cp1252::ToLower(titles[a]), y = Cp1252::ToLower(titles[b]);
            return direction > 0 ? x < y : y < x;
        });
        std::vector<std::string> want;
        for (const size_t i : expected)
            want.push_back(std::to_string(i));
        for (const size_t limit : {size_t(1), size_t(8)}) {
            MaxSliceThreads = limit;
            TCartListClass list;
            for (size_t i = 0; i < titles.size(); ++i)
                AddItem(list, {{"Title", FieldValue(titles[i])}, {"Notes", FieldValue(std::to_string(i))}});
            G_SortField = "Title";
            G_SortDirection = direction;
            list.Sort();
            EXPECT_EQ(Column(list, "Notes"), want) << direction << " " << limit;
        }
    }
    MaxSliceThreads = threads;
}

// The kept items of a list come in the order they hold in the whole sorted list, for any tests
// (none kept, all, scattered, slices left empty), mixed kinds of values and any number of threads;
// a test that raises gives no order.
TEST_F(SortStateTest, KeptItemsSortAsInTheWholeOrder)
{
    const size_t threads = MaxSliceThreads;
    std::mt19937 random(7);
    const std::vector<FieldValue> pool = {never, Text(""), Text("abc"), Text("10"), Text("9"), int32_t {7}, 2.5,
                                          Text("x"), Text("Galactic Neon"), Text("galactic neon"), true};
    const std::vector<std::pair<const char*, std::function<bool(uint32_t)>>> tests = {
        {"none", [](uint32_t) { return false; }},
        {"all", [](uint32_t) { return true; }},
        {"every third", [](uint32_t p) { return p % 3 == 1; }},
        {"first fifth", [](uint32_t p) { return p < 8001; }},
    };
    for (const size_t count : {size_t(11), size_t(40003)}) {
        for (const char* field : {"Title", "Quantity"}) {
            TCartListClass list;
            for (size_t i = 0; i < count; ++i)
                AddItem(list, {{field, i % 2 ? pool[random() % pool.size()] : FieldValue(std::to_string(random() % 900))}});
            MaxSliceThreads = 1;
            const std::vector<uint32_t> whole = SortedOrder(list.Items(), field, 1);
            for (const auto& [name, keep] : tests) {
                std::vector<uint32_t> expected;
                std::copy_if(whole.begin(), whole.end(), std::back_inserter(expected), keep);
                for (const size_t limit : {size_t(1), size_t(3), size_t(8)}) {
                    MaxSliceThreads = limit;
                    const auto kept = SortedKeptOrder(list.Items(), field, [&keep = keep] {
                        return [&keep](const TBaseCustomClass&, uint32_t p) { return keep(p); };
                    });
                    ASSERT_TRUE(kept.has_value());
                    EXPECT_EQ(*kept, expected) << count << field << name << limit;
                }
            }
            const auto raising = SortedKeptOrder(list.Items(), field, [] {
                return [](const TBaseCustomClass&, uint32_t p) -> bool {
                    if (p == 7)
                        throw std::runtime_error("no");
                    return true;
                };
            });
            EXPECT_FALSE(raising.has_value()) << count << field;
        }
    }
    MaxSliceThreads = threads;
}

}  // namespace
}  // namespace quorvel
