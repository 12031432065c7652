#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/keycodes/KeyLayout.h"

struct xkb_context;
struct xkb_keymap;

namespace padrix::wayland {

// One keymap compiled by xkbcommon, with its text in xkbcommon's own
// words: two keymaps that mean the same have the same text, whoever wrote
// them.
class XkbKeymap {
  public:
    // The keymap of `text` (XKB text format); null where it does not compile.
    static std::unique_ptr<XkbKeymap> FromText(std::string_view text);
    // The keymap xkbcommon builds by default: the rules, model, layout,
    // variant and options of the XKB_DEFAULT_* variables, else a US keyboard.
    static std::unique_ptr<XkbKeymap> Default();
    // The evdev keymap of `layout` ("fr"); null where there is none such.
    static std::unique_ptr<XkbKeymap> OfLayout(const std::string& layout);
    ~XkbKeymap();
    XkbKeymap(const XkbKeymap&) = delete;
    XkbKeymap& operator=(const XkbKeymap&) = delete;

    xkb_keymap* keymap() const { return keymap_; }
    const std::string& text() const { return text_; }
    // Each key at its Linux key code (the XKB keycode less 8) with the
    // keysyms of levels 1 to 4 of its first layout.
    keycodes::KeyLayout Layout() const;

  private:
    XkbKeymap(xkb_context* context, xkb_keymap* keymap);
    static std::unique_ptr<XkbKeymap> Compiled(xkb_context* context, xkb_keymap* keymap);

    xkb_context* context_;
    xkb_keymap* keymap_;
    std::string text_;
};

}  // namespace padrix::wayland
