#include "dialogs/KeyEventCode.h"

#include <QKeyEvent>

#include "platform/keycodes/KeyCodes.h"

namespace padrix {

int VirtualKeyOf(const QKeyEvent& event, const keycodes::KeyLayout& layout) {
    // Linux key codes appear as keycodes 8 higher.
    constexpr quint32 kEvdevOffset = 8;
    constexpr quint32 kLastKeycode = 255;
    if (const quint32 keycode = event.nativeScanCode();
        keycode > kEvdevOffset && keycode <= kLastKeycode) {
        if (const std::uint8_t vk =
                layout.VkOfKey(static_cast<std::uint16_t>(keycode - kEvdevOffset));
            vk != 0) {
            return vk;
        }
    }
    if (const quint32 keysym = event.nativeVirtualKey(); keysym != 0) {
        if (const std::uint8_t vk = keycodes::VkOfKeysym(keysym); vk != 0) {
            return vk;
        }
    }
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    return keycodes::VkOfQtKey(event.key(), keypad);
}

}  // namespace padrix
