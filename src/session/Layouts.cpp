#include "Layouts.h"

#include <algorithm>
#include <cstdint>

namespace padrix {

namespace {

int Clamp(int joypadCount) {
    return std::clamp(joypadCount, 0, kMaxJoypads);
}

template <typename Write>
void ForEachJoypad(KeyMaps& maps, int joypadCount, Write write) {
    for (int i = 0; i < Clamp(joypadCount); ++i) {
        write(maps[static_cast<std::size_t>(i)]);
    }
}

}  // namespace

Layout LayoutFromLast(std::string_view last) {
    if (last == "1") {
        return Layout::Snes9x;
    }
    if (last == "3") {
        return Layout::Custom;
    }
    return Layout::Vgs;
}

std::string LastText(Layout layout) {
    return std::to_string(static_cast<int>(layout));
}

void WriteVgsKeys(KeyMaps& maps, int joypadCount) {
    ForEachJoypad(maps, joypadCount, [](KeyMap& m) {
        m.Up = 'W';
        m.Down = 'S';
        m.Left = 'A';
        m.Right = 'D';
        m.A = 'J';
        m.B = 'K';
        m.C = 'L';
        m.Z = 'I';
        m.Start = 'N';
        m.Select = 'B';
    });
}

void WriteSnes9xKeys(KeyMaps& maps, int joypadCount) {
    constexpr std::uint8_t kEnter = 13, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
    ForEachJoypad(maps, joypadCount, [](KeyMap& m) {
        m.Up = kUp;
        m.Down = kDown;
        m.Left = kLeft;
        m.Right = kRight;
        m.A = 'D';
        m.B = 'C';
        m.C = 'S';
        m.X = kEnter;
        m.Y = kSpace;
        m.Z = 'X';
        m.L = 'A';
        m.R = 'Z';
        m.Start = kSpace;
        m.Select = kEnter;
    });
}

void ApplySwapLR(KeyMaps& maps, int joypadCount, bool swapped) {
    ForEachJoypad(maps, joypadCount, [swapped](KeyMap& m) {
        m.L = swapped ? '2' : '1';
        m.R = swapped ? '0' : '9';
        m.X = swapped ? '1' : '2';
        m.Y = swapped ? '9' : '0';
    });
}

}  // namespace padrix
