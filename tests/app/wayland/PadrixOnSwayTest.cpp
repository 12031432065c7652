// The real program with virtual pads on a headless sway: keys and clicks
// reach native Wayland windows through the compositor, native titles choose
// the profile, and a SIGKILL leaves no key down.
#include <gtest/gtest.h>
#include <signal.h>

#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "PaddedProgram.h"
#include "SwayServer.h"
#include "WaylandClientWindow.h"
#include "platform/wayland/WaylandConnection.h"
#include "settings/IniSettingsStore.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace padrix::testing {
namespace {

// Virtual Game Station: A types J, B types K, M+A Escape, M+Y Alt+C.
constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kY = 3;
constexpr int kM = 9;
// What Await leaves when every line came.
const std::vector<std::string> kNone;

// A mouse on the seat that stays, as on every desktop: a virtual pointer of
// the test's own, so that the seat keeps a pointer when the program's goes.
struct SeatMouse {
    explicit SeatMouse(const SwayServer& sway) {
        auto opened = wayland::WaylandConnection::Open(sway.runtimeFolder() + "/" +
                                                       sway.Env().at("WAYLAND_DISPLAY"));
        if (auto* c = std::get_if<std::unique_ptr<wayland::WaylandConnection>>(&opened)) {
            connection = std::move(*c);
            seat.reset(connection->Bind<wl_seat>(wl_seat_interface, 1));
            manager.reset(connection->Bind<zwlr_virtual_pointer_manager_v1>(
                zwlr_virtual_pointer_manager_v1_interface, 1));
            pointer.reset(
                zwlr_virtual_pointer_manager_v1_create_virtual_pointer(manager.get(), seat.get()));
            connection->Roundtrip();
        }
    }
    std::unique_ptr<wayland::WaylandConnection> connection;
    std::unique_ptr<wl_seat, decltype(&wl_seat_destroy)> seat{nullptr, wl_seat_destroy};
    std::unique_ptr<zwlr_virtual_pointer_manager_v1,
                    decltype(&zwlr_virtual_pointer_manager_v1_destroy)>
        manager{nullptr, zwlr_virtual_pointer_manager_v1_destroy};
    std::unique_ptr<zwlr_virtual_pointer_v1, decltype(&zwlr_virtual_pointer_v1_destroy)> pointer{
        nullptr, zwlr_virtual_pointer_v1_destroy};
};

class PadrixOnSway : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sway.ok()) << sway.error();
        ASSERT_TRUE(keys.ok());
    }

    // The program's own folders under sway's session; the Wayland socket by
    // its full path, as the runtime folder is the program's.
    Environment ProgramEnv() {
        Environment env = sway.Env();
        env["WAYLAND_DISPLAY"] = sway.runtimeFolder() + "/" + env["WAYLAND_DISPLAY"];
        return ProgramEnvironment(env, dir.path().toStdString(), "offscreen");
    }

    void Store(const std::map<std::string, std::string>& custom) { Store(program, custom); }
    static void Store(const PaddedProgram& padrix,
                      const std::map<std::string, std::string>& custom) {
        IniSettingsStore store(padrix.settingsPath());
        store.SaveSetting("Custom", "Select", "False");
        store.SaveSetting("Custom", "VGSStartUp", "False");
        for (const auto& [key, value] : custom) {
            store.SaveSetting("Custom", key, value);
        }
        store.SaveSetting("Names", "1", "Arena");
        store.SaveSetting("Arena", "3", "70");  // A types F
    }

    // Started, and the window that takes the focus has been told of the
    // seat's keyboard (ours is its first): keys sent before then are not read.
    void Start(WaylandClientWindow& focused) {
        ASSERT_EQ(program.Start(), "");
        ASSERT_EQ(focused.Await({"focus in"}), kNone);
    }

    std::string Status() { return program.Ask("status"); }

    void Press(int button, bool down) {
        ASSERT_TRUE(program.Pad("b 1 " + std::to_string(button) + (down ? " 1" : " 0")));
    }

    SwayServer sway;
    SeatMouse mouse{sway};
    WaylandClientWindow keys{sway, "Padrix keys"};
    QTemporaryDir dir;
    PaddedProgram program{{ProgramEnv(), dir.path().toStdString(), 1}};
};

