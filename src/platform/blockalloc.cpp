#include "platform/blockalloc.h"

namespace {
BlockAllocator g_allocator = nullptr;
}

void* allocateRaw(std::size_t count, std::size_t size)
{
    return g_allocator != nullptr ? g_allocator(count, size) : std::calloc(count, size);
}

void setBlockAllocator(BlockAllocator allocator)
{
    g_allocator = allocator;
}
