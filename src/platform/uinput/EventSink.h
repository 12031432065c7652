#pragma once

#include <cstdint>

namespace padrix::uinput {

// Where encoded input events go: the virtual device, or a recorder in tests.
class EventSink {
  public:
    virtual ~EventSink() = default;
    virtual void Write(std::uint16_t type, std::uint16_t code, std::int32_t value) = 0;
};

}  // namespace padrix::uinput
