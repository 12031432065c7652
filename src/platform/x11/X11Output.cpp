#include "platform/x11/X11Output.h"

#include <X11/XKBlib.h>
#include <X11/extensions/XTest.h>

#include <utility>

namespace padrix::x11 {

X11Output::X11Output(std::shared_ptr<X11Session> session, HeldInputs* held)
    : session_(std::move(session)),
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

KeyCode X11Output::KeycodeFor(std::uint8_t vk, std::uint8_t scanCode) const {
    const KeyTables& keys = session_->keys();
    if (scanCode == 0) {
        return keys.keycodeOfVk[vk];
    }
    return keys.KeycodeOfKey(keys.layout.KeyOfKeyEvent(vk, scanCode));
}

void X11Output::SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) {
    session_->Pump();
    // A held key stays the keycode it went down as, so that switching
    // MS-DOS mode or the keymap meanwhile cannot leave it stuck.
    KeyCode& held = keycodeOfVk_[vk];
    const KeyCode keycode = held != 0 ? held : KeycodeFor(vk, scanCode);
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

void X11Output::SendMouseButton(MouseButton button, bool down) {
    const unsigned number = button == MouseButton::kLeft ? Button1 : Button3;
    if (down) {
        held_.SetButton(number, true);
    }
    XTestFakeButtonEvent(session_->display(), number, down ? True : False, CurrentTime);
    XFlush(session_->display());
    if (!down) {
        held_.SetButton(number, false);
    }
}

ScreenPoint X11Output::PointerPosition() {
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

void X11Output::MovePointer(ScreenPoint p) {
    lastSet_ = p;
    XWarpPointer(session_->display(), None, session_->root(), 0, 0, 0, 0, p.x, p.y);
    XFlush(session_->display());
}

bool X11Output::ScrollLockLight() {
    Bool on = False;
    if (!XkbGetNamedIndicator(session_->display(), scrollLock_, nullptr, &on, nullptr, nullptr)) {
        return false;
    }
    return on == True;
}

void X11Output::SetScrollLockLight(bool on) {
    XkbSetNamedIndicator(session_->display(), scrollLock_, True, on ? True : False, False, nullptr);
    XFlush(session_->display());
}

}  // namespace padrix::x11
