#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "settings/SettingsStore.h"

namespace padrix {

// The list of saved profile names: section "names" (written as "Names"),
// keys "1" upward; readers look at keys "1" to "32" only.
inline constexpr std::string_view kNamesSection = "Names";
inline constexpr int kListedNameKeys = 32;

// The names for the dialog's list: keys 1 to 32, empty or absent keys skipped.
std::vector<std::string> ListProfileNames(SettingsStore& store);
// The names auto-detection tries: keys 1 upward to 32, stopping at the first
// empty or absent key.
std::vector<std::string> AutodetectProfileNames(SettingsStore& store);
// The listed name that equals `name` in any letter case, as Save matches it.
std::optional<std::string> FindProfileName(SettingsStore& store, std::string_view name);
// Writes a new name under the first empty or absent key from 1 upward (with
// k names listed without gaps that is key k + 1) and returns that key.
int AddProfileName(SettingsStore& store, std::string_view name);

}  // namespace padrix
