#include "model/FieldText.h"

#include "platform/Text.h"

#include <algorithm>
#include <cstring>

namespace quorvel {

namespace {

// Decodes into Out; on a bad escape answers the position of its "%" (npos when all went well).
size_t DecodeInto(std::string_view s, std::string& out)
{
    out.clear();
    out.reserve(s.size());
    size_t i = 0;
    while (i < s.size()) {
        const void* hit = std::memchr(s.data() + i, '%', s.size() - i);
        const size_t at = hit ? static_cast<size_t>(static_cast<const char*>(hit) - s.data()) : s.size();
        out.append(s.data() + i, at - i);
        if (at == s.size())
            break;
        // Up to two characters follow; at the end of the value there may be fewer.
        const size_t digits = std::min<size_t>(2, s.size() - at - 1);
        int code = 0;
        for (size_t k = 1; k <= digits; ++k) {
            const int d = HexDigitValue(s[at + k]);
            if (d < 0)
                return at;
            code = code * 16 + d;
        }
        if (digits == 0)
            return at;
        out.push_back(static_cast<char>(code));
        i = at + 1 + digits;
    }
    return std::string_view::npos;
}

}  // namespace

void AppendFieldText(std::string& out, std::string_view s)
{
    size_t start = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const char ch = s[i];
        if (ch == '\n' || ch == '\r' || ch == '"' || ch == '%') {
            out.append(s.data() + start, i - start);
            out += '%';
            AppendHexByte(out, static_cast<unsigned char>(ch));
            start = i + 1;
        }
    }
    out.append(s.data() + start, s.size() - start);
}

std::string EncodeFieldText(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    AppendFieldText(out, s);
    return out;
}

std::string DecodeFieldText(std::string_view s)
{
    std::string out;
    const size_t bad = DecodeInto(s, out);
    if (bad != std::string_view::npos) {
        const std::string_view chars = s.substr(bad + 1, 2);
        throw FieldTextDecodeError("'$" + std::string(chars) + "' is not a valid integer value");
    }
    return out;
}

bool TryDecodeFieldText(std::string_view s, std::string& out) { return DecodeInto(s, out) == std::string_view::npos; }

}  // namespace quorvel
