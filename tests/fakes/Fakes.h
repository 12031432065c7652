#pragma once

#include <unistd.h>

#include <deque>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/Clock.h"
#include "engine/Controllers.h"
#include "engine/Effects.h"
#include "engine/EventOutput.h"
#include "engine/KeyboardState.h"
#include "engine/RandomSource.h"

namespace padrix::fakes {

// Reads fd (non-blocking) until empty; true when anything was there.
inline bool DrainFd(int fd) {
    char bytes[64];
    bool any = false;
    while (fd >= 0 && read(fd, bytes, sizeof bytes) > 0) {
        any = true;
    }
    return any;
}

// What a fake controller shows and what was done to it; shared between the
// test and the Joypad objects opened on it.
struct PadState {
    std::string name;
    int buttonCount = 12;
    JoyState state;
    bool readable = true;
    bool hasRumble = true;
    int rumbleStarts = 0;
    int rumbleStops = 0;
    int opens = 0;
    bool released = false;
    int reads = 0;
    int deadZone = -1;      // as last set, -1 before
    int doorbell = -1;      // the descriptor the joypad hands out as its doorbell
    int doorbellRings = 0;  // drains that found it rung
    int axes = 2;
    std::vector<std::uint8_t> hats;  // HatBits per hat
    std::vector<int> testRumbles;    // the length of each test rumble, in ms
};

class FakeJoypad : public Joypad {
  public:
    explicit FakeJoypad(std::shared_ptr<PadState> pad) : pad_(std::move(pad)) {}
    ~FakeJoypad() override { pad_->released = true; }
    int ButtonCount() const override { return pad_->buttonCount; }
    bool Read(JoyState& state) override {
        ++pad_->reads;
        if (!pad_->readable) {
            return false;
        }
        state = pad_->state;
        return true;
    }
    bool CreateRumble() override { return pad_->hasRumble; }
    void StartRumble() override { pad_->rumbleStarts += pad_->hasRumble ? 1 : 0; }
    void StopRumble() override { pad_->rumbleStops += pad_->hasRumble ? 1 : 0; }
    void SetDeadZone(int percent) override { pad_->deadZone = percent; }
    int DoorbellFd() const override { return pad_->doorbell; }
    bool DrainDoorbell() override {
        const bool rang = DrainFd(pad_->doorbell);
        pad_->doorbellRings += rang ? 1 : 0;
        return rang;
    }
    bool Present() const override { return pad_->readable; }
    std::vector<std::uint8_t> Hats() const override {
        return pad_->readable ? pad_->hats : std::vector<std::uint8_t>{};
    }
    bool TestRumble(int milliseconds) override {
        pad_->testRumbles.push_back(milliseconds);
        return pad_->hasRumble;
    }

  private:
    std::shared_ptr<PadState> pad_;
};

class FakeControllers : public ControllerAccess {
  public:
    bool startOk = true;
    std::string startError;  // reported while startOk is false
    std::vector<std::shared_ptr<PadState>> pads;

    std::shared_ptr<PadState> Add(std::string name, int buttons = 12) {
        auto pad = std::make_shared<PadState>();
        pad->name = std::move(name);
        pad->buttonCount = buttons;
        pads.push_back(pad);
        return pad;
    }
    bool Start() override { return startOk; }
    std::string StartError() const override { return startOk ? "" : startError; }
    int CountJoypads() override { return static_cast<int>(pads.size()); }
    std::unique_ptr<Joypad> OpenJoypad(int n, bool) override {
        const auto pad = At(n);
        if (!pad) {
            return nullptr;
        }
        ++pad->opens;
        pad->released = false;
        return std::make_unique<FakeJoypad>(pad);
    }
    std::string GetJoypadName(int n) override { return At(n) ? At(n)->name : ""; }
    std::optional<JoypadInfo> Describe(int n) override {
        const auto pad = At(n);
        if (!pad) {
            return std::nullopt;
        }
        return JoypadInfo{pad->name, pad->axes, pad->buttonCount,
                          static_cast<int>(pad->hats.size())};
    }

