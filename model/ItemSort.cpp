#include "model/ItemSort.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

#include "platform/Cp1252.h"

namespace quorvel {

namespace {

enum class KeyKind : uint8_t { Number, Text };
enum KeyRank : uint8_t { NeverAssigned = 0, Unconvertible = 1, Converted = 2 };

struct SortKey {
    double Number = 0;
    size_t Offset = 0;  // text in the arena
    uint32_t Length = 0;
    uint32_t Index = 0;
    KeyRank Rank = NeverAssigned;
    KeyKind Kind = KeyKind::Text;
};

const std::array<unsigned char, 256>& LowerTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int b = 0; b < 256; ++b) t[b] = Cp1252::ToLower(static_cast<unsigned char>(b));
        return t;
    }();
    return table;
}

class KeyBuilder {
public:
    explicit KeyBuilder(std::string_view fieldName) : fieldName_(fieldName) {}

    SortKey Build(const TBaseCustomClass& item, uint32_t index) {
        SortKey key;
        key.Index = index;
        if (&item.Fields() != lastSet_) {
            lastSet_ = &item.Fields();
            position_ = lastSet_->IndexOf(fieldName_);
        }
        if (position_ < 0) return key;
        const FieldValue& value = item.ValueAt(position_);
        if (!IsAssigned(value)) return key;
        const TFieldDataType type = (*lastSet_)[position_].DataType;
        std::optional<double> number;
        bool numeric = true;
        switch (type) {
        case dtSmallint:
        case dtInteger:
        case dtByte:
            if (auto i = TryToInteger(value)) number = *i;
            break;
        case dtSingle:
        case dtDouble:
            if (auto d = TryToDouble(value); d && !std::isnan(*d)) number = *d;
            break;
        case dtCurrency:
            if (auto c = TryToCurrency(value)) number = static_cast<double>(c->Scaled);
            break;
        case dtBoolean:
            if (auto b = TryToBoolean(value)) number = *b ? 1.0 : 0.0;
            break;
        default: numeric = false;
        }
        if (numeric && number) {
            key.Rank = Converted;
            key.Kind = KeyKind::Number;
            key.Number = *number;
            return key;
        }
        key.Rank = numeric ? Unconvertible : Converted;
        if (const auto* text = std::get_if<std::string>(&value)) AppendLower(key, *text);
        else AppendLower(key, ToText(value));
        return key;
    }

    const std::string& Arena() const { return arena_; }

private:
    void AppendLower(SortKey& key, std::string_view text) {
        const auto& lower = LowerTable();
        key.Offset = arena_.size();
        key.Length = static_cast<uint32_t>(text.size());
        for (char c : text) arena_.push_back(static_cast<char>(lower[static_cast<unsigned char>(c)]));
    }

    std::string_view fieldName_;
    const FieldSet* lastSet_ = nullptr;
    int32_t position_ = -1;
    std::string arena_;
};

// Three-way comparison of keys; a strict weak order whatever the keys hold.
int CompareKeys(const SortKey& a, const SortKey& b, const char* arena) {
    if (a.Rank != b.Rank) return a.Rank < b.Rank ? -1 : 1;
    if (a.Rank == NeverAssigned) return 0;
    if (a.Kind != b.Kind) return a.Kind < b.Kind ? -1 : 1;
    if (a.Kind == KeyKind::Number) return a.Number < b.Number ? -1 : (b.Number < a.Number ? 1 : 0);
    const int c = std::memcmp(arena + a.Offset, arena + b.Offset, std::min(a.Length, b.Length));
    if (c != 0) return c < 0 ? -1 : 1;
    return a.Length < b.Length ? -1 : (a.Length > b.Length ? 1 : 0);
}

}  // namespace

void SortItems(std::vector<std::unique_ptr<TBaseCustomClass>>& items, std::string_view fieldName, int32_t direction) {
    if (direction == 0 || items.size() < 2) return;
    KeyBuilder builder(fieldName);
    std::vector<SortKey> keys;
    keys.reserve(items.size());
    for (size_t i = 0; i < items.size(); ++i) keys.push_back(builder.Build(*items[i], static_cast<uint32_t>(i)));
    const char* arena = builder.Arena().data();
    const bool descending = direction < 0;
    // The original position breaks ties, which makes the order total and the sort stable.
    std::sort(keys.begin(), keys.end(), [arena, descending](const SortKey& a, const SortKey& b) {
        const int c = CompareKeys(a, b, arena);
        if (c != 0) return descending ? c > 0 : c < 0;
        return a.Index < b.Index;
    });
    std::vector<std::unique_ptr<TBaseCustomClass>> sorted;
    sorted.reserve(items.size());
    for (const auto& key : keys) sorted.push_back(std::move(items[key.Index]));
    items = std::move(sorted);
}

}  // namespace quorvel
