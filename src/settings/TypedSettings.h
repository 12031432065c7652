#pragma once

#include <cstdint>
#include <string_view>

#include "settings/SettingsStore.h"

namespace padrix {

// Reads a Boolean with its default; a stored text that does not convert
// leaves target as it was. Returns whether target was set.
bool ReadBoolean(SettingsStore& store, std::string_view section, std::string_view key, bool def,
                 bool& target);
// The same for a 16-bit integer.
bool ReadInt16(SettingsStore& store, std::string_view section, std::string_view key,
               std::int16_t def, std::int16_t& target);

void SaveBoolean(SettingsStore& store, std::string_view section, std::string_view key, bool value);
void SaveInt(SettingsStore& store, std::string_view section, std::string_view key, long long value);

}  // namespace padrix
