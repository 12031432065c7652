#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

#include "engine/VirtualKeys.h"
#include "platform/uinput/EvdevKeys.h"
#include "platform/uinput/UinputDevice.h"
#include "platform/uinput/UinputOutput.h"

namespace padrix::testing {
namespace {

// An event as written to the device: type, code, value.
using Ev = std::tuple<std::uint16_t, std::uint16_t, std::int32_t>;

constexpr Ev kSync{EV_SYN, SYN_REPORT, 0};
constexpr Ev Key(std::uint16_t code, std::int32_t value) {
    return {EV_KEY, code, value};
}
constexpr Ev Scan(std::int32_t value) {
    return {EV_MSC, MSC_SCAN, value};
}

// Stands in for the uinput device: keeps what would be written to it.
class RecordingSink : public uinput::EventSink {
  public:
    explicit RecordingSink(std::vector<Ev>& events) : events_(events) {}
    void Write(std::uint16_t type, std::uint16_t code, std::int32_t value) override {
        events_.emplace_back(type, code, value);
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

TEST_F(PlatformUinput, KeyEventsEncodeAsEvKeyWithTheScanCodeInMsDosMode) {
    struct Case {
        const char* what;
        std::uint8_t vk;
        bool down;
        std::uint8_t scan;
        std::vector<Ev> expected;
    };
    const Case cases[] = {
        {"press", 65, true, 0, {Key(KEY_A, 1), kSync}},
        {"release", 65, false, 0, {Key(KEY_A, 0), kSync}},
        // MS-DOS mode: the scan code names the key, and goes out as the PC
        // keyboard driver reports it. A key's own code is its own key.
        {"MS-DOS press", 65, true, 0x1E, {Scan(0x1E), Key(KEY_A, 1), kSync}},
        {"MS-DOS release", 65, false, 0x1E, {Scan(0x1E), Key(KEY_A, 0), kSync}},
        {"own code", vk::Left, true, 0x4B, {Scan(0xCB), Key(KEY_LEFT, 1), kSync}},
        {"own code, up", vk::Left, false, 0x4B, {Scan(0xCB), Key(KEY_LEFT, 0), kSync}},
        {"keypad 4", vk::Home, true, 0x4B, {Scan(0x4B), Key(KEY_KP4, 1), kSync}},
        // Repeated and up as the key that went down, although MS-DOS mode has ended.
        {"keypad 4 repeat", vk::Home, true, 0, {Key(KEY_KP4, 2), kSync}},
        {"keypad 4 up", vk::Home, false, 0, {Key(KEY_KP4, 0), kSync}},
        {"no scan code", vk::Menu, true, 0, {Key(KEY_LEFTALT, 1), kSync}},
        {"second press repeats", vk::Menu, true, 0, {Key(KEY_LEFTALT, 2), kSync}},
        {"its release", vk::Menu, false, 0, {Key(KEY_LEFTALT, 0), kSync}},
        {"release of a key not held", vk::Menu, false, 0, {}},
        {"unknown key", 0, true, 0, {}},
        {"Break has no Linux key", vk::Cancel, true, 0, {}},
        {"unknown scan code", 65, true, 0x60, {}},
    };
    for (const Case& c : cases) {
        output->SendKey(c.vk, c.down, c.scan);
        EXPECT_EQ(Take(), c.expected) << c.what;
    }
}

// A French keyboard: a virtual key presses the key it was captured from,
// with and without MS-DOS mode.
TEST(PlatformUinputLayout, KeysArePressedWhereTheLayoutHasThem) {
    class French : public KeyboardLayout {
      public:
        const keycodes::KeyLayout& Current() override { return layout_; }

      private:
        const std::vector<keycodes::LayoutKey> keys_{{KEY_Q, {'a', 'A'}}, {KEY_A, {'q', 'Q'}}};
        keycodes::KeyLayout layout_{keys_};
    };
    std::vector<Ev> events;
    uinput::UinputOutput output(std::make_unique<RecordingSink>(events),
                                std::make_shared<French>());
    EXPECT_EQ(output.ScanCode(65), 0x10);
    for (std::uint8_t scan : {std::uint8_t{0}, output.ScanCode(65)}) {
        output.SendKey(65, true, scan);
        output.SendKey(65, false, scan);
    }
    EXPECT_EQ(events, (std::vector<Ev>{Key(KEY_Q, 1), kSync, Key(KEY_Q, 0), kSync, Scan(0x10),
                                       Key(KEY_Q, 1), kSync, Scan(0x10), Key(KEY_Q, 0), kSync}));
}

TEST_F(PlatformUinput, ClicksAndWhatIsHeldAtTheEndIsReleased) {
    output->SendMouseButton(MouseButton::kLeft, true);
    output->SendMouseButton(MouseButton::kLeft, false);
    output->SendMouseButton(MouseButton::kRight, true);
    output->SendMouseButton(MouseButton::kRight, false);
    output->SendMouseButton(MouseButton::kRight, false);  // not held: nothing
    EXPECT_EQ(Take(), (std::vector<Ev>{Key(BTN_LEFT, 1), kSync, Key(BTN_LEFT, 0), kSync,
                                       Key(BTN_RIGHT, 1), kSync, Key(BTN_RIGHT, 0), kSync}));
    output->SendKey(65, true, 0);
    output->SendKey(vk::Shift, true, 0);
    output->SendMouseButton(MouseButton::kLeft, true);
    Take();
    output.reset();
    EXPECT_EQ(Take(),
              (std::vector<Ev>{Key(KEY_A, 0), Key(KEY_LEFTSHIFT, 0), Key(BTN_LEFT, 0), kSync}));
}

TEST_F(PlatformUinput, PointerMovesAreRelativeToTheLastPositionSet) {
    const ScreenPoint start = output->PointerPosition();
    output->MovePointer({start.x + 3, start.y - 2});
    EXPECT_EQ(Take(), (std::vector<Ev>{{EV_REL, REL_X, 3}, {EV_REL, REL_Y, -2}, kSync}));
    EXPECT_EQ(output->PointerPosition(), (ScreenPoint{start.x + 3, start.y - 2}));
    output->MovePointer({start.x + 3, start.y + 5});
    EXPECT_EQ(Take(), (std::vector<Ev>{{EV_REL, REL_Y, 7}, kSync}));
    output->MovePointer(output->PointerPosition());
    EXPECT_TRUE(Take().empty());
    // Far jumps do not overflow.
    output->MovePointer({INT32_MIN, 0});
    output->MovePointer({INT32_MAX, 0});
    const std::vector<Ev> jumps = Take();
    ASSERT_FALSE(jumps.empty());
    EXPECT_EQ(jumps.back(), kSync);
}

TEST_F(PlatformUinput, TheScrollLockLightIsKeptAndNothingIsSent) {
    output->SetScrollLockLight(true);
    EXPECT_TRUE(output->ScrollLockLight());
    EXPECT_TRUE(Take().empty());
}

TEST(PlatformEvdevKeys, FilesThatAreNoKeyboardsAreLeftOut) {
    const auto folder =
        std::filesystem::temp_directory_path() / ("padrix-evdev-" + std::to_string(getpid()));
    std::filesystem::create_directories(folder / "event1");
    std::ofstream(folder / "event0") << "not a device";
    std::ofstream(folder / "mice") << "";
    for (const auto& path : {folder, folder / "missing"}) {
        uinput::EvdevKeys keys(path);
        EXPECT_FALSE(keys.HasKeyboards());
        EXPECT_FALSE(keys.IsKeyDown(vk::Tab));
    }
    std::filesystem::remove_all(folder);
}

// No guardian stands behind this backend: when the program dies, the kernel
// releases what the device held, but only keys the device declares. Every key
// and button any virtual key, scan code or click can press is one of them.
TEST_F(PlatformUinput, EverythingThatCanGoDownIsAKeyTheDeviceDeclares) {
    const std::vector<std::uint16_t> codes = uinput::DeviceKeyCodes();
    const std::set<std::uint16_t> declared(codes.begin(), codes.end());
    for (int vk = 0; vk < 256; ++vk) {
        const auto v = static_cast<std::uint8_t>(vk);
        for (std::uint8_t scan : {std::uint8_t{0}, output->ScanCode(v)}) {
            output->SendKey(v, true, scan);
            output->SendKey(v, false, scan);
        }
    }
    for (bool down : {true, false}) {
        output->SendMouseButton(MouseButton::kLeft, down);
        output->SendMouseButton(MouseButton::kRight, down);
    }
    int downs = 0;
    for (const auto& [type, code, value] : Take()) {
        if (type == EV_KEY && value == 1) {
            ++downs;
            EXPECT_TRUE(declared.count(code)) << "key " << code << " is not declared";
        }
    }
    EXPECT_GT(downs, 200);
}

}  // namespace
}  // namespace padrix::testing
