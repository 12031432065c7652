// Keys and clicks through a headless sway's virtual keyboard and pointer, as
// a native Wayland window receives them.
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <wayland-client.h>

#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "SwayServer.h"
#include "WaylandClientWindow.h"
#include "platform/Backend.h"
#include "platform/wayland/WaylandConnection.h"
#include "platform/wayland/XkbKeymap.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"

namespace padrix::testing {
namespace {

constexpr std::uint8_t kShift = 16;
constexpr std::uint8_t kCtrl = 17;
// What Await leaves when every line came.
const std::vector<std::string> kNone;

struct Press {
    std::uint8_t vk;
    bool down;
};

// A second keyboard on the seat, a virtual one of the test's own.
struct OtherKeyboard {
    std::unique_ptr<wayland::WaylandConnection> connection;
    std::unique_ptr<wl_seat, decltype(&wl_seat_destroy)> seat{nullptr, wl_seat_destroy};
    std::unique_ptr<zwp_virtual_keyboard_manager_v1,
                    decltype(&zwp_virtual_keyboard_manager_v1_destroy)>
        manager{nullptr, zwp_virtual_keyboard_manager_v1_destroy};
    std::unique_ptr<zwp_virtual_keyboard_v1, decltype(&zwp_virtual_keyboard_v1_destroy)> keyboard{
        nullptr, zwp_virtual_keyboard_v1_destroy};
    bool typed = false;
};

// A keyboard with the keymap of `layout` that has pressed and released
// Shift: while it lives, the seat's keymap is its own.
OtherKeyboard TypeShiftOn(const std::string& socket, const std::string& layout) {
    OtherKeyboard k;
    auto opened = wayland::WaylandConnection::Open(socket);
    auto* connection = std::get_if<std::unique_ptr<wayland::WaylandConnection>>(&opened);
    const auto keymap = wayland::XkbKeymap::OfLayout(layout);
    if (connection == nullptr || !keymap) {
        return k;
    }
    k.connection = std::move(*connection);
    k.seat.reset(k.connection->Bind<wl_seat>(wl_seat_interface, 1));
    k.manager.reset(k.connection->Bind<zwp_virtual_keyboard_manager_v1>(
        zwp_virtual_keyboard_manager_v1_interface, 1));
    if (!k.seat || !k.manager) {
        return k;
    }
    k.keyboard.reset(
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(k.manager.get(), k.seat.get()));
    const std::string& text = keymap->text();
    const int fd = memfd_create("test-keymap", MFD_CLOEXEC);
    if (write(fd, text.c_str(), text.size() + 1) == static_cast<ssize_t>(text.size() + 1)) {
        zwp_virtual_keyboard_v1_keymap(k.keyboard.get(), WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                       static_cast<std::uint32_t>(text.size() + 1));
        for (const auto state : {WL_KEYBOARD_KEY_STATE_PRESSED, WL_KEYBOARD_KEY_STATE_RELEASED}) {
            zwp_virtual_keyboard_v1_key(k.keyboard.get(), 0, KEY_LEFTSHIFT, state);
        }
        k.typed = k.connection->Roundtrip();
    }
    close(fd);
    return k;
}

// The x and y of a "pointer enter|motion <x> <y>" line.
ScreenPoint PointerAt(const std::string& line) {
    std::istringstream words(line);
    std::string pointer, what;
    ScreenPoint p;
    words >> pointer >> what >> p.x >> p.y;
    return p;
}

// A headless sway with a native window that has the keyboard focus and the
// pointer, and Padrix's platform opened on it with output "wayland".
class PlatformWaylandOutput : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sway.ok()) << sway.error();
        ASSERT_TRUE(window.ok());
        SessionEnvironment env;
        env.waylandDisplay = Socket();
        env.uinputPath = "/nonexistent/uinput";
        PlatformOpening opening = OpenDesktopPlatform("wayland", env);
        ASSERT_TRUE(std::holds_alternative<DesktopPlatform>(opening))
            << std::get<PlatformError>(opening).message;
        platform = std::get<DesktopPlatform>(std::move(opening));
        ASSERT_EQ(platform.backend, OutputBackend::kWayland);
        // Our keyboard is the seat's first: the window reads it once it has
        // been told that it is there.
        ASSERT_EQ(window.Await({"focus in"}), kNone);
    }

    std::string Socket() const {
        return sway.runtimeFolder() + "/" + sway.Env().at("WAYLAND_DISPLAY");
    }

    void Send(const std::vector<Press>& presses) {
        for (const Press& p : presses) {
            platform.output->SendKey(p.vk, p.down, 0);
        }
    }

    SwayServer sway;
    WaylandClientWindow window{sway, "Padrix keys"};
    DesktopPlatform platform;
};

