#include "settings/StoredOptions.h"

#include "settings/OptionKeys.h"
#include "settings/TypedSettings.h"

namespace padrix {

void ReadStoredOptions(SettingsStore& store, std::string_view joypad1Name, StoredOptions& options) {
    const std::string_view s = kOptionSection;
    ReadBoolean(store, s, kKeySelect, DefaultUseMAsSelect(joypad1Name), options.Select);
    ReadBoolean(store, s, kKeyAutoFire, kDefaultAutoFire, options.AutoFire);
    ReadBoolean(store, s, kKeyLogitech, DefaultLogitechPatch(joypad1Name), options.Logitech);
    ReadBoolean(store, s, kKeyVGSStartUp, kDefaultVGSStartUp, options.VGSStartUp);
    ReadInt16(store, s, kKeyRumbleType, kDefaultRumbleType, options.RumbleType);
    ReadBoolean(store, s, kKeyAutodetect, kDefaultAutodetect, options.Autodetect);
    ReadBoolean(store, s, kKeyDOS, kDefaultDOS, options.DOS);
    ReadBoolean(store, s, kKeyMaxPollRate, kDefaultMaxPollRate, options.MaxPollRate);
    ReadBoolean(store, s, kKeyFollowWindow, kDefaultFollowWindow, options.FollowWindow);
    options.Joypads = store.GetSetting(s, kKeyJoypads, kDefaultJoypads);
    options.Last = store.GetSetting(s, kKeyLast, kDefaultLast);
}

}  // namespace padrix
