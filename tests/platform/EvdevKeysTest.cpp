#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "engine/VirtualKeys.h"
#include "platform/uinput/EvdevKeyboard.h"
#include "platform/uinput/EvdevKeys.h"

namespace padrix::testing {
namespace {

input_event Event(unsigned short type, unsigned short code, int value) {
    input_event e{};
    e.type = type;
    e.code = code;
    e.value = value;
    return e;
}

input_event Key(unsigned short code, int value) {
    return Event(EV_KEY, code, value);
}

input_event Report() {
    return Event(EV_SYN, SYN_REPORT, 0);
}

// A keyboard whose event device is a pipe the test writes events into (no
// device answers its EVIOCGKEY: a resync finds nothing new).
class PlatformEvdevKeyboard : public ::testing::Test {
  protected:
    void SetUp() override {
        int fds[2];
        ASSERT_EQ(pipe2(fds, O_NONBLOCK | O_CLOEXEC), 0);
        keyboard = std::make_unique<uinput::EvdevKeyboard>(fds[0]);
        writer = fds[1];
    }
    void TearDown() override {
        if (writer >= 0) {
            close(writer);
        }
    }
    void Send(const std::vector<input_event>& events) {
        const auto bytes = static_cast<ssize_t>(events.size() * sizeof(input_event));
        ASSERT_EQ(write(writer, events.data(), static_cast<std::size_t>(bytes)), bytes);
    }

    std::unique_ptr<uinput::EvdevKeyboard> keyboard;
    int writer = -1;
};

TEST_F(PlatformEvdevKeyboard, PressesRepeatsAndReleasesFollowTheEvents) {
    struct Case {
        std::vector<input_event> events;
        bool changed;
        bool tab, ctrl;
    };
    const Case cases[] = {
        {{Key(KEY_TAB, 1), Report()}, true, true, false},
        {{Key(KEY_TAB, 2), Report()}, false, true, false},  // a repeat
        {{Event(EV_MSC, MSC_SCAN, 15), Key(KEY_LEFTCTRL, 1), Report()}, true, true, true},
        {{Key(KEY_TAB, 0), Key(KEY_LEFTCTRL, 0), Report()}, true, false, false},
        {{Key(KEY_TAB, 0), Report()}, false, false, false},
        {{Key(KEY_MAX + 1, 1), Event(EV_REL, REL_X, 4), Report()}, false, false, false},
    };
    for (const Case& c : cases) {
        Send(c.events);
        EXPECT_EQ(keyboard->Drain(), c.changed);
        EXPECT_EQ(keyboard->Held(KEY_TAB), c.tab);
        EXPECT_EQ(keyboard->Held(KEY_LEFTCTRL), c.ctrl);
    }
    EXPECT_FALSE(keyboard->Drain()) << "nothing arrived";
}

// After dropped events only the resync counts; a keyboard that goes away
// holds nothing.
TEST_F(PlatformEvdevKeyboard, AfterDroppedEventsOnlyTheResyncCountsAndAKeyboardGoneHoldsNothing) {
    Send({Key(KEY_TAB, 1), Report()});
    ASSERT_TRUE(keyboard->Drain());
    Send({Event(EV_SYN, SYN_DROPPED, 0), Key(KEY_SYSRQ, 1), Key(KEY_TAB, 0), Report()});
    keyboard->Drain();
    EXPECT_FALSE(keyboard->Held(KEY_SYSRQ)) << "the rest of a broken report is not used";
    EXPECT_TRUE(keyboard->Held(KEY_TAB)) << "the pipe gives no reading: the state stays";
    Send({Key(KEY_SYSRQ, 1), Report()});
    EXPECT_TRUE(keyboard->Drain());
    EXPECT_TRUE(keyboard->Held(KEY_SYSRQ));
    close(writer);
    writer = -1;
    EXPECT_TRUE(keyboard->Drain());
    EXPECT_EQ(keyboard->fd(), -1);
    EXPECT_FALSE(keyboard->Held(KEY_TAB) || keyboard->Held(KEY_SYSRQ));
    EXPECT_FALSE(keyboard->Drain());
}

bool Readable(int fd) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, 5000) == 1;
}

// Keyboards appear in the folder after start as named pipes: udev's new
// node, then its permissions.
TEST(PlatformEvdevKeys, AKeyboardPluggedInLaterIsFollowedAndMayComeBack) {
    namespace fs = std::filesystem;
    const fs::path folder =
        fs::temp_directory_path() / ("padrix-hotplug-" + std::to_string(getpid()));
    fs::create_directories(folder);
    uinput::EvdevKeys keys(folder, [](int) { return true; });
    ASSERT_TRUE(keys.WatchesFolder());
    ASSERT_FALSE(keys.HasKeyboards());
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(mkfifo((folder / "event7").c_str(), 0600), 0);
        ASSERT_EQ(mkfifo((folder / "mouse0").c_str(), 0600), 0);
        // Read-write, so the pipe has a writer before Padrix opens it.
        const int device = open((folder / "event7").c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        ASSERT_GE(device, 0);
        ASSERT_TRUE(Readable(keys.EventFd()));
        keys.TakeEvents();
        ASSERT_TRUE(keys.HasKeyboards()) << round;
        chmod((folder / "event7").c_str(), 0660);
        const input_event press[] = {Key(KEY_TAB, 1), Report()};
        ASSERT_EQ(write(device, press, sizeof press), static_cast<ssize_t>(sizeof press));
        ASSERT_TRUE(Readable(keys.EventFd()));
        EXPECT_TRUE(keys.TakeEvents());
        EXPECT_TRUE(keys.IsKeyDown(vk::Tab)) << round;
        // Unplugged: the node goes, the device reads end of file.
        fs::remove(folder / "event7");
        fs::remove(folder / "mouse0");
        close(device);
        EXPECT_TRUE(keys.TakeEvents());
        EXPECT_FALSE(keys.IsKeyDown(vk::Tab));
        EXPECT_FALSE(keys.HasKeyboards());
    }
    fs::remove_all(folder);
}

}  // namespace
}  // namespace padrix::testing
