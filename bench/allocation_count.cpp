#include "allocation_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Relaxed: only totals taken before and after a measured loop matter.
std::atomic<std::uint64_t> allocations{0};

}  // namespace

std::uint64_t pellomarin::bench::allocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

// The array and nothrow forms of the standard library call these, so they are
// counted too; the aligned forms are left alone (the engine does not use them).
void* operator new(std::size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size == 0 ? 1 : size))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
