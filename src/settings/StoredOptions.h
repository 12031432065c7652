#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "settings/SettingsStore.h"

namespace padrix {

// The options start-up reads from section "Custom". The initial values are
// the menu's state before anything is read ("Auto-detect profile" checked,
// everything else unchecked); a stored text that does not convert leaves its
// field as it was.
struct StoredOptions {
    bool Select = false;
    bool AutoFire = false;
    bool Logitech = false;
    bool VGSStartUp = false;
    std::int16_t RumbleType = 0;
    bool Autodetect = true;
    bool DOS = false;
    bool MaxPollRate = false;
    bool FollowWindow = false;
    std::string Joypads;
    std::string Last;
};

// Reads every option in start-up order; joypad1Name picks the defaults of
// "Select" and "Logitech" (empty when there is no joypad 1).
void ReadStoredOptions(SettingsStore& store, std::string_view joypad1Name, StoredOptions& options);

}  // namespace padrix
