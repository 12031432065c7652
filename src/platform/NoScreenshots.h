#pragma once

#include <string>

#include "engine/Effects.h"

namespace padrix {

// Takes no screenshots (and so never beeps): for sessions whose desktop
// cannot be read.
class NoScreenshots : public Screenshotter {
  public:
    void RequestScreenshot(const std::string&) override {}
};

}  // namespace padrix
