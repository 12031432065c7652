#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <string>
#include <vector>

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
    }
    EXPECT_EQ(us.VkOfKey(KEY_RIGHTCTRL), 17);
    EXPECT_EQ(us.VkOfKey(KEY_KPENTER), 13);
    EXPECT_EQ(us.VkOfKey(KEY_MUTE), 0);
}

struct Expected {
    std::uint16_t linuxKey;
    std::uint8_t vk;
    std::string label;  // what the dialog shows for punctuation codes
};

struct LayoutCase {
    const char* name;
    std::vector<LayoutKey> keys;
    std::vector<Expected> expected;
};

// Parts of the French, German and Turkish layouts as X gives them: each key
// is the code it is labelled with, the digit row its digits, the keypad its
// own codes, and keys without a US counterpart (or whose letter another key
// has on its plain level) a code of their place or a spare one; each code
// presses its key again.
TEST(PlatformKeyLayout, EveryKeyIsItsLabelAndComesBack) {
    const LayoutCase cases[] = {
        {"fr",
         {{KEY_1, {XK_ampersand, XK_1}},
          {KEY_6, {XK_minus, XK_6}},
          {KEY_MINUS, {XK_parenright, XK_degree}},
          {KEY_EQUAL, {XK_equal, XK_plus}},
          {KEY_Q, {XK_a, XK_A}},
          {KEY_A, {XK_q, XK_Q}},
          {KEY_SEMICOLON, {XK_m, XK_M}},
          {KEY_M, {XK_comma, XK_question}},
          {KEY_COMMA, {XK_semicolon, XK_period}},
          {KEY_DOT, {XK_colon, XK_slash}},
          {KEY_SLASH, {XK_exclam, XK_section}},
          {KEY_LEFTBRACE, {XK_dead_circumflex, XK_dead_diaeresis}},
          {KEY_APOSTROPHE, {XK_ugrave, XK_percent}},
          {KEY_KP7, {XK_KP_Home, XK_KP_7}},
          {KEY_KPDOT, {XK_KP_Delete, XK_KP_Decimal}},
          {KEY_RIGHTALT, {XK_ISO_Level3_Shift}}},
         {{KEY_1, 49, ""},
          {KEY_6, 54, ""},
          {KEY_MINUS, 189, ")"},
          {KEY_EQUAL, 187, "="},
          {KEY_Q, 65, ""},
          {KEY_A, 81, ""},
          {KEY_SEMICOLON, 77, ""},
          {KEY_M, 188, ","},
          {KEY_COMMA, 186, ";"},
          {KEY_DOT, 190, ":"},
          {KEY_SLASH, 191, "!"},
          {KEY_LEFTBRACE, 219, "^"},
          {KEY_APOSTROPHE, 222, "\u00D9"},
          {KEY_KP7, 103, ""},
          {KEY_KPDOT, 110, ""}}},
        {"de",
         {{KEY_MINUS, {XK_ssharp, XK_question}},
          {KEY_EQUAL, {XK_dead_acute, XK_dead_grave}},
          {KEY_Y, {XK_z, XK_Z}},
          {KEY_LEFTBRACE, {XK_udiaeresis, XK_Udiaeresis}},
          {KEY_RIGHTBRACE, {XK_plus, XK_asterisk, XK_asciitilde}},
          {KEY_SEMICOLON, {XK_odiaeresis, XK_Odiaeresis}},
          {KEY_APOSTROPHE, {XK_adiaeresis, XK_Adiaeresis}},
          {KEY_GRAVE, {XK_dead_circumflex, XK_degree}},
          {KEY_BACKSLASH, {XK_numbersign, XK_apostrophe}},
          {KEY_Z, {XK_y, XK_Y}},
          {KEY_COMMA, {XK_comma, XK_semicolon}},
          {KEY_DOT, {XK_period, XK_colon}},
          {KEY_SLASH, {XK_minus, XK_underscore}},
          {KEY_KPDOT, {XK_KP_Delete, XK_KP_Separator}},
          {KEY_102ND, {XK_less, XK_greater, XK_bar}}},
         {{KEY_MINUS, 191, "\u00DF"},
          {KEY_EQUAL, 187, "\u00B4"},
          {KEY_Y, 90, ""},
          {KEY_LEFTBRACE, 219, "\u00DC"},
          {KEY_RIGHTBRACE, 221, "+"},
          {KEY_SEMICOLON, 186, "\u00D6"},
          {KEY_APOSTROPHE, 222, "\u00C4"},
          {KEY_GRAVE, 192, "^"},
          {KEY_BACKSLASH, 220, "#"},
          {KEY_Z, 89, ""},
          {KEY_COMMA, 188, ","},
          {KEY_DOT, 190, "."},
          {KEY_SLASH, 189, "-"},
          {KEY_KPDOT, 110, ""},
          {KEY_102ND, 226, "<"}}},
        {"tr",
         {{KEY_I, {XK_idotless, XK_I}}, {KEY_APOSTROPHE, {XK_i, XK_Iabovedot}}},
         {{KEY_APOSTROPHE, 73, ""}, {KEY_I, 186, ""}}},
    };
    for (const LayoutCase& c : cases) {
        const KeyLayout layout(c.keys);
        for (const Expected& e : c.expected) {
            EXPECT_EQ(layout.VkOfKey(e.linuxKey), e.vk) << c.name << " key " << e.linuxKey;
            EXPECT_EQ(layout.KeyOfVk(e.vk), e.linuxKey) << c.name << " vk " << int(e.vk);
            if (e.vk >= 186) {
                EXPECT_EQ(layout.LabelOf(e.vk), e.label) << c.name << " vk " << int(e.vk);
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
    EXPECT_EQ(layout.KeyOfKeyEvent(65, 0x10, false), KEY_Q);
    EXPECT_EQ(layout.KeyOfKeyEvent(65, 0x1E, false), KEY_A);
    EXPECT_EQ(layout.ScanCodeOf(38), 0x48);
    EXPECT_EQ(layout.KeyOfKeyEvent(38, 0x48, false), KEY_UP);
    EXPECT_EQ(layout.KeyOfKeyEvent(104, 0x48, false), KEY_KP8);
    EXPECT_EQ(layout.KeyOfKeyEvent(65, 0x60, false), 0);
}

}  // namespace
}  // namespace padrix::testing
