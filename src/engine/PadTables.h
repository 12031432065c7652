#pragma once

#include <array>
#include <memory>
#include <string>

#include "Controllers.h"
#include "JoyState.h"
#include "KeyMap.h"

namespace padrix {

using KeyMaps = std::array<KeyMap, kMaxJoypads>;

// The per-joypad runtime tables. Joypad n uses index n - 1 everywhere.
struct PadTables {
    KeyMaps keyMap{};
    // True: the cycle has taken the press into account and handles its release.
    std::array<std::array<bool, 4>, kMaxJoypads> directionHeld{};
    std::array<std::array<bool, kHeldButtons>, kMaxJoypads> buttonHeld{};
    // One character per joypad: "1" enabled, "0" disabled.
    std::string joypadsEnabled = "11111111";

    // Controller data, filled at start-up.
    int joypadCount = 0;
    std::array<std::unique_ptr<Joypad>, kMaxJoypads> joypadDevices{};
    std::array<int, kMaxJoypads> joypadMaxButton{};
    JoyState joyState{};
};

}  // namespace padrix
