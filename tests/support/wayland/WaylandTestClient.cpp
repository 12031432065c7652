// A native Wayland client for tests: one xdg toplevel filled with one colour
// that logs, a line each, what reaches it (keys with their keysyms, modifiers,
// focus, pointer). A line "title <text>" on standard input retitles it.
//
//   padrix_wayland_test_client <title> <app id> <argb colour, hex>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "xdg-shell-client-protocol.h"

namespace {

struct Client {
    wl_display* display = nullptr;
    wl_compositor* compositor = nullptr;
    wl_shm* shm = nullptr;
    xdg_wm_base* shell = nullptr;
    wl_seat* seat = nullptr;
    wl_keyboard* keyboard = nullptr;
    wl_pointer* pointer = nullptr;
    wl_surface* surface = nullptr;
    xdg_surface* shellSurface = nullptr;
    xdg_toplevel* toplevel = nullptr;
    wl_buffer* buffer = nullptr;
    xkb_context* xkb = xkb_context_new(XKB_CONTEXT_NO_FLAGS);
    xkb_keymap* keymap = nullptr;
    xkb_state* state = nullptr;
    std::uint32_t colour = 0xff336699;
    int width = 0;
    int height = 0;
    bool drawn = false;
    bool ready = false;
    bool running = true;
};

void Say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

int Whole(wl_fixed_t value) {
    return wl_fixed_to_int(value);
}

// A buffer of the window's size in the window's colour.
wl_buffer* FilledBuffer(Client& c, int width, int height) {
    const int stride = width * 4;
    const std::size_t size = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    const int fd = memfd_create("padrix-test-client", MFD_CLOEXEC);
    if (fd < 0 || ftruncate(fd, static_cast<off_t>(size)) != 0) {
        return nullptr;
    }
    void* pixels = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (pixels == MAP_FAILED) {
        close(fd);
        return nullptr;
    }
    auto* words = static_cast<std::uint32_t*>(pixels);
    for (std::size_t i = 0; i < size / 4; ++i) {
        words[i] = c.colour;
    }
    munmap(pixels, size);
    wl_shm_pool* pool = wl_shm_create_pool(c.shm, fd, static_cast<std::int32_t>(size));
    wl_buffer* buffer =
        wl_shm_pool_create_buffer(pool, 0, width, height, stride, WL_SHM_FORMAT_ARGB8888);
    wl_shm_pool_destroy(pool);
    close(fd);
    return buffer;
}

void OnKeymap(void* data, wl_keyboard*, std::uint32_t format, int fd, std::uint32_t size) {
    auto& c = *static_cast<Client*>(data);
    if (format != WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1) {
        close(fd);
        return;
    }
    void* text = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    close(fd);
    if (text == MAP_FAILED) {
        return;
    }
    xkb_keymap* keymap =
        xkb_keymap_new_from_string(c.xkb, static_cast<const char*>(text), XKB_KEYMAP_FORMAT_TEXT_V1,
                                   XKB_KEYMAP_COMPILE_NO_FLAGS);
    munmap(text, size);
    if (keymap == nullptr) {
        return;
    }
    xkb_state_unref(c.state);
    xkb_keymap_unref(c.keymap);
    c.keymap = keymap;
    c.state = xkb_state_new(keymap);
}

void OnEnter(void*, wl_keyboard*, std::uint32_t, wl_surface*, wl_array*) {
    Say("focus in");
}
void OnLeave(void*, wl_keyboard*, std::uint32_t, wl_surface*) {
    Say("focus out");
}

void OnKey(void* data, wl_keyboard*, std::uint32_t, std::uint32_t, std::uint32_t key,
           std::uint32_t state) {
    auto& c = *static_cast<Client*>(data);
    char name[64] = "?";
    if (c.state != nullptr) {
        xkb_keysym_get_name(xkb_state_key_get_one_sym(c.state, key + 8), name, sizeof name);
    }
    Say("key " + std::to_string(key) +
        (state == WL_KEYBOARD_KEY_STATE_PRESSED ? " down " : " up ") + name);
}

void OnModifiers(void* data, wl_keyboard*, std::uint32_t, std::uint32_t depressed,
                 std::uint32_t latched, std::uint32_t locked, std::uint32_t group) {
    auto& c = *static_cast<Client*>(data);
    if (c.state != nullptr) {
        xkb_state_update_mask(c.state, depressed, latched, locked, 0, 0, group);
    }
    Say("mods " + std::to_string(depressed) + " " + std::to_string(latched) + " " +
        std::to_string(locked) + " " + std::to_string(group));
}

void OnRepeatInfo(void*, wl_keyboard*, std::int32_t, std::int32_t) {}

const wl_keyboard_listener kKeyboard = {OnKeymap, OnEnter,     OnLeave,
                                        OnKey,    OnModifiers, OnRepeatInfo};

void OnPointerEnter(void*, wl_pointer*, std::uint32_t, wl_surface*, wl_fixed_t x, wl_fixed_t y) {
    Say("pointer enter " + std::to_string(Whole(x)) + " " + std::to_string(Whole(y)));
}
void OnPointerLeave(void*, wl_pointer*, std::uint32_t, wl_surface*) {
    Say("pointer leave");
}
void OnPointerMotion(void*, wl_pointer*, std::uint32_t, wl_fixed_t x, wl_fixed_t y) {
    Say("pointer motion " + std::to_string(Whole(x)) + " " + std::to_string(Whole(y)));
}
void OnButton(void*, wl_pointer*, std::uint32_t, std::uint32_t, std::uint32_t button,
              std::uint32_t state) {
    Say("button " + std::to_string(button) +
        (state == WL_POINTER_BUTTON_STATE_PRESSED ? " down" : " up"));
}
void OnAxis(void*, wl_pointer*, std::uint32_t, std::uint32_t, wl_fixed_t) {}
void OnFrame(void*, wl_pointer*) {}
void OnAxisSource(void*, wl_pointer*, std::uint32_t) {}
void OnAxisStop(void*, wl_pointer*, std::uint32_t, std::uint32_t) {}
void OnAxisDiscrete(void*, wl_pointer*, std::uint32_t, std::int32_t) {}
void OnAxisValue120(void*, wl_pointer*, std::uint32_t, std::int32_t) {}

const wl_pointer_listener kPointer = {OnPointerEnter, OnPointerLeave, OnPointerMotion, OnButton,
                                      OnAxis,         OnFrame,        OnAxisSource,    OnAxisStop,
                                      OnAxisDiscrete, OnAxisValue120};

// Keyboards and pointers come and go with the seat's devices (a virtual
// keyboard is the first a headless compositor has).
void OnCapabilities(void* data, wl_seat* seat, std::uint32_t capabilities) {
    auto& c = *static_cast<Client*>(data);
    const bool keys = capabilities & WL_SEAT_CAPABILITY_KEYBOARD;
    if (keys && c.keyboard == nullptr) {
        c.keyboard = wl_seat_get_keyboard(seat);
        wl_keyboard_add_listener(c.keyboard, &kKeyboard, &c);
    } else if (!keys && c.keyboard != nullptr) {
        wl_keyboard_release(c.keyboard);
        c.keyboard = nullptr;
    }
    const bool mouse = capabilities & WL_SEAT_CAPABILITY_POINTER;
    if (mouse && c.pointer == nullptr) {
        c.pointer = wl_seat_get_pointer(seat);
        wl_pointer_add_listener(c.pointer, &kPointer, &c);
    } else if (!mouse && c.pointer != nullptr) {
        wl_pointer_release(c.pointer);
        c.pointer = nullptr;
    }
}
void OnSeatName(void*, wl_seat*, const char*) {}
const wl_seat_listener kSeat = {OnCapabilities, OnSeatName};

void OnPing(void*, xdg_wm_base* shell, std::uint32_t serial) {
    xdg_wm_base_pong(shell, serial);
}
const xdg_wm_base_listener kShell = {OnPing};

void OnSurfaceConfigure(void* data, xdg_surface* surface, std::uint32_t serial) {
    auto& c = *static_cast<Client*>(data);
    xdg_surface_ack_configure(surface, serial);
    const int width = c.width > 0 ? c.width : 320;
    const int height = c.height > 0 ? c.height : 240;
    if (c.buffer != nullptr) {
        wl_buffer_destroy(c.buffer);
    }
    c.buffer = FilledBuffer(c, width, height);
    wl_surface_attach(c.surface, c.buffer, 0, 0);
    wl_surface_damage(c.surface, 0, 0, width, height);
    wl_surface_commit(c.surface);
    c.drawn = true;
}
const xdg_surface_listener kShellSurface = {OnSurfaceConfigure};

void OnToplevelConfigure(void* data, xdg_toplevel*, std::int32_t width, std::int32_t height,
                         wl_array*) {
    auto& c = *static_cast<Client*>(data);
    c.width = width;
    c.height = height;
}
void OnClose(void* data, xdg_toplevel*) {
    static_cast<Client*>(data)->running = false;
}
void OnConfigureBounds(void*, xdg_toplevel*, std::int32_t, std::int32_t) {}
void OnWmCapabilities(void*, xdg_toplevel*, wl_array*) {}
const xdg_toplevel_listener kToplevel = {OnToplevelConfigure, OnClose, OnConfigureBounds,
                                         OnWmCapabilities};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface,
              std::uint32_t) {
    auto& c = *static_cast<Client*>(data);
    const std::string what = interface;
    if (what == wl_compositor_interface.name) {
        c.compositor = static_cast<wl_compositor*>(
            wl_registry_bind(registry, name, &wl_compositor_interface, 4));
    } else if (what == wl_shm_interface.name) {
        c.shm = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    } else if (what == xdg_wm_base_interface.name) {
        c.shell =
            static_cast<xdg_wm_base*>(wl_registry_bind(registry, name, &xdg_wm_base_interface, 1));
        xdg_wm_base_add_listener(c.shell, &kShell, &c);
    } else if (what == wl_seat_interface.name && c.seat == nullptr) {
        c.seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 5));
        wl_seat_add_listener(c.seat, &kSeat, &c);
    }
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener kRegistry = {OnGlobal, OnGlobalRemove};

