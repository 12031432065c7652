#include "settings/SettingsPath.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

namespace padrix {
namespace {

constexpr std::string_view kFileInFolder = "/Padrix/Padrix.ini";

std::string HomeFromPasswordDatabase() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    return found->pw_dir;
}

std::string_view Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string_view(value) : std::string_view();
}

}  // namespace

std::string ConfigFolderFor(std::string_view xdgConfigHome, std::string_view home) {
    std::string folder;
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/') {
        folder = xdgConfigHome;
    } else {
        folder = std::string(home) + "/.config";
    }
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    if (folder == "/") {
        folder.clear();
    }
    return folder;
}

std::string SettingsPathFor(std::string_view xdgConfigHome, std::string_view home) {
    return ConfigFolderFor(xdgConfigHome, home) + std::string(kFileInFolder);
}

std::string DefaultConfigFolder() {
    std::string home(Env("HOME"));
    if (home.empty()) {
        home = HomeFromPasswordDatabase();
    }
    return ConfigFolderFor(Env("XDG_CONFIG_HOME"), home);
}

std::string DefaultSettingsPath() {
    return DefaultConfigFolder() + std::string(kFileInFolder);
}

}  // namespace padrix
