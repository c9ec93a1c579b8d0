#include "platform/Text.h"

namespace quorvel {

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line))
        lines.push_back(line);
    return lines;
}

bool MoreLinesThan(std::string_view text, size_t limit)
{
    // Every line but the last ends in a CR or LF: counting those bounds the lines in a pass the
    // compiler can vectorise; the exact rule matters only near the limit.
    size_t ends = 0;
    for (const char c : text)
        ends += static_cast<size_t>(c == '\n') + static_cast<size_t>(c == '\r');
    if (ends < limit)
        return false;
    LineCursor cursor(text);
    std::string_view line;
    for (size_t lines = 0; cursor.Next(line);)
        if (++lines > limit)
            return true;
    return false;
}

std::string_view TrimBlanks(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

bool IsBlank(std::string_view s) { return TrimBlanks(s).empty(); }

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

void AppendHexByte(std::string& out, unsigned char c)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
}

}  // namespace quorvel
