#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Fakes.h"
#include "app/WakeRule.h"
#include "engine/MappingEngine.h"

namespace padrix::testing {

// The precise timer and the housekeeping tick on the test's clock. The
// precise timer ticks every interval from when it started or its interval
// changed, as a QTimer does.
class SimTimers : public WakeTimers, public PollTimer {
  public:
    explicit SimTimers(fakes::ManualClock& clock) : clock_(clock) {}

    void SetPrecise(bool running) override {
        if (running && !precise_) {
            nextPrecise_ = clock_.micros + interval_;
        }
        precise_ = running;
    }
    void SetHousekeeping(bool running) override {
        if (running && !housekeeping_) {
            nextHousekeeping_ = clock_.micros + 250'000;
        }
        housekeeping_ = running;
    }
    void SetInterval(int ms) override {
        interval_ = ms * 1000;
        nextPrecise_ = clock_.micros + interval_;
    }

    bool precise() const { return precise_; }
    bool housekeeping() const { return housekeeping_; }

    // Ticks what is due now.
    void Tick(WakeRule& rule) {
        if (precise_ && clock_.micros >= nextPrecise_) {
            nextPrecise_ += interval_;
            rule.PreciseTick();
        }
        if (housekeeping_ && clock_.micros >= nextHousekeeping_) {
            nextHousekeeping_ += 250'000;
            rule.HousekeepingTick();
        }
    }

  private:
    fakes::ManualClock& clock_;
    std::int64_t interval_ = 1000;
    std::int64_t nextPrecise_ = 0;
    std::int64_t nextHousekeeping_ = 0;
    bool precise_ = false;
    bool housekeeping_ = false;
};

// The engine with two fake joypads behind the wake rule, on the test's
// clock. Each changed input rings, as its doorbell or key event would.
struct WakeWorld {
    fakes::FakeControllers controllers;
    fakes::RecordingOutput output;
    fakes::FakeKeys keys;
    fakes::ManualClock clock;
    fakes::ScriptedRandom random;
    fakes::RecordingScreenshots screenshots;
    SimTimers timers{clock};
    MappingEngine engine{{output, keys, clock, random, screenshots, timers}, "/p"};
    WakeRule rule;
    int cycles = 0;

    explicit WakeWorld(PollingMode mode, int pads = 2) : rule(timers, mode) {
        for (int n = 1; n <= pads; ++n) {
            controllers.Add("Pad", 12);
            engine.AttachJoypad(n, controllers.OpenJoypad(n, true), 11);
        }
        engine.SetJoypadCount(pads);
        rule.SetCycle(
            [this] {
                ++cycles;
                engine.PollCycle();
            },
            [this] { return engine.IsAtRest(); });
        rule.SetEnabled(true);
    }
    fakes::PadState& Pad(int n) { return *controllers.pads[static_cast<std::size_t>(n - 1)]; }

    // One millisecond: the input changes of this moment, their ring, the ticks due.
    void Step(const std::function<void(WakeWorld&)>& change) {
        clock.AdvanceMs(1);
        if (change) {
            change(*this);
            rule.Ring();
        }
        timers.Tick(rule);
    }
};

}  // namespace padrix::testing
