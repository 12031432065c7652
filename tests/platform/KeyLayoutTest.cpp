#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <array>
#include <string>
#include <vector>

#include "engine/VirtualKeys.h"
#include "platform/keycodes/KeyCodes.h"
#include "platform/keycodes/KeyLayout.h"

namespace padrix::testing {
namespace {

using namespace keycodes;

// Without a keyboard to read, every key is where the table puts it.
TEST(PlatformKeyLayout, TheUsLayoutIsTheTable) {
    const KeyLayout us;
    for (const KeyCodes& k : AllKeys()) {
        EXPECT_EQ(us.KeyOfVk(k.vk), k.linuxKey) << int(k.vk);
        EXPECT_EQ(us.ScanCodeOf(k.vk), k.scanCode) << int(k.vk);
        EXPECT_EQ(us.LabelOf(k.vk), std::nullopt) << int(k.vk);
        if (k.linuxKey != 0 && k.vk < 160) {
            EXPECT_EQ(us.VkOfKey(k.linuxKey), k.vk) << int(k.vk);
        }
        // MS-DOS mode: vk's own scan code is vk's own key (Up's 0x48 alone is
        // keypad 8 on a PC).
        if (k.linuxKey != 0 && k.scanCode != 0) {
            EXPECT_EQ(us.KeyOfKeyEvent(k.vk, k.scanCode), k.linuxKey) << int(k.vk);
        }
    }
    EXPECT_EQ(us.KeyOfKeyEvent(vk::Home, 0x48), KEY_KP8);
    EXPECT_EQ(us.KeyOfKeyEvent(vk::Cancel, 0x46), KEY_SCROLLLOCK);  // Break has no key of its own
    EXPECT_EQ(us.VkOfKey(KEY_RIGHTCTRL), 17);
    EXPECT_EQ(us.VkOfKey(KEY_KPENTER), 13);
    EXPECT_EQ(us.VkOfKey(KEY_MUTE), 0);
}

// One key of a layout as X gives it, with the code it should have (0: the
// key only completes the layout) and what the dialog shows for punctuation.
struct LayoutRow {
    std::uint16_t linuxKey;
    std::array<std::uint32_t, 4> keysyms;
    std::uint8_t vk;
    std::string label;
};

// Parts of the French, German and Turkish layouts: each key is the code it
// is labelled with, the digit row its digits, the keypad its own codes, and
// keys without a US counterpart (or whose letter another key has on its plain
// level) a code of their place or a spare one; each code presses its key again.
TEST(PlatformKeyLayout, EveryKeyIsItsLabelAndComesBack) {
    const std::pair<const char*, std::vector<LayoutRow>> cases[] = {
        {"fr",
         {{KEY_1, {XK_ampersand, XK_1}, 49, ""},
          {KEY_6, {XK_minus, XK_6}, 54, ""},
          {KEY_MINUS, {XK_parenright, XK_degree}, 189, ")"},
          {KEY_EQUAL, {XK_equal, XK_plus}, 187, "="},
          {KEY_Q, {XK_a, XK_A}, 65, ""},
          {KEY_A, {XK_q, XK_Q}, 81, ""},
          {KEY_SEMICOLON, {XK_m, XK_M}, 77, ""},
          {KEY_M, {XK_comma, XK_question}, 188, ","},
          {KEY_COMMA, {XK_semicolon, XK_period}, 186, ";"},
          {KEY_DOT, {XK_colon, XK_slash}, 190, ":"},
          {KEY_SLASH, {XK_exclam, XK_section}, 191, "!"},
          {KEY_LEFTBRACE, {XK_dead_circumflex, XK_dead_diaeresis}, 219, "^"},
          {KEY_APOSTROPHE, {XK_ugrave, XK_percent}, 222, "\u00D9"},
          {KEY_KP7, {XK_KP_Home, XK_KP_7}, 103, ""},
          {KEY_KPDOT, {XK_KP_Delete, XK_KP_Decimal}, 110, ""},
          {KEY_RIGHTALT, {XK_ISO_Level3_Shift}, 0, ""}}},
        {"de",
         {{KEY_MINUS, {XK_ssharp, XK_question}, 191, "\u00DF"},
          {KEY_EQUAL, {XK_dead_acute, XK_dead_grave}, 187, "\u00B4"},
          {KEY_Y, {XK_z, XK_Z}, 90, ""},
          {KEY_LEFTBRACE, {XK_udiaeresis, XK_Udiaeresis}, 219, "\u00DC"},
          {KEY_RIGHTBRACE, {XK_plus, XK_asterisk, XK_asciitilde}, 221, "+"},
          {KEY_SEMICOLON, {XK_odiaeresis, XK_Odiaeresis}, 186, "\u00D6"},
          {KEY_APOSTROPHE, {XK_adiaeresis, XK_Adiaeresis}, 222, "\u00C4"},
          {KEY_GRAVE, {XK_dead_circumflex, XK_degree}, 192, "^"},
          {KEY_BACKSLASH, {XK_numbersign, XK_apostrophe}, 220, "#"},
          {KEY_Z, {XK_y, XK_Y}, 89, ""},
          {KEY_COMMA, {XK_comma, XK_semicolon}, 188, ","},
          {KEY_DOT, {XK_period, XK_colon}, 190, "."},
          {KEY_SLASH, {XK_minus, XK_underscore}, 189, "-"},
          {KEY_KPDOT, {XK_KP_Delete, XK_KP_Separator}, 110, ""},
          {KEY_102ND, {XK_less, XK_greater, XK_bar}, 226, "<"}}},
        {"tr",
         {{KEY_I, {XK_idotless, XK_I}, 186, ""}, {KEY_APOSTROPHE, {XK_i, XK_Iabovedot}, 73, ""}}},
    };
    for (const auto& [name, rows] : cases) {
        std::vector<LayoutKey> keys;
        for (const LayoutRow& r : rows) {
            keys.push_back({r.linuxKey, r.keysyms});
        }
        const KeyLayout layout(keys);
        for (const LayoutRow& r : rows) {
            if (r.vk == 0) {
                continue;
            }
            EXPECT_EQ(layout.VkOfKey(r.linuxKey), r.vk) << name << " key " << r.linuxKey;
            EXPECT_EQ(layout.KeyOfVk(r.vk), r.linuxKey) << name << " vk " << int(r.vk);
            if (r.vk >= 186) {
                EXPECT_EQ(layout.LabelOf(r.vk), r.label) << name << " vk " << int(r.vk);
            }
        }
    }
}

// A code no key stands for presses the key of its keysym, else its own
// place; in MS-DOS mode the scan code is that of the key it presses.
TEST(PlatformKeyLayout, CodesWithoutAKeyAndScanCodes) {
    const std::vector<LayoutKey> keys{
        {KEY_Q, {XK_a, XK_A}}, {KEY_A, {XK_q, XK_Q}},     {KEY_RIGHTCTRL, {XK_Control_R}},
        {KEY_UP, {XK_Up}},     {KEY_F13, {XF86XK_Tools}},  // named otherwise, still there
    };
    const KeyLayout layout(keys);
    EXPECT_EQ(layout.VkOfKey(KEY_RIGHTCTRL), 17);
    EXPECT_EQ(layout.KeyOfVk(17), KEY_RIGHTCTRL);
    EXPECT_EQ(layout.KeyOfVk(163), KEY_RIGHTCTRL);
    EXPECT_EQ(layout.KeyOfVk(124), KEY_F13);
    EXPECT_EQ(layout.KeyOfVk(66), 0);  // no key B
    EXPECT_EQ(layout.KeyOfVk(189), 0);

    EXPECT_EQ(layout.ScanCodeOf(65), 0x10);
    EXPECT_EQ(layout.KeyOfKeyEvent(65, 0x10), KEY_Q);
    EXPECT_EQ(layout.KeyOfKeyEvent(65, 0x1E), KEY_A);
    EXPECT_EQ(layout.ScanCodeOf(38), 0x48);
    EXPECT_EQ(layout.KeyOfKeyEvent(38, 0x48), KEY_UP);
    EXPECT_EQ(layout.KeyOfKeyEvent(104, 0x48), KEY_KP8);
    EXPECT_EQ(layout.KeyOfKeyEvent(65, 0x60), 0);
}

}  // namespace
}  // namespace padrix::testing
