#pragma once

#include <cstdint>

namespace padrix {

// Whether a physical key is held down right now, by virtual-key code.
class PhysicalKeys {
  public:
    virtual ~PhysicalKeys() = default;
    virtual bool IsKeyDown(std::uint8_t vk) = 0;

    // A descriptor that turns readable when keys may have gone down or up,
    // or -1 when key changes cannot be followed: the program then has to
    // ask on every run of the cycle.
    virtual int EventFd() const { return -1; }
    // Takes in the key events that have arrived, without waiting; true when
    // a key went down or up since the last call.
    virtual bool TakeEvents() { return false; }
    // The same for events that other calls have already read off the
    // descriptor (where such a queue exists), without reading more.
    virtual bool TakeQueuedEvents() { return false; }
};

}  // namespace padrix
