#include "InputRig.h"
#include "input/PadReading.h"

namespace padrix::testing {
namespace {

TEST(InputDeadZone, InsideReadsTheCentreOutsidePassesUnchanged) {
    struct Case {
        std::int32_t value;
        int percent;
        std::int32_t read;
    };
    const Case cases[] = {
        {32768 + 8192, 25, 32768},  // exactly at the edge: inside
        {32768 - 8192, 25, 32768},
        {32768 + 8193, 25, 32768 + 8193},
        {32768 - 8193, 25, 32768 - 8193},
        {32769, 0, 32769},  // 0: only the exact centre
        {32767, 0, 32767},
        {32768, 0, 32768},
        {0, 99, 0},  // a digital pad's ends stay outside below 100
        {65535, 99, 65535},
        {0, 50, 0},
        {65535, 50, 65535},
        {0, 100, 32768},
        {65535, 100, 32768},
        {40000, -5, 40000},  // out of range: taken to 0 and 100
        {40000, 250, 32768},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyDeadZone(c.value, c.percent), c.read) << c.value << " at " << c.percent;
    }
}

using InputDeadZonePad = InputRig;

TEST_F(InputDeadZonePad, AStickRestingOffCentreReadsTheCentreAndLeavesTheHatWorking) {
    auto& device = Plug(PadSetup{.hats = 1});
    auto pad = Open(1);
    device.SetAxis(0, 3000);
    device.SetAxis(1, -5000);
    JoyState s = ReadOk(*pad);
    EXPECT_EQ(std::pair(s.x, s.y), std::pair(kAxisCentre, kAxisCentre)) << "25 % by default";
    device.SetHat(SDL_HAT_LEFTUP);
    s = ReadOk(*pad);
    EXPECT_EQ(std::pair(s.x, s.y), std::pair(0, 0)) << "the hat folds in";
    device.SetHat(SDL_HAT_CENTERED);
    pad->SetDeadZone(0);
    s = ReadOk(*pad);
    EXPECT_EQ(std::pair(s.x, s.y), std::pair(kAxisCentre + 3000, kAxisCentre - 5000));
}

}  // namespace
}  // namespace padrix::testing
