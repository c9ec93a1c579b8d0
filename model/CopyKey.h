#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/BaseCustomClass.h"

namespace quorvel {

// A field's stored text: a view of a text value, else the value's text form kept in Spare; empty
// for a position of -1.
std::string_view StoredText(const TBaseCustomClass& item, int32_t position, std::string& spare);

// Items compared by the stored texts of some fields, exactly: what makes two items copies of one
// another. The items may be of different kinds.
class CopyKey {
public:
    explicit CopyKey(const std::vector<std::string>& names) : a_(names), b_(names) { }

    uint64_t Hash(const TBaseCustomClass& item);
    bool Equal(const TBaseCustomClass& a, const TBaseCustomClass& b);

private:
    FieldPositions a_, b_;
    std::string spareA_, spareB_;
};

}  // namespace quorvel
