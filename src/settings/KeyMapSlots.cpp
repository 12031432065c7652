#include "settings/KeyMapSlots.h"

#include <array>

namespace padrix {
namespace {

// Default codes of slots 0 to 13: J I 2 K L 0 W S A D N 1 9 B.
constexpr std::array<std::uint8_t, kShownSlots> kShownDefaults = {74, 73, 50, 75, 76, 48, 87,
                                                                  83, 65, 68, 78, 49, 57, 66};
constexpr std::uint8_t kFirstExtraDefault = 112;  // F1

template <typename Map>
auto SlotField(Map& map, int slot) -> decltype(&map.X) {
    switch (slot) {
        case 0:
            return &map.X;
        case 1:
            return &map.Y;
        case 2:
            return &map.Z;
        case 3:
            return &map.A;
        case 4:
            return &map.B;
        case 5:
            return &map.C;
        case 6:
            return &map.Up;
        case 7:
            return &map.Down;
        case 8:
            return &map.Left;
        case 9:
            return &map.Right;
        case 10:
            return &map.Start;
        case 11:
            return &map.L;
        case 12:
            return &map.R;
        case 13:
            return &map.Select;
        default:
            if (slot >= kFirstExtraSlot && slot < kMapSlots) {
                return &map.Extra[static_cast<std::size_t>(slot - kFirstExtraSlot)];
            }
            return nullptr;
    }
}

}  // namespace

std::uint8_t DefaultSlotCode(int slot) {
    if (slot >= 0 && slot < kShownSlots) {
        return kShownDefaults[static_cast<std::size_t>(slot)];
    }
    if (slot >= kFirstExtraSlot && slot < kMapSlots) {
        return static_cast<std::uint8_t>(kFirstExtraDefault + slot - kFirstExtraSlot);
    }
    return 0;
}

std::uint8_t* SlotEntry(KeyMap& map, int slot) {
    return SlotField(map, slot);
}

const std::uint8_t* SlotEntry(const KeyMap& map, int slot) {
    return SlotField(map, slot);
}

std::string SlotKey(int slot) {
    return std::to_string(slot);
}

std::string ProfileSection(std::string_view base, int joypad) {
    std::string section(base);
    if (joypad != 1) {
        section += std::to_string(joypad);
    }
    return section;
}

std::string CustomSection(int joy) {
    return ProfileSection("Custom", joy <= 1 ? 1 : joy);
}

}  // namespace padrix
