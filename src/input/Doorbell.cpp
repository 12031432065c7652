#include "input/Doorbell.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace padrix {

Doorbell::Doorbell(Doorbell&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}

Doorbell& Doorbell::operator=(Doorbell&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
    }
    return *this;
}

bool Doorbell::Drain() {
    // Room for many input events at once (an event device refuses reads
    // smaller than one event).
    char bytes[1024];
    bool rang = false;
    while (fd_ >= 0) {
        const ssize_t n = read(fd_, bytes, sizeof bytes);
        if (n > 0) {
            rang = true;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            break;
        } else {
            Close();
            rang = true;
        }
    }
    return rang;
}

void Doorbell::Close() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
}

int OpenEventDevice(int, const std::string& path) {
    return path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

}  // namespace padrix