// Handles one line from standard input; false at its end.
bool TakeCommand(Client& c, std::string& pending) {
    char chunk[512];
    const ssize_t got = read(STDIN_FILENO, chunk, sizeof chunk);
    if (got <= 0) {
        return false;
    }
    pending.append(chunk, static_cast<std::size_t>(got));
    for (std::size_t end; (end = pending.find('\n')) != std::string::npos;) {
        const std::string line = pending.substr(0, end);
        pending.erase(0, end + 1);
        if (line.rfind("title ", 0) == 0) {
            xdg_toplevel_set_title(c.toplevel, line.c_str() + 6);
            wl_surface_commit(c.surface);
            wl_display_roundtrip(c.display);
            Say(line);
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: padrix_wayland_test_client <title> <app id> <argb hex>\n", stderr);
        return 2;
    }
    Client c;
    c.colour = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 16));
    c.display = wl_display_connect(nullptr);
    if (c.display == nullptr) {
        std::perror("wl_display_connect");
        return 1;
    }
    wl_registry* registry = wl_display_get_registry(c.display);
    wl_registry_add_listener(registry, &kRegistry, &c);
    wl_display_roundtrip(c.display);
    if (c.compositor == nullptr || c.shm == nullptr || c.shell == nullptr) {
        std::fputs("the compositor lacks wl_compositor, wl_shm or xdg_wm_base\n", stderr);
        return 1;
    }
    c.surface = wl_compositor_create_surface(c.compositor);
    c.shellSurface = xdg_wm_base_get_xdg_surface(c.shell, c.surface);
    xdg_surface_add_listener(c.shellSurface, &kShellSurface, &c);
    c.toplevel = xdg_surface_get_toplevel(c.shellSurface);
    xdg_toplevel_add_listener(c.toplevel, &kToplevel, &c);
    xdg_toplevel_set_title(c.toplevel, argv[1]);
    xdg_toplevel_set_app_id(c.toplevel, argv[2]);
    wl_surface_commit(c.surface);

    std::string pending;
    pollfd fds[2] = {{wl_display_get_fd(c.display), POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
    while (c.running) {
        while (wl_display_prepare_read(c.display) != 0) {
            wl_display_dispatch_pending(c.display);
        }
        wl_display_flush(c.display);
        if (poll(fds, 2, -1) < 0) {
            wl_display_cancel_read(c.display);
            break;
        }
        if (fds[0].revents & POLLIN) {
            wl_display_read_events(c.display);
        } else {
            wl_display_cancel_read(c.display);
        }
        if (wl_display_dispatch_pending(c.display) < 0 || (fds[0].revents & (POLLHUP | POLLERR))) {
            break;
        }
        if (c.drawn && !c.ready) {
            // Mapped once the compositor has taken the first buffer.
            wl_display_roundtrip(c.display);
            c.ready = true;
            Say("ready");
        }
        if ((fds[1].revents & (POLLIN | POLLHUP)) && !TakeCommand(c, pending)) {
            break;
        }
    }
    wl_display_disconnect(c.display);
    return 0;
}
