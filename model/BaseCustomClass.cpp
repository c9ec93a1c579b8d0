#include "model/BaseCustomClass.h"

#include <memory>
#include <new>

#include "model/LocaleFormat.h"
#include "model/Utils.h"

namespace quorvel {

ListIndexError::ListIndexError(int64_t index)
    : std::out_of_range("List index out of bounds (" + std::to_string(index) + ")")
{
}

TBaseCustomClass::TBaseCustomClass(const FieldSet& fields) : TBaseCustomClass(fields, nullptr, 0) { }

TBaseCustomClass::TBaseCustomClass(const TBaseCustomClass& other) : TBaseCustomClass(other, nullptr, 0) { }

TBaseCustomClass::TBaseCustomClass(const FieldSet& fields, void* storage, int32_t capacity) : fields_(&fields)
{
    MakeSlots(storage, capacity, [&](int32_t i) { return ValueSlot(fields[i].DefaultValue()); });
    quantityShare_ = ComputeQuantityShare();
}

TBaseCustomClass::TBaseCustomClass(const TBaseCustomClass& other, void* storage, int32_t capacity)
    : Modified(other.Modified), fields_(other.fields_), quantityShare_(other.quantityShare_)
{
    MakeSlots(storage, capacity, [&](int32_t i) -> const ValueSlot& { return other.slots_[i]; });
}

template <typename MakeSlot> void TBaseCustomClass::MakeSlots(void* storage, int32_t capacity, MakeSlot make)
{
    const int32_t count = fields_->Count();
    ownsSlots_ = count > capacity;
    void* room = ownsSlots_ ? ::operator new(static_cast<size_t>(count) * sizeof(ValueSlot)) : storage;
    auto* first = static_cast<ValueSlot*>(room);
    int32_t made = 0;
    try {
        for (; made < count; ++made)
            new (first + made) ValueSlot(make(made));
    } catch (...) {
        std::destroy_n(first, made);
        if (ownsSlots_)
            ::operator delete(room);
        throw;
    }
    slots_ = std::launder(first);
}

TBaseCustomClass::~TBaseCustomClass()
{
    CountIn(nullptr);
    std::destroy_n(slots_, FieldCount());
    if (ownsSlots_)
        ::operator delete(slots_);
}

std::unique_ptr<TBaseCustomClass> TBaseCustomClass::Clone() const
{
    return std::unique_ptr<TBaseCustomClass>(new TBaseCustomClass(*this));
}

void TBaseCustomClass::CountIn(ItemCounts* counts) noexcept
{
    if (ItemCounts* old = Modified.Counts(); old == counts)
        return;
    const int64_t share = QuantityShare();
    if (ItemCounts* old = Modified.Counts())
        old->Quantity -= share;
    if (counts)
        counts->Quantity += share;
    Modified.CountIn(counts);
}

int32_t TBaseCustomClass::ComputeQuantityShare() const noexcept
{
    const int32_t at = fields_->QuantityIndex();
    if (at < 0)
        return 0;
    const ValueSlot& slot = slots_[at];
    const auto value = slot.Kind() == ValueKind::Text ? TryTextToInteger(slot.Text()) : TryToInteger(slot.Value());
    return value.value_or(0);
}

template <typename Change> void TBaseCustomClass::ChangeSlot(int32_t index, Change change)
{
    change(slots_[index]);
    // A change that throws leaves the slot as it was, and the share with it.
    if (index == fields_->QuantityIndex()) {
        const int32_t before = quantityShare_;
        quantityShare_ = ComputeQuantityShare();
        if (ItemCounts* counts = Modified.Counts())
            counts->Quantity += int64_t {quantityShare_} - before;
    }
}

std::unique_ptr<TBaseCustomClass> TBaseCustomClass::CloneIn(ItemArena& arena, size_t textRoom) const
{
    return std::unique_ptr<TBaseCustomClass>(new (arena, textRoom) TBaseCustomClass(*this));
}

void TBaseCustomClass::ResetValues()
{
    for (int32_t i = 0; i < FieldCount(); ++i)
        ChangeSlot(i, [&](ValueSlot& slot) { slot.Set((*fields_)[i].DefaultValue()); });
    Modified = false;
}

TDataFieldClass TBaseCustomClass::GetField(int32_t index) const
{
    if (index < 0 || index >= FieldCount())
        throw ListIndexError(index);
    return TDataFieldClass((*fields_)[index], ValueAt(index));
}

int32_t TBaseCustomClass::GetFieldType(std::string_view name) const
{
    const int32_t i = IndexOfField(name);
    return i < 0 ? 0 : (*fields_)[i].DataType;
}

FieldValue TBaseCustomClass::GetFieldValue(std::string_view name) const
{
    const int32_t i = IndexOfField(name);
    return i < 0 ? FieldValue {} : ValueAt(i);
}

void TBaseCustomClass::SetFieldValue(std::string_view name, const FieldValue& value)
{
    const int32_t i = IndexOfField(name);
    if (i >= 0)
        SetValueAt(i, value);
}

void TBaseCustomClass::SetValueAt(int32_t index, const FieldValue& value)
{
    ChangeSlot(index, [&](ValueSlot& slot) { slot.Set(value); });
    Modified = true;
}

void TBaseCustomClass::SetTextAt(int32_t index, std::string_view text)
{
    ChangeSlot(index, [&](ValueSlot& slot) { slot.SetText(text); });
    Modified = true;
}

void TBaseCustomClass::SetQuantityTextIn(std::string_view text, ItemArena& arena)
{
    char* room = text.size() > ValueSlot::kInlineText ? arena.AllocateText(text.size()) : nullptr;
    ChangeSlot(fields_->QuantityIndex(),
               [&](ValueSlot& slot) { room ? slot.SetText(text, room) : slot.SetText(text); });
}

std::string TBaseCustomClass::GetFieldAsString(std::string_view name) const
{
    const int32_t i = IndexOfField(name);
    return i < 0 ? std::string() : DisplayTextAt(i);
}

namespace {

// Fields of these types show a value converted; any other field shows text as it is.
bool ConvertsForDisplay(TFieldDataType dataType)
{
    return dataType == dtInteger || dataType == dtCurrency || dataType == dtBoolean;
}

}  // namespace

std::string TBaseCustomClass::DisplayTextAt(int32_t index) const
{
    const FieldDefinition& definition = (*fields_)[index];
    const ValueSlot& slot = slots_[index];
    if (slot.Kind() == ValueKind::Text && !ConvertsForDisplay(definition.DataType))
        return std::string(slot.Text());
    return DisplayText(definition, slot.Value());
}

void TBaseCustomClass::Assign(const TBaseCustomClass& source)
{
    if (&source == this)
        return;
    if (source.fields_ == fields_) {
        for (int32_t i = 0; i < FieldCount(); ++i)
            ChangeSlot(i, [&](ValueSlot& slot) { slot = source.slots_[i]; });
    } else {
        for (int32_t i = 0; i < FieldCount(); ++i)
            ChangeSlot(i, [&](ValueSlot& slot) { slot.Set(source.GetFieldValue((*fields_)[i].Name)); });
    }
    Modified = source.Modified;
}

std::string DisplayText(const FieldDefinition& definition, const FieldValue& value)
{
    switch (definition.DataType) {
    case dtInteger:
        return std::to_string(TryToInteger(value).value_or(0));
    case dtCurrency:
        if (auto c = TryToCurrency(value))
            return LocaleFormat::Current().FormatMoney(*c);
        return ToDisplayText(value);
    case dtBoolean:
        if (auto b = TryToBoolean(value))
            return BoolToYesNo(*b);
        return ToDisplayText(value);
    default:
        return ToDisplayText(value);
    }
}

}  // namespace quorvel
