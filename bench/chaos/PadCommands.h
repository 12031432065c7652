#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>
#include <string>
#include <vector>

#include "VirtualPad.h"

namespace padrix::testing {

// The chaos host's virtual pads, plugged in before the tray starts and
// driven by the chaos run over a local socket, one command a line:
//   b <pad> <button> <0|1>   a <pad> <axis> <value>   h <pad> <hat value>
//   u <pad> (unplug)         p <pad> (plug in again)
// Each line is answered with "k" once the program's 1 ms polling timer has
// had its turn after the change, so the run knows the tray has seen it.
class PadCommands final : public QObject {
  public:
    PadCommands(int pads, const std::string& socketPath, QObject* parent);
    ~PadCommands() override;
    PadCommands(const PadCommands&) = delete;
    PadCommands& operator=(const PadCommands&) = delete;

  private:
    void OnReadable();
    void Apply(const std::string& line);
    VirtualPad* Pad(int n);

    // SDL's joystick support for the pads, running while they live.
    struct SdlJoysticks {
        SdlJoysticks() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
        ~SdlJoysticks() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }
    } sdl_;
    std::vector<std::unique_ptr<VirtualPad>> pads_;
    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> readable_;
    std::string pending_;
};

}  // namespace padrix::testing
