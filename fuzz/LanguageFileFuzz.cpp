// libFuzzer target: any bytes as a language file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "settings/LanguageFile.h"
#include "settings/TextEncoding.h"

using padrix::fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const int lastId = size > 0 ? data[0] % 80 - 5 : padrix::kLanguageTextIds - 1;
    const auto texts = padrix::ParseLanguageTexts(bytes, lastId);
    Check(static_cast<int>(texts.size()) <=
          std::max(0, std::min(lastId, padrix::kLanguageTextIds - 1) + 1));
    for (const std::string& text : texts) {
        Check(!text.empty() && text.front() != ' ' && text.back() != ' ');
        Check(text.find_first_of("\r\n") == std::string::npos);
        Check(padrix::IsValidUtf8(text));
        Check(text.size() <= 3 * padrix::kMaxLanguageLineBytes);
    }
    return 0;
}
