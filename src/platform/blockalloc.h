#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

// Zero-filled work buffers, allocated once when the view is built. A failed allocation yields
// null (and sets errno), so the view can report it instead of throwing.

struct FreeDeleter {
    void operator()(void* block) const { std::free(block); }
};

template <class T>
using Block = std::unique_ptr<T, FreeDeleter>;

using BlockAllocator = void* (*)(std::size_t count, std::size_t size);

void* allocateRaw(std::size_t count, std::size_t size);

// Replaces calloc, so tests can simulate an exhausted heap; null restores calloc.
void setBlockAllocator(BlockAllocator allocator);

template <class T>
Block<T> allocateBlock(std::size_t count)
{
    return Block<T>(static_cast<T*>(allocateRaw(count, sizeof(T))));
}
