// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <memory>
#include <variant>
#include <vector>

#include "TestWindow.h"
#include "XvfbServer.h"
#include "engine/VirtualKeys.h"
#include "platform/keycodes/KeyCodes.h"
#include "platform/x11/X11Output.h"
#include "platform/x11/X11Platform.h"

namespace padrix::testing {
namespace {

constexpr unsigned Evdev(unsigned linuxKey) {
    return linuxKey + 8;
}

std::vector<SeenEvent> PressRelease(unsigned keycode, KeySym sym) {
    return {{Seen::kKeyPress, keycode, sym}, {Seen::kKeyRelease, keycode, sym}};
}

// A private display, a session on it for the code under test, and a client
// window with the focus and the pointer.
class PlatformX11Output : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(xvfb.ok()) << "Xvfb did not start";
        auto opened = x11::OpenX11Session(xvfb.display());
        ASSERT_TRUE(std::holds_alternative<std::shared_ptr<x11::X11Session>>(opened));
        session = std::get<std::shared_ptr<x11::X11Session>>(opened);
        ASSERT_TRUE(window.mapped());
        window.TakeFocusAndPointer();
        output = std::make_unique<x11::X11Output>(session);
    }

    // What the window received from what was sent so far.
    std::vector<SeenEvent> Received() {
        XSync(session->display(), False);
        return window.Collect();
    }

    XvfbServer xvfb{640, 480};
    std::shared_ptr<x11::X11Session> session;
    TestWindow window{xvfb.display(), "Recorder"};
    std::unique_ptr<x11::X11Output> output;
};

// Every key of the table goes out as its own key on the server's US layout,
// the one its Linux key code names; in MS-DOS mode the scan code names the key.
TEST_F(PlatformX11Output, KeysArriveAsTheirOwnKeyOrInMsDosModeAsThePhysicalKey) {
    struct Case {
        std::uint8_t vk;
        std::uint8_t scan;
        unsigned linuxKey;  // 0: nothing arrives
    };
    std::vector<Case> cases;
    for (const keycodes::KeyCodes& k : keycodes::AllKeys()) {
        cases.push_back({k.vk, 0, k.linuxKey});  // Break is typed only as Ctrl+Pause
    }
    // A key's own code is its own key; 0x4B alone is otherwise the keypad's 4.
    cases.insert(cases.end(), {{66, 0x1E, KEY_A},
                               {vk::Left, 0x4B, KEY_LEFT},
                               {vk::Home, 0x4B, KEY_KP4},
                               {65, 0x60, 0},
                               {0, 0, 0},
                               {255, 0, 0}});
    for (const Case& c : cases) {
        output->SendKey(c.vk, true, c.scan);
        output->SendKey(c.vk, false, c.scan);
        const std::vector<SeenEvent> seen = Received();
        const unsigned long sym = seen.empty() ? 0 : seen[0].keysym;  // the server's name for it
        EXPECT_EQ(seen,
                  c.linuxKey != 0 ? PressRelease(Evdev(c.linuxKey), sym) : std::vector<SeenEvent>{})
            << "vk " << int(c.vk) << " scan " << int(c.scan);
    }
}

TEST_F(PlatformX11Output, ClicksArriveAndWhatIsHeldAtTheEndIsReleased) {
    output->SendMouseButton(MouseButton::kLeft, true);
    output->SendMouseButton(MouseButton::kLeft, false);
    output->SendMouseButton(MouseButton::kRight, true);
    output->SendMouseButton(MouseButton::kRight, false);
    EXPECT_EQ(Received(), (std::vector<SeenEvent>{{Seen::kButtonPress, Button1},
                                                  {Seen::kButtonRelease, Button1},
                                                  {Seen::kButtonPress, Button3},
                                                  {Seen::kButtonRelease, Button3}}));
    // A key goes up as the key it went down as, MS-DOS mode ended or not.
    output->SendKey(vk::Home, true, 0x4B);
    output->SendKey(vk::Home, true, 0);  // the held key again: the server drops it
    output->SendKey(vk::Home, false, 0);
    EXPECT_EQ(Received(), PressRelease(Evdev(KEY_KP4), XK_KP_Left));
    output->SendKey(75, true, 0);
    output->SendMouseButton(MouseButton::kLeft, true);
    output.reset();
    EXPECT_EQ(Received(), (std::vector<SeenEvent>{{Seen::kKeyPress, Evdev(KEY_K), XK_k},
                                                  {Seen::kButtonPress, Button1},
                                                  {Seen::kKeyRelease, Evdev(KEY_K), XK_k},
                                                  {Seen::kButtonRelease, Button1}}));
}

TEST_F(PlatformX11Output, PointerIsSetAndReadInScreenPixels) {
    output->MovePointer({123, 45});
    EXPECT_EQ(output->PointerPosition(), (ScreenPoint{123, 45}));
    Window root = 0, child = 0;
    int x = 0, y = 0, wx = 0, wy = 0;
    unsigned mask = 0;
    Display* other = window.display();
    XQueryPointer(other, DefaultRootWindow(other), &root, &child, &x, &y, &wx, &wy, &mask);
    EXPECT_EQ(std::pair(x, y), std::pair(123, 45));
}

TEST_F(PlatformX11Output, ScrollLockIndicatorFollowsTheLight) {
    Display* other = window.display();
    const Atom scroll = XInternAtom(other, "Scroll Lock", False);
    for (bool on : {true, false, true, false}) {
        output->SetScrollLockLight(on);
        XSync(session->display(), False);
        Bool lit = False;
        XkbGetNamedIndicator(other, scroll, nullptr, &lit, nullptr, nullptr);
        EXPECT_EQ(lit == True, on);
        EXPECT_EQ(output->ScrollLockLight(), on);
    }
}

}  // namespace
}  // namespace padrix::testing
