#pragma once

#include <QString>

#include "engine/PadSlots.h"

namespace padrix {

// The dialog's pad buttons 0 to 23, one per map slot.
inline constexpr int kPadButtons = kDialogSlots;
// Pad buttons 0 to 13, the named slots, have a status label beside them.
inline constexpr int kStatusLabels = kShownSlots;
// Pad buttons 14 to 23 stand for controller buttons 11 to 20.
inline constexpr int kFirstExtraButton = kFirstExtraSlot;

// The caption on pad button `index`: a letter, an arrow or a bullet, "Start",
// "M", or the controller's button number for the extra buttons.
QString PadButtonCaption(int index);
// The name of pad button `index` in the prompt of a key capture: the pad's
// name for it with the controller's button number, e.g. "A (1)"; empty for
// the extra buttons.
QString PromptName(int index);
// What a screen reader calls pad button `index`, e.g. "Pad button A (1)".
QString PadButtonAccessibleName(int index);

}  // namespace padrix
