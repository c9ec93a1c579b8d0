#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The text routines every layer shares: lines, blanks, hexadecimal digits. Text is bytes.
namespace quorvel {

// Where the first byte of S from Pos on is A or B; S's size when there is none. Sixteen or eight
// bytes at a time: list fields are short, and a call of memchr per field and character cost more
// than the search.
inline size_t FindEither(std::string_view s, size_t pos, char a, char b)
{
    const char* p = s.data();
    const size_t n = s.size();
#if defined(__SSE2__)
    const __m128i va = _mm_set1_epi8(a), vb = _mm_set1_epi8(b);
    for (; pos + 16 <= n; pos += 16) {
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + pos));
        const auto hit =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(w, va), _mm_cmpeq_epi8(w, vb))));
        if (hit)
            return pos + static_cast<size_t>(std::countr_zero(hit));
    }
#endif
    if constexpr (std::endian::native == std::endian::little) {
        constexpr uint64_t ones = 0x0101010101010101ull, highs = 0x8080808080808080ull;
        const uint64_t ma = ones * static_cast<unsigned char>(a), mb = ones * static_cast<unsigned char>(b);
        for (; pos + 8 <= n; pos += 8) {
            uint64_t w;
            std::memcpy(&w, p + pos, sizeof w);
            const uint64_t xa = w ^ ma, xb = w ^ mb;
            // The lowest marked byte of each is exactly its first zero byte.
            const uint64_t hit = (((xa - ones) & ~xa) | ((xb - ones) & ~xb)) & highs;
            if (hit)
                return pos + static_cast<size_t>(std::countr_zero(hit)) / 8;
        }
    }
    for (; pos < n; ++pos)
        if (p[pos] == a || p[pos] == b)
            return pos;
    return n;
}

// Walks the lines of a text without copying them: CR, LF and CR LF end a line; a final line break
// starts no further line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) { }

    bool Next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        const size_t end = LineEnd(text_, pos_);
        line = text_.substr(pos_, end - pos_);
        pos_ = NextLineStart(text_, end);
        return true;
    }
    // Where the next line begins.
    size_t Position() const { return pos_; }

    // Where the line that holds Pos ends (its CR or LF, or the end of the text).
    static size_t LineEnd(std::string_view text, size_t pos) { return FindEither(text, pos, '\n', '\r'); }
    // Where the line after the one that holds Pos begins (the end of the text when there is none).
    static size_t NextLineStart(std::string_view text, size_t pos)
    {
        pos = LineEnd(text, pos);
        if (pos < text.size() && text[pos] == '\r' && pos + 1 < text.size() && text[pos + 1] == '\n')
            ++pos;
        return pos < text.size() ? pos + 1 : pos;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// The lines of a text by the rule of LineCursor, as views into it.
std::vector<std::string_view> SplitLines(std::string_view text);

// How many lines LineCursor finds in Text, counted by searching for the line ends.
size_t CountLines(std::string_view text);
// The index (from 0) of the first line of Text longer than MaxLength bytes, its line break not
// counted; npos when there is none.
size_t FirstLineLongerThan(std::string_view text, size_t maxLength);
// Whether Text holds more than Limit lines by the rule of LineCursor.
bool MoreLinesThan(std::string_view text, size_t limit);

// Without the blanks (spaces and tabs) at both ends.
std::string_view TrimBlanks(std::string_view s);
bool IsBlank(std::string_view s);

// The value of a hexadecimal digit of either case, or -1.
int HexDigitValue(char c);
// "%" style escapes: the byte as two upper-case hexadecimal digits.
void AppendHexByte(std::string& out, unsigned char c);

}  // namespace quorvel
