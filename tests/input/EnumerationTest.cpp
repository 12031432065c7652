#include <algorithm>

#include "InputRig.h"
#include "engine/PadTables.h"

namespace padrix::testing {
namespace {

using InputEnumeration = InputRig;

TEST_F(InputEnumeration, JoypadsFollowTheEnumerationOrderWithTheirNames) {
    Plug("Alpha");
    Plug("Bravo").SetButton(3, true);
    Plug("Charlie");

    EXPECT_EQ(access.CountJoypads(), 3);
    EXPECT_EQ(access.GetJoypadName(1), "Alpha");
    EXPECT_EQ(access.GetJoypadName(2), "Bravo");
    EXPECT_EQ(access.GetJoypadName(3), "Charlie");
    for (int n : {-1, 0, 4, 5}) {
        EXPECT_EQ(access.GetJoypadName(n), "") << "joypad " << n;
        EXPECT_EQ(access.OpenJoypad(n, true), nullptr) << "joypad " << n;
    }

    auto first = Open(1);
    auto second = Open(2);
    EXPECT_EQ(ReadOk(*first).buttons[3], 0);
    EXPECT_EQ(ReadOk(*second).buttons[3], 0x80);
}

// The start-up loop: count, cap at eight, open each in order.
TEST_F(InputEnumeration, StartUpOpensTheFirstEightOnly) {
    for (int devices : {0, 1, 9, 10}) {
        SCOPED_TRACE(devices);
        pads.clear();
        for (int d = 1; d <= devices; ++d) {
            Plug("Pad " + std::to_string(d)).SetAxis(0, static_cast<Sint16>(d * 1000));
        }
        PadTables tables;
        tables.joypadCount = std::min(access.CountJoypads(), kMaxJoypads);
        for (int n = 1; n <= tables.joypadCount; ++n) {
            tables.joypadDevices[static_cast<std::size_t>(n - 1)] = access.OpenJoypad(n, true);
        }

        EXPECT_EQ(access.CountJoypads(), devices);
        EXPECT_EQ(tables.joypadCount, std::min(devices, 8));
        for (int n = 1; n <= tables.joypadCount; ++n) {
            Joypad* pad = tables.joypadDevices[static_cast<std::size_t>(n - 1)].get();
            ASSERT_NE(pad, nullptr);
            EXPECT_EQ(ReadOk(*pad).x, n * 1000 + 32768);
        }
    }
}

TEST_F(InputEnumeration, ButtonCountGivesTheHighestButton) {
    struct Case {
        int reported;
        int count;  // what the joypad gives; the record holds 128 buttons
    };
    for (Case c : {Case{12, 12}, Case{0, 0}, Case{1, 1}, Case{128, 128}, Case{200, 128}}) {
        SCOPED_TRACE(c.reported);
        pads.clear();
        PadSetup setup;
        setup.buttons = c.reported;
        Plug(setup);
        auto pad = Open(1);
        ASSERT_NE(pad, nullptr);
        EXPECT_EQ(pad->ButtonCount(), c.count);
        EXPECT_EQ(ReadOk(*pad).buttons.back(), 0);
    }
}

TEST(InputNotStarted, NothingIsThereBeforeTheStart) {
    fakes::ManualClock clock;
    SdlControllerAccess access{clock};
    EXPECT_EQ(access.CountJoypads(), 0);
    EXPECT_EQ(access.OpenJoypad(1, true), nullptr);
    EXPECT_EQ(access.GetJoypadName(1), "");
    EXPECT_FALSE(access.Describe(1).has_value());
    EXPECT_TRUE(access.StartDirectInput());
    EXPECT_TRUE(access.StartDirectInput()) << "starting again changes nothing";
}

}  // namespace
}  // namespace padrix::testing
