#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "platform/uinput/EventSink.h"

struct libevdev;
struct libevdev_uinput;

namespace padrix::uinput {

inline constexpr const char* kDeviceName = "Padrix virtual keyboard";

// Every EV_KEY code the device declares: keys and the two mouse buttons.
std::vector<std::uint16_t> DeviceKeyCodes();

// The virtual keyboard and mouse device. Destroying it removes the device,
// which releases every key and button it held. That holds however the
// program ends: the kernel closes the uinput file of a process that dies, and
// the input core sends a release for every key and button still down on a
// device that goes away. So this backend needs no guardian process, as long
// as everything it presses is an EV_KEY code the device declares.
class UinputDevice : public EventSink {
  public:
    // Creates the device through the uinput node at `path`; on failure the
    // reason, with what the user can do about it.
    static std::variant<std::unique_ptr<UinputDevice>, std::string> Open(const std::string& path);

    ~UinputDevice() override;
    UinputDevice(const UinputDevice&) = delete;
    UinputDevice& operator=(const UinputDevice&) = delete;

    void Write(std::uint16_t type, std::uint16_t code, std::int32_t value) override;

  private:
    UinputDevice(int fd, libevdev* dev, libevdev_uinput* uidev);

    int fd_;
    libevdev* dev_;
    libevdev_uinput* uidev_;
};

// The text shown when the uinput node at `path` cannot be used.
std::string UinputProblem(const std::string& path, int error);

}  // namespace padrix::uinput
