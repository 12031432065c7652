// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/XF86keysym.h>
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <memory>
#include <variant>

#include "TestWindow.h"
#include "XvfbServer.h"
#include "engine/VirtualKeys.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Output.h"
#include "platform/x11/X11Platform.h"

namespace padrix::testing {
namespace {

constexpr unsigned Evdev(unsigned linuxKey) {
    return linuxKey + 8;
}

SeenEvent Press(unsigned keycode, KeySym sym) {
    return {KeyPress, keycode, sym};
}
SeenEvent Release(unsigned keycode, KeySym sym) {
    return {KeyRelease, keycode, sym};
}

// A private display, a session on it for the code under test, and a client
// window with the focus and the pointer.
class X11Fixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_FALSE(xvfb.display().empty()) << "Xvfb did not start";
        auto opened = x11::OpenX11Session(xvfb.display());
        ASSERT_TRUE(std::holds_alternative<std::shared_ptr<x11::X11Session>>(opened));
        session = std::get<std::shared_ptr<x11::X11Session>>(opened);
        window = std::make_unique<TestWindow>(xvfb.display(), "Recorder");
        ASSERT_TRUE(window->mapped());
        window->TakeFocusAndPointer();
        output = std::make_unique<x11::X11Output>(session);
    }

    // What the window received from what was sent so far.
    std::vector<SeenEvent> Received() {
        XSync(session->display(), False);
        return window->Collect();
    }

    XvfbServer xvfb;
    std::shared_ptr<x11::X11Session> session;
    std::unique_ptr<TestWindow> window;
    std::unique_ptr<x11::X11Output> output;
};

using PlatformX11Output = X11Fixture;

TEST_F(PlatformX11Output, KeysArriveAsTheKeyOfTheirKeysym) {
    struct Case {
        std::uint8_t vk;
        unsigned keycode;
        KeySym sym;
    };
    const Case cases[] = {
        {65, Evdev(KEY_A), XK_a},
        {48, Evdev(KEY_0), XK_0},
        {vk::Return, Evdev(KEY_ENTER), XK_Return},
        {vk::Left, Evdev(KEY_LEFT), XK_Left},
        {vk::F1, Evdev(KEY_F1), XK_F1},
        {vk::Control, Evdev(KEY_LEFTCTRL), XK_Control_L},
        {vk::Snapshot, Evdev(KEY_SYSRQ), XK_Print},
        {186, Evdev(KEY_SEMICOLON), XK_semicolon},
        {96, Evdev(KEY_KP0), XK_KP_Insert},  // keypad 0, shown as Insert with Num Lock off
        {163, Evdev(KEY_RIGHTCTRL), XK_Control_R},
        // The layout calls the F13 key XF86Tools: the key itself is sent.
        {124, Evdev(KEY_F13), XF86XK_Tools},
    };
    for (const Case& c : cases) {
        output->KeyEvent(c.vk, 0, kKeyEventDown);
        output->KeyEvent(c.vk, 0, kKeyEventUp);
        EXPECT_EQ(Received(), (std::vector{Press(c.keycode, c.sym), Release(c.keycode, c.sym)}))
            << "vk " << int(c.vk);
    }
}

TEST_F(PlatformX11Output, ScanCodesPickThePhysicalKey) {
    struct Case {
        std::uint8_t vk;
        std::uint8_t scan;
        std::uint32_t flags;
        unsigned keycode;
        KeySym sym;
    };
    const Case cases[] = {
        {65, 0x1E, 0, Evdev(KEY_A), XK_a},
        // Without the extended flag 0x4B is the keypad's 4, as on a PC.
        {vk::Left, 0x4B, 0, Evdev(KEY_KP4), XK_KP_Left},
        {vk::Left, 0x4B, kKeyEventExtended, Evdev(KEY_LEFT), XK_Left},
        // The scan code decides, whatever the virtual key says.
        {66, 0x1E, 0, Evdev(KEY_A), XK_a},
        {vk::Return, 0x1C, kKeyEventExtended, Evdev(KEY_KPENTER), XK_KP_Enter},
    };
    for (const Case& c : cases) {
        output->KeyEvent(c.vk, c.scan, c.flags | kKeyEventDown);
        output->KeyEvent(c.vk, c.scan, c.flags | kKeyEventUp);
        EXPECT_EQ(Received(), (std::vector{Press(c.keycode, c.sym), Release(c.keycode, c.sym)}))
            << "scan " << int(c.scan);
    }
}

TEST_F(PlatformX11Output, KeysWithoutCounterpartAreSkipped) {
    output->KeyEvent(0, 0, kKeyEventDown);      // no such virtual key
    output->KeyEvent(255, 0, kKeyEventDown);    // none either
    output->KeyEvent(65, 0x60, kKeyEventDown);  // a scan code no key sends
    output->KeyEvent(3, 0, kKeyEventDown);      // Break: only Ctrl+Pause types it
    EXPECT_TRUE(Received().empty());
}

TEST_F(PlatformX11Output, BurstArrivesCompleteAndInOrder) {
    for (int i = 0; i < 12; ++i) {
        output->KeyEvent(74, 0, kKeyEventDown);
        output->KeyEvent(74, 0, kKeyEventUp);
    }
    std::vector<SeenEvent> expected;
    for (int i = 0; i < 12; ++i) {
        expected.push_back(Press(Evdev(KEY_J), XK_j));
        expected.push_back(Release(Evdev(KEY_J), XK_j));
    }
    EXPECT_EQ(Received(), expected);
}

