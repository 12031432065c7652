#include "KeyOutput.h"

#include <cstdlib>

#include "Keystrokes.h"
#include "VirtualKeys.h"

namespace padrix {

namespace {
constexpr int kBurstPresses = 12;
}

void KeyOutput::KeyDown(std::uint8_t vk) {
    const std::uint8_t scan = options_.DosMode ? out_.ScanCode(vk) : 0;
    RawKeyEvent(vk, scan, kKeyEventDown);
}

void KeyOutput::KeyUp(std::uint8_t vk) {
    const std::uint8_t scan = options_.DosMode ? out_.ScanCode(vk) : 0;
    RawKeyEvent(vk, scan, kKeyEventUp);
}

void KeyOutput::KeyPress(std::uint8_t vk) {
    KeyDown(vk);
    KeyUp(vk);
}

void KeyOutput::AutoFireBurst(std::uint8_t vk) {
    for (int i = 0; i < kBurstPresses; ++i) {
        KeyPress(vk);
    }
}

void KeyOutput::RawKeyEvent(std::uint8_t vk, std::uint8_t scanCode, std::uint32_t flags) {
    out_.KeyEvent(vk, scanCode, flags);
    keysDown_.set(vk, (flags & kKeyEventUp) == 0);
}

bool KeyOutput::SendKeys(std::string_view text) {
    const auto strokes = ParseKeystrokes(text);
    if (!strokes) {
        return false;
    }
    for (const Keystroke& k : *strokes) {
        RawKeyEvent(k.vk, 0, k.up ? kKeyEventUp : kKeyEventDown);
    }
    return true;
}

void KeyOutput::Mouse(std::uint32_t flags, int button, bool down) {
    out_.MouseButton(flags);
    mouseDown_.set(static_cast<std::size_t>(button), down);
}

void KeyOutput::MouseLeftDown() {
    Mouse(kMouseLeftDown, 0, true);
}
void KeyOutput::MouseLeftUp() {
    Mouse(kMouseLeftUp, 0, false);
}
void KeyOutput::MouseRightDown() {
    Mouse(kMouseRightDown, 1, true);
}
void KeyOutput::MouseRightUp() {
    Mouse(kMouseRightUp, 1, false);
}

void KeyOutput::SetKeyState(std::uint8_t vk, std::int16_t value) {
    KeyboardStateTable table = out_.GetKeyboardState();
    table[vk] = static_cast<std::uint8_t>(std::abs(static_cast<int>(value)));
    out_.SetKeyboardState(table);
}

void KeyOutput::SetScrollLockState(bool on) {
    SetKeyState(vk::ScrollLock, on ? -1 : 0);
}

void KeyOutput::ReleaseAll() {
    for (std::size_t k = 0; k < keysDown_.size(); ++k) {
        if (keysDown_.test(k)) {
            KeyUp(static_cast<std::uint8_t>(k));
        }
    }
    if (mouseDown_.test(0)) {
        MouseLeftUp();
    }
    if (mouseDown_.test(1)) {
        MouseRightUp();
    }
}

}  // namespace padrix
