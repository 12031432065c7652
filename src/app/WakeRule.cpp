#include "WakeRule.h"

#include <utility>

namespace padrix {

void WakeRule::SetCycle(std::function<void()> cycle, std::function<bool()> mayIdle) {
    cycle_ = std::move(cycle);
    mayIdle_ = std::move(mayIdle);
}

// Enabled, the precise timer runs first in both modes: its first tick
// finds out whether anything happened meanwhile.
void WakeRule::SetEnabled(bool enabled) {
    enabled_ = enabled;
    Choose(enabled);
}

void WakeRule::SetMode(PollingMode mode) {
    mode_ = mode;
    Choose(enabled_);
}

void WakeRule::Ring() {
    if (enabled_ && mode_ == PollingMode::kEvents) {
        Run();
    }
}

void WakeRule::PreciseTick() {
    if (enabled_) {
        Run();
    }
}

void WakeRule::HousekeepingTick() {
    if (enabled_) {
        Run();
    }
}

void WakeRule::Run() {
    if (cycle_) {
        cycle_();
    }
    // The cycle may have switched mapping off (it never does today) or the
    // mode may have changed meanwhile.
    if (enabled_ && mode_ == PollingMode::kEvents) {
        Choose(!mayIdle_ || !mayIdle_());
    }
}

void WakeRule::Choose(bool precise) {
    timers_.SetPrecise(precise);
    timers_.SetHousekeeping(enabled_ && !precise && mode_ == PollingMode::kEvents);
}

}  // namespace padrix
