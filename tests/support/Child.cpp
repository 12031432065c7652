#include "Child.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

extern char** environ;

namespace padrix::testing {

Child::Child(const std::vector<std::string>& argv, const Environment& env) {
    // env(1) sets the variables and runs the program in the same process.
    std::vector<std::string> args = {"env"};
    for (const auto& [name, value] : env) {
        args.push_back(name + "=" + value);
    }
    args.insert(args.end(), argv.begin(), argv.end());
    std::vector<char*> pointers;
    for (std::string& a : args) {
        pointers.push_back(a.data());
    }
    pointers.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDWR, 0);
    posix_spawn_file_actions_adddup2(&actions, STDIN_FILENO, STDOUT_FILENO);
    if (std::getenv("PADRIX_TEST_CHILD_STDERR") == nullptr) {
        posix_spawn_file_actions_adddup2(&actions, STDIN_FILENO, STDERR_FILENO);
    }
    if (posix_spawnp(&pid_, "env", &actions, nullptr, pointers.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
}

Child::~Child() {
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGTERM);
        if (!WaitExit(5000)) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
}

bool Child::WaitExit(int timeoutMs, int* status) {
    const auto reaped = [this] {
        return reaped_ = reaped_ || waitpid(pid_, &status_, WNOHANG) == pid_;
    };
    const bool ended = started() && WaitUntil(reaped, timeoutMs);
    if (status != nullptr) {
        *status = status_;
    }
    return ended;
}

bool RunCommand(const std::vector<std::string>& argv, const Environment& env) {
    Child child(argv, env);
    int status = 0;
    return child.WaitExit(20000, &status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace padrix::testing
