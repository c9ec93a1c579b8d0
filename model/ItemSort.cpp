#include "model/ItemSort.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

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
template <typename Items, typename Consume> void BuildKeys(const Items& items, KeyBuilder& builder, Consume consume)
{
    constexpr size_t kAhead = 9;
    const size_t n = items.size();
    for (size_t i = 0; i < n; ++i) {
        if (i + kAhead < n)
            __builtin_prefetch(&*items[i + kAhead]);
        consume(builder.Build(*items[i], static_cast<uint32_t>(i)));
    }
}

// Three-way comparison of keys; a strict weak order whatever the keys hold.
int CompareKeys(const SortKey& a, const SortKey& b, const char* arena)
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
    const int c = common > 8 ? std::memcmp(arena + a.Offset + 8, arena + b.Offset + 8, common - 8) : 0;
    if (c != 0)
        return c < 0 ? -1 : 1;
    return a.Length < b.Length ? -1 : (a.Length > b.Length ? 1 : 0);
}

struct NumberKey {
    uint64_t Bits;
    uint32_t Index;
};

// Stable LSD radix sort by Bits over the bytes in which the keys differ.
void RadixSort(std::vector<NumberKey>& keys)
{
    if (keys.empty())
        return;
    uint64_t varying = 0;
    for (const auto& key : keys)
        varying |= key.Bits ^ keys.front().Bits;
    std::vector<NumberKey> buffer;
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

// Orders keys that are no converted numbers as CompareKeys does (reversed when descending), ties by
// position: ranks are split off first, a stable radix pass over the text prefixes does most of the
// work, and only keys that share a prefix are compared.
void SortOtherKeys(std::vector<SortKey>& keys, const char* arena, bool descending)
{
    const auto less = [arena, descending](const SortKey& a, const SortKey& b) {
        const int c = CompareKeys(a, b, arena);
        if (c != 0)
            return descending ? c > 0 : c < 0;
        return a.Index < b.Index;
    };
    std::array<std::vector<SortKey>, 3> ranks;
    for (const SortKey& key : keys)
        ranks[key.Rank].push_back(key);
    keys.clear();
    std::vector<NumberKey> prefixes;
    for (size_t r = 0; r < ranks.size(); ++r) {
        const std::vector<SortKey>& group = ranks[descending ? ranks.size() - 1 - r : r];
        if (group.empty() || group.front().Rank == NeverAssigned) {
            keys.insert(keys.end(), group.begin(), group.end());
            continue;
        }
        prefixes.clear();
        for (uint32_t i = 0; i < group.size(); ++i)
            prefixes.push_back({descending ? ~group[i].Number : group[i].Number, i});
        RadixSort(prefixes);
        for (size_t run = 0; run < prefixes.size();) {
            size_t end = run + 1;
            while (end < prefixes.size() && prefixes[end].Bits == prefixes[run].Bits)
                ++end;
            const size_t start = keys.size();
            for (size_t k = run; k < end; ++k)
                keys.push_back(group[prefixes[k].Index]);
            if (end - run > 1)
                std::sort(keys.begin() + static_cast<std::ptrdiff_t>(start), keys.end(), less);
            run = end;
        }
    }
}

// Items is a vector of owning or plain item pointers.
template <typename Items>
std::vector<uint32_t> OrderOf(const Items& items, std::string_view fieldName, int32_t direction)
{
    std::vector<uint32_t> order;
    order.reserve(items.size());
    if (direction == 0 || items.size() < 2) {
        for (uint32_t i = 0; i < items.size(); ++i)
            order.push_back(i);
        return order;
    }
    const bool descending = direction < 0;
    KeyBuilder builder(fieldName);
    // Converted numbers go through a radix sort; every other key through the comparison.
    std::vector<NumberKey> numbers;
    std::vector<SortKey> others;
    numbers.reserve(items.size());
    others.reserve(items.size());
    BuildKeys(items, builder, [&](const SortKey& key) {
        if (key.Rank == Converted && key.Kind == KeyKind::Number) {
            numbers.push_back({descending ? ~key.Number : key.Number, key.Index});
        } else {
            others.push_back(key);
        }
    });
    const char* arena = builder.Arena().data();
    // The original position breaks ties, which makes the order total and the sort stable.
    SortOtherKeys(others, arena, descending);
    RadixSort(numbers);
    // Numbers sort after the keys that do not convert and before converted text.
    const auto boundary = std::partition_point(others.begin(), others.end(), [descending](const SortKey& key) {
        return descending ? key.Rank == Converted : key.Rank != Converted;
    });
    for (auto it = others.begin(); it != boundary; ++it)
        order.push_back(it->Index);
    for (const auto& key : numbers)
        order.push_back(key.Index);
    for (auto it = boundary; it != others.end(); ++it)
        order.push_back(it->Index);
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
    std::vector<std::unique_ptr<TBaseCustomClass>> sorted;
    sorted.reserve(items.size());
    for (uint32_t index : order)
        sorted.push_back(std::move(items[index]));
    items = std::move(sorted);
}

}  // namespace quorvel
