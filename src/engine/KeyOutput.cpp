#include "KeyOutput.h"

#include "Keystrokes.h"

namespace padrix {

namespace {
constexpr int kBurstPresses = 12;
}

void KeyOutput::Key(std::uint8_t vk, bool down, std::uint8_t scanCode) {
    out_.SendKey(vk, down, scanCode);
    keysDown_.set(vk, down);
}

void KeyOutput::KeyDown(std::uint8_t vk) {
    Key(vk, true, options_.DosMode ? out_.ScanCode(vk) : 0);
}

void KeyOutput::KeyUp(std::uint8_t vk) {
    Key(vk, false, options_.DosMode ? out_.ScanCode(vk) : 0);
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

void KeyOutput::PlainKey(std::uint8_t vk, bool down) {
    Key(vk, down, 0);
}

bool KeyOutput::SendKeys(std::string_view text) {
    const auto strokes = ParseKeystrokes(text);
    if (!strokes) {
        return false;
    }
    for (const Keystroke& k : *strokes) {
        PlainKey(k.vk, !k.up);
    }
    return true;
}

void KeyOutput::Mouse(MouseButton button, bool down) {
    out_.SendMouseButton(button, down);
    mouseDown_.set(static_cast<std::size_t>(button), down);
}

void KeyOutput::ReleaseAll() {
    for (std::size_t k = 0; k < keysDown_.size(); ++k) {
        if (keysDown_.test(k)) {
            KeyUp(static_cast<std::uint8_t>(k));
        }
    }
    for (MouseButton b : {MouseButton::kLeft, MouseButton::kRight}) {
        if (mouseDown_.test(static_cast<std::size_t>(b))) {
            Mouse(b, false);
        }
    }
}

}  // namespace padrix
