#include "model/ItemSort.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <numeric>
#include <optional>
#include <span>
#include <utility>

#include "model/ListFileSlices.h"
#include "platform/Cp1252.h"

namespace quorvel {

namespace {

enum class KeyKind : uint8_t { Number, Text };
enum KeyRank : uint8_t { NeverAssigned = 0, Unconvertible = 1, Converted = 2 };

struct SortKey {
    // A converted number as unsigned bits of the same order; for text its first eight bytes, big-end
    // first and padded with zeros, which decide most comparisons without reading the text.
    uint64_t Number = 0;
    size_t Offset = 0;  // text in the arena
    uint32_t Length = 0;
    uint32_t Index = 0;
    KeyRank Rank = NeverAssigned;
    KeyKind Kind = KeyKind::Text;
};

// A double as an unsigned number of the same order (-0 and 0 alike).
uint64_t OrderedBits(double d)
{
    if (d == 0)
        d = 0;
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return (bits & 0x8000000000000000ull) ? ~bits : bits | 0x8000000000000000ull;
}

// Money keeps its exact scaled value: a double cannot tell amounts apart from about 9 * 10^11 on.
uint64_t OrderedBits(int64_t n) { return static_cast<uint64_t>(n) ^ 0x8000000000000000ull; }

// A value converted by its text form when it is text, else by its value form.
template <typename FromText, typename FromValue>
auto Convert(const TBaseCustomClass& item, int32_t position, FromText fromText, FromValue fromValue)
{
    return item.KindAt(position) == ValueKind::Text ? fromText(item.TextAt(position))
                                                    : fromValue(item.ValueAt(position));
}

class KeyBuilder {
public:
    explicit KeyBuilder(std::string_view fieldName) : fieldName_(fieldName) { }

    SortKey Build(const TBaseCustomClass& item, uint32_t index)
    {
        SortKey key;
        key.Index = index;
        const int32_t p = Position(item);
        if (p < 0 || item.KindAt(p) == ValueKind::Unassigned)
            return key;
        std::optional<uint64_t> number;
        bool numeric = true;
        switch (item.Fields()[p].DataType) {
        case dtSmallint:
        case dtInteger:
        case dtByte:
            if (auto i = Convert(item, p, TryTextToInteger, TryToInteger))
                number = OrderedBits(double(*i));
            break;
        case dtSingle:
        case dtDouble:
            if (auto d = Convert(item, p, TryTextToDouble, TryToDouble); d && !std::isnan(*d))
                number = OrderedBits(*d);
            break;
        case dtCurrency:
            if (auto c = Convert(item, p, TryTextToCurrency, TryToCurrency))
                number = OrderedBits(c->Scaled);
            break;
        case dtBoolean:
            if (auto b = Convert(item, p, TryTextToBoolean, TryToBoolean))
                number = OrderedBits(*b ? 1.0 : 0.0);
            break;
        default:
            numeric = false;
        }
        if (numeric && number) {
            key.Rank = Converted;
            key.Kind = KeyKind::Number;
            key.Number = *number;
            return key;
        }
        key.Rank = numeric ? Unconvertible : Converted;
        if (item.KindAt(p) == ValueKind::Text)
            AppendLower(key, item.TextAt(p));
        else
            AppendLower(key, ToText(item.ValueAt(p)));
        return key;
    }

    const std::string& Arena() const { return arena_; }
    // Drops the texts of the keys built so far; the arena keeps its memory for the next keys.
    void ClearArena() { arena_.clear(); }

private:
    // The field's position in the item's set; -1 when the set lacks it.
    int32_t Position(const TBaseCustomClass& item)
    {
        if (&item.Fields() != lastSet_) {
            lastSet_ = &item.Fields();
            position_ = lastSet_->IndexOf(fieldName_);
        }
        return position_;
    }

    void AppendLower(SortKey& key, std::string_view text)
    {
        const auto& lower = Cp1252::LowerTable();
        key.Offset = arena_.size();
        key.Length = static_cast<uint32_t>(text.size());
        arena_.resize(key.Offset + text.size());
        unsigned char* out = reinterpret_cast<unsigned char*>(arena_.data() + key.Offset);
        uint64_t prefix = 0;
        for (size_t i = 0; i < text.size(); ++i) {
            out[i] = lower[static_cast<unsigned char>(text[i])];
            if (i < 8)
                prefix |= uint64_t(out[i]) << (56 - 8 * i);
        }
        key.Number = prefix;
    }