// Unless told otherwise, the program sends through the compositor, says so,
// and types; a SIGKILL with keys held leaves none down; M+Y steers the
// pointer and clicks. The seat has a mouse of its own, as desktops do.
TEST_F(PadrixOnSway, TypesAndClicksThroughTheCompositor) {
    Store({});
    Start(keys);
    EXPECT_NE(Status().find("output wayland\n"), std::string::npos) << Status();
    Press(kA, true);
    Press(kA, false);
    EXPECT_EQ(keys.Await({"key 36 down j", "key 36 up j"}), kNone);
    Press(kA, true);
    Press(kB, true);
    EXPECT_EQ(keys.Await({"key 36 down j", "key 37 down k"}), kNone);
    // The compositor lets go of what a killed client's keyboard held.
    ASSERT_EQ(program.Kill(SIGKILL), "");
    EXPECT_EQ(keys.Await({"key 36 up ", "key 37 up "}, true), kNone);

    // Buttons held in mouse mode go up however the program ends: it lets go
    // of them at SIGTERM, its guardian at SIGKILL.
    for (const int signal : {SIGTERM, SIGKILL}) {
        Start(keys);
        Press(kM, true);
        Press(kY, true);
        EXPECT_EQ(keys.Await({"key 56 down Alt_L", "key 46 down c", "key 56 up Alt_L"}), kNone);
        Press(kY, false);
        Press(kM, false);
        ASSERT_TRUE(program.Pad("a 1 0 32767"));
        EXPECT_EQ(keys.Await({"pointer motion "}), kNone);
        ASSERT_TRUE(program.Pad("a 1 0 0"));
        Press(kA, true);
        Press(kB, true);
        EXPECT_EQ(keys.Await({"button 272 down", "button 273 down"}), kNone);
        ASSERT_EQ(program.Kill(signal), "");
        EXPECT_EQ(keys.Await({"button 272 up", "button 273 up"}, true), kNone) << signal;
    }
}

// A native window titled like the profile "Arena" is found, activated and
// given Enter as the program starts the emulator; with
// "Follow the active window" on, focus moves between native windows switch
// the profile, and a key held across a switch goes up.
TEST_F(PadrixOnSway, NativeTitlesChooseTheProfile) {
    WaylandClientWindow arena(sway, "Arena - stage 1");
    ASSERT_TRUE(sway.Focus("Padrix keys"));
    Store({{"Autodetect", "True"}, {"VGSStartUp", "True"}});
    Start(arena);
    EXPECT_NE(Status().find("profile Arena\n"), std::string::npos) << Status();
    EXPECT_EQ(arena.Await({"key 28 down Return"}), kNone);
    ASSERT_EQ(program.Kill(SIGTERM), "");

    ASSERT_TRUE(sway.Focus("Padrix keys"));
    Store({{"Autodetect", "False"}, {"VGSStartUp", "False"}, {"FollowWindow", "True"}});
    Start(keys);
    EXPECT_TRUE(WaitUntil([&] { return Status().find("layout ") != std::string::npos; }));
    ASSERT_TRUE(sway.Focus("Arena"));
    EXPECT_TRUE(WaitUntil([&] { return Status().find("profile Arena\n") != std::string::npos; }));
    Press(kA, true);
    EXPECT_EQ(arena.Await({"key 33 down f"}), kNone);
    ASSERT_TRUE(sway.Focus("Padrix keys"));
    EXPECT_EQ(keys.Await({"key 33 up ", "key 36 down j"}), kNone);
    Press(kA, false);
    EXPECT_EQ(keys.Await({"key 36 up j"}), kNone);
}

