#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Child.h"

namespace padrix::testing {

// A headless sway for one test, with XWayland, in a runtime folder of its
// own, so that tests may run side by side. sway refuses to run as root: run
// by root, it runs as nobody (uid 65534) in a folder that user owns, and the
// test, as root, still reaches its sockets and XWayland. Stopped when destroyed.
class SwayServer {
  public:
    explicit SwayServer(int width = 1280, int height = 800);
    ~SwayServer();
    SwayServer(const SwayServer&) = delete;
    SwayServer& operator=(const SwayServer&) = delete;

    bool ok() const { return !waylandDisplay_.empty(); }
    // Why it did not start, with the end of sway's own log.
    std::string error() const;

    // WAYLAND_DISPLAY, XDG_RUNTIME_DIR, SWAYSOCK and XWayland's DISPLAY, for
    // a program of the session.
    Environment Env() const;
    const std::string& runtimeFolder() const { return runtime_; }

    // Gives the focus to the window whose title starts with `title`.
    bool Focus(const std::string& title) const {
        return !Message({"[title=\"^" + title + "\"] focus"}).empty();
    }
    // Runs swaymsg with `args` ("-t", "get_tree" or a command) and returns
    // what it printed; empty when it failed.
    std::string Message(const std::vector<std::string>& args) const;

  private:
    std::string folder_;
    std::string runtime_;
    std::string waylandDisplay_;
    std::string swaySocket_;
    std::string xDisplay_;
    std::unique_ptr<Child> process_;
};

}  // namespace padrix::testing
