#include "model/ValueSlot.h"

#include <limits>
#include <stdexcept>
#include <utility>

namespace quorvel {

namespace {

char* CopyBlock(std::string_view text)
{
    char* block = new char[text.size()];
    std::memcpy(block, text.data(), text.size());
    return block;
}

}  // namespace

void ValueSlot::CopyLong(const ValueSlot& other)
{
    // A copy owns its text, wherever the original's lies.
    Write(kDataAt, static_cast<const char*>(CopyBlock(other.Text())));
    bytes_[kLentAt] = 0;
}

ValueSlot::ValueSlot(ValueSlot&& other) noexcept
{
    std::memcpy(bytes_, other.bytes_, sizeof bytes_);
    other.bytes_[0] = static_cast<uint8_t>(ValueKind::Unassigned);
}

ValueSlot& ValueSlot::operator=(const ValueSlot& other)
{
    if (this != &other) {
        ValueSlot copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ValueSlot& ValueSlot::operator=(ValueSlot&& other) noexcept
{
    if (this != &other) {
        Release();
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        other.bytes_[0] = static_cast<uint8_t>(ValueKind::Unassigned);
    }
    return *this;
}

void ValueSlot::Release() noexcept
{
    if (bytes_[0] == kLongText && bytes_[kLentAt] == 0)
        delete[] LongData();
}

FieldValue ValueSlot::Value() const
{
    switch (Kind()) {
    case ValueKind::Unassigned:
        return FieldValue {};
    case ValueKind::Text:
        return FieldValue(std::in_place_type<std::string>, Text());
    case ValueKind::Integer:
        return Read<int32_t>(kDataAt);
    case ValueKind::Double:
        return Read<double>(kDataAt);
    case ValueKind::Currency:
        return Currency {Read<int64_t>(kDataAt)};
    case ValueKind::Boolean:
        return Read<bool>(kDataAt);
    }
    return FieldValue {};
}

template <typename T> void ValueSlot::SetNumber(ValueKind kind, T value) noexcept
{
    Release();
    std::memset(bytes_, 0, sizeof bytes_);
    bytes_[0] = static_cast<uint8_t>(kind);
    Write(kDataAt, value);
}

void ValueSlot::Set(const FieldValue& value)
{
    std::visit(
        [this](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                Release();
                std::memset(bytes_, 0, sizeof bytes_);
            } else if constexpr (std::is_same_v<T, std::string>) {
                SetText(x);
            } else if constexpr (std::is_same_v<T, int32_t>) {
                SetNumber(ValueKind::Integer, x);
            } else if constexpr (std::is_same_v<T, double>) {
                SetNumber(ValueKind::Double, x);
            } else if constexpr (std::is_same_v<T, Currency>) {
                SetNumber(ValueKind::Currency, x.Scaled);
            } else {
                SetNumber(ValueKind::Boolean, x);
            }
        },
        value);
}

void ValueSlot::SetOtherText(std::string_view text)
{
    // Text may lie in this slot's own block, so it is copied before the block goes.
    if (text.size() <= kInlineText) {
        unsigned char copy[kInlineText];
        if (!text.empty())
            std::memcpy(copy, text.data(), text.size());
        Release();
        std::memset(bytes_, 0, sizeof bytes_);
        bytes_[0] = static_cast<uint8_t>(kShortText + text.size());
        if (!text.empty())
            std::memcpy(bytes_ + 1, copy, text.size());
        return;
    }
    if (text.size() > std::numeric_limits<uint32_t>::max())
        throw std::length_error("Field text too long");
    if (bytes_[0] == kLongText && LongSize() == text.size()) {
        std::memmove(const_cast<char*>(LongData()), text.data(), text.size());
        return;
    }
    SetLong(text, CopyBlock(text), false);
}

void ValueSlot::SetText(std::string_view text, char* room)
{
    if (text.size() <= kInlineText || text.size() > std::numeric_limits<uint32_t>::max()) {
        SetText(text);
        return;
    }
    std::memmove(room, text.data(), text.size());
    SetLong(text, room, true);
}

void ValueSlot::SetLong(std::string_view text, const char* block, bool lent) noexcept
{
    Release();
    std::memset(bytes_, 0, sizeof bytes_);
    bytes_[0] = kLongText;
    bytes_[kLentAt] = lent ? 1 : 0;
    Write(kSizeAt, static_cast<uint32_t>(text.size()));
    Write(kDataAt, block);
}

}  // namespace quorvel
