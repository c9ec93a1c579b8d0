#include "model/ItemSort.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
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
    // For text its next eight bytes the same way: keys next to each other in the order, as a merge
    // compares them, often share their first eight.
    uint64_t Second = 0;
    const char* Text = nullptr;  // lower-cased, in its builder's arena
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

// The keys' texts, in blocks that never move, so that keys point at them: a block grown by copying
// wrote every text again and took fresh pages twice.
class TextArena {
public:
    char* Allocate(size_t size)
    {
        if (size > static_cast<size_t>(end_ - next_))
            AddBlock(size);
        char* text = next_;
        next_ += size;
        return text;
    }
    // Forgets every text, keeping the block in use for the next ones.
    void Clear()
    {
        if (blocks_.size() > 1) {
            std::swap(blocks_.front(), blocks_.back());
            blocks_.resize(1);
        }
        next_ = blocks_.empty() ? nullptr : blocks_.front().get();
    }

private:
    // Below the allocator's threshold for mappings of their own: blocks come from the thread's heap.
    static constexpr size_t kBlockSize = size_t(64) << 10;

    void AddBlock(size_t size)
    {
        const size_t blockSize = std::max(kBlockSize, size);
        blocks_.push_back(std::unique_ptr<char[]>(new char[blockSize]));
        next_ = blocks_.back().get();
        end_ = next_ + blockSize;
    }

    std::vector<std::unique_ptr<char[]>> blocks_;
    char* next_ = nullptr;
    char* end_ = nullptr;
};

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

    // Drops the texts of the keys built so far.
    void ClearTexts() { texts_.Clear(); }

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
        char* stored = texts_.Allocate(text.size());
        key.Text = stored;
        key.Length = static_cast<uint32_t>(text.size());
        unsigned char* out = reinterpret_cast<unsigned char*>(stored);
        uint64_t words[2] = {};
        for (size_t i = 0; i < text.size(); ++i) {
            out[i] = lower[static_cast<unsigned char>(text[i])];
            if (i < 16)
                words[i / 8] |= uint64_t(out[i]) << (56 - 8 * (i % 8));
        }
        key.Number = words[0];
        key.Second = words[1];
    }

    std::string_view fieldName_;
    const FieldSet* lastSet_ = nullptr;
    int32_t position_ = -1;
    TextArena texts_;
};

// Items of a sorted list lie anywhere in memory; asking for an item's memory this many items ahead
// lets the loads overlap. The same for every loop that builds keys.
constexpr size_t kAhead = 9;

template <typename Items, typename Consume>
void BuildKeys(const Items& items, size_t first, size_t last, KeyBuilder& builder, Consume consume)
{
    for (size_t i = first; i < last; ++i) {
        if (i + kAhead < last)
            items[i + kAhead]->Prefetch();
        consume(builder.Build(*items[i], static_cast<uint32_t>(i)));
    }
}

// Hands the items of a list to the slices of a sort in chunks, from a shared counter: each slice
// takes the next chunk when it is done with one, so that no slice waits for one that runs slower (on
// a busy or shared CPU a slice took 2.6 ms where the others took 1.6). A slice's chunks come in list
// order, and ties are broken by position, so the merged order is the one of fixed slices.
class SortChunks {
public:
    SortChunks(size_t count, size_t slices) : count_(count), most_(count / slices + 2 * kChunk) { }
    // Room to ask for in a slice: its share and two chunks more.
    size_t Most() const { return most_; }
    // Calls Visit(first, last) for the chunks this slice takes.
    template <typename Visit> void Take(Visit visit)
    {
        for (size_t first; (first = next_.fetch_add(kChunk, std::memory_order_relaxed)) < count_;)
            visit(first, std::min(first + kChunk, count_));
    }

private:
    static constexpr size_t kChunk = 2048;
    const size_t count_, most_;
    alignas(64) std::atomic<size_t> next_ {0};
};

