// padrix-guardian DISPLAY PAGE-FD END-FD [WAYLAND-DISPLAY]: started by Padrix,
// never by hand. It maps the page of held inputs, waits until the pipe at
// END-FD reaches end-of-file (the program has ended, however), and unless the
// program marked an orderly exit, lets go of what the page still holds.
#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <string>
#include <string_view>

#include "platform/HeldInputs.h"
#ifdef PADRIX_GUARDIAN_X11
#include "platform/x11/X11Release.h"
#endif
#ifdef PADRIX_GUARDIAN_WAYLAND
#include "platform/wayland/CompositorRelease.h"
#endif

namespace {

// Once the program has gone, releasing must not take long: a display that
// does not answer ends the guardian.
constexpr unsigned kReleaseTimeLimitSeconds = 5;

int Descriptor(std::string_view text) {
    int fd = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), fd);
    return error == std::errc() && end == text.data() + text.size() ? fd : -1;
}

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

// Lets go of what `held` marks where it went down: the compositor's buttons
// through the compositor, the rest through XTest. False when a display that
// holds some of it could not be reached.
bool Release(const padrix::HeldInputs& held, const std::string& display,
             const std::string& waylandDisplay) {
    bool released = true;
#ifdef PADRIX_GUARDIAN_WAYLAND
    if (held.compositorButtons.load(std::memory_order_relaxed) != 0 && !waylandDisplay.empty()) {
        released = padrix::wayland::ReleaseButtonsThroughCompositor(waylandDisplay, held);
    }
#else
    (void)waylandDisplay;
#endif
#ifdef PADRIX_GUARDIAN_X11
    if (!display.empty()) {
        released = padrix::x11::ReleaseThroughXTest(display, held) && released;
    }
#else
    (void)display;
#endif
    return released;
}

int Run(const std::string& display, int pageFd, int endFd, const std::string& waylandDisplay) {
    IgnoreGroupSignals();
    void* memory = mmap(nullptr, sizeof(padrix::HeldInputs), PROT_READ, MAP_SHARED, pageFd, 0);
    close(pageFd);
    if (memory == MAP_FAILED) {
        return 1;
    }
    WaitForEnd(endFd);
    const auto& held = *static_cast<const padrix::HeldInputs*>(memory);
    if (held.orderlyExit.load(std::memory_order_acquire) != 0 || !held.Any()) {
        return 0;
    }
    signal(SIGALRM, SIG_DFL);
    alarm(kReleaseTimeLimitSeconds);
    return Release(held, display, waylandDisplay) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 && argc != 5) {
        return 2;
    }
    const int pageFd = Descriptor(argv[2]);
    const int endFd = Descriptor(argv[3]);
    if (pageFd < 0 || endFd < 0) {
        return 2;
    }
    return Run(argv[1], pageFd, endFd, argc == 5 ? argv[4] : "");
}
