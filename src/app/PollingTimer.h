#pragma once

#include <QTimer>
#include <functional>

#include "WakeRule.h"
#include "engine/Effects.h"

namespace padrix {

// The polling timer. Enabled means mapping is on; when the cycle
// actually runs is the wake rule's choice (WakeRule): a precise Qt timer,
// whose interval the engine may change (mouse mode runs slower), while
// anything is active, rings of doorbells and keys, and a housekeeping tick.
class PollingTimer final : public PollTimer, private WakeTimers {
  public:
    static constexpr int kDefaultIntervalMs = 1;
    static constexpr int kHousekeepingMs = 250;

    PollingTimer();

    void SetInterval(int milliseconds) override;
    int Interval() const { return timer_.interval(); }

    void SetEnabled(bool enabled) { rule_.SetEnabled(enabled); }
    bool Enabled() const { return rule_.Enabled(); }

    // What a wake runs, and whether the program may idle after it.
    void SetCycle(std::function<void()> cycle, std::function<bool()> mayIdle) {
        rule_.SetCycle(std::move(cycle), std::move(mayIdle));
    }
    void SetMode(PollingMode mode) { rule_.SetMode(mode); }
    PollingMode Mode() const { return rule_.Mode(); }
    // A doorbell rang or a key went down or up.
    void Ring() { rule_.Ring(); }

    // The precise timer, and whether it (rather than the housekeeping tick) runs.
    QTimer& timer() { return timer_; }
    bool Precise() const { return timer_.isActive(); }
    bool Housekeeping() const { return housekeeping_.isActive(); }

  private:
    void SetPrecise(bool running) override;
    void SetHousekeeping(bool running) override;

    QTimer timer_;
    QTimer housekeeping_;
    WakeRule rule_{*this, PollingMode::kEvents};
};

}  // namespace padrix
