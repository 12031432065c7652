#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/DisplayCheck.h"

namespace padrix::testing {
namespace {

namespace fs = std::filesystem;

// A Wayland compositor's socket: listening, so that a connect succeeds.
class ListeningSocket {
  public:
    explicit ListeningSocket(const fs::path& path) : fd_(socket(AF_UNIX, SOCK_STREAM, 0)) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
        ok_ = fd_ >= 0 && bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
              listen(fd_, 4) == 0;
    }
    ~ListeningSocket() { close(fd_); }
    ListeningSocket(const ListeningSocket&) = delete;
    ListeningSocket& operator=(const ListeningSocket&) = delete;
    bool ok() const { return ok_; }

  private:
    int fd_;
    bool ok_ = false;
};

TEST(PlatformDisplayCheck, ALiveWaylandSocketIsADesktopByNameOrByPath) {
    const fs::path runtime = fs::temp_directory_path() / ("padrix-wl-" + std::to_string(getpid()));
    fs::create_directories(runtime);
    const ListeningSocket compositor(runtime / "wayland-7");
    ASSERT_TRUE(compositor.ok());
    const std::string absolute = (runtime / "wayland-7").string();
    const struct {
        DisplayNames names;
        const char* missing;  // a part of the message, or nullptr: accepted
    } cases[] = {
        {{"", "wayland-7", runtime.string()}, nullptr},
        {{"", absolute, ""}, nullptr},
        {{"", absolute, "/nonexistent"}, nullptr},
        {{":4999", "wayland-7", runtime.string()}, nullptr},
        {{"", "wayland-7", ""}, "\"wayland-7\" (WAYLAND_DISPLAY)"},
        {{"", "wayland-8", runtime.string()}, "\"wayland-8\" (WAYLAND_DISPLAY)"},
        {{"", "", runtime.string()}, "neither DISPLAY nor WAYLAND_DISPLAY"},
    };
    for (const auto& c : cases) {
        const auto missing = MissingDisplay(c.names);
        const std::string which = c.names.x + "|" + c.names.wayland + "|" + c.names.runtimeFolder;
        if (c.missing == nullptr) {
            EXPECT_FALSE(missing.has_value()) << which << ": " << missing.value_or("");
        } else {
            ASSERT_TRUE(missing.has_value()) << which;
            EXPECT_NE(missing->find(c.missing), std::string::npos) << *missing;
        }
    }
    fs::remove_all(runtime);
}

}  // namespace
}  // namespace padrix::testing
