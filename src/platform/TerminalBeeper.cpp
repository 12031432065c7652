#include "platform/TerminalBeeper.h"

#include <fcntl.h>
#include <unistd.h>

namespace padrix {

TerminalBeeper::TerminalBeeper() : fd_(open("/dev/tty", O_WRONLY | O_NOCTTY | O_CLOEXEC)) {}

TerminalBeeper::~TerminalBeeper() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

void TerminalBeeper::Beep() {
    if (fd_ >= 0) {
        [[maybe_unused]] const ssize_t ignored = write(fd_, "\a", 1);
    }
}

}  // namespace padrix
