#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/DataField.h"

namespace quorvel {

// The ordered field definitions of one item kind, built once and shared by every item of the kind.
// Names are found through one index that ignores case (Windows-1252 upper case).
class FieldSet {
public:
    // Building, before the set is shared. Names are stored upper-cased.
    void AddField(const std::string& name, const std::string& caption, TFieldDataType dataType, bool required,
                  const FieldValue& defaultValue);
    void AddRangeField(const std::string& name, const std::string& caption, TFieldDataType dataType, bool required,
                       const FieldValue& defaultValue, int32_t min, int32_t max);
    void AddLookupField(const std::string& name, const std::string& caption, TFieldDataType dataType, bool required,
                        const FieldValue& defaultValue, const std::string& lookupFileKey,
                        const std::string& lookupSection);
    // Marks the last added field as defaulting to today's date text.
    void DefaultToToday();

    int32_t Count() const { return static_cast<int32_t>(fields_.size()); }
    const FieldDefinition& operator[](int32_t index) const { return fields_[static_cast<size_t>(index)]; }
    const std::vector<FieldDefinition>& Definitions() const { return fields_; }
    // Position of the first field of that name, ignoring case; -1 when there is none.
    int32_t IndexOf(std::string_view name) const;
    std::vector<std::string> Names() const;
    // IndexOf("Quantity"), found once: lists keep the sum of their items' quantities.
    int32_t QuantityIndex() const { return quantityIndex_; }

private:
    struct NoCaseHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const;
    };
    struct NoCaseEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };

    std::vector<FieldDefinition> fields_;
    int32_t quantityIndex_ = -1;
    std::unordered_map<std::string, int32_t, NoCaseHash, NoCaseEqual> index_;
};

// Positions of some field names in the field set of the items at hand, resolved once per set
// (-1 for a name the set lacks), for loops over many items.
class FieldPositions {
public:
    explicit FieldPositions(std::vector<std::string> names) : names_(std::move(names)) { }
    const std::vector<int32_t>& In(const FieldSet& fields);

private:
    std::vector<std::string> names_;
    const FieldSet* fields_ = nullptr;
    std::vector<int32_t> positions_;
};

}  // namespace quorvel
