#pragma once

#include "platform/keycodes/KeyLayout.h"

namespace padrix {

// The user's keyboard layout as it is at the moment of asking: the key
// capture and the key output both go by it, so that a captured key is
// pressed again as the same physical key.
class KeyboardLayout {
  public:
    virtual ~KeyboardLayout() = default;

    virtual const keycodes::KeyLayout& Current() = 0;
};

// Where the session does not say: every key where a US keyboard has it.
class UsKeyboardLayout : public KeyboardLayout {
  public:
    const keycodes::KeyLayout& Current() override { return layout_; }

  private:
    keycodes::KeyLayout layout_;
};

}  // namespace padrix
