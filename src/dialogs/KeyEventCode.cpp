#include "dialogs/KeyEventCode.h"

#include <QKeyEvent>

#include "platform/keycodes/KeyCodes.h"

namespace padrix {

int VirtualKeyOf(const QKeyEvent& event) {
    if (const quint32 keysym = event.nativeVirtualKey(); keysym != 0) {
        if (const std::uint8_t vk = keycodes::VkOfKeysym(keysym); vk != 0) {
            return vk;
        }
    }
    const bool keypad = event.modifiers().testFlag(Qt::KeypadModifier);
    return keycodes::VkOfQtKey(event.key(), keypad);
}

}  // namespace padrix
