#pragma once

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

// X types without Xlib's macros, which clash with Qt's and gtest's names.
struct _XDisplay;

namespace padrix::testing {

using XDisplay = _XDisplay;
using XWindowId = unsigned long;

// Waits until `ready` holds, looking again whenever an event arrives on `d`
// (the events are dropped); false after `timeoutMs`.
bool WaitOnX(XDisplay* d, const std::function<bool()>& ready, int timeoutMs);

enum class Seen { kKeyPress, kKeyRelease, kButtonPress, kButtonRelease };

// A key or button event as the window received it.
struct SeenEvent {
    Seen kind;
    unsigned detail = 0;       // keycode or button
    unsigned long keysym = 0;  // unshifted keysym of a key event
    friend bool operator==(const SeenEvent&, const SeenEvent&) = default;
    friend std::ostream& operator<<(std::ostream& os, const SeenEvent& e) {
        return os << "{" << static_cast<int>(e.kind) << " " << e.detail << " " << e.keysym << "}";
    }
};

// A real X client, on a connection of its own, with one mapped top-level
// window that records the key and button events it receives.
class TestWindow {
  public:
    enum class TitleKind { kNetWmName, kWmNameOnly };

    TestWindow(const std::string& display, const std::string& title,
               TitleKind kind = TitleKind::kNetWmName);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    XDisplay* display() const { return display_; }
    XWindowId id() const { return window_; }
    bool mapped() const { return mapped_; }
    int ConnectionFd() const;

    // Gives the window the keyboard focus and puts the pointer over it.
    void TakeFocusAndPointer();
    // Switches the server's key repeat off, so that a held key arrives as one
    // press and a release only when one is sent.
    void StopKeyRepeat();
    bool HasFocus() const;
    // Gives the window a new _NET_WM_NAME; the server has it on return.
    void SetTitle(const std::string& title);

    // The events that arrived before a marker this client sends now. Call once
    // the sender's requests were processed (XSync), so that the list is exactly
    // what was sent.
    std::vector<SeenEvent> Collect();
    // The events that have arrived so far, without waiting.
    std::vector<SeenEvent> Drain();
    // Waits until `ready` holds, looking again whenever an event arrives; the
    // events stay for `ready` to Drain. False after `timeoutMs`.
    bool WaitForEvents(const std::function<bool()>& ready, int timeoutMs);

  private:
    XDisplay* display_ = nullptr;
    XWindowId window_ = 0;
    unsigned long marker_ = 0;
    bool mapped_ = false;
};

}  // namespace padrix::testing
