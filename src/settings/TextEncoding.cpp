#include "settings/TextEncoding.h"

#include <array>
#include <cstdint>

namespace padrix {
namespace {

struct SequenceRule {
    int length;      // 0: the lead byte is not valid
    unsigned lowB1;  // bounds of the second byte
    unsigned highB1;
};

SequenceRule RuleFor(unsigned lead) {
    if (lead < 0x80) {
        return {1, 0, 0};
    }
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2, 0x80, 0xBF};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3, 0x80, 0xBF};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4, 0x80, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {0, 0, 0};
}

enum class Sequence { kValid, kInvalid, kTruncated };

// Checks the sequence starting at bytes[i]; on success sets length.
Sequence CheckSequence(std::string_view bytes, std::size_t i, std::size_t& length) {
    const SequenceRule rule = RuleFor(static_cast<unsigned char>(bytes[i]));
    if (rule.length == 0) {
        return Sequence::kInvalid;
    }
    for (int k = 1; k < rule.length; ++k) {
        if (i + static_cast<std::size_t>(k) >= bytes.size()) {
            return Sequence::kTruncated;
        }
        const unsigned b = static_cast<unsigned char>(bytes[i + static_cast<std::size_t>(k)]);
        const unsigned low = k == 1 ? rule.lowB1 : 0x80;
        const unsigned high = k == 1 ? rule.highB1 : 0xBF;
        if (b < low || b > high) {
            return Sequence::kInvalid;
        }
    }
    length = static_cast<std::size_t>(rule.length);
    return Sequence::kValid;
}

// Windows-1252 code points of bytes 0x80 to 0x9F.
constexpr std::array<std::uint16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t length = 0;
        if (CheckSequence(bytes, i, length) != Sequence::kValid) {
            return false;
        }
        i += length;
    }
    return true;
}

std::size_t Utf8CompletePrefix(std::string_view bytes) {
    // A sequence is at most 4 bytes: only the last 3 can be an unfinished one.
    const std::size_t from = bytes.size() > 3 ? bytes.size() - 3 : 0;
    for (std::size_t i = from; i < bytes.size(); ++i) {
        std::size_t length = 0;
        if (CheckSequence(bytes, i, length) == Sequence::kTruncated) {
            return i;
        }
    }
    return bytes.size();
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const unsigned b = static_cast<unsigned char>(c);
        AppendUtf8(out, b >= 0x80 && b <= 0x9F ? kCp1252High[b - 0x80] : b);
    }
    return out;
}

}  // namespace padrix
