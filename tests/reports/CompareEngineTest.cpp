// The indexed comparison against a plain scan of the reference list for every source item.
#include <gtest/gtest.h>

#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"
#include "reports/CartCompare.h"

namespace quorvel {
namespace {

struct Switches {
    bool LabelType = false, LabelColor = false, Punctuation = false, Mfg = false;
    int32_t MinQty = 2;
};

struct Outcome {
    std::vector<std::string> One, Two;  // every field's text and the item's flag, per item
    std::vector<int32_t> Progress;
    std::string Error;
};

std::vector<std::string> Rows(const TBaseCustomListClass& list) {
    std::vector<std::string> rows;
    for (const auto& item : list.Items()) {
        std::string row = item->Modified ? "*" : " ";
        for (int32_t f = 0; f < item->FieldCount(); ++f) row += "|" + ToText(item->ValueAt(f));
        rows.push_back(row);
    }
    return rows;
}

// The scan, step by step: copies merged by quantity, then each source item looked up from the first
// title match on; under "Ignore Punctuation" every equal title is a candidate, not only the first run.
class NaiveCompare {
public:
    NaiveCompare(const Switches& s, std::vector<int32_t>& progress, int32_t abortAt)
        : s_(s), progress_(progress), abortAt_(abortAt) {}

    void Compare(const TCartListClass& one, const TCartListClass& two, TCartListClass& fromOne,
                 TCartListClass& fromTwo) {
        TCartListClass a, b;
        a.Assign(one);
        b.Assign(two);
        a.CompressQuantities();
        b.CompressQuantities();
        Collect(a, b, fromOne);
        Collect(b, a, fromTwo);
    }

private:
    std::string Norm(const std::string& text) const {
        std::string upper = Cp1252::ToUpper(text);
        return s_.Punctuation ? StripNonAlphaNumeric(upper) : upper;
    }
    bool Matches(const TBaseCustomClass& a, const TBaseCustomClass& b, const char* field) const {
        return Norm(ToText(a.GetFieldValue(field))) == Norm(ToText(b.GetFieldValue(field)));
    }
    bool IsMissing(const TCartListClass& reference, const TBaseCustomClass& item) const {
        const std::string t = ToText(item.GetFieldValue("Title"));
        const int32_t first = s_.Punctuation ? reference.IndexOfFieldValueLoose("TITLE", t)
                                             : reference.IndexOfFieldValue("TITLE", t);
        if (first < 0) return true;
        const TBaseCustomClass& f = *reference.GetItem(first);
        for (int32_t k = first; k < reference.Count(); ++k) {
            const TBaseCustomClass& candidate = *reference.GetItem(k);
            if (!Matches(f, candidate, "Title")) {
                if (s_.Punctuation) continue;
                return true;
            }
            if ((s_.Mfg || Matches(candidate, item, "Mfg")) && (s_.LabelType || Matches(candidate, item, "LabelType")) &&
                (s_.LabelColor || Matches(candidate, item, "LabelColor")))
                return false;
        }
        return true;
    }
    void Collect(const TCartListClass& reference, const TCartListClass& source, TCartListClass& dest) {
        dest.Clear();
        bool abort = false;
        Progress(0, abort);
        const int32_t last = source.Count() - 1;
        for (int32_t i = 0; i <= last; ++i) {
            bool missing = IsMissing(reference, *source.GetItem(i));
            if (ToInteger(source.GetItem(i)->GetFieldValue("Quantity")) < s_.MinQty) missing = false;
            if (missing) {
                auto copy = CreateItemObject(itMedia);
                copy->Assign(*source.GetItem(i));
                dest.Add(std::move(copy));
            }
            abort = false;
            Progress(last == 0 ? 0 : i * 100 / last, abort);
            if (abort) break;
        }
    }
    void Progress(int32_t percent, bool& abort) {
        progress_.push_back(percent);
        abort = static_cast<int32_t>(progress_.size()) == abortAt_;
    }

