// The cost of reading joypads through SDL, on virtual controllers: one polling
// round over eight joypads, and a single joypad read on its own (which
// refreshes SDL's state every time). Also counts the heap allocations SDL and
// our code make per read, which should be none.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "AllocationCounter.h"
#include "SdlAllocationCount.h"
#include "engine/KeyMap.h"
#include "engine/SystemClock.h"
#include "input/SdlControllers.h"

namespace {

// Eight virtual controllers, opened as the program opens them.
class EightPads {
  public:
    EightPads() {
        if (!access_.Start()) {
            return;
        }
        for (int d = 1; d <= padrix::kMaxJoypads; ++d) {
            names_.push_back("Bench Pad " + std::to_string(d));
            SDL_VirtualJoystickDesc desc{};
            desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
            desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
            desc.naxes = 6;
            desc.nbuttons = 16;
            desc.nhats = 1;
            desc.name = names_.back().c_str();
            SDL_JoystickAttachVirtualEx(&desc);
        }
        for (int n = 1; n <= padrix::kMaxJoypads; ++n) {
            if (auto pad = access_.OpenJoypad(n, true)) {
                pads_.push_back(std::move(pad));
            }
        }
    }
    ~EightPads() {
        pads_.clear();
        while (SDL_NumJoysticks() > 0) {
            SDL_JoystickDetachVirtual(0);
        }
    }
    std::vector<std::unique_ptr<padrix::Joypad>>& pads() { return pads_; }

  private:
    padrix::SystemClock clock_;
    padrix::SdlControllerAccess access_{clock_};
    std::vector<std::string> names_;
    std::vector<std::unique_ptr<padrix::Joypad>> pads_;
};

void ReportAllocations(benchmark::State& state, std::uint64_t before) {
    state.counters["allocs_per_iteration"] =
        benchmark::Counter(static_cast<double>(padrix::bench::AllocationCount() - before),
                           benchmark::Counter::kAvgIterations);
}

void BM_ReadEightJoypads(benchmark::State& state) {
    EightPads rig;
    if (rig.pads().size() != padrix::kMaxJoypads) {
        state.SkipWithError("eight virtual controllers could not be opened");
        return;
    }
    padrix::JoyState joyState;
    const std::uint64_t before = padrix::bench::AllocationCount();
    for (auto _ : state) {
        for (auto& pad : rig.pads()) {
            benchmark::DoNotOptimize(pad->Read(joyState));
        }
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_ReadEightJoypads);

void BM_ReadOneJoypad(benchmark::State& state) {
    EightPads rig;
    if (rig.pads().empty()) {
        state.SkipWithError("no virtual controller could be opened");
        return;
    }
    padrix::JoyState joyState;
    const std::uint64_t before = padrix::bench::AllocationCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(rig.pads().front()->Read(joyState));
    }
    ReportAllocations(state, before);
}
BENCHMARK(BM_ReadOneJoypad);

}  // namespace

int main(int argc, char** argv) {
    padrix::bench::CountSdlAllocations();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
