#include <gtest/gtest.h>

#include <unistd.h>
#include <filesystem>
#include <fstream>

#include "XvfbServer.h"
#include "platform/Backend.h"

namespace padrix::testing {
namespace {

const PlatformError* ErrorOf(const PlatformOpening& opening) {
    return std::get_if<PlatformError>(&opening);
}

const DesktopPlatform* PlatformOf(const PlatformOpening& opening) {
    return std::get_if<DesktopPlatform>(&opening);
}

class PlatformBackend : public ::testing::Test {
  protected:
    SessionEnvironment Env(std::string display, std::string wayland = "") {
        SessionEnvironment env;
        env.display = std::move(display);
        env.waylandDisplay = std::move(wayland);
        env.uinputPath = "/nonexistent/uinput";
        env.picturesFolder = "/nonexistent/pictures";
        return env;
    }
    XvfbServer xvfb{64, 64};
};

TEST_F(PlatformBackend, AnXDisplayGivesTheX11Backend) {
    const PlatformOpening opening = OpenDesktopPlatform("", Env(xvfb.display()));
    const DesktopPlatform* platform = PlatformOf(opening);
    ASSERT_NE(platform, nullptr) << ErrorOf(opening)->message;
    EXPECT_EQ(platform->backend, OutputBackend::kX11);
    EXPECT_TRUE(platform->pointerReadable);
    EXPECT_TRUE(platform->output && platform->keys && platform->beeper && platform->screenshots &&
                platform->windows);
    EXPECT_FALSE(platform->windows->ActivateByTitle("No such window"));
}

TEST_F(PlatformBackend, WaylandFallsBackToXWaylandWhenUinputIsClosed) {
    const PlatformOpening opening = OpenDesktopPlatform("", Env(xvfb.display(), "wayland-0"));
    const DesktopPlatform* platform = PlatformOf(opening);
    ASSERT_NE(platform, nullptr);
    EXPECT_EQ(platform->backend, OutputBackend::kX11);
}

TEST_F(PlatformBackend, FailuresSayWhyAndWhatToDo) {
    struct Case {
        std::string setting;
        SessionEnvironment env;
        std::vector<std::string> mentions;
    };
    const std::vector<Case> cases = {
        // Asked for uinput: no quiet fallback to X11.
        {"uinput", Env(xvfb.display()), {"/nonexistent/uinput", "modprobe uinput", "\"Output\""}},
        {" UInput ", Env(xvfb.display()), {"/nonexistent/uinput"}},
        // Neither a display nor the device.
        {"", Env(""), {"DISPLAY", "/nonexistent/uinput"}},
        {"", Env(":65000"), {":65000", "/nonexistent/uinput"}},
        {"", Env("", "wayland-0"), {"/nonexistent/uinput"}},
    };
    for (const Case& c : cases) {
        const PlatformOpening opening = OpenDesktopPlatform(c.setting, c.env);
        const PlatformError* error = ErrorOf(opening);
        ASSERT_NE(error, nullptr) << "setting '" << c.setting << "'";
        for (const std::string& m : c.mentions) {
            EXPECT_NE(error->message.find(m), std::string::npos) << error->message;
        }
    }
}

TEST_F(PlatformBackend, ANodeThatIsNoUinputDeviceIsRefused) {
    const auto file = std::filesystem::temp_directory_path() /
                      ("padrix-not-uinput-" + std::to_string(::getpid()));
    std::ofstream(file) << "";
    SessionEnvironment env = Env("");
    env.uinputPath = file.string();
    const PlatformOpening opening = OpenDesktopPlatform("uinput", env);
    std::filesystem::remove(file);
    const PlatformError* error = ErrorOf(opening);
    ASSERT_NE(error, nullptr);
    EXPECT_NE(error->message.find(file.string()), std::string::npos) << error->message;
}

}  // namespace
}  // namespace padrix::testing
