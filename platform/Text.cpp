#include "platform/Text.h"

#include <cstring>

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

size_t CountLines(std::string_view text)
{
    if (text.empty())
        return 0;
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    size_t ends = 0;
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<size_t>(end - p)))); ++p)
        ++ends;
    // A CR ends a line of its own unless an LF follows it.
    for (const char* p = begin; (p = static_cast<const char*>(std::memchr(p, '\r', static_cast<size_t>(end - p)))); ++p)
        if (p + 1 == end || p[1] != '\n')
            ++ends;
    // A last line without its line break counts as well.
    return ends + (end[-1] != '\n' && end[-1] != '\r' ? 1 : 0);
}

size_t FirstLineLongerThan(std::string_view text, size_t maxLength)
{
    // No line can be longer than the text.
    if (text.size() <= maxLength)
        return std::string_view::npos;
    LineCursor cursor(text);
    std::string_view line;
    for (size_t index = 0; cursor.Next(line); ++index)
        if (line.size() > maxLength)
            return index;
    return std::string_view::npos;
}

bool MoreLinesThan(std::string_view text, size_t limit)
{
    // Every line takes at least one byte.
    return text.size() > limit && CountLines(text) > limit;
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
