#include "input/SdlSession.h"

#include <SDL.h>

#include <algorithm>

namespace padrix {

std::shared_ptr<SdlSession> SdlSession::Start() {
    // SDL must leave SIGINT and SIGTERM to the program, and deliver controller
    // input while another program (the emulator) has the focus.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return nullptr;
    }
    // Nobody drains SDL's event queue: states are read directly, so keep
    // joystick events out of it.
    SDL_JoystickEventState(SDL_IGNORE);
    const bool haptics = SDL_InitSubSystem(SDL_INIT_HAPTIC) == 0;
    return std::shared_ptr<SdlSession>(new SdlSession(haptics));
}

SdlSession::~SdlSession() {
    if (haptics_) {
        SDL_QuitSubSystem(SDL_INIT_HAPTIC);
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void SdlSession::Refresh(std::uint64_t& readerRound) {
    if (readerRound == round_) {
        SDL_JoystickUpdate();
        ++round_;
    }
    readerRound = round_;
}

void SdlSession::Claim(SDL_JoystickID device, int joypad) {
    claims_.emplace_back(device, joypad);
}

void SdlSession::Unclaim(SDL_JoystickID device, int joypad) {
    const auto it = std::find(claims_.begin(), claims_.end(), std::pair{device, joypad});
    if (it != claims_.end()) {
        claims_.erase(it);
    }
}

bool SdlSession::ClaimedByOther(SDL_JoystickID device, int joypad) const {
    return std::any_of(claims_.begin(), claims_.end(), [&](const auto& claim) {
        return claim.first == device && claim.second != joypad;
    });
}

}  // namespace padrix
