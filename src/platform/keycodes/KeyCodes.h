#pragma once

#include <cstdint>
#include <span>

namespace padrix::keycodes {

// One key in every numbering the program meets. A field of 0 means the key
// has no counterpart there; backends skip such a key rather than send
// another one.
struct KeyCodes {
    std::uint8_t vk = 0;         // Windows virtual-key code
    std::uint32_t keysym = 0;    // X keysym of the unshifted key
    std::uint16_t linuxKey = 0;  // Linux input key code (KEY_*)
    std::uint8_t scanCode = 0;   // PC set-1 scan code as a US keyboard maps vk
    int qtKey = 0;               // Qt::Key
    bool keypad = false;         // the Qt key comes from the numeric keypad
};

// Every key the table knows, by ascending virtual-key code.
std::span<const KeyCodes> AllKeys();

// The row of `vk`, nullptr when the program knows no such key.
const KeyCodes* Find(std::uint8_t vk);

std::uint32_t KeysymOf(std::uint8_t vk);
std::uint16_t LinuxKeyOf(std::uint8_t vk);
std::uint8_t ScanCodeOf(std::uint8_t vk);
int QtKeyOf(std::uint8_t vk);

// Back to the virtual key, 0 when unknown. Both sides of a modifier give
// the plain modifier (Control_R gives 17), and the shifted symbols of a US
// keyboard give their key ("exclam" gives 49): for a key event that names
// no physical key, as a key capture expects.
std::uint8_t VkOfKeysym(std::uint32_t keysym);
// The key that `keysym` names by itself: as VkOfKeysym, but the shifted
// symbols of a US keyboard name no key ("exclam" gives 0).
std::uint8_t VkNamedByKeysym(std::uint32_t keysym);
std::uint8_t VkOfQtKey(int qtKey, bool keypad);

// The Linux key that sends set-1 scan code `scan`, with the 0xE0 prefix
// when `extended`; 0 when there is no such key.
std::uint16_t LinuxKeyOfScanCode(std::uint8_t scan, bool extended);

// The scan code the kernel's PC keyboard driver (atkbd) reports for
// `linuxKey` in EV_MSC/MSC_SCAN: the set-1 code, with bit 7 standing for the
// 0xE0 prefix (0xC8 for the Up arrow); 0 when no PC key sends it.
std::uint16_t AtkbdScanCodeOf(std::uint16_t linuxKey);

}  // namespace padrix::keycodes
