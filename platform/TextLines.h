#pragma once

#include <cstddef>
#include <string_view>

namespace quorvel {

// Walks the lines of a text without copying them: CR, LF and CR LF end a line; a final line break
// starts no further line.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    bool Next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        const char* begin = text_.data() + pos_;
        const char* end = text_.data() + text_.size();
        const char* p = begin;
        while (p != end && *p != '\n' && *p != '\r')
            ++p;
        line = std::string_view(begin, static_cast<size_t>(p - begin));
        if (p != end) {
            if (*p == '\r' && p + 1 != end && p[1] == '\n')
                ++p;
            ++p;
        }
        pos_ = static_cast<size_t>(p - text_.data());
        return true;
    }
    // Where the next line begins.
    size_t Position() const { return pos_; }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// Whether Text holds more than Limit lines, by the rule of the line readers: CR, LF and CR LF end a
// line, a final line break starts no further line. Costs one pass at most.
bool MoreLinesThan(std::string_view text, size_t limit);

}  // namespace quorvel
