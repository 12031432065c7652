#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "XvfbServer.h"
#include "platform/Backend.h"

namespace padrix::testing {
namespace {

SessionEnvironment Env(std::string display, std::string wayland = "",
                       std::string uinput = "/nonexistent/uinput") {
    SessionEnvironment env;
    env.display = std::move(display);
    env.waylandDisplay = std::move(wayland);
    env.uinputPath = std::move(uinput);
    env.picturesFolder = "/nonexistent/pictures";
    return env;
}

TEST(PlatformBackend, AnXDisplayGivesTheX11BackendAlsoOnWaylandWithoutUinput) {
    XvfbServer xvfb{64, 64};
    ASSERT_TRUE(xvfb.ok());
    for (const char* wayland : {"", "wayland-0"}) {
        const PlatformOpening opening = OpenDesktopPlatform("", Env(xvfb.display(), wayland));
        const auto* platform = std::get_if<DesktopPlatform>(&opening);
        ASSERT_NE(platform, nullptr) << std::get<PlatformError>(opening).message;
        EXPECT_EQ(platform->backend, OutputBackend::kX11);
        EXPECT_TRUE(platform->output && platform->keys && platform->screenshots &&
                    platform->windows);
        EXPECT_FALSE(platform->windows->ActivateByTitle("No such window"));
        // Neither the compositor nor a portal: Print Screen says it takes no picture.
        EXPECT_EQ(std::ranges::count(platform->notices, PlatformNotice::kNoScreenshots),
                  *wayland != '\0' ? 1 : 0);
    }
}

TEST(PlatformBackend, FailuresSayWhyAndWhatToDo) {
    XvfbServer xvfb{64, 64};
    ASSERT_TRUE(xvfb.ok());
    const std::string notUinput =
        (std::filesystem::temp_directory_path() / ("padrix-not-uinput-" + std::to_string(getpid())))
            .string();
    std::ofstream(notUinput) << "";
    const struct {
        std::string setting;
        SessionEnvironment env;
        std::vector<std::string> mentions;
    } cases[] = {
        // Asked for uinput: no quiet fallback to X11.
        {"uinput", Env(xvfb.display()), {"/nonexistent/uinput", "modprobe uinput", "\"Output\""}},
        {" UInput ", Env(xvfb.display()), {"/nonexistent/uinput"}},
        {"uinput", Env("", "", notUinput), {notUinput}},
        // Neither a display nor the device.
        {"", Env(""), {"DISPLAY", "/nonexistent/uinput"}},
        {"", Env(":65000"), {":65000", "/nonexistent/uinput"}},
        {"", Env("", "wayland-0"), {"/nonexistent/uinput"}},
    };
    for (const auto& c : cases) {
        const PlatformOpening opening = OpenDesktopPlatform(c.setting, c.env);
        const auto* error = std::get_if<PlatformError>(&opening);
        ASSERT_NE(error, nullptr) << "setting '" << c.setting << "'";
        for (const std::string& m : c.mentions) {
            EXPECT_NE(error->message.find(m), std::string::npos) << error->message;
        }
    }
    std::filesystem::remove(notUinput);
}

}  // namespace
}  // namespace padrix::testing
