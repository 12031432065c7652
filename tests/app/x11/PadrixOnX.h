#pragma once

#include <QTemporaryDir>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "TestWindow.h"
#include "VirtualPad.h"
#include "app/SeededRandom.h"
#include "app/SingleInstance.h"
#include "app/TrayApplication.h"
#include "dialogs/ConfigDialog.h"
#include "engine/SystemClock.h"
#include "input/SdlControllers.h"
#include "platform/Backend.h"
#include "settings/IniSettingsStore.h"
#include "settings/InterfaceLanguage.h"

namespace padrix::testing {

// Processes Qt's events until `window` has received an event that `matches`
// and takes it with those before it from what it received (kept in
// `received` for later calls); nothing after `timeoutMs`.
std::optional<SeenEvent> TakeEvent(TestWindow& window, std::vector<SeenEvent>& received,
                                   const std::function<bool(const SeenEvent&)>& matches,
                                   int timeoutMs);
bool TakeKey(TestWindow& window, std::vector<SeenEvent>& received, unsigned long keysym, bool press,
             int timeoutMs = 5000);

// How the program is started: "Use M button as Select", the virtual joypads
// and their buttons, and whether each joypad's doorbell is a pipe that the
// test rings.
struct PadrixOnXSetup {
    bool select = true;
    int pads = 1;
    int buttons = 12;
    bool doorbells = false;
    std::string polling = "events";  // "Polling": how the cycle is woken
    HeldInputs* held = nullptr;      // where the output records what it holds
    bool client = true;              // a client window of its own, with the focus
};

// The whole tray as the program builds it (SDL controllers, the X11
// output on $DISPLAY, a settings file of its own), started with virtual
// joypads attached before start-up and a real X client window holding the focus.
class PadrixOnX {
  public:
    explicit PadrixOnX(const PadrixOnXSetup& setup = {});
    ~PadrixOnX();

    bool ok() const { return error_.empty(); }
    const std::string& error() const { return error_; }
    TrayApplication& form() { return *form_; }
    VirtualPad& pad(int n = 1) { return *pads_[static_cast<std::size_t>(n - 1)]; }
    SettingsStore& settings() { return *settings_; }
    TestWindow& client() { return *client_; }
    Clock& clock() { return clock_; }
    // What the configuration dialog needs, over this tray.
    ConfigDialogPorts DialogPorts();
    // Gives the client window the focus and the pointer again.
    bool FocusClient();
    // Rings joypad n's doorbell, as its event device would on a change.
    void Ring(int n = 1);
    // How often joypad n's doorbell was opened.
    int DoorbellOpens(int n = 1) const;

    // Processes events until the client has received `press` (or release) of
    // keysym; everything received is kept for later calls.
    bool WaitForKey(unsigned long keysym, bool press, int timeoutMs = 5000);
    // Processes events until the client has received a key event of `kind`
    // and takes it with those before it; nothing after `timeoutMs`.
    std::optional<SeenEvent> NextKeyEvent(Seen kind, int timeoutMs = 5000);

  private:
    std::string Start(const PadrixOnXSetup& setup);
    int OpenDoorbell(int joypad);

    // SDL's joystick support for the virtual pads, running while they live.
    struct SdlJoysticks {
        SdlJoysticks() { SDL_InitSubSystem(SDL_INIT_JOYSTICK); }
        ~SdlJoysticks() { SDL_QuitSubSystem(SDL_INIT_JOYSTICK); }
    } sdl_;
    std::vector<std::unique_ptr<VirtualPad>> pads_;
    QTemporaryDir dir_;
    std::unique_ptr<IniSettingsStore> settings_;
    std::unique_ptr<InterfaceLanguage> language_;  // no language files: the built-in texts
    std::optional<DesktopPlatform> platform_;
    SystemClock clock_;
    SeededRandom random_{1};
    std::unique_ptr<SdlControllerAccess> controllers_;
    Launcher launcher_;
    std::unique_ptr<SingleInstance> instance_;
    std::unique_ptr<TestWindow> client_;
    std::unique_ptr<TrayApplication> form_;
    std::vector<SeenEvent> received_;
    std::map<int, int> doorbellWriters_;  // by joypad number
    std::map<int, int> doorbellOpens_;
    std::string error_;
};

}  // namespace padrix::testing
