#pragma once

#include <string>
#include <string_view>

namespace padrix {

// The per-user settings store: sections of keys holding text values (UTF-8).
// Section and key names match without regard to letter case, the first
// spelling written is kept, and any text is a valid name. Nothing is ever
// deleted. Reads and writes never throw.
class SettingsStore {
  public:
    SettingsStore() = default;
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;
    virtual ~SettingsStore() = default;

    // The stored value, or def when the key is absent.
    virtual std::string GetSetting(std::string_view section, std::string_view key,
                                   std::string_view def) = 0;
    // Creates the section and key as needed and replaces any earlier value.
    virtual void SaveSetting(std::string_view section, std::string_view key,
                             std::string_view value) = 0;
};

}  // namespace padrix
