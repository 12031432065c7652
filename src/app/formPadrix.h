#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "PollingTimer.h"
#include "SingleInstance.h"
#include "TrayMenu.h"
#include "TrayOptions.h"
#include "TrayPresence.h"
#include "WakeSources.h"
#include "dialogs/JoyConfigHost.h"
#include "dialogs/formForceFeedback.h"
#include "engine/MappingEngine.h"
#include "platform/Launcher.h"
#include "platform/WindowActivator.h"
#include "settings/InterfaceLanguage.h"
#include "settings/SettingsStore.h"

namespace padrix {

// What the main form works with; main() builds the real objects, tests pass
// their own.
struct FormPadrixPorts {
    SingleInstance& instance;
    ControllerAccess& controllers;
    SettingsStore& settings;
    const InterfaceLanguage& language;
    EventOutput& output;
    PhysicalKeys& keys;
    Screenshotter& screenshots;
    WindowActivator& windows;
    const Launcher& launcher;
    Clock& clock;
    RandomSource& random;
};

struct FormPadrixPaths {
    std::string programFolder;  // screenshots, the emulator beside the program
    QString readme;             // the About box's home pages
    QString docFolder;
};

// The hidden main form: owns the engine's tables, the polling timer Timer1,
// the menu and the notification-area icon; starts and ends the program.
class formPadrix final : public QObject, public JoyConfigHost {
    Q_OBJECT
  public:
    enum class LoadResult { kRunning, kAlreadyRunning, kInputSystemFailed };

    formPadrix(FormPadrixPorts ports, FormPadrixPaths paths);
    ~formPadrix() override;

    // Start-up, once. kAlreadyRunning: another instance runs and nothing was
    // touched. kInputSystemFailed: the message box was shown and closed.
    LoadResult Form_Load();
    // Removes the icon, lets go of every key and button held, releases the
    // joypads and reports `unloaded`. Runs once; later calls do nothing.
    void Form_Unload();
    bool Unloaded() const { return unloaded_; }

    // The icon's mouse message (TrayMessage numbers).
    void Form_MouseMove(int message);

    void mnuEnabled_Click();
    void mnuConfig_Click();
    void mnuRumble_Click();
    void mnuSelect_Click();
    void mnuAutoFire_Click();
    void mnuStartup_Click();
    void mnuLogitech_Click();
    void mnuAutodetectProfile_Click();
    void mnuSwapLR_Click();
    void mnuDOSApplication_Click();
    void mnuPollRate_Click();
    void mnuSNES9X_Click();
    void mnuVGS_Click();
    void mnuCustom_Click();
    void mnuAbout_Click();
    void mnuExit_Click();

    void ApplySwapLR();
    void StartEmulator(bool atStartup);
    // Applies the interface language to the caption, menu and messages.
    void InitLanguage() override;

    // What the configuration dialog uses.
    bool LogitechPatch() const override { return engine_.options.LogitechPatch; }
    int JoypadCount() const override { return engine_.tables.joypadCount; }
    std::string GetJoypadName(int joy) override;
    std::string JoypadsEnabled() const override { return engine_.tables.joypadsEnabled; }
    void SetJoypadsEnabled(const std::string& text) override;
    void GetConfigValues(int joy, SlotTags& tags) override;
    void SetConfigValues(int joy, const SlotTags& tags) override;
    int DeadZone(int joy) override;
    void SetDeadZone(int joy, int percent) override;
    void JoyConfigClosed() override;

    // Start-up leaves the emulator alone, as when Shift is held.
    void SetNoLaunch(bool noLaunch) { noLaunch_ = noLaunch; }

    // The configuration dialog, once it exists; until then its menu entry is
    // greyed and a double click without emulator opens nothing.
    void SetJoyConfigHandler(std::function<void()> show);

    MappingEngine& engine() { return engine_; }
    PollingTimer& Timer1() { return timer_; }
    TrayOptions& tray() { return tray_; }
    TrayMenu& mnuMain() { return menu_; }
    TrayPresence& presence() { return presence_; }
    formForceFeedback* forceFeedback() { return forceFeedback_; }

    const QString& Caption() const { return caption_; }
    const QString& MsgDirectInputError() const { return msgDirectInputError_; }
    const QString& MsgNoJoystick() const { return msgNoJoystick_; }

  signals:
    void unloaded();

  private:
    void OpenJoypads();
    // Dead zones, the polling mode and the doorbells (formPadrixWake.cpp).
    void StartWaking();
    void StopWaking();
    void ReadOptions();
    void ApplyLayout(Layout layout);
    bool AutodetectProfile();
    bool LaunchEmulator();
    void ContinuousPolling();
    void PopupMenu();
    void Toggle(bool& option, std::string_view key);
    void RefreshMenu();
    void OnMenuChosen(MenuEntry entry);
    void SetLanguageText(int id, const QString& text);
    void SaveLast(Layout layout);

    FormPadrixPorts ports_;
    FormPadrixPaths paths_;
    PollingTimer timer_;
    MappingEngine engine_;
    WakeSources wake_;
    TrayOptions tray_;
    TrayMenu menu_;
    TrayPresence presence_;
    QPointer<formForceFeedback> forceFeedback_;
    std::function<void()> showJoyConfig_;
    QString caption_;
    QString msgDirectInputError_;
    QString msgNoJoystick_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool pollingLoopRunning_ = false;
    bool noLaunch_ = false;
};

}  // namespace padrix
