#pragma once

namespace padrix {

// A connection to the desktop that receives events of its own accord (a
// compositor's new keymap): they are handled whenever its descriptor turns
// readable, so that they never wait for a key press.
class DesktopEvents {
  public:
    virtual ~DesktopEvents() = default;

    virtual int Descriptor() const = 0;
    // Handles what arrived, without waiting. False once the connection is
    // gone: its descriptor is then watched no more.
    virtual bool Handle() = 0;
};

}  // namespace padrix
