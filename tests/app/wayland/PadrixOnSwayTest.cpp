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
#include <optional>
#include <string>
#include <vector>

#include "PaddedProgram.h"
#include "SwayServer.h"
#include "WaylandClientWindow.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {
namespace {

// Virtual Game Station: A types J, B types K, M+A Escape, M+Y Alt+C.
constexpr int kA = 0;
constexpr int kB = 1;
constexpr int kY = 3;
constexpr int kM = 9;

class PadrixOnSway : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sway.ok()) << sway.error();
        ASSERT_TRUE(keys.ok());
        ASSERT_TRUE(program.installed());
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
        ASSERT_TRUE(focused.WaitForLine("focus in"));
    }

    std::string Status() { return program.Ask("status"); }

    void Press(int button, bool down) {
        ASSERT_TRUE(program.Pad("b 1 " + std::to_string(button) + (down ? " 1" : " 0")));
    }

    // Each of `lines` arrives at `window`, in order; a line ending in a space
    // is a prefix.
    static void Expect(WaylandClientWindow& window, const std::vector<std::string>& lines) {
        for (const std::string& line : lines) {
            EXPECT_TRUE(window.WaitForLine([&line](const std::string& seen) {
                return line.back() == ' ' ? seen.rfind(line, 0) == 0 : seen == line;
            })) << "no \""
                << line << "\"";
        }
    }

    // Lines starting with each of `prefixes` arrive at `window`, in any order.
    static void ExpectAll(WaylandClientWindow& window, std::vector<std::string> prefixes) {
        EXPECT_TRUE(window.WaitForLine([&prefixes](const std::string& seen) {
            std::erase_if(prefixes, [&seen](const std::string& p) { return seen.starts_with(p); });
            return prefixes.empty();
        })) << "none of "
            << ::testing::PrintToString(prefixes);
    }

    SwayServer sway;
    WaylandClientWindow keys{sway, "Padrix keys"};
    QTemporaryDir dir = [] {
        QTemporaryDir d;
        d.setAutoRemove(false);
        return d;
    }();
    PaddedProgram program{{ProgramEnv(), dir.path().toStdString(), 1}};
};

// Unless told otherwise, the program sends through the compositor, says so,
// and types; a SIGKILL with keys held leaves none down; M+Y steers the
// pointer and clicks. Told "x11", it sends through XTest and says so.
TEST_F(PadrixOnSway, TypesAndClicksThroughTheCompositor) {
    Store({});
    Start(keys);
    EXPECT_NE(Status().find("output wayland\n"), std::string::npos) << Status();
    Press(kA, true);
    Press(kA, false);
    Expect(keys, {"key 36 down j", "key 36 up j"});
    Press(kA, true);
    Press(kB, true);
    Expect(keys, {"key 36 down j", "key 37 down k"});
    // The compositor lets go of what a killed client's keyboard held.
    ASSERT_EQ(program.Kill(SIGKILL), "");
    ExpectAll(keys, {"key 36 up ", "key 37 up "});

    Start(keys);
    Press(kM, true);
    Press(kY, true);
    Expect(keys, {"key 56 down Alt_L", "key 46 down c", "key 56 up Alt_L"});
    Press(kY, false);
    Press(kM, false);
    ASSERT_TRUE(program.Pad("a 1 0 32767"));
    Expect(keys, {"pointer motion "});
    ASSERT_TRUE(program.Pad("a 1 0 0"));
    Press(kA, true);
    Press(kA, false);
    Expect(keys, {"button 272 down", "button 272 up"});
    ASSERT_EQ(program.Kill(SIGTERM), "");

    Store({{"Output", "x11"}});
    ASSERT_EQ(program.Start(), "");
    EXPECT_NE(Status().find("output xtest\n"), std::string::npos) << Status();
}

