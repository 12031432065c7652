#pragma once

#include <cstdint>

namespace padrix {

// Paces effects that repeat while an input stays held to a fixed rate,
// independent of how often the polling cycle runs.
class Pacer {
  public:
    static constexpr std::int64_t kPeriodMicros = 15625;  // 64 per second

    // True at most once per period. After a pause the rate starts afresh
    // rather than catching up.
    bool Due(std::int64_t nowMicros) {
        if (started_ && nowMicros < next_) {
            return false;
        }
        next_ = (started_ && nowMicros - next_ < kPeriodMicros) ? next_ + kPeriodMicros
                                                                : nowMicros + kPeriodMicros;
        started_ = true;
        return true;
    }

  private:
    bool started_ = false;
    std::int64_t next_ = 0;
};

}  // namespace padrix
