#include "platform/wayland/WaylandOutput.h"

#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>
#include <xkbcommon/xkbcommon.h>

#include <algorithm>
#include <ctime>
#include <string>
#include <utility>

#include "platform/wayland/SeatKeymap.h"
#include "platform/wayland/WaylandConnection.h"
#include "virtual-keyboard-unstable-v1-client-protocol.h"
#include "wlr-virtual-pointer-unstable-v1-client-protocol.h"

namespace padrix::wayland {

namespace {

constexpr xkb_keycode_t kEvdevOffset = 8;
// wl_fixed_t has 24 bits for the whole pixels.
constexpr int kLargestStep = (1 << 23) - 1;

// The event time the protocol asks for: milliseconds of an unspecified base.
std::uint32_t Milliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    constexpr std::int64_t kMsPerSecond = 1000;
    constexpr std::int64_t kNsPerMs = 1000000;
    return static_cast<std::uint32_t>(now.tv_sec * kMsPerSecond + now.tv_nsec / kNsPerMs);
}

// The keymap text in memory the compositor can map; -1 where none can be made.
int SharedText(const std::string& text) {
    const int fd = memfd_create("padrix-keymap", MFD_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    const std::size_t size = text.size() + 1;  // with its NUL
    std::size_t written = 0;
    while (written < size) {
        const ssize_t n = write(fd, text.c_str() + written, size - written);
        if (n <= 0) {
            close(fd);
            return -1;
        }
        written += static_cast<std::size_t>(n);
    }
    return fd;
}

wl_fixed_t Step(int pixels) {
    return wl_fixed_from_int(std::clamp(pixels, -kLargestStep, kLargestStep));
}

int Difference(int to, int from) {
    const std::int64_t d = static_cast<std::int64_t>(to) - from;
    return static_cast<int>(std::clamp<std::int64_t>(d, INT32_MIN, INT32_MAX));
}

}  // namespace

WaylandOutput::WaylandOutput(std::shared_ptr<WaylandConnection> connection,
                             std::shared_ptr<SeatKeymap> keymap,
                             zwp_virtual_keyboard_manager_v1* keyboards,
                             zwlr_virtual_pointer_manager_v1* pointers, HeldInputs* held)
    : connection_(std::move(connection)),
      keymap_(std::move(keymap)),
      keyboards_(keyboards),
      pointers_(pointers),
      held_(held) {
    if (held_ != nullptr) {
        held_->compositorButtons.store(1, std::memory_order_relaxed);
    }
    keyboard_ =
        zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(keyboards_, keymap_->seat());
    if (pointers_ != nullptr) {
        pointer_ =
            zwlr_virtual_pointer_manager_v1_create_virtual_pointer(pointers_, keymap_->seat());
    }
    uploaded_ = keymap_->generation() + 1;  // none yet
    FollowKeymap();
    connection_->Flush();
}

WaylandOutput::~WaylandOutput() {
    for (std::size_t code = 0; code < down_.size(); ++code) {
        if (down_.test(code)) {
            Key(static_cast<std::uint16_t>(code), false);
        }
    }
    for (const std::uint32_t button : {BTN_LEFT, BTN_RIGHT}) {
        Button(button, false);
    }
    zwp_virtual_keyboard_v1_destroy(keyboard_);
    zwp_virtual_keyboard_manager_v1_destroy(keyboards_);
    if (pointer_ != nullptr) {
        zwlr_virtual_pointer_v1_destroy(pointer_);
        zwlr_virtual_pointer_manager_v1_destroy(pointers_);
    }
    // Every release reaches the compositor before the connection closes.
    connection_->Roundtrip();
    if (held_ != nullptr) {
        held_->compositorButtons.store(0, std::memory_order_relaxed);
    }
    xkb_state_unref(state_);
}

void WaylandOutput::FollowKeymap() {
    if (keymap_->generation() == uploaded_) {
        return;
    }
    const XkbKeymap& keymap = keymap_->keymap();
    const int fd = SharedText(keymap.text());
    if (fd < 0) {
        return;  // tried again at the next key
    }
    zwp_virtual_keyboard_v1_keymap(keyboard_, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                   static_cast<std::uint32_t>(keymap.text().size() + 1));
    close(fd);  // the request carries a copy
    uploaded_ = keymap_->generation();
    // The compositor keeps the keys held across the change: so do we.
    xkb_state_unref(state_);
    state_ = xkb_state_new(keymap.keymap());
    for (std::size_t code = 0; code < down_.size() && state_ != nullptr; ++code) {
        if (down_.test(code)) {
            xkb_state_update_key(state_, static_cast<xkb_keycode_t>(code) + kEvdevOffset,
                                 XKB_KEY_DOWN);
        }
    }
    sentModifiers_.fill(UINT32_MAX);  // sent afresh with the next key
}

// The Linux key of a key event: vk's key on the layout, or in MS-DOS mode
// the key its scan code names.
std::uint16_t WaylandOutput::KeyOf(std::uint8_t vk, std::uint8_t scanCode) {
    const keycodes::KeyLayout& layout = keymap_->Current();
    return scanCode == 0 ? layout.KeyOfVk(vk) : layout.KeyOfKeyEvent(vk, scanCode);
}

void WaylandOutput::SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) {
    // A held key stays the key it went down as, so that switching MS-DOS
    // mode or the keymap meanwhile cannot leave it stuck.
    std::uint16_t& held = keyOfVk_[vk];
    const std::uint16_t code = held != 0 ? held : KeyOf(vk, scanCode);
    held = down ? code : 0;
    FollowKeymap();
    if (code == 0 || code >= kKeys || (!down && !down_.test(code))) {
        return;
    }
    Key(code, down);
    connection_->Flush();
}

