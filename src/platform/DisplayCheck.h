#pragma once

#include <optional>
#include <string>

namespace padrix {

// The displays the session names; normally from the environment.
struct DisplayNames {
    std::string x;              // DISPLAY
    std::string wayland;        // WAYLAND_DISPLAY
    std::string runtimeFolder;  // XDG_RUNTIME_DIR, where Wayland sockets lie

    static DisplayNames FromProcess();
};

// Whether the program has a desktop to run on: an X display that opens or a
// Wayland display that answers. Without one, the single line that says what
// is missing and how to start the program; checked before Qt, which would
// otherwise abort.
std::optional<std::string> MissingDisplay(const DisplayNames& names);

}  // namespace padrix
