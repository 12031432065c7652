#pragma once

#include <X11/Xlib.h>

#include <functional>
#include <string>
#include <vector>

#include "SoakLedger.h"

namespace padrix::testing {

// The chaos run's side of the X server, on one connection so that all it
// sees comes in the server's order: windows titled like stored profiles (and
// one that matches none) that log the keys and buttons they receive, and
// the raw key and button events of the whole server (XInput2), whoever sent
// them and wherever they went.
class ChaosDesk {
  public:
    ChaosDesk(const std::string& display, const std::vector<std::string>& titles);
    ~ChaosDesk();
    ChaosDesk(const ChaosDesk&) = delete;
    ChaosDesk& operator=(const ChaosDesk&) = delete;

    bool ok() const { return display_ != nullptr && rawEvents_; }
    Display* display() const { return display_; }
    const std::vector<Window>& windows() const { return windows_; }

    // Takes what has arrived; `note` hears each event as a line.
    void Take(const std::function<void(const std::string&)>& note);
    // The raw events of the server: every key that went down must come up.
    const SoakLedger& server() const { return server_; }
    // What the windows received.
    const SoakLedger& received() const { return received_; }

  private:
    void TakeRaw(XEvent& event, const std::function<void(const std::string&)>& note);

    Display* display_ = nullptr;
    std::vector<Window> windows_;
    int xiOpcode_ = 0;
    bool rawEvents_ = false;
    SoakLedger server_;
    SoakLedger received_;
};

}  // namespace padrix::testing
