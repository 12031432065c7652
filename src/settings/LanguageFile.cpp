#include "settings/LanguageFile.h"

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "settings/TextEncoding.h"
#include "settings/TrimSpaces.h"

namespace padrix {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// The bytes of a file of the given encoding, cut to the size we read.
struct LanguageBytes {
    std::string_view bytes;
    bool utf8;
};

LanguageBytes Classify(std::string_view bytes) {
    const bool mayBeCut = bytes.size() >= kMaxLanguageFileBytes;
    bytes = bytes.substr(0, kMaxLanguageFileBytes);
    if (bytes.starts_with(kUtf8Bom)) {
        bytes.remove_prefix(kUtf8Bom.size());
    }
    if (mayBeCut) {
        // The cut may have split the last character; it does not count.
        const std::string_view whole = bytes.substr(0, Utf8CompletePrefix(bytes));
        if (IsValidUtf8(whole)) {
            return {whole, true};
        }
    }
    return {bytes, IsValidUtf8(bytes)};
}

// One line's text: trimmed, cut to the line limit on a character boundary.
std::string_view LineText(std::string_view line, bool utf8) {
    line = TrimSpaces(line);
    if (line.size() > kMaxLanguageLineBytes) {
        line = line.substr(0, kMaxLanguageLineBytes);
        if (utf8) {
            line = line.substr(0, Utf8CompletePrefix(line));
        }
        line = TrimSpaces(line);
    }
    return line;
}

// The next line of text starting at pos; moves pos past its line end.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
    const std::size_t end = std::min(text.find_first_of("\r\n", pos), text.size());
    const std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') {
        ++pos;
        if (pos < text.size() && text[pos] == '\n') {
            ++pos;
        }
    } else if (pos < text.size()) {
        ++pos;
    }
    return line;
}

}  // namespace

bool FileExists(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    return !error && size >= 1;
}

std::vector<std::string> ParseLanguageTexts(std::string_view bytes, int lastId) {
    const int last = std::min(lastId, kLanguageTextIds - 1);
    std::vector<std::string> texts;
    const LanguageBytes file = Classify(bytes);
    std::size_t pos = 0;
    while (pos < file.bytes.size() && static_cast<int>(texts.size()) <= last) {
        const std::string_view text = LineText(NextLine(file.bytes, pos), file.utf8);
        if (!text.empty()) {
            texts.push_back(file.utf8 ? std::string(text) : Cp1252ToUtf8(text));
        }
    }
    return texts;
}

std::vector<std::string> ReadLanguageFile(const std::string& path, int lastId) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return {};
    }
    std::string bytes(kMaxLanguageFileBytes, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    return ParseLanguageTexts(bytes, lastId);
}

}  // namespace padrix
