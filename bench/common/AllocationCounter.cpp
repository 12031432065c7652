#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// Replacing operator new is process-wide by nature; the counter goes with it.
std::atomic<std::uint64_t> allocations{0};
}  // namespace

void padrix::bench::CountAllocation() {
    allocations.fetch_add(1, std::memory_order_relaxed);
}

std::uint64_t padrix::bench::AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
    padrix::bench::CountAllocation();
    if (void* p = std::malloc(size == 0 ? 1 : size)) {
        return p;
    }
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