// A native window titled like the profile "Arena" is found, activated and
// given Enter as the program starts the emulator; with
// "Follow the active window" on, focus moves between native windows switch
// the profile, and a key held across a switch goes up.
TEST_F(PadrixOnSway, NativeTitlesChooseTheProfile) {
    WaylandClientWindow arena(sway, "Arena - stage 1");
    ASSERT_TRUE(arena.ok());
    const auto focus = [&](const std::string& title) {
        return !sway.Message({"[title=\"^" + title + "\"] focus"}).empty();
    };
    ASSERT_TRUE(focus("Padrix keys"));
    Store({{"Autodetect", "True"}, {"VGSStartUp", "True"}});
    Start(arena);
    EXPECT_NE(Status().find("profile Arena\n"), std::string::npos) << Status();
    Expect(arena, {"key 28 down Return"});
    ASSERT_EQ(program.Kill(SIGTERM), "");

    ASSERT_TRUE(focus("Padrix keys"));
    Store({{"Autodetect", "False"}, {"VGSStartUp", "False"}, {"FollowWindow", "True"}});
    Start(keys);
    EXPECT_TRUE(WaitUntil([&] { return Status().find("layout ") != std::string::npos; }));
    ASSERT_TRUE(focus("Arena"));
    EXPECT_TRUE(WaitUntil([&] { return Status().find("profile Arena\n") != std::string::npos; }));
    Press(kA, true);
    Expect(arena, {"key 33 down f"});
    ASSERT_TRUE(focus("Padrix keys"));
    Expect(keys, {"key 33 up ", "key 36 down j"});
    Press(kA, false);
    Expect(keys, {"key 36 up j"});
}

// The service and path of the first item waybar's tray holds, or nothing.
std::optional<std::pair<std::string, std::string>> FirstTrayItem(const std::string& bus) {
    const std::string said = OutputOf(
        {"dbus-send", "--bus=" + bus, "--print-reply", "--dest=org.kde.StatusNotifierWatcher",
         "/StatusNotifierWatcher", "org.freedesktop.DBus.Properties.Get",
         "string:org.kde.StatusNotifierWatcher", "string:RegisteredStatusNotifierItems"});
    const auto start = said.find("string \"");
    if (start == std::string::npos) {
        return std::nullopt;
    }
    const std::string item = said.substr(start + 8, said.find('"', start + 8) - start - 8);
    const auto slash = item.find('/');
    return slash == std::string::npos ? std::pair{item, std::string("/StatusNotifierItem")}
                                      : std::pair{item.substr(0, slash), item.substr(slash)};
}

// On a session bus with waybar, the icon sits in waybar's tray. Waybar's
// click asks the icon to activate, as every StatusNotifierItem host does, and
// has no double click: that activation starts the emulator, which here is a
// native window that gets the focus and Enter. Told "x11", the program says
// once, as a desktop notification, that keys reach only X programs.
TEST_F(PadrixOnSway, TheIconSitsInWaybarAndAClickActivatesTheEmulator) {
    WaylandClientWindow emulator(sway, "Connectix Virtual Game Station");
    ASSERT_TRUE(emulator.ok());
    ASSERT_FALSE(sway.Message({"[title=\"^Padrix keys\"] focus"}).empty());
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
        return OutputOf({"dbus-send", "--bus=" + bus, "--print-reply",
                         "--dest=org.freedesktop.DBus", "/", "org.freedesktop.DBus.NameHasOwner",
                         "string:org.kde.StatusNotifierWatcher"})
                   .find("true") != std::string::npos;
    })) << "waybar's tray did not start";

    session["WAYLAND_DISPLAY"] = sway.runtimeFolder() + "/" + session["WAYLAND_DISPLAY"];
    PaddedProgram tray({ProgramEnvironment(session, folder + "/tray", "xcb"), folder + "/tray", 1});
    ASSERT_TRUE(tray.installed());
    Store(tray, {});
    ASSERT_EQ(tray.Start(), "");
    std::optional<std::pair<std::string, std::string>> item;
    ASSERT_TRUE(WaitUntil([&] { return (item = FirstTrayItem(bus)).has_value(); }))
        << "no icon in the tray";
    ASSERT_FALSE(
        OutputOf({"dbus-send", "--bus=" + bus, "--print-reply", "--dest=" + item->first,
                  item->second, "org.kde.StatusNotifierItem.Activate", "int32:0", "int32:0"})
            .empty());
    Expect(emulator, {"focus in", "key 28 down Return"});
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
