#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <QtCore/qnamespace.h>

#include <vector>

#include "platform/keycodes/KeyCodes.h"

namespace padrix::testing {
namespace {

using namespace keycodes;

// Every code the configuration dialog gives a name to.
std::vector<std::uint8_t> NamedKeys() {
    std::vector<std::uint8_t> named = {8,   9,   13,  16,  17,  18,  19,  20,  45,  46,
                                       106, 107, 109, 110, 111, 144, 145, 186, 187, 188,
                                       189, 190, 191, 192, 219, 220, 221, 222};
    const std::pair<int, int> ranges[] = {{32, 40}, {48, 57}, {65, 90}, {96, 105}, {112, 127}};
    for (auto [from, to] : ranges) {
        for (int v = from; v <= to; ++v) {
            named.push_back(static_cast<std::uint8_t>(v));
        }
    }
    return named;
}

TEST(PlatformKeyCodes, EveryNamedKeyHasEveryCodeAndComesBack) {
    for (std::uint8_t vk : NamedKeys()) {
        const KeyCodes* k = Find(vk);
        ASSERT_NE(k, nullptr) << int(vk);
        EXPECT_NE(k->keysym, 0u) << int(vk);
        EXPECT_NE(k->linuxKey, 0) << int(vk);
        EXPECT_NE(k->scanCode, 0) << int(vk);
        EXPECT_NE(k->qtKey, 0) << int(vk);
        EXPECT_EQ(VkOfKeysym(k->keysym), vk) << int(vk);
        EXPECT_EQ(VkOfQtKey(k->qtKey, k->keypad), vk) << int(vk);
    }
}

TEST(PlatformKeyCodes, ScanCodesAreThoseOfAUsKeyboard) {
    const std::pair<std::uint8_t, std::uint8_t> cases[] = {
        {27, 0x01},  {49, 0x02},  {48, 0x0B},  {8, 0x0E},   {9, 0x0F},   {81, 0x10},  {65, 0x1E},
        {13, 0x1C},  {17, 0x1D},  {16, 0x2A},  {90, 0x2C},  {77, 0x32},  {18, 0x38},  {32, 0x39},
        {20, 0x3A},  {112, 0x3B}, {121, 0x44}, {122, 0x57}, {123, 0x58}, {144, 0x45}, {145, 0x46},
        {36, 0x47},  {38, 0x48},  {33, 0x49},  {37, 0x4B},  {39, 0x4D},  {35, 0x4F},  {40, 0x50},
        {34, 0x51},  {45, 0x52},  {46, 0x53},  {96, 0x52},  {103, 0x47}, {106, 0x37}, {107, 0x4E},
        {109, 0x4A}, {110, 0x53}, {111, 0x35}, {186, 0x27}, {187, 0x0D}, {188, 0x33}, {189, 0x0C},
        {190, 0x34}, {191, 0x35}, {192, 0x29}, {219, 0x1A}, {220, 0x2B}, {221, 0x1B}, {222, 0x28},
        {44, 0x54},  {124, 0x64},
    };
    for (auto [vk, scan] : cases) {
        EXPECT_EQ(ScanCodeOf(vk), scan) << int(vk);
    }
    EXPECT_EQ(ScanCodeOf(0), 0);
    EXPECT_EQ(ScanCodeOf(255), 0);
}

TEST(PlatformKeyCodes, ScanCodesNameThePhysicalKey) {
    struct Case {
        std::uint8_t scan;
        bool extended;
        std::uint16_t key;
    };
    const Case cases[] = {
        {0x1E, false, KEY_A},
        {0x4B, false, KEY_KP4},
        {0x4B, true, KEY_LEFT},
        {0x1C, true, KEY_KPENTER},
        {0x1D, true, KEY_RIGHTCTRL},
        {0x38, true, KEY_RIGHTALT},
        {0x35, true, KEY_KPSLASH},
        {0x54, false, KEY_SYSRQ},
        {0x57, false, KEY_F11},
        {0x5B, true, KEY_LEFTMETA},
        {0x64, false, KEY_F13},
        {0x00, false, 0},
        {0x55, false, 0},
        {0x60, false, 0},
        {0x1E, true, 0},
        {0xFF, false, 0},
    };
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

TEST(PlatformKeyCodes, CapturedKeysMapBackAsAKeyCaptureExpects) {
    const std::pair<std::uint32_t, std::uint8_t> keysyms[] = {
        {XK_A, 65},
        {XK_a, 65},
        {XK_Control_R, 17},
        {XK_Shift_R, 16},
        {XK_Alt_R, 18},
        {XK_ISO_Level3_Shift, 18},
        {XK_exclam, 49},
        {XK_parenright, 48},
        {XK_underscore, 189},
        {XK_asciitilde, 192},
        {XK_bar, 220},
        {XK_KP_Home, 36},
        {XK_KP_Enter, 13},
        {XK_ISO_Left_Tab, 9},
        {XK_Escape, 27},
        {XK_Print, 44},
        {0, 0},
        {0x12345678, 0},
    };
    for (auto [sym, vk] : keysyms) {
        EXPECT_EQ(VkOfKeysym(sym), vk) << std::hex << sym;
    }
    struct QtCase {
        int key;
        bool keypad;
        std::uint8_t vk;
    };
    const QtCase qt[] = {
        {Qt::Key_5, false, 53},
        {Qt::Key_5, true, 101},
        {Qt::Key_Minus, false, 189},
        {Qt::Key_Minus, true, 109},
        {Qt::Key_Home, true, 36},
        {Qt::Key_Enter, true, 13},
        {Qt::Key_Backtab, false, 9},
        {Qt::Key_Exclam, false, 49},
        {Qt::Key_F16, false, 127},
        {Qt::Key_Escape, false, 27},
        {Qt::Key_unknown, false, 0},
        {0, false, 0},
        {-5, false, 0},
    };
    for (const QtCase& c : qt) {
        EXPECT_EQ(VkOfQtKey(c.key, c.keypad), c.vk) << std::hex << c.key;
    }
}

}  // namespace
}  // namespace padrix::testing