    std::string_view fieldName_;
    const FieldSet* lastSet_ = nullptr;
    int32_t position_ = -1;
    std::string arena_;
};

// Items of a sorted list lie anywhere in memory; asking for an item's memory some items ahead lets
// the loads overlap. (Also asking for its value and text in further stages gained little, now that
// the values lie in the item.)
template <typename Items, typename Consume>
void BuildKeys(const Items& items, size_t first, size_t last, KeyBuilder& builder, Consume consume)
{
    constexpr size_t kAhead = 9;
    for (size_t i = first; i < last; ++i) {
        if (i + kAhead < last)
            __builtin_prefetch(&*items[i + kAhead]);
        consume(builder.Build(*items[i], static_cast<uint32_t>(i)));
    }
}

// Three-way comparison of keys whose texts lie in those arenas; a strict weak order whatever the
// keys hold.
int CompareKeys(const SortKey& a, const char* arenaA, const SortKey& b, const char* arenaB)
{
    if (a.Rank != b.Rank)
        return a.Rank < b.Rank ? -1 : 1;
    if (a.Rank == NeverAssigned)
        return 0;
    if (a.Kind != b.Kind)
        return a.Kind < b.Kind ? -1 : 1;
    if (a.Number != b.Number)
        return a.Number < b.Number ? -1 : 1;
    if (a.Kind == KeyKind::Number)
        return 0;
    const uint32_t common = std::min(a.Length, b.Length);
    const int c = common > 8 ? std::memcmp(arenaA + a.Offset + 8, arenaB + b.Offset + 8, common - 8) : 0;
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.Length < b.Length ? -1 : (a.Length > b.Length ? 1 : 0);
}

struct NumberKey {
    uint64_t Bits;
    uint32_t Index;
};

// The working memory of one sort.
struct SortBuffers {
    std::vector<NumberKey> Numbers, Prefixes, Radix;
    std::vector<SortKey> Others;
    std::array<std::vector<SortKey>, 3> Ranks;

