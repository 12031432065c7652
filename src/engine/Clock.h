#pragma once

#include <cstdint>

namespace padrix {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Time as the engine sees it; tests drive it by hand.
class Clock {
  public:
    virtual ~Clock() = default;
    // A monotonic time in microseconds (any origin).
    virtual std::int64_t MonotonicMicros() = 0;
    // The local wall-clock date and time.
    virtual LocalDateTime LocalNow() = 0;
};

}  // namespace padrix
