#include <gtest/gtest.h>

#include <cstring>

#include "app/Layouts.h"

namespace padrix {
namespace {

struct Named {
    char Up, Down, Left, Right, A, B, C, X, Y, Z, L, R, Start, Select;
};

Named NamedKeys(const KeyMap& m) {
    auto c = [](std::uint8_t v) { return static_cast<char>(v); };
    return {c(m.Up), c(m.Down), c(m.Left), c(m.Right), c(m.A), c(m.B),     c(m.C),
            c(m.X),  c(m.Y),    c(m.Z),    c(m.L),     c(m.R), c(m.Start), c(m.Select)};
}

bool operator==(const Named& a, const Named& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
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
    struct Case {
        const char* name;
        void (*write)(KeyMaps&, int);
        bool swapped;
        Named expected;
    };
    const Case cases[] = {
        {"VGS",
         WriteVgsKeys,
         false,
         {'W', 'S', 'A', 'D', 'J', 'K', 'L', '2', '0', 'I', '1', '9', 'N', 'B'}},
        {"VGS swapped",
         WriteVgsKeys,
         true,
         {'W', 'S', 'A', 'D', 'J', 'K', 'L', '1', '9', 'I', '2', '0', 'N', 'B'}},
        {"SNES9X",
         WriteSnes9xKeys,
         false,
         {38, 40, 37, 39, 'D', 'C', 'S', 13, 32, 'X', 'A', 'Z', 32, 13}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        KeyMaps maps = Marked();
        c.write(maps, 3);
        if (c.write == WriteVgsKeys) {
            ApplySwapLR(maps, 3, c.swapped);
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(NamedKeys(maps[i]) == c.expected) << "joypad " << i + 1;
            EXPECT_EQ(maps[i].Extra[0], 7) << "extra keys stay";
            EXPECT_EQ(maps[i].EscapeKey, 99) << "escape key stays";
        }
        EXPECT_EQ(maps[3], Marked()[3]) << "joypads not found stay untouched";
    }
}

TEST(AppLayouts, JoypadCountOutsideTheTablesIsClamped) {
    for (int count : {-1, 0, 9, 1000}) {
        KeyMaps maps = Marked();
        WriteSnes9xKeys(maps, count);
        ApplySwapLR(maps, count, true);
        const int touched = count > 0 ? kMaxJoypads : 0;
        for (int i = 0; i < kMaxJoypads; ++i) {
            EXPECT_EQ(maps[i].Up == 38, i < touched) << "count " << count << " joypad " << i;
        }
    }
}

TEST(AppLayouts, LastTextPicksTheLayoutOnlyWhenExact) {
    const std::pair<const char*, Layout> cases[] = {
        {"1", Layout::Snes9x}, {"3", Layout::Custom}, {"2", Layout::Vgs},  {"", Layout::Vgs},
        {"01", Layout::Vgs},   {"1 ", Layout::Vgs},   {" 3", Layout::Vgs}, {"SNES9X", Layout::Vgs},
    };
    for (const auto& [text, layout] : cases) {
        EXPECT_EQ(LayoutFromLast(text), layout) << '"' << text << '"';
    }
    for (Layout l : {Layout::Snes9x, Layout::Vgs, Layout::Custom}) {
        EXPECT_EQ(LayoutFromLast(LastText(l)), l);
    }
    EXPECT_EQ(LastText(Layout::Vgs), "2");
}

}  // namespace
}  // namespace padrix
