#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <vector>

#include "engine/VirtualKeys.h"
#include "platform/uinput/EvdevKeys.h"
#include "platform/uinput/UinputDevice.h"
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

TEST_F(PlatformUinput, KeyEventsEncodeAsEvKeyWithTheScanCodeInMsDosMode) {
    struct Case {
        const char* what;
        std::uint8_t vk, scan;
        std::uint32_t flags;
        std::vector<Ev> expected;
    };
    const Case cases[] = {
        {"press", 65, 0, kKeyEventDown, {Key(KEY_A, 1), kSync}},
        {"release", 65, 0, kKeyEventUp, {Key(KEY_A, 0), kSync}},
        // MS-DOS mode: the scan code names the key, and goes out as the PC
        // keyboard driver reports it. A key's own code is its own key.
        {"MS-DOS press", 65, 0x1E, kKeyEventDown, {Scan(0x1E), Key(KEY_A, 1), kSync}},
        {"MS-DOS release", 65, 0x1E, kKeyEventUp, {Scan(0x1E), Key(KEY_A, 0), kSync}},
        {"own code", vk::Left, 0x4B, kKeyEventDown, {Scan(0xCB), Key(KEY_LEFT, 1), kSync}},
        {"own code, up", vk::Left, 0x4B, kKeyEventUp, {Scan(0xCB), Key(KEY_LEFT, 0), kSync}},
        {"keypad 4", vk::Home, 0x4B, kKeyEventDown, {Scan(0x4B), Key(KEY_KP4, 1), kSync}},
        // Repeated and up as the key that went down, although MS-DOS mode has ended.
        {"keypad 4 repeat", vk::Home, 0, kKeyEventDown, {Key(KEY_KP4, 2), kSync}},
        {"keypad 4 up", vk::Home, 0, kKeyEventUp, {Key(KEY_KP4, 0), kSync}},
        {"extended", vk::Home, 0x4B, kKeyEventExtended, {Scan(0xCB), Key(KEY_LEFT, 1), kSync}},
        {"extended up", vk::Home, 0x4B, kKeyEventUp, {Scan(0xCB), Key(KEY_LEFT, 0), kSync}},
        {"extended, no scan code", vk::Menu, 0, kKeyEventExtended, {Key(KEY_LEFTALT, 1), kSync}},
        {"second press repeats", vk::Menu, 0, kKeyEventDown, {Key(KEY_LEFTALT, 2), kSync}},
        {"its release", vk::Menu, 0, kKeyEventUp, {Key(KEY_LEFTALT, 0), kSync}},
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

// A French keyboard: a virtual key presses the key it was captured from,
// with and without MS-DOS mode.
TEST(PlatformUinputLayout, KeysArePressedWhereTheLayoutHasThem) {
    class French : public KeyboardLayout {
      public:
        const keycodes::KeyLayout& Current() override { return layout_; }

      private:
        const std::vector<keycodes::LayoutKey> keys_{{KEY_Q, {'a', 'A'}},
                                                     {KEY_A, {'q', 'Q'}},
                                                     {KEY_1, {'&', '1'}},
                                                     {KEY_MINUS, {')', 0xB0}}};
        keycodes::KeyLayout layout_{keys_};
    };
    std::vector<Ev> events;
    uinput::UinputOutput output(std::make_unique<RecordingSink>(events),
                                std::make_shared<French>());
    EXPECT_EQ(output.ScanCode(65), 0x10);
    output.KeyEvent(65, 0, kKeyEventDown);
    output.KeyEvent(65, 0, kKeyEventUp);
    output.KeyEvent(49, 0, kKeyEventDown);
    output.KeyEvent(49, 0, kKeyEventUp);
    output.KeyEvent(189, 0, kKeyEventDown);
    output.KeyEvent(189, 0, kKeyEventUp);
    output.KeyEvent(65, output.ScanCode(65), kKeyEventDown);
    output.KeyEvent(65, output.ScanCode(65), kKeyEventUp);
    EXPECT_EQ(events, (std::vector<Ev>{Key(KEY_Q, 1), kSync, Key(KEY_Q, 0), kSync, Key(KEY_1, 1),
                                       kSync, Key(KEY_1, 0), kSync, Key(KEY_MINUS, 1), kSync,
                                       Key(KEY_MINUS, 0), kSync, Scan(0x10), Key(KEY_Q, 1), kSync,
                                       Scan(0x10), Key(KEY_Q, 0), kSync}));
}

TEST_F(PlatformUinput, ClicksAndWhatIsHeldAtTheEndIsReleased) {
    output->MouseButton(kMouseLeftDown);
    output->MouseButton(kMouseLeftUp);
    output->MouseButton(kMouseRightDown);
    output->MouseButton(kMouseRightUp);
    output->MouseButton(kMouseRightUp);  // not held: nothing
    EXPECT_EQ(Take(), (std::vector<Ev>{Key(BTN_LEFT, 1), kSync, Key(BTN_LEFT, 0), kSync,
                                       Key(BTN_RIGHT, 1), kSync, Key(BTN_RIGHT, 0), kSync}));
    output->KeyEvent(65, 0, kKeyEventDown);
    output->KeyEvent(vk::Shift, 0, kKeyEventDown);
    output->MouseButton(kMouseLeftDown);
    Take();
    output.reset();
    EXPECT_EQ(Take(),
              (std::vector<Ev>{Key(KEY_A, 0), Key(KEY_LEFTSHIFT, 0), Key(BTN_LEFT, 0), kSync}));
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

TEST_F(PlatformUinput, OnlyTheScrollLockStateIsKeptAndNothingIsSent) {
    KeyboardStateTable table{};
    table[vk::ScrollLock] = 1;
    table[vk::Capital] = 1;
    output->SetKeyboardState(table);
    EXPECT_EQ(output->GetKeyboardState()[vk::ScrollLock], 1);
    EXPECT_EQ(output->GetKeyboardState()[vk::Capital], 0);
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
            for (std::uint32_t flags : {kKeyEventDown, kKeyEventExtended}) {
                output->KeyEvent(v, scan, flags);
                output->KeyEvent(v, scan, kKeyEventUp);
            }
        }
    }
    output->MouseButton(kMouseLeftDown | kMouseRightDown);
    output->MouseButton(kMouseLeftUp | kMouseRightUp);
    int downs = 0;
    for (const Ev& e : Take()) {
        if (e.type == EV_KEY && e.value == 1) {
            ++downs;
            EXPECT_TRUE(declared.count(e.code)) << "key " << e.code << " is not declared";
        }
    }
    EXPECT_GT(downs, 200);
}

}  // namespace
}  // namespace padrix::testing
