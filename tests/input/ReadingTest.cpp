#include "InputRig.h"

namespace padrix::testing {
namespace {

using InputReading = InputRig;

TEST_F(InputReading, AxesMapOntoZeroTo65535WithSdlZeroAtTheCentre) {
    auto& device = Plug("Stick");
    auto pad = Open(1);
    struct Case {
        Sint16 sdl;
        std::int32_t read;
    };
    for (Case c :
         {Case{-32768, 0}, Case{-1, 32767}, Case{0, 32768}, Case{1, 32769}, Case{32767, 65535}}) {
        SCOPED_TRACE(c.sdl);
        device.SetAxis(0, c.sdl);
        device.SetAxis(1, c.sdl);
        const JoyState s = ReadOk(*pad);
        EXPECT_EQ(s.x, c.read);
        EXPECT_EQ(s.y, c.read);
    }
}

TEST_F(InputReading, MissingAxesReadAsCentred) {
    for (int axes : {0, 1}) {
        SCOPED_TRACE(axes);
        pads.clear();
        PadSetup setup;
        setup.axes = axes;
        auto& device = Plug(setup);
        if (axes > 0) {
            device.SetAxis(0, -32768);
        }
        auto pad = Open(1);
        const JoyState s = ReadOk(*pad);
        EXPECT_EQ(s.x, axes > 0 ? 0 : kAxisCentre);
        EXPECT_EQ(s.y, kAxisCentre);
    }
}

TEST_F(InputReading, EveryButtonByteIsWrittenEachRead) {
    auto& device = Plug("Buttons");
    device.SetButton(0, true);
    device.SetButton(11, true);
    auto pad = Open(1);
    JoyState s = ReadOk(*pad);
    for (int b = 0; b < kJoyStateButtons; ++b) {
        EXPECT_EQ(s.buttons[static_cast<std::size_t>(b)], b == 0 || b == 11 ? 0x80 : 0)
            << "button " << b;
    }
    device.SetButton(0, false);
    s = ReadOk(*pad);
    EXPECT_EQ(s.buttons[0], 0);
    EXPECT_EQ(s.buttons[11], 0x80);
}

TEST_F(InputReading, HatDirectionsCountWhereTheStickRests) {
    PadSetup setup;
    setup.hats = 1;
    auto& device = Plug(setup);
    auto pad = Open(1);
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
        SCOPED_TRACE(::testing::Message()
                     << "hat " << int(c.hat) << " stick " << c.stickX << "," << c.stickY);
        device.SetHat(c.hat);
        device.SetAxis(0, c.stickX);
        device.SetAxis(1, c.stickY);
        const JoyState s = ReadOk(*pad);
        EXPECT_EQ(s.x, c.x);
        EXPECT_EQ(s.y, c.y);
    }
}

TEST_F(InputReading, TwoOpensOfOneControllerAreIndependent) {
    auto& device = Plug("Shared");
    for (bool closeExclusive : {true, false}) {
        SCOPED_TRACE(closeExclusive);
        auto exclusive = Open(1, true);
        auto shared = Open(1, false);
        (closeExclusive ? exclusive : shared).reset();
        Joypad& left = closeExclusive ? *shared : *exclusive;
        device.SetButton(2, true);
        EXPECT_EQ(ReadOk(left).buttons[2], 0x80);
        device.SetButton(2, false);
        EXPECT_EQ(ReadOk(left).buttons[2], 0);
    }
}

TEST(InputLifetime, JoypadsKeepSdlRunningAfterTheAccessIsGone) {
    fakes::ManualClock clock;
    auto access = std::make_unique<SdlControllerAccess>(clock);
    ASSERT_TRUE(access->StartDirectInput());
    if (SDL_NumJoysticks() > 0) {
        GTEST_SKIP() << "real controllers are attached to this machine";
    }
    std::unique_ptr<Joypad> pad;
    VirtualPad device{PadSetup{}};
    pad = access->OpenJoypad(1, true);
    ASSERT_NE(pad, nullptr);
    access.reset();
    device.SetButton(1, true);
    JoyState s;
    EXPECT_TRUE(pad->Read(s));
    EXPECT_EQ(s.buttons[1], 0x80);
}

}  // namespace
}  // namespace padrix::testing
