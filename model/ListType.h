#pragma once

#include <cstdint>

namespace quorvel {

// The list-type code of every list and list file.
enum TListType : uint8_t { ltNone = 0, ltMedia = 1, ltHardware = 2 };

}  // namespace quorvel
