// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/extensions/XTest.h>

#include <memory>
#include <optional>
#include <variant>

#include "TestWindow.h"
#include "XvfbServer.h"
#include "platform/x11/X11Platform.h"
#include "platform/x11/X11WindowActivator.h"
#include "platform/x11/X11Windows.h"

namespace padrix::testing {
namespace {

// Starts the window manager and waits until it has announced itself.
std::unique_ptr<ChildProcess> StartJwm(const std::string& display, Display* watcher) {
    auto jwm = std::make_unique<ChildProcess>(
        std::vector<std::string>{"jwm", "-display", display, "-f", "/etc/jwm/system.jwmrc"});
    const Window root = DefaultRootWindow(watcher);
    XSelectInput(watcher, root, PropertyChangeMask);
    const x11::X11Windows windows(watcher);
    const bool ready = WaitOnX(
        watcher, [&] { return windows.ManagerSupportsActivation(); }, 20000ms);
    return ready ? std::move(jwm) : nullptr;
}

// One private display per test; `withManager` runs jwm on it.
class PlatformX11Activation : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xvfb.display().empty());
        watcher = x11::OpenDisplay(xvfb.display());
        ASSERT_TRUE(watcher);
        if (GetParam()) {
            jwm = StartJwm(xvfb.display(), watcher.get());
            ASSERT_TRUE(jwm) << "jwm did not start";
        }
        session = std::get<std::shared_ptr<x11::X11Session>>(x11::OpenX11Session(xvfb.display()));
        activator = std::make_unique<x11::X11WindowActivator>(session);
    }

    // Opens a window and, under a window manager, waits until it manages it.
    TestWindow& Open(const std::string& title,
                     TestWindow::TitleKind kind = TestWindow::TitleKind::kNetWmName) {
        windows.push_back(std::make_unique<TestWindow>(xvfb.display(), title, kind));
        TestWindow& w = *windows.back();
        EXPECT_TRUE(w.mapped());
        if (GetParam()) {
            const x11::X11Windows list(watcher.get());
            const Atom clients = XInternAtom(watcher.get(), "_NET_CLIENT_LIST", False);
            EXPECT_TRUE(WaitOnX(
                watcher.get(),
                [&] {
                    for (Window c :
                         list.WindowListProperty(DefaultRootWindow(watcher.get()), clients)) {
                        if (c == w.id()) {
                            return true;
                        }
                    }
                    return false;
                },
                10000ms));
        }
        return w;
    }

    Window Focused() {
        Window focus = 0;
        int revert = 0;
        XGetInputFocus(watcher.get(), &focus, &revert);
        return focus;
    }

    XvfbServer xvfb;
    x11::DisplayPtr watcher;
    std::unique_ptr<ChildProcess> jwm;
    std::shared_ptr<x11::X11Session> session;
    std::unique_ptr<x11::X11WindowActivator> activator;
    std::vector<std::unique_ptr<TestWindow>> windows;
};

TEST_P(PlatformX11Activation, ExactTitleWinsOverAPrefix) {
    TestWindow& longer = Open("Game Two");
    TestWindow& exact = Open("Game");
    Open("Other");
    ASSERT_TRUE(activator->ActivateByTitle("Game"));
    EXPECT_EQ(Focused(), exact.id());
    ASSERT_TRUE(activator->ActivateByTitle("Game Two"));
    EXPECT_EQ(Focused(), longer.id());
}

TEST_P(PlatformX11Activation, APrefixFindsTheWindow) {
    Open("Other");
    TestWindow& two = Open("Game Two");
    ASSERT_TRUE(activator->ActivateByTitle("Game"));
    EXPECT_EQ(Focused(), two.id());
}

TEST_P(PlatformX11Activation, MissingTitlesAreReported) {
    TestWindow& other = Open("Other");
    other.TakeFocusAndPointer();
    EXPECT_FALSE(activator->ActivateByTitle("Game"));
    EXPECT_FALSE(activator->ActivateByTitle("Other window"));  // longer than any title
    EXPECT_FALSE(activator->ActivateByTitle(""));
    EXPECT_EQ(Focused(), other.id());
}

TEST_P(PlatformX11Activation, LegacyLatin1TitlesAreRead) {
    TestWindow& cafe = Open("Caf\xE9 Game", TestWindow::TitleKind::kWmNameOnly);
    ASSERT_TRUE(activator->ActivateByTitle("Caf\xC3\xA9"));  // UTF-8
    EXPECT_EQ(Focused(), cafe.id());
}

TEST_P(PlatformX11Activation, KeysSentAfterActivationReachTheWindow) {
    TestWindow& game = Open("Game");
    Open("Other").TakeFocusAndPointer();
    ASSERT_TRUE(activator->ActivateByTitle("Game"));
    XTestFakeKeyEvent(session->display(), 36, True, CurrentTime);  // Return
    XTestFakeKeyEvent(session->display(), 36, False, CurrentTime);
    XSync(session->display(), False);
    const auto seen = game.Collect();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].type, KeyPress);
}

INSTANTIATE_TEST_SUITE_P(WindowManager, PlatformX11Activation, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Jwm" : "NoManager"; });

}  // namespace
}  // namespace padrix::testing
