#pragma once

// Counts the heap in use by the benchmark program, in bytes asked for (the allocator's own
// overhead per block is not counted): include in exactly one source file, which then replaces the
// global allocation functions.

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

namespace vellicor::bench {

inline std::atomic<std::size_t> heapInUse{0};
inline std::atomic<std::size_t> heapPeak{0};

// The peak since the last call is measured from the heap in use now.
inline void ResetHeapPeak()
{
    heapPeak.store(heapInUse.load());
}

inline std::size_t HeapPeakSinceReset(std::size_t base)
{
    return heapPeak.load() - base;
}

namespace detail {

inline constexpr std::size_t kHeader = alignof(std::max_align_t);

inline void* Allocate(std::size_t size)
{
    auto* block = static_cast<unsigned char*>(std::malloc(size + kHeader));
    if (!block)
        throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    const std::size_t now = heapInUse.fetch_add(size) + size;
    std::size_t peak = heapPeak.load();
    while (now > peak && !heapPeak.compare_exchange_weak(peak, now)) {
    }
    return block + kHeader;
}

inline void Release(void* p) noexcept
{
    if (!p)
        return;
    auto* block = static_cast<unsigned char*>(p) - kHeader;
    heapInUse.fetch_sub(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}

} // namespace detail
} // namespace vellicor::bench

[[gnu::noinline]] void* operator new(std::size_t size) { return vellicor::bench::detail::Allocate(size); }
[[gnu::noinline]] void* operator new[](std::size_t size) { return vellicor::bench::detail::Allocate(size); }
[[gnu::noinline]] void operator delete(void* p) noexcept { vellicor::bench::detail::Release(p); }
[[gnu::noinline]] void operator delete[](void* p) noexcept { vellicor::bench::detail::Release(p); }
[[gnu::noinline]] void operator delete(void* p, std::size_t) noexcept { vellicor::bench::detail::Release(p); }
[[gnu::noinline]] void operator delete[](void* p, std::size_t) noexcept { vellicor::bench::detail::Release(p); }
