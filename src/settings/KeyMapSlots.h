#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/PadSlots.h"

namespace padrix {

// The dialog's pad buttons 0 to 23: the decimal key code each one holds
// (empty when none).
using SlotTags = std::array<std::string, kDialogSlots>;

// The settings key of a slot: its number as decimal text.
std::string SlotKey(int slot);

// The section of joypad n (1 to 8) of the profile named base: base itself for
// joypad 1, else base followed directly by n.
std::string ProfileSection(std::string_view base, int joypad);
// The section the configuration dialog writes joypad joy's map to: "Custom"
// for joy 1 or less, else "Custom" followed by joy.
std::string CustomSection(int joy);

}  // namespace padrix
