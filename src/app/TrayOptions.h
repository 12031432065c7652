#pragma once

#include <optional>

#include "Layouts.h"

namespace padrix {

// The menu's options that the engine does not read. Together with the
// engine's Options they are the one place the menu's check marks come from.
struct TrayOptions {
    bool Enabled = true;            // "Enabled": the polling timer runs
    bool StartWithVgs = false;      // "Start Padrix with VGS"
    bool AutodetectProfile = true;  // "Auto-detect profile"
    bool SwapLR = false;            // "Swap L1/R1 with L2/R2 Buttons", never saved
    std::optional<Layout> layout;   // the checked layout entry, none before start-up
};

}  // namespace padrix
