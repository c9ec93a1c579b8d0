#include "platform/FreshMemory.h"

#include <cstdint>
#include <unistd.h>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace quorvel {

void PrepareForWriting(void* memory, size_t size) noexcept
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    static const auto page = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    // Only pages wholly inside: the ones at the ends may hold other blocks.
    const auto start = reinterpret_cast<uintptr_t>(memory);
    const uintptr_t from = (start + page - 1) & ~(page - 1);
    const uintptr_t to = (start + size) & ~(page - 1);
    // Pages that already have frames are left as they are; a refusal changes nothing.
    if (to > from)
        (void)::madvise(reinterpret_cast<void*>(from), to - from, MADV_POPULATE_WRITE);
#else
    (void)memory;
    (void)size;
#endif
}

}  // namespace quorvel