    void Clear()
    {
        for (auto* v : {&Numbers, &Prefixes, &Radix})
            v->clear();
        Others.clear();
        for (auto& rank : Ranks)
            rank.clear();
    }
};

// Stable LSD radix sort by Bits over the bytes in which the keys differ; Buffer is scratch memory.
void RadixSort(std::vector<NumberKey>& keys, std::vector<NumberKey>& buffer)
{
    if (keys.empty())
        return;
    uint64_t varying = 0;
    for (const auto& key : keys)
        varying |= key.Bits ^ keys.front().Bits;
    for (int shift = 0; shift < 64; shift += 8) {
        if (((varying >> shift) & 0xFF) == 0)
            continue;
        buffer.resize(keys.size());
        size_t counts[256] = {};
        for (const auto& key : keys)
            ++counts[(key.Bits >> shift) & 0xFF];
        size_t offset = 0;
        for (auto& count : counts)
            offset += std::exchange(count, offset);
        for (const auto& key : keys)
            buffer[counts[(key.Bits >> shift) & 0xFF]++] = key;
        keys.swap(buffer);
    }
}

// Eight bytes of a key's text from Depth on, big-end first and padded with zeros: the zero byte and
// a shorter text both sort first, so these bytes order keys as CompareKeys does where they differ.
uint64_t TextBytesAt(const char* arena, const SortKey& key, uint32_t depth)
{
    const auto* text = reinterpret_cast<const unsigned char*>(arena + key.Offset);
    uint64_t bytes = 0;
    for (uint32_t i = 0; i < 8 && depth + i < key.Length; ++i)
        bytes |= uint64_t(text[depth + i]) << (56 - 8 * i);
    return bytes;
}

// Orders Keys[Start, End), whose texts agree in their first Depth bytes: while the run is long, a
// stable radix pass over the next eight bytes splits it (titles often share their first word);
// short runs and keys that agree to their end are compared.
template <typename Less>
void SortRun(std::vector<SortKey>& keys, size_t start, size_t end, uint32_t depth, const char* arena, bool descending,
             const Less& less)
{
    constexpr size_t kShortRun = 32;
    const auto first = keys.begin() + static_cast<std::ptrdiff_t>(start);
    const auto last = keys.begin() + static_cast<std::ptrdiff_t>(end);
    const bool longer = std::any_of(first, last, [depth](const SortKey& key) { return key.Length > depth; });
    // Keys equal to their end (a title listed many times) stand in position order already: every
    // pass before was stable.
    if (!longer && std::all_of(first, last, [first](const SortKey& key) { return key.Length == first->Length; }))
        return;
    if (end - start <= kShortRun || !longer) {
        std::sort(first, last, less);
        return;
    }
    std::vector<NumberKey> prefixes, scratch;
    prefixes.reserve(end - start);
    for (size_t k = start; k < end; ++k) {
        const uint64_t bytes = TextBytesAt(arena, keys[k], depth);
        prefixes.push_back({descending ? ~bytes : bytes, static_cast<uint32_t>(k - start)});
    }
    RadixSort(prefixes, scratch);
    const std::vector<SortKey> run(first, last);
    for (size_t k = 0; k < prefixes.size(); ++k)
        keys[start + k] = run[prefixes[k].Index];
    for (size_t r = 0; r < prefixes.size();) {
        size_t e = r + 1;
        while (e < prefixes.size() && prefixes[e].Bits == prefixes[r].Bits)
            ++e;
        if (e - r > 1)
            SortRun(keys, start + r, start + e, depth + 8, arena, descending, less);
        r = e;
    }
}

// Orders keys that are no converted numbers as CompareKeys does (reversed when descending), ties by
// position: ranks are split off first, a stable radix pass over the text prefixes does most of the
// work, and only keys that share a prefix are compared.
void SortOtherKeys(std::vector<SortKey>& keys, const char* arena, bool descending, SortBuffers& buffers)
{
    const auto less = [arena, descending](const SortKey& a, const SortKey& b) {
        const int c = CompareKeys(a, arena, b, arena);
        if (c != 0)
            return descending ? c > 0 : c < 0;
        return a.Index < b.Index;
    };
    auto& ranks = buffers.Ranks;
    for (const SortKey& key : keys)
        ranks[key.Rank].push_back(key);
    keys.clear();
    auto& prefixes = buffers.Prefixes;
    for (size_t r = 0; r < ranks.size(); ++r) {
        const std::vector<SortKey>& group = ranks[descending ? ranks.size() - 1 - r : r];
        if (group.empty() || group.front().Rank == NeverAssigned) {
            keys.insert(keys.end(), group.begin(), group.end());
            continue;
        }
        prefixes.clear();
        for (uint32_t i = 0; i < group.size(); ++i)
            prefixes.push_back({descending ? ~group[i].Number : group[i].Number, i});
        RadixSort(prefixes, buffers.Radix);
        for (size_t run = 0; run < prefixes.size();) {
            size_t end = run + 1;
            while (end < prefixes.size() && prefixes[end].Bits == prefixes[run].Bits)
                ++end;
            const size_t start = keys.size();
            for (size_t k = run; k < end; ++k)
                keys.push_back(group[prefixes[k].Index]);
            if (end - run > 1)
                SortRun(keys, start, keys.size(), 8, arena, descending, less);
            run = end;
        }
    }
}

// Whether Items[First, Last) stand in the order the sort gives them (ties in place), found in one
// pass over neighbouring keys built into two small arenas; stops early once Disorder is set.
template <typename Items>
bool RangeInOrder(const Items& items, size_t first, size_t last, std::string_view fieldName, bool descending,
                  const std::atomic<bool>& disorder)
{
    KeyBuilder builders[2] = {KeyBuilder(fieldName), KeyBuilder(fieldName)};
    // Item i's key lies in builder i % 2, its neighbour's in the other.
    SortKey previous = builders[first % 2].Build(*items[first], static_cast<uint32_t>(first));
    constexpr size_t kAhead = 9;
    for (size_t i = first + 1; i < last; ++i) {
        if (i + kAhead < last)
            __builtin_prefetch(&*items[i + kAhead]);
        if (i % 4096 == 0 && disorder.load(std::memory_order_relaxed))
            return false;
        KeyBuilder& builder = builders[i % 2];
        builder.ClearArena();
        const SortKey key = builder.Build(*items[i], static_cast<uint32_t>(i));
        const int c = CompareKeys(previous, builders[(i - 1) % 2].Arena().data(), key, builder.Arena().data());
        if (descending ? c < 0 : c > 0)
            return false;
        previous = key;
    }
    return true;
}

// Whether the items already stand in order: a list kept in that order, as one saved from the grid
// is, then needs no key buffers and no sort. A big list is checked in slices on worker threads,
// each slice from the last item of the one before.
template <typename Items> bool InOrder(const Items& items, std::string_view fieldName, bool descending)
{
    const size_t slices = SliceCount(items.size() / 32768 + 1);
    std::atomic<bool> disorder {false};
    RunSlices(slices, [&](size_t t) {
        const size_t first = items.size() * t / slices, last = items.size() * (t + 1) / slices;
        if (!RangeInOrder(items, first == 0 ? 0 : first - 1, last, fieldName, descending, disorder))
            disorder = true;
    });
    return !disorder;
}

// Hands the keys of Items[First, Last) to Emit in their sorted order (ties by position). Converted
// numbers go through a radix sort; every other key through the comparison. Buffers is working memory.
template <typename Items, typename Emit>
void SortRange(const Items& items, size_t first, size_t last, KeyBuilder& builder, bool descending,
               SortBuffers& buffers, Emit emit)
{
    buffers.Clear();
    auto& numbers = buffers.Numbers;
    auto& others = buffers.Others;
    numbers.reserve(last - first);
    others.reserve(last - first);
    BuildKeys(items, first, last, builder, [&](const SortKey& key) {
        if (key.Rank == Converted && key.Kind == KeyKind::Number)
            numbers.push_back({descending ? ~key.Number : key.Number, key.Index});
        else
            others.push_back(key);
    });
    const char* arena = builder.Arena().data();
    // The original position breaks ties, which makes the order total and the sort stable.
    SortOtherKeys(others, arena, descending, buffers);
    RadixSort(numbers, buffers.Radix);
    // Numbers sort after the keys that do not convert and before converted text.
    const auto boundary = std::partition_point(others.begin(), others.end(), [descending](const SortKey& key) {
        return descending ? key.Rank == Converted : key.Rank != Converted;
    });
    for (auto it = others.begin(); it != boundary; ++it)
        emit(*it);
    for (const auto& number : numbers) {
        SortKey key;
        key.Rank = Converted;
        key.Kind = KeyKind::Number;
        key.Number = descending ? ~number.Bits : number.Bits;
        key.Index = number.Index;
        emit(key);
    }
    for (auto it = boundary; it != others.end(); ++it)
        emit(*it);
}

// A key of a sorted slice; its text stays in the slice's arena.
struct MergedKey {
    SortKey Key;
    const char* Arena;
};

// The keys of the sorted slices, in memory left as it comes until they are written: the slices are
// written side by side, and clearing the memory first on one thread would cost about as much.
class KeyBlock {
public:
    explicit KeyBlock(size_t size) : keys_(static_cast<MergedKey*>(std::malloc(size * sizeof(MergedKey))))
    {
        if (size != 0 && !keys_)
            throw std::bad_alloc();
    }
    MergedKey* data() const { return keys_.get(); }

private:
    struct Free {
        void operator()(MergedKey* keys) const { std::free(keys); }
    };
    std::unique_ptr<MergedKey, Free> keys_;
};

// Orders merged keys as CompareKeys does (reversed when descending), ties by position: a total order.
struct MergedLess {
    bool descending;
    bool operator()(const MergedKey& x, const MergedKey& y) const
    {
        const int c = CompareKeys(x.Key, x.Arena, y.Key, y.Arena);
        if (c != 0)
            return descending ? c > 0 : c < 0;
        return x.Key.Index < y.Key.Index;
    }
};

// Where each part of the merged order of sorted runs starts in every run. Each cut is a key sampled
// evenly from the runs, so the parts are of about equal size; in every run the part before a cut ends
// where that key would go, so the parts hold every key once and follow each other in order.
std::vector<std::vector<size_t>> MergeCuts(const std::vector<std::span<const MergedKey>>& runs, size_t parts,
                                           const MergedLess& less)
{
    constexpr size_t kSamplesPerRun = 128;
    std::vector<MergedKey> samples;
    for (const auto& run : runs)
        for (size_t j = 1; j < kSamplesPerRun && run.size() != 0; ++j)
            samples.push_back(run[run.size() * j / kSamplesPerRun]);
    std::sort(samples.begin(), samples.end(), less);
    std::vector<std::vector<size_t>> cuts(parts + 1, std::vector<size_t>(runs.size()));
    for (size_t r = 0; r < runs.size(); ++r)
        cuts[parts][r] = runs[r].size();
    for (size_t p = 1; p < parts && !samples.empty(); ++p) {
        const MergedKey& cut = samples[samples.size() * p / parts];
        for (size_t r = 0; r < runs.size(); ++r)
            cuts[p][r] = size_t(std::lower_bound(runs[r].begin(), runs[r].end(), cut, less) - runs[r].begin());
    }
    return cuts;
}

// Merges the runs' keys From[r] .. To[r] - 1 and hands them to Put(key) in order. A tree of losers
// finds each next key with one comparison per level, as many as a merge of pairs, without writing
// the keys out at every level.
template <typename Put>
void MergeRuns(const std::vector<std::span<const MergedKey>>& runs, const std::vector<size_t>& from,
               const std::vector<size_t>& to, const MergedLess& less, Put put)
{
    const size_t k = runs.size();
    std::vector<const MergedKey*> next(k), last(k);
    for (size_t r = 0; r < k; ++r) {
        next[r] = runs[r].data() + from[r];
        last[r] = runs[r].data() + to[r];
    }
    // An empty run loses to every key.
    const auto beats = [&](size_t a, size_t b) {
        return next[a] != last[a] && (next[b] == last[b] || less(*next[a], *next[b]));
    };
    // Leaves k .. 2k - 1 stand for the runs; node n holds the loser of its two children's winners.
    std::vector<size_t> loser(k), winner(2 * k);
    for (size_t r = 0; r < k; ++r)
        winner[k + r] = r;
    for (size_t n = k; n-- > 1;) {
        const size_t a = winner[2 * n], b = winner[2 * n + 1];
        const bool aWins = beats(a, b);
        winner[n] = aWins ? a : b;
        loser[n] = aWins ? b : a;
    }
    size_t top = k == 1 ? 0 : winner[1];
    size_t left = 0;
    for (size_t r = 0; r < k; ++r)
        left += to[r] - from[r];
    for (; left != 0; --left) {
        put(*next[top]++);
        for (size_t n = (top + k) / 2; n > 0; n /= 2)
            if (beats(loser[n], top))
                std::swap(loser[n], top);
    }
}

// Items is a vector of owning or plain item pointers.
template <typename Items>
std::vector<uint32_t> OrderOf(const Items& items, std::string_view fieldName, int32_t direction)
{
    std::vector<uint32_t> order;
    const bool descending = direction < 0;
    if (direction == 0 || items.size() < 2 || InOrder(items, fieldName, descending)) {
        order.reserve(items.size());
        for (uint32_t i = 0; i < items.size(); ++i)
            order.push_back(i);
        return order;
    }
    const size_t slices = SliceCount(items.size() / 8192 + 1);
    if (slices == 1) {
        // The working memory is given back after: a grid that keeps a sorted list open should not
        // keep its sort's buffers too.
        order.reserve(items.size());
        SortBuffers buffers;
        KeyBuilder builder(fieldName);
        SortRange(items, 0, items.size(), builder, descending, buffers,
                  [&](const SortKey& key) { order.push_back(key.Index); });
        return order;
    }
    // A big list is cut into slices that are sorted on worker threads (reading the items only), each
    // with its own keys and arena; the sorted slices are then merged, in parts side by side.
    std::vector<PerThread<KeyBuilder>> builders(slices, {KeyBuilder(fieldName)});
    const KeyBlock keys(items.size());
    std::vector<std::span<const MergedKey>> runs(slices);
    RunSlices(slices, [&](size_t t) {
        SortBuffers buffers;
        const size_t first = items.size() * t / slices, last = items.size() * (t + 1) / slices;
        MergedKey* out = keys.data() + first;
        SortRange(items, first, last, builders[t].Value, descending, buffers, [&](const SortKey& key) {
            *out++ = {key, nullptr};
        });
        const char* arena = builders[t].Value.Arena().data();
        for (MergedKey* key = keys.data() + first; key != out; ++key)
            key->Arena = arena;
        runs[t] = {keys.data() + first, out};
    });
    const MergedLess less {descending};
    order.resize(items.size());
    const auto cuts = MergeCuts(runs, slices, less);
    RunSlices(cuts.size() - 1, [&](size_t part) {
        uint32_t* out = order.data() + std::accumulate(cuts[part].begin(), cuts[part].end(), size_t(0));
        MergeRuns(runs, cuts[part], cuts[part + 1], less, [&](const MergedKey& key) { *out++ = key.Key.Index; });
    });
    return order;
}

}  // namespace

std::vector<uint32_t> SortedOrder(const std::vector<std::unique_ptr<TBaseCustomClass>>& items,
                                  std::string_view fieldName, int32_t direction)
{
    return OrderOf(items, fieldName, direction);
}

std::vector<uint32_t> SortedOrder(std::span<const TBaseCustomClass* const> items, std::string_view fieldName,
                                  int32_t direction)
{
    return OrderOf(items, fieldName, direction);
}

void SortItems(std::vector<std::unique_ptr<TBaseCustomClass>>& items, std::string_view fieldName, int32_t direction)
{
    if (direction == 0 || items.size() < 2)
        return;
    const auto order = SortedOrder(items, fieldName, direction);
    if (std::is_sorted(order.begin(), order.end()))
        return;
    std::vector<std::unique_ptr<TBaseCustomClass>> sorted;
    sorted.reserve(items.size());
    for (uint32_t index : order)
        sorted.push_back(std::move(items[index]));
    items = std::move(sorted);
}

}  // namespace quorvel
