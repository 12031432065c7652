#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "engine/VirtualKeys.h"
#include "platform/uinput/EvdevKeys.h"
#include "platform/uinput/UinputOutput.h"

namespace padrix::testing {
namespace {

struct Ev {
    std::uint16_t type;
    std::uint16_t code;
    std::int32_t value;
    friend bool operator==(const Ev&, const Ev&) = default;
    friend std::ostream& operator<<(std::ostream& os, const Ev& e) {
        return os << "{" << e.type << "," << e.code << "," << e.value << "}";
    }
};

const Ev kSync{EV_SYN, SYN_REPORT, 0};

class RecordingSink : public uinput::EventSink {
  public:
    explicit RecordingSink(std::vector<Ev>& events) : events_(events) {}
    void Write(std::uint16_t type, std::uint16_t code, std::int32_t value) override {
        events_.push_back({type, code, value});
    }

  private:
    std::vector<Ev>& events_;
};

class PlatformUinput : public ::testing::Test {
  protected:
    std::vector<Ev> Take() { return std::exchange(events, {}); }

    std::vector<Ev> events;
    std::unique_ptr<uinput::UinputOutput> output =
        std::make_unique<uinput::UinputOutput>(std::make_unique<RecordingSink>(events));
};

TEST_F(PlatformUinput, KeyEventsEncodeAsEvKeyAndTheScanCodeInMsDosMode) {
    struct Case {
        const char* what;
        std::uint8_t vk;
        std::uint8_t scan;
        std::uint32_t flags;
        std::vector<Ev> expected;
    };
    const std::vector<Case> cases = {
        {"plain press", 65, 0, kKeyEventDown, {{EV_KEY, KEY_A, 1}, kSync}},
        {"plain release", 65, 0, kKeyEventUp, {{EV_KEY, KEY_A, 0}, kSync}},
        {"MS-DOS press",
         65,
         0x1E,
         kKeyEventDown,
         {{EV_MSC, MSC_SCAN, 0x1E}, {EV_KEY, KEY_A, 1}, kSync}},
        {"MS-DOS release",
         65,
         0x1E,
         kKeyEventUp,
         {{EV_MSC, MSC_SCAN, 0x1E}, {EV_KEY, KEY_A, 0}, kSync}},
        // Left arrow by its scan code is the keypad's 4, as on a PC.
        {"MS-DOS arrow",
         vk::Left,
         0x4B,
         kKeyEventDown,
         {{EV_MSC, MSC_SCAN, 0x4B}, {EV_KEY, KEY_KP4, 1}, kSync}},
        {"extended",
         vk::Left,
         0x4B,
         kKeyEventExtended,
         {{EV_MSC, MSC_SCAN, 0xE04B}, {EV_KEY, KEY_LEFT, 1}, kSync}},
        {"extended flag without scan code",
         vk::Menu,
         0,
         kKeyEventExtended,
         {{EV_KEY, KEY_LEFTALT, 1}, kSync}},
        {"a second press repeats", vk::Menu, 0, kKeyEventDown, {{EV_KEY, KEY_LEFTALT, 2}, kSync}},
        {"release", vk::Menu, 0, kKeyEventUp, {{EV_KEY, KEY_LEFTALT, 0}, kSync}},
        {"release of a key not held", vk::Menu, 0, kKeyEventUp, {}},
        {"unknown key", 0, 0, kKeyEventDown, {}},
        {"Break has no Linux key", vk::Cancel, 0, kKeyEventDown, {}},
        {"unknown scan code", 65, 0x60, kKeyEventDown, {}},
    };
    for (const Case& c : cases) {
        output->KeyEvent(c.vk, c.scan, c.flags);
        EXPECT_EQ(Take(), c.expected) << c.what;
    }
}

TEST_F(PlatformUinput, ClicksAreButtonEvents) {
    output->MouseButton(kMouseLeftDown);
    output->MouseButton(kMouseLeftUp);
    output->MouseButton(kMouseRightDown);
    output->MouseButton(kMouseRightUp);
    output->MouseButton(kMouseRightUp);  // not held: nothing
    EXPECT_EQ(Take(), (std::vector<Ev>{{EV_KEY, BTN_LEFT, 1},
                                       kSync,
                                       {EV_KEY, BTN_LEFT, 0},
                                       kSync,
                                       {EV_KEY, BTN_RIGHT, 1},
                                       kSync,
                                       {EV_KEY, BTN_RIGHT, 0},
                                       kSync}));
}

TEST_F(PlatformUinput, PointerMovesAreRelativeToTheLastPositionSet) {
    const ScreenPoint start = output->GetCursorPos();
    output->SetCursorPos({start.x + 3, start.y - 2});
    EXPECT_EQ(Take(), (std::vector<Ev>{{EV_REL, REL_X, 3}, {EV_REL, REL_Y, -2}, kSync}));
    EXPECT_EQ(output->GetCursorPos(), (ScreenPoint{start.x + 3, start.y - 2}));
    output->SetCursorPos({start.x + 3, start.y + 5});
    EXPECT_EQ(Take(), (std::vector<Ev>{{EV_REL, REL_Y, 7}, kSync}));
    output->SetCursorPos(output->GetCursorPos());
    EXPECT_TRUE(Take().empty());
    // Far jumps do not overflow.
    output->SetCursorPos({INT32_MIN, 0});
    output->SetCursorPos({INT32_MAX, 0});
    const std::vector<Ev> jumps = Take();
    ASSERT_FALSE(jumps.empty());
    EXPECT_EQ(jumps.back(), kSync);
}

TEST_F(PlatformUinput, ScrollLockStateIsKeptButNothingIsSent) {
    KeyboardStateTable table{};
    table[vk::ScrollLock] = 1;
    table[vk::Capital] = 1;
    output->SetKeyboardState(table);
    EXPECT_EQ(output->GetKeyboardState()[vk::ScrollLock], 1);
    EXPECT_EQ(output->GetKeyboardState()[vk::Capital], 0);
    EXPECT_TRUE(Take().empty());
}

TEST_F(PlatformUinput, ClosingReleasesEverythingHeld) {
    output->KeyEvent(65, 0, kKeyEventDown);
    output->KeyEvent(vk::Shift, 0, kKeyEventDown);
    output->MouseButton(kMouseLeftDown);
    Take();
    output.reset();
    EXPECT_EQ(Take(),
              (std::vector<Ev>{
                  {EV_KEY, KEY_A, 0}, {EV_KEY, KEY_LEFTSHIFT, 0}, {EV_KEY, BTN_LEFT, 0}, kSync}));
}

}  // namespace
}  // namespace padrix::testing

namespace padrix::testing {
namespace {

TEST(PlatformEvdevKeys, FilesThatAreNoKeyboardsAreLeftOut) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("padrix-evdev-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "event1");
    std::ofstream(folder / "event0") << "not a device";
    std::ofstream(folder / "mice") << "";
    uinput::EvdevKeys keys(folder);
    EXPECT_FALSE(keys.HasKeyboards());
    EXPECT_FALSE(keys.IsKeyDown(vk::Tab));
    uinput::EvdevKeys none(folder / "missing");
    EXPECT_FALSE(none.HasKeyboards());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace padrix::testing
