#pragma once

#include <functional>

#include "settings/InputSettings.h"

namespace padrix {

// The two timers the wake rule drives.
class WakeTimers {
  public:
    virtual ~WakeTimers() = default;
    // The precise timer, at the polling timer's interval (1 ms; 5 in mouse mode).
    virtual void SetPrecise(bool running) = 0;
    // The housekeeping tick, four times a second.
    virtual void SetHousekeeping(bool running) = 0;
};

// When the polling cycle runs. Nothing runs while disabled. In the timer
// mode the cycle runs on every precise tick. In the events mode it runs at
// once when a doorbell rings or a key goes down or up, and on every precise
// tick for as long as the program may not idle (something is active, a
// joypad has no doorbell, keys cannot be followed by events); once it may,
// the precise timer stops and only the housekeeping tick runs the cycle,
// so that lost joypads find their controllers again.
class WakeRule {
  public:
    WakeRule(WakeTimers& timers, PollingMode mode) : timers_(timers), mode_(mode) {}

    // What a wake runs, and whether the program may idle after it.
    void SetCycle(std::function<void()> cycle, std::function<bool()> mayIdle);

    void SetEnabled(bool enabled);
    bool Enabled() const { return enabled_; }
    void SetMode(PollingMode mode);
    PollingMode Mode() const { return mode_; }

    // A doorbell rang or a key went down or up.
    void Ring();
    void PreciseTick();
    void HousekeepingTick();

  private:
    void Run();
    void Choose(bool precise);

    WakeTimers& timers_;
    PollingMode mode_;
    std::function<void()> cycle_;
    std::function<bool()> mayIdle_;
    bool enabled_ = false;
};

}  // namespace padrix
