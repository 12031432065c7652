#include "platform/WineRegistry.h"
#include "common/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <vector>

namespace padrix {

namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Collects UTF-16 code units from escapes, pairing surrogates.
class Utf16Writer {
  public:
    explicit Utf16Writer(std::string& out) : out_(out) {}
    void Unit(std::uint32_t u) {
        if (u >= 0xD800 && u <= 0xDBFF) {
            Flush();
            high_ = u;
            return;
        }
        if (u >= 0xDC00 && u <= 0xDFFF && high_ != 0) {
            AppendUtf8(out_, 0x10000 + ((high_ - 0xD800) << 10) + (u - 0xDC00));
            high_ = 0;
            return;
        }
        Flush();
        AppendUtf8(out_, u >= 0xD800 && u <= 0xDFFF ? 0xFFFD : u);
    }
    void Byte(char c) {
        Flush();
        out_ += c;
    }
    void Flush() {
        if (high_ != 0) {
            AppendUtf8(out_, 0xFFFD);
            high_ = 0;
        }
    }

  private:
    std::string& out_;
    std::uint32_t high_ = 0;
};

int DigitValue(char c, int base) {
    int v = -1;
    if (c >= '0' && c <= '9') {
        v = c - '0';
    } else if (c >= 'a' && c <= 'f') {
        v = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
        v = c - 'A' + 10;
    }
    return v < base ? v : -1;
}

// Reads up to `maxDigits` digits of `base` at text[i]; advances i.
std::uint32_t Number(std::string_view text, std::size_t& i, int base, int maxDigits) {
    std::uint32_t n = 0;
    for (int k = 0; k < maxDigits && i < text.size() && DigitValue(text[i], base) >= 0; ++k, ++i) {
        n = n * static_cast<std::uint32_t>(base) +
            static_cast<std::uint32_t>(DigitValue(text[i], base));
    }
    return n;
}

std::uint32_t SimpleEscape(char c) {
    switch (c) {
        case 'a':
            return 7;
        case 'b':
            return 8;
        case 'e':
            return 27;
        case 'f':
            return 12;
        case 'n':
            return 10;
        case 'r':
            return 13;
        case 't':
            return 9;
        case 'v':
            return 11;
        default:
            return static_cast<unsigned char>(c);
    }
}

std::string Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

std::string NormalizeKey(std::string_view key) {
    while (!key.empty() && key.front() == '\\') {
        key.remove_prefix(1);
    }
    while (!key.empty() && key.back() == '\\') {
        key.remove_suffix(1);
    }
    return std::string(key);
}

// The key of a "[Software\\Wine] 1234" line; nothing for other lines.
std::optional<std::string> SectionKey(std::string_view line) {
    if (line.empty() || line.front() != '[') {
        return std::nullopt;
    }
    const auto close = line.rfind(']');
    if (close == std::string_view::npos) {
        return std::nullopt;
    }
    std::string key;
    const std::string_view inner = line.substr(1, close - 1);
    for (std::size_t i = 0; i < inner.size(); ++i) {
        if (inner[i] == '\\' && i + 1 < inner.size() && inner[i + 1] == '\\') {
            ++i;
        }
        key += inner[i];
    }
    return NormalizeKey(key);
}

// The string of a value line whose name is `value`; nothing when the line
// is another value's or not a string.
std::optional<std::string> ValueOfLine(std::string_view line, std::string_view value) {
    std::string name;
    std::size_t pos = 0;
    if (line.starts_with('@')) {
        pos = 1;
    } else if (line.starts_with('"')) {
        const auto quoted = UnquoteRegistryText(line.substr(1));
        if (!quoted) {
            return std::nullopt;
        }
        name = quoted->text;
        pos = 1 + quoted->used;
    } else {
        return std::nullopt;
    }
    const bool isDefault = line.front() == '@';
    const bool wanted =
        (value.empty() || value == "@") ? isDefault : !isDefault && SameIgnoringCase(name, value);
    if (!wanted || pos >= line.size() || line[pos] != '=') {
        return std::nullopt;
    }
    std::string_view data = line.substr(pos + 1);
    if (data.starts_with("str(2):")) {
        data.remove_prefix(7);
    }
    if (!data.starts_with('"')) {
        return std::nullopt;
    }
    const auto text = UnquoteRegistryText(data.substr(1));
    if (!text) {
        return std::nullopt;
    }
    return text->text;
}

}  // namespace

std::optional<UnquotedText> UnquoteRegistryText(std::string_view text) {
    UnquotedText result;
    Utf16Writer writer(result.text);
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i++];
        if (c == '"') {
            writer.Flush();
            result.used = i;
            return result;
        }
        if (c != '\\' || i >= text.size()) {
            writer.Byte(c);
            continue;
        }
        const char e = text[i];
        if (e == 'x') {
            ++i;
            writer.Unit(Number(text, i, 16, 4));
        } else if (e >= '0' && e <= '7') {
            writer.Unit(Number(text, i, 8, 3));
        } else {
            ++i;
            writer.Unit(SimpleEscape(e));
        }
    }
    return std::nullopt;
}

std::optional<std::string> ReadWineRegistryString(std::istream& file, std::string_view keyPath,
                                                  std::string_view value) {
    const std::string wantedKey = NormalizeKey(keyPath);
    bool inKey = false;
    std::string line;
    while (std::getline(file, line)) {
        const std::string trimmed = Trim(line);
        if (auto key = SectionKey(trimmed)) {
            if (inKey) {
                return std::nullopt;  // the key's values have all been seen
            }
            inKey = SameIgnoringCase(*key, wantedKey);
            continue;
        }
        if (inKey) {
            if (auto text = ValueOfLine(trimmed, value)) {
                return text;
            }
        }
    }
    return std::nullopt;
}

std::filesystem::path HostPathInPrefix(const std::filesystem::path& prefix,
                                       std::string_view windowsPath) {
    namespace fs = std::filesystem;
    if (windowsPath.size() < 2 || windowsPath[1] != ':' ||
        !std::isalpha(static_cast<unsigned char>(windowsPath[0]))) {
        return {};
    }
    const std::string drive = std::string(1, AsciiLower(windowsPath[0])) + ":";
    std::error_code error;
    fs::path current = fs::canonical(prefix / "dosdevices" / drive, error);
    if (error || !fs::is_directory(current, error)) {
        return {};
    }
    std::string_view rest = windowsPath.substr(2);
    while (!rest.empty()) {
        const auto sep = rest.find_first_of("\\/");
        const std::string_view part = rest.substr(0, sep);
        rest = sep == std::string_view::npos ? std::string_view() : rest.substr(sep + 1);
        if (part.empty() || part == ".") {
            continue;
        }
        fs::path next = current / std::string(part);
        if (!fs::exists(next, error)) {
            for (fs::directory_iterator it(current, error), end; !error && it != end;
                 it.increment(error)) {
                if (SameIgnoringCase(it->path().filename().string(), part)) {
                    next = it->path();
                    break;
                }
            }
        }
        current = next;
    }
    return current;
}

}  // namespace padrix
