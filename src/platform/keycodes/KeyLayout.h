#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace padrix::keycodes {

// What a keyboard layout gives one physical key: its X keysyms on the
// plain, Shift, AltGr and Shift+AltGr levels of the first group, 0 where
// the level is empty.
struct LayoutKey {
    std::uint16_t linuxKey = 0;
    std::array<std::uint32_t, 4> keysyms{};
};

// Which virtual key each physical key of a keyboard layout stands for, and
// which physical key a virtual key presses, such that a key captured as a
// virtual key is pressed again as that same key:
// - a key with a digit on its plain or Shift level is that digit (the
//   French "&" key is 1), one with a Latin letter there that letter (the
//   French A key, where a US keyboard has Q, is A);
// - a keypad key is its keypad code with Num Lock on or off;
// - a key named by its plain keysym (Escape, F1, Up, ";" ...) is that key;
// - any other key that types a character (the German "ß") takes the
//   code of its place on a US keyboard when no key above has it, else a
//   spare punctuation code; so does a key that types a character and
//   finds its code taken by a stronger claim (a letter on another key's
//   plain level).
// Keys that type no character may share a code (both Shift keys, both
// Enter keys): the code presses the key its Linux key code names. A code
// no key stands for presses the key whose plain keysym is the code's
// (Control_R for 163), else the code's own physical key if the layout has
// it.
class KeyLayout {
  public:
    // A US keyboard: every key of the table at its own Linux key code,
    // without labels.
    KeyLayout();
    explicit KeyLayout(std::span<const LayoutKey> keys);
    // A keyboard without keys.
    static KeyLayout NoKeys() { return KeyLayout(std::span<const LayoutKey>()); }

    // The virtual key that a key press of `linuxKey` captures; 0 when the
    // layout gives it none.
    std::uint8_t VkOfKey(std::uint16_t linuxKey) const;
    // The Linux key that `vk` presses; 0 when the layout has none.
    std::uint16_t KeyOfVk(std::uint8_t vk) const;
    // The PC set-1 scan code of the key that `vk` presses (the table's code
    // where that key is vk's own), as MapVirtualKey gives it.
    std::uint8_t ScanCodeOf(std::uint8_t vk) const;
    // The Linux key of a key event for `vk` that names its key by set-1
    // scan code: vk's own code (ScanCodeOf) presses vk's key, any other the
    // key that sends the code; 0 when there is none.
    std::uint16_t KeyOfKeyEvent(std::uint8_t vk, std::uint8_t scan) const;
    // What this layout prints on the punctuation key of `vk` (codes from
    // 186 on) as UTF-8, a letter in capitals, empty for a character this
    // code cannot name; nothing where the layout has no such key or does
    // not say.
    std::optional<std::string> LabelOf(std::uint8_t vk) const;

  private:
    static constexpr std::size_t kKeys = 256;
    struct Reading;
    // Each key's code from its own keysyms, and the key of each such code.
    void TakeLabels(std::span<const LayoutKey> keys, Reading& reading);
    // Codes for the keys that type a character no code names.
    void HandOutCodes(Reading& reading);
    // The key of each code no key stands for: one that types its keysym,
    // else its own place.
    void FindKeysOfCodes(const Reading& reading);

    std::array<std::uint8_t, kKeys> vkOfKey_{};
    std::array<std::uint16_t, 256> keyOfVk_{};
    std::array<std::uint32_t, 256> labelOfVk_{};
    // Worked out once: key output asks for it on every key press.
    std::array<std::uint8_t, 256> scanCodeOfVk_{};
};

}  // namespace padrix::keycodes
