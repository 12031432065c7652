#include "MappingEngine.h"

#include <algorithm>
#include <utility>

namespace padrix {

MappingEngine::MappingEngine(EnginePorts ports, std::string programFolder)
    : ports_(ports), programFolder_(std::move(programFolder)), output_(ports.output, options_) {}

Joypad* MappingEngine::JoypadDevice(int n) const {
    return n >= 1 && n <= kMaxJoypads ? tables_.joypadDevices[static_cast<std::size_t>(n - 1)].get()
                                      : nullptr;
}

bool MappingEngine::UserHoldsKey(std::uint8_t vk) {
    return !output_.Holds(vk) && ports_.keys.IsKeyDown(vk);
}

bool MappingEngine::ReadJoypad(int n) {
    Joypad* pad = JoypadDevice(n);
    if (pad != nullptr && pad->Read(tables_.joyState)) {
        return true;
    }
    tables_.joyState = JoyState::AtRest();
    return false;
}

void MappingEngine::StartRumble(int n) {
    if (Joypad* pad = JoypadDevice(n)) {
        pad->StartRumble();
    }
}

void MappingEngine::StopRumble(int n) {
    if (Joypad* pad = JoypadDevice(n)) {
        pad->StopRumble();
    }
}

bool MappingEngine::CreateRumble(int n) {
    Joypad* pad = JoypadDevice(n);
    return pad != nullptr && pad->CreateRumble();
}

void MappingEngine::SetJoypadCount(int count) {
    tables_.joypadCount = std::clamp(count, 0, kMaxJoypads);
}

void MappingEngine::AttachJoypad(int n, std::unique_ptr<Joypad> pad, int maxButton) {
    if (n >= 1 && n <= kMaxJoypads) {
        const auto i = static_cast<std::size_t>(n - 1);
        tables_.joypadDevices[i] = std::move(pad);
        tables_.joypadMaxButton[i] = maxButton;
    }
}

const KeyMap& MappingEngine::Map(int joy) const {
    return tables_.keyMap[static_cast<std::size_t>(std::clamp(joy, 1, kMaxJoypads) - 1)];
}

void MappingEngine::SetMap(int joy, const KeyMap& map) {
    if (joy >= 1 && joy <= kMaxJoypads) {
        tables_.keyMap[static_cast<std::size_t>(joy - 1)] = map;
    }
}

void MappingEngine::SetMaps(const KeyMaps& maps) {
    tables_.keyMap = maps;
}

void MappingEngine::SetJoypadsEnabled(std::string enabled) {
    tables_.joypadsEnabled = std::move(enabled);
}

void MappingEngine::SetOptions(const Options& options) {
    options_ = options;
}

void MappingEngine::SetMouseMode(bool on) {
    latches_.MouseMode = on;
}

void MappingEngine::ArmSkipNextKeyUp() {
    latches_.SkipNextKeyUp = true;
}

void MappingEngine::ReleaseJoypad(int n) {
    if (n >= 1 && n <= kMaxJoypads) {
        tables_.joypadDevices[static_cast<std::size_t>(n - 1)].reset();
    }
}

void MappingEngine::ReleaseAll() {
    output_.ReleaseAll();
    for (auto& held : tables_.directionHeld) {
        held.fill(false);
    }
    for (auto& held : tables_.buttonHeld) {
        held.fill(false);
    }
    latches_.MouseButtonHeld.fill(false);
}

}  // namespace padrix
