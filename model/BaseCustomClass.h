#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/DataField.h"
#include "model/FieldSet.h"

namespace quorvel {

// Raised for a position outside a list or field set: "List index out of bounds (N)".
class ListIndexError : public std::out_of_range {
public:
    explicit ListIndexError(int64_t index);
};

// One item: its kind's shared field set, a value per field and the modified flag.
// Fields are addressed by name ignoring case; a name that matches no field reads as the empty
// value and is ignored on writes.
class TBaseCustomClass {
public:
    bool Modified = false;

    explicit TBaseCustomClass(const FieldSet& fields);
    virtual ~TBaseCustomClass() = default;
    TBaseCustomClass& operator=(const TBaseCustomClass&) = delete;

    // A copy of the same kind with the same values and flag.
    virtual std::unique_ptr<TBaseCustomClass> Clone() const;

    const FieldSet& Fields() const { return *fields_; }
    void ResetValues();

    // A standalone copy of the field at that position (changes to it do not reach the item);
    // raises ListIndexError outside 0 .. FieldCount() - 1.
    TDataFieldClass GetField(int32_t index) const;
    int32_t FieldCount() const { return fields_->Count(); }
    std::vector<std::string> GetFieldNames() const { return fields_->Names(); }
    int32_t IndexOfField(std::string_view name) const { return fields_->IndexOf(name); }
    bool HasField(std::string_view name) const { return IndexOfField(name) >= 0; }
    int32_t GetFieldType(std::string_view name) const;
    FieldValue GetFieldValue(std::string_view name) const;
    void SetFieldValue(std::string_view name, const FieldValue& value);
    // The display text of the value; "" for a name that matches no field. Never throws.
    std::string GetFieldAsString(std::string_view name) const;
    // Values by field name from Source, then Source's modified flag.
    void Assign(const TBaseCustomClass& source);

    // Positional access for loops that resolved a name once; the position must be valid.
    const FieldValue& ValueAt(int32_t index) const { return values_[static_cast<size_t>(index)]; }
    void SetValueAt(int32_t index, const FieldValue& value);
    std::string DisplayTextAt(int32_t index) const;

protected:
    TBaseCustomClass(const TBaseCustomClass&) = default;

private:
    const FieldSet* fields_;
    std::vector<FieldValue> values_;
};

// The display text of a value held by a field of that definition: whole numbers in decimal ("0"
// when the value does not convert), money in the locale format, booleans as "Yes" / "No"; a money
// or boolean value that does not convert shows its raw text.
std::string DisplayText(const FieldDefinition& definition, const FieldValue& value);

}  // namespace quorvel
