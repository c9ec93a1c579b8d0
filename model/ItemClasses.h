#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/BaseCustomClass.h"

namespace quorvel {

// The shared field sets of the two item kinds, in list-file column order.
const FieldSet& MediaFieldSet();
const FieldSet& HardwareFieldSet();

inline constexpr int32_t kMediaFieldCount = 25;
inline constexpr int32_t kHardwareFieldCount = 20;

// A media item: one cartridge or other game medium, 25 fields.
class TCartClass : private InlineValueStorage<kMediaFieldCount>, public TBaseCustomClass {
public:
    TCartClass() : TBaseCustomClass(MediaFieldSet(), ValueStorage(), kValueCapacity) { }
    std::unique_ptr<TBaseCustomClass> Clone() const override;
    std::unique_ptr<TBaseCustomClass> CloneIn(ItemArena& arena, size_t textRoom) const override;

    // The value's text equals Value, ignoring case.
    bool FieldMatches(std::string_view fieldName, std::string_view value) const;
    // The same with blanks and punctuation dropped from both sides.
    bool FieldMatchesLoose(std::string_view fieldName, std::string_view value) const;

protected:
    TCartClass(const TCartClass& other) : InlineValueStorage(), TBaseCustomClass(other, ValueStorage(), kValueCapacity)
    {
    }
};

// A hardware item: one console, controller or other device, 20 fields.
class THardwareClass : private InlineValueStorage<kHardwareFieldCount>, public TBaseCustomClass {
public:
    THardwareClass() : TBaseCustomClass(HardwareFieldSet(), ValueStorage(), kValueCapacity) { }
    std::unique_ptr<TBaseCustomClass> Clone() const override;
    std::unique_ptr<TBaseCustomClass> CloneIn(ItemArena& arena, size_t textRoom) const override;

protected:
    THardwareClass(const THardwareClass& other)
        : InlineValueStorage(), TBaseCustomClass(other, ValueStorage(), kValueCapacity)
    {
    }
};

static_assert(alignof(TCartClass) <= ItemArena::kAlign && alignof(THardwareClass) <= ItemArena::kAlign);
static_assert(sizeof(TCartClass) <= TBaseCustomClass::kPrefetchBytes &&
              sizeof(THardwareClass) <= TBaseCustomClass::kPrefetchBytes);

// The texts the media finders compare: stored text upper-cased, and for the loose form also
// without blanks and punctuation.
std::string MatchText(const FieldValue& value);
std::string LooseMatchText(const FieldValue& value);

}  // namespace quorvel
