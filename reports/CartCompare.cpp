#include "reports/CartCompare.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "model/FieldSet.h"
#include "model/ListFactory.h"
#include "model/Utils.h"
#include "platform/Cp1252.h"

namespace quorvel {

namespace {

// Making a list resets the process-wide sort; a comparison must leave it as it found it.
class SortStateKeeper {
public:
    SortStateKeeper() : field_(G_SortField), direction_(G_SortDirection) {}
    ~SortStateKeeper() {
        G_SortField = field_;
        G_SortDirection = direction_;
    }

private:
    std::string field_;
    int32_t direction_;
};

std::unique_ptr<TCartListClass> NewResultList() {
    SortStateKeeper keep;
    auto list = std::make_unique<TCartListClass>();
    list->Clear();
    return list;
}

// A field's stored text: a view of a text value, else the value's text form kept in Spare.
std::string_view StoredText(const TBaseCustomClass& item, int32_t position, std::string& spare) {
    if (position < 0) return {};
    if (item.KindAt(position) == ValueKind::Text) return item.TextAt(position);
    spare = ToText(item.ValueAt(position));
    return spare;
}

// Two items are copies of one another when every field but Quantity holds the same stored text.
class CopyKey {
public:
    explicit CopyKey(const std::vector<std::string>& names) : a_(names), b_(names) {}

    uint64_t Hash(const TBaseCustomClass& item) {
        uint64_t h = 1469598103934665603ull;
        for (int32_t position : a_.In(item.Fields())) {
            for (char c : StoredText(item, position, spareA_)) h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
            h = (h ^ 0x1f) * 1099511628211ull;
        }
        return h;
    }

    bool Equal(const TBaseCustomClass& a, const TBaseCustomClass& b) {
        const std::vector<int32_t>& pa = a_.In(a.Fields());
        const std::vector<int32_t>& pb = b_.In(b.Fields());
        for (size_t k = 0; k < pa.size(); ++k)
            if (StoredText(a, pa[k], spareA_) != StoredText(b, pb[k], spareB_)) return false;
        return true;
    }

private:
    FieldPositions a_, b_;
    std::string spareA_, spareB_;
};

void AppendPart(std::string& key, const std::string& part) {
    const auto size = static_cast<uint32_t>(part.size());
    key.append(reinterpret_cast<const char*>(&size), sizeof size);
    key += part;
}

}  // namespace

// One input list merged by copies and put in title order, as a sorted copy of it would be.
struct TCartCompareClass::Side {
    struct Entry {
        const TBaseCustomClass* Item;  // the first of its copies
        int32_t Index;                 // its position in the input list
        std::optional<int32_t> Sum;    // the summed Quantity when copies merged
        std::string Key;               // title and the compared fields, normalised
    };
    const char* Name;
    std::vector<Entry> Entries;
};

TCartCompareClass::TCartCompareClass() : MissingFromOne(NewResultList()), MissingFromTwo(NewResultList()) {}

TCartCompareClass::~TCartCompareClass() = default;

void TCartCompareClass::Report(int32_t percent, bool& abort) const {
    if (OnProgress) OnProgress(percent, abort);
}

TCartCompareClass::Side TCartCompareClass::Prepare(const TCartListClass& list, const char* name) const {
    Side side{name, {}};
    const auto& items = list.Items();
    FieldPositions quantity({"QUANTITY"});
    // The merge reads a quantity only where copies meet, and names the item that does not convert.
    auto quantityOf = [&](size_t index) -> int32_t {
        const TBaseCustomClass& item = *items[index];
        const int32_t position = quantity.In(item.Fields())[0];
        try {
            return position < 0 ? 0 : ToInteger(item.ValueAt(position));
        } catch (const std::runtime_error& e) {
            throw TBaseCustomListClassException(std::string(e.what()) + " in item " + std::to_string(index + 1) +
                                                " of " + name + ", field QUANTITY");
        }
    };

    struct Group {
        size_t First;
        int32_t Count = 1;
        int64_t Sum = 0;
    };
    std::vector<Group> groups;
    std::unordered_multimap<uint64_t, size_t> byHash;
    byHash.reserve(items.size());
    CopyKey copies(list.KeyFieldNames);
    for (size_t i = 0; i < items.size(); ++i) {
        const uint64_t hash = copies.Hash(*items[i]);
        Group* group = nullptr;
        for (auto [it, end] = byHash.equal_range(hash); it != end; ++it) {
            if (copies.Equal(*items[groups[it->second].First], *items[i])) {
                group = &groups[it->second];
                break;
            }
        }
        if (!group) {
            byHash.emplace(hash, groups.size());
            groups.push_back(Group{i});
            continue;
        }
        if (group->Count == 1) group->Sum = quantityOf(group->First);
        group->Sum += quantityOf(i);
        ++group->Count;
        if (group->Sum < std::numeric_limits<int32_t>::min() || group->Sum > std::numeric_limits<int32_t>::max()) {
            throw TBaseCustomListClassException(std::string(VariantOverflowError().what()) + " in item " +
                                                std::to_string(i + 1) + " of " + name + ", field QUANTITY");
        }
    }

    // Normalised once per item: what every look-up of the other side compares with.
    FieldPositions compared({"TITLE", "MFG", "LABELTYPE", "LABELCOLOR"});
    const bool used[4] = {true, !IgnoreMfg, !IgnoreLabelType, !IgnoreLabelColor};
    struct SortKey {
        bool Assigned;
        std::string Lower;
    };
    std::vector<SortKey> sortKeys;
    sortKeys.reserve(groups.size());
    side.Entries.reserve(groups.size());
    for (const Group& group : groups) {
        const TBaseCustomClass& item = *items[group.First];
        const std::vector<int32_t>& positions = compared.In(item.Fields());
        std::string key;
        for (size_t f = 0; f < 4; ++f) {
            if (!used[f]) continue;
            const FieldValue value = positions[f] < 0 ? FieldValue{} : item.ValueAt(positions[f]);
            AppendPart(key, IgnorePunctuation ? LooseMatchText(value) : MatchText(value));
        }
        const int32_t title = positions[0];
        const bool assigned = title >= 0 && item.KindAt(title) != ValueKind::Unassigned;
        sortKeys.push_back({assigned, assigned ? Cp1252::ToLower(ToText(item.ValueAt(title))) : std::string()});
        std::optional<int32_t> sum;
        if (group.Count > 1) sum = static_cast<int32_t>(group.Sum);
        side.Entries.push_back({&item, static_cast<int32_t>(group.First), sum, std::move(key)});
    }

    // Title order as the list sort gives it: never-assigned titles first, then by lower-cased text;
    // equal titles keep the order of their first copies.
    std::vector<uint32_t> order(groups.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        if (sortKeys[a].Assigned != sortKeys[b].Assigned) return !sortKeys[a].Assigned;
        return sortKeys[a].Lower < sortKeys[b].Lower;
    });
    std::vector<Side::Entry> sorted;
    sorted.reserve(order.size());
    for (uint32_t i : order) sorted.push_back(std::move(side.Entries[i]));
    side.Entries = std::move(sorted);
    return side;
}