// What dbus-send prints for a call on the bus at `address`; empty on failure.
std::string BusCall(const std::string& address, const std::vector<std::string>& call) {
    std::vector<std::string> argv = {"dbus-send", "--bus=" + address, "--print-reply"};
    argv.insert(argv.end(), call.begin(), call.end());
    return OutputOf(argv);
}

// On a session bus with waybar, the icon sits in waybar's tray. Waybar's
// click asks the icon to activate, as every StatusNotifierItem host does, and
// has no double click: that activation starts the emulator, which here is a
// native window that gets the focus and Enter. Told "x11", the program says
// once, as a desktop notification, that keys reach only X programs.
TEST_F(PadrixOnSway, TheIconSitsInWaybarAndAClickActivatesTheEmulator) {
    WaylandClientWindow emulator(sway, "Connectix Virtual Game Station");
    ASSERT_TRUE(sway.Focus("Padrix keys"));
    const std::string folder = dir.path().toStdString();
    const std::string bus = "unix:path=" + folder + "/bus";
    Child daemon({"dbus-daemon", "--session", "--nofork", "--address=" + bus});
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(folder + "/bus"); }));
    const std::string notifications = folder + "/notifications";
    Child monitor({"sh", "-c",
                   "exec dbus-monitor --address \"$0\" "
                   "interface=org.freedesktop.Notifications,member=Notify > \"$1\"",
                   bus, notifications});
    Environment session = sway.Env();
    session["DBUS_SESSION_BUS_ADDRESS"] = bus;
    session["HOME"] = folder;
    const std::string config = folder + "/waybar.json";
    std::ofstream(config) << R"({"height": 32, "modules-right": ["tray"]})";
    Child waybar({"waybar", "-c", config}, session);
    ASSERT_TRUE(WaitUntil([&] {
        return BusCall(bus,
                       {"--dest=org.freedesktop.DBus", "/", "org.freedesktop.DBus.NameHasOwner",
                        "string:org.kde.StatusNotifierWatcher"})
                   .find("true") != std::string::npos;
    })) << "waybar's tray did not start";

    session["WAYLAND_DISPLAY"] = sway.runtimeFolder() + "/" + session["WAYLAND_DISPLAY"];
    PaddedProgram tray({ProgramEnvironment(session, folder + "/tray", "xcb"), folder + "/tray", 1});
    Store(tray, {});
    ASSERT_EQ(tray.Start(), "");
    // The watcher lists the icon as "<its connection>/StatusNotifierItem".
    std::string items;
    ASSERT_TRUE(WaitUntil([&] {
        items = BusCall(
            bus, {"--dest=org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                  "org.freedesktop.DBus.Properties.Get", "string:org.kde.StatusNotifierWatcher",
                  "string:RegisteredStatusNotifierItems"});
        return items.find("/StatusNotifierItem") != std::string::npos;
    })) << "no icon in the tray";
    const std::size_t end = items.find("/StatusNotifierItem");
    const std::size_t start = items.rfind('"', end) + 1;
    ASSERT_FALSE(BusCall(bus, {"--dest=" + items.substr(start, end - start), "/StatusNotifierItem",
                               "org.kde.StatusNotifierItem.Activate", "int32:0", "int32:0"})
                     .empty());
    EXPECT_EQ(emulator.Await({"focus in", "key 28 down Return"}), kNone);
    ASSERT_EQ(tray.Kill(SIGTERM), "");

    Store(tray, {{"Output", "x11"}});
    ASSERT_EQ(tray.Start(), "");
    const auto toldOfXOnly = [&] {
        std::ifstream in(notifications);
        const std::string said((std::istreambuf_iterator<char>(in)), {});
        int count = 0;
        for (auto at = said.find("Keys reach only X programs"); at != std::string::npos;
             at = said.find("Keys reach only X programs", at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_TRUE(WaitUntil([&] { return toldOfXOnly() > 0; }));
    EXPECT_NE(tray.Ask("status").find("output xtest\n"), std::string::npos);
    EXPECT_EQ(toldOfXOnly(), 1);
}

}  // namespace
}  // namespace padrix::testing
