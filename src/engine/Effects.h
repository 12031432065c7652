#pragma once

#include <string>

namespace padrix {

// Saves a JPEG of the whole desktop at `path` and beeps once it is written.
// Must return at once: the work happens off the polling path.
class Screenshotter {
  public:
    virtual ~Screenshotter() = default;
    virtual void RequestScreenshot(const std::string& path) = 0;
};

class Beeper {
  public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

// The interval of the polling timer.
class PollTimer {
  public:
    virtual ~PollTimer() = default;
    virtual void SetInterval(int milliseconds) = 0;
};

}  // namespace padrix
