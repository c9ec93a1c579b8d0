#pragma once

#include <cstddef>

namespace quorvel {

// Has the kernel give the whole pages of Memory .. Memory + Size their frames now, in one call,
// where the first write to each page would otherwise stop for a fault of its own. For memory about
// to be filled at once (a big list's items); it changes no byte, and does nothing where the kernel
// cannot (before Linux 5.14).
void PrepareForWriting(void* memory, size_t size) noexcept;

}  // namespace quorvel
