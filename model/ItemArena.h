#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// Memory for many items and their texts made by one thread at once (a list read from a file): one
// allocation per 64 KiB block instead of one per item and one per long text, given back whole when
// the last item made in it goes, so that a big list is also freed in few steps.
namespace quorvel {

class ItemArena;

// What precedes every item in memory: the arena block it lies in, or none for an item of its own.
struct ItemHeader {
    struct ItemBlock* Home;
};

// One block of arena memory; lives while an item made in it lives, or its arena uses it.
struct ItemBlock {
    // Items not yet deleted, plus kFilling while the arena still makes items in it.
    std::atomic<int64_t> Users;
    size_t Size;
};

class ItemArena {
public:
    ItemArena() = default;
    ItemArena(const ItemArena&) = delete;
    ItemArena& operator=(const ItemArena&) = delete;
    ~ItemArena() { Leave(); }

    // How items and headers are aligned: what an item kind needs (checked with the kinds).
    static constexpr size_t kAlign = 8;

    // Room for the next item of Size bytes (after its header) with TextRoom bytes behind it for its
    // texts: an item's texts lie in the block of the item, so they live exactly as long.
    void* AllocateItem(size_t size, size_t textRoom);
    // Hands back the room of the item made last, whose making failed.
    void UndoItem();
    // Text room behind the item made last (at most the TextRoom it asked for, in all); nullptr when
    // the block has no more room.
    char* AllocateText(size_t size)
    {
        if (!block_ || static_cast<size_t>(end_ - next_) < size)
            return nullptr;
        char* text = next_;
        next_ += size;
        return text;
    }

    // Deletes an item's memory: its own, or its block's share.
    static void Free(void* item) noexcept;
    // Room of its own for an item (with its header).
    static void* AllocateAlone(size_t size);

private:
    static constexpr int64_t kFilling = int64_t(1) << 40;
    // Below the allocator's threshold for mappings of their own: blocks come from its heaps, which
    // the next list read reuses. Megabyte blocks were fresh mappings, whose pages the kernel cleared
    // again at every load (a quarter of reading a list a second time).
    static constexpr size_t kBlockSize = size_t(1) << 16;

    static void Release(ItemBlock* block, int64_t users) noexcept;
    void Leave() noexcept;

    ItemBlock* block_ = nullptr;
    char* next_ = nullptr;  // the first free byte of the block
    char* end_ = nullptr;
    char* lastItem_ = nullptr;  // the start (header) of the item made last
    int64_t made_ = 0;          // items made in the block
};

}  // namespace quorvel
