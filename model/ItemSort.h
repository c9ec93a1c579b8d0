#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "model/BaseCustomClass.h"

namespace quorvel {

// Sorts items stably by one field: never-assigned values first, then values that do not convert to
// the field's type, then the rest (numbers by value, false before true, text by lower-cased
// Windows-1252 bytes). A negative direction reverses the order of unequal items, 0 leaves the order.
// One key is computed per item before sorting.
void SortItems(std::vector<std::unique_ptr<TBaseCustomClass>>& items, std::string_view fieldName, int32_t direction);
// The positions of the items in the order SortItems would give them, leaving the items in place.
std::vector<uint32_t> SortedOrder(const std::vector<std::unique_ptr<TBaseCustomClass>>& items,
                                  std::string_view fieldName, int32_t direction);
// The same for items held elsewhere.
std::vector<uint32_t> SortedOrder(std::span<const TBaseCustomClass* const> items, std::string_view fieldName,
                                  int32_t direction);

// Whether an item at a position in the list is kept; it may raise.
using KeepTest = std::function<bool(const TBaseCustomClass&, uint32_t)>;
// Makes a test for one slice of worker threads.
using MakeKeepTest = std::function<KeepTest()>;
// The positions of the items that the tests keep, in the ascending order SortedOrder gives them; each
// item is tested once, and each slice's items in list order. Empty when a test raised.
std::optional<std::vector<uint32_t>> SortedKeptOrder(const std::vector<std::unique_ptr<TBaseCustomClass>>& items,
                                                     std::string_view fieldName, const MakeKeepTest& makeKeep);

}  // namespace quorvel
