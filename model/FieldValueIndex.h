#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/BaseCustomListClass.h"

namespace quorvel {

// Finds items by one field's text in a list that does not change meanwhile: built in one pass,
// then each look-up answers what TCartListClass::IndexOfFieldValue (or, Loose, the loose form)
// would, without a scan.
class FieldValueIndex {
public:
    enum class Match { Exact, Loose };

    FieldValueIndex(const TBaseCustomListClass& list, std::string_view fieldName, Match match = Match::Exact);
    // Index of the first matching item, or -1.
    int32_t Find(std::string_view value) const;

private:
    std::string Normalised(std::string_view value) const;

    Match match_;
    std::unordered_map<std::string, int32_t> first_;
};

}  // namespace quorvel
