#include "VirtualPad.h"

namespace padrix::testing {

bool VirtualPad::Attach() {
    if (attached()) {
        return true;
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = static_cast<Uint16>(setup_.axes);
    desc.nbuttons = static_cast<Uint16>(setup_.buttons);
    desc.nhats = static_cast<Uint16>(setup_.hats);
    desc.vendor_id = 0x1209;
    desc.product_id = 0x0001;
    desc.name = setup_.name.c_str();
    desc.userdata = this;
    desc.Rumble = setup_.rumble ? &VirtualPad::OnRumble : nullptr;
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) {
        id_ = SDL_JoystickGetDeviceInstanceID(index);
        handle_ = SDL_JoystickOpen(index);
    }
    return attached();
}

void VirtualPad::Detach() {
    if (!attached()) {
        return;
    }
    SDL_JoystickClose(handle_);
    handle_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == id_) {
            SDL_JoystickDetachVirtual(i);
            return;
        }
    }
}

int SDLCALL VirtualPad::OnRumble(void* self, Uint16 low, Uint16 high) {
    auto* pad = static_cast<VirtualPad*>(self);
    pad->low_ = low;
    pad->high_ = high;
    ++pad->requests_;
    return 0;
}

}  // namespace padrix::testing
