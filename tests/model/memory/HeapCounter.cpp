#include "HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<std::size_t> InUse { 0 };
std::atomic<std::size_t> Peak { 0 };

// What malloc_usable_size reports is what the block takes, the same when it is freed.
void* Counted(void* block)
{
    if (block == nullptr)
        throw std::bad_alloc();
    const std::size_t now = InUse += malloc_usable_size(block);
    for (std::size_t peak = Peak; now > peak && !Peak.compare_exchange_weak(peak, now);) { }
    return block;
}

void Uncounted(void* block) noexcept
{
    if (block == nullptr)
        return;
    InUse -= malloc_usable_size(block);
    std::free(block);
}

void* Allocate(std::size_t size) { return Counted(std::malloc(size == 0 ? 1 : size)); }

void* AllocateAligned(std::size_t size, std::align_val_t alignment)
{
    const auto align = static_cast<std::size_t>(alignment);
    // aligned_alloc wants a multiple of the alignment.
    return Counted(std::aligned_alloc(align, (size + align - 1) / align * align));
}

} // namespace

namespace agendrix::test {

std::size_t HeapInUse() { return InUse; }
std::size_t HeapPeak() { return Peak; }
void ResetHeapPeak() { Peak = InUse.load(); }

} // namespace agendrix::test

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, std::align_val_t alignment) { return AllocateAligned(size, alignment); }
void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return AllocateAligned(size, alignment);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return Allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void* operator new[](std::size_t size, const std::nothrow_t& nothrow) noexcept
{
    return operator new(size, nothrow);
}

void operator delete(void* block) noexcept { Uncounted(block); }
void operator delete[](void* block) noexcept { Uncounted(block); }
void operator delete(void* block, std::size_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::size_t) noexcept { Uncounted(block); }
void operator delete(void* block, std::align_val_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Uncounted(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Uncounted(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Uncounted(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Uncounted(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Uncounted(block); }
