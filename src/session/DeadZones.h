#pragma once

namespace padrix {

// The dead zones of the joypads: what the Game Controllers window shows and
// sets.
class DeadZones {
  public:
    virtual ~DeadZones() = default;

    // The dead zone of joypad joy in percent of the half range, and a new
    // one stored and applied to the running joypad at once.
    virtual int DeadZone(int joy) const = 0;
    virtual void SetDeadZone(int joy, int percent) = 0;
};

}  // namespace padrix
