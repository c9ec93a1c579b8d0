#include "platform/Cp1252.h"

#include <array>

namespace quorvel::Cp1252 {

namespace {

// 0x80-0x9F; the five undefined bytes keep their C1 value so that they round-trip.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

struct CaseTables {
    std::array<unsigned char, 256> upper {};
    std::array<unsigned char, 256> lower {};
};

constexpr CaseTables MakeCaseTables()
{
    CaseTables t;
    for (int i = 0; i < 256; ++i) {
        t.upper[i] = static_cast<unsigned char>(i);
        t.lower[i] = static_cast<unsigned char>(i);
    }
    auto pair = [&t](int upper, int lower) {
        t.upper[lower] = static_cast<unsigned char>(upper);
        t.lower[upper] = static_cast<unsigned char>(lower);
    };
    for (int c = 'A'; c <= 'Z'; ++c)
        pair(c, c + 32);
    for (int c = 0xC0; c <= 0xDE; ++c)
        if (c != 0xD7)
            pair(c, c + 32);
    pair(0x8A, 0x9A);
    pair(0x8C, 0x9C);
    pair(0x8E, 0x9E);
    pair(0x9F, 0xFF);
    return t;
}

constexpr CaseTables kCase = MakeCaseTables();

}  // namespace

char16_t ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte;
}

int FromUnicode(char16_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return codePoint;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == codePoint)
            return 0x80 + i;
    return -1;
}

unsigned char ToUpper(unsigned char byte) { return kCase.upper[byte]; }

unsigned char ToLower(unsigned char byte) { return kCase.lower[byte]; }

const std::array<unsigned char, 256>& LowerTable() { return kCase.lower; }

std::string ToUpper(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(kCase.upper[static_cast<unsigned char>(c)]);
    return result;
}

std::string ToLower(std::string_view text)
{
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(kCase.lower[static_cast<unsigned char>(c)]);
    return result;
}

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (kCase.upper[static_cast<unsigned char>(a[i])] != kCase.upper[static_cast<unsigned char>(b[i])])
            return false;
    return true;
}

int CompareNoCase(std::string_view a, std::string_view b)
{
    const size_t n = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < n; ++i) {
        const int x = kCase.lower[static_cast<unsigned char>(a[i])];
        const int y = kCase.lower[static_cast<unsigned char>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string ToUtf8(std::string_view text)
{
    std::string bytes;
    bytes.reserve(text.size());
    for (const char ch : text)
        AppendUtf8(bytes, ToUnicode(static_cast<unsigned char>(ch)));
    return bytes;
}

std::optional<std::string> FromUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        // Every character of the code page lies below U+10000: one to three bytes.
        const size_t length = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : 0;
        if (length == 0 || i + length > bytes.size())
            return std::nullopt;
        char32_t code = length == 1 ? lead : length == 2 ? (lead & 0x1F) : (lead & 0x0F);
        for (size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        // Overlong forms spell a character twice; they are no valid UTF-8.
        if ((length == 2 && code < 0x80) || (length == 3 && code < 0x800))
            return std::nullopt;
        const int byte = FromUnicode(static_cast<char16_t>(code));
        if (byte < 0)
            return std::nullopt;
        text += static_cast<char>(byte);
        i += length;
    }
    return text;
}

}  // namespace quorvel::Cp1252
