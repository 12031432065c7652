#include "Keystrokes.h"

#include <algorithm>
#include <array>
#include <string>

#include "VirtualKeys.h"
#include "common/AsciiText.h"

namespace padrix {

namespace {

constexpr int kMaxRepeat = 255;
constexpr int kMaxDepth = 16;

constexpr unsigned kShift = 1;
constexpr unsigned kCtrl = 2;
constexpr unsigned kAlt = 4;

struct NamedKey {
    std::string_view name;
    std::uint8_t vk;
};

constexpr std::array<NamedKey, 27> kNamedKeys{{
    {"up", vk::Up},
    {"down", vk::Down},
    {"left", vk::Left},
    {"right", vk::Right},
    {"enter", vk::Return},
    {"esc", vk::Escape},
    {"escape", vk::Escape},
    {"tab", vk::Tab},
    {"home", vk::Home},
    {"end", vk::End},
    {"pgup", vk::Prior},
    {"pgdn", vk::Next},
    {"ins", vk::Insert},
    {"insert", vk::Insert},
    {"del", vk::Delete},
    {"delete", vk::Delete},
    {"bs", vk::Back},
    {"bksp", vk::Back},
    {"backspace", vk::Back},
    {"break", vk::Cancel},
    {"capslock", vk::Capital},
    {"numlock", vk::NumLock},
    {"scrolllock", vk::ScrollLock},
    {"prtsc", vk::Snapshot},
    {"pause", vk::Pause},
    {"space", vk::Space},
    {"return", vk::Return},
}};

// A character as the key that types it on a US layout.
struct CharKey {
    std::uint8_t vk = 0;
    bool shift = false;
};

std::optional<CharKey> KeyOfChar(char c) {
    if (c >= 'a' && c <= 'z') {
        return CharKey{static_cast<std::uint8_t>(c - 'a' + 'A'), false};
    }
    if (c >= 'A' && c <= 'Z') {
        return CharKey{static_cast<std::uint8_t>(c), true};
    }
    if (c >= '0' && c <= '9') {
        return CharKey{static_cast<std::uint8_t>(c), false};
    }
    static constexpr std::string_view kPlain = " ;=,-./`[\\]'\t\n";
    static constexpr std::array<std::uint8_t, 14> kPlainVk{32,  186, 187, 188, 189, 190, 191,
                                                           192, 219, 220, 221, 222, 9,   13};
    static constexpr std::string_view kShifted = ")!@#$%^&*(:+<_>?~{|}\"";
    static constexpr std::array<std::uint8_t, 21> kShiftedVk{'0', '1', '2', '3', '4', '5', '6',
                                                             '7', '8', '9', 186, 187, 188, 189,
                                                             190, 191, 192, 219, 220, 221, 222};
    if (auto p = kPlain.find(c); p != std::string_view::npos) {
        return CharKey{kPlainVk[p], false};
    }
    if (auto p = kShifted.find(c); p != std::string_view::npos) {
        return CharKey{kShiftedVk[p], true};
    }
    return std::nullopt;
}

std::optional<std::uint8_t> KeyOfName(std::string_view name) {
    const std::string lower = AsciiLower(name);
    for (const NamedKey& k : kNamedKeys) {
        if (k.name == lower) {
            return k.vk;
        }
    }
    if (lower.size() >= 2 && lower.size() <= 3 && lower[0] == 'f' &&
        std::all_of(lower.begin() + 1, lower.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const int n = std::stoi(lower.substr(1));
        if (n >= 1 && n <= 16) {
            return static_cast<std::uint8_t>(vk::F1 + n - 1);
        }
    }
    return std::nullopt;
}

class Parser {
  public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::optional<std::vector<Keystroke>> Run() {
        if (!Sequence(0, false) || pos_ != text_.size()) {
            return std::nullopt;
        }
        return std::move(out_);
    }

  private:
    // Items until the end, or until ')' inside a group.
    bool Sequence(unsigned held, bool inGroup) {
        while (pos_ < text_.size()) {
            if (text_[pos_] == ')') {
                return inGroup;
            }
            if (!Item(held)) {
                return false;
            }
        }
        return !inGroup;
    }

    bool Item(unsigned held) {
        const unsigned mods = Modifiers();
        if (pos_ >= text_.size() || (mods != 0 && text_[pos_] == ')')) {
            return false;
        }
        if (++depth_ > kMaxDepth) {
            return false;
        }
        Press(mods & ~held, false);
        const bool ok = Target(held | mods);
        Press(mods & ~held, true);
        --depth_;
        return ok;
    }

    unsigned Modifiers() {
        unsigned mods = 0;
        for (; pos_ < text_.size(); ++pos_) {
            const char c = text_[pos_];
            const unsigned m = c == '+' ? kShift : c == '^' ? kCtrl : c == '%' ? kAlt : 0;
            if (m == 0) {
                break;
            }
            mods |= m;
        }
        return mods;
    }

    bool Target(unsigned held) {
        const char c = text_[pos_];
        if (c == '(') {
            ++pos_;
            if (!Sequence(held, true) || pos_ >= text_.size()) {
                return false;
            }
            ++pos_;  // ')'
            return true;
        }
        if (c == '{') {
            return Braced(held);
        }
        if (c == '}') {
            return false;
        }
        ++pos_;
        if (c == '~') {
            Tap(vk::Return, false, held, 1);
            return true;
        }
        return Char(c, held, 1);
    }

    bool Char(char c, unsigned held, int count) {
        const auto key = KeyOfChar(c);
        if (!key) {
            return false;
        }
        // Letters typed with Alt or Ctrl are shortcuts, where case does not matter.
        const bool shortcut = (held & (kAlt | kCtrl)) != 0 && c >= 'A' && c <= 'Z';
        Tap(key->vk, key->shift && !shortcut, held, count);
        return true;
    }

    bool Braced(unsigned held) {
        // The first character after '{' belongs to the content, so "{}}" and "{{}" work.
        const std::size_t start = pos_ + 1;
        const std::size_t close = text_.find('}', start + 1);
        if (start >= text_.size() || close == std::string_view::npos) {
            return false;
        }
        std::string_view content = text_.substr(start, close - start);
        pos_ = close + 1;
        int count = 1;
        if (const auto space = content.rfind(' '); space != std::string_view::npos && space > 0) {
            const auto n = ParseCount(content.substr(space + 1));
            if (!n) {
                return false;
            }
            count = *n;
            content = content.substr(0, space);
        }
        if (content.size() == 1) {
            return Char(content[0], held, count);
        }
        const auto key = KeyOfName(content);
        if (!key) {
            return false;
        }
        Tap(*key, false, held, count);
        return true;
    }

    static std::optional<int> ParseCount(std::string_view digits) {
        if (digits.empty() || digits.size() > 3) {
            return std::nullopt;
        }
        int n = 0;
        for (char d : digits) {
            if (d < '0' || d > '9') {
                return std::nullopt;
            }
            n = n * 10 + (d - '0');
        }
        return n <= kMaxRepeat ? std::optional<int>(n) : std::nullopt;
    }

    void Tap(std::uint8_t vk, bool shift, unsigned held, int count) {
        const bool addShift = shift && (held & kShift) == 0;
        for (int i = 0; i < count; ++i) {
            if (addShift) {
                out_.push_back({vk::Shift, false});
            }
            out_.push_back({vk, false});
            out_.push_back({vk, true});
            if (addShift) {
                out_.push_back({vk::Shift, true});
            }
        }
    }

    void Press(unsigned mods, bool up) {
        static constexpr std::array<std::pair<unsigned, std::uint8_t>, 3> kOrder{
            {{kShift, vk::Shift}, {kCtrl, vk::Control}, {kAlt, vk::Menu}}};
        if (!up) {
            for (const auto& [m, key] : kOrder) {
                if (mods & m) {
                    out_.push_back({key, false});
                }
            }
            return;
        }
        for (auto it = kOrder.rbegin(); it != kOrder.rend(); ++it) {
            if (mods & it->first) {
                out_.push_back({it->second, true});
            }
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    std::vector<Keystroke> out_;
};

}  // namespace

std::optional<std::vector<Keystroke>> ParseKeystrokes(std::string_view text) {
    return Parser(text).Run();
}

}  // namespace padrix
