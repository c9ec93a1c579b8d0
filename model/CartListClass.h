#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "model/ItemClasses.h"
#include "model/ItemListClass.h"

namespace quorvel {

class TCartListClassException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A media list: TCartClass items.
class TCartListClass : public TItemListClass {
public:
    TCartListClass() : TItemListClass(MediaFieldSet()) { }

    std::unique_ptr<TBaseCustomClass> CreateItem() const override { return std::make_unique<TCartClass>(); }
    TListType Kind() const override { return ltMedia; }

    // Index of the first item whose field text equals Value ignoring case, or -1; the loose form
    // also ignores blanks and punctuation. For many look-ups build a FieldValueIndex once.
    int32_t IndexOfFieldValue(std::string_view fieldName, std::string_view value) const;
    int32_t IndexOfFieldValueLoose(std::string_view fieldName, std::string_view value) const;
};

}  // namespace quorvel