// Three-way comparison of keys; a strict weak order whatever the keys hold.
int CompareKeys(const SortKey& a, const SortKey& b)
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
    if (a.Second != b.Second)
        return a.Second < b.Second ? -1 : 1;
    const uint32_t common = std::min(a.Length, b.Length);
    const int c = common > 16 ? std::memcmp(a.Text + 16, b.Text + 16, common - 16) : 0;
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.Length < b.Length ? -1 : (a.Length > b.Length ? 1 : 0);
}

// Orders keys as CompareKeys does (reversed when descending), ties by position: a total order.
struct KeyLess {
    bool descending;
    bool operator()(const SortKey& x, const SortKey& y) const
    {
        const int c = CompareKeys(x, y);
        if (c != 0)
            return descending ? c > 0 : c < 0;
        return x.Index < y.Index;
    }
};

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
uint64_t TextBytesAt(const SortKey& key, uint32_t depth)
{
    const auto* text = reinterpret_cast<const unsigned char*>(key.Text);
    uint64_t bytes = 0;
    for (uint32_t i = 0; i < 8 && depth + i < key.Length; ++i)
        bytes |= uint64_t(text[depth + i]) << (56 - 8 * i);
    return bytes;
}

// Orders Keys[Start, End), whose texts agree in their first Depth bytes: while the run is long, a
// stable radix pass over the next eight bytes splits it (titles often share their first word);
// short runs and keys that agree to their end are compared.
void SortRun(std::vector<SortKey>& keys, size_t start, size_t end, uint32_t depth, bool descending)
{
    const KeyLess less {descending};
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
        const uint64_t bytes = depth == 8 ? keys[k].Second : TextBytesAt(keys[k], depth);
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
            SortRun(keys, start + r, start + e, depth + 8, descending);
        r = e;
    }
}

// Orders a group of keys of one rank that can be compared (not never-assigned), in place: a stable
// radix pass over the text prefixes does most of the work, and only keys that share a prefix are
// compared. The keys are moved to their places cycle by cycle, so no second copy of them is made.
void SortGroup(std::vector<SortKey>& keys, bool descending, SortBuffers& buffers)
{
    auto& prefixes = buffers.Prefixes;
    prefixes.clear();
    prefixes.reserve(keys.size());
    for (uint32_t i = 0; i < keys.size(); ++i)
        prefixes.push_back({descending ? ~keys[i].Number : keys[i].Number, i});
    RadixSort(prefixes, buffers.Radix);
    // Place k takes the key at prefixes[k].Index; a place filled is marked by pointing at itself.
    for (size_t k = 0; k < prefixes.size(); ++k) {
        if (prefixes[k].Index == k)
            continue;
        const SortKey held = keys[k];
        size_t place = k;
        for (;;) {
            const size_t from = prefixes[place].Index;
            prefixes[place].Index = static_cast<uint32_t>(place);
            if (from == k) {
                keys[place] = held;
                break;
            }
            keys[place] = keys[from];
            place = from;
        }
    }
    for (size_t run = 0; run < prefixes.size();) {
        size_t end = run + 1;
        while (end < prefixes.size() && prefixes[end].Bits == prefixes[run].Bits)
            ++end;
        if (end - run > 1)
            SortRun(keys, run, end, 8, descending);
        run = end;
    }
}

