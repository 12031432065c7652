#include "platform/x11/X11Output.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include <utility>

#include "engine/VirtualKeys.h"

namespace padrix::x11 {

X11Output::X11Output(std::shared_ptr<X11Session> session, HeldInputs* held)
    : session_(std::move(session)),
      capsLock_(XInternAtom(session_->display(), "Caps Lock", False)),
      numLock_(XInternAtom(session_->display(), "Num Lock", False)),
      scrollLock_(XInternAtom(session_->display(), "Scroll Lock", False)),
      held_(held != nullptr ? *held : ownRecord_) {}

X11Output::~X11Output() {
    Display* d = session_->display();
    for (unsigned kc = 0; kc < held_.keycodes.size(); ++kc) {
        if (held_.Key(kc)) {
            XTestFakeKeyEvent(d, kc, False, CurrentTime);
            held_.SetKey(kc, false);
        }
    }
    for (unsigned b = 1; b < held_.buttons.size(); ++b) {
        if (held_.Button(b)) {
            XTestFakeButtonEvent(d, b, False, CurrentTime);
            held_.SetButton(b, false);
        }
    }
    XSync(d, False);
}

KeyCode X11Output::KeycodeFor(std::uint8_t vk, std::uint8_t scanCode, std::uint32_t flags) const {
    const KeyTables& keys = session_->keys();
    if (scanCode == 0) {
        return keys.keycodeOfVk[vk];
    }
    const int linuxKey = keys.layout.KeyOfKeyEvent(vk, scanCode, (flags & kKeyEventExtended) != 0);
    const int keycode = linuxKey + kEvdevKeycodeOffset;
    if (linuxKey == 0 || keycode < keys.minKeycode || keycode > keys.maxKeycode) {
        return 0;
    }
    return static_cast<KeyCode>(keycode);
}

void X11Output::KeyEvent(std::uint8_t vk, std::uint8_t scanCode, std::uint32_t flags) {
    session_->Pump();
    const bool down = (flags & kKeyEventUp) == 0;
    // A held key stays the keycode it went down as, so that switching
    // MS-DOS mode or the keymap meanwhile cannot leave it stuck.
    KeyCode& held = keycodeOfVk_[vk];
    const KeyCode keycode = held != 0 ? held : KeycodeFor(vk, scanCode, flags);
    held = down ? keycode : 0;
    if (keycode == 0) {
        return;
    }
    // A press is recorded before it goes out and a release once it is out:
    // a key the guardian releases in vain does no harm, one it does not know
    // of would stay down.
    if (down) {
        held_.SetKey(keycode, true);
    }
    XTestFakeKeyEvent(session_->display(), keycode, down ? True : False, CurrentTime);
    XFlush(session_->display());
    if (!down) {
        held_.SetKey(keycode, false);
    }
}

std::uint8_t X11Output::ScanCode(std::uint8_t vk) {
    return session_->keys().layout.ScanCodeOf(vk);
}

void X11Output::Button(unsigned button, bool down) {
    if (down) {
        held_.SetButton(button, true);
    }
    XTestFakeButtonEvent(session_->display(), button, down ? True : False, CurrentTime);
    XFlush(session_->display());
    if (!down) {
        held_.SetButton(button, false);
    }
}

void X11Output::MouseButton(std::uint32_t flags) {
    if (flags & kMouseLeftDown) {
        Button(Button1, true);
    }
    if (flags & kMouseLeftUp) {
        Button(Button1, false);
    }
    if (flags & kMouseRightDown) {
        Button(Button3, true);
    }
    if (flags & kMouseRightUp) {
        Button(Button3, false);
    }
}

ScreenPoint X11Output::GetCursorPos() {
    Window root = 0;
    Window child = 0;
    int rootX = 0;
    int rootY = 0;
    int winX = 0;
    int winY = 0;
    unsigned mask = 0;
    if (!XQueryPointer(session_->display(), session_->root(), &root, &child, &rootX, &rootY, &winX,
                       &winY, &mask) &&
        root == 0) {
        return lastSet_;
    }
    return {rootX, rootY};
}

void X11Output::SetCursorPos(ScreenPoint p) {
    lastSet_ = p;
    XWarpPointer(session_->display(), None, session_->root(), 0, 0, 0, 0, p.x, p.y);
    XFlush(session_->display());
}

bool X11Output::IndicatorOn(Atom name) const {
    Bool on = False;
    if (!XkbGetNamedIndicator(session_->display(), name, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on == True;
}

KeyboardStateTable X11Output::GetKeyboardState() {
    KeyboardStateTable table{};
    table[vk::Capital] = IndicatorOn(capsLock_) ? 1 : 0;
    table[vk::NumLock] = IndicatorOn(numLock_) ? 1 : 0;
    table[vk::ScrollLock] = IndicatorOn(scrollLock_) ? 1 : 0;
    return table;
}

void X11Output::SetKeyboardState(const KeyboardStateTable& table) {
    const Bool on = (table[vk::ScrollLock] & 1) ? True : False;
    XkbSetNamedIndicator(session_->display(), scrollLock_, True, on, False, nullptr);
    XFlush(session_->display());
}

}  // namespace padrix::x11
