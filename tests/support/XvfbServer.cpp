#include "XvfbServer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace padrix::testing {

XvfbServer::XvfbServer(int width, int height) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        return;
    }
    fcntl(fds[1], F_SETFD, 0);  // only the write end goes to Xvfb
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    process_ = std::make_unique<Child>(
        std::vector<std::string>{"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                                 screen, "-nolisten", "tcp", "-noreset"});
    close(fds[1]);
    // Xvfb writes the display number once it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    char c = 0;
    while (process_->started() && poll(&p, 1, 20000) == 1 && read(fds[0], &c, 1) == 1 &&
           c != '\n') {
        number += c;
    }
    close(fds[0]);
    if (c == '\n' && !number.empty()) {
        display_ = ":" + number;
    }
}

}  // namespace padrix::testing
