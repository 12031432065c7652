// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>

#include <algorithm>
#include <memory>
#include <variant>

#include "TestWindow.h"
#include "XvfbServer.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11WindowActivator.h"
#include "platform/x11/X11Windows.h"

namespace padrix::testing {
namespace {

// One private display per test; with the parameter set, jwm manages it.
class PlatformX11Activation : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        ASSERT_TRUE(xvfb.ok());
        watcher = x11::OpenDisplay(xvfb.display());
        ASSERT_TRUE(watcher);
        XSelectInput(watcher.get(), DefaultRootWindow(watcher.get()), PropertyChangeMask);
        windows = std::make_unique<x11::X11Windows>(watcher.get());
        if (GetParam()) {
            jwm = std::make_unique<Child>(std::vector<std::string>{
                "jwm", "-display", xvfb.display(), "-f", "/etc/jwm/system.jwmrc"});
            ASSERT_TRUE(WaitOnX(
                watcher.get(), [this] { return windows->ManagerSupportsActivation(); }, 20000))
                << "jwm did not start";
        }
        session = std::get<std::shared_ptr<x11::X11Session>>(x11::OpenX11Session(xvfb.display()));
        activator = std::make_unique<x11::X11WindowActivator>(session);
    }

    // Opens a window and waits until it is a top-level window of the desktop
    // (under a window manager: until it is managed).
    XWindowId Open(const std::string& title,
                   TestWindow::TitleKind kind = TestWindow::TitleKind::kNetWmName) {
        const TestWindow& w =
            *opened.emplace_back(std::make_unique<TestWindow>(xvfb.display(), title, kind));
        EXPECT_TRUE(w.mapped());
        EXPECT_TRUE(WaitOnX(
            watcher.get(),
            [&] {
                const auto all = windows->TopLevelWindows();
                return std::find(all.begin(), all.end(), w.id()) != all.end();
            },
            10000));
        return w.id();
    }

    Window Focused() {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(watcher.get(), &focus, &revert);
        return focus;
    }

    XvfbServer xvfb{640, 480};
    x11::DisplayPtr watcher;
    std::unique_ptr<x11::X11Windows> windows;
    std::unique_ptr<Child> jwm;
    std::shared_ptr<x11::X11Session> session;
    std::unique_ptr<x11::X11WindowActivator> activator;
    std::vector<std::unique_ptr<TestWindow>> opened;
};

TEST_P(PlatformX11Activation, ExactTitlesWinOverPrefixesAndMissingOnesAreReported) {
    const XWindowId other = Open("Other");
    const XWindowId two = Open("Game Two");
    ASSERT_TRUE(activator->ActivateByTitle("Game"));
    EXPECT_EQ(Focused(), two) << "a prefix finds the window";

    const XWindowId game = Open("Game");
    const XWindowId cafe = Open("Caf\xE9 Game", TestWindow::TitleKind::kWmNameOnly);  // Latin-1
    // A _NET_WM_NAME of another type than UTF8_STRING gives no text: WM_NAME counts.
    const XWindowId typed = Open("Typed", TestWindow::TitleKind::kWmNameOnly);
    const unsigned char latin1[] = "Mistyped";
    XChangeProperty(watcher.get(), typed, windows->atom("_NET_WM_NAME"), XA_STRING, 8,
                    PropModeReplace, latin1, sizeof latin1 - 1);
    XSync(watcher.get(), False);
    const std::pair<const char*, XWindowId> found[] = {{"Game", game},
                                                       {"Game Two", two},
                                                       {"Caf\xC3\xA9", cafe},
                                                       {"Typed", typed},
                                                       {"Other", other}};
    for (auto [title, id] : found) {
        ASSERT_TRUE(activator->ActivateByTitle(title)) << title;
        EXPECT_EQ(Focused(), id) << title;
    }
    for (const char* missing : {"Gamer", "Other window", ""}) {
        EXPECT_FALSE(activator->ActivateByTitle(missing)) << missing;
    }
    EXPECT_EQ(Focused(), other) << "a failed search changes nothing";
}

INSTANTIATE_TEST_SUITE_P(WindowManager, PlatformX11Activation, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Jwm" : "NoManager"; });

}  // namespace
}  // namespace padrix::testing
