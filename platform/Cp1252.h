#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

// Windows-1252 text, the code page of every file the program reads and writes.
// Case mapping uses fixed tables so that the process locale never changes how names match.
namespace quorvel::Cp1252 {

// Unicode code point of a byte. The five bytes the code page leaves undefined map to the
// C1 controls of the same value so that they round-trip.
char16_t ToUnicode(unsigned char byte);

// The byte of a code point, or -1 when the code page has none.
int FromUnicode(char16_t codePoint);

unsigned char ToUpper(unsigned char byte);
unsigned char ToLower(unsigned char byte);
// The whole lower-case table, for loops that map many bytes.
const std::array<unsigned char, 256>& LowerTable();
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

// Equality and ordering ignoring case, by the upper-case (equality) or lower-case (ordering) tables.
bool EqualsNoCase(std::string_view a, std::string_view b);
int CompareNoCase(std::string_view a, std::string_view b);

// Appends a code point of the code page (all below U+10000) in UTF-8.
inline void AppendUtf8(std::string& out, char16_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}
// The text in UTF-8, the encoding of the file system's names.
std::string ToUtf8(std::string_view text);
// UTF-8 bytes back as Windows-1252 text; nothing when the bytes are no valid UTF-8 or hold a
// character the code page lacks.
std::optional<std::string> FromUtf8(std::string_view bytes);

}  // namespace quorvel::Cp1252
