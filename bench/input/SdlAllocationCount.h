#pragma once

namespace padrix::bench {

// Makes SDL's own heap allocations count too; call before SDL allocates.
void CountSdlAllocations();

}  // namespace padrix::bench
