// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <functional>

#include "TestWindow.h"
#include "XvfbServer.h"
#include "platform/x11/X11ActiveWindowWatch.h"

namespace padrix::testing {
namespace {

// Without a window manager the test plays its part: it sets
// _NET_ACTIVE_WINDOW on the root window itself.
TEST(PlatformX11ActiveWindowWatch, ReportsTheActiveWindowsTitleAsItChanges) {
    XvfbServer xvfb{320, 240};
    ASSERT_TRUE(xvfb.ok());
    const x11::DisplayPtr desk = x11::OpenDisplay(xvfb.display());
    x11::DisplayPtr own = x11::OpenDisplay(xvfb.display());
    Display* watched = own.get();
    x11::X11ActiveWindowWatch watch(std::move(own));
    EXPECT_FALSE(watch.Available()) << "no window manager";
    TestWindow game(xvfb.display(), "Game");
    TestWindow other(xvfb.display(), "Other");
    Display* d = desk.get();
    const Atom active = XInternAtom(d, "_NET_ACTIVE_WINDOW", False);
    const auto activate = [&](Window w) {
        XChangeProperty(d, DefaultRootWindow(d), active, XA_WINDOW, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&w), 1);
        XSync(d, False);
    };
    const auto legacyTitle = [&](Window w, const std::string& latin1) {
        XChangeProperty(d, w, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(latin1.data()),
                        static_cast<int>(latin1.size()));
        XDeleteProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False));
        XSync(d, False);
    };
    activate(game.id());
    ASSERT_EQ(watch.Start(), "Game");

    Window gone = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 10, 10, 0, 0, 0);
    struct Step {
        const char* what;
        std::function<void()> change;
        std::optional<std::string> title;
    };
    const Step steps[] = {
        {"focus moves", [&] { activate(other.id()); }, "Other"},
        {"its title changes", [&] { other.SetTitle("Game - level 2"); }, "Game - level 2"},
        {"the last window's title", [&] { game.SetTitle("Game 3"); }, std::nullopt},
        {"a Latin-1 title", [&] { legacyTitle(other.id(), "Caf\xE9"); }, "Caf\xC3\xA9"},
        {"a long title is cut", [&] { other.SetTitle(std::string(10000, 'x')); },
         std::string(static_cast<std::size_t>(x11::kMaxTitleBytes), 'x')},
        {"a window that is gone",
         [&] {
             XDestroyWindow(d, gone);
             activate(gone);
         },
         ""},
        {"no window", [&] { activate(0); }, ""},
        {"back", [&] { activate(game.id()); }, "Game 3"},
    };
    for (const Step& step : steps) {
        step.change();
        // The server made every change before it answers the watch's
        // connection now, and sent what the watch hears before the answer.
        XSync(watched, False);
        EXPECT_EQ(watch.TakeChange(), step.title) << step.what;
    }
    watch.Stop();
    activate(other.id());
    XSync(watched, False);
    EXPECT_EQ(watch.TakeChange(), std::nullopt) << "stopped";
}

}  // namespace
}  // namespace padrix::testing
