#include "PrivateDisplay.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace padrix::testing {

namespace {

std::string Take(char* text) {
    std::string s = text != nullptr ? text : "";
    XFree(text);
    return s;
}

}  // namespace

PrivateDisplay::PrivateDisplay() {
    // Windows of other clients vanish at any time; a request on one that has
    // gone simply finds nothing.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    if (server_.ok()) {
        dpy_ = XOpenDisplay(server_.display().c_str());
    }
}

PrivateDisplay::~PrivateDisplay() {
    if (dpy_ != nullptr) {
        XCloseDisplay(dpy_);
    }
}

bool PrivateDisplay::HasNotificationArea() {
    const std::string selection = "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreen(dpy_));
    return XGetSelectionOwner(dpy_, XInternAtom(dpy_, selection.c_str(), False)) != None;
}

void PrivateDisplay::Collect(Window w, Window parent, const std::string& resClass,
                             const std::string& title, std::vector<Shown>& out) {
    XWindowAttributes attrs{};
    if (XGetWindowAttributes(dpy_, w, &attrs) != 0 && attrs.map_state == IsViewable) {
        XClassHint hint{};
        XGetClassHint(dpy_, w, &hint);
        const std::string name = Take(hint.res_name);
        const std::string cls = Take(hint.res_class);
        char* wmName = nullptr;
        XFetchName(dpy_, w, &wmName);
        const std::string shownTitle = Take(wmName);
        if ((!resClass.empty() && (resClass == name || resClass == cls)) ||
            (!title.empty() && title == shownTitle)) {
            out.push_back({w, parent == DefaultRootWindow(dpy_), attrs.override_redirect == True});
        }
    }
    Window root = 0, self = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree(dpy_, w, &root, &self, &children, &count) != 0) {
        for (unsigned int i = 0; i < count; ++i) {
            Collect(children[i], w, resClass, title, out);
        }
        XFree(children);
    }
}

std::vector<PrivateDisplay::Shown> PrivateDisplay::Viewable(const std::string& resClass,
                                                            const std::string& title) {
    std::vector<Shown> out;
    Collect(DefaultRootWindow(dpy_), None, resClass, title, out);
    return out;
}

XWindowId PrivateDisplay::EmbeddedByClass(const std::string& resClass) {
    for (const Shown& w : Viewable(resClass)) {
        if (!w.topLevel) {
            return w.id;
        }
    }
    return 0;
}

std::pair<int, int> PrivateDisplay::Centre(XWindowId w) {
    XWindowAttributes attrs{};
    XGetWindowAttributes(dpy_, w, &attrs);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy_, w, DefaultRootWindow(dpy_), 0, 0, &x, &y, &child);
    return {x + attrs.width / 2, y + attrs.height / 2};
}

bool PrivateDisplay::Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv, Env());
}

Environment PrivateDisplay::ProgramEnv(const std::string& root) const {
    return ProgramEnvironment(Env(), root, "xcb");
}

}  // namespace padrix::testing
