#include "platform/uinput/DeviceFolderWatch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace padrix::uinput {

bool IsEventDeviceName(const std::string& name) {
    return name.starts_with("event");
}

DeviceFolderWatch::DeviceFolderWatch(const std::filesystem::path& folder) : folder_(folder) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ >= 0 &&
        inotify_add_watch(fd_, folder.c_str(), IN_CREATE | IN_ATTRIB | IN_MOVED_TO) < 0) {
        close(fd_);
        fd_ = -1;
    }
}

DeviceFolderWatch::~DeviceFolderWatch() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

std::vector<std::filesystem::path> DeviceFolderWatch::TakeNewDevices() {
    std::vector<std::filesystem::path> found;
    alignas(inotify_event) std::array<char, 4096> buffer{};
    while (fd_ >= 0) {
        const ssize_t n = read(fd_, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            break;
        }
        for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(inotify_event)) <= n;) {
            inotify_event header{};
            std::memcpy(&header, buffer.data() + at, sizeof header);
            const char* name = buffer.data() + at + sizeof header;
            const std::string file(name, strnlen(name, header.len));
            if (header.len > 0 && IsEventDeviceName(file)) {
                const std::filesystem::path path = folder_ / file;
                if (std::find(found.begin(), found.end(), path) == found.end()) {
                    found.push_back(path);
                }
            }
            at += static_cast<ssize_t>(sizeof header + header.len);
        }
    }
    return found;
}

}  // namespace padrix::uinput