// Each key at its place on a US keymap, with the modifiers it leaves held:
// the window reads Shift and Ctrl combinations (Alt's is the program's test).
TEST_F(PlatformWaylandOutput, KeysArriveWithTheirModifiers) {
    const struct {
        std::vector<Press> presses;
        std::vector<std::string> lines;
    } cases[] = {
        {{{kShift, true}, {'A', true}, {'A', false}, {kShift, false}},
         {"key 42 down Shift_L", "mods 1 0 0 0", "key 30 down A", "key 30 up A",
          "key 42 up Shift_L", "mods 0 0 0 0"}},
        {{{kCtrl, true},
          {kShift, true},
          {'X', true},
          {'X', false},
          {kShift, false},
          {kCtrl, false}},
         {"mods 4 0 0 0", "mods 5 0 0 0", "key 45 down X", "mods 4 0 0 0", "mods 0 0 0 0"}},
    };
    for (const auto& c : cases) {
        Send(c.presses);
        EXPECT_EQ(window.Await(c.lines), kNone);
    }
}

// Once a French keyboard has typed, the seat's keymap is French and each
// key is pressed where the X11 output presses it on that layout.
TEST_F(PlatformWaylandOutput, FollowsTheSeatKeymapToFrench) {
    const OtherKeyboard french = TypeShiftOn(Socket(), "fr");
    ASSERT_TRUE(french.typed);
    ASSERT_TRUE(WaitUntil([&] { return platform.layout->Current().KeyOfVk('Q') == KEY_A; }));
    const struct {
        std::uint8_t vk;
        std::string down;
    } cases[] = {
        {'Q', "key 30 down q"},        {'A', "key 16 down a"},     {'M', "key 39 down m"},
        {'1', "key 2 down ampersand"}, {188, "key 50 down comma"}, {190, "key 52 down colon"},
    };
    for (const auto& c : cases) {
        Send({{c.vk, true}, {c.vk, false}});
        EXPECT_EQ(window.Await({c.down}), kNone);
    }
}

// Two moves, by (10, 5) and then by (20, 10): the window sees the second as
// a motion by (20, 10) from where the first left the pointer (whether it saw
// that as a motion or as the pointer entering).
TEST_F(PlatformWaylandOutput, PointerMovesByWhatWasSetAndClicks) {
    platform.output->MovePointer({10, 5});
    platform.output->MovePointer({30, 15});
    std::optional<ScreenPoint> last;
    EXPECT_TRUE(window.WaitForLine([&](const std::string& line) {
        const bool motion = line.rfind("pointer motion ", 0) == 0;
        if (!motion && line.rfind("pointer enter ", 0) != 0) {
            return false;
        }
        const ScreenPoint p = PointerAt(line);
        const bool bySecondMove = motion && last && p == ScreenPoint{last->x + 20, last->y + 10};
        last = p;
        return bySecondMove;
    }));
    EXPECT_EQ(platform.output->PointerPosition(), (ScreenPoint{30, 15}));
    for (const MouseButton button : {MouseButton::kLeft, MouseButton::kRight}) {
        platform.output->SendMouseButton(button, true);
        platform.output->SendMouseButton(button, false);
    }
    EXPECT_EQ(
        window.Await({"button 272 down", "button 272 up", "button 273 down", "button 273 up"}),
        kNone);
}

// A socket that takes the connection and never answers: opening gives up
// after the time it was given, with a message that says so.
TEST(PlatformWaylandConnection, ACompositorThatNeverAnswersIsGivenUp) {
    char folder[] = "/tmp/padrix-silent.XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    const std::string path = std::string(folder) + "/wayland-0";
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 1), 0);
    const auto opened = wayland::WaylandConnection::Open(path, std::chrono::milliseconds(20));
    ASSERT_TRUE(std::holds_alternative<std::string>(opened));
    EXPECT_NE(std::get<std::string>(opened).find("does not answer"), std::string::npos);
    close(listener);
    unlink(path.c_str());
    rmdir(folder);
}

}  // namespace
}  // namespace padrix::testing
