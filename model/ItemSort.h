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
// An order of item positions read in parts that follow each other, each part by itself: the parts of
// an order still held as sorted runs are merged where they are read, side by side, and the first is
// there without the whole being merged.
class SortedRuns {
public:
    // An order already made.
    explicit SortedRuns(std::vector<uint32_t> order);
    SortedRuns(SortedRuns&&) noexcept;
    SortedRuns& operator=(SortedRuns&&) noexcept;
    ~SortedRuns();

    size_t Size() const;
    // Cuts the order into parts starting at about the positions Starts (ascending, the first 0); a
    // part may be empty. Returns the count of parts.
    size_t Cut(std::span<const size_t> starts);
    // Replaces Out with the positions of part Part, in order; returns the position of its first in
    // the whole order. May be called from several threads at once.
    size_t Part(size_t part, std::vector<uint32_t>& out) const;

    struct Runs;

private:
    explicit SortedRuns(std::unique_ptr<Runs> runs);
    friend std::optional<SortedRuns> SortedKeptRuns(const std::vector<std::unique_ptr<TBaseCustomClass>>&,
                                                    std::string_view, const MakeKeepTest&);

    std::unique_ptr<Runs> runs_;
    std::vector<uint32_t> order_;
    std::vector<size_t> cuts_;  // with the plain order: the parts' first positions and the end
};

// The positions of the items that the tests keep, in the ascending order SortedOrder gives them; each
// item is tested once, and each slice's items in list order. Empty when a test raised.
std::optional<SortedRuns> SortedKeptRuns(const std::vector<std::unique_ptr<TBaseCustomClass>>& items,
                                         std::string_view fieldName, const MakeKeepTest& makeKeep);

}  // namespace quorvel
