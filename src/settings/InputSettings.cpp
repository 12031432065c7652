#include "settings/InputSettings.h"

#include "settings/SettingsStore.h"

#include <algorithm>

#include "common/AsciiText.h"
#include "engine/Controllers.h"
#include "settings/KeyMapSlots.h"
#include "settings/OptionKeys.h"
#include "settings/SettingValues.h"

namespace padrix {

PollingMode ReadPollingMode(SettingsStore& store) {
    return AsciiLower(store.GetSetting(kOptionSection, kKeyPolling, "events")) == "timer"
               ? PollingMode::kTimer
               : PollingMode::kEvents;
}

int ReadDeadZone(SettingsStore& store, int joy) {
    const auto value =
        ToInt16(store.GetSetting(CustomSection(joy), kKeyDeadZone, FromInt(kDefaultDeadZone)));
    return value ? std::clamp<int>(*value, 0, 100) : kDefaultDeadZone;
}

void SaveDeadZone(SettingsStore& store, int joy, int percent) {
    store.SaveSetting(CustomSection(joy), kKeyDeadZone, FromInt(std::clamp(percent, 0, 100)));
}

}  // namespace padrix
