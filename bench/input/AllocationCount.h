#pragma once

#include <cstdint>

namespace padrix::bench {

// Makes SDL's own heap allocations count too; call before SDL allocates.
void CountSdlAllocations();

// Heap allocations so far, by C++ operator new and, once asked, by SDL.
std::uint64_t AllocationCount();

}  // namespace padrix::bench
