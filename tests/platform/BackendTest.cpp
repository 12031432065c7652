#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>

#include "SwayServer.h"
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
    for (const char* wayland : {"", "/nonexistent/wayland-0"}) {
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
        {"", Env("", "/nonexistent/wayland-0"), {"/nonexistent/uinput"}},
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

// On a Wayland session the compositor's virtual keyboard comes first and
// XTest into XWayland last, which is said once; a forced choice is taken or
// says why not.
TEST(PlatformBackend, OnWaylandTheCompositorComesFirst) {
    SwayServer sway;
    ASSERT_TRUE(sway.ok()) << sway.error();
    // XWayland admits only sway's own user: an X display of the test's own
    // stands in for it.
    XvfbServer xvfb{64, 64};
    ASSERT_TRUE(xvfb.ok());
    const std::string socket = sway.runtimeFolder() + "/" + sway.Env().at("WAYLAND_DISPLAY");
    const std::string xwayland = xvfb.display();
    const std::string noCompositor = "/nonexistent/wayland-0";
    const struct {
        std::string setting;
        SessionEnvironment env;
        std::optional<OutputBackend> backend;  // none: an error that mentions...
        std::vector<std::string> mentions;
    } cases[] = {
        {"", Env(xwayland, socket), OutputBackend::kWayland, {}},
        {" Auto", Env(xwayland, socket), OutputBackend::kWayland, {}},
        {"wayland", Env("", socket), OutputBackend::kWayland, {}},
        {"x11", Env(xwayland, socket), OutputBackend::kX11, {}},
        {"", Env(xwayland, noCompositor), OutputBackend::kX11, {}},
        {"wayland", Env(xwayland), std::nullopt, {"WAYLAND_DISPLAY", "\"Output\""}},
        {"wayland", Env(xwayland, noCompositor), std::nullopt, {noCompositor}},
        {"x11", Env("", socket), std::nullopt, {"DISPLAY", "\"Output\""}},
        {"", Env("", noCompositor), std::nullopt, {noCompositor, "/nonexistent/uinput", "DISPLAY"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("setting '" + c.setting + "', wayland '" + c.env.waylandDisplay + "'");
        const PlatformOpening opening = OpenDesktopPlatform(c.setting, c.env);
        if (const auto* error = std::get_if<PlatformError>(&opening)) {
            EXPECT_FALSE(c.backend) << error->message;
            for (const std::string& m : c.mentions) {
                EXPECT_NE(error->message.find(m), std::string::npos) << error->message;
            }
            continue;
        }
        const auto& platform = std::get<DesktopPlatform>(opening);
        ASSERT_TRUE(c.backend);
        EXPECT_EQ(platform.backend, *c.backend);
        EXPECT_TRUE(platform.output && platform.keys && platform.screenshots && platform.windows &&
                    platform.activeWindow && platform.layout);
        const bool onlyX = *c.backend == OutputBackend::kX11;
        EXPECT_EQ(std::count(platform.notices.begin(), platform.notices.end(),
                             PlatformNotice::kKeysReachOnlyXPrograms),
                  onlyX ? 1 : 0);
        EXPECT_EQ(platform.events != nullptr, *c.backend == OutputBackend::kWayland);
    }
}

}  // namespace
}  // namespace padrix::testing
