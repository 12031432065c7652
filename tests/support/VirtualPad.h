#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

namespace padrix::testing {

// How a virtual controller is built.
struct PadSetup {
    std::string name = "Virtual Pad";
    int axes = 2;
    int buttons = 12;
    int hats = 0;
    bool rumble = false;
};

// One SDL virtual joystick, attached while the object lives (SDL's joystick
// support must be running). It keeps a handle of its own to set its state and
// records the rumble requests that reach it.
class VirtualPad {
  public:
    explicit VirtualPad(PadSetup setup) : setup_(std::move(setup)) { Attach(); }
    ~VirtualPad() { Detach(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    void SetAxis(int axis, Sint16 value) { SDL_JoystickSetVirtualAxis(handle_, axis, value); }
    void SetButton(int button, bool pressed) {
        SDL_JoystickSetVirtualButton(handle_, button, pressed ? SDL_PRESSED : SDL_RELEASED);
    }
    void SetHat(Uint8 value) { SDL_JoystickSetVirtualHat(handle_, 0, value); }

    // Unplugs the controller, and plugs the same model in again (last in
    // SDL's enumeration).
    void Detach();
    bool Attach();
    bool attached() const { return handle_ != nullptr; }

    // The last rumble request the controller received, and how many there were.
    Uint16 low() const { return low_; }
    Uint16 high() const { return high_; }
    int requests() const { return requests_; }

  private:
    static int SDLCALL OnRumble(void* self, Uint16 low, Uint16 high);

    PadSetup setup_;
    SDL_JoystickID id_ = -1;
    SDL_Joystick* handle_ = nullptr;
    Uint16 low_ = 0;
    Uint16 high_ = 0;
    int requests_ = 0;
};

}  // namespace padrix::testing
