#include "model/BaseCustomClass.h"

#include "model/LocaleFormat.h"
#include "model/Utils.h"

namespace quorvel {

ListIndexError::ListIndexError(int64_t index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")") {}

TBaseCustomClass::TBaseCustomClass(const FieldSet& fields) : fields_(&fields) {
    values_.reserve(static_cast<size_t>(fields.Count()));
    for (const auto& field : fields.Definitions()) values_.push_back(field.DefaultValue());
}

std::unique_ptr<TBaseCustomClass> TBaseCustomClass::Clone() const {
    return std::unique_ptr<TBaseCustomClass>(new TBaseCustomClass(*this));
}

void TBaseCustomClass::ResetValues() {
    for (int32_t i = 0; i < FieldCount(); ++i) values_[static_cast<size_t>(i)] = (*fields_)[i].DefaultValue();
    Modified = false;
}

TDataFieldClass TBaseCustomClass::GetField(int32_t index) const {
    if (index < 0 || index >= FieldCount()) throw ListIndexError(index);
    return TDataFieldClass((*fields_)[index], ValueAt(index));
}

int32_t TBaseCustomClass::GetFieldType(std::string_view name) const {
    const int32_t i = IndexOfField(name);
    return i < 0 ? 0 : (*fields_)[i].DataType;
}

FieldValue TBaseCustomClass::GetFieldValue(std::string_view name) const {
    const int32_t i = IndexOfField(name);
    return i < 0 ? FieldValue{} : ValueAt(i);
}

void TBaseCustomClass::SetFieldValue(std::string_view name, const FieldValue& value) {
    const int32_t i = IndexOfField(name);
    if (i >= 0) SetValueAt(i, value);
}

void TBaseCustomClass::SetValueAt(int32_t index, const FieldValue& value) {
    values_[static_cast<size_t>(index)] = value;
    Modified = true;
}

std::string TBaseCustomClass::GetFieldAsString(std::string_view name) const {
    const int32_t i = IndexOfField(name);
    return i < 0 ? std::string() : DisplayTextAt(i);
}

std::string TBaseCustomClass::DisplayTextAt(int32_t index) const { return DisplayText((*fields_)[index], ValueAt(index)); }

void TBaseCustomClass::Assign(const TBaseCustomClass& source) {
    if (&source == this) return;
    if (source.fields_ == fields_) {
        values_ = source.values_;
    } else {
        for (int32_t i = 0; i < FieldCount(); ++i) values_[static_cast<size_t>(i)] = source.GetFieldValue((*fields_)[i].Name);
    }
    Modified = source.Modified;
}

std::string DisplayText(const FieldDefinition& definition, const FieldValue& value) {
    switch (definition.DataType) {
    case dtInteger: return std::to_string(TryToInteger(value).value_or(0));
    case dtCurrency:
        if (auto c = TryToCurrency(value)) return LocaleFormat::Current().FormatMoney(*c);
        return ToDisplayText(value);
    case dtBoolean:
        if (auto b = TryToBoolean(value)) return BoolToYesNo(*b);
        return ToDisplayText(value);
    default: return ToDisplayText(value);
    }
}

}  // namespace quorvel
