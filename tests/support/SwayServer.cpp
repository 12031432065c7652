#include "SwayServer.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace padrix::testing {

namespace {

constexpr uid_t kNobody = 65534;

// A folder with `mode` that sway's user owns.
bool MakeFolder(const std::string& path, mode_t mode) {
    if (mkdir(path.c_str(), mode) != 0 || chmod(path.c_str(), mode) != 0) {
        return false;
    }
    return geteuid() != 0 || chown(path.c_str(), kNobody, kNobody) == 0;
}

// Reads one line from the FIFO at `path`, waiting at most `timeoutMs`.
std::string ReadLine(const std::string& path, int timeoutMs) {
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return {};
    }
    // A writer of our own keeps the FIFO from reporting its end before
    // sway's writer comes.
    const int keep = open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    std::string line;
    pollfd p{fd, POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, timeoutMs) == 1 && read(fd, &c, 1) == 1 && c != '\n') {
        line += c;
    }
    close(keep);
    close(fd);
    return c == '\n' ? line : std::string();
}

}  // namespace

SwayServer::SwayServer(int width, int height) {
    std::array<char, 32> pattern{"/tmp/padrix-sway.XXXXXX"};
    if (mkdtemp(pattern.data()) == nullptr) {
        return;
    }
    folder_ = pattern.data();
    runtime_ = folder_ + "/runtime";
    chmod(folder_.c_str(), 0711);
    if (!MakeFolder(runtime_, 0700)) {
        return;
    }
    // sway says where its sockets are once it runs programs: through a FIFO
    // its user may write.
    const std::string ready = folder_ + "/ready";
    mkfifo(ready.c_str(), 0622);
    chmod(ready.c_str(), 0622);
    // Run as nobody, XWayland admits only nobody: the test, as root, is let
    // in too before sway says it is ready.
    const std::string admitRoot =
        geteuid() == 0 ? "xhost +si:localuser:root >/dev/null 2>&1; " : "";
    const std::string config = folder_ + "/config";
    std::ofstream(config) << "output HEADLESS-1 resolution " << width << "x" << height << "\n"
                          << "xwayland enable\n"
                          << "exec sh -c '" << admitRoot
                          << "printf \"%s|%s|%s\\n\" \"$WAYLAND_DISPLAY\" \"$SWAYSOCK\" "
                             "\"$DISPLAY\" > "
                          << ready << "'\n";
    chmod(config.c_str(), 0644);

    // What sway sets for its programs must not come from the test's session.
    std::vector<std::string> argv = {
        "env", "-u", "WAYLAND_DISPLAY", "-u", "DISPLAY", "-u", "SWAYSOCK", "sway", "-c", config};
    if (geteuid() == 0) {
        argv.insert(argv.begin() + 7,
                    {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    process_ = std::make_unique<Child>(argv,
                                       Environment{{"XDG_RUNTIME_DIR", runtime_},
                                                   {"HOME", folder_},
                                                   {"WLR_BACKENDS", "headless"},
                                                   {"WLR_LIBINPUT_NO_DEVICES", "1"},
                                                   {"WLR_RENDERER", "pixman"}},
                                       folder_ + "/sway.log");
    std::istringstream said(ReadLine(ready, 20000));
    std::string wayland, sock, display;
    std::getline(said, wayland, '|');
    std::getline(said, sock, '|');
    std::getline(said, display);
    if (!sock.empty()) {
        waylandDisplay_ = wayland;
        swaySocket_ = sock;
        xDisplay_ = display;
    }
}

SwayServer::~SwayServer() {
    process_.reset();
    if (!folder_.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
}

std::string SwayServer::error() const {
    std::ifstream log(folder_ + "/sway.log");
    std::string all((std::istreambuf_iterator<char>(log)), std::istreambuf_iterator<char>());
    return "sway did not start; its log ends:\n" +
           all.substr(all.size() > 2000 ? all.size() - 2000 : 0);
}

Environment SwayServer::Env() const {
    return {{"WAYLAND_DISPLAY", waylandDisplay_},
            {"XDG_RUNTIME_DIR", runtime_},
            {"SWAYSOCK", swaySocket_},
            {"DISPLAY", xDisplay_}};
}

std::string SwayServer::Message(const std::vector<std::string>& args) const {
    std::vector<std::string> argv = {"swaymsg", "-s", swaySocket_};
    argv.insert(argv.end(), args.begin(), args.end());
    return OutputOf(argv);
}

}  // namespace padrix::testing
