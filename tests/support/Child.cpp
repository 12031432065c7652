#include "Child.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

extern char** environ;

namespace padrix::testing {

Child::Child(const std::vector<std::string>& argv, const Environment& env,
             const std::string& stderrFile) {
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
    if (!stderrFile.empty()) {
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, stderrFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    } else if (std::getenv("PADRIX_TEST_CHILD_STDERR") == nullptr) {
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

std::vector<pid_t> ChildrenOf(pid_t parent, const std::string& name) {
    std::vector<pid_t> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
        std::ifstream file(entry.path() / "stat");
        std::string stat;
        if (!std::getline(file, stat)) {
            continue;
        }
        // pid (comm) state ppid ...; comm may hold spaces and parentheses.
        const auto open = stat.find('(');
        const auto close = stat.rfind(')');
        if (open == std::string::npos || close == std::string::npos || close < open) {
            continue;
        }
        std::istringstream rest(stat.substr(close + 1));
        char state = 0;
        pid_t ppid = 0;
        rest >> state >> ppid;
        if (ppid == parent && stat.substr(open + 1, close - open - 1) == name) {
            found.push_back(static_cast<pid_t>(std::stol(stat)));
        }
    }
    return found;
}

bool RunCommand(const std::vector<std::string>& argv, const Environment& env) {
    Child child(argv, env);
    int status = 0;
    return child.WaitExit(20000, &status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string OutputOf(const std::vector<std::string>& argv) {
    std::string command;
    for (const std::string& a : argv) {
        std::string quoted;
        for (char c : a) {
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        }
        command += " '" + quoted + "'";
    }
    std::string out;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        std::array<char, 4096> buffer{};
        for (size_t got; (got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
            out.append(buffer.data(), got);
        }
        if (pclose(pipe) != 0) {
            out.clear();
        }
    }
    return out;
}

Environment ProgramEnvironment(Environment env, const std::string& root,
                               const std::string& qtPlatform) {
    namespace fs = std::filesystem;
    for (const char* folder : {"config", "runtime", "home", "prefix"}) {
        fs::create_directories(fs::path(root) / folder);
    }
    fs::permissions(fs::path(root) / "runtime", fs::perms::owner_all);
    env["XDG_CONFIG_HOME"] = root + "/config";
    env["XDG_RUNTIME_DIR"] = root + "/runtime";
    env["HOME"] = root + "/home";
    env["WINEPREFIX"] = root + "/prefix";
    env["QT_QPA_PLATFORM"] = qtPlatform;
    env["ASAN_OPTIONS"] = "detect_leaks=0";
    // The language of messages follows LC_ALL, LC_MESSAGES or LANG: none of
    // this machine's own, the C locale unless a test names another in LANG.
    env["LC_ALL"] = "";
    env["LC_MESSAGES"] = "";
    env["LANGUAGE"] = "";
    env["LANG"] = "C.UTF-8";
    return env;
}

}  // namespace padrix::testing
