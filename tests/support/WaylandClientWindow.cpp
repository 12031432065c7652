#include "WaylandClientWindow.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

extern char** environ;

namespace padrix::testing {

namespace {

std::string Hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

}  // namespace

WaylandClientWindow::WaylandClientWindow(const SwayServer& sway, const std::string& title,
                                         const std::string& appId, std::uint32_t argb) {
    int in[2];
    int out[2];
    if (pipe2(in, O_CLOEXEC) != 0) {
        return;
    }
    if (pipe2(out, O_CLOEXEC) != 0) {
        close(in[0]);
        close(in[1]);
        return;
    }
    std::vector<std::string> args = {"env"};
    for (const auto& [name, value] : sway.Env()) {
        args.push_back(name + "=" + value);
    }
    args.insert(args.end(), {PADRIX_WAYLAND_TEST_CLIENT, title, appId, Hex(argb)});
    std::vector<char*> argv;
    for (std::string& a : args) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    if (posix_spawnp(&pid_, "env", &actions, nullptr, argv.data(), environ) != 0) {
        pid_ = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(in[0]);
    close(out[1]);
    input_ = in[1];
    output_ = out[0];
    ready_ = pid_ > 0 && Await({"ready"}).empty();
}

WaylandClientWindow::~WaylandClientWindow() {
    close(input_);
    close(output_);
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

void WaylandClientWindow::SetTitle(const std::string& title) {
    const std::string line = "title " + title + "\n";
    if (write(input_, line.data(), line.size()) == static_cast<ssize_t>(line.size())) {
        Await({"title " + title});
    }
}

bool WaylandClientWindow::WaitForLine(const std::function<bool(const std::string&)>& match,
                                      int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        while (!lines_.empty()) {
            const std::string line = lines_.front();
            lines_.erase(lines_.begin());
            if (match(line)) {
                return true;
            }
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left.count() <= 0 || !Read(static_cast<int>(left.count()))) {
            return false;
        }
    }
}

std::vector<std::string> WaylandClientWindow::Await(std::vector<std::string> prefixes,
                                                    bool anyOrder) {
    WaitForLine([&](const std::string& line) {
        if (anyOrder) {
            std::erase_if(prefixes, [&line](const std::string& p) { return line.starts_with(p); });
        } else if (line.starts_with(prefixes.front())) {
            prefixes.erase(prefixes.begin());
        }
        return prefixes.empty();
    });
    return prefixes;
}

std::vector<std::string> WaylandClientWindow::TakeLines() {
    while (Read(0)) {
    }
    std::vector<std::string> taken;
    taken.swap(lines_);
    return taken;
}

bool WaylandClientWindow::Read(int timeoutMs) {
    pollfd readable{output_, POLLIN, 0};
    char chunk[4096];
    ssize_t got = 0;
    if (output_ < 0 || poll(&readable, 1, timeoutMs) != 1 ||
        (got = read(output_, chunk, sizeof chunk)) <= 0) {
        return false;
    }
    partial_.append(chunk, static_cast<std::size_t>(got));
    for (std::size_t end; (end = partial_.find('\n')) != std::string::npos;) {
        lines_.push_back(partial_.substr(0, end));
        partial_.erase(0, end + 1);
    }
    return true;
}

}  // namespace padrix::testing
