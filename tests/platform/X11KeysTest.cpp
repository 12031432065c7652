// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <poll.h>

#include <memory>
#include <variant>
#include <vector>

#include "XvfbServer.h"
#include "engine/VirtualKeys.h"
#include "platform/x11/X11Keys.h"
#include "platform/x11/X11Platform.h"

namespace padrix::testing {
namespace {

// Keys pressed by another client on a private display, and the key state
// of a session of our own that follows them.
class PlatformX11Keys : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(xvfb.ok()) << "Xvfb did not start";
        auto opened = x11::OpenX11Session(xvfb.display());
        ASSERT_TRUE(std::holds_alternative<std::shared_ptr<x11::X11Session>>(opened));
        session = std::get<std::shared_ptr<x11::X11Session>>(opened);
        keys = std::make_unique<x11::X11Keys>(session);
        ASSERT_NE(other, nullptr);
    }
    void TearDown() override {
        if (other != nullptr) {
            XCloseDisplay(other);
        }
    }

    // The other client presses or releases the key that types `sym`.
    void Other(KeySym sym, bool down) {
        XTestFakeKeyEvent(other, XKeysymToKeycode(other, sym), down ? True : False, CurrentTime);
        XSync(other, False);
    }
    // Reads every event that has reached our connection and throws it away
    // unseen, as if the events had been lost.
    void LoseEvents() {
        Display* d = session->display();
        XSync(d, False);
        while (XPending(d) > 0) {
            XEvent event;
            XNextEvent(d, &event);
            if (XGetEventData(d, &event.xcookie)) {
                XFreeEventData(d, &event.xcookie);
            }
        }
    }
    // Waits until our connection has something to read, then takes it in.
    bool TakeEventsOnceReadable() {
        pollfd fd{keys->EventFd(), POLLIN, 0};
        return poll(&fd, 1, 5000) == 1 && keys->TakeEvents();
    }

    XvfbServer xvfb{320, 240};
    std::shared_ptr<x11::X11Session> session;
    std::unique_ptr<x11::X11Keys> keys;
    Display* other = XOpenDisplay(xvfb.display().c_str());
};

TEST_F(PlatformX11Keys, KeysOfAnotherClientAreSeenBySideFromEventsWithoutARoundTrip) {
    ASSERT_GE(keys->EventFd(), 0) << "Xvfb has XInput 2";
    struct Case {
        KeySym sym;
        std::vector<std::uint8_t> down;  // the key's own code first
        std::vector<std::uint8_t> up;
    };
    const Case cases[] = {
        {XK_Tab, {vk::Tab}, {vk::Control, vk::Snapshot, vk::Shift}},
        {XK_Control_R, {163, vk::Control}, {162, vk::Tab, vk::Shift}},  // right Ctrl counts as Ctrl
        {XK_Control_L, {162, vk::Control}, {163}},
        {XK_Print, {vk::Snapshot}, {vk::Tab, vk::Shift}},
        {XK_Shift_R, {161, vk::Shift}, {160}},
        {XK_KP_Home, {103}, {vk::Tab}},  // keypad 7
    };
    for (const Case& c : cases) {
        Other(c.sym, true);
        ASSERT_TRUE(TakeEventsOnceReadable()) << c.sym;
        const unsigned long requests = NextRequest(session->display());
        for (std::uint8_t v : c.down) {
            EXPECT_TRUE(keys->IsKeyDown(v)) << c.sym << " held, asking " << int(v);
        }
        for (std::uint8_t v : c.up) {
            EXPECT_FALSE(keys->IsKeyDown(v)) << c.sym << " held, asking " << int(v);
        }
        EXPECT_EQ(NextRequest(session->display()), requests) << "no request to the server";
        Other(c.sym, false);
        ASSERT_TRUE(TakeEventsOnceReadable()) << c.sym;
        EXPECT_FALSE(keys->IsKeyDown(c.down.front())) << c.sym;
        EXPECT_FALSE(keys->TakeEvents()) << "nothing new";
    }
}

TEST_F(PlatformX11Keys, AKeyAlreadyDownAtTheStartIsSeen) {
    Other(XK_Shift_L, true);
    auto opened = x11::OpenX11Session(xvfb.display());
    ASSERT_TRUE(std::holds_alternative<std::shared_ptr<x11::X11Session>>(opened));
    x11::X11Keys late(std::get<std::shared_ptr<x11::X11Session>>(opened));
    EXPECT_TRUE(late.IsKeyDown(vk::Shift));
    Other(XK_Shift_L, false);
}

// A key whose event was lost is found by the next resync.
TEST_F(PlatformX11Keys, AChangeOfTheKeyboardMappingResyncsAfterAMissedEvent) {
    Other(XK_Tab, true);
    LoseEvents();
    EXPECT_FALSE(keys->IsKeyDown(vk::Tab));
    // Another key gets another keysym.
    int minKeycode = 0;
    int maxKeycode = 0;
    XDisplayKeycodes(other, &minKeycode, &maxKeycode);
    KeySym sym = XK_F35;
    XChangeKeyboardMapping(other, maxKeycode, 1, &sym, 1);
    XSync(other, False);
    ASSERT_TRUE(TakeEventsOnceReadable());
    EXPECT_TRUE(keys->IsKeyDown(vk::Tab));
    Other(XK_Tab, false);
}

// Adding a keyboard (here a new master device with its own XTEST keyboard)
// may change what is held: the state is read afresh.
TEST_F(PlatformX11Keys, AKeyboardAddedResyncsAfterAMissedEvent) {
    Other(XK_Tab, true);
    LoseEvents();
    ASSERT_FALSE(keys->IsKeyDown(vk::Tab));
    XIAddMasterInfo add{};
    add.type = XIAddMaster;
    char name[] = "Second";
    add.name = name;
    add.send_core = True;
    add.enable = True;
    XIChangeHierarchy(other, reinterpret_cast<XIAnyHierarchyChangeInfo*>(&add), 1);
    XSync(other, False);
    ASSERT_TRUE(TakeEventsOnceReadable());
    EXPECT_TRUE(keys->IsKeyDown(vk::Tab));
    Other(XK_Tab, false);
}

}  // namespace
}  // namespace padrix::testing
