#pragma once

#include <array>
#include <string>
#include <string_view>

#include "engine/PadTables.h"

namespace padrix {

// The three emulator layouts, by the numbers they are remembered under ("Last").
enum class Layout { Snes9x = 1, Vgs = 2, Custom = 3 };

// Exactly "1" is SNES9X and exactly "3" is Custom; every other text, blanks
// and leading zeros included, is Virtual Game Station.
Layout LayoutFromLast(std::string_view last);
std::string LastText(Layout layout);

// Write the built-in keys of joypads 1 to `joypadCount` (clamped to 0..8).
// Virtual Game Station writes its ten fixed keys; its shoulder keys come from
// ApplySwapLR. SNES9X writes all fourteen named buttons. Extra keys and the
// escape key stay as they are.
void WriteVgsKeys(KeyMaps& maps, int joypadCount);
void WriteSnes9xKeys(KeyMaps& maps, int joypadCount);

// The shoulder keys of the Virtual Game Station layout: L1/R1 on L/R and
// L2/R2 on X/Y, exchanged when `swapped`.
void ApplySwapLR(KeyMaps& maps, int joypadCount, bool swapped);

}  // namespace padrix
