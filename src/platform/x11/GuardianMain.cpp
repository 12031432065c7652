// padrix-guardian DISPLAY PAGE-FD END-FD: started by Padrix, never by hand.
#include <charconv>
#include <string_view>

#include "platform/x11/GuardianWatch.h"

namespace {

int Descriptor(std::string_view text) {
    int fd = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), fd);
    return error == std::errc() && end == text.data() + text.size() ? fd : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const int pageFd = Descriptor(argv[2]);
    const int endFd = Descriptor(argv[3]);
    if (pageFd < 0 || endFd < 0) {
        return 2;
    }
    return padrix::x11::RunGuardian(argv[1], pageFd, endFd);
}
