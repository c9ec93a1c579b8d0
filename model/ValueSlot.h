#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/FieldValue.h"

namespace quorvel {

// Which alternative a value holds, numbered as FieldValue's alternatives.
enum class ValueKind : uint8_t { Unassigned = 0, Text = 1, Integer = 2, Double = 3, Currency = 4, Boolean = 5 };

// How an item stores one value in 16 bytes: a tag byte, then a text of up to 15 bytes in place, or a
// longer text's length and its own exact-size block (or room lent by the item's arena), or the number
// or flag. Items hold many of these
// side by side, so a value costs 16 bytes instead of a FieldValue's 40 and usually no allocation.
class ValueSlot {
public:
    static constexpr size_t kInlineText = 15;

    ValueSlot() noexcept { std::memset(bytes_, 0, sizeof bytes_); }
    explicit ValueSlot(const FieldValue& value) : ValueSlot() { Set(value); }
    ValueSlot(const ValueSlot& other)
    {
        std::memcpy(bytes_, other.bytes_, sizeof bytes_);
        if (other.bytes_[0] == kLongText)
            CopyLong(other);
    }
    ValueSlot(ValueSlot&& other) noexcept;
    ValueSlot& operator=(const ValueSlot& other);
    ValueSlot& operator=(ValueSlot&& other) noexcept;
    ~ValueSlot()
    {
        if (bytes_[0] == kLongText)
            Release();
    }

    ValueKind Kind() const noexcept
    {
        const uint8_t tag = bytes_[0];
        return tag >= kShortText ? ValueKind::Text : static_cast<ValueKind>(tag);
    }

    // The text of a text value; empty for every other kind.
    std::string_view Text() const noexcept
    {
        const uint8_t tag = bytes_[0];
        if (tag >= kShortText)
            return {reinterpret_cast<const char*>(bytes_ + 1), size_t(tag - kShortText)};
        if (tag == kLongText)
            return {LongData(), LongSize()};
        return {};
    }

    FieldValue Value() const;
    void Set(const FieldValue& value);
    void SetText(std::string_view text)
    {
        // Most values are short and replace a value that owns no block.
        if (text.size() <= kInlineText && bytes_[0] != kLongText) {
            unsigned char copy[sizeof bytes_] = {};
            copy[0] = static_cast<uint8_t>(kShortText + text.size());
            if (!text.empty())
                std::memcpy(copy + 1, text.data(), text.size());
            std::memcpy(bytes_, copy, sizeof bytes_);
            return;
        }
        SetOtherText(text);
    }
    // The same, a longer text copied into Room (Text's size), which lives as long as the slot's item.
    void SetText(std::string_view text, char* room);

private:
    // Tags of the kinds that are not text are their ValueKind; short text is kShortText + length.
    static constexpr uint8_t kLongText = static_cast<uint8_t>(ValueKind::Text);
    static constexpr uint8_t kShortText = 16;
    // Where a long text's length and block, and a number, are kept.
    static constexpr size_t kSizeAt = 4;
    // Set where a long text's block is lent, not owned.
    static constexpr size_t kLentAt = 1;
    static constexpr size_t kDataAt = 8;

    template <typename T> T Read(size_t at) const noexcept
    {
        T value;
        std::memcpy(&value, bytes_ + at, sizeof value);
        return value;
    }
    template <typename T> void Write(size_t at, T value) noexcept { std::memcpy(bytes_ + at, &value, sizeof value); }
    const char* LongData() const noexcept { return Read<const char*>(kDataAt); }
    size_t LongSize() const noexcept { return Read<uint32_t>(kSizeAt); }

    template <typename T> void SetNumber(ValueKind kind, T value) noexcept;
    void SetLong(std::string_view text, const char* block, bool lent) noexcept;
    void CopyLong(const ValueSlot& other);
    void SetOtherText(std::string_view text);
    void Release() noexcept;

    alignas(8) unsigned char bytes_[16];
};

static_assert(sizeof(ValueSlot) == 16);

}  // namespace quorvel
