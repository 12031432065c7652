#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace padrix {

// The desktop entry the desktop starts at login (XDG autostart):
// <config folder>/autostart/padrix.desktop.
std::filesystem::path AutostartFileIn(std::string_view configFolder);

// The entry's text for starting `program` with --no-launch, and with
// `--settings settingsFile` unless that is empty; nothing when a path cannot
// be named in it (not absolute, not UTF-8, or with control characters).
std::optional<std::string> AutostartContents(std::string_view program,
                                             std::string_view settingsFile = {});

// Whether a desktop entry's text has the desktop start it: not when its
// [Desktop Entry] group says Hidden=true or X-GNOME-Autostart-enabled=false,
// as the desktops' own start-up settings write to switch an entry off.
bool AutostartSwitchedOn(std::string_view contents);

// "Start with the desktop": the one writer of the autostart file. Every
// failure comes back as a message naming the file and the reason.
class AutostartEntry {
  public:
    explicit AutostartEntry(std::filesystem::path file) : file_(std::move(file)) {}

    const std::filesystem::path& File() const { return file_; }
    // Whether the entry is there and not switched off (AutostartSwitchedOn).
    // Looked up each time: the user may change or remove it meanwhile.
    bool StartsWithDesktop() const;
    // Writes the entry (and its folder), replacing the file as a whole;
    // returns why it failed, or nothing.
    std::optional<std::string> Write(std::string_view program,
                                     std::string_view settingsFile = {}) const;
    // Removes the entry; a missing one is no failure.
    std::optional<std::string> Remove() const;

  private:
    std::filesystem::path file_;
};

}  // namespace padrix
