#pragma once

#include <optional>

#include "Layouts.h"

namespace padrix {

// The menu's options that the engine does not read. Together with the
// engine's Options they are where the menu's check marks come from.
struct MenuOptions {
    bool enabled = true;            // "Enabled": mapping on
    bool startWithVgs = false;      // "Start Padrix with VGS"
    bool autodetectProfile = true;  // "Auto-detect profile"
    bool swapLR = false;            // "Swap L1/R1 with L2/R2 Buttons", never saved
    bool followWindow = false;      // "Follow the active window"
    std::optional<Layout> layout;   // the checked layout entry, none before start-up
};

}  // namespace padrix
