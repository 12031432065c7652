#include "platform/keycodes/KeyLayout.h"

#include <X11/keysym.h>
#include <linux/input-event-codes.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/keycodes/KeyCodes.h"

namespace padrix::keycodes {

namespace {

// The first punctuation code; the codes below it have fixed names.
constexpr std::uint8_t kFirstPunctuation = 186;

// Codes for keys that type a character no key of a US keyboard types, in
// the order they are handed out: the punctuation codes, then those a
// Windows keyboard leaves to its makers.
constexpr std::uint8_t kSpareVks[] = {186, 187, 188, 189, 190, 191, 192, 219, 220, 221,
                                      222, 223, 226, 225, 227, 228, 230, 233, 234, 235,
                                      236, 237, 238, 239, 240, 241, 242, 243, 244, 245};

// The spacing forms of the dead keys, for labels.
constexpr std::pair<std::uint32_t, char32_t> kDeadKeys[] = {
    {XK_dead_grave, U'`'},          {XK_dead_acute, U'\u00B4'},
    {XK_dead_circumflex, U'^'},     {XK_dead_tilde, U'~'},
    {XK_dead_macron, U'\u00AF'},    {XK_dead_breve, U'\u02D8'},
    {XK_dead_abovedot, U'\u02D9'},  {XK_dead_diaeresis, U'\u00A8'},
    {XK_dead_abovering, U'\u02DA'}, {XK_dead_doubleacute, U'\u02DD'},
    {XK_dead_caron, U'\u02C7'},     {XK_dead_cedilla, U'\u00B8'},
    {XK_dead_ogonek, U'\u02DB'},
};

constexpr std::uint32_t kUnicodeKeysyms = 0x01000000;

std::uint8_t LetterVk(std::uint32_t keysym) {
    if (keysym >= XK_a && keysym <= XK_z) {
        return static_cast<std::uint8_t>(keysym - XK_a + XK_A);
    }
    return keysym >= XK_A && keysym <= XK_Z ? static_cast<std::uint8_t>(keysym) : 0;
}

std::uint8_t DigitVk(std::uint32_t keysym) {
    return keysym >= XK_0 && keysym <= XK_9 ? static_cast<std::uint8_t>(keysym) : 0;
}

std::uint8_t KeypadVk(std::uint32_t keysym) {
    if (keysym == XK_KP_Separator) {
        return 110;  // the decimal key of a keypad that types a comma
    }
    for (const KeyCodes& k : AllKeys()) {
        if (k.keypad && k.keysym == keysym) {
            return k.vk;
        }
    }
    return 0;
}

// The code a key's own symbols give it, and how strong that claim is: 0
// for a letter or digit on the plain level, the keypad and a named key, 1
// for a letter or digit on the Shift level, 2 and 3 for a digit behind AltGr.
struct Claim {
    std::uint8_t vk = 0;
    std::size_t rank = 0;
};

Claim LabelledVk(const LayoutKey& key) {
    constexpr std::size_t kShiftLevels = 2;
    for (std::size_t level = 0; level < key.keysyms.size(); ++level) {
        const std::uint32_t keysym = key.keysyms[level];
        const std::uint8_t letter = level < kShiftLevels ? LetterVk(keysym) : 0;
        if (const std::uint8_t vk = letter != 0 ? letter : DigitVk(keysym); vk != 0) {
            return {vk, level};
        }
    }
    for (const std::uint32_t keysym : key.keysyms) {
        if (const std::uint8_t vk = KeypadVk(keysym); vk != 0) {
            return {vk, 0};  // with Num Lock on or off alike
        }
    }
    return {VkNamedByKeysym(key.keysyms[0]), 0};
}

// A keysym that types a character: Latin-1 and the other legacy sets, the
// dead keys and Unicode, but no function key.
bool TypesCharacter(std::uint32_t keysym) {
    constexpr std::uint32_t kFunctionKeys = 0xFE00;
    constexpr std::uint32_t kLastUnicode = kUnicodeKeysyms + 0x10FFFF;
    const bool dead = keysym >= XK_dead_grave && keysym <= XK_dead_greek;
    return (keysym >= XK_space && keysym < kFunctionKeys) || dead ||
           (keysym > kUnicodeKeysyms && keysym <= kLastUnicode);
}

// The code of the key at `linuxKey` on a US keyboard; 0 for none.
std::uint8_t UsVkAt(std::uint16_t linuxKey) {
    for (const KeyCodes& k : AllKeys()) {
        if (k.linuxKey == linuxKey) {
            return k.vk;
        }
    }
    return 0;
}

// The character of a label keysym, 0 where it is none this code knows.
char32_t CharacterOf(std::uint32_t keysym) {
    constexpr std::uint32_t kLatin1End = 0x100;
    const bool latin1 = (keysym >= XK_space && keysym <= XK_asciitilde) ||
                        (keysym >= XK_nobreakspace && keysym < kLatin1End);
    if (latin1) {
        const bool small = keysym >= XK_agrave && keysym <= XK_thorn && keysym != XK_division;
        return static_cast<char32_t>(small ? keysym - (XK_agrave - XK_Agrave) : keysym);
    }
    if (keysym > kUnicodeKeysyms && keysym <= kUnicodeKeysyms + 0x10FFFF) {
        return static_cast<char32_t>(keysym - kUnicodeKeysyms);
    }
    for (const auto& [dead, c] : kDeadKeys) {
        if (dead == keysym) {
            return c;
        }
    }
    return 0;
}

std::string Utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

// The set-1 scan code of `key` when it is the key that `vk` presses: the
// table's code where that key is vk's own, the prefix dropped.
std::uint8_t ScanCodeOfKey(std::uint8_t vk, std::uint16_t key) {
    if (key == 0 || key == LinuxKeyOf(vk)) {
        return ScanCodeOf(vk);
    }
    constexpr std::uint16_t kPrefixBit = 0x80;
    return static_cast<std::uint8_t>(AtkbdScanCodeOf(key) & ~kPrefixBit);
}

// The keys of the table as a US keyboard types them, one per Linux key.
std::vector<LayoutKey> UsKeys() {
    std::vector<LayoutKey> keys{{KEY_KPENTER, {XK_KP_Enter}}};
    for (const KeyCodes& k : AllKeys()) {
        const bool taken = std::any_of(keys.begin(), keys.end(), [&](const LayoutKey& key) {
            return key.linuxKey == k.linuxKey;
        });
        if (k.linuxKey != 0 && !taken) {
            keys.push_back({k.linuxKey, {k.keysym}});
        }
    }
    return keys;
}

}  // namespace

KeyLayout::KeyLayout() : KeyLayout(UsKeys()) {
    labelOfVk_.fill(0);
}

// What the constructor learns of the keys on its way.
struct KeyLayout::Reading {
    std::array<bool, 256> taken{};             // codes some key stands for
    std::array<bool, kKeys> present{};         // keys the layout has
    std::array<std::uint32_t, kKeys> plain{};  // their plain keysyms
    std::vector<std::uint16_t> unnamed;        // keys that type an unknown character
};

KeyLayout::KeyLayout(std::span<const LayoutKey> keys) {
    Reading reading;
    TakeLabels(keys, reading);
    HandOutCodes(reading);
    FindKeysOfCodes(reading);
    for (std::size_t vk = kFirstPunctuation; vk < keyOfVk_.size(); ++vk) {
        labelOfVk_[vk] = keyOfVk_[vk] != 0 ? reading.plain[keyOfVk_[vk]] : 0;
    }
    for (std::size_t vk = 0; vk < keyOfVk_.size(); ++vk) {
        scanCodeOfVk_[vk] = ScanCodeOfKey(static_cast<std::uint8_t>(vk), keyOfVk_[vk]);
    }
}

void KeyLayout::TakeLabels(std::span<const LayoutKey> keys, Reading& reading) {
    std::array<Claim, kKeys> claims{};
    // The key a code presses: the strongest claim, else the code's own place.
    const auto stronger = [&](std::uint16_t key, std::uint16_t than) {
        const Claim& claim = claims[key];
        return than == 0 || claim.rank < claims[than].rank ||
               (claim.rank == claims[than].rank && key == LinuxKeyOf(claim.vk));
    };
    for (const LayoutKey& key : keys) {
        if (key.linuxKey == 0 || key.linuxKey >= kKeys) {
            continue;
        }
        reading.present[key.linuxKey] = true;
        reading.plain[key.linuxKey] = key.keysyms[0];
        claims[key.linuxKey] = LabelledVk(key);
        const std::uint8_t vk = claims[key.linuxKey].vk;
        if (vk != 0 && stronger(key.linuxKey, keyOfVk_[vk])) {
            keyOfVk_[vk] = key.linuxKey;
        }
    }
    for (std::uint16_t key = 1; key < kKeys; ++key) {
        const std::uint8_t vk = claims[key].vk;
        const bool character = TypesCharacter(reading.plain[key]);
        // A key that types a character of its own gets a code of its own
        // where another key has its code (the Turkish dotless i, whose I
        // the dotted i's key has); both Shift keys share one.
        if (vk != 0 && (keyOfVk_[vk] == key || !character)) {
            vkOfKey_[key] = vk;
            reading.taken[vk] = true;
        } else if (character) {
            reading.unnamed.push_back(key);
        }
    }
}

void KeyLayout::HandOutCodes(Reading& reading) {
    const auto hand = [&](std::uint16_t key, std::uint8_t vk) {
        if (vkOfKey_[key] == 0 && vk != 0 && !reading.taken[vk]) {
            vkOfKey_[key] = vk;
            keyOfVk_[vk] = key;
            reading.taken[vk] = true;
        }
    };
    // Their place on a US keyboard first, so that no spare code takes it.
    for (std::uint16_t key : reading.unnamed) {
        hand(key, UsVkAt(key));
    }
    for (std::uint16_t key : reading.unnamed) {
        for (std::uint8_t spare : kSpareVks) {
            hand(key, spare);
        }
    }
}

void KeyLayout::FindKeysOfCodes(const Reading& reading) {
    for (const KeyCodes& k : AllKeys()) {
        std::uint16_t& key = keyOfVk_[k.vk];
        for (std::uint16_t other = 1; key == 0 && k.keysym != 0 && other < kKeys; ++other) {
            if (reading.plain[other] == k.keysym) {
                key = other;
            }
        }
        if (key == 0 && k.linuxKey < kKeys && reading.present[k.linuxKey]) {
            key = k.linuxKey;
        }
    }
}

std::uint8_t KeyLayout::VkOfKey(std::uint16_t linuxKey) const {
    return linuxKey < kKeys ? vkOfKey_[linuxKey] : 0;
}

std::uint16_t KeyLayout::KeyOfVk(std::uint8_t vk) const {
    return keyOfVk_[vk];
}

std::uint8_t KeyLayout::ScanCodeOf(std::uint8_t vk) const {
    return scanCodeOfVk_[vk];
}

std::uint16_t KeyLayout::KeyOfKeyEvent(std::uint8_t vk, std::uint8_t scan) const {
    if (scan != 0 && scan == ScanCodeOf(vk) && keyOfVk_[vk] != 0) {
        return keyOfVk_[vk];
    }
    return LinuxKeyOfScanCode(scan, false);
}

std::optional<std::string> KeyLayout::LabelOf(std::uint8_t vk) const {
    if (labelOfVk_[vk] == 0) {
        return std::nullopt;
    }
    const char32_t c = CharacterOf(labelOfVk_[vk]);
    return c != 0 ? Utf8(c) : std::string();
}

}  // namespace padrix::keycodes
