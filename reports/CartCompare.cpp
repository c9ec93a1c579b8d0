#include "reports/CartCompare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/CopyKey.h"
#include "model/FieldSet.h"
#include "model/ItemClasses.h"
#include "model/ItemSort.h"
#include "model/ListFactory.h"
#include "model/ListFileSlices.h"
#include "model/Utils.h"
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

// Hashing by eight-byte words: a short text in two reads of its ends, a longer one sixteen bytes per
// step, each step one 64 x 64 -> 128-bit multiplication folded in half.
uint64_t Fold(uint64_t a, uint64_t b)
{
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<uint64_t>(product) ^ static_cast<uint64_t>(product >> 64);
}

template <typename Word> uint64_t Read(const char* at)
{
    Word word;
    std::memcpy(&word, at, sizeof word);
    return word;
}

[[gnu::always_inline]] inline uint64_t HashBytes(uint64_t hash, std::string_view bytes)
{
    constexpr uint64_t kSpread[3] = {0xA0761D6478BD642Full, 0xE7037ED1A0B428DBull, 0x8EBC6AF09C88C6E3ull};
    const char* at = bytes.data();
    const size_t size = bytes.size();
    uint64_t a = 0, b = 0;
    if (size <= 16) {
        if (size >= 4) {
            const size_t middle = (size >> 3) << 2;
            a = (Read<uint32_t>(at) << 32) | Read<uint32_t>(at + middle);
            b = (Read<uint32_t>(at + size - 4) << 32) | Read<uint32_t>(at + size - 4 - middle);
        } else if (size > 0) {
            a = (uint64_t {uint8_t(at[0])} << 16) | (uint64_t {uint8_t(at[size >> 1])} << 8) | uint8_t(at[size - 1]);
        }
    } else {
        size_t left = size;
        for (; left > 16; at += 16, left -= 16)
            hash = Fold(Read<uint64_t>(at) ^ kSpread[1], Read<uint64_t>(at + 8) ^ hash);
        a = Read<uint64_t>(at + left - 16);
        b = Read<uint64_t>(at + left - 8);
    }
    return Fold(a ^ kSpread[1] ^ size, Fold(b ^ kSpread[2], hash ^ kSpread[0]));
}

// Open addressing over numbers, for sets that do not change meanwhile. A slot keeps the high half of
// the hash, so that most slots of other hashes are passed over without looking at what they number.
class SlotTable {
public:
    SlotTable() : SlotTable(0) { }
    explicit SlotTable(size_t count) : mask_(std::bit_ceil(count * 2 + 2) - 1), slots_(mask_ + 1) { }

    // Calls Same(number) for the numbers stored under Hash until it answers true; that number, or -1.
    template <typename Same> int64_t Find(uint64_t hash, Same same) const
    {
        const auto tag = static_cast<uint32_t>(hash >> 32);
        for (size_t at = hash & mask_; slots_[at].Number != 0; at = (at + 1) & mask_)
            if (slots_[at].Tag == tag && same(slots_[at].Number - 1))
                return slots_[at].Number - 1;
        return -1;
    }
    void Insert(uint64_t hash, uint32_t number)
    {
        size_t at = hash & mask_;
        while (slots_[at].Number != 0)
            at = (at + 1) & mask_;
        slots_[at] = {static_cast<uint32_t>(hash >> 32), number + 1};
    }
    void Prefetch(uint64_t hash) const { __builtin_prefetch(&slots_[hash & mask_]); }
    // Calls Ask(number) with the number in Hash's first slot, if any: to ask early for what it numbers.
    template <typename Ask> void Peek(uint64_t hash, Ask ask) const
    {
        if (const Slot& slot = slots_[hash & mask_]; slot.Number != 0)
            ask(slot.Number - 1);
    }

private:
    struct Slot {
        uint32_t Tag, Number;  // Number 0: free
    };
    size_t mask_;
    std::vector<Slot> slots_;
};

