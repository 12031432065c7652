#include "platform/x11/X11Session.h"

#include <X11/XKBlib.h>
#include <X11/keysym.h>

#include <mutex>
#include <utility>

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

// The keysyms of every keycode, as XGetKeyboardMapping reports them.
class KeyboardMapping {
  public:
    KeyboardMapping(Display* d, int minKeycode, int maxKeycode)
        : min_(minKeycode),
          syms_(XGetKeyboardMapping(d, static_cast<KeyCode>(minKeycode),
                                    maxKeycode - minKeycode + 1, &perKeycode_)) {}
    ~KeyboardMapping() {
        if (syms_ != nullptr) {
            XFree(syms_);
        }
    }
    KeyboardMapping(const KeyboardMapping&) = delete;
    KeyboardMapping& operator=(const KeyboardMapping&) = delete;

    bool ok() const { return syms_ != nullptr && perKeycode_ >= 1; }

    KeySym At(int keycode, int level) const {
        return level < perKeycode_ ? syms_[(keycode - min_) * perKeycode_ + level] : NoSymbol;
    }

  private:
    int min_;
    int perKeycode_ = 0;
    KeySym* syms_;
};

// The keycodes that type keypad digits on their second level, behind
// Num Lock; used where no key types them on the first.
using SecondLevel = std::array<KeyCode, 256>;

// Enters keycode `kc` in the tables for every key whose keysym it types.
// Where several keys type it, the key's own physical key (its Linux code)
// goes first, also for a keypad keysym behind Num Lock: the keypad's "."
// rather than the keypad comma that some layouts give the same keysym.
void AddKeycode(KeyTables& tables, SecondLevel& secondLevel, const KeyboardMapping& mapping,
                int kc) {
    const KeySym plain = mapping.At(kc, 0);
    const std::uint8_t heldVk = keycodes::VkOfKeysym(static_cast<std::uint32_t>(plain));
    if (heldVk != 0) {
        SetBit(tables.heldMaskOfVk[heldVk], kc);
    }
    for (const keycodes::KeyCodes& key : keycodes::AllKeys()) {
        const bool own = key.linuxKey != 0 && kc == key.linuxKey + kEvdevKeycodeOffset;
        if (key.keysym != 0 && key.keysym == plain) {
            SetBit(tables.heldMaskOfVk[key.vk], kc);
            if (tables.keycodeOfVk[key.vk] == 0 || own) {
                tables.keycodeOfVk[key.vk] = static_cast<KeyCode>(kc);
            }
        }
        if (IsKeypadKeysym(key.keysym) && key.keysym == mapping.At(kc, 1) &&
            (own || secondLevel[key.vk] == 0)) {
            SetBit(tables.heldMaskOfVk[key.vk], kc);
            (own ? tables.keycodeOfVk[key.vk] : secondLevel[key.vk]) = static_cast<KeyCode>(kc);
        }
    }
}

// Gives the keys no first-level keysym reaches a keycode all the same.
void FillGaps(KeyTables& tables, const SecondLevel& secondLevel) {
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
}

KeyTables ReadKeyTables(Display* d) {
    KeyTables tables;
    XDisplayKeycodes(d, &tables.minKeycode, &tables.maxKeycode);
    const KeyboardMapping mapping(d, tables.minKeycode, tables.maxKeycode);
    if (!mapping.ok()) {
        return tables;
    }
    SecondLevel secondLevel{};
    for (int kc = tables.minKeycode; kc <= tables.maxKeycode; ++kc) {
        AddKeycode(tables, secondLevel, mapping, kc);
    }
    FillGaps(tables, secondLevel);
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
