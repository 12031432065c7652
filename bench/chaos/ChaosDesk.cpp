#include "ChaosDesk.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XInput2.h>

namespace padrix::testing {

namespace {

void SetTitle(Display* d, Window w, const std::string& title) {
    const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
    XChangeProperty(d, w, XInternAtom(d, "_NET_WM_NAME", False), utf8, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()),
                    static_cast<int>(title.size()));
    XStoreName(d, w, title.c_str());
}

std::string Line(const char* where, const SeenEvent& e) {
    static const char* const kKinds[] = {"key down", "key up", "button down", "button up"};
    return std::string(where) + " " + kKinds[static_cast<int>(e.kind)] + " " +
           std::to_string(e.detail);
}

}  // namespace

ChaosDesk::ChaosDesk(const std::string& display, const std::vector<std::string>& titles) {
    display_ = XOpenDisplay(display.c_str());
    if (display_ == nullptr) {
        return;
    }
    // A held key must arrive as one press, and a release only when one is sent.
    XKeyboardControl control{};
    control.auto_repeat_mode = AutoRepeatModeOff;
    XChangeKeyboardControl(display_, KBAutoRepeatMode, &control);
    int event = 0;
    int error = 0;
    int major = 2;
    int minor = 2;
    if (XQueryExtension(display_, "XInputExtension", &xiOpcode_, &event, &error) &&
        XIQueryVersion(display_, &major, &minor) == Success) {
        unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
        XIEventMask mask{XIAllMasterDevices, sizeof bits, bits};
        XISetMask(bits, XI_RawKeyPress);
        XISetMask(bits, XI_RawKeyRelease);
        XISetMask(bits, XI_RawButtonPress);
        XISetMask(bits, XI_RawButtonRelease);
        rawEvents_ = XISelectEvents(display_, DefaultRootWindow(display_), &mask, 1) == Success;
    }
    for (std::size_t i = 0; i < titles.size(); ++i) {
        const int x = 40 + static_cast<int>(i) * 60;
        const Window w = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, x, 700, 500,
                                             0, 0, 0xFFFFFF);
        SetTitle(display_, w, titles[i]);
        XSelectInput(
            display_, w,
            KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | FocusChangeMask);
        XMapWindow(display_, w);
        windows_.push_back(w);
    }
    XSync(display_, False);
}

ChaosDesk::~ChaosDesk() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
    }
}

void ChaosDesk::Take(const std::function<void(const std::string&)>& note) {
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.xcookie.type == GenericEvent && event.xcookie.extension == xiOpcode_) {
            TakeRaw(event, note);
            continue;
        }
        SeenEvent seen{Seen::kKeyPress};
        switch (event.type) {
            case KeyPress:
            case KeyRelease:
                seen = {event.type == KeyPress ? Seen::kKeyPress : Seen::kKeyRelease,
                        event.xkey.keycode};
                break;
            case ButtonPress:
            case ButtonRelease:
                seen = {event.type == ButtonPress ? Seen::kButtonPress : Seen::kButtonRelease,
                        event.xbutton.button};
                break;
            default:
                continue;
        }
        received_.Take({seen});
        note(Line("window", seen));
    }
}

void ChaosDesk::TakeRaw(XEvent& event, const std::function<void(const std::string&)>& note) {
    if (!XGetEventData(display_, &event.xcookie)) {
        return;
    }
    const auto* raw = static_cast<const XIRawEvent*>(event.xcookie.data);
    SeenEvent seen{Seen::kKeyPress, static_cast<unsigned>(raw->detail)};
    bool known = true;
    switch (raw->evtype) {
        case XI_RawKeyPress:
            seen.kind = Seen::kKeyPress;
            break;
        case XI_RawKeyRelease:
            seen.kind = Seen::kKeyRelease;
            break;
        case XI_RawButtonPress:
            seen.kind = Seen::kButtonPress;
            break;
        case XI_RawButtonRelease:
            seen.kind = Seen::kButtonRelease;
            break;
        default:
            known = false;
    }
    XFreeEventData(display_, &event.xcookie);
    if (known) {
        server_.Take({seen});
        note(Line("server", seen));
    }
}

}  // namespace padrix::testing