    Switches s_;
    std::vector<int32_t>& progress_;
    int32_t abortAt_;
};

Outcome RunNaive(const TCartListClass& one, const TCartListClass& two, const Switches& s, int32_t abortAt = -1) {
    Outcome out;
    try {
        TCartListClass fromOne, fromTwo;
        NaiveCompare(s, out.Progress, abortAt).Compare(one, two, fromOne, fromTwo);
        out.One = Rows(fromOne);
        out.Two = Rows(fromTwo);
    } catch (const std::exception& e) {
        out.Error = e.what();
    }
    return out;
}

Outcome RunEngine(const TCartListClass& one, const TCartListClass& two, const Switches& s, int32_t abortAt = -1) {
    Outcome out;
    TCartCompareClass engine;
    engine.SetIgnoreLabelType(s.LabelType);
    engine.SetIgnoreLabelColor(s.LabelColor);
    engine.SetIgnorePunctuation(s.Punctuation);
    engine.SetIgnoreMfg(s.Mfg);
    engine.SetMinQty(s.MinQty);
    engine.SetOnProgress([&](int32_t percent, bool& abort) {
        out.Progress.push_back(percent);
        abort = static_cast<int32_t>(out.Progress.size()) == abortAt;
    });
    try {
        engine.Compare(one, two);
        TCartListClass fromOne, fromTwo;
        engine.GetResult(1, fromOne);
        engine.GetResult(2, fromTwo);
        out.One = Rows(fromOne);
        out.Two = Rows(fromTwo);
    } catch (const std::exception& e) {
        out.Error = e.what();
    }
    return out;
}

using Item = std::vector<std::pair<const char*, std::string>>;

std::unique_ptr<TCartListClass> MakeList(const std::vector<Item>& items) {
    auto list = std::make_unique<TCartListClass>();
    for (const auto& values : items) {
        auto item = list->CreateItem();
        for (const auto& [name, value] : values) item->SetFieldValue(name, value);
        item->Modified = false;
        list->Add(std::move(item));
    }
    return list;
}

std::unique_ptr<TCartListClass> RandomList(std::mt19937& rng) {
    static const std::vector<std::string> titles = {"Pac-Man", "PAC MAN", "pacman", "Pac Man", "Pac-Attack",
                                                    "Zoo", "ZOO", "Z.o.o", "Star Raid", "star raid", "",
                                                    "\xC9toile", "\xE9TOILE", "Quest 2", "Quest-2"};
    static const std::vector<std::string> makers = {"Acme", "ACME", "Bolt Co", "BoltCo", ""};
    static const std::vector<std::string> types = {"", "Black", "black", "White Box"};
    static const std::vector<std::string> colours = {"", "Red", "RED", "Blue"};
    auto pick = [&](const std::vector<std::string>& pool) { return pool[rng() % pool.size()]; };
    std::vector<Item> items;
    const size_t count = rng() % 12;
    for (size_t i = 0; i < count; ++i) {
        if (!items.empty() && rng() % 5 == 0) {
            items.push_back(items[rng() % items.size()]);  // a copy, to be merged
            continue;
        }
        items.push_back({{"Title", pick(titles)},
                         {"Mfg", pick(makers)},
                         {"LabelType", pick(types)},
                         {"LabelColor", pick(colours)},
                         {"Quantity", std::to_string(rng() % 4)},
                         {"Notes", rng() % 3 ? "" : "n"}});
    }
    return MakeList(items);
}

TEST(CompareEngine, MatchesTheScanOnRandomLists) {
    std::mt19937 rng(1701);
    for (int round = 0; round < 300; ++round) {
        const auto one = RandomList(rng);
        const auto two = RandomList(rng);
        for (int bits = 0; bits < 16; ++bits) {
            const Switches s{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0,
                             static_cast<int32_t>(rng() % 4)};
            const int32_t abortAt = rng() % 3 == 0 ? static_cast<int32_t>(rng() % 14) : -1;
            const Outcome naive = RunNaive(*one, *two, s, abortAt);
            const Outcome engine = RunEngine(*one, *two, s, abortAt);
            SCOPED_TRACE(testing::Message() << "round " << round << " switches " << bits << " abort " << abortAt);
            ASSERT_EQ(naive.One, engine.One);
            ASSERT_EQ(naive.Two, engine.Two);
            ASSERT_EQ(naive.Progress, engine.Progress);
            ASSERT_EQ(naive.Error.empty(), engine.Error.empty());
        }
    }
}


// "Title:Quantity" of every item of a result.
std::vector<std::string> Short(const TBaseCustomListClass& list) {
    std::vector<std::string> out;
    for (const auto& item : list.Items())
        out.push_back(ToText(item->GetFieldValue("Title")) + ":" + ToText(item->GetFieldValue("Quantity")));
    return out;
}

Item Cart(const char* title, const char* qty = "1", const char* mfg = "Acme", const char* type = "Black",
          const char* colour = "Red") {
    return {{"Title", title}, {"Quantity", qty}, {"Mfg", mfg}, {"LabelType", type}, {"LabelColor", colour}};
}

struct Case {
    const char* Name;
    std::vector<Item> One, Two;
    Switches S;
    std::vector<std::string> FromOne, FromTwo;
};

TEST(CompareEngine, EdgeCases) {
    const Switches none{false, false, false, false, 0};
    Switches min2 = none;
    min2.MinQty = 2;
    Switches punct = none;
    punct.Punctuation = true;
    Switches mfg = none, type = none, colour = none;
    mfg.Mfg = type.LabelType = colour.LabelColor = true;
    const std::vector<Case> cases = {
        {"copies merge before the minimum", {}, {Cart("Zoo"), Cart("Zoo")}, min2, {"Zoo:2"}, {}},
        {"a single copy is below the minimum", {}, {Cart("Zoo")}, min2, {}, {}},
        {"minimum 0 lists it", {}, {Cart("Zoo", "0")}, none, {"Zoo:0"}, {}},
        {"results in title order", {}, {Cart("b"), Cart("C"), Cart("a")}, none, {"a:1", "b:1", "C:1"}, {}},
        {"maker differs", {Cart("Zoo", "1", "X")}, {Cart("Zoo", "1", "Y")}, none, {"Zoo:1"}, {"Zoo:1"}},
        {"maker ignored", {Cart("Zoo", "1", "X")}, {Cart("Zoo", "1", "Y")}, mfg, {}, {}},
        {"label type differs", {Cart("Zoo", "1", "X", "A")}, {Cart("Zoo", "1", "X", "B")}, none, {"Zoo:1"}, {"Zoo:1"}},
        {"label type ignored", {Cart("Zoo", "1", "X", "A")}, {Cart("Zoo", "1", "X", "B")}, type, {}, {}},
        {"label colour differs", {Cart("Zoo", "1", "X", "A", "R")}, {Cart("Zoo", "1", "X", "A", "G")}, none,
         {"Zoo:1"}, {"Zoo:1"}},
        {"label colour ignored", {Cart("Zoo", "1", "X", "A", "R")}, {Cart("Zoo", "1", "X", "A", "G")}, colour, {}, {}},
        {"the run ends at the list's end", {Cart("Zoo", "1", "X"), Cart("Zoo", "1", "Z")}, {Cart("Zoo", "1", "Y")},
         none, {"Zoo:1"}, {"Zoo:1", "Zoo:1"}},
        {"case never matters", {Cart("star RAID")}, {Cart("STAR raid")}, none, {}, {}},
        {"three titles without the switch", {Cart("Pac-Man")}, {Cart("PAC MAN"), Cart("pacman")}, none,
         {"PAC MAN:1", "pacman:1"}, {"Pac-Man:1"}},
        {"one title with it", {Cart("Pac-Man")}, {Cart("PAC MAN"), Cart("pacman")}, punct, {}, {}},
        {"every equal title is looked at",
         {Cart("Pac Man", "1", "X"), Cart("Pac-Attack", "1", "X"), Cart("Pac-Man", "1", "Y")},
         {Cart("PacMan", "1", "Y")}, punct, {}, {"Pac Man:1", "Pac-Attack:1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        const auto one = MakeList(c.One), two = MakeList(c.Two);
        const Outcome naive = RunNaive(*one, *two, c.S);
        const Outcome engine = RunEngine(*one, *two, c.S);
        TCartCompareClass direct;
        direct.SetIgnoreLabelType(c.S.LabelType);
        direct.SetIgnoreLabelColor(c.S.LabelColor);
        direct.SetIgnorePunctuation(c.S.Punctuation);
        direct.SetIgnoreMfg(c.S.Mfg);
        direct.SetMinQty(c.S.MinQty);
        direct.Compare(*one, *two);
        EXPECT_EQ(Short(direct.GetMissingFromOne()), c.FromOne);
        EXPECT_EQ(Short(direct.GetMissingFromTwo()), c.FromTwo);
        EXPECT_EQ(naive.One, engine.One);
        EXPECT_EQ(naive.Two, engine.Two);
    }
}

TEST(CompareEngine, ProgressAndAbort) {
    struct ProgressCase {
        size_t InOne, InTwo;
        int32_t AbortAt;
        std::vector<int32_t> Calls;
    };
    const std::vector<ProgressCase> cases = {
        {0, 0, -1, {0, 0}},
        {0, 1, -1, {0, 0, 0}},
        {0, 2, -1, {0, 0, 100, 0}},
        {2, 3, -1, {0, 0, 50, 100, 0, 0, 100}},
        {2, 3, 2, {0, 0, 0, 0, 100}},  // an abort in the first pass; the second runs from its start
    };
    for (const auto& c : cases) {
        std::vector<Item> one, two;
        for (size_t i = 0; i < c.InOne; ++i) one.push_back(Cart(("A" + std::to_string(i)).c_str()));
        for (size_t i = 0; i < c.InTwo; ++i) two.push_back(Cart(("B" + std::to_string(i)).c_str()));
        const Outcome out = RunEngine(*MakeList(one), *MakeList(two), {false, false, false, false, 0}, c.AbortAt);
        EXPECT_EQ(out.Progress, c.Calls);
        if (c.AbortAt == 2) {
            EXPECT_EQ(out.One.size(), 1u);  // what the aborted pass had collected stays
            EXPECT_EQ(out.Two.size(), 2u);
        }
    }
    // No progress procedure at all.
    TCartCompareClass engine;
    engine.SetMinQty(0);
    engine.Compare(*MakeList({Cart("A")}), *MakeList({Cart("B")}));
    EXPECT_EQ(Short(engine.GetMissingFromTwo()), std::vector<std::string>{"A:1"});
}

TEST(CompareEngine, BadQuantityStopsAndKeepsThePreviousResults) {
    TCartCompareClass engine;
    engine.SetMinQty(0);
    const auto good = MakeList({Cart("A")});
    engine.Compare(*good, *MakeList({Cart("B")}));
    struct BadCase {
        std::vector<Item> Two;
        const char* Message;
    };
    const std::vector<BadCase> cases = {
        {{Cart("C"), Cart("B", "many")}, "Invalid variant type conversion in item 2 of list two, field QUANTITY"},
        {{Cart("C", "x"), Cart("C", "x")}, "Invalid variant type conversion in item 1 of list two, field QUANTITY"},
        {{Cart("C", "2147483647"), Cart("C", "1")}, "Variant overflow in item 2 of list two, field QUANTITY"},
    };
    for (const auto& c : cases) {
        try {
            engine.Compare(*good, *MakeList(c.Two));
            ADD_FAILURE() << "no error for " << c.Message;
        } catch (const TBaseCustomListClassException& e) {
            EXPECT_EQ(std::string(e.what()), c.Message);
        }
        EXPECT_EQ(Short(engine.GetMissingFromOne()), std::vector<std::string>{"B:1"});
        EXPECT_EQ(Short(engine.GetMissingFromTwo()), std::vector<std::string>{"A:1"});
    }
}

TEST(CompareEngine, LeavesItsInputsAndTheSortAlone) {
    const auto one = MakeList({Cart("b", "1"), Cart("a", "2"), Cart("b", "1")});
    const auto two = MakeList({Cart("c"), Cart("c")});
    two->GetItem(1)->Modified = true;
    const auto rowsOne = Rows(*one), rowsTwo = Rows(*two);
    const bool modifiedOne = one->IsModified();
    TBaseCustomListClass::SetSortField("Notes");
    TBaseCustomListClass::SetSortDirection(-1);
    TCartCompareClass engine;
    engine.SetMinQty(0);
    engine.Compare(*one, *two);
    EXPECT_EQ(Rows(*one), rowsOne);
    EXPECT_EQ(Rows(*two), rowsTwo);
    EXPECT_EQ(one->IsModified(), modifiedOne);
    EXPECT_EQ(G_SortField, "Notes");
    EXPECT_EQ(G_SortDirection, -1);
    TCartListClass dest;
    engine.GetResult(3, dest);
    EXPECT_EQ(dest.Count(), 0);
    engine.GetResult(2, dest);
    EXPECT_EQ(Short(dest), (std::vector<std::string>{"a:2", "b:2"}));
}

}  // namespace
}  // namespace quorvel
