#include "platform/x11/X11RawKeys.h"

#include <X11/extensions/XInput2.h>

#include <array>
#include <utility>

namespace padrix::x11 {

namespace {

constexpr int kHierarchyResync = XISlaveAdded | XISlaveRemoved | XISlaveAttached | XISlaveDetached |
                                 XIDeviceEnabled | XIDeviceDisabled;

}  // namespace

bool RawKeyState::Follow(Display* display, Window root) {
    if (following()) {
        return true;
    }
    int opcode = 0;
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error) ||
        XIQueryVersion(display, &major, &minor) != Success || major * 100 + minor < 202) {
        return false;
    }
    // Raw key events of the master keyboards (each key once, whichever of
    // their keyboards it is on); device changes are only given for all devices.
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> keyBits{};
    XISetMask(keyBits.data(), XI_RawKeyPress);
    XISetMask(keyBits.data(), XI_RawKeyRelease);
    std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> deviceBits{};
    XISetMask(deviceBits.data(), XI_HierarchyChanged);
    std::array<XIEventMask, 2> masks{{
        {XIAllMasterDevices, static_cast<int>(keyBits.size()), keyBits.data()},
        {XIAllDevices, static_cast<int>(deviceBits.size()), deviceBits.data()},
    }};
    XISelectEvents(display, root, masks.data(), static_cast<int>(masks.size()));
    opcode_ = opcode;
    Resync(display);
    return true;
}

void RawKeyState::Resync(Display* display) {
    char keys[32] = {};
    XQueryKeymap(display, keys);
    for (std::size_t i = 0; i < held_.size(); ++i) {
        const auto bits = static_cast<std::uint8_t>(keys[i]);
        changed_ = changed_ || bits != held_[i];
        held_[i] = bits;
    }
}

void RawKeyState::Handle(Display* display, XEvent& event) {
    XGenericEventCookie& cookie = event.xcookie;
    if (cookie.type != GenericEvent || cookie.extension != opcode_ || !following() ||
        !XGetEventData(display, &cookie)) {
        return;
    }
    Take(display, cookie);
    XFreeEventData(display, &cookie);
}

void RawKeyState::Take(Display* display, const XGenericEventCookie& cookie) {
    switch (cookie.evtype) {
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            Set(static_cast<const XIRawEvent*>(cookie.data)->detail,
                cookie.evtype == XI_RawKeyPress);
            break;
        case XI_HierarchyChanged:
            if ((static_cast<const XIHierarchyEvent*>(cookie.data)->flags & kHierarchyResync) !=
                0) {
                Resync(display);
            }
            break;
        default:
            break;
    }
}

void RawKeyState::Set(int keycode, bool down) {
    if (keycode < 0 || keycode >= static_cast<int>(held_.size() * 8)) {
        return;
    }
    std::uint8_t& byte = held_[static_cast<std::size_t>(keycode / 8)];
    const auto bit = static_cast<std::uint8_t>(1u << (keycode % 8));
    const auto next = static_cast<std::uint8_t>(down ? byte | bit : byte & ~bit);
    changed_ = changed_ || next != byte;
    byte = next;
}

bool RawKeyState::TakeChanged() {
    return std::exchange(changed_, false);
}

}  // namespace padrix::x11
