#include "model/FieldSet.h"

#include "platform/Cp1252.h"

namespace quorvel {

size_t FieldSet::NoCaseHash::operator()(std::string_view s) const
{
    size_t h = 1469598103934665603ull;
    for (char c : s)
        h = (h ^ Cp1252::ToUpper(static_cast<unsigned char>(c))) * 1099511628211ull;
    return h;
}

bool FieldSet::NoCaseEqual::operator()(std::string_view a, std::string_view b) const
{
    return Cp1252::EqualsNoCase(a, b);
}

void FieldSet::AddField(const std::string& name, const std::string& caption, TFieldDataType dataType, bool required,
                        const FieldValue& defaultValue)
{
    FieldDefinition field;
    field.Name = Cp1252::ToUpper(name);
    field.Caption = caption;
    field.DataType = dataType;
    field.Required = required;
    field.Default = defaultValue;
    // The first field of a name wins, as a scan in field order would find it.
    index_.emplace(field.Name, Count());
    if (field.Name == "QUANTITY" && quantityIndex_ < 0)
        quantityIndex_ = Count();
    fields_.push_back(std::move(field));
}

void FieldSet::AddRangeField(const std::string& name, const std::string& caption, TFieldDataType dataType,
                             bool required, const FieldValue& defaultValue, int32_t min, int32_t max)
{
    AddField(name, caption, dataType, required, defaultValue);
    fields_.back().Min = min;
    fields_.back().Max = max;
}

void FieldSet::AddLookupField(const std::string& name, const std::string& caption, TFieldDataType dataType,
                              bool required, const FieldValue& defaultValue, const std::string& lookupFileKey,
                              const std::string& lookupSection)
{
    AddField(name, caption, dataType, required, defaultValue);
    fields_.back().LookupFileKey = lookupFileKey;
    fields_.back().LookupSection = lookupSection;
    fields_.back().IsLookup = true;
}

void FieldSet::DefaultToToday() { fields_.back().DefaultIsToday = true; }

int32_t FieldSet::IndexOf(std::string_view name) const
{
    auto it = index_.find(name);
    return it == index_.end() ? -1 : it->second;
}

std::vector<std::string> FieldSet::Names() const
{
    std::vector<std::string> names;
    names.reserve(fields_.size());
    for (const auto& field : fields_)
        names.push_back(field.Name);
    return names;
}

const std::vector<int32_t>& FieldPositions::In(const FieldSet& fields)
{
    if (&fields != fields_) {
        fields_ = &fields;
        positions_.clear();
        for (const auto& name : names_)
            positions_.push_back(fields.IndexOf(name));
    }
    return positions_;
}

}  // namespace quorvel