std::unique_ptr<TCartListClass> TCartCompareClass::CollectMissing(const Side& reference, const Side& source) const {
    std::unordered_set<std::string_view> present;
    present.reserve(reference.Entries.size());
    for (const auto& entry : reference.Entries) present.insert(entry.Key);

    auto dest = NewResultList();
    bool abort = false;
    Report(0, abort);
    FieldPositions quantity({"QUANTITY"});
    const int64_t last = static_cast<int64_t>(source.Entries.size()) - 1;
    for (int64_t i = 0; i <= last; ++i) {
        const Side::Entry& entry = source.Entries[static_cast<size_t>(i)];
        bool missing = !present.contains(entry.Key);
        int32_t count = 0;
        if (entry.Sum) {
            count = *entry.Sum;
        } else {
            const int32_t position = quantity.In(entry.Item->Fields())[0];
            try {
                count = position < 0 ? 0 : ToInteger(entry.Item->ValueAt(position));
            } catch (const std::runtime_error& e) {
                throw TBaseCustomListClassException(std::string(e.what()) + " in item " +
                                                    std::to_string(entry.Index + 1) + " of " + source.Name +
                                                    ", field QUANTITY");
            }
        }
        if (count < MinQty) missing = false;
        if (missing) {
            auto copy = CreateItemObject(itMedia);
            copy->Assign(*entry.Item);
            if (entry.Sum) copy->SetFieldValue("QUANTITY", *entry.Sum);
            dest->Add(std::move(copy));
        }
        abort = false;
        Report(last == 0 ? 0 : static_cast<int32_t>(i * 100 / last), abort);
        if (abort) break;
    }
    return dest;
}

void TCartCompareClass::Compare(const TCartListClass& listOne, const TCartListClass& listTwo) {
    const Side one = Prepare(listOne, "list one");
    const Side two = Prepare(listTwo, "list two");
    // The second pass runs even when the first was aborted; results change only when both finished.
    auto missingFromOne = CollectMissing(one, two);
    auto missingFromTwo = CollectMissing(two, one);
    MissingFromOne = std::move(missingFromOne);
    MissingFromTwo = std::move(missingFromTwo);
}

void TCartCompareClass::GetResult(int32_t which, TCartListClass& dest) const {
    if (which == 1) dest.Assign(*MissingFromOne);
    else if (which == 2) dest.Assign(*MissingFromTwo);
}

}  // namespace quorvel
