#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "model/BaseCustomClass.h"

namespace quorvel {

// The shared field sets of the two item kinds, in list-file column order.
const FieldSet& MediaFieldSet();
const FieldSet& HardwareFieldSet();

// A media item: one cartridge or other game medium, 25 fields.
class TCartClass : public TBaseCustomClass {
public:
    TCartClass() : TBaseCustomClass(MediaFieldSet()) {}
    std::unique_ptr<TBaseCustomClass> Clone() const override;

    // The value's text equals Value, ignoring case.
    bool FieldMatches(std::string_view fieldName, std::string_view value) const;
    // The same with blanks and punctuation dropped from both sides.
    bool FieldMatchesLoose(std::string_view fieldName, std::string_view value) const;

protected:
    TCartClass(const TCartClass&) = default;
};

// A hardware item: one console, controller or other device, 20 fields.
class THardwareClass : public TBaseCustomClass {
public:
    THardwareClass() : TBaseCustomClass(HardwareFieldSet()) {}
    std::unique_ptr<TBaseCustomClass> Clone() const override;

protected:
    THardwareClass(const THardwareClass&) = default;
};

// The texts the media finders compare: stored text upper-cased, and for the loose form also
// without blanks and punctuation.
std::string MatchText(const FieldValue& value);
std::string LooseMatchText(const FieldValue& value);

}  // namespace quorvel
