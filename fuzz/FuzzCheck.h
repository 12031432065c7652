#pragma once

namespace padrix::fuzz {

// Stops the fuzzer with a finding when a property does not hold.
inline void Check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace padrix::fuzz
