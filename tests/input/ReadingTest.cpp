#include "InputRig.h"

namespace padrix::testing {
namespace {

using InputReading = InputRig;

TEST_F(InputReading, JoypadsFollowTheEnumerationOrderWithTheirNames) {
    Plug("Alpha");
    Plug("Bravo").SetButton(3, true);
    Plug("Charlie");
    EXPECT_EQ(access.CountJoypads(), 3);
    const std::pair<int, const char*> names[] = {
        {1, "Alpha"}, {2, "Bravo"}, {3, "Charlie"}, {5, ""}, {4, ""}, {0, ""}, {-1, ""}};
    for (auto [n, name] : names) {
        EXPECT_EQ(access.GetJoypadName(n), name) << n;
        EXPECT_EQ(access.OpenJoypad(n, true) != nullptr, *name != '\0') << n;
    }
    EXPECT_EQ(ReadOk(*Open(1)).buttons[3], 0);
    EXPECT_EQ(ReadOk(*Open(2)).buttons[3], 0x80);
}

// The record holds 128 buttons; every byte is written on each read.
TEST_F(InputReading, ButtonCountsAndEveryButtonByte) {
    for (auto [reported, count] : {std::pair{12, 12}, {0, 0}, {1, 1}, {200, 128}}) {
        SCOPED_TRACE(reported);
        pads.clear();
        VirtualPad& device = Plug(PadSetup{.buttons = reported});
        device.SetButton(0, true);
        device.SetButton(count - 1, true);
        auto pad = Open(1);
        ASSERT_NE(pad, nullptr);
        EXPECT_EQ(pad->ButtonCount(), count);
        const JoyState s = ReadOk(*pad);
        for (int b = 0; b < kJoyStateButtons; ++b) {
            const bool down = count > 0 && (b == 0 || b == count - 1);
            ASSERT_EQ(s.buttons[static_cast<std::size_t>(b)], down ? 0x80 : 0) << "button " << b;
        }
    }
}

TEST_F(InputReading, AxesMapOntoZeroTo65535AndMissingOnesAreCentred) {
    auto& device = Plug("Stick");
    auto pad = Open(1);
    pad->SetDeadZone(0);
    for (auto [sdl, read] : {std::pair<Sint16, std::int32_t>{-32768, 0},
                             {-1, 32767},
                             {0, 32768},
                             {1, 32769},
                             {32767, 65535}}) {
        device.SetAxis(0, sdl);
        device.SetAxis(1, sdl);
        const JoyState s = ReadOk(*pad);
        EXPECT_EQ(s.x, read) << sdl;
        EXPECT_EQ(s.y, read) << sdl;
    }
    for (int axes : {0, 1}) {
        pads.clear();
        Plug(PadSetup{.axes = axes}).SetAxis(0, -32768);
        const JoyState s = ReadOk(*Open(1));
        EXPECT_EQ(s.x, axes > 0 ? 0 : kAxisCentre) << axes;
        EXPECT_EQ(s.y, kAxisCentre) << axes;
    }
}

TEST_F(InputReading, HatDirectionsCountWhereTheStickRests) {
    auto& device = Plug(PadSetup{.hats = 1});
    auto pad = Open(1);
    pad->SetDeadZone(0);
    struct Case {
        Uint8 hat;
        Sint16 stickX, stickY;
        std::int32_t x, y;
    };
    const Case cases[] = {
        {SDL_HAT_CENTERED, 0, 0, 32768, 32768},
        {SDL_HAT_LEFT, 0, 0, 0, 32768},
        {SDL_HAT_RIGHT, 0, 0, 65535, 32768},
        {SDL_HAT_UP, 0, 0, 32768, 0},
        {SDL_HAT_DOWN, 0, 0, 32768, 65535},
        {SDL_HAT_LEFTUP, 0, 0, 0, 0},
        {SDL_HAT_RIGHTDOWN, 0, 0, 65535, 65535},
        // The stick wins on an axis it moves; the hat keeps the other.
        {SDL_HAT_LEFT, 20000, 0, 52768, 32768},
        {SDL_HAT_RIGHTUP, -1, 0, 32767, 0},
        {SDL_HAT_DOWN, 0, -32768, 32768, 0},
        {SDL_HAT_CENTERED, 5, -5, 32773, 32763},
    };
    for (const Case& c : cases) {
        device.SetHat(c.hat);
        device.SetAxis(0, c.stickX);
        device.SetAxis(1, c.stickY);
        const JoyState s = ReadOk(*pad);
        EXPECT_EQ(std::pair(s.x, s.y), std::pair(c.x, c.y))
            << "hat " << int(c.hat) << " stick " << c.stickX << "," << c.stickY;
    }
}

TEST(InputLifetime, NothingBeforeTheStartAndJoypadsOutliveTheAccess) {
    fakes::ManualClock clock;
    auto access = std::make_unique<SdlControllerAccess>(clock);
    EXPECT_EQ(access->CountJoypads(), 0);
    EXPECT_EQ(access->OpenJoypad(1, true), nullptr);
    EXPECT_EQ(access->GetJoypadName(1), "");
    EXPECT_FALSE(access->Describe(1).has_value());
    ASSERT_TRUE(access->Start());
    ASSERT_TRUE(access->Start()) << "starting again changes nothing";
    if (SDL_NumJoysticks() > 0) {
        GTEST_SKIP() << "real controllers are attached to this machine";
    }
    VirtualPad device{PadSetup{}};
    std::unique_ptr<Joypad> pad = access->OpenJoypad(1, true);
    ASSERT_NE(pad, nullptr);
    access.reset();
    device.SetButton(1, true);
    JoyState s;
    EXPECT_TRUE(pad->Read(s));
    EXPECT_EQ(s.buttons[1], 0x80);
}

}  // namespace
}  // namespace padrix::testing