// Bytes appended without first being zeroed.
class ByteBuffer {
public:
    // Room for Count more bytes at the end; Commit says how many were written.
    char* Reserve(size_t count)
    {
        if (size_ + count > capacity_) {
            capacity_ = std::max(capacity_ * 2, size_ + count);
            auto grown = std::make_unique_for_overwrite<char[]>(capacity_);
            if (size_ > 0)
                std::memcpy(grown.get(), data_.get(), size_);
            data_ = std::move(grown);
        }
        return data_.get() + size_;
    }
    void Commit(size_t count) { size_ += count; }
    size_t Size() const { return size_; }
    const char* Data() const { return data_.get(); }
    void Release() { *this = ByteBuffer(); }

private:
    std::unique_ptr<char[]> data_;
    size_t size_ = 0, capacity_ = 0;
};

// A match key: its length, then its bytes.
std::string_view KeyAt(const char* at)
{
    uint32_t length;
    std::memcpy(&length, at, sizeof length);
    return {at + sizeof length, length};
}

// What the matching compares of one item: its Title and the fields not ignored, each upper-cased
// and, when punctuation is ignored, without blanks and punctuation, by one look-up per byte.
class MatchRule {
public:
    MatchRule(bool loose, bool mfg, bool labelType, bool labelColor) : used_ {true, mfg, labelType, labelColor}
    {
        for (size_t c = 0; c < table_.size(); ++c) {
            const unsigned char upper = Cp1252::ToUpper(static_cast<unsigned char>(c));
            table_[c] = loose && IsLoosePunctuation(upper) ? kDrop : upper;
        }
    }
    static std::vector<std::string> FieldNames() { return {"TITLE", "MFG", "LABELTYPE", "LABELCOLOR"}; }

    // Appends the key of the texts of the four fields to Out, each text after its length.
    void Write(const std::string_view (&texts)[4], ByteBuffer& out) const
    {
        size_t room = sizeof(uint32_t);
        for (size_t f = 0; f < 4; ++f)
            room += used_[f] ? sizeof(uint32_t) + texts[f].size() : 0;
        char* const start = out.Reserve(room);
        char* at = start + sizeof(uint32_t);
        for (size_t f = 0; f < 4; ++f) {
            if (used_[f]) {
                const uint32_t length = Normalise(texts[f], at + sizeof(uint32_t));
                std::memcpy(at, &length, sizeof length);
                at += sizeof length + length;
            }
        }
        const auto length = static_cast<uint32_t>(at - start - sizeof(uint32_t));
        std::memcpy(start, &length, sizeof length);
        out.Commit(sizeof length + length);
    }

private:
    static constexpr unsigned char kDrop = 'a';  // upper-casing never gives a lower-case letter

    uint32_t Normalise(std::string_view text, char* out) const
    {
        uint32_t length = 0;
        for (const char ch : text) {
            const unsigned char mapped = table_[static_cast<unsigned char>(ch)];
            out[length] = static_cast<char>(mapped);
            length += mapped != kDrop;
        }
        return length;
    }

    bool used_[4];
    std::array<unsigned char, 256> table_;
};

// StoredText, with the common case of a text value in line.
[[gnu::always_inline]] inline std::string_view TextOf(const TBaseCustomClass& item, int32_t position,
                                                      std::string& spare)
{
    if (position >= 0 && item.KindAt(position) == ValueKind::Text)
        return item.TextAt(position);
    return StoredText(item, position, spare);
}

// A whole-number Quantity, or nothing when it does not convert; 0 for an item without the field.
std::optional<int32_t> TryQuantity(const TBaseCustomClass& item, int32_t position)
{
    if (position < 0)
        return 0;
    return item.KindAt(position) == ValueKind::Text ? TryTextToInteger(item.TextAt(position))
                                                    : TryToInteger(item.ValueAt(position));
}

// The same, failing with the message that names the item.
int32_t Quantity(const TBaseCustomClass& item, int64_t index, const char* listName)
{
    const int32_t position = item.IndexOfField("QUANTITY");
    if (const std::optional<int32_t> quantity = TryQuantity(item, position))
        return *quantity;
    try {
        return ToInteger(item.ValueAt(position));
    } catch (const std::runtime_error& e) {
        throw ItemValueError(e.what(), index + 1, "QUANTITY", listName);
    }
}

// What the comparison needs of one item, read for slices of a list at once.
struct ItemFacts {
    uint64_t CopyHash;   // of the stored texts of the key fields, so equal for copies
    uint64_t KeyHash;    // of the match key
    uint32_t KeyOffset;  // of the match key in the slice's buffer
    int32_t Quantity;
    bool Converts;  // Quantity is a number: no failure waits at this item
};

