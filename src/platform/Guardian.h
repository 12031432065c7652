#pragma once

#include <sys/types.h>

#include <string>

#include "platform/HeldInputs.h"

namespace padrix {

// The program's side of the guardian: a small process that lets go of the
// keys and buttons the output holds when the program ends without doing
// so itself (killed, crashed). The guardian shares the page of held inputs
// and waits on a pipe whose only writing end the program keeps, so the pipe
// reaches end-of-file however the program ends. Destroying this object is
// the orderly exit: it marks the page, so the guardian touches nothing, and
// waits for the guardian to end.
class Guardian {
  public:
    // An inert guardian: no page, no process.
    Guardian() = default;
    // Starts `program` for the X display `display` and the Wayland display
    // `waylandDisplay` (either may be empty). Must run before any thread
    // exists (the descriptors it hands over are briefly inheritable). Inert
    // when the program cannot be started.
    static Guardian Start(const std::string& program, const std::string& display,
                          const std::string& waylandDisplay = {});

    ~Guardian();
    Guardian(Guardian&& other) noexcept;
    Guardian& operator=(Guardian&& other) noexcept;
    Guardian(const Guardian&) = delete;
    Guardian& operator=(const Guardian&) = delete;

    // Where the output records what it holds; nullptr when inert.
    HeldInputs* page() const { return page_; }
    pid_t pid() const { return pid_; }

  private:
    void End();

    HeldInputs* page_ = nullptr;
    int endFd_ = -1;
    pid_t pid_ = -1;
};

}  // namespace padrix