// Orders keys that are no converted numbers as CompareKeys does (reversed when descending), ties by
// position: ranks are split off first (unless one rank holds them all, as in a column of text), and
// each is sorted on its own.
void SortOtherKeys(std::vector<SortKey>& keys, bool descending, SortBuffers& buffers)
{
    std::array<size_t, 3> counts {};
    for (const SortKey& key : keys)
        ++counts[key.Rank];
    if (keys.empty() || counts[keys.front().Rank] == keys.size()) {
        if (!keys.empty() && keys.front().Rank != NeverAssigned)
            SortGroup(keys, descending, buffers);
        return;
    }
    // Every buffer is given its size at once: grown step by step, each would take fresh pages for
    // about twice its size and copy its keys on the way.
    auto& ranks = buffers.Ranks;
    for (size_t r = 0; r < ranks.size(); ++r)
        ranks[r].reserve(counts[r]);
    for (const SortKey& key : keys)
        ranks[key.Rank].push_back(key);
    keys.clear();
    for (size_t r = 0; r < ranks.size(); ++r) {
        std::vector<SortKey>& group = ranks[descending ? ranks.size() - 1 - r : r];
        if (!group.empty() && group.front().Rank != NeverAssigned)
            SortGroup(group, descending, buffers);
        keys.insert(keys.end(), group.begin(), group.end());
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
    for (size_t i = first + 1; i < last; ++i) {
        if (i + kAhead < last)
            items[i + kAhead]->Prefetch();
        if (i % 4096 == 0 && disorder.load(std::memory_order_relaxed))
            return false;
        KeyBuilder& builder = builders[i % 2];
        builder.ClearTexts();
        const SortKey key = builder.Build(*items[i], static_cast<uint32_t>(i));
        const int c = CompareKeys(previous, key);
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
    std::atomic<bool> disorder {false};
    // A list in no order shows it within its first items, and then no threads are started for it.
    constexpr size_t kFirstItems = 64;
    if (!RangeInOrder(items, 0, std::min(items.size(), kFirstItems), fieldName, descending, disorder))
        return false;
    const size_t slices = SliceCount(items.size() / 32768 + 1);
    RunSlices(slices, [&](size_t t) {
        const size_t first = items.size() * t / slices, last = items.size() * (t + 1) / slices;
        if (!RangeInOrder(items, first == 0 ? 0 : first - 1, last, fieldName, descending, disorder))
            disorder = true;
    });
    return !disorder;
}

// Sorts the keys that Build(consume) hands to Consume, at most Most of them, into Buffers: converted
// numbers through a radix sort, every other key through the comparison, ties by position.
template <typename Build> void SortKeysOf(size_t most, bool descending, SortBuffers& buffers, Build build)
{
    buffers.Clear();
    auto& numbers = buffers.Numbers;
    auto& others = buffers.Others;
    numbers.reserve(most);
    others.reserve(most);
    build([&](const SortKey& key) {
        if (key.Rank == Converted && key.Kind == KeyKind::Number)
            numbers.push_back({descending ? ~key.Number : key.Number, key.Index});
        else
            others.push_back(key);
    });
    // The original position breaks ties, which makes the order total and the sort stable.
    SortOtherKeys(others, descending, buffers);
    RadixSort(numbers, buffers.Radix);
}

// Sorts the keys of Items[First, Last) into Buffers, as SortKeysOf does.
template <typename Items>
void SortRange(const Items& items, size_t first, size_t last, KeyBuilder& builder, bool descending,
               SortBuffers& buffers)
{
    SortKeysOf(last - first, descending, buffers,
               [&](const auto& consume) { BuildKeys(items, first, last, builder, consume); });
}

// Hands the keys sorted by SortRange to Emit in their order: numbers sort after the keys that do not
// convert and before converted text.
template <typename Emit> void EmitSorted(const SortBuffers& buffers, bool descending, Emit emit)
{
    const auto& others = buffers.Others;
    const auto boundary = std::partition_point(others.begin(), others.end(), [descending](const SortKey& key) {
        return descending ? key.Rank == Converted : key.Rank != Converted;
    });
    for (auto it = others.begin(); it != boundary; ++it)
        emit(*it);
    for (const auto& number : buffers.Numbers) {
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

// Where each part of the merged order of sorted runs starts in every run. Each cut is a key sampled
// evenly from the runs, so the parts are of about equal size; in every run the part before a cut ends
// where that key would go, so the parts hold every key once and follow each other in order.
std::vector<std::vector<size_t>> MergeCuts(const std::vector<std::span<const SortKey>>& runs, size_t parts,
                                           const KeyLess& less)
{
    constexpr size_t kSamplesPerRun = 128;
    std::vector<SortKey> samples;
    for (const auto& run : runs)
        for (size_t j = 1; j < kSamplesPerRun && run.size() != 0; ++j)
            samples.push_back(run[run.size() * j / kSamplesPerRun]);
    std::sort(samples.begin(), samples.end(), less);
    std::vector<std::vector<size_t>> cuts(parts + 1, std::vector<size_t>(runs.size()));
    for (size_t r = 0; r < runs.size(); ++r)
        cuts[parts][r] = runs[r].size();
    for (size_t p = 1; p < parts && !samples.empty(); ++p) {
        const SortKey& cut = samples[samples.size() * p / parts];
        for (size_t r = 0; r < runs.size(); ++r)
            cuts[p][r] = size_t(std::lower_bound(runs[r].begin(), runs[r].end(), cut, less) - runs[r].begin());
    }
    return cuts;
}

// Merges the runs' keys From[r] .. To[r] - 1 and hands them to Put(key) in order. A tree of losers
// finds each next key with one comparison per level, as many as a merge of pairs, without writing
// the keys out at every level.
template <typename Put>
void MergeRuns(const std::vector<std::span<const SortKey>>& runs, const std::vector<size_t>& from,
               const std::vector<size_t>& to, const KeyLess& less, Put put)
{
    const size_t k = runs.size();
    std::vector<const SortKey*> next(k), last(k);
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

// One slice of a big list sorted on its worker thread: its keys in order, their texts in its builder.
struct SortedSlice {
    explicit SortedSlice(std::string_view fieldName) : Builder(fieldName) { }
    KeyBuilder Builder;
    std::vector<SortKey> Keys;
};

// Slices sorted side by side, each with its own keys and texts.
struct SlicedSort {
    std::vector<PerThread<SortedSlice>> Sorted;
    std::vector<std::span<const SortKey>> Runs;
};

// Sorts Slices slices on worker threads, each slice's keys by SortSlice(builder, buffers) as SortRange
// sorts them. A slice of texts alone (the usual sort by a column of text) is its sorted keys as they
// stand.
template <typename SortSlice>
SlicedSort SortSlices(size_t slices, std::string_view fieldName, bool descending, SortSlice sortSlice)
{
    SlicedSort result;
    result.Sorted.reserve(slices);
    for (size_t t = 0; t < slices; ++t)
        result.Sorted.push_back({SortedSlice(fieldName)});
    result.Runs.resize(slices);
    RunSlices(slices, [&](size_t t) {
        SortedSlice& slice = result.Sorted[t].Value;
        SortBuffers buffers;
        sortSlice(slice.Builder, buffers);
        if (buffers.Numbers.empty()) {
            slice.Keys = std::move(buffers.Others);
        } else {
            slice.Keys.reserve(buffers.Numbers.size() + buffers.Others.size());
            EmitSorted(buffers, descending, [&](const SortKey& key) { slice.Keys.push_back(key); });
        }
        result.Runs[t] = slice.Keys;
    });
    return result;
}

// Merges the sorted slices, in parts side by side, calling Place(position, key's index) for each key.
template <typename Place> void MergeSlices(const SlicedSort& sliced, bool descending, Place place)
{
    const KeyLess less {descending};
    const auto cuts = MergeCuts(sliced.Runs, sliced.Runs.size(), less);
    RunSlices(cuts.size() - 1, [&](size_t part) {
        size_t at = std::accumulate(cuts[part].begin(), cuts[part].end(), size_t(0));
        MergeRuns(sliced.Runs, cuts[part], cuts[part + 1], less, [&](const SortKey& key) { place(at++, key.Index); });
    });
}

// Calls Place(position, index) once for every position of the sorted order, with the index of the
// item that goes there; Place may be called from several threads at once, for distinct positions.
// Prepare() is called first, on the calling thread. Does neither and returns false when the items
// already stand in order. Items is a vector of owning or plain item pointers.
template <typename Items, typename Prepare, typename Place>
bool PlaceSorted(const Items& items, std::string_view fieldName, int32_t direction, Prepare prepare, Place place)
{
    const bool descending = direction < 0;
    if (direction == 0 || items.size() < 2 || InOrder(items, fieldName, descending))
        return false;
    prepare();
    const size_t slices = SliceCount(items.size() / 8192 + 1);
    if (slices == 1) {
        // The working memory is given back after: a grid that keeps a sorted list open should not
        // keep its sort's buffers too.
        SortBuffers buffers;
        KeyBuilder builder(fieldName);
        SortRange(items, 0, items.size(), builder, descending, buffers);
        size_t at = 0;
        EmitSorted(buffers, descending, [&](const SortKey& key) { place(at++, key.Index); });
        return true;
    }
    // A big list is cut into slices that are sorted on worker threads (reading the items only), each
    // with its own keys and texts; the sorted slices are then merged, in parts side by side.
    SortChunks chunks(items.size(), slices);
    const SlicedSort sliced =
        SortSlices(slices, fieldName, descending, [&](KeyBuilder& builder, SortBuffers& buffers) {
            SortKeysOf(chunks.Most(), descending, buffers, [&](const auto& consume) {
                chunks.Take([&](size_t first, size_t last) { BuildKeys(items, first, last, builder, consume); });
            });
        });
    MergeSlices(sliced, descending, place);
    return true;
}

template <typename Items>
std::vector<uint32_t> OrderOf(const Items& items, std::string_view fieldName, int32_t direction)
{
    std::vector<uint32_t> order(items.size());
    if (!PlaceSorted(items, fieldName, direction, [] { }, [&](size_t at, uint32_t index) { order[at] = index; }))
        std::iota(order.begin(), order.end(), 0u);
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

std::optional<std::vector<uint32_t>> SortedKeptOrder(const std::vector<std::unique_ptr<TBaseCustomClass>>& items,
                                                     std::string_view fieldName, const MakeKeepTest& makeKeep)
{
    // Each slice tests the items of its chunks in list order and builds the key of a kept item at once,
    // while the item is in the cache: a pass of its own over the items, and threads started for it, took
    // 1.2-1.6 ms of a 100k report. The keys carry the items' positions, so ties keep list order.
    const size_t slices = SliceCount(items.size() / 16384 + 1);
    std::atomic<bool> failed {false};
    SortChunks chunks(items.size(), slices);
    const SlicedSort sliced =
        SortSlices(slices, fieldName, false, [&](KeyBuilder& builder, SortBuffers& buffers) {
            const KeepTest keep = makeKeep();
            SortKeysOf(chunks.Most(), false, buffers, [&](const auto& consume) {
                chunks.Take([&](size_t first, size_t last) {
                    for (size_t i = first; i < last && !failed.load(std::memory_order_relaxed); ++i) {
                        if (i + kAhead < last)
                            items[i + kAhead]->Prefetch();
                        const auto position = static_cast<uint32_t>(i);
                        try {
                            if (!keep(*items[i], position))
                                continue;
                        } catch (...) {
                            failed = true;
                            return;
                        }
                        consume(builder.Build(*items[i], position));
                    }
                });
            });
        });
    if (failed)
        return std::nullopt;
    size_t count = 0;
    for (const auto& run : sliced.Runs)
        count += run.size();
    std::vector<uint32_t> order(count);
    MergeSlices(sliced, false, [&](size_t at, uint32_t position) { order[at] = position; });
    return order;
}

void SortItems(std::vector<std::unique_ptr<TBaseCustomClass>>& items, std::string_view fieldName, int32_t direction)
{
    // The merge threads gather the items in their new order; the list changes only once all is known.
    std::vector<TBaseCustomClass*> placed;
    const auto prepare = [&] { placed.resize(items.size()); };
    if (!PlaceSorted(items, fieldName, direction, prepare,
                     [&](size_t at, uint32_t index) { placed[at] = items[index].get(); }))
        return;
    // Every item stands in Placed once, so ownership moves over in a pass that cannot fail.
    for (size_t i = 0; i < items.size(); ++i) {
        (void)items[i].release();
        items[i].reset(placed[i]);
    }
}

}  // namespace quorvel
