#pragma once

#include <string>
#include <string_view>

namespace padrix {

// Where the settings file lives: $XDG_CONFIG_HOME/Padrix/Padrix.ini when
// XDG_CONFIG_HOME is an absolute path, else <home>/.config/Padrix/Padrix.ini.
std::string SettingsPathFor(std::string_view xdgConfigHome, std::string_view home);

// SettingsPathFor with this process's environment; the home folder comes from
// the password database when HOME is not set.
std::string DefaultSettingsPath();

}  // namespace padrix
