#include "reports/CartCompare.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "model/CopyKey.h"
#include "model/FieldSet.h"
#include "model/ItemClasses.h"
#include "model/ListFactory.h"
#include "platform/Cp1252.h"

namespace quorvel {

namespace {

// Making a list resets the process-wide sort; a comparison must leave it as it found it.
class SortStateKeeper {
public:
    SortStateKeeper() : field_(G_SortField), direction_(G_SortDirection) { }
    ~SortStateKeeper()
    {
        G_SortField = field_;
        G_SortDirection = direction_;
    }

private:
    std::string field_;
    int32_t direction_;
};

std::unique_ptr<TCartListClass> NewResultList()
{
    SortStateKeeper keep;
    auto list = std::make_unique<TCartListClass>();
    list->Clear();
    return list;
}

// Open addressing over entry numbers (0 is a free slot), for lists that do not change meanwhile.
class SlotTable {
public:
    explicit SlotTable(size_t count) : mask_(std::bit_ceil(count * 2 + 2) - 1), slots_(mask_ + 1) { }

    // Calls Same(entry) for the entries stored under Hash until it answers true; that entry, or -1.
    template <typename Same> int64_t Find(uint64_t hash, Same same) const
    {
        for (size_t at = hash & mask_; slots_[at] != 0; at = (at + 1) & mask_)
            if (same(slots_[at] - 1))
                return slots_[at] - 1;
        return -1;
    }
    void Insert(uint64_t hash, uint32_t entry)
    {
        size_t at = hash & mask_;
        while (slots_[at] != 0)
            at = (at + 1) & mask_;
        slots_[at] = entry + 1;
    }

private:
    size_t mask_;
    std::vector<uint32_t> slots_;
};

bool IsPunctuation(unsigned char c)
{
    return (c >= 32 && c <= 47) || (c >= 58 && c <= 64) || (c >= 91 && c <= 96) || (c >= 123 && c <= 127);
}

// The text the matching compares: upper case, and without blanks and punctuation when Loose.
void AppendMatchText(std::string& out, std::string_view text, bool loose)
{
    for (char ch : text) {
        const unsigned char upper = Cp1252::ToUpper(static_cast<unsigned char>(ch));
        if (!loose || !IsPunctuation(upper))
            out.push_back(static_cast<char>(upper));
    }
}

// The first eight lower-cased bytes, big-endian, so that most title comparisons are one number's.
uint64_t Prefix(std::string_view lower)
{
    uint64_t prefix = 0;
    for (size_t k = 0; k < 8; ++k)
        prefix = (prefix << 8) | (k < lower.size() ? static_cast<unsigned char>(lower[k]) : 0u);
    return prefix;
}

}  // namespace

// One input list merged by copies and put in title order, as a sorted copy of it would be.
struct TCartCompareClass::Side {
    struct Entry {
        const TBaseCustomClass* Item;  // the first of its copies
        int32_t Index;                 // its position in the input list
        bool Merged;                   // copies met: Sum holds their summed Quantity
        int32_t Sum;
        uint64_t KeyHash;               // of title and the compared fields, normalised
        uint32_t KeyOffset, KeyLength;  // in Keys
    };
    const char* Name;
    std::vector<Entry> Entries;
    std::string Keys;

