#pragma once

#include <string>
#include <string_view>

namespace padrix {

// The user's configuration folder: $XDG_CONFIG_HOME when it is an absolute
// path, else <home>/.config; no slash at the end ("" for the root).
std::string ConfigFolderFor(std::string_view xdgConfigHome, std::string_view home);
// ConfigFolderFor with this process's environment; the home folder comes from
// the password database when HOME is not set.
std::string DefaultConfigFolder();

// Where the settings file lives: $XDG_CONFIG_HOME/Padrix/Padrix.ini when
// XDG_CONFIG_HOME is an absolute path, else <home>/.config/Padrix/Padrix.ini.
std::string SettingsPathFor(std::string_view xdgConfigHome, std::string_view home);

// SettingsPathFor in DefaultConfigFolder().
std::string DefaultSettingsPath();

}  // namespace padrix
