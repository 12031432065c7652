#pragma once

#include <memory>
#include <string>

#include "Child.h"

namespace padrix::testing {

// A private X server for one test: Xvfb picks a free display number itself
// (-displayfd), so tests may run side by side. Stopped when destroyed.
class XvfbServer {
  public:
    explicit XvfbServer(int width = 1024, int height = 768);

    bool ok() const { return !display_.empty(); }
    // ":N", empty when the server did not start.
    const std::string& display() const { return display_; }
    Environment Env() const { return {{"DISPLAY", display_}}; }

  private:
    std::unique_ptr<Child> process_;
    std::string display_;
};

}  // namespace padrix::testing
