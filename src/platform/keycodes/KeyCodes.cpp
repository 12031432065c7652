#include "platform/keycodes/KeyCodes.h"

#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <QtCore/qnamespace.h>

#include <algorithm>
#include <array>
#include <utility>

namespace padrix::keycodes {

namespace {

constexpr KeyCodes kKeys[] = {
    {3, XK_Break, 0, 0x46, 0, false},  // Break: no key of its own on Linux
    {8, XK_BackSpace, KEY_BACKSPACE, 0x0E, Qt::Key_Backspace, false},
    {9, XK_Tab, KEY_TAB, 0x0F, Qt::Key_Tab, false},
    {13, XK_Return, KEY_ENTER, 0x1C, Qt::Key_Return, false},
    {16, XK_Shift_L, KEY_LEFTSHIFT, 0x2A, Qt::Key_Shift, false},
    {17, XK_Control_L, KEY_LEFTCTRL, 0x1D, Qt::Key_Control, false},
    {18, XK_Alt_L, KEY_LEFTALT, 0x38, Qt::Key_Alt, false},
    {19, XK_Pause, KEY_PAUSE, 0x45, Qt::Key_Pause, false},
    {20, XK_Caps_Lock, KEY_CAPSLOCK, 0x3A, Qt::Key_CapsLock, false},
    {27, XK_Escape, KEY_ESC, 0x01, Qt::Key_Escape, false},
    {32, XK_space, KEY_SPACE, 0x39, Qt::Key_Space, false},
    {33, XK_Prior, KEY_PAGEUP, 0x49, Qt::Key_PageUp, false},
    {34, XK_Next, KEY_PAGEDOWN, 0x51, Qt::Key_PageDown, false},
    {35, XK_End, KEY_END, 0x4F, Qt::Key_End, false},
    {36, XK_Home, KEY_HOME, 0x47, Qt::Key_Home, false},
    {37, XK_Left, KEY_LEFT, 0x4B, Qt::Key_Left, false},
    {38, XK_Up, KEY_UP, 0x48, Qt::Key_Up, false},
    {39, XK_Right, KEY_RIGHT, 0x4D, Qt::Key_Right, false},
    {40, XK_Down, KEY_DOWN, 0x50, Qt::Key_Down, false},
    {44, XK_Print, KEY_SYSRQ, 0x54, Qt::Key_Print, false},
    {45, XK_Insert, KEY_INSERT, 0x52, Qt::Key_Insert, false},
    {46, XK_Delete, KEY_DELETE, 0x53, Qt::Key_Delete, false},
    {48, XK_0, KEY_0, 0x0B, Qt::Key_0, false},
    {49, XK_1, KEY_1, 0x02, Qt::Key_1, false},
    {50, XK_2, KEY_2, 0x03, Qt::Key_2, false},
    {51, XK_3, KEY_3, 0x04, Qt::Key_3, false},
    {52, XK_4, KEY_4, 0x05, Qt::Key_4, false},
    {53, XK_5, KEY_5, 0x06, Qt::Key_5, false},
    {54, XK_6, KEY_6, 0x07, Qt::Key_6, false},
    {55, XK_7, KEY_7, 0x08, Qt::Key_7, false},
    {56, XK_8, KEY_8, 0x09, Qt::Key_8, false},
    {57, XK_9, KEY_9, 0x0A, Qt::Key_9, false},
    {65, XK_a, KEY_A, 0x1E, Qt::Key_A, false},
    {66, XK_b, KEY_B, 0x30, Qt::Key_B, false},
    {67, XK_c, KEY_C, 0x2E, Qt::Key_C, false},
    {68, XK_d, KEY_D, 0x20, Qt::Key_D, false},
    {69, XK_e, KEY_E, 0x12, Qt::Key_E, false},
    {70, XK_f, KEY_F, 0x21, Qt::Key_F, false},
    {71, XK_g, KEY_G, 0x22, Qt::Key_G, false},
    {72, XK_h, KEY_H, 0x23, Qt::Key_H, false},
    {73, XK_i, KEY_I, 0x17, Qt::Key_I, false},
    {74, XK_j, KEY_J, 0x24, Qt::Key_J, false},
    {75, XK_k, KEY_K, 0x25, Qt::Key_K, false},
    {76, XK_l, KEY_L, 0x26, Qt::Key_L, false},
    {77, XK_m, KEY_M, 0x32, Qt::Key_M, false},
    {78, XK_n, KEY_N, 0x31, Qt::Key_N, false},
    {79, XK_o, KEY_O, 0x18, Qt::Key_O, false},
    {80, XK_p, KEY_P, 0x19, Qt::Key_P, false},
    {81, XK_q, KEY_Q, 0x10, Qt::Key_Q, false},
    {82, XK_r, KEY_R, 0x13, Qt::Key_R, false},
    {83, XK_s, KEY_S, 0x1F, Qt::Key_S, false},
    {84, XK_t, KEY_T, 0x14, Qt::Key_T, false},
    {85, XK_u, KEY_U, 0x16, Qt::Key_U, false},
    {86, XK_v, KEY_V, 0x2F, Qt::Key_V, false},
    {87, XK_w, KEY_W, 0x11, Qt::Key_W, false},
    {88, XK_x, KEY_X, 0x2D, Qt::Key_X, false},
    {89, XK_y, KEY_Y, 0x15, Qt::Key_Y, false},
    {90, XK_z, KEY_Z, 0x2C, Qt::Key_Z, false},
    {91, XK_Super_L, KEY_LEFTMETA, 0x5B, Qt::Key_Super_L, false},
    {92, XK_Super_R, KEY_RIGHTMETA, 0x5C, Qt::Key_Super_R, false},
    {93, XK_Menu, KEY_COMPOSE, 0x5D, Qt::Key_Menu, false},
    {96, XK_KP_0, KEY_KP0, 0x52, Qt::Key_0, true},
    {97, XK_KP_1, KEY_KP1, 0x4F, Qt::Key_1, true},
    {98, XK_KP_2, KEY_KP2, 0x50, Qt::Key_2, true},
    {99, XK_KP_3, KEY_KP3, 0x51, Qt::Key_3, true},
    {100, XK_KP_4, KEY_KP4, 0x4B, Qt::Key_4, true},
    {101, XK_KP_5, KEY_KP5, 0x4C, Qt::Key_5, true},
    {102, XK_KP_6, KEY_KP6, 0x4D, Qt::Key_6, true},
    {103, XK_KP_7, KEY_KP7, 0x47, Qt::Key_7, true},
    {104, XK_KP_8, KEY_KP8, 0x48, Qt::Key_8, true},
    {105, XK_KP_9, KEY_KP9, 0x49, Qt::Key_9, true},
    {106, XK_KP_Multiply, KEY_KPASTERISK, 0x37, Qt::Key_Asterisk, true},
    {107, XK_KP_Add, KEY_KPPLUS, 0x4E, Qt::Key_Plus, true},
    {109, XK_KP_Subtract, KEY_KPMINUS, 0x4A, Qt::Key_Minus, true},
    {110, XK_KP_Decimal, KEY_KPDOT, 0x53, Qt::Key_Period, true},
    {111, XK_KP_Divide, KEY_KPSLASH, 0x35, Qt::Key_Slash, true},
    {112, XK_F1, KEY_F1, 0x3B, Qt::Key_F1, false},
    {113, XK_F2, KEY_F2, 0x3C, Qt::Key_F2, false},
    {114, XK_F3, KEY_F3, 0x3D, Qt::Key_F3, false},
    {115, XK_F4, KEY_F4, 0x3E, Qt::Key_F4, false},
    {116, XK_F5, KEY_F5, 0x3F, Qt::Key_F5, false},
    {117, XK_F6, KEY_F6, 0x40, Qt::Key_F6, false},
    {118, XK_F7, KEY_F7, 0x41, Qt::Key_F7, false},
    {119, XK_F8, KEY_F8, 0x42, Qt::Key_F8, false},
    {120, XK_F9, KEY_F9, 0x43, Qt::Key_F9, false},
    {121, XK_F10, KEY_F10, 0x44, Qt::Key_F10, false},
    {122, XK_F11, KEY_F11, 0x57, Qt::Key_F11, false},
    {123, XK_F12, KEY_F12, 0x58, Qt::Key_F12, false},
    {124, XK_F13, KEY_F13, 0x64, Qt::Key_F13, false},
    {125, XK_F14, KEY_F14, 0x65, Qt::Key_F14, false},
    {126, XK_F15, KEY_F15, 0x66, Qt::Key_F15, false},
    {127, XK_F16, KEY_F16, 0x67, Qt::Key_F16, false},
    {144, XK_Num_Lock, KEY_NUMLOCK, 0x45, Qt::Key_NumLock, false},
    {145, XK_Scroll_Lock, KEY_SCROLLLOCK, 0x46, Qt::Key_ScrollLock, false},
    // One side of a modifier: Qt cannot tell the sides apart.
    {160, XK_Shift_L, KEY_LEFTSHIFT, 0x2A, 0, false},
    {161, XK_Shift_R, KEY_RIGHTSHIFT, 0x36, 0, false},
    {162, XK_Control_L, KEY_LEFTCTRL, 0x1D, 0, false},
    {163, XK_Control_R, KEY_RIGHTCTRL, 0x1D, 0, false},
    {164, XK_Alt_L, KEY_LEFTALT, 0x38, 0, false},
    {165, XK_Alt_R, KEY_RIGHTALT, 0x38, 0, false},
    {186, XK_semicolon, KEY_SEMICOLON, 0x27, Qt::Key_Semicolon, false},
    {187, XK_equal, KEY_EQUAL, 0x0D, Qt::Key_Equal, false},
    {188, XK_comma, KEY_COMMA, 0x33, Qt::Key_Comma, false},
    {189, XK_minus, KEY_MINUS, 0x0C, Qt::Key_Minus, false},
    {190, XK_period, KEY_DOT, 0x34, Qt::Key_Period, false},
    {191, XK_slash, KEY_SLASH, 0x35, Qt::Key_Slash, false},
    {192, XK_grave, KEY_GRAVE, 0x29, Qt::Key_QuoteLeft, false},
    {219, XK_bracketleft, KEY_LEFTBRACE, 0x1A, Qt::Key_BracketLeft, false},
    {220, XK_backslash, KEY_BACKSLASH, 0x2B, Qt::Key_Backslash, false},
    {221, XK_bracketright, KEY_RIGHTBRACE, 0x1B, Qt::Key_BracketRight, false},
    {222, XK_apostrophe, KEY_APOSTROPHE, 0x28, Qt::Key_Apostrophe, false},
    {226, XK_less, KEY_102ND, 0x56, 0, false},  // the extra key left of Z
};

constexpr std::array<std::int16_t, 256> BuildIndex() {
    std::array<std::int16_t, 256> index{};
    index.fill(-1);
    for (std::size_t i = 0; i < std::size(kKeys); ++i) {
        index[kKeys[i].vk] = static_cast<std::int16_t>(i);
    }
    return index;
}

constexpr auto kIndex = BuildIndex();

// Keysyms that are not the unshifted key of a row but still name one.
constexpr std::pair<std::uint32_t, std::uint8_t> kKeysymAliases[] = {
    {XK_Shift_R, 16},     {XK_Control_R, 17}, {XK_Alt_R, 18},
    {XK_Meta_L, 18},      {XK_Meta_R, 18},    {XK_ISO_Level3_Shift, 18},
    {XK_ISO_Left_Tab, 9}, {XK_KP_Enter, 13},  {XK_KP_Home, 36},
    {XK_KP_Up, 38},       {XK_KP_Prior, 33},  {XK_KP_Left, 37},
    {XK_KP_Right, 39},    {XK_KP_End, 35},    {XK_KP_Down, 40},
    {XK_KP_Next, 34},     {XK_KP_Insert, 45}, {XK_KP_Delete, 46},
    {XK_Sys_Req, 44},
};

// Qt keys that are not the key of a row but still name one.
constexpr std::pair<int, std::uint8_t> kQtAliases[] = {
    {Qt::Key_Enter, 13}, {Qt::Key_Backtab, 9}, {Qt::Key_AltGr, 18},
    {Qt::Key_Meta, 91},  {Qt::Key_SysReq, 44},
};

// The shifted symbols of a US keyboard and their key. Both Qt keys and X
// keysyms give these symbols their ASCII code.
constexpr std::string_view kShiftedSymbols = "!@#$%^&*()_+{}|:\"<>?~";
constexpr std::array<std::uint8_t, 21> kShiftedKeys = {
    49, 50, 51, 52, 53, 54, 55, 56, 57, 48, 189, 187, 219, 221, 220, 186, 222, 188, 190, 191, 192};

std::uint8_t VkOfShiftedSymbol(std::uint32_t code) {
    if (code == 0 || code > 0x7F) {
        return 0;
    }
    const auto p = kShiftedSymbols.find(static_cast<char>(code));
    return p == std::string_view::npos ? 0 : kShiftedKeys[p];
}

// Set-1 scan codes of the keys that only exist with the 0xE0 prefix.
constexpr std::pair<std::uint8_t, std::uint16_t> kExtendedScanCodes[] = {
    {0x1C, KEY_KPENTER},  {0x1D, KEY_RIGHTCTRL}, {0x35, KEY_KPSLASH}, {0x37, KEY_SYSRQ},
    {0x38, KEY_RIGHTALT}, {0x46, KEY_PAUSE},     {0x47, KEY_HOME},    {0x48, KEY_UP},
    {0x49, KEY_PAGEUP},   {0x4B, KEY_LEFT},      {0x4D, KEY_RIGHT},   {0x4F, KEY_END},
    {0x50, KEY_DOWN},     {0x51, KEY_PAGEDOWN},  {0x52, KEY_INSERT},  {0x53, KEY_DELETE},
    {0x5B, KEY_LEFTMETA}, {0x5C, KEY_RIGHTMETA}, {0x5D, KEY_COMPOSE},
};

}  // namespace

std::span<const KeyCodes> AllKeys() {
    return kKeys;
}

const KeyCodes* Find(std::uint8_t vk) {
    const std::int16_t i = kIndex[vk];
    return i < 0 ? nullptr : &kKeys[i];
}

std::uint32_t KeysymOf(std::uint8_t vk) {
    const KeyCodes* k = Find(vk);
    return k ? k->keysym : 0;
}

std::uint16_t LinuxKeyOf(std::uint8_t vk) {
    const KeyCodes* k = Find(vk);
    return k ? k->linuxKey : 0;
}

std::uint8_t ScanCodeOf(std::uint8_t vk) {
    const KeyCodes* k = Find(vk);
    return k ? k->scanCode : 0;
}

int QtKeyOf(std::uint8_t vk) {
    const KeyCodes* k = Find(vk);
    return k ? k->qtKey : 0;
}

std::uint8_t VkNamedByKeysym(std::uint32_t keysym) {
    if (keysym == 0) {
        return 0;
    }
    if (keysym >= XK_A && keysym <= XK_Z) {
        return static_cast<std::uint8_t>(keysym);
    }
    for (const auto& [sym, vk] : kKeysymAliases) {
        if (sym == keysym) {
            return vk;
        }
    }
    for (const KeyCodes& k : kKeys) {
        if (k.keysym == keysym) {
            return k.vk;
        }
    }
    return 0;
}

std::uint8_t VkOfKeysym(std::uint32_t keysym) {
    const std::uint8_t vk = VkNamedByKeysym(keysym);
    return vk != 0 ? vk : VkOfShiftedSymbol(keysym);
}

std::uint8_t VkOfQtKey(int qtKey, bool keypad) {
    if (qtKey == 0) {
        return 0;
    }
    for (const KeyCodes& k : kKeys) {
        if (k.qtKey == qtKey && k.keypad == keypad) {
            return k.vk;
        }
    }
    for (const auto& [key, vk] : kQtAliases) {
        if (key == qtKey) {
            return vk;
        }
    }
    if (keypad) {
        // Keypad keys with Num Lock off arrive as the keys they stand for.
        return VkOfQtKey(qtKey, false);
    }
    return qtKey > 0 ? VkOfShiftedSymbol(static_cast<std::uint32_t>(qtKey)) : 0;
}

std::uint16_t LinuxKeyOfScanCode(std::uint8_t scan, bool extended) {
    if (extended) {
        for (const auto& [code, key] : kExtendedScanCodes) {
            if (code == scan) {
                return key;
            }
        }
        return 0;
    }
    // Up to 0x58 the Linux key codes are the set-1 scan codes themselves.
    if ((scan >= 0x01 && scan <= 0x53) || (scan >= 0x56 && scan <= 0x58)) {
        return scan;
    }
    switch (scan) {
        case 0x54:
            return KEY_SYSRQ;
        case 0x5B:
            return KEY_LEFTMETA;
        case 0x5C:
            return KEY_RIGHTMETA;
        case 0x5D:
            return KEY_COMPOSE;
        case 0x64:
            return KEY_F13;
        case 0x65:
            return KEY_F14;
        case 0x66:
            return KEY_F15;
        case 0x67:
            return KEY_F16;
        default:
            return 0;
    }
}

std::uint16_t AtkbdScanCodeOf(std::uint16_t linuxKey) {
    // The driver turns the prefix into bit 7 of the code; Pause (E1 1D 45)
    // comes out as 0x45 behind a prefix too.
    constexpr std::uint16_t kPrefixed = 0x80;
    if (linuxKey == 0) {
        return 0;
    }
    if (linuxKey == KEY_PAUSE) {
        return kPrefixed | 0x45;
    }
    for (const auto& [code, key] : kExtendedScanCodes) {
        if (key == linuxKey) {
            return kPrefixed | code;
        }
    }
    for (std::uint8_t scan = 1; scan < kPrefixed; ++scan) {
        if (LinuxKeyOfScanCode(scan, false) == linuxKey) {
            return scan;
        }
    }
    return 0;
}

}  // namespace padrix::keycodes
