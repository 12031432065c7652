#include "platform/uinput/UinputOutput.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "platform/keycodes/KeyCodes.h"

namespace padrix::uinput {

namespace {

constexpr std::int32_t kRelease = 0;
constexpr std::int32_t kPress = 1;
constexpr std::int32_t kRepeat = 2;

std::int32_t Difference(int to, int from) {
    const std::int64_t d = static_cast<std::int64_t>(to) - from;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(d, INT32_MIN, INT32_MAX));
}

}  // namespace

UinputOutput::UinputOutput(std::unique_ptr<EventSink> sink, std::shared_ptr<KeyboardLayout> layout)
    : sink_(std::move(sink)),
      layout_(layout ? std::move(layout) : std::make_shared<UsKeyboardLayout>()) {}

// The Linux key of a key event: vk's key on the layout, or in MS-DOS mode
// the key its scan code names.
std::uint16_t UinputOutput::KeyOf(std::uint8_t vk, std::uint8_t scanCode) {
    const keycodes::KeyLayout& layout = layout_->Current();
    if (scanCode == 0) {
        return layout.KeyOfVk(vk);
    }
    return layout.KeyOfKeyEvent(vk, scanCode);
}

UinputOutput::~UinputOutput() {
    if (down_.none()) {
        return;
    }
    for (std::size_t code = 0; code < down_.size(); ++code) {
        if (down_.test(code)) {
            sink_->Write(EV_KEY, static_cast<std::uint16_t>(code), kRelease);
        }
    }
    Sync();
}

void UinputOutput::Sync() {
    sink_->Write(EV_SYN, SYN_REPORT, 0);
}

bool UinputOutput::Key(std::uint16_t code, bool down) {
    if (!down && !down_.test(code)) {
        return false;
    }
    // A second press of a held key is what auto-repeat sends.
    sink_->Write(EV_KEY, code, down ? (down_.test(code) ? kRepeat : kPress) : kRelease);
    down_.set(code, down);
    return true;
}

void UinputOutput::SendKey(std::uint8_t vk, bool down, std::uint8_t scanCode) {
    // A held key stays the key it went down as, so that switching MS-DOS
    // mode or the keymap meanwhile cannot leave it stuck.
    std::uint16_t& held = keyOfVk_[vk];
    const std::uint16_t code = held != 0 ? held : KeyOf(vk, scanCode);
    held = down ? code : 0;
    // A release of a key that is not held, or a key Linux lacks, sends nothing.
    if (code == 0 || (!down && !down_.test(code))) {
        return;
    }
    // The code as the kernel's PC keyboard driver (atkbd) reports it, so that
    // what matches keys by scan code (udev's hwdb, evtest) sees a real
    // keyboard's: atkbd folds the 0xE0 prefix into bit 7 (0xC8 for Up, not
    // 0xE048).
    if (const std::uint16_t scan = keycodes::AtkbdScanCodeOf(code); scanCode != 0 && scan != 0) {
        sink_->Write(EV_MSC, MSC_SCAN, scan);
    }
    Key(code, down);
    Sync();
}

std::uint8_t UinputOutput::ScanCode(std::uint8_t vk) {
    return layout_->Current().ScanCodeOf(vk);
}

void UinputOutput::SendMouseButton(MouseButton button, bool down) {
    if (Key(button == MouseButton::kLeft ? BTN_LEFT : BTN_RIGHT, down)) {
        Sync();
    }
}

ScreenPoint UinputOutput::PointerPosition() {
    return cursor_;
}

void UinputOutput::MovePointer(ScreenPoint p) {
    const std::int32_t dx = Difference(p.x, cursor_.x);
    const std::int32_t dy = Difference(p.y, cursor_.y);
    cursor_ = p;
    if (dx != 0) {
        sink_->Write(EV_REL, REL_X, dx);
    }
    if (dy != 0) {
        sink_->Write(EV_REL, REL_Y, dy);
    }
    if (dx != 0 || dy != 0) {
        Sync();
    }
}

}  // namespace padrix::uinput
