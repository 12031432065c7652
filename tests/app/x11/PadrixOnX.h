#pragma once

#include <SDL.h>

#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <variant>

#include "XKit.h"
#include "app/SeededRandom.h"
#include "app/SingleInstance.h"
#include "app/SystemClock.h"
#include "app/formPadrix.h"
#include "input/SdlControllers.h"
#include "platform/Backend.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {

// The private X server of this test process; made before the application
// object so that Qt and the output backend both use it.
PrivateDisplay& TestDisplay();

// One SDL virtual joystick with `buttons` buttons and two axes.
class VirtualJoystick {
  public:
    explicit VirtualJoystick(int buttons);
    ~VirtualJoystick();
    VirtualJoystick(const VirtualJoystick&) = delete;
    VirtualJoystick& operator=(const VirtualJoystick&) = delete;
    bool ok() const { return handle_ != nullptr; }
    void SetButton(int button, bool pressed);

  private:
    SDL_Joystick* handle_ = nullptr;
};

// The whole main form as the program builds it (SDL controllers, the X11
// output, a settings file of its own), started with one virtual joypad
// attached before start-up and a real X client window holding the focus.
class PadrixOnX {
  public:
    // `select` is "Use M button as Select".
    explicit PadrixOnX(bool select = true);
    ~PadrixOnX();

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    formPadrix& form() { return *form_; }
    VirtualJoystick& pad() { return *pad_; }
    KeyRecorder& client() { return *client_; }

    // Processes events until the client has received `press` (or release) of
    // keysym; everything received is kept for later calls.
    bool WaitForKey(unsigned long keysym, bool press, int timeoutMs = 5000);

  private:
    std::string error_;
    QTemporaryDir dir_;
    std::unique_ptr<VirtualJoystick> pad_;
    std::unique_ptr<IniSettingsStore> settings_;
    std::optional<DesktopPlatform> platform_;
    SystemClock clock_;
    SeededRandom random_{1};
    std::unique_ptr<SdlControllerAccess> controllers_;
    Launcher launcher_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<KeyRecorder> client_;
    std::unique_ptr<formPadrix> form_;
    std::vector<KeyRecorder::Key> received_;
};

}  // namespace padrix::testing
