#pragma once

#include <string>
#include <string_view>

#include "Clock.h"

namespace padrix {

// "<folder>/yyyymmddhhmmss.jpg" for the given local time.
std::string ScreenshotPath(std::string_view folder, const LocalDateTime& t);

}  // namespace padrix
