#include "platform/wayland/XkbKeymap.h"

#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace padrix::wayland {

namespace {

constexpr xkb_keycode_t kEvdevOffset = 8;
// Keys beyond what KeyLayout tells apart have no virtual key.
constexpr xkb_keycode_t kLastLinuxKey = 255;

xkb_context* NewContext() {
    return xkb_context_new(XKB_CONTEXT_NO_FLAGS);
}

}  // namespace

std::unique_ptr<XkbKeymap> XkbKeymap::FromText(std::string_view text) {
    xkb_context* context = NewContext();
    if (context == nullptr) {
        return nullptr;
    }
    // xkbcommon reads up to the first NUL, and the compositor's text ends
    // with one.
    const std::string terminated(text.substr(0, text.find('\0')));
    return Compiled(
        context, xkb_keymap_new_from_string(context, terminated.c_str(), XKB_KEYMAP_FORMAT_TEXT_V1,
                                            XKB_KEYMAP_COMPILE_NO_FLAGS));
}

std::unique_ptr<XkbKeymap> XkbKeymap::Default() {
    xkb_context* context = NewContext();
    if (context == nullptr) {
        return nullptr;
    }
    // Null names take the XKB_DEFAULT_* variables, then xkbcommon's own
    // defaults (a US keyboard).
    auto keymap =
        Compiled(context, xkb_keymap_new_from_names(context, nullptr, XKB_KEYMAP_COMPILE_NO_FLAGS));
    if (keymap) {
        return keymap;
    }
    // A layout named in XKB_DEFAULT_LAYOUT that does not exist.
    return OfLayout("us");
}

std::unique_ptr<XkbKeymap> XkbKeymap::OfLayout(const std::string& layout) {
    xkb_context* context = NewContext();
    if (context == nullptr) {
        return nullptr;
    }
    const xkb_rule_names names{"evdev", "pc105", layout.c_str(), "", ""};
    return Compiled(context,
                    xkb_keymap_new_from_names(context, &names, XKB_KEYMAP_COMPILE_NO_FLAGS));
}

std::unique_ptr<XkbKeymap> XkbKeymap::Compiled(xkb_context* context, xkb_keymap* keymap) {
    if (keymap == nullptr) {
        xkb_context_unref(context);
        return nullptr;
    }
    std::unique_ptr<XkbKeymap> compiled(new XkbKeymap(context, keymap));
    return compiled->text_.empty() ? nullptr : std::move(compiled);
}

XkbKeymap::XkbKeymap(xkb_context* context, xkb_keymap* keymap)
    : context_(context), keymap_(keymap) {
    if (char* text = xkb_keymap_get_as_string(keymap_, XKB_KEYMAP_FORMAT_TEXT_V1)) {
        text_ = text;
        std::free(text);
    }
}

XkbKeymap::~XkbKeymap() {
    xkb_keymap_unref(keymap_);
    xkb_context_unref(context_);
}

keycodes::KeyLayout XkbKeymap::Layout() const {
    constexpr xkb_layout_index_t kFirstLayout = 0;
    std::vector<keycodes::LayoutKey> keys;
    const xkb_keycode_t last =
        std::min(xkb_keymap_max_keycode(keymap_), kLastLinuxKey + kEvdevOffset);
    for (xkb_keycode_t kc = std::max(xkb_keymap_min_keycode(keymap_), kEvdevOffset + 1); kc <= last;
         ++kc) {
        keycodes::LayoutKey key{static_cast<std::uint16_t>(kc - kEvdevOffset), {}};
        const xkb_level_index_t levels = xkb_keymap_num_levels_for_key(keymap_, kc, kFirstLayout);
        for (xkb_level_index_t level = 0; level < levels && level < key.keysyms.size(); ++level) {
            const xkb_keysym_t* syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap_, kc, kFirstLayout, level, &syms) > 0) {
                key.keysyms[level] = syms[0];
            }
        }
        keys.push_back(key);
    }
    return keycodes::KeyLayout(keys);
}

}  // namespace padrix::wayland
