#include "platform/TextLines.h"

namespace quorvel {

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

}  // namespace quorvel
