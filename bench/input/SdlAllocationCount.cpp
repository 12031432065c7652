#include "SdlAllocationCount.h"

#include <SDL_stdinc.h>

#include <cstdlib>

#include "AllocationCounter.h"

namespace {

// SDL's allocator hooks take no context, so they count into the process-wide counter.
void* CountingMalloc(std::size_t size) {
    padrix::bench::CountAllocation();
    return std::malloc(size);
}
void* CountingCalloc(std::size_t n, std::size_t size) {
    padrix::bench::CountAllocation();
    return std::calloc(n, size);
}
void* CountingRealloc(void* p, std::size_t size) {
    padrix::bench::CountAllocation();
    return std::realloc(p, size);
}

}  // namespace

void padrix::bench::CountSdlAllocations() {
    SDL_SetMemoryFunctions(CountingMalloc, CountingCalloc, CountingRealloc, std::free);
}
