#include <limits>
#include <unordered_map>

#include "model/BaseCustomListClass.h"
#include "model/CopyKey.h"

namespace quorvel {

namespace {

// The Quantity of an item as a whole number; raises the conversion error when it is none.
class QuantityReader {
public:
    int32_t Of(const TBaseCustomClass& item)
    {
        const int32_t position = positions_.In(item.Fields())[0];
        return position < 0 ? 0 : ToInteger(item.ValueAt(position));
    }
    void Set(TBaseCustomClass& item, int32_t quantity)
    {
        const int32_t position = positions_.In(item.Fields())[0];
        if (position >= 0)
            item.SetValueAt(position, quantity);
    }

private:
    FieldPositions positions_ {{"QUANTITY"}};
};

}  // namespace

void TBaseCustomListClass::ExpandQuantities()
{
    QuantityReader quantity;
    std::vector<int32_t> copies;
    copies.reserve(items_.size());
    int64_t total = 0;
    for (const auto& item : items_) {
        const int32_t q = quantity.Of(*item);
        copies.push_back(q < 2 ? 1 : q);
        total += copies.back();
        if (total > MaxItems) {
            throw TBaseCustomListClassException("Expanding this list would make more than " + std::to_string(MaxItems) +
                                                " items. The list was not changed.");
        }
    }
    // The copies are made before anything changes; the first copy of an item is the item itself.
    std::vector<std::unique_ptr<TBaseCustomClass>> extra;
    extra.reserve(static_cast<size_t>(total) - items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        for (int32_t k = 1; k < copies[i]; ++k)
            extra.push_back(items_[i]->Clone());
    }
    std::vector<std::unique_ptr<TBaseCustomClass>> expanded;
    expanded.reserve(static_cast<size_t>(total));
    // Nothing below can fail.
    auto next = extra.begin();
    for (size_t i = 0; i < items_.size(); ++i) {
        if (copies[i] > 1)
            quantity.Set(*items_[i], 1);
        expanded.push_back(std::move(items_[i]));
        for (int32_t k = 1; k < copies[i]; ++k, ++next) {
            quantity.Set(**next, 1);
            expanded.push_back(std::move(*next));
        }
    }
    ReplaceItems(std::move(expanded));
}

void TBaseCustomListClass::CompressQuantities()
{
    struct Group {
        size_t First;
        size_t Count = 1;
        int64_t Sum = 0;
    };
    QuantityReader quantity;
    CopyKey keys(KeyFieldNames);
    std::vector<Group> groups;
    std::unordered_multimap<uint64_t, size_t> byHash;
    byHash.reserve(items_.size());
    for (size_t i = 0; i < items_.size(); ++i) {
        const uint64_t hash = keys.Hash(*items_[i]);
        Group* group = nullptr;
        for (auto [it, end] = byHash.equal_range(hash); it != end; ++it) {
            if (keys.Equal(*items_[groups[it->second].First], *items_[i])) {
                group = &groups[it->second];
                break;
            }
        }
        if (!group) {
            byHash.emplace(hash, groups.size());
            groups.push_back(Group {i});
            continue;
        }
        // Quantities are read only where copies merge, as a run of equal items would add them.
        if (group->Count == 1)
            group->Sum = quantity.Of(*items_[group->First]);
        group->Sum += quantity.Of(*items_[i]);
        ++group->Count;
        if (group->Sum < std::numeric_limits<int32_t>::min() || group->Sum > std::numeric_limits<int32_t>::max())
            throw VariantOverflowError();
    }
    std::vector<std::unique_ptr<TBaseCustomClass>> compressed;
    compressed.reserve(groups.size());
    // Nothing below can fail: each group's first item takes the sum, the others go.
    for (const auto& group : groups) {
        if (group.Count > 1)
            quantity.Set(*items_[group.First], static_cast<int32_t>(group.Sum));
        compressed.push_back(std::move(items_[group.First]));
    }
    ReplaceItems(std::move(compressed));
}

}  // namespace quorvel
