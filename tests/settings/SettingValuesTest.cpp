#include <gtest/gtest.h>

#include <limits>

#include "settings/SettingValues.h"

namespace padrix {
namespace {

template <typename T>
struct Conversion {
    const char* text;
    std::optional<T> expected;
};

TEST(SettingsValuesTest, TextsConvertWhenTheyAreExactlyANumberOrBoolean) {
    const Conversion<bool> booleans[] = {
        {"True", true},   {"true", true},   {"TRUE", true},  {"tRuE", true},
        {"False", false}, {"FALSE", false}, {"1", true},     {"-1", true},
        {"+2", true},     {"0", false},     {"-000", false}, {"99999999999999999999999", true},
        {"", {}},         {" True", {}},    {"True ", {}},   {"yes", {}},
        {"1.5", {}},      {"-", {}},        {"Truex", {}},   {"0x1", {}},
    };
    for (const auto& row : booleans) {
        EXPECT_EQ(ToBoolean(row.text), row.expected) << '"' << row.text << '"';
    }
    // clang-format off
    const Conversion<std::int16_t> integers[] = {
        {"2", 2},       {"-32768", -32768}, {"32767", 32767}, {"+5", 5}, {"007", 7}, {"-0", 0},
        {"0000000000000000000000001", 1},   {"32768", {}},    {"-32769", {}},
        {"99999999999999999999", {}},       {"", {}},         {" 1", {}}, {"1 ", {}},
        {"0x10", {}},   {"1.0", {}},        {"+", {}},        {"--1", {}},
    };
    // clang-format on
    for (const auto& row : integers) {
        EXPECT_EQ(ToInt16(row.text), row.expected) << '"' << row.text << '"';
    }
    const Conversion<std::uint8_t> keyCodes[] = {
        {"0", 0},    {"74", 74},  {"255", 255}, {"074", 74}, {"256", {}},
        {"300", {}}, {"abc", {}}, {"-1", {}},   {"+1", {}},  {"", {}},
        {" 74", {}}, {"74 ", {}}, {"1e2", {}},  {"1.0", {}}, {"٣", {}},
    };
    for (const auto& row : keyCodes) {
        EXPECT_EQ(ToKeyCode(row.text), row.expected) << '"' << row.text << '"';
    }
}

TEST(SettingsValuesTest, WrittenFormsReadBack) {
    EXPECT_EQ(FromInt(-1), "-1");
    for (int v = std::numeric_limits<std::int16_t>::min();
         v <= std::numeric_limits<std::int16_t>::max(); ++v) {
        ASSERT_EQ(ToInt16(FromInt(v)), v);
    }
    for (int code = 0; code <= 255; ++code) {
        ASSERT_EQ(ToKeyCode(FromInt(code)), code);
    }
}

}  // namespace
}  // namespace padrix
