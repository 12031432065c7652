#pragma once

#include <SDL_joystick.h>

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace padrix {

// Owns one reference to SDL's joystick and haptic subsystems: started when
// the session is made, quit when the last owner (the controller access or
// one of its joypads) lets go. SDL counts these references itself, so two
// sessions in one program (the tray's and the configuration dialog's) are
// independent of each other.
class SdlSession {
  public:
    // Starts the subsystems; nullptr when SDL's joystick support cannot start.
    // Haptics are optional: without them rumble falls back to the motors.
    static std::shared_ptr<SdlSession> Start();

    ~SdlSession();
    SdlSession(const SdlSession&) = delete;
    SdlSession& operator=(const SdlSession&) = delete;

    bool HasHaptics() const { return haptics_; }

    // Brings SDL's joystick state up to date once per polling round. Each
    // reader keeps its own round counter, starting from Round(): the first
    // reader that has already read in the current round starts a new one and
    // refreshes SDL, the others use the fresh state. With the joypads read in
    // turn on every tick, SDL is refreshed once a tick; a single reader
    // refreshes on every read. A state is never older than one round.
    std::uint64_t Round() const { return round_; }
    void Refresh(std::uint64_t& readerRound);

    // Which joypad number holds which SDL device, so that a joypad looking for
    // its lost controller does not take the controller of another joypad.
    void Claim(SDL_JoystickID device, int joypad);
    void Unclaim(SDL_JoystickID device, int joypad);
    bool ClaimedByOther(SDL_JoystickID device, int joypad) const;

  private:
    explicit SdlSession(bool haptics) : haptics_(haptics) {}

    bool haptics_;
    std::uint64_t round_ = 0;
    std::vector<std::pair<SDL_JoystickID, int>> claims_;
};

}  // namespace padrix
