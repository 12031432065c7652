#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace padrix::uinput {

// Tells which event devices ("event*") appeared in a device folder, or became
// readable there: udev creates a node first and grants access a moment later.
// Owns an inotify descriptor that turns readable when there is news.
class DeviceFolderWatch {
  public:
    explicit DeviceFolderWatch(const std::filesystem::path& folder);
    ~DeviceFolderWatch();
    DeviceFolderWatch(const DeviceFolderWatch&) = delete;
    DeviceFolderWatch& operator=(const DeviceFolderWatch&) = delete;

    // -1 when the folder cannot be watched.
    int fd() const { return fd_; }
    // The paths of the devices that appeared or changed since the last call,
    // without waiting; each path once.
    std::vector<std::filesystem::path> TakeNewDevices();

  private:
    std::filesystem::path folder_;
    int fd_ = -1;
};

// Whether a file name in the device folder names an event device.
bool IsEventDeviceName(const std::string& name);

}  // namespace padrix::uinput
