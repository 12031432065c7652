#include <gtest/gtest.h>

#include "engine/Keystrokes.h"

namespace padrix {
namespace {

std::string Describe(const std::vector<Keystroke>& keys) {
    std::string s;
    for (const Keystroke& k : keys) {
        s += (k.up ? "-" : "+") + std::to_string(k.vk) + " ";
    }
    return s;
}

std::string Parse(std::string_view text) {
    const auto keys = ParseKeystrokes(text);
    return keys ? Describe(*keys) : "malformed";
}

TEST(EngineKeystrokes, Notation) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"%(E){Up}~", "+18 +69 -69 -18 +38 -38 +13 -13 "},  // the menu strings
        {"%(C){Up}~", "+18 +67 -67 -18 +38 -38 +13 -13 "},
        {"%(C)~", "+18 +67 -67 -18 +13 -13 "},
        {"~", "+13 -13 "},
        {"^{}}", "+17 +16 +221 -221 -16 -17 "},
        {"+(^(%(a)b)c)", "+16 +17 +18 +65 -65 -18 +66 -66 -17 +67 -67 -16 "},
        {"+{Left 4}", "+16 +37 -37 +37 -37 +37 -37 +37 -37 -16 "},
        {"a", "+65 -65 "},
        {"A", "+16 +65 -65 -16 "},
        {"+a", "+16 +65 -65 -16 "},
        {"+A", "+16 +65 -65 -16 "},
        {"^c", "+17 +67 -67 -17 "},
        {"+^x", "+16 +17 +88 -88 -17 -16 "},
        {"%ab", "+18 +65 -65 -18 +66 -66 "},
        {"+(ab)", "+16 +65 -65 +66 -66 -16 "},
        {"{left 3}", "+37 -37 +37 -37 +37 -37 "},
        {"{PGDN}{pgup}{Bksp}{BS}{Backspace}", "+34 -34 +33 -33 +8 -8 +8 -8 +8 -8 "},
        {"{Esc}{Tab}{Home}{End}{Ins}{Insert}{Del}{Delete}",
         "+27 -27 +9 -9 +36 -36 +35 -35 +45 -45 +45 -45 +46 -46 +46 -46 "},
        {"{Break}{CapsLock}{NumLock}{ScrollLock}{PrtSc}",
         "+3 -3 +20 -20 +144 -144 +145 -145 +44 -44 "},
        {"{F1}{f16}{Enter}", "+112 -112 +127 -127 +13 -13 "},
        {"{+}{^}{%}{~}", "+16 +187 -187 -16 +16 +54 -54 -16 +16 +53 -53 -16 +16 +192 -192 -16 "},
        {"{(}{)}{{}{}}", "+16 +57 -57 -16 +16 +48 -48 -16 +16 +219 -219 -16 +16 +221 -221 -16 "},
        {"1 ;", "+49 -49 +32 -32 +186 -186 "},
        {"{a 0}", ""},
        {"", ""},
    };
    for (const auto& [text, keys] : cases) {
        EXPECT_EQ(Parse(text), keys) << text;
    }
}

TEST(EngineKeystrokes, MalformedStrings) {
    for (std::string_view text :
         {"%", "+^", "(a", "a)", "%)", "{", "{Up", "}", "{Nope}", "{F17}", "{F0}", "{Left x}",
          "{Left 256}", "{Left -1}", "\x01", "\xc3\xa9", "((((((((((((((((((a))))))))))))))))))"}) {
        EXPECT_EQ(Parse(text), "malformed") << text;
    }
}

}  // namespace
}  // namespace padrix