// One input list with its copies merged: an entry per first copy, in list order, and the set of the
// entries' match keys.
struct Side {
    struct Entry {
        const TBaseCustomClass* Item;
        int32_t Index;     // in the input list
        int32_t Quantity;  // summed when Merged
        bool Merged, Converts;
        uint64_t KeyHash;
        uint32_t KeyOffset;  // in Keys
    };

    Side(const char* name, const TCartListClass& list, size_t slices)
        : Name(name), List(list), Facts(std::make_unique_for_overwrite<ItemFacts[]>(list.Items().size())),
          SliceKeys(slices)
    {
    }
    // Items From .. To of slice Slice.
    size_t From(size_t slice) const { return List.Items().size() * slice / SliceKeys.size(); }
    std::string_view Key(const Entry& entry) const { return KeyAt(Keys.Data() + entry.KeyOffset); }

    const char* Name;
    const TCartListClass& List;
    std::unique_ptr<ItemFacts[]> Facts;            // of every item, until the copies are merged
    std::vector<PerThread<ByteBuffer>> SliceKeys;  // the match keys of every item, until then
    std::vector<Entry> Entries;
    ByteBuffer Keys;
    SlotTable ByKey;  // entries' key offsets by key hash
};

// Reads the facts of the items of one slice: the copy hash, the Quantity and the match key.
void ReadFacts(Side& side, size_t slice, const MatchRule& rule)
{
    const auto& items = side.List.Items();
    FieldPositions copyFields(side.List.KeyFieldNames), matchFields(MatchRule::FieldNames()), quantity({"QUANTITY"});
    std::string spare, spares[4];
    ByteBuffer& keys = side.SliceKeys[slice].Value;
    const size_t to = side.From(slice + 1);
    constexpr size_t kAhead = 4;  // items lie anywhere in memory: ask for them early
    for (size_t i = side.From(slice); i < to; ++i) {
        if (i + kAhead < to)
            __builtin_prefetch(items[i + kAhead].get());
        const TBaseCustomClass& item = *items[i];
        ItemFacts& facts = side.Facts[i];
        facts.CopyHash = 0;
        for (const int32_t position : copyFields.In(item.Fields()))
            facts.CopyHash = HashBytes(facts.CopyHash, TextOf(item, position, spare));
        const std::optional<int32_t> number = TryQuantity(item, quantity.In(item.Fields())[0]);
        facts.Quantity = number.value_or(0);
        facts.Converts = number.has_value();
        const std::vector<int32_t>& positions = matchFields.In(item.Fields());
        const std::string_view texts[4] = {TextOf(item, positions[0], spares[0]), TextOf(item, positions[1], spares[1]),
                                           TextOf(item, positions[2], spares[2]),
                                           TextOf(item, positions[3], spares[3])};
        facts.KeyOffset = static_cast<uint32_t>(keys.Size());
        rule.Write(texts, keys);
        facts.KeyHash = HashBytes(0, KeyAt(keys.Data() + facts.KeyOffset));
    }
}

