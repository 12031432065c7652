#include <algorithm>

#include "MappingEngine.h"
#include "PadSlots.h"
#include "ScreenshotPath.h"
#include "VirtualKeys.h"

namespace padrix {

namespace {
constexpr int kAutoFireButtons = 8;  // buttons 0 to 7 fire automatically
constexpr int kMButton = 9;
constexpr float kRandomRumbleAbove = 0.95f;
}  // namespace

void MappingEngine::PollCycle() {
    if (restedAfterLastRun_) {
        pacer_ = Pacer{};
    }
    const bool mouseMode = latches_.MouseMode;
    RunCycle();
    switchedModeLastRun_ = latches_.MouseMode != mouseMode;
    restedAfterLastRun_ = IsAtRest();
}

bool MappingEngine::IsAtRest() {
    if (latches_.MouseMode || switchedModeLastRun_ || options_.MaxPollRate || mHeldLastRun_ ||
        AnythingHeld()) {
        return false;
    }
    return !UserHoldsKey(vk::Tab) && !UserHoldsKey(vk::Control) && !UserHoldsKey(vk::Snapshot);
}

bool MappingEngine::AnythingHeld() const {
    const auto any = [](const auto& rows) {
        return std::any_of(rows.begin(), rows.end(), [](const auto& row) {
            return std::find(row.begin(), row.end(), true) != row.end();
        });
    };
    return any(tables_.directionHeld) || any(tables_.buttonHeld) ||
           std::find(latches_.MouseButtonHeld.begin(), latches_.MouseButtonHeld.end(), true) !=
               latches_.MouseButtonHeld.end();
}

void MappingEngine::RunCycle() {
    pacedTick_ = pacer_.Due(ports_.clock.MonotonicMicros());
    screenshotChecked_ = false;
    mHeldLastRun_ = false;
    if (latches_.MouseMode) {
        MouseStep();
        return;
    }
    if (options_.AllowAutoFire && !AutoFireSwitch()) {
        return;
    }
    const int count = std::clamp(tables_.joypadCount, 0, kMaxJoypads);
    for (int n = 1; n <= count; ++n) {
        if (JoypadEnabledForKeys(n) && !ProcessJoypad(n)) {
            return;
        }
    }
}

// Tab switches auto-fire once per press; while it is held no joypad is read.
bool MappingEngine::AutoFireSwitch() {
    if (!UserHoldsKey(vk::Tab)) {
        latches_.TabHeld = false;
        return true;
    }
    if (!latches_.TabHeld) {
        latches_.TabHeld = true;
        options_.AutoFireActive = !options_.AutoFireActive;
        output_.SetScrollLockState(options_.AutoFireActive);
    }
    return false;
}

// "0" disables the joypad; any other digit, any other character and a
// missing character leave it enabled.
bool MappingEngine::JoypadEnabledForKeys(int n) const {
    const auto i = static_cast<std::size_t>(n - 1);
    return i >= tables_.joypadsEnabled.size() || tables_.joypadsEnabled[i] != '0';
}

bool MappingEngine::ProcessJoypad(int n) {
    const int i = n - 1;
    ReadJoypad(n);
    const std::int32_t x = tables_.joyState.x;
    const std::int32_t y = tables_.joyState.y;
    Directions(i, x, y);
    if (!options_.UseMAsSelect && tables_.joyState.buttons[kMButton] != 0) {
        mHeldLastRun_ = true;
        MButtonStep(n);
        return false;
    }
    pushedUpWithM_[static_cast<std::size_t>(i)] = false;
    HoldRequest(ctrlHeld_, UserHoldsKey(vk::Control));
    Buttons(n);
    Screenshot();
    return true;
}

// The hold latch is armed when a hold request begins, not again while it
// lasts: a release taken by the latch while Ctrl stays held must not leave
// the next release of that button swallowed as well.
void MappingEngine::HoldRequest(bool& wasOn, bool on) {
    if (on && !wasOn) {
        latches_.SkipNextKeyUp = true;
    }
    wasOn = on;
}

void MappingEngine::PressDirection(int i, const AxisSide& side) {
    bool& held = tables_.directionHeld[static_cast<std::size_t>(i)][side.direction];
    if (!held) {
        if (!side.quiet) {
            output_.KeyDown(side.key);
        }
        held = true;
    }
}

void MappingEngine::ReleaseDirection(int i, const AxisSide& side) {
    bool& held = tables_.directionHeld[static_cast<std::size_t>(i)][side.direction];
    if (held) {
        output_.KeyUp(side.key);
        held = false;
    }
}

// Below the centre the low side is pressed, above it the high side; only the
// exact centre lets both go, the low side first.
void MappingEngine::Axis(int i, std::int32_t value, const AxisSide& low, const AxisSide& high) {
    if (value < kAxisCentre) {
        PressDirection(i, low);
    } else if (value > kAxisCentre) {
        PressDirection(i, high);
    } else {
        ReleaseDirection(i, low);
        ReleaseDirection(i, high);
    }
}

// The Logitech patch holds back Left while y is 0 and Down while x is 0; the
// direction still counts as held, so its release is sent.
void MappingEngine::Directions(int i, std::int32_t x, std::int32_t y) {
    const KeyMap& map = tables_.keyMap[static_cast<std::size_t>(i)];
    const bool patch = options_.LogitechPatch;
    Axis(i, x, {kLeft, map.Left, patch && y == 0}, {kRight, map.Right, false});
    Axis(i, y, {kUp, map.Up, false}, {kDown, map.Down, patch && x == 0});
}

void MappingEngine::Buttons(int n) {
    const int last =
        std::min(tables_.joypadMaxButton[static_cast<std::size_t>(n - 1)], kHeldButtons - 1);
    for (int b = 0; b <= last; ++b) {
        if (tables_.joyState.buttons[static_cast<std::size_t>(b)] != 0) {
            ButtonPressed(n, b);
        } else if (tables_
                       .buttonHeld[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(b)]) {
            ButtonReleased(n, b);
        }
    }
}

void MappingEngine::ButtonPressed(int n, int b) {
    const KeyMap& map = tables_.keyMap[static_cast<std::size_t>(n - 1)];
    auto& held = tables_.buttonHeld[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(b)];
    const std::uint8_t* key = KeyOfButton(map, b);
    // The burst on a fresh press comes at once; while held, bursts are paced.
    if (options_.AutoFireActive && b < kAutoFireButtons && (!held || pacedTick_)) {
        output_.AutoFireBurst(*key);
    }
    if (held) {
        return;
    }
    if (key != nullptr) {
        output_.KeyDown(*key);
    }
    held = true;
    TriggerRumble(n, b);
}

void MappingEngine::ButtonReleased(int n, int b) {
    const std::uint8_t* key = KeyOfButton(tables_.keyMap[static_cast<std::size_t>(n - 1)], b);
    if (latches_.SkipNextKeyUp) {
        latches_.SkipNextKeyUp = false;
    } else if (key != nullptr) {
        output_.KeyUp(*key);
    }
    StopRumble(n);
    tables_.buttonHeld[static_cast<std::size_t>(n - 1)][static_cast<std::size_t>(b)] = false;
}

void MappingEngine::TriggerRumble(int n, int b) {
    switch (options_.RumbleType) {
        case kRumbleAlways:
            if (b < kAutoFireButtons) {
                StartRumble(n);
            }
            break;
        case kRumbleRandom:
            if (ports_.random.Next() > kRandomRumbleAbove) {
                StartRumble(n);
            }
            break;
        case kRumbleStressed:
            if (latches_.StressButton == b) {
                ++latches_.StressCount;
                const float r = ports_.random.Next();
                if (r * 50.0f + 30.0f < static_cast<float>(latches_.StressCount)) {
                    StartRumble(n);
                    latches_.StressCount = 0;
                }
            } else {
                latches_.StressCount = 0;
                latches_.StressButton = static_cast<std::int16_t>(b);
            }
            break;
        default:
            break;
    }
}

// Print Screen is looked at once per run, by the first joypad processed;
// held down, screenshots are paced.
void MappingEngine::Screenshot() {
    if (screenshotChecked_) {
        return;
    }
    screenshotChecked_ = true;
    const bool down = UserHoldsKey(vk::Snapshot);
    if (down && (!printScreenWasDown_ || pacedTick_)) {
        ports_.screenshots.RequestScreenshot(
            ScreenshotPath(programFolder_, ports_.clock.LocalNow()));
    }
    printScreenWasDown_ = down;
}

}  // namespace padrix
