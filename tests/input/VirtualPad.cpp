#include "VirtualPad.h"

#include <gtest/gtest.h>

namespace padrix::testing {

VirtualPad::VirtualPad(PadSetup setup) : setup_(std::move(setup)) {
    Attach();
}

VirtualPad::~VirtualPad() {
    Detach();
}

void VirtualPad::Attach() {
    if (attached()) {
        return;
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = static_cast<Uint16>(setup_.axes);
    desc.nbuttons = static_cast<Uint16>(setup_.buttons);
    desc.nhats = static_cast<Uint16>(setup_.hats);
    desc.vendor_id = setup_.vendor;
    desc.product_id = setup_.product;
    desc.name = setup_.name.c_str();
    desc.userdata = this;
    desc.Rumble = setup_.rumble ? &VirtualPad::OnRumble : nullptr;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    ASSERT_GE(index, 0) << SDL_GetError();
    id_ = SDL_JoystickGetDeviceInstanceID(index);
    handle_ = SDL_JoystickOpen(index);
    ASSERT_NE(handle_, nullptr) << SDL_GetError();
}

void VirtualPad::Detach() {
    if (!attached()) {
        return;
    }
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
    EXPECT_EQ(SDL_JoystickDetachVirtual(DeviceIndex()), 0) << SDL_GetError();
}

void VirtualPad::SetAxis(int axis, Sint16 value) {
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(handle_, axis, value), 0) << SDL_GetError();
}

void VirtualPad::SetButton(int button, bool pressed) {
    const Uint8 state = pressed ? SDL_PRESSED : SDL_RELEASED;
    ASSERT_EQ(SDL_JoystickSetVirtualButton(handle_, button, state), 0) << SDL_GetError();
}

void VirtualPad::SetHat(Uint8 value) {
    ASSERT_EQ(SDL_JoystickSetVirtualHat(handle_, 0, value), 0) << SDL_GetError();
}

int SDLCALL VirtualPad::OnRumble(void* self, Uint16 low, Uint16 high) {
    auto* pad = static_cast<VirtualPad*>(self);
    pad->low_ = low;
    pad->high_ = high;
    ++pad->requests_;
    return 0;
}

int VirtualPad::DeviceIndex() const {
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
            return i;
        }
    }
    return -1;
}

}  // namespace padrix::testing
