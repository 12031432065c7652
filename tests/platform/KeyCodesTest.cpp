#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <QtCore/qnamespace.h>

#include "NamedKeys.h"
#include "platform/keycodes/KeyCodes.h"

namespace padrix::testing {
namespace {

using namespace keycodes;

TEST(PlatformKeyCodes, EveryNamedKeyHasEveryCodeAndComesBack) {
    for (std::uint8_t vk : NamedKeys()) {
        const KeyCodes* k = Find(vk);
        ASSERT_NE(k, nullptr) << int(vk);
        EXPECT_TRUE(k->keysym != 0 && k->linuxKey != 0 && k->scanCode != 0 && k->qtKey != 0)
            << int(vk);
        EXPECT_EQ(VkOfKeysym(k->keysym), vk) << int(vk);
        EXPECT_EQ(VkOfQtKey(k->qtKey, k->keypad), vk) << int(vk);
    }
}

TEST(PlatformKeyCodes, ScanCodesNameThePhysicalKey) {
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
    // Every key of the table is reachable by its own scan code.
    for (const KeyCodes& k : AllKeys()) {
        if (k.scanCode != 0 && k.linuxKey != 0 && k.linuxKey < KEY_KP0) {
            EXPECT_EQ(LinuxKeyOfScanCode(k.scanCode, false), k.linuxKey) << int(k.vk);
        }
    }
}

// MS-DOS mode: a key's own scan code is its own key, and the code goes out
// as the kernel's PC keyboard driver reports it (bit 7 for the E0 prefix).
TEST(PlatformKeyCodes, KeyEventsByScanCodeAndTheirReportedCodes) {
    // clang-format off
    const std::tuple<std::uint8_t, std::uint8_t, bool, std::uint16_t> events[] = {
        {38, 0x48, false, KEY_UP},           {104, 0x48, false, KEY_KP8},
        {36, 0x47, false, KEY_HOME},         {45, 0x52, false, KEY_INSERT},
        {163, 0x1D, false, KEY_RIGHTCTRL},   {19, 0x45, false, KEY_PAUSE},
        {144, 0x45, false, KEY_NUMLOCK},     {111, 0x35, false, KEY_KPSLASH},
        {36, 0x48, false, KEY_KP8},          {66, 0x1E, false, KEY_A},
        {13, 0x1C, true, KEY_KPENTER},       {3, 0x46, false, KEY_SCROLLLOCK},
        {65, 0x60, false, 0},
    };
    // clang-format on
    for (auto [vk, scan, extended, key] : events) {
        EXPECT_EQ(LinuxKeyOfKeyEvent(vk, scan, extended), key) << int(vk);
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
    // Every key of the table: its own code is itself, and the code it
    // reports leads back to it.
    for (const KeyCodes& k : AllKeys()) {
        if (k.scanCode == 0 || k.linuxKey == 0) {
            continue;
        }
        EXPECT_EQ(LinuxKeyOfKeyEvent(k.vk, k.scanCode, false), k.linuxKey) << int(k.vk);
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
