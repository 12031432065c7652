#include "AllocationCount.h"

#include <SDL_stdinc.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

// Replacing operator new and SDL's allocator is process-wide by nature (and
// SDL's hooks take no context); the counter goes with them.
std::atomic<std::uint64_t> allocations{0};

void Count() {
    allocations.fetch_add(1, std::memory_order_relaxed);
}

void* CountingMalloc(std::size_t size) {
    Count();
    return std::malloc(size);
}
void* CountingCalloc(std::size_t n, std::size_t size) {
    Count();
    return std::calloc(n, size);
}
void* CountingRealloc(void* p, std::size_t size) {
    Count();
    return std::realloc(p, size);
}

}  // namespace

void padrix::bench::CountSdlAllocations() {
    SDL_SetMemoryFunctions(CountingMalloc, CountingCalloc, CountingRealloc, std::free);
}

std::uint64_t padrix::bench::AllocationCount() {
    return allocations.load(std::memory_order_relaxed);
}

void* operator new(std::size_t size) {
    Count();
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