    std::string_view Key(const Entry& entry) const { return {Keys.data() + entry.KeyOffset, entry.KeyLength}; }
};

TCartCompareClass::TCartCompareClass() : MissingFromOne(NewResultList()), MissingFromTwo(NewResultList()) { }

TCartCompareClass::~TCartCompareClass() = default;

void TCartCompareClass::Report(int32_t percent, bool& abort) const
{
    if (OnProgress)
        OnProgress(percent, abort);
}

TCartCompareClass::Side TCartCompareClass::Prepare(const TCartListClass& list, const char* name) const
{
    Side side {name, {}, {}};
    const auto& items = list.Items();
    FieldPositions quantity({"QUANTITY"});
    // The merge reads a quantity only where copies meet, and names the item that does not convert.
    auto quantityOf = [&](size_t index) -> int32_t {
        const TBaseCustomClass& item = *items[index];
        const int32_t position = quantity.In(item.Fields())[0];
        try {
            return position < 0 ? 0 : ToInteger(item.ValueAt(position));
        } catch (const std::runtime_error& e) {
            throw ItemValueError(e.what(), index + 1, "QUANTITY", name);
        }
    };

    struct Group {
        size_t First;
        uint64_t Hash;
        int32_t Count = 1;
        int64_t Sum = 0;
    };
    std::vector<Group> groups;
    groups.reserve(items.size());
    SlotTable byHash(items.size());
    CopyKey copies(list.KeyFieldNames);
    for (size_t i = 0; i < items.size(); ++i) {
        const uint64_t hash = copies.Hash(*items[i]);
        const int64_t found = byHash.Find(hash, [&](uint32_t g) {
            return groups[g].Hash == hash && copies.Equal(*items[groups[g].First], *items[i]);
        });
        if (found < 0) {
            byHash.Insert(hash, static_cast<uint32_t>(groups.size()));
            groups.push_back(Group {i, hash});
            continue;
        }
        Group& group = groups[static_cast<size_t>(found)];
        if (group.Count == 1)
            group.Sum = quantityOf(group.First);
        group.Sum += quantityOf(i);
        ++group.Count;
        if (group.Sum < std::numeric_limits<int32_t>::min() || group.Sum > std::numeric_limits<int32_t>::max()) {
            throw ItemValueError(VariantOverflowError().what(), i + 1, "QUANTITY", name);
        }
    }

    // Normalised once per item: what every look-up of the other side compares with.
    FieldPositions compared({"TITLE", "MFG", "LABELTYPE", "LABELCOLOR"});
    const bool used[4] = {true, !IgnoreMfg, !IgnoreLabelType, !IgnoreLabelColor};
    struct SortKey {
        uint64_t Prefix;
        uint32_t Offset, Length;
        bool Assigned;
    };
    std::vector<SortKey> sortKeys;
    sortKeys.reserve(groups.size());
    std::string lowered;
    std::vector<Side::Entry> entries;
    entries.reserve(groups.size());
    std::string spare;
    for (const Group& group : groups) {
        const TBaseCustomClass& item = *items[group.First];
        const std::vector<int32_t>& positions = compared.In(item.Fields());
        const size_t offset = side.Keys.size();
        for (size_t f = 0; f < 4; ++f) {
            if (!used[f])
                continue;
            const size_t lengthAt = side.Keys.size();
            side.Keys.append(sizeof(uint32_t), '\0');
            AppendMatchText(side.Keys, StoredText(item, positions[f], spare), IgnorePunctuation);
            const auto length = static_cast<uint32_t>(side.Keys.size() - lengthAt - sizeof(uint32_t));
            side.Keys.replace(lengthAt, sizeof length, reinterpret_cast<const char*>(&length), sizeof length);
        }
        const std::string_view key(side.Keys.data() + offset, side.Keys.size() - offset);
        entries.push_back({&item, static_cast<int32_t>(group.First), group.Count > 1, static_cast<int32_t>(group.Sum),
                           std::hash<std::string_view> {}(key), static_cast<uint32_t>(offset),
                           static_cast<uint32_t>(key.size())});

        const int32_t title = positions[0];
        const bool assigned = title >= 0 && item.KindAt(title) != ValueKind::Unassigned;
        const size_t at = lowered.size();
        if (assigned) {
            for (char ch : StoredText(item, title, spare))
                lowered.push_back(static_cast<char>(Cp1252::ToLower(static_cast<unsigned char>(ch))));
        }
        const std::string_view text(lowered.data() + at, lowered.size() - at);
        sortKeys.push_back({Prefix(text), static_cast<uint32_t>(at), static_cast<uint32_t>(text.size()), assigned});
    }

    // Title order as the list sort gives it: never-assigned titles first, then by lower-cased text;
    // equal titles keep the order of their first copies.
    std::vector<uint32_t> order(groups.size());
    for (uint32_t i = 0; i < order.size(); ++i)
        order[i] = i;
    const char* text = lowered.data();
    std::sort(order.begin(), order.end(), [&](uint32_t a, uint32_t b) {
        const SortKey& x = sortKeys[a];
        const SortKey& y = sortKeys[b];
        if (x.Assigned != y.Assigned)
            return !x.Assigned;
        if (x.Prefix != y.Prefix)
            return x.Prefix < y.Prefix;
        const int c = std::memcmp(text + x.Offset, text + y.Offset, std::min(x.Length, y.Length));
        if (c != 0)
            return c < 0;
        if (x.Length != y.Length)
            return x.Length < y.Length;
        return a < b;
    });
    side.Entries.reserve(order.size());
    for (uint32_t i : order)
        side.Entries.push_back(entries[i]);
    return side;
}

std::unique_ptr<TCartListClass> TCartCompareClass::CollectMissing(const Side& reference, const Side& source) const
{
    SlotTable present(reference.Entries.size());
    for (uint32_t r = 0; r < reference.Entries.size(); ++r)
        present.Insert(reference.Entries[r].KeyHash, r);

    auto dest = NewResultList();
    bool abort = false;
    Report(0, abort);
    FieldPositions quantity({"QUANTITY"});
    const int64_t last = static_cast<int64_t>(source.Entries.size()) - 1;
    for (int64_t i = 0; i <= last; ++i) {
        const Side::Entry& entry = source.Entries[static_cast<size_t>(i)];
        const std::string_view key = source.Key(entry);
        bool missing = present.Find(entry.KeyHash, [&](uint32_t r) {
            const Side::Entry& candidate = reference.Entries[r];
            return candidate.KeyHash == entry.KeyHash && reference.Key(candidate) == key;
        }) < 0;
        int32_t count = entry.Sum;
        if (!entry.Merged) {
            const int32_t position = quantity.In(entry.Item->Fields())[0];
            try {
                count = position < 0 ? 0 : ToInteger(entry.Item->ValueAt(position));
            } catch (const std::runtime_error& e) {
                throw ItemValueError(e.what(), entry.Index + 1, "QUANTITY", source.Name);
            }
        }
        if (count < MinQty)
            missing = false;
        if (missing) {
            std::unique_ptr<TBaseCustomClass> copy;
            if (&entry.Item->Fields() == &MediaFieldSet()) {
                copy = entry.Item->Clone();
            } else {
                copy = CreateItemObject(itMedia);
                copy->Assign(*entry.Item);
            }
            if (entry.Merged)
                copy->SetFieldValue("QUANTITY", entry.Sum);
            dest->Add(std::move(copy));
        }
        abort = false;
        Report(last == 0 ? 0 : static_cast<int32_t>(i * 100 / last), abort);
        if (abort)
            break;
    }
    return dest;
}

void TCartCompareClass::Compare(const TCartListClass& listOne, const TCartListClass& listTwo)
{
    const Side one = Prepare(listOne, "list one");
    const Side two = Prepare(listTwo, "list two");
    // The second pass runs even when the first was aborted; results change only when both finished.
    auto missingFromOne = CollectMissing(one, two);
    auto missingFromTwo = CollectMissing(two, one);
    MissingFromOne = std::move(missingFromOne);
    MissingFromTwo = std::move(missingFromTwo);
}

void TCartCompareClass::GetResult(int32_t which, TCartListClass& dest) const
{
    if (which == 1)
        dest.Assign(*MissingFromOne);
    else if (which == 2)
        dest.Assign(*MissingFromTwo);
}

}  // namespace quorvel
