#include "platform/x11/X11Session.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/keycodes/KeyCodes.h"
#include "platform/x11/X11RawKeys.h"

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

// The keysyms of every keycode on the levels of its first group, as XKB
// reports them.
class KeyboardMapping {
  public:
    explicit KeyboardMapping(Display* d)
        : xkb_(XkbGetMap(d, XkbKeyTypesMask | XkbKeySymsMask, XkbUseCoreKbd)) {}
    ~KeyboardMapping() {
        if (xkb_ != nullptr) {
            XkbFreeKeyboard(xkb_, 0, True);
        }
    }
    KeyboardMapping(const KeyboardMapping&) = delete;
    KeyboardMapping& operator=(const KeyboardMapping&) = delete;

    bool ok() const { return xkb_ != nullptr && xkb_->map != nullptr; }

    KeySym At(int keycode, int level) const {
        if (keycode < xkb_->min_key_code || keycode > xkb_->max_key_code ||
            XkbKeyNumGroups(xkb_, keycode) == 0 || level >= XkbKeyGroupWidth(xkb_, keycode, 0)) {
            return NoSymbol;
        }
        return XkbKeySymEntry(xkb_, keycode, level, 0);
    }

  private:
    XkbDescPtr xkb_;
};

// Enters keycode `kc` in the held masks of every key that counts as held
// while it is down: the key it captures as, and every key whose keysym it
// types plainly (Control_R for 163 and 17) or, for the keypad, behind
// Num Lock.
void AddHeldKeycode(KeyTables& tables, const KeyboardMapping& mapping, int kc) {
    const std::uint8_t capturedAs =
        tables.layout.VkOfKey(static_cast<std::uint16_t>(kc - kEvdevKeycodeOffset));
    if (capturedAs != 0) {
        SetBit(tables.heldMaskOfVk[capturedAs], kc);
    }
    const KeySym plain = mapping.At(kc, 0);
    for (const keycodes::KeyCodes& key : keycodes::AllKeys()) {
        const bool shifted = IsKeypadKeysym(key.keysym) && key.keysym == mapping.At(kc, 1);
        if (key.keysym != 0 && (key.keysym == plain || shifted)) {
            SetBit(tables.heldMaskOfVk[key.vk], kc);
        }
    }
}

// The keyboard layout of the keycodes from min to max: evdev keycodes,
// each the Linux key code 8 higher.
keycodes::KeyLayout ReadLayout(const KeyboardMapping& mapping, int minKeycode, int maxKeycode) {
    constexpr int kLevels[] = {0, 1, 2, 3};
    std::vector<keycodes::LayoutKey> keys;
    for (int kc = std::max(minKeycode, kEvdevKeycodeOffset + 1); kc <= maxKeycode; ++kc) {
        keycodes::LayoutKey key{static_cast<std::uint16_t>(kc - kEvdevKeycodeOffset), {}};
        for (int level : kLevels) {
            key.keysyms[static_cast<std::size_t>(level)] =
                static_cast<std::uint32_t>(mapping.At(kc, level));
        }
        keys.push_back(key);
    }
    return keycodes::KeyLayout(keys);
}

KeyTables ReadKeyTables(Display* d) {
    KeyTables tables;
    XDisplayKeycodes(d, &tables.minKeycode, &tables.maxKeycode);
    const KeyboardMapping mapping(d);
    if (!mapping.ok()) {
        return tables;
    }
    tables.layout = ReadLayout(mapping, tables.minKeycode, tables.maxKeycode);
    for (int vk = 0; vk < 256; ++vk) {
        const KeyCode keycode =
            tables.KeycodeOfKey(tables.layout.KeyOfVk(static_cast<std::uint8_t>(vk)));
        if (keycode != 0) {
            tables.keycodeOfVk[static_cast<std::size_t>(vk)] = keycode;
            SetBit(tables.heldMaskOfVk[static_cast<std::size_t>(vk)], keycode);
        }
    }
    for (int kc = tables.minKeycode; kc <= tables.maxKeycode; ++kc) {
        AddHeldKeycode(tables, mapping, kc);
    }
    return tables;
}

}  // namespace

void DisplayCloser::operator()(Display* d) const {
    if (d != nullptr) {
        XCloseDisplay(d);
    }
}

DisplayPtr OpenDisplay(const std::string& name) {
    // Requests on windows of other clients fail when such a window goes away
    // meanwhile; Xlib's default handler would end the process for that. The
    // handler is the whole process's, so it is set once, before the first
    // connection.
    static std::once_flag setUp;
    std::call_once(setUp, [] {
        XInitThreads();
        XSetErrorHandler(&IgnoreXError);
    });
    return DisplayPtr(XOpenDisplay(name.empty() ? nullptr : name.c_str()));
}

X11Session::X11Session(DisplayPtr display)
    : display_(std::move(display)),
      keys_(ReadKeyTables(display_.get())),
      rawKeys_(std::make_unique<RawKeyState>()) {
    // An XKB client is told of a new keyboard mapping through XKB's own
    // events only, and only once it asks for them.
    int opcode = 0;
    int error = 0;
    int major = XkbMajorVersion;
    int minor = XkbMinorVersion;
    if (XkbQueryExtension(display_.get(), &opcode, &xkbEventBase_, &error, &major, &minor)) {
        constexpr unsigned long kChanges = XkbMapNotifyMask | XkbNewKeyboardNotifyMask;
        XkbSelectEvents(display_.get(), XkbUseCoreKbd, kChanges, kChanges);
    } else {
        xkbEventBase_ = -1;
    }
}

X11Session::~X11Session() = default;

bool X11Session::FollowKeys() {
    return rawKeys_->Follow(display_.get(), root());
}

bool X11Session::TakeKeyChanges() {
    return rawKeys_->TakeChanged();
}

void X11Session::Pump() {
    while (XPending(display_.get()) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        Handle(event);
    }
}

void X11Session::HandleQueued() {
    while (XEventsQueued(display_.get(), QueuedAlready) > 0) {
        XEvent event;
        XNextEvent(display_.get(), &event);
        Handle(event);
    }
}

void X11Session::Handle(XEvent& event) {
    if (event.type == MappingNotify) {
        XRefreshKeyboardMapping(&event.xmapping);
        if (event.xmapping.request != MappingPointer) {
            KeyboardChanged();
        }
    } else if (event.type == xkbEventBase_ && xkbEventBase_ >= 0) {
        const auto& xkb = reinterpret_cast<const XkbEvent&>(event);
        if (xkb.any.xkb_type == XkbMapNotify || xkb.any.xkb_type == XkbNewKeyboardNotify) {
            KeyboardChanged();
        }
    } else {
        rawKeys_->Handle(display_.get(), event);
    }
}

void X11Session::KeyboardChanged() {
    keys_ = ReadKeyTables(display_.get());
    if (rawKeys_->following()) {
        rawKeys_->Resync(display_.get());
    }
}

}  // namespace padrix::x11
