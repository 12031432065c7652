#include <gtest/gtest.h>

#include "session/Layouts.h"

namespace padrix {
namespace {

// The fourteen named keys, Up Down Left Right A B C X Y Z L R Start Select.
std::vector<int> Named(const KeyMap& m) {
    return {m.Up, m.Down, m.Left, m.Right, m.A, m.B,     m.C,
            m.X,  m.Y,    m.Z,    m.L,     m.R, m.Start, m.Select};
}

KeyMaps Marked() {
    KeyMaps maps{};
    for (KeyMap& m : maps) {
        m = KeyMap{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, {}, 99};
        m.Extra.fill(7);
    }
    return maps;
}

TEST(AppLayouts, BuiltInKeysForEveryJoypadFound) {
    const struct {
        void (*write)(KeyMaps&, int);
        bool swapped;
        std::vector<int> expected;
    } cases[] = {
        {WriteVgsKeys,
         false,
         {'W', 'S', 'A', 'D', 'J', 'K', 'L', '2', '0', 'I', '1', '9', 'N', 'B'}},
        {WriteVgsKeys,
         true,
         {'W', 'S', 'A', 'D', 'J', 'K', 'L', '1', '9', 'I', '2', '0', 'N', 'B'}},
        {WriteSnes9xKeys, false, {38, 40, 37, 39, 'D', 'C', 'S', 13, 32, 'X', 'A', 'Z', 32, 13}},
    };
    for (const auto& c : cases) {
        KeyMaps maps = Marked();
        c.write(maps, 3);
        if (c.write == WriteVgsKeys) {
            ApplySwapLR(maps, 3, c.swapped);
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(Named(maps[i]), c.expected) << "joypad " << i + 1;
            EXPECT_EQ(maps[i].Extra[0], 7) << "extra keys stay";
            EXPECT_EQ(maps[i].EscapeKey, 99) << "escape key stays";
        }
        EXPECT_EQ(maps[3], Marked()[3]) << "joypads not found stay untouched";
    }
    for (int count : {-1, 0, 9, 1000}) {
        KeyMaps maps = Marked();
        WriteSnes9xKeys(maps, count);
        ApplySwapLR(maps, count, true);
        for (int i = 0; i < kMaxJoypads; ++i) {
            EXPECT_EQ(maps[i].Up == 38, count > 0) << "count " << count << " joypad " << i;
        }
    }
}

}  // namespace
}  // namespace padrix
