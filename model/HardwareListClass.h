#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "model/ItemClasses.h"
#include "model/ItemListClass.h"

namespace quorvel {

class THardwareListClassException : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A hardware list: THardwareClass items. Its sort by Title (a field hardware items lack) keeps the
// list's order.
class THardwareListClass : public TItemListClass {
public:
    THardwareListClass() : TItemListClass(HardwareFieldSet()) { }

    std::unique_ptr<TBaseCustomClass> CreateItem() const override { return std::make_unique<THardwareClass>(); }
    TListType Kind() const override { return ltHardware; }
};

}  // namespace quorvel
