#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <QtCore/qnamespace.h>

#include "engine/VirtualKeys.h"
#include "platform/keycodes/KeyCodes.h"

namespace padrix::testing {
namespace {

using namespace keycodes;

// Every key the engine gives a name to has a complete row, and both capture
// paths lead back to it.
TEST(PlatformKeyCodes, EveryNamedKeyHasEveryCodeAndComesBack) {
    for (int code = 1; code < 256; ++code) {
        const auto vk = static_cast<std::uint8_t>(code);
        if (vk::Name(vk).empty()) {
            continue;
        }
        const KeyCodes* k = Find(vk);
        ASSERT_NE(k, nullptr) << int(vk);
        EXPECT_TRUE(k->keysym != 0 && k->linuxKey != 0 && k->scanCode != 0 && k->qtKey != 0)
            << int(vk);
        EXPECT_EQ(VkOfKeysym(k->keysym), vk) << int(vk);
        EXPECT_EQ(VkOfQtKey(k->qtKey, k->keypad), vk) << int(vk);
    }
}

// Set-1 scan codes name the physical key, and each key's code goes out as the
// kernel's PC keyboard driver reports it (bit 7 for the E0 prefix).
TEST(PlatformKeyCodes, ScanCodesNameThePhysicalKeyAndAreReportedAsAtkbdDoes) {
    struct Case {
        std::uint8_t scan;
        bool extended;
        std::uint16_t key;
    };
    // clang-format off
    const Case cases[] = {
        {0x1E, false, KEY_A},         {0x4B, false, KEY_KP4},       {0x4B, true, KEY_LEFT},
        {0x1C, true, KEY_KPENTER},    {0x1D, true, KEY_RIGHTCTRL},  {0x38, true, KEY_RIGHTALT},
        {0x35, true, KEY_KPSLASH},    {0x54, false, KEY_SYSRQ},     {0x57, false, KEY_F11},
        {0x5B, true, KEY_LEFTMETA},   {0x64, false, KEY_F13},       {0x00, false, 0},
        {0x55, false, 0},             {0x60, false, 0},             {0x1E, true, 0},
        {0xFF, false, 0},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(LinuxKeyOfScanCode(c.scan, c.extended), c.key)
            << std::hex << int(c.scan) << (c.extended ? " extended" : "");
    }
    const std::pair<std::uint16_t, std::uint16_t> reported[] = {
        {KEY_A, 0x1E},         {KEY_UP, 0xC8},       {KEY_KP8, 0x48},
        {KEY_RIGHTCTRL, 0x9D}, {KEY_SYSRQ, 0xB7},    {KEY_PAUSE, 0xC5},
        {KEY_F13, 0x64},       {KEY_LEFTMETA, 0xDB}, {0, 0},
        {KEY_MUTE, 0},
    };
    for (auto [key, scan] : reported) {
        EXPECT_EQ(AtkbdScanCodeOf(key), scan) << key;
    }
    // Every key of the table is reachable by its own scan code, and the code
    // it reports leads back to it.
    for (const KeyCodes& k : AllKeys()) {
        if (k.scanCode == 0 || k.linuxKey == 0) {
            continue;
        }
        if (k.linuxKey < KEY_KP0) {
            EXPECT_EQ(LinuxKeyOfScanCode(k.scanCode, false), k.linuxKey) << int(k.vk);
        }
        const std::uint16_t scan = AtkbdScanCodeOf(k.linuxKey);
        if (k.linuxKey != KEY_PAUSE) {
            EXPECT_EQ(LinuxKeyOfScanCode(scan & 0x7F, (scan & 0x80) != 0), k.linuxKey) << int(k.vk);
        }
    }
}

// A captured key names the key, whatever the modifiers made of it.
TEST(PlatformKeyCodes, CapturedKeysMapBackToTheirKey) {
    const std::pair<std::uint32_t, std::uint8_t> keysyms[] = {
        {XK_a, 65},           {XK_Control_R, 17}, {XK_ISO_Level3_Shift, 18}, {XK_exclam, 49},
        {XK_underscore, 189}, {XK_KP_Home, 36},   {XK_ISO_Left_Tab, 9},      {0x12345678, 0},
    };
    for (auto [sym, vk] : keysyms) {
        EXPECT_EQ(VkOfKeysym(sym), vk) << std::hex << sym;
    }
    const std::tuple<int, bool, std::uint8_t> qt[] = {
        {Qt::Key_5, true, 101},
        {Qt::Key_Minus, true, 109},
        {Qt::Key_Home, true, 36},
        {Qt::Key_Backtab, false, 9},
        {Qt::Key_Exclam, false, 49},
        {Qt::Key_unknown, false, 0},
        {-5, false, 0},
    };
    for (auto [key, keypad, vk] : qt) {
        EXPECT_EQ(VkOfQtKey(key, keypad), vk) << std::hex << key;
    }
}

}  // namespace
}  // namespace padrix::testing
