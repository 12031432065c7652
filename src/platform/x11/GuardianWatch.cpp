#include "platform/x11/GuardianWatch.h"

#include <X11/extensions/XTest.h>
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>

namespace padrix::x11 {

namespace {

// Once the program has gone, releasing must not take long: a display that
// does not answer ends the guardian.
constexpr unsigned kReleaseTimeLimitSeconds = 5;

// Returns at end-of-file (or a read error, which means the same).
void WaitForEnd(int fd) {
    char buffer[64];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n == 0 || (n < 0 && errno != EINTR)) {
            return;
        }
    }
}

// The program decides when it ends: signals meant for its whole process
// group (Ctrl+C in a terminal, the end of a session) leave the guardian
// waiting for the pipe.
void IgnoreGroupSignals() {
    for (int s : {SIGINT, SIGQUIT, SIGHUP, SIGTERM, SIGPIPE}) {
        signal(s, SIG_IGN);
    }
}

}  // namespace

void ReleaseHeld(Display* display, const HeldInputs& held) {
    for (unsigned keycode = 0; keycode < held.keycodes.size(); ++keycode) {
        if (held.Key(keycode)) {
            XTestFakeKeyEvent(display, keycode, False, CurrentTime);
        }
    }
    for (unsigned button = 1; button < held.buttons.size(); ++button) {
        if (held.Button(button)) {
            XTestFakeButtonEvent(display, button, False, CurrentTime);
        }
    }
    XSync(display, False);
}

int RunGuardian(const std::string& display, int pageFd, int endFd) {
    IgnoreGroupSignals();
    void* memory = mmap(nullptr, sizeof(HeldInputs), PROT_READ, MAP_SHARED, pageFd, 0);
    close(pageFd);
    if (memory == MAP_FAILED) {
        return 1;
    }
    WaitForEnd(endFd);
    const auto& held = *static_cast<const HeldInputs*>(memory);
    if (held.orderlyExit.load(std::memory_order_acquire) != 0 || !held.Any()) {
        return 0;
    }
    signal(SIGALRM, SIG_DFL);
    alarm(kReleaseTimeLimitSeconds);
    Display* d = XOpenDisplay(display.c_str());
    if (d == nullptr) {
        return 1;
    }
    ReleaseHeld(d, held);
    XCloseDisplay(d);
    return 0;
}

}  // namespace padrix::x11
