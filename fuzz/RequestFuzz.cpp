// Request lines of the command socket: any bytes are a request that writes
// back to the same line, or one printable line naming the problem.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "remote/Request.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view line(reinterpret_cast<const char*>(data), size);
    const auto parsed = padrix::ParseRequest(line);
    if (const auto* request = std::get_if<padrix::Request>(&parsed)) {
        padrix::fuzz::Check(line.size() <= padrix::kMaxRequestBytes);
        padrix::fuzz::Check(padrix::FormatRequest(*request) == line);
        return 0;
    }
    const std::string& text = std::get<padrix::RequestError>(parsed).text;
    padrix::fuzz::Check(!text.empty() && text.size() < 200);
    for (const char c : text) {
        padrix::fuzz::Check(c >= 0x20 && c < 0x7f);
    }
    return 0;
}
