#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

namespace padrix::testing {

// A child process that runs until it is destroyed.
class ChildProcess {
  public:
    // Starts `argv[0]` (looked up on PATH), its output discarded.
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    bool started() const { return pid_ > 0; }

  private:
    pid_t pid_ = -1;
};

// A private X server for one test: Xvfb picks a free display number itself
// (-displayfd), so tests may run side by side. Stopped when destroyed.
class XvfbServer {
  public:
    explicit XvfbServer(int width = 640, int height = 480);
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    // ":N", empty when the server did not start.
    const std::string& display() const { return display_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_;
    int height_;
    std::string display_;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace padrix::testing
