#pragma once

#include "Clock.h"

namespace padrix {

// The machine's monotonic clock and local time.
class SystemClock final : public Clock {
  public:
    std::int64_t MonotonicMicros() override;
    LocalDateTime LocalNow() override;
};

}  // namespace padrix
