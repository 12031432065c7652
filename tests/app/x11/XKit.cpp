#include "XKit.h"

#include <X11/Xlib.h>

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>

namespace padrix::testing {

namespace {

constexpr auto kPollStep = std::chrono::milliseconds(5);

pid_t Spawn(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env,
            int keepFd) {
    const pid_t pid = fork();
    if (pid != 0) {
        return pid;
    }
    for (const auto& [k, v] : env) {
        setenv(k.c_str(), v.c_str(), 1);
    }
    const int devnull = open("/dev/null", O_RDWR);
    dup2(devnull, STDIN_FILENO);
    dup2(devnull, STDOUT_FILENO);
    if (getenv("PADRIX_TEST_CHILD_STDERR") == nullptr) {
        dup2(devnull, STDERR_FILENO);
    }
    for (int fd = 3; fd < 1024; ++fd) {
        if (fd != keepFd) {
            close(fd);
        }
    }
    std::vector<char*> args;
    for (const std::string& a : argv) {
        args.push_back(const_cast<char*>(a.c_str()));
    }
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

}  // namespace

bool WaitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(kPollStep);
    }
    return true;
}

Child::Child(const std::vector<std::string>& argv, const std::map<std::string, std::string>& env)
    : pid_(Spawn(argv, env, -1)) {}

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
    int s = 0;
    const bool ended = reaped_ || WaitUntil(
                                      [&] {
                                          reaped_ = waitpid(pid_, &s, WNOHANG) == pid_;
                                          return reaped_;
                                      },
                                      timeoutMs);
    if (status != nullptr) {
        *status = s;
    }
    return ended;
}

bool Child::Running() {
    return !WaitExit(0);
}

bool RunCommand(const std::vector<std::string>& argv,
                const std::map<std::string, std::string>& env) {
    Child child(argv, env);
    int status = 0;
    return child.WaitExit(20000, &status) && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

PrivateDisplay::PrivateDisplay() {
    int fds[2];
    if (pipe(fds) != 0) {
        return;
    }
    const std::vector<std::string> argv = {"Xvfb",      "-displayfd", std::to_string(fds[1]),
                                           "-screen",   "0",          "1024x768x24",
                                           "-nolisten", "tcp"};
    server_ = std::make_unique<Child>(Spawn(argv, {}, fds[1]));
    close(fds[1]);
    // Xvfb writes the display number once it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (poll(&p, 1, 20000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (number.empty()) {
        return;
    }
    name_ = ":" + number;
    dpy_ = XOpenDisplay(name_.c_str());
}

PrivateDisplay::~PrivateDisplay() {
    if (dpy_ != nullptr) {
        XCloseDisplay(dpy_);
    }
}

bool PrivateDisplay::HasNotificationArea() {
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(dpy_));
    const Atom atom = XInternAtom(dpy_, selection.c_str(), False);
    return XGetSelectionOwner(dpy_, atom) != None;
}

void PrivateDisplay::Collect(Window w, const std::function<bool(Window)>& want,
                             std::vector<Window>& out) {
    XWindowAttributes attrs{};
    if (XGetWindowAttributes(dpy_, w, &attrs) != 0 && attrs.map_state == IsViewable && want(w)) {
        out.push_back(w);
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(dpy_, w, &root, &parent, &children, &count) == 0) {
        return;
    }
    for (unsigned int i = 0; i < count; ++i) {
        Collect(children[i], want, out);
    }
    if (children != nullptr) {
        XFree(children);
    }
}

std::vector<Window> PrivateDisplay::ViewableByClass(const std::string& resClass) {
    std::vector<Window> out;
    Collect(
        DefaultRootWindow(dpy_),
        [&](Window w) {
            XClassHint hint{};
            if (XGetClassHint(dpy_, w, &hint) == 0) {
                return false;
            }
            const bool match = (hint.res_name != nullptr && resClass == hint.res_name) ||
                               (hint.res_class != nullptr && resClass == hint.res_class);
            XFree(hint.res_name);
            XFree(hint.res_class);
            return match;
        },
        out);
    return out;
}

std::vector<Window> PrivateDisplay::ViewableByTitle(const std::string& title) {
    std::vector<Window> out;
    Collect(
        DefaultRootWindow(dpy_),
        [&](Window w) {
            char* name = nullptr;
            if (XFetchName(dpy_, w, &name) == 0 || name == nullptr) {
                return false;
            }
            const bool match = title == name;
            XFree(name);
            return match;
        },
        out);
    return out;
}

bool PrivateDisplay::IsTopLevel(Window w) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(dpy_, w, &root, &parent, &children, &count) == 0) {
        return false;
    }
    if (children != nullptr) {
        XFree(children);
    }
    return parent == root;
}

XWindowId PrivateDisplay::EmbeddedByClass(const std::string& resClass) {
    for (XWindowId w : ViewableByClass(resClass)) {
        if (!IsTopLevel(w)) {
            return w;
        }
    }
    return 0;
}

bool PrivateDisplay::IsOverrideRedirect(Window w) {
    XWindowAttributes attrs{};
    return XGetWindowAttributes(dpy_, w, &attrs) != 0 && attrs.override_redirect;
}

std::pair<int, int> PrivateDisplay::Centre(Window w) {
    XWindowAttributes attrs{};
    XGetWindowAttributes(dpy_, w, &attrs);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), 0, 0, &x, &y, &child);
    return {x + attrs.width / 2, y + attrs.height / 2};
}

bool PrivateDisplay::Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, Env());
}

KeyRecorder::KeyRecorder(Display* dpy) : dpy_(dpy) {
    const int screen = DefaultScreen(dpy_);
    window_ = XCreateSimpleWindow(dpy_, RootWindow(dpy_, screen), 10, 10, 200, 100, 0,
                                  BlackPixel(dpy_, screen), WhitePixel(dpy_, screen));
    XStoreName(dpy_, window_, "Padrix test client");
    XSelectInput(dpy_, window_, KeyPressMask | KeyReleaseMask | StructureNotifyMask);
    XMapRaised(dpy_, window_);
    XEvent e;
    do {
        XWindowEvent(dpy_, window_, StructureNotifyMask, &e);
    } while (e.type != MapNotify);
    Focus();
}

KeyRecorder::~KeyRecorder() {
    XDestroyWindow(dpy_, window_);
    XFlush(dpy_);
}

void KeyRecorder::Focus() {
    XSetInputFocus(dpy_, window_, RevertToParent, CurrentTime);
    XSync(dpy_, False);
}

bool KeyRecorder::HasFocus() {
    Window focus = 0;
    int revert = 0;
    XGetInputFocus(dpy_, &focus, &revert);
    return focus == window_;
}

std::vector<KeyRecorder::Key> KeyRecorder::Drain() {
    std::vector<Key> keys;
    while (XPending(dpy_) > 0) {
        XEvent e;
        XNextEvent(dpy_, &e);
        if (e.type == KeyPress || e.type == KeyRelease) {
            keys.push_back({e.type == KeyPress, XLookupKeysym(&e.xkey, 0)});
        }
    }
    return keys;
}

int KeyRecorder::ConnectionFd() const {
    return ConnectionNumber(dpy_);
}

}  // namespace padrix::testing
