#include "platform/uinput/UinputDevice.h"

#include <fcntl.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/keycodes/KeyCodes.h"

namespace padrix::uinput {

namespace {

void EnableEvents(libevdev* dev) {
    libevdev_set_name(dev, kDeviceName);
    libevdev_enable_event_type(dev, EV_KEY);
    for (std::uint16_t code : DeviceKeyCodes()) {
        libevdev_enable_event_code(dev, EV_KEY, code, nullptr);
    }
    libevdev_enable_event_type(dev, EV_REL);
    libevdev_enable_event_code(dev, EV_REL, REL_X, nullptr);
    libevdev_enable_event_code(dev, EV_REL, REL_Y, nullptr);
    libevdev_enable_event_type(dev, EV_MSC);
    libevdev_enable_event_code(dev, EV_MSC, MSC_SCAN, nullptr);
}

}  // namespace

std::vector<std::uint16_t> DeviceKeyCodes() {
    std::vector<std::uint16_t> codes;
    for (const keycodes::KeyCodes& key : keycodes::AllKeys()) {
        if (key.linuxKey != 0) {
            codes.push_back(static_cast<std::uint16_t>(key.linuxKey));
        }
    }
    // Physical keys that MS-DOS mode can reach by scan code.
    for (int scan = 1; scan < 0x80; ++scan) {
        for (bool extended : {false, true}) {
            const auto code =
                keycodes::LinuxKeyOfScanCode(static_cast<std::uint8_t>(scan), extended);
            if (code != 0) {
                codes.push_back(static_cast<std::uint16_t>(code));
            }
        }
    }
    codes.push_back(BTN_LEFT);
    codes.push_back(BTN_RIGHT);
    return codes;
}

std::string UinputProblem(const std::string& path, int error) {
    std::string text = "Padrix cannot create its virtual keyboard: " + path + " (" +
                       std::strerror(error) + ").\n\n";
    if (error == EACCES || error == EPERM) {
        text +=
            "Allow your user to write to it by installing the udev rule "
            "60-padrix-uinput.rules (KERNEL==\"uinput\", OPTIONS+=\"static_node=uinput\", "
            "TAG+=\"uaccess\") in /etc/udev/rules.d, then run "
            "\"sudo udevadm control --reload && sudo udevadm trigger\" and log in again.";
    } else if (error == ENOENT || error == ENODEV) {
        text +=
            "Load the uinput kernel module (\"sudo modprobe uinput\"), or start Padrix in an "
            "X11 session.";
    } else {
        text += "Check that " + path + " is the uinput device, or start Padrix in an X11 session.";
    }
    return text;
}

std::variant<std::unique_ptr<UinputDevice>, std::string> UinputDevice::Open(
    const std::string& path) {
    const int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return UinputProblem(path, errno);
    }
    libevdev* dev = libevdev_new();
    if (dev == nullptr) {
        close(fd);
        return UinputProblem(path, ENOMEM);
    }
    EnableEvents(dev);
    libevdev_uinput* uidev = nullptr;
    const int rc = libevdev_uinput_create_from_device(dev, fd, &uidev);
    if (rc != 0) {
        libevdev_free(dev);
        close(fd);
        return UinputProblem(path, -rc);
    }
    return std::unique_ptr<UinputDevice>(new UinputDevice(fd, dev, uidev));
}

UinputDevice::UinputDevice(int fd, libevdev* dev, libevdev_uinput* uidev)
    : fd_(fd), dev_(dev), uidev_(uidev) {}

UinputDevice::~UinputDevice() {
    libevdev_uinput_destroy(uidev_);
    libevdev_free(dev_);
    close(fd_);
}

void UinputDevice::Write(std::uint16_t type, std::uint16_t code, std::int32_t value) {
    libevdev_uinput_write_event(uidev_, type, code, value);
}

}  // namespace padrix::uinput
