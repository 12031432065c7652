#pragma once

#include <string>

#include "engine/Effects.h"

namespace padrix {

// The bell of the controlling terminal, where no X server rings one.
class TerminalBeeper : public Beeper {
  public:
    TerminalBeeper();
    ~TerminalBeeper() override;
    TerminalBeeper(const TerminalBeeper&) = delete;
    TerminalBeeper& operator=(const TerminalBeeper&) = delete;
    void Beep() override;

  private:
    int fd_;
};

// Takes no screenshots (and so never beeps): for sessions whose desktop
// cannot be read.
class NoScreenshots : public Screenshotter {
  public:
    void RequestScreenshot(const std::string&) override {}
};

}  // namespace padrix