// Merges copies in list order into entries, summing their quantities; the first failure in list
// order is raised. Then indexes the entries' keys.
void MergeCopies(Side& side)
{
    const auto& items = side.List.Items();
    SlotTable copies(items.size());
    CopyKey same(side.List.KeyFieldNames);
    side.Entries.reserve(items.size());
    constexpr size_t kAhead = 16;  // table slots lie anywhere in memory: ask for them early
    for (size_t slice = 0; slice < side.SliceKeys.size(); ++slice) {
        const char* const sliceKeys = side.SliceKeys[slice].Value.Data();
        for (size_t i = side.From(slice), to = side.From(slice + 1); i < to; ++i) {
            if (i + kAhead < items.size())
                copies.Prefetch(side.Facts[i + kAhead].CopyHash);
            const ItemFacts& facts = side.Facts[i];
            const int64_t found =
                copies.Find(facts.CopyHash, [&](uint32_t e) { return same.Equal(*side.Entries[e].Item, *items[i]); });
            if (found < 0) {
                copies.Insert(facts.CopyHash, static_cast<uint32_t>(side.Entries.size()));
                const std::string_view key = KeyAt(sliceKeys + facts.KeyOffset);
                const size_t size = sizeof(uint32_t) + key.size();
                side.Entries.push_back({items[i].get(), static_cast<int32_t>(i), facts.Quantity, false, facts.Converts,
                                        facts.KeyHash, static_cast<uint32_t>(side.Keys.Size())});
                std::memcpy(side.Keys.Reserve(size), key.data() - sizeof(uint32_t), size);
                side.Keys.Commit(size);
                continue;
            }
            Side::Entry& entry = side.Entries[static_cast<size_t>(found)];
            if (!entry.Converts)
                Quantity(*entry.Item, entry.Index, side.Name);
            if (!facts.Converts)
                Quantity(*items[i], static_cast<int64_t>(i), side.Name);
            const int64_t sum = int64_t {entry.Quantity} + facts.Quantity;
            if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
                throw ItemValueError(VariantOverflowError().what(), static_cast<int64_t>(i) + 1, "QUANTITY", side.Name);
            entry.Quantity = static_cast<int32_t>(sum);
            entry.Merged = true;
        }
        side.SliceKeys[slice].Value.Release();
    }
    side.Facts.reset();
    side.ByKey = SlotTable(side.Entries.size());
    for (size_t e = 0; e < side.Entries.size(); ++e) {
        if (e + kAhead < side.Entries.size())
            side.ByKey.Prefetch(side.Entries[e + kAhead].KeyHash);
        side.ByKey.Insert(side.Entries[e].KeyHash, side.Entries[e].KeyOffset);
    }
}

// One pass before its progress is told: the source entries it lists, and those whose Quantity does
// not convert, in title order.
struct Pass {
    std::vector<uint32_t> Found;
    std::vector<std::unique_ptr<TBaseCustomClass>> Copies;  // for each of Found; none for a bad Quantity
};

Pass FindMissing(const Side& reference, const Side& source, int32_t minQty)
{
    Pass pass;
    std::vector<const TBaseCustomClass*> found;
    // The reference's slot of an entry is asked for two steps ahead, the key in it one step ahead.
    constexpr size_t kStep = 16;
    const size_t count = source.Entries.size();
    for (size_t i = 0; i < count; ++i) {
        if (i + 2 * kStep < count)
            reference.ByKey.Prefetch(source.Entries[i + 2 * kStep].KeyHash);
        if (i + kStep < count) {
            reference.ByKey.Peek(source.Entries[i + kStep].KeyHash,
                                 [&](uint32_t offset) { __builtin_prefetch(reference.Keys.Data() + offset); });
        }
        const Side::Entry& entry = source.Entries[i];
        if (entry.Converts) {
            if (entry.Quantity < minQty)
                continue;
            const std::string_view key = source.Key(entry);
            if (reference.ByKey.Find(entry.KeyHash,
                                     [&](uint32_t at) { return KeyAt(reference.Keys.Data() + at) == key; }) >= 0)
                continue;
        }
        std::unique_ptr<TBaseCustomClass> copy;
        if (entry.Converts) {
            if (&entry.Item->Fields() == &MediaFieldSet()) {
                copy = entry.Item->Clone();
            } else {
                copy = CreateItemObject(itMedia);
                copy->Assign(*entry.Item);
            }
            if (entry.Merged)
                copy->SetFieldValue("QUANTITY", entry.Quantity);
        }
        pass.Found.push_back(static_cast<uint32_t>(i));
        pass.Copies.push_back(std::move(copy));
        found.push_back(entry.Item);
    }
    // Only what is found is put in title order; equal titles keep the order of their first copies.
    const std::vector<uint32_t> order = SortedOrder(found, "TITLE", 1);
    Pass sorted;
    sorted.Found.reserve(order.size());
    sorted.Copies.reserve(order.size());
    for (const uint32_t k : order) {
        sorted.Found.push_back(pass.Found[k]);
        sorted.Copies.push_back(std::move(pass.Copies[k]));
    }
    return sorted;
}

