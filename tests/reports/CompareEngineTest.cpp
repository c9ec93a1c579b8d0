// The indexed comparison against a plain scan of the reference list for every source item.
#include <gtest/gtest.h>

#include <random>

#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "reports/CartCompare.h"
#include "reports/CompareTestSupport.h"
#include "support/Checks.h"
#include "support/GlobalsTest.h"

namespace quorvel {
namespace {

using test::Cart;
using test::Item;
using test::MakeList;

struct Switches {
    bool LabelType = false, LabelColor = false, Punctuation = false, Mfg = false;
    int32_t MinQty = 0;
};

struct Outcome {
    std::vector<std::string> One, Two;  // "Title:Quantity" per item
    std::vector<std::string> Rows;      // every field's text and the item's flag, both results
    std::vector<int32_t> Progress;
    std::string Error;
};

void Record(Outcome& out, const TCartListClass& fromOne, const TCartListClass& fromTwo)
{
    for (const auto* list : {&fromOne, &fromTwo}) {
        for (const auto& item : list->Items()) {
            (list == &fromOne ? out.One : out.Two)
                .push_back(item->GetFieldAsString("Title") + ":" + item->GetFieldAsString("Quantity"));
            std::string row = item->Modified ? "*" : " ";
            for (int32_t f = 0; f < item->FieldCount(); ++f)
                row += "|" + ToText(item->ValueAt(f));
            out.Rows.push_back(row);
        }
        out.Rows.push_back("--");
    }
}

// The scan, step by step: copies merged by quantity, then each source item looked up from the first
// title match on; under "Ignore Punctuation" every equal title is a candidate, not only the first run.
void NaiveCompare(const Switches& s, const std::function<void(int32_t, bool&)>& progress, const TCartListClass& one,
                  const TCartListClass& two, TCartListClass& fromOne, TCartListClass& fromTwo)
{
    const auto matches = [&](const TBaseCustomClass& a, const TBaseCustomClass& b, const char* field) {
        const auto norm = [&](const TBaseCustomClass& item) {
            const std::string upper = Cp1252::ToUpper(ToText(item.GetFieldValue(field)));
            return s.Punctuation ? StripNonAlphaNumeric(upper) : upper;
        };
        return norm(a) == norm(b);
    };
    const auto isMissing = [&](const TCartListClass& reference, const TBaseCustomClass& item) {
        const std::string t = ToText(item.GetFieldValue("Title"));
        const int32_t first =
            s.Punctuation ? reference.IndexOfFieldValueLoose("TITLE", t) : reference.IndexOfFieldValue("TITLE", t);
        for (int32_t k = first; k >= 0 && k < reference.Count(); ++k) {
            const TBaseCustomClass& candidate = *reference.GetItem(k);
            if (!matches(*reference.GetItem(first), candidate, "Title")) {
                if (s.Punctuation)
                    continue;
                return true;
            }
            if ((s.Mfg || matches(candidate, item, "Mfg")) && (s.LabelType || matches(candidate, item, "LabelType")) &&
                (s.LabelColor || matches(candidate, item, "LabelColor")))
                return false;
        }
        return true;
    };
    const auto collect = [&](const TCartListClass& reference, const TCartListClass& source, TCartListClass& dest) {
        bool abort = false;
        progress(0, abort);
        abort = false;  // the first call cannot stop it
        const int32_t last = source.Count() - 1;
        for (int32_t i = 0; i <= last && !abort; ++i) {
            const TBaseCustomClass& item = *source.GetItem(i);
            if (ToInteger(item.GetFieldValue("Quantity")) >= s.MinQty && isMissing(reference, item))
                dest.Add(item.Clone());
            progress(last == 0 ? 0 : i * 100 / last, abort);
        }
    };
    TCartListClass a, b;
    a.Assign(one);
    b.Assign(two);
    a.CompressQuantities();
    b.CompressQuantities();
    collect(a, b, fromOne);
    collect(b, a, fromTwo);
}

// Either comparison, recording results, progress calls and the error; the AbortAt-th call aborts.
Outcome RunCompare(bool naive, const TCartListClass& one, const TCartListClass& two, const Switches& s,
                   int32_t abortAt = -1)
{
    Outcome out;
    auto progress = [&](int32_t percent, bool& abort) {
        out.Progress.push_back(percent);
        abort = static_cast<int32_t>(out.Progress.size()) == abortAt;
    };
    try {
        TCartListClass fromOne, fromTwo;
        if (naive) {
            NaiveCompare(s, progress, one, two, fromOne, fromTwo);
        } else {
            TCartCompareClass engine;
            engine.SetIgnoreLabelType(s.LabelType);
            engine.SetIgnoreLabelColor(s.LabelColor);
            engine.SetIgnorePunctuation(s.Punctuation);
            engine.SetIgnoreMfg(s.Mfg);
            engine.SetMinQty(s.MinQty);
            engine.SetOnProgress(progress);
            engine.Compare(one, two);
            engine.GetResult(1, fromOne);
            engine.GetResult(2, fromTwo);
        }
        Record(out, fromOne, fromTwo);
    } catch (const std::exception& e) {
        out.Error = e.what();
    }
    return out;
}

// Big lists number their titles so that runs of one title stay short; Bad gives one item without
// copies a Quantity that is no number.
std::unique_ptr<TCartListClass> RandomList(std::mt19937& rng, size_t most = 12, bool big = false, bool bad = false)
{
    static const std::vector<std::string> titles = {"Pac-Man",    "PAC MAN", "pacman",    "Pac Man",
                                                    "Pac-Attack", "Zoo",     "Z.o.o",     "Star Raid",
                                                    "star raid",  "",        "\xC9toile", "\xE9TOILE"};
    static const std::vector<std::string> makers = {"Acme", "ACME", "Bolt Co", "BoltCo", ""};
    static const std::vector<std::string> types = {"", "Black", "black", "White Box"};
    auto pick = [&](const std::vector<std::string>& pool) { return pool[rng() % pool.size()].c_str(); };
    std::vector<Item> items;
    for (size_t i = 0, count = big ? most : rng() % most; i < count; ++i) {
        if (!items.empty() && rng() % 5 == 0) {
            items.push_back(items[rng() % items.size()]);  // a copy, to be merged
        } else {
            const std::string title = pick(titles) + (big ? " " + std::to_string(rng() % 100) : "");
            items.push_back(
                Cart(title.c_str(), std::to_string(rng() % 4).c_str(), pick(makers), pick(types), pick(types)));
            if (rng() % 3 == 0)
                items.back().push_back({"Notes", "n"});
        }
    }
    if (bad) {
        Item& item = items[rng() % items.size()];
        item[0].second += " alone";
        item[1].second = "x";
    }
    return MakeList(items);
}

TEST(CompareEngine, MatchesTheScanOnRandomLists)
{
    std::mt19937 rng(1701);
    for (int round = 0; round < 300; ++round) {
        const auto one = RandomList(rng), two = RandomList(rng);
        for (int bits = 0; bits < 16; ++bits) {
            const Switches s {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0,
                              static_cast<int32_t>(rng() % 4)};
            const int32_t abortAt = rng() % 3 == 0 ? static_cast<int32_t>(rng() % 14) : -1;
            const Outcome naive = RunCompare(true, *one, *two, s, abortAt),
                          engine = RunCompare(false, *one, *two, s, abortAt);
            SCOPED_TRACE(testing::Message() << "round " << round << " switches " << bits << " abort " << abortAt);
            ASSERT_EQ(naive.Rows, engine.Rows);
            ASSERT_EQ(naive.Progress, engine.Progress);
            ASSERT_EQ(naive.Error.empty(), engine.Error.empty());
        }
    }
}

// Lists big enough to be read on several threads; a Quantity that is no number stops a pass where
// the scan meets it, unless an abort came first.
TEST(CompareEngine, MatchesTheScanOnBigLists)
{
    struct Round {
        Switches S;
        int32_t AbortAt;
        bool BadOne, BadTwo;
    } const rounds[] = {
        {{}, -1, false, false},
        {{true, true, false, false, 1}, -1, false, true},
        {{false, false, true, false, 2}, 100, true, true},
        {{false, false, true, true, 0}, 1000, true, false},
    };
    std::mt19937 rng(4711);
    for (const Round& r : rounds) {
        const auto one = RandomList(rng, 1100, true, r.BadOne), two = RandomList(rng, 1100, true, r.BadTwo);
        const Outcome naive = RunCompare(true, *one, *two, r.S, r.AbortAt),
                      engine = RunCompare(false, *one, *two, r.S, r.AbortAt);
        SCOPED_TRACE(testing::Message() << "abort " << r.AbortAt);
        EXPECT_EQ(naive.Rows, engine.Rows);
        EXPECT_EQ(naive.Progress, engine.Progress);
        EXPECT_EQ(naive.Error.empty(), engine.Error.empty());
    }
}

TEST(CompareEngine, EdgeCases)
{
    // What the random scan cannot see (both sides agreeing on a wrong answer): results spelled out.
    const Switches none, min2 {false, false, false, false, 2}, punct {false, false, true, false, 0};
    struct Case {
        std::vector<Item> One, Two;
        Switches S;
        std::vector<std::string> FromOne, FromTwo;
    } const cases[] = {
        {{}, {Cart("Zoo"), Cart("Zoo"), Cart("a", "0")}, min2, {"Zoo:2"}, {}},  // copies merge first
        {{}, {Cart("b"), Cart("C"), Cart("a", "0")}, none, {"a:0", "b:1", "C:1"}, {}},
        // Every equal title is looked at, not only the first run of them.
        {{Cart("Pac Man", "1", "X"), Cart("Pac-Attack", "1", "X"), Cart("Pac-Man", "1", "Y")},
         {Cart("PacMan", "1", "Y")},
         punct,
         {},
         {"Pac Man:1", "Pac-Attack:1"}},
    };
    for (const Case& c : cases) {
        const auto one = MakeList(c.One), two = MakeList(c.Two);
        const Outcome engine = RunCompare(false, *one, *two, c.S);
        EXPECT_EQ(engine.One, c.FromOne);
        EXPECT_EQ(engine.Two, c.FromTwo);
        EXPECT_EQ(RunCompare(true, *one, *two, c.S).Rows, engine.Rows);
    }
}

TEST(CompareEngine, BadQuantityStopsAndKeepsThePreviousResults)
{
    TCartCompareClass engine;  // no progress procedure at all
    engine.SetMinQty(0);
    const auto good = MakeList({Cart("A")});
    engine.Compare(*good, *MakeList({Cart("B")}));
    const std::vector<std::pair<std::vector<Item>, const char*>> cases = {
        {{Cart("C"), Cart("B", "many")}, "Invalid variant type conversion in item 2 of list two, field QUANTITY"},
        {{Cart("C", "x"), Cart("C", "x")}, "Invalid variant type conversion in item 1 of list two, field QUANTITY"},
        {{Cart("C", "2147483647"), Cart("C", "1")}, "Variant overflow in item 2 of list two, field QUANTITY"},
        {{Cart("C", "-2147483648"), Cart("C", "-1")}, "Variant overflow in item 2 of list two, field QUANTITY"},
        {{Cart("C", "1"), Cart("C", "x")}, "Invalid variant type conversion in item 2 of list two, field QUANTITY"},
    };
    for (const auto& [two, message] : cases) {
        EXPECT_EQ(test::ErrorOf<TBaseCustomListClassException>([&, &t = two] { engine.Compare(*good, *MakeList(t)); }),
                  message);
        EXPECT_EQ(engine.GetMissingFromOne().GetItem(0)->GetFieldAsString("Title"), "B");
        EXPECT_EQ(engine.GetMissingFromTwo().GetItem(0)->GetFieldAsString("Title"), "A");
    }
}

class CompareEngineGlobalsTest : public test::GlobalsTest { };

TEST_F(CompareEngineGlobalsTest, LeavesItsInputsAndTheSortAlone)
{
    const auto one = MakeList({Cart("b", "1"), Cart("a", "2"), Cart("b", "1")}), two = MakeList({Cart("c")});
    two->GetItem(0)->Modified = true;
    Outcome before, after;
    Record(before, *one, *two);
    TBaseCustomListClass::SetSortField("Notes");
    TBaseCustomListClass::SetSortDirection(-1);
    TCartCompareClass engine;
    engine.SetMinQty(0);
    engine.Compare(*one, *two);
    EXPECT_EQ(G_SortField, "Notes");
    EXPECT_EQ(G_SortDirection, -1);
    Record(after, *one, *two);
    EXPECT_EQ(after.Rows, before.Rows);
    EXPECT_EQ(RunCompare(false, *one, *two, {}).Two, (std::vector<std::string> {"a:2", "b:2"}));
    TCartListClass dest;
    engine.GetResult(3, dest);
    EXPECT_EQ(dest.Count(), 0);
}

}  // namespace
}  // namespace quorvel
