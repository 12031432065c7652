#pragma once

#include <cstdint>

namespace padrix::bench {

// Heap allocations made by this process so far (counted by a replaced operator new).
std::uint64_t AllocationCount();

}  // namespace padrix::bench
