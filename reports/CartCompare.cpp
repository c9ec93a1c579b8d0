#include "reports/CartCompare.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <exception>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include "model/CopyKey.h"
#include "model/FieldSet.h"
#include "model/ItemClasses.h"
#include "model/ItemSort.h"
#include "model/ListFactory.h"
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

// Runs First on the calling thread and Second beside it; First's failure is the one reported when
// both fail, as if they had run one after the other.
template <typename First, typename Second> void RunBoth(First first, Second second)
{
    std::exception_ptr secondFailure;
    std::thread worker;
    try {
        worker = std::thread([&] {
            try {
                second();
            } catch (...) {
                secondFailure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        first();  // no thread to be had: one after the other
        second();
        return;
    }
    try {
        first();
    } catch (...) {
        worker.join();
        throw;
    }
    worker.join();
    if (secondFailure)
        std::rethrow_exception(secondFailure);
}

// Eight bytes per step; Finish spreads the result over the low bits the tables index by.
uint64_t Mix(uint64_t hash, uint64_t word)
{
    hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    return hash ^ (hash >> 29);
}

uint64_t HashBytes(uint64_t hash, std::string_view bytes)
{
    const char* at = bytes.data();
    size_t left = bytes.size();
    hash = Mix(hash, left);
    for (; left >= 8; at += 8, left -= 8) {
        uint64_t word;
        std::memcpy(&word, at, 8);
        hash = Mix(hash, word);
    }
    if (left > 0) {
        uint64_t word = 0;
        std::memcpy(&word, at, left);
        hash = Mix(hash, word);
    }
    return hash;
}

uint64_t Finish(uint64_t hash)
{
    hash = (hash ^ (hash >> 33)) * 0xFF51AFD7ED558CCDull;
    hash = (hash ^ (hash >> 33)) * 0xC4CEB9FE1A85EC53ull;
    return hash ^ (hash >> 33);
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

private:
    std::unique_ptr<char[]> data_;
    size_t size_ = 0, capacity_ = 0;
};

// The text the matching compares: each byte upper-cased and, when punctuation is ignored, blanks and
// punctuation dropped, by one look-up per byte.
class MatchTable {
public:
    explicit MatchTable(bool loose)
    {
        for (size_t c = 0; c < table_.size(); ++c) {
            const unsigned char upper = Cp1252::ToUpper(static_cast<unsigned char>(c));
            table_[c] = loose && IsLoosePunctuation(upper) ? kDrop : upper;
        }
    }
    // Writes the text of Text to Out (room for Text's size) and returns its length.
    size_t Write(std::string_view text, char* out) const
    {
        size_t length = 0;
        for (const char ch : text) {
            const unsigned char mapped = table_[static_cast<unsigned char>(ch)];
            out[length] = static_cast<char>(mapped);
            length += mapped != kDrop;
        }
        return length;
    }

private:
    static constexpr unsigned char kDrop = 'a';  // upper-casing never gives a lower-case letter
    std::array<unsigned char, 256> table_;
};

// A whole-number Quantity, or nothing when it does not convert; 0 for an item without the field.
std::optional<int32_t> TryQuantity(const TBaseCustomClass& item, int32_t position)
{
    if (position < 0)
        return 0;
    return item.KindAt(position) == ValueKind::Text ? TryTextToInteger(item.TextAt(position))
                                                    : TryToInteger(item.ValueAt(position));
}

// The same, failing with the message that names the item.
int32_t Quantity(const TBaseCustomClass& item, int32_t position, int64_t index, const char* listName)
{
    try {
        return position < 0 ? 0 : ToInteger(item.ValueAt(position));
    } catch (const std::runtime_error& e) {
        throw ItemValueError(e.what(), index + 1, "QUANTITY", listName);
    }
}

}  // namespace

// One input list with its copies merged: an entry per first copy, in list order, and the set of the
// entries' match texts.
struct TCartCompareClass::Side {
    struct Entry {
        const TBaseCustomClass* Item;
        int32_t Index;  // in the input list
        int32_t Sum;    // the summed Quantity, when Merged
        bool Merged;
        uint64_t KeyHash;
        uint32_t KeyOffset;  // in Keys: the key's length, then its bytes
    };
    explicit Side(const char* name) : Name(name) { }

    const char* Name;
    std::vector<Entry> Entries;
    ByteBuffer Keys;
    SlotTable ByKey;

    std::string_view Key(const Entry& entry) const { return KeyAt(entry.KeyOffset); }
    std::string_view KeyAt(uint32_t offset) const
    {
        uint32_t length;
        std::memcpy(&length, Keys.Data() + offset, sizeof length);
        return {Keys.Data() + offset + sizeof length, length};
    }
    bool Holds(const Entry& other, std::string_view key) const
    {
        return ByKey.Find(other.KeyHash, [&](uint32_t offset) { return KeyAt(offset) == key; }) >= 0;
    }
};

// The outcome of one pass before its progress is told: the source entries it lists, and those whose
// Quantity does not convert, in title order.
struct TCartCompareClass::Pass {
    std::vector<uint32_t> Found;
    std::vector<std::unique_ptr<TBaseCustomClass>> Copies;  // for each of Found; none for a bad Quantity
};

// Copies of one another met in list order: which entry an item belongs to, and the summed Quantity.
class TCartCompareClass::CopyMerger {
public:
    CopyMerger(const TCartListClass& list, Side& side)
        : items_(list.Items()), side_(side), fields_(list.KeyFieldNames), table_(list.Items().size()),
          copies_(list.KeyFieldNames)
    {
    }

    // True when item I is a copy of an earlier entry, whose Sum then includes it.
    bool Merge(size_t i)
    {
        const TBaseCustomClass& item = *items_[i];
        uint64_t hash = 0x9E3779B97F4A7C15ull;
        for (int32_t position : fields_.In(item.Fields()))
            hash = HashBytes(hash, StoredText(item, position, spare_));
        hash = Finish(hash);
        const int64_t found = table_.Find(hash, [&](uint32_t e) { return copies_.Equal(*side_.Entries[e].Item, item); });
        if (found < 0) {
            table_.Insert(hash, static_cast<uint32_t>(side_.Entries.size()));
            return false;
        }
        Side::Entry& entry = side_.Entries[static_cast<size_t>(found)];
        int64_t sum = entry.Merged ? entry.Sum : QuantityOf(static_cast<size_t>(entry.Index));
        sum += QuantityOf(i);
        if (sum < std::numeric_limits<int32_t>::min() || sum > std::numeric_limits<int32_t>::max())
            throw ItemValueError(VariantOverflowError().what(), static_cast<int64_t>(i) + 1, "QUANTITY", side_.Name);
        entry.Sum = static_cast<int32_t>(sum);
        entry.Merged = true;
        return true;
    }

private:
    int32_t QuantityOf(size_t index)
    {
        const TBaseCustomClass& item = *items_[index];
        return Quantity(item, quantity_.In(item.Fields())[0], static_cast<int64_t>(index), side_.Name);
    }

    const std::vector<std::unique_ptr<TBaseCustomClass>>& items_;
    Side& side_;
    FieldPositions fields_, quantity_ {{"QUANTITY"}};
    SlotTable table_;
    CopyKey copies_;
    std::string spare_;
};

// The match key of an entry: the normalised Title and the fields not ignored, each after its length.
class TCartCompareClass::KeyWriter {
public:
    KeyWriter(const TCartCompareClass& engine, Side& side)
        : side_(side), text_(engine.IgnorePunctuation), used_ {true, !engine.IgnoreMfg, !engine.IgnoreLabelType,
                                                                !engine.IgnoreLabelColor}
    {
    }

    void Write(Side::Entry& entry)
    {
        const TBaseCustomClass& item = *entry.Item;
        const std::vector<int32_t>& positions = compared_.In(item.Fields());
        std::string_view texts[4];
        size_t room = sizeof(uint32_t);
        for (size_t f = 0; f < 4; ++f) {
            if (used_[f]) {
                texts[f] = StoredText(item, positions[f], spare_[f]);
                room += sizeof(uint32_t) + texts[f].size();
            }
        }
        char* const start = side_.Keys.Reserve(room);
        char* out = start + sizeof(uint32_t);
        for (size_t f = 0; f < 4; ++f) {
            if (used_[f]) {
                const auto length = static_cast<uint32_t>(text_.Write(texts[f], out + sizeof(uint32_t)));
                std::memcpy(out, &length, sizeof length);
                out += sizeof length + length;
            }
        }
        const auto length = static_cast<uint32_t>(out - start - sizeof(uint32_t));
        std::memcpy(start, &length, sizeof length);
        entry.KeyOffset = static_cast<uint32_t>(side_.Keys.Size());
        entry.KeyHash = Finish(HashBytes(0, {start + sizeof length, length}));
        side_.Keys.Commit(sizeof length + length);
    }

private:
    Side& side_;
    MatchTable text_;
    const bool used_[4];
    FieldPositions compared_ {{"TITLE", "MFG", "LABELTYPE", "LABELCOLOR"}};
    std::string spare_[4];
};

TCartCompareClass::TCartCompareClass() : MissingFromOne(NewResultList()), MissingFromTwo(NewResultList()) { }

TCartCompareClass::~TCartCompareClass() = default;

void TCartCompareClass::Report(int32_t percent, bool& abort) const
{
    if (OnProgress)
        OnProgress(percent, abort);
}

void TCartCompareClass::Prepare(const TCartListClass& list, Side& side) const
{
    const auto& items = list.Items();
    CopyMerger merger(list, side);
    KeyWriter keys(*this, side);
    side.Entries.reserve(items.size());
    constexpr size_t kAhead = 8;  // items lie anywhere in memory: ask for them early
    for (size_t i = 0; i < items.size(); ++i) {
        if (i + kAhead < items.size())
            __builtin_prefetch(items[i + kAhead].get());
        if (merger.Merge(i))
            continue;
        side.Entries.push_back({items[i].get(), static_cast<int32_t>(i), 0, false, 0, 0});
        keys.Write(side.Entries.back());
    }
    side.ByKey = SlotTable(side.Entries.size());
    for (const Side::Entry& entry : side.Entries)
        side.ByKey.Insert(entry.KeyHash, entry.KeyOffset);
}

TCartCompareClass::Pass TCartCompareClass::FindMissing(const Side& reference, const Side& source) const
{
    Pass pass;
    std::vector<const TBaseCustomClass*> found;
    FieldPositions quantity({"QUANTITY"});
    constexpr size_t kAhead = 8;
    const size_t count = source.Entries.size();
    for (size_t i = 0; i < count; ++i) {
        if (i + kAhead < count)
            reference.ByKey.Prefetch(source.Entries[i + kAhead].KeyHash);
        const Side::Entry& entry = source.Entries[i];
        std::optional<int32_t> number = entry.Sum;
        if (!entry.Merged)
            number = TryQuantity(*entry.Item, quantity.In(entry.Item->Fields())[0]);
        if (number && *number < MinQty)
            continue;
        if (number && reference.Holds(entry, source.Key(entry)))
            continue;
        std::unique_ptr<TBaseCustomClass> copy;
        if (number) {
            if (&entry.Item->Fields() == &MediaFieldSet()) {
                copy = entry.Item->Clone();
            } else {
                copy = CreateItemObject(itMedia);
                copy->Assign(*entry.Item);
            }
            if (entry.Merged)
                copy->SetFieldValue("QUANTITY", entry.Sum);
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
    for (uint32_t k : order) {
        sorted.Found.push_back(pass.Found[k]);
        sorted.Copies.push_back(std::move(pass.Copies[k]));
    }
    return sorted;
}

std::vector<uint32_t> TCartCompareClass::TitleRanks(const Side& side)
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

std::unique_ptr<TCartListClass> TCartCompareClass::Deliver(Pass& pass, const Side& source) const
{
    // Told as if the source entries were looked at one by one in title order: a Quantity that does
    // not convert stops the pass at its entry, and an abort keeps what was found before it.
    bool abort = false;
    Report(0, abort);
    const auto listed = static_cast<size_t>(std::find(pass.Copies.begin(), pass.Copies.end(), nullptr) -
                                            pass.Copies.begin());
    const bool stops = listed < pass.Copies.size();
    size_t keep = listed;
    bool aborted = false;
    if (OnProgress) {
        std::vector<uint32_t> ranks;  // of every entry, only when the place of a stop is needed
        const int64_t last = static_cast<int64_t>(source.Entries.size()) - 1;
        int64_t end = last;
        if (stops) {
            ranks = TitleRanks(source);
            end = static_cast<int64_t>(ranks[pass.Found[listed]]) - 1;
        }
        for (int64_t i = 0; i <= end; ++i) {
            abort = false;
            Report(last == 0 ? 0 : static_cast<int32_t>(i * 100 / last), abort);
            if (!abort)
                continue;
            aborted = true;
            if (ranks.empty())
                ranks = TitleRanks(source);
            keep = 0;
            while (keep < listed && ranks[pass.Found[keep]] <= i)
                ++keep;
            break;
        }
    }
    if (stops && !aborted) {
        const Side::Entry& entry = source.Entries[pass.Found[listed]];
        Quantity(*entry.Item, FieldPositions({"QUANTITY"}).In(entry.Item->Fields())[0], entry.Index, source.Name);
    }
    auto dest = NewResultList();
    pass.Copies.resize(keep);
    dest->AddItems(std::move(pass.Copies));
    return dest;
}

void TCartCompareClass::Compare(const TCartListClass& listOne, const TCartListClass& listTwo)
{
    Side one("list one"), two("list two");
    RunBoth([&] { Prepare(listOne, one); }, [&] { Prepare(listTwo, two); });
    Pass fromOne, fromTwo;
    RunBoth([&] { fromOne = FindMissing(one, two); }, [&] { fromTwo = FindMissing(two, one); });
    // The second pass is told even when the first was aborted; results change only when both finished.
    auto missingFromOne = Deliver(fromOne, two);
    auto missingFromTwo = Deliver(fromTwo, one);
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
