#pragma once

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace padrix::x11 {

inline constexpr long kMaxTitleBytes = 4096;

// Reads window properties of any client; every read survives windows that
// vanish meanwhile.
class X11Windows {
  public:
    explicit X11Windows(Display* display);

    // The top-level client windows: the window manager's client list where
    // it keeps one, else the mapped children of the root window (or, inside
    // a frame, the client window that carries WM_STATE).
    std::vector<Window> TopLevelWindows() const;

    // _NET_WM_NAME, else WM_NAME, as UTF-8; empty when the window has none.
    // At most kMaxTitleBytes of it are read.
    std::string Title(Window w) const;

    // Whether a running window manager announces _NET_ACTIVE_WINDOW.
    bool ManagerSupportsActivation() const;

    std::optional<long> CardinalProperty(Window w, Atom name) const;
    std::vector<Window> WindowListProperty(Window w, Atom name) const;

    Atom atom(const char* name) const { return XInternAtom(display_, name, False); }

  private:
    std::optional<std::string> Utf8Name(Window w) const;
    std::string LegacyName(Window w) const;
    std::optional<Window> ClientIn(Window frame, int depth) const;
    bool HasProperty(Window w, Atom name) const;

    Display* display_;
    Window root_;
};

// The window whose title equals `title`, else the first whose title begins
// with it; nothing for an empty title.
std::optional<Window> FindByTitle(const X11Windows& windows, std::string_view title);

}  // namespace padrix::x11
