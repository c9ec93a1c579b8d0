#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The text routines every layer shares: lines, blanks, hexadecimal digits. Text is bytes.
namespace quorvel {

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
    static size_t LineEnd(std::string_view text, size_t pos)
    {
        const char* p = text.data() + pos;
        const char* end = text.data() + text.size();
        while (p != end && *p != '\n' && *p != '\r')
            ++p;
        return static_cast<size_t>(p - text.data());
    }
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
