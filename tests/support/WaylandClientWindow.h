#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SwayServer.h"

namespace padrix::testing {

// A native Wayland client of our own under a SwayServer: one xdg toplevel
// window filled with one colour, that logs what it receives, one line each:
//   ready | title <title> | focus in | focus out
//   key <linux key code> down|up <keysym name under the current modifiers>
//   mods <depressed> <latched> <locked> <group>
//   pointer enter <x> <y> | pointer motion <x> <y> | pointer leave
//   button <linux button code> down|up
// Ended when destroyed.
class WaylandClientWindow {
  public:
    WaylandClientWindow(const SwayServer& sway, const std::string& title,
                        const std::string& appId = "padrix-test", std::uint32_t argb = 0xff336699);
    ~WaylandClientWindow();
    WaylandClientWindow(const WaylandClientWindow&) = delete;
    WaylandClientWindow& operator=(const WaylandClientWindow&) = delete;

    // Mapped: the client said "ready".
    bool ok() const { return ready_; }
    pid_t pid() const { return pid_; }

    // Returns once the client has given the compositor the new title.
    void SetTitle(const std::string& title);

    // Waits until a line for which `match` holds arrives: each line is
    // offered once, in order, and taken with every line before it. False
    // after `timeoutMs`.
    bool WaitForLine(const std::function<bool(const std::string&)>& match, int timeoutMs = 10000);
    // Waits for a line starting with each of `prefixes`, in that order (or in
    // any, with `anyOrder`), 10 s at most; returns the prefixes not seen.
    std::vector<std::string> Await(std::vector<std::string> prefixes, bool anyOrder = false);
    // The lines that have arrived so far, without waiting.
    std::vector<std::string> TakeLines();

  private:
    // Reads what the client wrote within `timeoutMs`; false when nothing came.
    bool Read(int timeoutMs);

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    std::string partial_;
    std::vector<std::string> lines_;
    bool ready_ = false;
};

}  // namespace padrix::testing