// The place of every entry in title order.
std::vector<uint32_t> TitleRanks(const Side& side)
{
    std::vector<const TBaseCustomClass*> items;
    items.reserve(side.Entries.size());
    for (const Side::Entry& entry : side.Entries)
        items.push_back(entry.Item);
    const std::vector<uint32_t> order = SortedOrder(items, "TITLE", 1);
    std::vector<uint32_t> ranks(order.size());
    for (uint32_t k = 0; k < order.size(); ++k)
        ranks[order[k]] = k;
    return ranks;
}

// The result of a pass, told as if the source entries were looked at one by one in title order: a
// Quantity that does not convert stops the pass at its entry, and an abort keeps what came before.
std::unique_ptr<TCartListClass> Deliver(Pass& pass, const Side& source, const TCompareProgressProc& progress)
{
    bool abort = false;
    if (progress)
        progress(0, abort);
    const auto listed =
        static_cast<size_t>(std::find(pass.Copies.begin(), pass.Copies.end(), nullptr) - pass.Copies.begin());
    const bool stops = listed < pass.Copies.size();
    size_t keep = listed;
    bool aborted = false;
    if (progress) {
        std::vector<uint32_t> ranks;  // only when the place of a stop is needed
        const int64_t last = static_cast<int64_t>(source.Entries.size()) - 1;
        int64_t end = last;
        if (stops) {
            ranks = TitleRanks(source);
            end = int64_t {ranks[pass.Found[listed]]} - 1;
        }
        for (int64_t i = 0; i <= end && !aborted; ++i) {
            abort = false;
            progress(last == 0 ? 0 : static_cast<int32_t>(i * 100 / last), abort);
            aborted = abort;
            if (!aborted)
                continue;
            if (ranks.empty())
                ranks = TitleRanks(source);
            keep = 0;
            while (keep < listed && ranks[pass.Found[keep]] <= i)
                ++keep;
        }
    }
    if (stops && !aborted) {
        const Side::Entry& entry = source.Entries[pass.Found[listed]];
        Quantity(*entry.Item, entry.Index, source.Name);
    }
    auto dest = NewResultList();
    pass.Copies.resize(keep);
    dest->AddItems(std::move(pass.Copies));
    return dest;
}

// From this many items in both lists together the work is shared by threads, a slice of a list per
// so many items.
constexpr size_t kThreadedFrom = 2048;
constexpr size_t kItemsPerSlice = 16384;

// Runs Work(0) .. Work(Count - 1) side by side, or one after the other when not Threaded; the first
// failure in that order is the one raised.
template <typename Work> void RunAll(size_t count, bool threaded, Work work)
{
    if (threaded) {
        RunSlices(count, work);
        return;
    }
    for (size_t t = 0; t < count; ++t)
        work(t);
}

}  // namespace

TCartCompareClass::TCartCompareClass() : MissingFromOne(NewResultList()), MissingFromTwo(NewResultList()) { }

TCartCompareClass::~TCartCompareClass() = default;

void TCartCompareClass::Compare(const TCartListClass& listOne, const TCartListClass& listTwo)
{
    const size_t items = listOne.Items().size() + listTwo.Items().size();
    const bool threaded = items >= kThreadedFrom;
    // Half the threads for each list; the slices of list one come first.
    const size_t perList = std::max<size_t>(1, SliceCount(std::max<size_t>(2, items / kItemsPerSlice)) / 2);
    Side one("list one", listOne, perList), two("list two", listTwo, perList);
    const MatchRule rule(IgnorePunctuation, !IgnoreMfg, !IgnoreLabelType, !IgnoreLabelColor);
    RunAll(2 * perList, threaded, [&](size_t t) { ReadFacts(t < perList ? one : two, t % perList, rule); });
    RunAll(2, threaded, [&](size_t t) { MergeCopies(t == 0 ? one : two); });
    // Filled side by side: each on lines of its own.
    alignas(64) Pass fromOne;
    alignas(64) Pass fromTwo;
    RunAll(2, threaded, [&](size_t t) {
        if (t == 0)
            fromOne = FindMissing(one, two, MinQty);
        else
            fromTwo = FindMissing(two, one, MinQty);
    });
    // The second pass is told even when the first was aborted; results change only when both finished.
    auto missingFromOne = Deliver(fromOne, two, OnProgress);
    auto missingFromTwo = Deliver(fromTwo, one, OnProgress);
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
