#pragma once

#include <bit>
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
            SetShortText(text);
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

    // A text of at most kInlineText bytes, which may lie in this slot itself. The slot's two halves
    // are put together in registers from a few loads that stay inside the text: copying it byte by
    // byte into a buffer and reading that back whole would stall the processor at every value.
    void SetShortText(std::string_view text) noexcept
    {
        const auto* p = reinterpret_cast<const unsigned char*>(text.data());
        const size_t n = text.size();
        if constexpr (std::endian::native != std::endian::little) {
            unsigned char copy[sizeof bytes_] = {};
            copy[0] = static_cast<uint8_t>(kShortText + n);
            if (n != 0)
                std::memcpy(copy + 1, p, n);
            std::memcpy(bytes_, copy, sizeof bytes_);
            return;
        }
        const auto load = [](const unsigned char* at, auto width) {
            decltype(width) value;
            std::memcpy(&value, at, sizeof value);
            return uint64_t(value);
        };
        uint64_t low = 0, high = 0;  // slot bytes 0-7 (the tag first) and 8-15, lowest byte first
        if (n >= 8) {
            low = load(p, uint64_t {}) << 8;                        // text bytes 0-6
            high = load(p + n - 8, uint64_t {}) >> (8 * (15 - n));  // text bytes 7 to n - 1
        } else if (n >= 4) {
            low = (load(p, uint32_t {}) | load(p + n - 4, uint32_t {}) << (8 * (n - 4))) << 8;
        } else if (n > 0) {
            low = (uint64_t(p[0]) | uint64_t(p[n / 2]) << (8 * (n / 2)) | uint64_t(p[n - 1]) << (8 * (n - 1))) << 8;
        }
        low |= kShortText + n;
        std::memcpy(bytes_, &low, sizeof low);
        std::memcpy(bytes_ + sizeof low, &high, sizeof high);
    }
    template <typename T> void SetNumber(ValueKind kind, T value) noexcept;
    void SetLong(std::string_view text, const char* block, bool lent) noexcept;
    void CopyLong(const ValueSlot& other);
    void SetOtherText(std::string_view text);
    void Release() noexcept;

    alignas(8) unsigned char bytes_[16];
};

static_assert(sizeof(ValueSlot) == 16);

}  // namespace quorvel
