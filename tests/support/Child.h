#pragma once

#include <sys/types.h>

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace padrix::testing {

using Environment = std::map<std::string, std::string>;

// Looks at `done` every few milliseconds until it holds; false once `timeoutMs`
// has passed. For conditions of other processes that nothing of ours announces.
inline bool WaitUntil(const std::function<bool()>& done, int timeoutMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

// A child process: `argv[0]` looked up on PATH with `env` added to this
// process's environment, its input and output on /dev/null (standard error
// too unless PADRIX_TEST_CHILD_STDERR is set). Descriptors without
// close-on-exec are inherited. With `stderrFile`, standard error goes to that
// file. Ended with SIGTERM, then SIGKILL, when destroyed.
class Child {
  public:
    explicit Child(const std::vector<std::string>& argv, const Environment& env = {},
                   const std::string& stderrFile = {});
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // Waits for the end; false on timeout. `status` gets the wait status.
    bool WaitExit(int timeoutMs, int* status = nullptr);
    bool Running() { return started() && !WaitExit(0); }

  private:
    pid_t pid_ = -1;
    bool reaped_ = false;
    int status_ = 0;
};

// The process ids of the children of `parent` whose command name is `name`
// (at most 15 characters, as the kernel keeps it).
std::vector<pid_t> ChildrenOf(pid_t parent, const std::string& name);

// Runs a command to its end; true when it exited with 0.
bool RunCommand(const std::vector<std::string>& argv, const Environment& env = {});
// Runs a command (`argv[0]` looked up on PATH) to its end and returns what it
// printed; empty when it did not exit with 0.
std::string OutputOf(const std::vector<std::string>& argv);

// `session` with folders of a program's own under `root` (its XDG folders,
// home and Wine prefix, made here), Qt on `qtPlatform`, and the C locale.
Environment ProgramEnvironment(Environment session, const std::string& root,
                               const std::string& qtPlatform);

}  // namespace padrix::testing