  private:
    std::shared_ptr<PadState> At(int n) const {
        return n >= 1 && n <= static_cast<int>(pads.size()) ? pads[static_cast<std::size_t>(n - 1)]
                                                            : nullptr;
    }
};

// One event that reached the output.
struct OutEvent {
    enum Kind { kKey, kMouse, kCursor } kind = kKey;
    std::uint8_t vk = 0;
    bool down = false;
    std::uint8_t scan = 0;
    MouseButton button = MouseButton::kLeft;
    ScreenPoint point;
    friend bool operator==(const OutEvent&, const OutEvent&) = default;

    static OutEvent Down(std::uint8_t vk, std::uint8_t scan = 0) {
        return {kKey, vk, true, scan, {}, {}};
    }
    static OutEvent Up(std::uint8_t vk, std::uint8_t scan = 0) {
        return {kKey, vk, false, scan, {}, {}};
    }
    static OutEvent MouseDown(MouseButton b) { return {kMouse, 0, true, 0, b, {}}; }
    static OutEvent MouseUp(MouseButton b) { return {kMouse, 0, false, 0, b, {}}; }
    static OutEvent Cursor(int x, int y) { return {kCursor, 0, false, 0, {}, {x, y}}; }
};

class RecordingOutput : public EventOutput {
  public:
    std::vector<OutEvent> events;
    ScreenPoint cursor{100, 100};
    bool scrollLock = false;

    // A made-up but fixed scan code per key, never 0.
    static std::uint8_t FakeScan(std::uint8_t vk) {
        return static_cast<std::uint8_t>(vk % 0x58 + 1);
    }

    void SendKey(std::uint8_t vk, bool down, std::uint8_t scan) override {
        events.push_back(down ? OutEvent::Down(vk, scan) : OutEvent::Up(vk, scan));
    }
    std::uint8_t ScanCode(std::uint8_t vk) override { return FakeScan(vk); }
    void SendMouseButton(MouseButton b, bool down) override {
        events.push_back(down ? OutEvent::MouseDown(b) : OutEvent::MouseUp(b));
    }
    ScreenPoint PointerPosition() override { return cursor; }
    void MovePointer(ScreenPoint p) override {
        cursor = p;
        events.push_back(OutEvent::Cursor(p.x, p.y));
    }
    bool ScrollLockLight() override { return scrollLock; }
    void SetScrollLockLight(bool on) override { scrollLock = on; }

    std::vector<OutEvent> Take() { return std::exchange(events, {}); }
};

// Keys held by the test. With an event descriptor (a pipe's reading end),
// a byte written to the pipe stands for a key going down or up.
class FakeKeys : public PhysicalKeys {
  public:
    std::set<std::uint8_t> down;
    int eventFd = -1;
    bool IsKeyDown(std::uint8_t vk) override { return down.count(vk) != 0; }
    int EventFd() const override { return eventFd; }
    bool TakeEvents() override { return DrainFd(eventFd); }
};

class ManualClock : public Clock {
  public:
    std::int64_t micros = 1'000'000;
    LocalDateTime local{2026, 12, 6, 9, 5, 7};
    std::int64_t MonotonicMicros() override { return micros; }
    LocalDateTime LocalNow() override { return local; }
    void AdvanceMs(int ms) { micros += static_cast<std::int64_t>(ms) * 1000; }
};

// Plays back the numbers it was given, then `fallback`.
class ScriptedRandom : public RandomSource {
  public:
    std::deque<float> script;
    float fallback = 0.0f;
    int draws = 0;
    float Next() override {
        ++draws;
        if (script.empty()) {
            return fallback;
        }
        const float r = script.front();
        script.pop_front();
        return r;
    }
};

class RecordingScreenshots : public Screenshotter {
  public:
    std::vector<std::string> paths;
    void RequestScreenshot(const std::string& path) override { paths.push_back(path); }
};

class RecordingBeeper : public Beeper {
  public:
    int beeps = 0;
    void Beep() override { ++beeps; }
};

class RecordingTimer : public PollTimer {
  public:
    std::vector<int> intervals;
    void SetInterval(int ms) override { intervals.push_back(ms); }
};

}  // namespace padrix::fakes
