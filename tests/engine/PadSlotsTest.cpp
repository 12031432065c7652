#include <gtest/gtest.h>

#include "engine/PadSlots.h"

namespace padrix {
namespace {

TEST(PadSlots, ControllerButtonsAndDirectionsFillTheirSlots) {
    KeyMap map;
    const std::vector<std::pair<int, std::uint8_t*>> buttons = {
        {0, &map.A},     {1, &map.B},      {2, &map.C},         {3, &map.X},
        {4, &map.Y},     {5, &map.Z},      {6, &map.L},         {7, &map.R},
        {8, &map.Start}, {9, &map.Select}, {10, &map.Extra[0]}, {20, &map.Extra[10]},
    };
    for (const auto& [b, entry] : buttons) {
        EXPECT_EQ(SlotEntry(map, SlotOfButton(b)), entry) << b;
    }
    EXPECT_EQ(SlotOfButton(21), kNoSlot);
    EXPECT_EQ(SlotOfButton(-1), kNoSlot);
    EXPECT_EQ(KeyOfButton(map, 21), nullptr);
    EXPECT_EQ(SlotEntry(map, SlotOfDirection(kLeft)), &map.Left);
    EXPECT_EQ(SlotEntry(map, SlotOfDirection(kRight)), &map.Right);
    EXPECT_EQ(SlotEntry(map, SlotOfDirection(kUp)), &map.Up);
    EXPECT_EQ(SlotEntry(map, SlotOfDirection(kDown)), &map.Down);
}

TEST(PadSlots, DefaultsAreTheStoredKeysOfAnEmptyProfile) {
    const std::string named = "JI2KL0WSADN19B";
    for (int slot = 0; slot < kMapSlots + 1; ++slot) {
        const std::uint8_t expected = slot < kShownSlots ? named[static_cast<std::size_t>(slot)]
                                      : slot < kMapSlots ? 112 + slot - kFirstExtraSlot
                                                         : 0;
        EXPECT_EQ(DefaultSlotCode(slot), expected) << slot;
    }
}

}  // namespace
}  // namespace padrix
