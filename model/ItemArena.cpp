#include "model/ItemArena.h"

#include <algorithm>
#include <new>

#include "platform/FreshMemory.h"

namespace quorvel {

namespace {

constexpr size_t kAlign = ItemArena::kAlign;

constexpr size_t RoundUp(size_t size) { return (size + kAlign - 1) / kAlign * kAlign; }

// The header keeps the item after it aligned: malloc's memory is aligned for more.
constexpr size_t kHeaderSize = RoundUp(sizeof(ItemHeader));
constexpr size_t kBlockHeadSize = RoundUp(sizeof(ItemBlock));

}  // namespace

void* ItemArena::AllocateAlone(size_t size)
{
    char* memory = static_cast<char*>(::operator new(kHeaderSize + size));
    reinterpret_cast<ItemHeader*>(memory)->Home = nullptr;
    return memory + kHeaderSize;
}

void ItemArena::Free(void* item) noexcept
{
    char* memory = static_cast<char*>(item) - kHeaderSize;
    ItemBlock* home = reinterpret_cast<ItemHeader*>(memory)->Home;
    if (!home)
        ::operator delete(memory);
    else
        Release(home, 1);
}

void ItemArena::Release(ItemBlock* block, int64_t users) noexcept
{
    if (block->Users.fetch_sub(users, std::memory_order_acq_rel) == users) {
        block->~ItemBlock();
        ::operator delete(static_cast<void*>(block));
    }
}

void ItemArena::Leave() noexcept
{
    if (!block_)
        return;
    // The items made in it now keep the block; none of them deleted yet counted against kFilling.
    ItemBlock* block = block_;
    block_ = nullptr;
    block->Users.fetch_add(made_, std::memory_order_relaxed);
    Release(block, kFilling);
}

void* ItemArena::AllocateItem(size_t size, size_t textRoom)
{
    const size_t need = kHeaderSize + RoundUp(size) + textRoom;
    // Texts leave the next free byte unaligned; aligned, it may lie past the end of a block filled
    // to its last byte.
    const uintptr_t aligned = block_ ? RoundUp(reinterpret_cast<uintptr_t>(next_)) : 0;
    if (block_ && aligned <= reinterpret_cast<uintptr_t>(end_) && reinterpret_cast<uintptr_t>(end_) - aligned >= need) {
        next_ = reinterpret_cast<char*>(aligned);
    } else {
        Leave();
        const size_t blockSize = std::max(kBlockSize, kBlockHeadSize + need);
        char* memory = static_cast<char*>(::operator new(blockSize));
        // A block is filled at once: a fresh one's pages come in one call, not a fault each (a
        // tenth of a big list's first read).
        PrepareForWriting(memory, blockSize);
        block_ = new (memory) ItemBlock {{kFilling}, blockSize};
        next_ = memory + kBlockHeadSize;
        end_ = memory + blockSize;
        made_ = 0;
    }
    lastItem_ = next_;
    reinterpret_cast<ItemHeader*>(lastItem_)->Home = block_;
    next_ += kHeaderSize + RoundUp(size);
    ++made_;
    return lastItem_ + kHeaderSize;
}

void ItemArena::UndoItem()
{
    next_ = lastItem_;
    --made_;
}

}  // namespace quorvel
