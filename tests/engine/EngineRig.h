#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Fakes.h"
#include "engine/MappingEngine.h"

namespace padrix::testing {

using fakes::OutEvent;

// A test key map: every button gets its own key so events say which button sent them.
inline KeyMap TestMap() {
    KeyMap m;
    m.Left = 'A';
    m.Down = 'S';
    m.Right = 'D';
    m.Up = 'W';
    m.A = 'J';
    m.B = 'K';
    m.C = 'L';
    m.X = '2';
    m.Y = '0';
    m.Z = 'I';
    m.L = '1';
    m.R = '9';
    m.Start = 'N';
    m.Select = 'B';
    for (int e = 0; e < kExtraButtons; ++e) {
        m.Extra[static_cast<std::size_t>(e)] = static_cast<std::uint8_t>(112 + e);
    }
    m.EscapeKey = 27;
    return m;
}

// The engine with recording fakes and `pads` opened joypads of 12 buttons.
class EngineRig : public ::testing::Test {
  protected:
    fakes::FakeControllers controllers;
    fakes::RecordingOutput out;
    fakes::FakeKeys keys;
    fakes::ManualClock clock;
    fakes::ScriptedRandom random;
    fakes::RecordingScreenshots screenshots;
    fakes::RecordingTimer timer;
    MappingEngine engine{{out, keys, clock, random, screenshots, timer}, "/home/u/padrix"};

    void OpenPads(int pads, int buttons = 12) {
        for (int n = 1; n <= pads; ++n) {
            controllers.Add("Pad " + std::to_string(n), buttons);
            engine.AttachJoypad(n, controllers.OpenJoypad(n, true), buttons - 1);
            engine.SetMap(n, TestMap());
        }
        engine.SetJoypadCount(pads);
        engine.SetOption(&Options::RumbleType, kRumbleNever);
    }
    fakes::PadState& Pad(int n) { return *controllers.pads[static_cast<std::size_t>(n - 1)]; }
    void Press(int n, int b, bool down = true) {
        Pad(n).state.buttons[static_cast<std::size_t>(b)] = down ? 0x80 : 0;
    }
    void Release(int n, int b) { Press(n, b, false); }
    void Stick(int n, std::int32_t x, std::int32_t y) {
        Pad(n).state.x = x;
        Pad(n).state.y = y;
    }
    // One timer tick, 1 ms after the previous one; returns what it sent.
    std::vector<OutEvent> Run() {
        clock.AdvanceMs(1);
        engine.PollCycle();
        return out.Take();
    }
};

inline std::vector<OutEvent> Downs(std::initializer_list<std::uint8_t> vks) {
    std::vector<OutEvent> v;
    for (auto k : vks) {
        v.push_back(OutEvent::Down(k));
    }
    return v;
}

inline std::vector<OutEvent> Ups(std::initializer_list<std::uint8_t> vks) {
    std::vector<OutEvent> v;
    for (auto k : vks) {
        v.push_back(OutEvent::Up(k));
    }
    return v;
}

inline std::vector<OutEvent> Presses(std::uint8_t vk, int times) {
    std::vector<OutEvent> v;
    for (int i = 0; i < times; ++i) {
        v.push_back(OutEvent::Down(vk));
        v.push_back(OutEvent::Up(vk));
    }
    return v;
}

}  // namespace padrix::testing

namespace padrix::fakes {
inline void PrintTo(const OutEvent& e, std::ostream* os) {
    *os << "{kind " << e.kind << " vk " << int(e.vk) << (e.down ? " down" : " up") << " scan "
        << int(e.scan) << " button " << int(e.button) << " at " << e.point.x << "," << e.point.y
        << "}";
}
}  // namespace padrix::fakes
