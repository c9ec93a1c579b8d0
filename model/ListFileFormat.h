#pragma once

#include <string_view>

// What the list-file reader, writer and peeks share.
namespace quorvel::listfile {

inline constexpr std::string_view kCurrentTag = "QV1.2";

inline bool IsOldTag(std::string_view tag) { return tag == "QV1.0" || tag == "QV1.1"; }
inline bool IsKnownTag(std::string_view tag) { return tag == kCurrentTag || IsOldTag(tag); }

}  // namespace quorvel::listfile
