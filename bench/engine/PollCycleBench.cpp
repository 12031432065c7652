// The cost of one polling cycle with eight joypads, outputs doing nothing.
#include <benchmark/benchmark.h>

#include <memory>

#include "AllocationCounter.h"
#include "engine/MappingEngine.h"

namespace padrix::bench {
namespace {

class NullOutput : public EventOutput {
  public:
    void SendKey(std::uint8_t vk, bool, std::uint8_t) override { benchmark::DoNotOptimize(vk); }
    std::uint8_t ScanCode(std::uint8_t vk) override { return vk; }
    void SendMouseButton(MouseButton, bool) override {}
    ScreenPoint PointerPosition() override { return {}; }
    void MovePointer(ScreenPoint) override {}
    bool ScrollLockLight() override { return false; }
    void SetScrollLockLight(bool) override {}
};

class NoKeys : public PhysicalKeys {
  public:
    bool IsKeyDown(std::uint8_t) override { return false; }
};

class TickingClock : public Clock {
  public:
    std::int64_t MonotonicMicros() override { return now += 1000; }
    LocalDateTime LocalNow() override { return {}; }
    std::int64_t now = 0;
};

class ZeroRandom : public RandomSource {
  public:
    float Next() override { return 0.0f; }
};

class NoScreenshots : public Screenshotter {
  public:
    void RequestScreenshot(const std::string&) override {}
};

class NoTimer : public PollTimer {
  public:
    void SetInterval(int) override {}
};

// A joypad at rest, or one whose 24 buttons all change at every read.
class BenchPad : public Joypad {
  public:
    explicit BenchPad(bool toggling) : toggling_(toggling) {}
    int ButtonCount() const override { return 24; }
    bool Read(JoyState& state) override {
        if (toggling_) {
            pressed_ = !pressed_;
        }
        state = JoyState::AtRest();
        for (int b = 0; b < 24; ++b) {
            state.buttons[static_cast<std::size_t>(b)] = pressed_ ? 0x80 : 0;
        }
        return true;
    }
    bool CreateRumble() override { return true; }
    void StartRumble() override {}
    void StopRumble() override {}
    void SetDeadZone(int) override {}
    int DoorbellFd() const override { return -1; }
    bool DrainDoorbell() override { return false; }
    bool Present() const override { return true; }
    std::vector<std::uint8_t> Hats() const override { return {}; }
    bool TestRumble(int) override { return false; }

  private:
    bool toggling_;
    bool pressed_ = false;
};

void RunCycles(benchmark::State& state, bool toggling) {
    NullOutput out;
    NoKeys keys;
    TickingClock clock;
    ZeroRandom random;
    NoScreenshots screenshots;
    NoTimer timer;
    MappingEngine engine({out, keys, clock, random, screenshots, timer}, "/tmp");
    engine.SetJoypadCount(8);
    for (int n = 1; n <= 8; ++n) {
        engine.AttachJoypad(n, std::make_unique<BenchPad>(toggling), 23);
    }
    engine.SetOption(&Options::RumbleType, kRumbleRandom);
    engine.SetOption(&Options::AllowAutoFire, true);

    const std::uint64_t before = AllocationCount();
    for (auto _ : state) {
        engine.PollCycle();
    }
    const auto allocations = static_cast<double>(AllocationCount() - before);
    state.counters["allocs_per_cycle"] = allocations / static_cast<double>(state.iterations());
}

void BM_PollCycle_EightPadsAtRest(benchmark::State& state) {
    RunCycles(state, false);
}
void BM_PollCycle_EightPadsAllButtonsChanging(benchmark::State& state) {
    RunCycles(state, true);
}

BENCHMARK(BM_PollCycle_EightPadsAtRest);
BENCHMARK(BM_PollCycle_EightPadsAllButtonsChanging);

}  // namespace
}  // namespace padrix::bench

BENCHMARK_MAIN();