void WaylandOutput::Key(std::uint16_t code, bool down) {
    const bool repeat = down && down_.test(code);
    zwp_virtual_keyboard_v1_key(
        keyboard_, Milliseconds(), code,
        down ? WL_KEYBOARD_KEY_STATE_PRESSED : WL_KEYBOARD_KEY_STATE_RELEASED);
    down_.set(code, down);
    // A second press of a held key is what auto-repeat sends: it changes no
    // modifier.
    if (!repeat && state_ != nullptr) {
        xkb_state_update_key(state_, code + kEvdevOffset, down ? XKB_KEY_DOWN : XKB_KEY_UP);
    }
    SendModifiers();
}

void WaylandOutput::SendModifiers() {
    if (state_ == nullptr) {
        return;
    }
    const std::array<std::uint32_t, 4> modifiers = {
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_DEPRESSED),
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_LATCHED),
        xkb_state_serialize_mods(state_, XKB_STATE_MODS_LOCKED),
        xkb_state_serialize_layout(state_, XKB_STATE_LAYOUT_EFFECTIVE)};
    if (modifiers != sentModifiers_) {
        zwp_virtual_keyboard_v1_modifiers(keyboard_, modifiers[0], modifiers[1], modifiers[2],
                                          modifiers[3]);
        sentModifiers_ = modifiers;
    }
}

std::uint8_t WaylandOutput::ScanCode(std::uint8_t vk) {
    return keymap_->Current().ScanCodeOf(vk);
}

void WaylandOutput::Button(std::uint32_t button, bool down) {
    const std::size_t bit = button == BTN_LEFT ? 0 : 1;
    if (pointer_ == nullptr || (!down && !buttonsDown_.test(bit))) {
        return;
    }
    buttonsDown_.set(bit, down);
    if (held_ != nullptr) {
        held_->SetButton(button == BTN_LEFT ? 1 : 3, down);
    }
    zwlr_virtual_pointer_v1_button(
        pointer_, Milliseconds(), button,
        down ? WL_POINTER_BUTTON_STATE_PRESSED : WL_POINTER_BUTTON_STATE_RELEASED);
    zwlr_virtual_pointer_v1_frame(pointer_);
}

void WaylandOutput::SendMouseButton(MouseButton button, bool down) {
    Button(button == MouseButton::kLeft ? BTN_LEFT : BTN_RIGHT, down);
    connection_->Flush();
}

void WaylandOutput::MovePointer(ScreenPoint p) {
    const int dx = Difference(p.x, cursor_.x);
    const int dy = Difference(p.y, cursor_.y);
    cursor_ = p;
    if (pointer_ == nullptr || (dx == 0 && dy == 0)) {
        return;
    }
    zwlr_virtual_pointer_v1_motion(pointer_, Milliseconds(), Step(dx), Step(dy));
    zwlr_virtual_pointer_v1_frame(pointer_);
    connection_->Flush();
}

}  // namespace padrix::wayland
