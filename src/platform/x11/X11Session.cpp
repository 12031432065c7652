#include "platform/x11/X11Session.h"

#include <X11/keysym.h>

#include <utility>

#include "platform/keycodes/KeyCodes.h"

namespace padrix::x11 {

namespace {

int IgnoreXError(Display*, XErrorEvent*) {
    return 0;
}

bool IsKeypadKeysym(KeySym sym) {
    return sym >= XK_KP_Space && sym <= XK_KP_Equal;
}

void SetBit(KeycodeBits& bits, int keycode) {
    bits[static_cast<std::size_t>(keycode / 8)] |= static_cast<std::uint8_t>(1u << (keycode % 8));
}

}  // namespace

void DisplayCloser::operator()(Display* d) const {
    if (d != nullptr) {
        XCloseDisplay(d);
    }
}

DisplayPtr OpenDisplay(const std::string& name) {
    XInitThreads();
    // Requests on windows of other clients fail when such a window goes away
    // meanwhile; Xlib's default handler would end the process for that.
    XSetErrorHandler(&IgnoreXError);
    return DisplayPtr(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
}

X11Session::X11Session(DisplayPtr display) : display_(std::move(display)) {
    RebuildKeyTables();
}

void X11Session::Pump() {
    while (XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        Handle(event);
    }
}

void X11Session::Handle(XEvent& event) {
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        if (event.xmapping.request != MappingPointer) {
            RebuildKeyTables();
        }
    }
}

void X11Session::RebuildKeyTables() {
    Display* d = display_.get();
    KeyTables tables;
    XDisplayKeycodes(d, &tables.minKeycode, &tables.maxKeycode);
    const int count = tables.maxKeycode - tables.minKeycode + 1;
    int perKeycode = 0;
    KeySym* syms =
        XGetKeyboardMapping(d, static_cast<KeyCode>(tables.minKeycode), count, &perKeycode);
    if (syms == nullptr || perKeycode < 1) {
        keys_ = tables;
        return;
    }
    const auto sym = [&](int keycode, int level) {
        return level < perKeycode ? syms[(keycode - tables.minKeycode) * perKeycode + level]
                                  : NoSymbol;
    };
    std::array<KeyCode, 256> secondLevel{};
    for (int kc = tables.minKeycode; kc <= tables.maxKeycode; ++kc) {
        const KeySym plain = sym(kc, 0);
        const std::uint8_t heldVk = keycodes::VkOfKeysym(static_cast<std::uint32_t>(plain));
        if (heldVk != 0) {
            SetBit(tables.heldMaskOfVk[heldVk], kc);
        }
        for (const keycodes::KeyCodes& key : keycodes::AllKeys()) {
            if (key.keysym != 0 && key.keysym == plain) {
                SetBit(tables.heldMaskOfVk[key.vk], kc);
                if (tables.keycodeOfVk[key.vk] == 0) {
                    tables.keycodeOfVk[key.vk] = static_cast<KeyCode>(kc);
                }
            }
            // Keypad digits sit on the second level, behind Num Lock.
            if (IsKeypadKeysym(key.keysym) && key.keysym == sym(kc, 1) &&
                secondLevel[key.vk] == 0) {
                secondLevel[key.vk] = static_cast<KeyCode>(kc);
                SetBit(tables.heldMaskOfVk[key.vk], kc);
            }
        }
    }
    XFree(syms);
    for (const keycodes::KeyCodes& key : keycodes::AllKeys()) {
        KeyCode& keycode = tables.keycodeOfVk[key.vk];
        if (keycode == 0) {
            keycode = secondLevel[key.vk];
        }
        // A key the layout names differently (F13 types XF86Tools) is still
        // there: the physical key of its Linux code.
        const int physical = key.linuxKey + kEvdevKeycodeOffset;
        if (keycode == 0 && key.linuxKey != 0 && physical <= tables.maxKeycode &&
            physical >= tables.minKeycode) {
            keycode = static_cast<KeyCode>(physical);
            SetBit(tables.heldMaskOfVk[key.vk], physical);
        }
    }
    keys_ = tables;
}

}  // namespace padrix::x11
