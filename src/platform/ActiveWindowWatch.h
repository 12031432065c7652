#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace padrix {

// The Wayland protocol by which a compositor tells which window is active.
inline constexpr std::string_view kToplevelListProtocol = "wlr-foreign-toplevel-management";

// Tells which window has the focus: its title whenever the focus moves or
// the focused window's title changes. Stopped, it hears of nothing at all.
class ActiveWindowWatch {
  public:
    virtual ~ActiveWindowWatch() = default;

    // Whether the desktop tells which window is active (a window manager
    // that keeps _NET_ACTIVE_WINDOW). Asks the desktop each time.
    virtual bool Available() = 0;
    // The compositor's protocol that Available() looks for on Wayland, to
    // name to the user; empty on X.
    virtual std::string_view NeededProtocol() const { return {}; }
    // Readable when something may have changed; -1 without one.
    virtual int Descriptor() const = 0;
    // Starts hearing of changes and returns the focused window's title now.
    virtual std::string Start() = 0;
    virtual void Stop() = 0;
    // Handles what arrived, without waiting: the focused window's title when
    // the focus or that title changed since the last call, else nothing.
    virtual std::optional<std::string> TakeChange() = 0;
};

// For sessions that do not tell which window is active.
class NoActiveWindowWatch : public ActiveWindowWatch {
  public:
    bool Available() override { return false; }
    int Descriptor() const override { return -1; }
    std::string Start() override { return {}; }
    void Stop() override {}
    std::optional<std::string> TakeChange() override { return std::nullopt; }
};

}  // namespace padrix
