#include "platform/DisplayCheck.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#if PADRIX_HAVE_X11
#include "platform/x11/X11Session.h"
#endif

namespace padrix {

namespace {

constexpr const char* kHowToStart =
    "start Padrix from a desktop session (from its menu, or from a terminal window on it).";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool XDisplayOpens(const std::string& name) {
#if PADRIX_HAVE_X11
    return x11::OpenDisplay(name) != nullptr;
#else
    (void)name;
    return false;
#endif
}

// A Wayland display is a socket, named absolutely or in the runtime folder.
bool WaylandAnswers(const std::string& name, const std::string& runtimeFolder) {
    const std::string path = name.front() == '/' ? name : runtimeFolder + "/" + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path || (name.front() != '/' && runtimeFolder.empty())) {
        return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return false;
    }
    const bool answered =
        connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answered;
}

}  // namespace

DisplayNames DisplayNames::FromProcess() {
    return {Env("DISPLAY"), Env("WAYLAND_DISPLAY"), Env("XDG_RUNTIME_DIR")};
}

std::optional<std::string> MissingDisplay(const DisplayNames& names) {
    if (names.x.empty() && names.wayland.empty()) {
        return std::string(
                   "Padrix needs a desktop, but neither DISPLAY nor WAYLAND_DISPLAY is "
                   "set: ") +
               kHowToStart;
    }
    if (!names.wayland.empty() && WaylandAnswers(names.wayland, names.runtimeFolder)) {
        return std::nullopt;
    }
    if (!names.x.empty() && XDisplayOpens(names.x)) {
        return std::nullopt;
    }
    const std::string what =
        !names.x.empty() ? "the X display \"" + names.x + "\" (DISPLAY)"
                         : "the Wayland display \"" + names.wayland + "\" (WAYLAND_DISPLAY)";
    return "Padrix cannot open " + what + ": " + kHowToStart;
}

}  // namespace padrix