TEST_F(PlatformX11Output, MouseButtonsClickWhereThePointerIs) {
    output->MouseButton(kMouseLeftDown);
    output->MouseButton(kMouseLeftUp);
    output->MouseButton(kMouseRightDown);
    output->MouseButton(kMouseRightUp);
    EXPECT_EQ(Received(), (std::vector<SeenEvent>{{ButtonPress, Button1, 0},
                                                  {ButtonRelease, Button1, 0},
                                                  {ButtonPress, Button3, 0},
                                                  {ButtonRelease, Button3, 0}}));
}

TEST_F(PlatformX11Output, PointerIsSetAndReadInScreenPixels) {
    output->SetCursorPos({123, 45});
    EXPECT_EQ(output->GetCursorPos(), (ScreenPoint{123, 45}));
    Window root = 0;
    Window child = 0;
    int x = 0;
    int y = 0;
    int wx = 0;
    int wy = 0;
    unsigned mask = 0;
    Display* other = window->display();
    XQueryPointer(other, DefaultRootWindow(other), &root, &child, &x, &y, &wx, &wy, &mask);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);
}

TEST_F(PlatformX11Output, ScrollLockIndicatorFollowsTheTableAndNothingElseChanges) {
    Display* other = window->display();
    const Atom scroll = XInternAtom(other, "Scroll Lock", False);
    const auto indicator = [&] {
        Bool on = False;
        XkbGetNamedIndicator(other, scroll, nullptr, &on, nullptr, nullptr);
        return on == True;
    };
    const KeyboardStateTable before = output->GetKeyboardState();
    for (bool on : {true, false, true, false}) {
        KeyboardStateTable table = before;
        table[vk::ScrollLock] = on ? 1 : 0;
        table[vk::Capital] = 1;  // asks for Caps Lock too: must be left alone
        output->SetKeyboardState(table);
        XSync(session->display(), False);
        EXPECT_EQ(indicator(), on);
        const KeyboardStateTable after = output->GetKeyboardState();
        EXPECT_EQ(after[vk::ScrollLock], on ? 1 : 0);
        EXPECT_EQ(after[vk::Capital], before[vk::Capital]);
        EXPECT_EQ(after[vk::NumLock], before[vk::NumLock]);
    }
}

TEST_F(PlatformX11Output, DestroyingTheOutputReleasesWhatItHolds) {
    output->KeyEvent(75, 0, kKeyEventDown);
    output->MouseButton(kMouseLeftDown);
    output.reset();
    EXPECT_EQ(Received(), (std::vector<SeenEvent>{Press(Evdev(KEY_K), XK_k),
                                                  {ButtonPress, Button1, 0},
                                                  Release(Evdev(KEY_K), XK_k),
                                                  {ButtonRelease, Button1, 0}}));
}

using PlatformX11Keys = X11Fixture;

TEST_F(PlatformX11Keys, HeldKeysAreSeenBySide) {
    x11::X11Keys keys(session, std::chrono::microseconds(0));
    struct Case {
        std::uint8_t held;
        std::vector<std::uint8_t> down;
        std::vector<std::uint8_t> up;
    };
    const Case cases[] = {
        {vk::Tab, {vk::Tab}, {vk::Control, vk::Snapshot, vk::Shift}},
        {163, {vk::Control, 163}, {162, vk::Tab}},  // right Ctrl counts as Ctrl
        {162, {vk::Control, 162}, {163}},
        {vk::Snapshot, {vk::Snapshot}, {vk::Tab}},
        {161, {vk::Shift, 161}, {160}},
        {103, {103}, {vk::Tab}},  // keypad 7
    };
    for (const Case& c : cases) {
        output->KeyEvent(c.held, 0, kKeyEventDown);
        XSync(session->display(), False);
        for (std::uint8_t v : c.down) {
            EXPECT_TRUE(keys.IsKeyDown(v)) << int(c.held) << " held, asking " << int(v);
        }
        for (std::uint8_t v : c.up) {
            EXPECT_FALSE(keys.IsKeyDown(v)) << int(c.held) << " held, asking " << int(v);
        }
        output->KeyEvent(c.held, 0, kKeyEventUp);
        XSync(session->display(), False);
        EXPECT_FALSE(keys.IsKeyDown(c.held));
    }
}

TEST_F(PlatformX11Keys, EveryNamedKeyHasAKeyOnTheXKeyboard) {
    // Every code the configuration dialog gives a name to.
    std::vector<int> named = {8,   9,   13,  16,  17,  18,  19,  20,  45,  46,  106, 107, 109, 110,
                              111, 144, 145, 186, 187, 188, 189, 190, 191, 192, 219, 220, 221, 222};
    for (int v = 32; v <= 40; ++v)
        named.push_back(v);
    for (int v = 48; v <= 57; ++v)
        named.push_back(v);
    for (int v = 65; v <= 90; ++v)
        named.push_back(v);
    for (int v = 96; v <= 105; ++v)
        named.push_back(v);
    for (int v = 112; v <= 127; ++v)
        named.push_back(v);
    for (int v : named) {
        EXPECT_NE(session->keys().keycodeOfVk[static_cast<std::size_t>(v)], 0) << "vk " << v;
    }
}

}  // namespace
}  // namespace padrix::testing
