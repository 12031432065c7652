#include "PadCommands.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTimer>
#include <cstring>
#include <sstream>

namespace padrix::testing {

namespace {

// Long enough for the polling timer, due every millisecond, to come first.
constexpr int kAnswerAfterMs = 4;

int ConnectTo(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

PadCommands::PadCommands(int pads, const std::string& socketPath, QObject* parent)
    : QObject(parent) {
    for (int n = 0; n < pads; ++n) {
        pads_.push_back(std::make_unique<VirtualPad>(PadSetup{.name = "Chaos Pad", .hats = 1}));
    }
    fd_ = ConnectTo(socketPath);
    if (fd_ >= 0) {
        readable_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        connect(readable_.get(), &QSocketNotifier::activated, this, &PadCommands::OnReadable);
    }
}

PadCommands::~PadCommands() {
    readable_.reset();
    if (fd_ >= 0) {
        close(fd_);
    }
}

void PadCommands::OnReadable() {
    char buffer[4096];
    const ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got <= 0) {
        readable_.reset();
        return;
    }
    pending_.append(buffer, static_cast<std::size_t>(got));
    for (auto end = pending_.find('\n'); end != std::string::npos; end = pending_.find('\n')) {
        Apply(pending_.substr(0, end));
        pending_.erase(0, end + 1);
        QTimer::singleShot(kAnswerAfterMs, this, [this] { send(fd_, "k\n", 2, MSG_NOSIGNAL); });
    }
}

VirtualPad* PadCommands::Pad(int n) {
    return n >= 1 && n <= static_cast<int>(pads_.size())
               ? pads_[static_cast<std::size_t>(n - 1)].get()
               : nullptr;
}

void PadCommands::Apply(const std::string& line) {
    std::istringstream in(line);
    char what = 0;
    int n = 0;
    int a = 0;
    int b = 0;
    in >> what >> n >> a >> b;
    VirtualPad* pad = Pad(n);
    if (pad == nullptr) {
        return;
    }
    switch (what) {
        case 'b':
            pad->SetButton(a, b != 0);
            break;
        case 'a':
            pad->SetAxis(a, static_cast<Sint16>(b));
            break;
        case 'h':
            pad->SetHat(static_cast<Uint8>(a));
            break;
        case 'u':
            pad->Detach();
            break;
        case 'p':
            pad->Attach();
            break;
        default:
            break;
    }
}

}  // namespace padrix::testing
