#pragma once

#include <array>
#include <atomic>
#include <cstdint>

namespace padrix {

// What the output holds down: X keycodes and pointer buttons (by X's
// numbers, 1 left, 3 right). It lies in one page of memory shared with the
// guardian process; the output writes it with plain stores on every press
// and release, and the guardian reads it only once the program has ended.
// The Wayland output records only its buttons: a compositor lets go of the
// keys of a virtual keyboard whose client is gone, not of its buttons.
struct HeldInputs {
    std::array<std::atomic<std::uint8_t>, 256> keycodes{};
    std::array<std::atomic<std::uint8_t>, 8> buttons{};
    // Set once the program has let go of everything on an orderly exit.
    std::atomic<std::uint8_t> orderlyExit{0};
    // Set while the buttons go down through the compositor's virtual
    // pointer: they go up there, not through XTest.
    std::atomic<std::uint8_t> compositorButtons{0};

    void SetKey(unsigned keycode, bool down) {
        keycodes[keycode & 0xFF].store(down ? 1 : 0, std::memory_order_relaxed);
    }
    bool Key(unsigned keycode) const {
        return keycodes[keycode & 0xFF].load(std::memory_order_relaxed) != 0;
    }
    void SetButton(unsigned button, bool down) {
        buttons[button & 7].store(down ? 1 : 0, std::memory_order_relaxed);
    }
    bool Button(unsigned button) const {
        return buttons[button & 7].load(std::memory_order_relaxed) != 0;
    }
    bool Any() const {
        for (const auto& k : keycodes) {
            if (k.load(std::memory_order_relaxed) != 0) {
                return true;
            }
        }
        for (const auto& b : buttons) {
            if (b.load(std::memory_order_relaxed) != 0) {
                return true;
            }
        }
        return false;
    }
};

static_assert(std::atomic<std::uint8_t>::is_always_lock_free,
              "shared between processes, the page needs lock-free stores");
static_assert(sizeof(HeldInputs) <= 4096);

}  // namespace padrix
