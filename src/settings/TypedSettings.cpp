#include "settings/TypedSettings.h"

#include "settings/SettingValues.h"

namespace padrix {

bool ReadBoolean(SettingsStore& store, std::string_view section, std::string_view key, bool def,
                 bool& target) {
    const std::optional<bool> value = ToBoolean(store.GetSetting(section, key, FromBoolean(def)));
    if (value) {
        target = *value;
    }
    return value.has_value();
}

bool ReadInt16(SettingsStore& store, std::string_view section, std::string_view key,
               std::int16_t def, std::int16_t& target) {
    const std::optional<std::int16_t> value = ToInt16(store.GetSetting(section, key, FromInt(def)));
    if (value) {
        target = *value;
    }
    return value.has_value();
}

void SaveBoolean(SettingsStore& store, std::string_view section, std::string_view key, bool value) {
    store.SaveSetting(section, key, FromBoolean(value));
}

void SaveInt(SettingsStore& store, std::string_view section, std::string_view key,
             long long value) {
    store.SaveSetting(section, key, FromInt(value));
}

}  // namespace padrix
