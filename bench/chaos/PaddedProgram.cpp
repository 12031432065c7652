#include "PaddedProgram.h"

#include <poll.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace padrix::testing {

namespace {

constexpr int kStartMs = 60000;
constexpr int kEndMs = 30000;
constexpr int kGuardianEndMs = 10000;
constexpr int kAnswerMs = 60000;

sockaddr_un AddressOf(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

int Connect(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = AddressOf(path);
    if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

bool Readable(int fd, int timeoutMs) {
    pollfd p{fd, POLLIN, 0};
    return poll(&p, 1, timeoutMs) == 1;
}

std::string SignalName(int signal) {
    const char* name = sigabbrev_np(signal);
    return name != nullptr ? std::string("SIG") + name : std::to_string(signal);
}

std::string StatusText(int status) {
    if (WIFSIGNALED(status)) {
        return "ended by " + SignalName(WTERMSIG(status));
    }
    return "exited with " + std::to_string(WEXITSTATUS(status));
}

// The program as installed: the host named padrix, the guardian beside it;
// the host's path, empty when it could not be laid out.
std::string Install(const std::string& folder) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(folder, error);
    for (const auto& [from, to] : {std::pair{PADRIX_CHAOS_HOST, "padrix"},
                                   std::pair{PADRIX_GUARDIAN_PROGRAM, "padrix-guardian"}}) {
        const fs::path target = fs::path(folder) / to;
        fs::create_hard_link(from, target, error);
        if (error) {
            error.clear();
            fs::copy_file(from, target, fs::copy_options::overwrite_existing, error);
        }
        if (error) {
            return "";
        }
    }
    return folder + "/padrix";
}

}  // namespace

PaddedProgram::PaddedProgram(PaddedProgramSetup setup)
    : setup_(std::move(setup)), host_(Install(setup_.folder + "/bin")) {
    settingsPath_ = setup_.env["XDG_CONFIG_HOME"] + "/Padrix/Padrix.ini";
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(settingsPath_).parent_path(), error);
    socketPath_ = setup_.env["XDG_RUNTIME_DIR"] + "/Padrix.sock";
    padSocketPath_ = setup_.folder + "/pads.sock";
    logPath_ = setup_.folder + "/program.log";
    setup_.env["PADRIX_CHAOS_PADS"] = padSocketPath_;
    setup_.env["PADRIX_CHAOS_PAD_COUNT"] = std::to_string(setup_.pads);
    listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = AddressOf(padSocketPath_);
    unlink(padSocketPath_.c_str());
    bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    listen(listener_, 4);
}

PaddedProgram::~PaddedProgram() {
    program_.reset();
    if (guardian_ > 0) {
        waitpid(guardian_, nullptr, 0);
    }
    for (int fd : {pads_, listener_}) {
        if (fd >= 0) {
            close(fd);
        }
    }
}

namespace {

std::vector<std::filesystem::path> Screenshots(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().extension() == ".jpg") {
            found.push_back(entry.path());
        }
    }
    return found;
}

}  // namespace

bool PaddedProgram::TookScreenshot() const {
    return !Screenshots(std::filesystem::path(host_).parent_path()).empty();
}

std::string PaddedProgram::Start() {
    if (pads_ >= 0) {
        close(pads_);
        pads_ = -1;
    }
    for (const auto& shot : Screenshots(std::filesystem::path(host_).parent_path())) {
        std::error_code error;
        std::filesystem::remove(shot, error);
    }
    program_ = std::make_unique<Child>(std::vector<std::string>{host_}, setup_.env, logPath_);
    if (!program_->started()) {
        return "the program did not start";
    }
    if (!AcceptPads()) {
        return "the program's pads did not report";
    }
    std::string answer;
    if (!WaitUntil([&] { return (answer = Ask("status")).find("ok\n") != std::string::npos; },
                   kStartMs)) {
        return "the started program does not answer on its command socket";
    }
    const std::vector<pid_t> guardians = ChildrenOf(program_->pid(), "padrix-guardian");
    if (guardians.size() != 1) {
        return "the program has " + std::to_string(guardians.size()) + " guardians";
    }
    guardian_ = guardians.front();
    return "";
}

bool PaddedProgram::AcceptPads() {
    if (!Readable(listener_, kStartMs)) {
        return false;
    }
    pads_ = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    return pads_ >= 0;
}

std::string PaddedProgram::Kill(int signal) {
    kill(program_->pid(), signal);
    int status = 0;
    if (!program_->WaitExit(kEndMs, &status)) {
        return "the program did not end after " + SignalName(signal);
    }
    std::string problem;
    if (signal == SIGTERM && !(WIFEXITED(status) && WEXITSTATUS(status) == 0)) {
        problem = "after SIGTERM the program " + StatusText(status) + "; ";
    }
    return problem + AwaitGuardian();
}

bool PaddedProgram::EndedByItself(int* status, std::string* problem) {
    if (!program_ || !program_->WaitExit(0, status)) {
        return false;
    }
    *problem = AwaitGuardian();
    return true;
}

std::string PaddedProgram::AwaitGuardian() {
    const pid_t guardian = guardian_;
    guardian_ = -1;
    if (guardian <= 0) {
        return "";
    }
    // An orphaned guardian is this process's child (a subreaper); an orderly
    // exit waited for it already.
    const bool gone = WaitUntil(
        [&] { return waitpid(guardian, nullptr, WNOHANG) != 0 || kill(guardian, 0) != 0; },
        kGuardianEndMs);
    return gone ? "" : "the guardian outlived the program";
}

bool PaddedProgram::Pad(const std::string& command) {
    const std::string line = command + "\n";
    if (pads_ < 0 ||
        send(pads_, line.data(), line.size(), MSG_NOSIGNAL) != static_cast<ssize_t>(line.size())) {
        return false;
    }
    char answer[2];
    return Readable(pads_, kAnswerMs) && recv(pads_, answer, sizeof answer, MSG_WAITALL) == 2;
}

PaddedProgram::Said PaddedProgram::CommandLine(const std::vector<std::string>& args) {
    std::vector<std::string> argv{PADRIX_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    const std::string errors = setup_.folder + "/command-line.err";
    Said said;
    int status = 0;
    {
        Child child(argv, setup_.env, errors);
        if (!child.WaitExit(kAnswerMs, &status)) {
            said.problem = "still running after " + std::to_string(kAnswerMs / 1000) + " s";
        } else if (!WIFEXITED(status)) {
            said.problem = StatusText(status);
        } else {
            said.status = WEXITSTATUS(status);
        }
    }
    std::ifstream in(errors);
    const std::string written((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    if (!written.empty()) {
        said.problem += (said.problem.empty() ? "" : "; ") + std::string("it said: ") + written;
    }
    return said;
}

int PaddedProgram::SendRequest(const std::string& line) {
    const int fd = Connect(socketPath_);
    if (fd >= 0) {
        const std::string bytes = line + "\n";
        send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    }
    return fd;
}

std::string PaddedProgram::Ask(const std::string& line) {
    const int fd = Connect(socketPath_);
    if (fd < 0) {
        return "";
    }
    const std::string bytes = line + "\n";
    send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    std::string answer;
    char buffer[1024];
    while (Readable(fd, kAnswerMs)) {
        const ssize_t got = recv(fd, buffer, sizeof buffer, 0);
        if (got <= 0) {
            break;
        }
        answer.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return answer;
}

long PaddedProgram::ResidentKib() const {
    std::ifstream in("/proc/" + std::to_string(pid()) + "/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::stol(line.substr(6));
        }
    }
    return -1;
}

}  // namespace padrix::testing
