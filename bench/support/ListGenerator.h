#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "model/CartListClass.h"
#include "model/HardwareListClass.h"

namespace quorvel::bench {

// Lists that look like a collector's, made from a seed: invented titles and makers, every value held
// as text as a list-file reader leaves it, about one item in eight with a quantity of 2 to 4, about
// one in ten repeating an earlier item, and a unique serial number per item. The same seed and size
// give the same list on every machine.
std::unique_ptr<TCartListClass> MakeMediaList(size_t count, uint32_t seed);
std::unique_ptr<THardwareListClass> MakeHardwareList(size_t count, uint32_t seed);

// How many items expanding the list would make.
int64_t ExpandedCount(const TBaseCustomListClass& list);

// The item's field texts joined by commas: the size of its line in a list file, near enough.
std::string JoinedFieldTexts(const TBaseCustomClass& item);

}  // namespace quorvel::bench
