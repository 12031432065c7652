#include <algorithm>

#include "MappingEngine.h"
#include "VirtualKeys.h"

namespace padrix {

namespace {

constexpr int kMButton = 9;
constexpr int kStartButton = 8;
constexpr int kLastLeaveButton = 12;  // buttons 2 to 12 leave mouse mode
constexpr int kMouseModeIntervalMs = 5;
constexpr int kPollIntervalMs = 1;

constexpr const char* kMenuEditUp = "%(E){Up}~";
constexpr const char* kMenuConfigUp = "%(C){Up}~";
constexpr const char* kMenuConfig = "%(C)~";
constexpr const char* kEnter = "~";

// The buttons that combine with M, in the order they are tested.
constexpr std::array<int, 7> kCombinationButtons{0, kStartButton, 1, 2, 3, 4, 7};

}  // namespace

void MappingEngine::MButtonStep(int n) {
    const auto i = static_cast<std::size_t>(n - 1);
    const auto& buttons = tables_.joyState.buttons;
    bool& used = tables_.buttonHeld[i][kMButton];
    bool pushedUp = false;
    if (used) {
        if (buttons[kStartButton] == 0) {
            output_.KeyUp(tables_.keyMap[i].Select);
            used = false;
        }
    } else if (const int b = MCombinationButton(); b >= 0) {
        used = MCombination(tables_.keyMap[i], b);
    } else {
        pushedUp = tables_.joyState.y < kAxisCentre;
    }
    HoldRequest(pushedUpWithM_[i], pushedUp);
}

// The first button of the combinations that is pressed, -1 when none is.
int MappingEngine::MCombinationButton() const {
    for (int b : kCombinationButtons) {
        if (tables_.joyState.buttons[static_cast<std::size_t>(b)] != 0) {
            return b;
        }
    }
    return -1;
}

// Acts on M + button; true when this hold of M is now used.
bool MappingEngine::MCombination(const KeyMap& map, int button) {
    switch (button) {
        case 0:
            output_.KeyPress(map.EscapeKey);
            return true;
        case kStartButton:
            output_.KeyDown(map.Select);
            return true;
        case 1:
            latches_.MouseMode = true;
            output_.SendKeys(kMenuEditUp);
            return true;
        case 2:
            output_.SendKeys(kEnter);
            return true;
        case 3:
            latches_.MouseMode = true;
            output_.SendKeys(kMenuConfigUp);
            return true;
        case 4:
            output_.SendKeys(kMenuConfig);
            return true;
        default:  // R: switch windows, steer the mouse
            latches_.MouseMode = true;
            ports_.timer.SetInterval(kMouseModeIntervalMs);
            output_.PlainKey(vk::Menu, true);
            output_.PlainKey(vk::Tab, true);
            output_.PlainKey(vk::Tab, false);
            output_.PlainKey(vk::Menu, false);
            return false;
    }
}

// Only "1" enables a joypad in mouse mode.
bool MappingEngine::JoypadEnabledForMouse(int n) const {
    const auto i = static_cast<std::size_t>(n - 1);
    return i < tables_.joypadsEnabled.size() && tables_.joypadsEnabled[i] == '1';
}

// The pointer speeds up by one pixel per step while the axis stays on one side.
void MappingEngine::MouseAxis(std::int32_t axis, std::int32_t& speed, int& target) {
    if (axis < kAxisCentre) {
        speed = speed < 0 ? speed - 1 : -1;
    } else if (axis > kAxisCentre) {
        speed = speed > 0 ? speed + 1 : 1;
    } else {
        return;
    }
    target += speed;
}

// Buttons 0 and 1 are the mouse buttons of every joypad together; 2 to 12 leave mouse mode.
void MappingEngine::MouseButtons(int i, std::array<bool, 2>& clicked) {
    const auto& buttons = tables_.joyState.buttons;
    const int last =
        std::min(tables_.joypadMaxButton[static_cast<std::size_t>(i)], kLastLeaveButton);
    for (int b = 0; b <= last; ++b) {
        const bool pressed = buttons[static_cast<std::size_t>(b)] != 0;
        if (b < 2) {
            clicked[static_cast<std::size_t>(b)] = clicked[static_cast<std::size_t>(b)] || pressed;
        } else if (pressed) {
            latches_.MouseMode = false;
            ports_.timer.SetInterval(kPollIntervalMs);
        }
    }
}

void MappingEngine::ApplyMouseButtons(const std::array<bool, 2>& clicked) {
    auto& held = latches_.MouseButtonHeld;
    if (clicked[0] != held[0]) {
        output_.Mouse(MouseButton::kLeft, clicked[0]);
    }
    if (clicked[1] != held[1]) {
        output_.Mouse(MouseButton::kRight, clicked[1]);
    }
    held[0] = clicked[0];
    held[1] = clicked[1];
}

void MappingEngine::MouseStep() {
    const int count = std::min(tables_.joypadCount, kMaxJoypads);
    std::array<bool, 2> clicked{};
    bool anyButtons = false;
    for (int n = 1; n <= count; ++n) {
        if (!JoypadEnabledForMouse(n)) {
            continue;
        }
        ReadJoypad(n);
        // Pointer movement is paced; the buttons are handled on every run.
        if (pacedTick_) {
            MovePointer();
        }
        if (tables_.joyState.buttons[kMButton] != 0) {
            break;
        }
        MouseButtons(n - 1, clicked);
        anyButtons = true;
    }
    if (anyButtons) {
        // Leaving mouse mode lets go of its buttons: nothing outside it would.
        ApplyMouseButtons(latches_.MouseMode ? clicked : std::array<bool, 2>{});
    }
}

void MappingEngine::MovePointer() {
    const ScreenPoint p = output_.PointerPosition();
    ScreenPoint t = p;
    MouseAxis(tables_.joyState.x, latches_.CursorSpeedX, t.x);
    MouseAxis(tables_.joyState.y, latches_.CursorSpeedY, t.y);
    if (!(t == p)) {
        output_.MovePointer(t);
    }
}

}  // namespace padrix
