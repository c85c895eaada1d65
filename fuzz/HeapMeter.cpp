// The global operator new and delete of the programs that measure their heap: every allocation goes to
// malloc and is counted by the size malloc gives it, so that a free subtracts exactly what was added.
#include "fuzz/HeapMeter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <malloc.h>

namespace orvelo::fuzzing {
namespace {

std::atomic<std::size_t> g_current{0};
std::atomic<std::size_t> g_peak{0};
std::atomic<std::size_t> g_limit{0};

void* Take(std::size_t size, std::size_t alignment)
{
    const std::size_t limit = g_limit.load(std::memory_order_relaxed);
    if (limit != 0 && g_current.load(std::memory_order_relaxed) + size > limit)
        return nullptr;
    void* block = nullptr;
    if (alignment <= alignof(std::max_align_t))
        block = std::malloc(size == 0 ? 1 : size);
    else if (::posix_memalign(&block, alignment, size == 0 ? 1 : size) != 0)
        block = nullptr;
    if (block == nullptr)
        return nullptr;
    const std::size_t usable = ::malloc_usable_size(block);
    const std::size_t held = g_current.fetch_add(usable, std::memory_order_relaxed) + usable;
    std::size_t peak = g_peak.load(std::memory_order_relaxed);
    while (held > peak && !g_peak.compare_exchange_weak(peak, held, std::memory_order_relaxed)) {
    }
    return block;
}

void* TakeOrThrow(std::size_t size, std::size_t alignment)
{
    if (void* block = Take(size, alignment))
        return block;
    throw std::bad_alloc();
}

void Give(void* block) noexcept
{
    if (block == nullptr)
        return;
    g_current.fetch_sub(::malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

} // namespace

HeapUse CurrentHeapUse()
{
    return {g_current.load(std::memory_order_relaxed), g_peak.load(std::memory_order_relaxed)};
}

void RestartHeapPeak()
{
    g_peak.store(g_current.load(std::memory_order_relaxed), std::memory_order_relaxed);
}

void SetHeapLimit(std::size_t bytes)
{
    g_limit.store(bytes, std::memory_order_relaxed);
}

} // namespace orvelo::fuzzing

using orvelo::fuzzing::Give;
using orvelo::fuzzing::Take;
using orvelo::fuzzing::TakeOrThrow;

constexpr std::size_t kPlain = alignof(std::max_align_t);

void* operator new(std::size_t size) { return TakeOrThrow(size, kPlain); }
void* operator new[](std::size_t size) { return TakeOrThrow(size, kPlain); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Take(size, kPlain); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Take(size, kPlain); }
void* operator new(std::size_t size, std::align_val_t a) { return TakeOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t size, std::align_val_t a) { return TakeOrThrow(size, static_cast<std::size_t>(a)); }
void* operator new(std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return Take(size, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t size, std::align_val_t a, const std::nothrow_t&) noexcept
{
    return Take(size, static_cast<std::size_t>(a));
}

void operator delete(void* block) noexcept { Give(block); }
void operator delete[](void* block) noexcept { Give(block); }
void operator delete(void* block, std::size_t) noexcept { Give(block); }
void operator delete[](void* block, std::size_t) noexcept { Give(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { Give(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { Give(block); }
void operator delete(void* block, std::align_val_t) noexcept { Give(block); }
void operator delete[](void* block, std::align_val_t) noexcept { Give(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { Give(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { Give(block); }
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept { Give(block); }
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept { Give(block); }
