#include "settings/SettingValues.h"
#include "common/AsciiText.h"

#include <charconv>
#include <limits>

#include "settings/TextEncoding.h"

namespace padrix {
namespace {

bool AllDigits(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// Splits an optional leading sign off; returns whether it was a minus.
bool TakeSign(std::string_view& text) {
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        const bool negative = text.front() == '-';
        text.remove_prefix(1);
        return negative;
    }
    return false;
}

// Digits without their leading zeros ("0" for all zeros), so that any length
// of zeros parses and only the significant digits can overflow.
std::string_view Significant(std::string_view digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string_view("0") : digits.substr(first);
}

// A whole number of at most 18 significant digits, or nullopt.
std::optional<long long> ToWhole(std::string_view text, bool allowSign) {
    const bool negative = allowSign && TakeSign(text);
    if (!AllDigits(text)) {
        return std::nullopt;
    }
    const std::string_view digits = Significant(text);
    if (digits.size() > 18) {
        return std::nullopt;
    }
    long long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return negative ? -value : value;
}

}  // namespace

std::optional<bool> ToBoolean(std::string_view text) {
    const std::string lower = AsciiLower(text);
    if (lower == "true") {
        return true;
    }
    if (lower == "false") {
        return false;
    }
    TakeSign(text);
    if (!AllDigits(text)) {
        return std::nullopt;
    }
    return text.find_first_not_of('0') != std::string_view::npos;
}

std::optional<std::int16_t> ToInt16(std::string_view text) {
    const std::optional<long long> value = ToWhole(text, true);
    if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
        *value > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(*value);
}

std::optional<std::uint8_t> ToKeyCode(std::string_view text) {
    const std::optional<long long> value = ToWhole(text, false);
    if (!value || *value > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*value);
}

std::string FromBoolean(bool value) {
    return value ? "True" : "False";
}

std::string FromInt(long long value) {
    return std::to_string(value);
}

}  // namespace padrix
