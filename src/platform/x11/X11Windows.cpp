#include "platform/x11/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <memory>

namespace padrix::x11 {

namespace {

struct XFreeDeleter {
    void operator()(void* p) const {
        if (p != nullptr) {
            XFree(p);
        }
    }
};
template <typename T>
using XPtr = std::unique_ptr<T, XFreeDeleter>;

// One property's raw contents.
struct Property {
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    XPtr<unsigned char> data;
};

// Titles are cut after this many bytes (in 32-bit units, as X counts).
constexpr long kMaxTitleUnits = kMaxTitleBytes / 4;

Property ReadProperty(Display* d, Window w, Atom name, Atom type, long maxUnits = 1 << 20) {
    Property p;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(d, w, name, 0, maxUnits, False, type, &p.type, &p.format, &p.count,
                           &after, &data) != Success) {
        return {};
    }
    p.data.reset(data);
    return p;
}

// Latin-1 (the STRING encoding) to UTF-8.
std::string Latin1ToUtf8(const unsigned char* text, std::size_t length) {
    std::string out;
    out.reserve(length);
    for (std::size_t i = 0; i < length && text[i] != 0; ++i) {
        const unsigned char c = text[i];
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

constexpr int kFrameSearchDepth = 3;

}  // namespace

X11Windows::X11Windows(Display* display) : display_(display), root_(DefaultRootWindow(display)) {}

bool X11Windows::HasProperty(Window w, Atom name) const {
    return ReadProperty(display_, w, name, AnyPropertyType).type != None;
}

std::optional<long> X11Windows::CardinalProperty(Window w, Atom name) const {
    const Property p = ReadProperty(display_, w, name, AnyPropertyType);
    if (p.format != 32 || p.count < 1 || !p.data) {
        return std::nullopt;
    }
    return reinterpret_cast<const long*>(p.data.get())[0];
}

std::vector<Window> X11Windows::WindowListProperty(Window w, Atom name) const {
    const Property p = ReadProperty(display_, w, name, AnyPropertyType);
    std::vector<Window> list;
    if (p.format != 32 || !p.data) {
        return list;
    }
    const auto* ids = reinterpret_cast<const unsigned long*>(p.data.get());
    list.assign(ids, ids + p.count);
    return list;
}

std::optional<Window> X11Windows::ClientIn(Window frame, int depth) const {
    if (HasProperty(frame, atom("WM_STATE"))) {
        return frame;
    }
    if (depth == 0) {
        return std::nullopt;
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, frame, &root, &parent, &children, &count)) {
        return std::nullopt;
    }
    const XPtr<Window> owned(children);
    for (unsigned i = 0; i < count; ++i) {
        if (auto client = ClientIn(children[i], depth - 1)) {
            return client;
        }
    }
    return std::nullopt;
}

std::vector<Window> X11Windows::TopLevelWindows() const {
    if (ManagerSupportsActivation()) {
        std::vector<Window> managed = WindowListProperty(root_, atom("_NET_CLIENT_LIST"));
        if (!managed.empty()) {
            return managed;
        }
    }
    std::vector<Window> found;
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, root_, &root, &parent, &children, &count)) {
        return found;
    }
    const XPtr<Window> owned(children);
    // Children come bottom to top; the topmost window is looked at first.
    for (unsigned i = count; i-- > 0;) {
        XWindowAttributes attrs;
        if (!XGetWindowAttributes(display_, children[i], &attrs) || attrs.map_state != IsViewable ||
            attrs.override_redirect) {
            continue;
        }
        const auto client = ClientIn(children[i], kFrameSearchDepth);
        found.push_back(client.value_or(children[i]));
    }
    return found;
}

std::optional<std::string> X11Windows::Utf8Name(Window w) const {
    const Atom utf8 = atom("UTF8_STRING");
    const Property p = ReadProperty(display_, w, atom("_NET_WM_NAME"), utf8, kMaxTitleUnits);
    // Of another type the server sends no text: WM_NAME is the title then.
    if (p.type != utf8 || p.format != 8 || !p.data) {
        return std::nullopt;
    }
    const auto* text = reinterpret_cast<const char*>(p.data.get());
    return std::string(text, p.count);
}

std::string X11Windows::LegacyName(Window w) const {
    const Property p = ReadProperty(display_, w, XA_WM_NAME, AnyPropertyType, kMaxTitleUnits);
    if (p.format != 8 || !p.data) {
        return {};
    }
    if (p.type == XA_STRING) {
        return Latin1ToUtf8(p.data.get(), p.count);
    }
    XTextProperty prop{p.data.get(), p.type, p.format, p.count};
    char** list = nullptr;
    int count = 0;
    std::string title;
    if (Xutf8TextPropertyToTextList(display_, &prop, &list, &count) == Success && count > 0) {
        title = list[0];
    }
    if (list != nullptr) {
        XFreeStringList(list);
    }
    return title;
}

std::string X11Windows::Title(Window w) const {
    if (auto name = Utf8Name(w)) {
        return *name;
    }
    return LegacyName(w);
}

bool X11Windows::ManagerSupportsActivation() const {
    const Atom check = atom("_NET_SUPPORTING_WM_CHECK");
    const auto manager = WindowListProperty(root_, check);
    // A manager that has gone away leaves its properties on the root window;
    // its check window then no longer points to itself.
    if (manager.empty() || WindowListProperty(manager[0], check) != manager) {
        return false;
    }
    const Atom active = atom("_NET_ACTIVE_WINDOW");
    for (Window supported : WindowListProperty(root_, atom("_NET_SUPPORTED"))) {
        if (supported == active) {
            return true;
        }
    }
    return false;
}

std::optional<Window> FindByTitle(const X11Windows& windows, std::string_view title) {
    if (title.empty()) {
        return std::nullopt;
    }
    const std::vector<Window> all = windows.TopLevelWindows();
    std::optional<Window> prefixMatch;
    for (Window w : all) {
        const std::string name = windows.Title(w);
        if (name == title) {
            return w;
        }
        if (!prefixMatch && name.starts_with(title)) {
            prefixMatch = w;
        }
    }
    return prefixMatch;
}

}  // namespace padrix::x11
