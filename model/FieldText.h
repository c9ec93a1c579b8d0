#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvel {

// A "%" escape in a value that is not followed by a hexadecimal number.
class FieldTextDecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Line feed, carriage return, double quote and percent sign become "%" and two upper-case hex digits,
// so that a value stays inside its quotes and on its line.
std::string EncodeFieldText(std::string_view s);
// The same appended to Out (what writers of many values use).
void AppendFieldText(std::string& out, std::string_view s);
// Every "%" and the (at most) two characters after it become the character of that hex code; any
// other byte is copied. Throws FieldTextDecodeError ("'$XY' is not a valid integer value").
std::string DecodeFieldText(std::string_view s);
// The same into Out; false (Out unspecified) where DecodeFieldText would throw.
bool TryDecodeFieldText(std::string_view s, std::string& out);

}  // namespace quorvel
