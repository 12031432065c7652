#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "KeyMap.h"

namespace padrix {

// The slots of a key map, in the order the settings store numbers them and
// the configuration dialog shows them: fourteen named slots, then one slot
// per extra button (controller buttons 11 to 21).
inline constexpr int kMapSlots = 25;        // slots 0 to 24 are read
inline constexpr int kDialogSlots = 24;     // slots 0 to 23 have a dialog button and are written
inline constexpr int kShownSlots = 14;      // slots 0 to 13 are the named slots
inline constexpr int kFirstExtraSlot = 14;  // slot 14 is the first extra button's
inline constexpr int kNoSlot = -1;

// One named slot: what it is called, what the dialog's button shows (UTF-8),
// the key map entry it fills, what on the controller presses it (a button,
// counted from 0, or a direction) and the key it has when nothing is stored.
struct NamedSlot {
    std::string_view name;
    std::string_view caption;
    std::uint8_t KeyMap::*entry;
    int button;     // -1 for a direction
    int direction;  // a Direction, -1 for a button
    std::uint8_t defaultCode;
};

inline constexpr std::array<NamedSlot, kShownSlots> kNamedSlots{{
    {"X", "X", &KeyMap::X, 3, -1, 'J'},
    {"Y", "Y", &KeyMap::Y, 4, -1, 'I'},
    {"Z", "Z", &KeyMap::Z, 5, -1, '2'},
    {"A", "A", &KeyMap::A, 0, -1, 'K'},
    {"B", "B", &KeyMap::B, 1, -1, 'L'},
    {"C", "C", &KeyMap::C, 2, -1, '0'},
    {"Up", "\u25B2", &KeyMap::Up, -1, kUp, 'W'},
    {"Down", "\u25BC", &KeyMap::Down, -1, kDown, 'S'},
    {"Left", "\u25C0", &KeyMap::Left, -1, kLeft, 'A'},
    {"Right", "\u25B6", &KeyMap::Right, -1, kRight, 'D'},
    {"Start", "Start", &KeyMap::Start, 8, -1, 'N'},
    {"L", "\u25CF", &KeyMap::L, 6, -1, '1'},
    {"R", "\u25CF", &KeyMap::R, 7, -1, '9'},
    {"M", "M", &KeyMap::Select, 9, -1, 'B'},
}};

// The first extra slot's default is F1, the next ones count up from it.
inline constexpr std::uint8_t kFirstExtraDefault = 112;

namespace detail {

constexpr std::array<std::int8_t, kKeyedButtons> BuildButtonSlots() {
    std::array<std::int8_t, kKeyedButtons> table{};
    for (int b = 0; b < kKeyedButtons; ++b) {
        table[static_cast<std::size_t>(b)] = static_cast<std::int8_t>(kFirstExtraSlot + b - 10);
    }
    for (int s = 0; s < kShownSlots; ++s) {
        const int b = kNamedSlots[static_cast<std::size_t>(s)].button;
        if (b >= 0) {
            table[static_cast<std::size_t>(b)] = static_cast<std::int8_t>(s);
        }
    }
    return table;
}

constexpr std::array<std::int8_t, 4> BuildDirectionSlots() {
    std::array<std::int8_t, 4> table{};
    for (int s = 0; s < kShownSlots; ++s) {
        const int d = kNamedSlots[static_cast<std::size_t>(s)].direction;
        if (d >= 0) {
            table[static_cast<std::size_t>(d)] = static_cast<std::int8_t>(s);
        }
    }
    return table;
}

inline constexpr auto kButtonSlots = BuildButtonSlots();
inline constexpr auto kDirectionSlots = BuildDirectionSlots();

}  // namespace detail

// The slot that controller button b (from 0) fills, kNoSlot for buttons
// without a key (21 and up).
constexpr int SlotOfButton(int b) {
    return b >= 0 && b < kKeyedButtons ? detail::kButtonSlots[static_cast<std::size_t>(b)]
                                       : kNoSlot;
}

constexpr int SlotOfDirection(Direction d) {
    return detail::kDirectionSlots[static_cast<std::size_t>(d)];
}

// The key map entry of a slot, or nullptr for slots outside 0 to 24.
template <typename Map>
constexpr auto SlotEntry(Map& map, int slot) -> decltype(&map.X) {
    if (slot >= 0 && slot < kShownSlots) {
        return &(map.*kNamedSlots[static_cast<std::size_t>(slot)].entry);
    }
    if (slot >= kFirstExtraSlot && slot < kMapSlots) {
        return &map.Extra[static_cast<std::size_t>(slot - kFirstExtraSlot)];
    }
    return nullptr;
}

// The key of controller button b, or nullptr for buttons without a key.
inline const std::uint8_t* KeyOfButton(const KeyMap& map, int b) {
    return SlotEntry(map, SlotOfButton(b));
}

// The code a slot takes when its key is absent (0 for slots outside 0 to 24).
constexpr std::uint8_t DefaultSlotCode(int slot) {
    if (slot >= 0 && slot < kShownSlots) {
        return kNamedSlots[static_cast<std::size_t>(slot)].defaultCode;
    }
    if (slot >= kFirstExtraSlot && slot < kMapSlots) {
        return static_cast<std::uint8_t>(kFirstExtraDefault + slot - kFirstExtraSlot);
    }
    return 0;
}

}  // namespace padrix
