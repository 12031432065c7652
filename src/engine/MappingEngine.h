#pragma once

#include <array>
#include <memory>
#include <string>

#include "Clock.h"
#include "Controllers.h"
#include "Effects.h"
#include "KeyOutput.h"
#include "KeyboardState.h"
#include "Options.h"
#include "Pacer.h"
#include "PadTables.h"
#include "RandomSource.h"

namespace padrix {

// The interfaces through which the engine reaches the world.
struct EnginePorts {
    EventOutput& output;
    PhysicalKeys& keys;
    Clock& clock;
    RandomSource& random;
    Screenshotter& screenshots;
    PollTimer& timer;
};

// The mapping engine: the runtime tables, options and latches, and the
// polling cycle that turns joypad states into keyboard and mouse events.
class MappingEngine {
  public:
    // `programFolder` is where screenshots are saved.
    MappingEngine(EnginePorts ports, std::string programFolder);

    // What the cycle reads and keeps; changed only through the operations below.
    const PadTables& tables() const { return tables_; }
    const Options& options() const { return options_; }
    const Latches& latches() const { return latches_; }

    void SetOptions(const Options& options);
    // One option, e.g. SetOption(&Options::DosMode, true).
    template <typename T, typename V>
    void SetOption(T Options::*option, V value) {
        options_.*option = static_cast<T>(value);
    }

    // Joypad n's map (n clamped to 1..8), and new maps.
    const KeyMap& Map(int joy) const;
    void SetMap(int joy, const KeyMap& map);
    void SetMaps(const KeyMaps& maps);
    // One character per joypad: "1" enabled, anything else disabled.
    void SetJoypadsEnabled(std::string enabled);

    // The opened controllers: their count (clamped to 0..8) and joypad n's
    // device with the highest button the cycle looks at.
    void SetJoypadCount(int count);
    void AttachJoypad(int n, std::unique_ptr<Joypad> pad, int maxButton);
    // Joypad n's device; null when there is none.
    Joypad* JoypadDevice(int n) const;

    void SetMouseMode(bool on);
    // Latches and mouse mode as at start-up.
    void ResetLatches() { latches_ = Latches{}; }
    // The next key-up of a hold request is skipped, as after Ctrl.
    void ArmSkipNextKeyUp();

    KeyOutput& output() { return output_; }

    // One run of the polling cycle.
    void PollCycle();

    // True when a run now would send nothing and change nothing unless some
    // input changes first: no direction, button or mouse button held, M not
    // held as a modifier, no mouse mode (nor a run that just left it), no
    // continuous polling, and none of
    // Tab, Ctrl and Print Screen held by the user. A cheap look at the tables.
    bool IsAtRest();

    // Reads joypad n into tables.joyState. A joypad that cannot be read is
    // taken as at rest, so its held keys are released rather than mirrored
    // from another joypad.
    bool ReadJoypad(int n);
    void StartRumble(int n);
    void StopRumble(int n);
    bool CreateRumble(int n);
    void ReleaseJoypad(int n);

    // The M-button combinations of joypad n, and the mouse mode run.
    void MButtonStep(int n);
    void MouseStep();

    // Lets go of every key and mouse button the engine holds down and clears
    // the held flags: for shutdown, so no key outlives the program.
    void ReleaseAll();

  private:
    // A keyboard key held by the user; the keys the engine holds itself do not count.
    bool UserHoldsKey(std::uint8_t vk);
    bool JoypadEnabledForKeys(int n) const;
    bool JoypadEnabledForMouse(int n) const;
    bool AutoFireSwitch();
    // Steps 4 to 10 for joypad n; false when the run must end (M held).
    bool ProcessJoypad(int n);
    void RunCycle();
    bool AnythingHeld() const;
    // One side of an axis: its direction, its key, and whether the key is held back.
    struct AxisSide {
        Direction direction;
        std::uint8_t key;
        bool quiet;
    };
    void Directions(int i, std::int32_t x, std::int32_t y);
    void Axis(int i, std::int32_t value, const AxisSide& low, const AxisSide& high);
    void PressDirection(int i, const AxisSide& side);
    void ReleaseDirection(int i, const AxisSide& side);
    void Buttons(int n);
    void ButtonPressed(int n, int b);
    void ButtonReleased(int n, int b);
    void TriggerRumble(int n, int b);
    void Screenshot();
    void MouseAxis(std::int32_t axis, std::int32_t& speed, int& target);
    int MCombinationButton() const;
    bool MCombination(const KeyMap& map, int button);
    // Arms SkipNextKeyUp when a hold request (`on`) begins.
    void HoldRequest(bool& wasOn, bool on);
    void MovePointer();
    void MouseButtons(int i, std::array<bool, 2>& clicked);
    void ApplyMouseButtons(const std::array<bool, 2>& clicked);

    PadTables tables_;
    Options options_;
    Latches latches_;
    EnginePorts ports_;
    std::string programFolder_;
    KeyOutput output_;
    Pacer pacer_;
    bool pacedTick_ = false;
    // Paced effects start their rate afresh with the first run after rest,
    // however often the cycle ran while nothing happened.
    bool restedAfterLastRun_ = true;
    // M held as a modifier on a joypad of the last run: its combinations
    // act again on later runs while held.
    bool mHeldLastRun_ = false;
    // The last run entered or left mouse mode: the next one reads the same
    // pads the other way.
    bool switchedModeLastRun_ = false;
    // Print Screen is looked at once per run.
    bool screenshotChecked_ = false;
    bool printScreenWasDown_ = false;
    // The hold requests seen in the previous run: Ctrl, and M with each pad pushed up.
    bool ctrlHeld_ = false;
    std::array<bool, kMaxJoypads> pushedUpWithM_{};
};

}  // namespace padrix
