#pragma once

#include <cstdint>

namespace padrix::bench {

// Counts one heap allocation; operator new calls it, and so may other allocators' hooks.
void CountAllocation();

// Heap allocations made by this process so far.
std::uint64_t AllocationCount();

}  // namespace padrix::bench
