#include "formPadrix.h"
#include "settings/InputSettings.h"
#include "settings/Profiles.h"

namespace padrix {

std::string formPadrix::GetJoypadName(int joy) {
    return joy >= 1 && joy <= engine_.tables.joypadCount ? ports_.controllers.GetJoypadName(joy)
                                                         : std::string();
}

void formPadrix::SetJoypadsEnabled(const std::string& text) {
    engine_.tables.joypadsEnabled = text;
}

void formPadrix::GetConfigValues(int joy, SlotTags& tags) {
    timer_.SetEnabled(false);
    // Mapping stops while the dialog edits the maps: let go of what the pads
    // hold, or a held key would repeat into the dialog all the while.
    engine_.ReleaseAll();
    if (joy < 1 || joy > kMaxJoypads) {
        return;
    }
    const KeyMap& map = engine_.tables.keyMap[static_cast<std::size_t>(joy - 1)];
    for (int slot = 0; slot < kShownSlots; ++slot) {
        tags[static_cast<std::size_t>(slot)] = SlotTag(map, slot);
    }
}

void formPadrix::SetConfigValues(int joy, const SlotTags& tags) {
    TakeConfigValues(tags, joy, engine_.tables.keyMap);
    StoreConfigValues(ports_.settings, joy, tags);
}

int formPadrix::DeadZone(int joy) {
    return ReadDeadZone(ports_.settings, joy);
}

void formPadrix::SetDeadZone(int joy, int percent) {
    SaveDeadZone(ports_.settings, joy, percent);
    if (joy >= 1 && joy <= engine_.tables.joypadCount) {
        if (const auto& pad = engine_.tables.joypadDevices[static_cast<std::size_t>(joy - 1)]) {
            pad->SetDeadZone(ReadDeadZone(ports_.settings, joy));
        }
    }
}

void formPadrix::JoyConfigClosed() {
    if (unloaded_) {
        return;
    }
    tray_.Enabled = true;
    timer_.SetEnabled(true);
    mnuCustom_Click();
    RefreshMenu();
}

}  // namespace padrix
