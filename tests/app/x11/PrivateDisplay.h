#pragma once

#include <string>
#include <utility>
#include <vector>

#include "TestWindow.h"
#include "XvfbServer.h"

namespace padrix::testing {

// A private X server and one connection for looking at the windows on it.
class PrivateDisplay {
  public:
    PrivateDisplay();
    ~PrivateDisplay();
    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    bool ok() const { return dpy_ != nullptr; }
    const std::string& name() const { return server_.display(); }
    Environment Env() const { return server_.Env(); }
    // Env() for the real program with its own folders under `root`, made
    // here (config, a private runtime, home and an empty Wine prefix), on the
    // xcb platform, in the C locale (LANG=C.UTF-8, no LC_ALL or LC_MESSAGES).
    Environment ProgramEnv(const std::string& root) const;

    // Whether a notification area owns the tray selection.
    bool HasNotificationArea();

    struct Shown {
        XWindowId id;
        bool topLevel;  // a child of the root window
        bool overrideRedirect;
    };
    // Every viewable window whose WM_CLASS names `resClass` or whose WM_NAME is `title`.
    std::vector<Shown> Viewable(const std::string& resClass, const std::string& title = {});
    // A viewable window of that class inside another (an icon embedded in the
    // notification area), 0 when there is none.
    XWindowId EmbeddedByClass(const std::string& resClass);
    // The window's centre in root coordinates.
    std::pair<int, int> Centre(XWindowId w);
    // xdotool on this display; true when it succeeded.
    bool Xdotool(const std::vector<std::string>& args);

  private:
    void Collect(XWindowId w, XWindowId parent, const std::string& resClass,
                 const std::string& title, std::vector<Shown>& out);

    XvfbServer server_;
    XDisplay* dpy_ = nullptr;
};

}  // namespace padrix::testing
