#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "engine/KeyMap.h"

namespace padrix {

// A stored key map has 25 slots; the slot number is the settings key.
inline constexpr int kMapSlots = 25;     // slots 0 to 24 are read
inline constexpr int kDialogSlots = 24;  // slots 0 to 23 have a dialog button and are written
inline constexpr int kShownSlots = 14;   // slots 0 to 13 move between KeyMap and the dialog
inline constexpr int kFirstExtraSlot = 14;

// The dialog's pad buttons 0 to 23: the decimal key code each one holds
// (empty when none).
using SlotTags = std::array<std::string, kDialogSlots>;

// The code a slot takes when its key is absent (0 for slots outside 0 to 24).
std::uint8_t DefaultSlotCode(int slot);
// The KeyMap entry of a slot, or nullptr for slots outside 0 to 24.
std::uint8_t* SlotEntry(KeyMap& map, int slot);
const std::uint8_t* SlotEntry(const KeyMap& map, int slot);
// The settings key of a slot: its number as decimal text.
std::string SlotKey(int slot);

// The section of joypad n (1 to 8) of the profile named base: base itself for
// joypad 1, else base followed directly by n.
std::string ProfileSection(std::string_view base, int joypad);
// The section the configuration dialog writes joypad joy's map to: "Custom"
// for joy 1 or less, else "Custom" followed by joy.
std::string CustomSection(int joy);

}  // namespace padrix
