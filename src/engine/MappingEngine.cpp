#include "MappingEngine.h"

#include <utility>

namespace padrix {

MappingEngine::MappingEngine(EnginePorts ports, std::string programFolder)
    : ports_(ports), programFolder_(std::move(programFolder)), output_(ports.output, options) {}

Joypad* MappingEngine::Device(int n) const {
    return n >= 1 && n <= kMaxJoypads ? tables.joypadDevices[static_cast<std::size_t>(n - 1)].get()
                                      : nullptr;
}

bool MappingEngine::UserHoldsKey(std::uint8_t vk) {
    return !output_.Holds(vk) && ports_.keys.IsKeyDown(vk);
}

bool MappingEngine::ReadJoypad(int n) {
    Joypad* pad = Device(n);
    if (pad != nullptr && pad->Read(tables.joyState)) {
        return true;
    }
    tables.joyState = JoyState::AtRest();
    return false;
}

void MappingEngine::StartRumble(int n) {
    if (Joypad* pad = Device(n)) {
        pad->StartRumble();
    }
}

void MappingEngine::StopRumble(int n) {
    if (Joypad* pad = Device(n)) {
        pad->StopRumble();
    }
}

bool MappingEngine::CreateRumble(int n) {
    Joypad* pad = Device(n);
    return pad != nullptr && pad->CreateRumble();
}

void MappingEngine::ReleaseJoypad(int n) {
    if (n >= 1 && n <= kMaxJoypads) {
        tables.joypadDevices[static_cast<std::size_t>(n - 1)].reset();
    }
}

void MappingEngine::ReleaseAll() {
    output_.ReleaseAll();
    for (auto& held : tables.directionHeld) {
        held.fill(false);
    }
    for (auto& held : tables.buttonHeld) {
        held.fill(false);
    }
    latches.MouseButtonHeld.fill(false);
}

}  // namespace padrix
