#pragma once

#include <array>
#include <cstdint>

namespace padrix {

// Rumble modes of the force feedback dialog; other values behave as Never.
enum RumbleMode : std::int16_t {
    kRumbleNever = 0,
    kRumbleAlways = 1,
    kRumbleRandom = 2,
    kRumbleStressed = 3
};

// The options the polling cycle and the key output read. The tray menu's
// check marks mirror these fields; this is the one place they are kept.
struct Options {
    bool AllowAutoFire = false;  // "Allow Auto-Fire": Tab may switch auto-fire
    bool AutoFireActive = false;
    bool UseMAsSelect = true;
    bool LogitechPatch = false;
    bool DosMode = false;  // "Using MS-DOS based Application"
    std::int16_t RumbleType = kRumbleRandom;
    bool MaxPollRate = false;
};

// Latches and mouse-mode state, once per program.
struct Latches {
    bool SkipNextKeyUp = false;
    bool MouseMode = false;
    std::int32_t CursorSpeedX = 0;
    std::int32_t CursorSpeedY = 0;
    std::array<bool, 4> MouseButtonHeld{};
    std::int16_t StressCount = 0;
    std::int16_t StressButton = 0;
    bool TabHeld = false;  // the auto-fire switch waits for Tab to go up
};

}  // namespace padrix
