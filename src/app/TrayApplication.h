#pragma once

#include <QObject>
#include <QPointer>
#include <QSocketNotifier>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "PollingTimer.h"
#include "SingleInstance.h"
#include "TrayMenu.h"
#include "TrayPresence.h"
#include "WakeSources.h"
#include "dialogs/ForceFeedbackDialog.h"
#include "platform/ActiveWindowWatch.h"
#include "platform/Backend.h"
#include "platform/Launcher.h"
#include "platform/WindowActivator.h"
#include "session/Session.h"
#include "session/WindowFollower.h"
#include "settings/AutostartEntry.h"

namespace padrix {

// What the tray works with; main() builds the real objects, tests pass
// their own.
struct TrayPorts {
    SingleInstance& instance;
    ControllerAccess& controllers;
    SettingsStore& settings;
    InterfaceLanguage& language;
    EventOutput& output;
    PhysicalKeys& keys;
    Screenshotter& screenshots;
    WindowActivator& windows;
    const Launcher& launcher;
    Clock& clock;
    RandomSource& random;
};

struct TrayPaths {
    std::string programFolder;  // screenshots, the emulator beside the program
    QString readme;             // the About box's home pages
    QString docFolder;
    std::string autostartFile;  // "Start with the desktop" writes it (AutostartFileIn)
    std::string program;        // what it starts: this program's absolute path
    std::string settingsFile;   // a settings file of --settings, for it too; empty: the usual
};

// The program in the notification area: owns the session, the polling
// timer, the menu and the icon, shows the session's state in the menu and
// turns the menu's entries into session operations; starts and ends the
// program.
class TrayApplication final : public QObject {
    Q_OBJECT
  public:
    enum class LoadResult { kRunning, kAlreadyRunning, kInputSystemFailed };

    TrayApplication(TrayPorts ports, TrayPaths paths);
    ~TrayApplication() override;

    // Start-up, once. kAlreadyRunning: another instance runs and nothing was
    // touched. kInputSystemFailed: the message box was shown and closed.
    LoadResult Load();
    // Removes the icon, lets go of every key and button held, releases the
    // joypads and reports `unloaded`. Runs once; later calls do nothing.
    void Unload();
    bool Unloaded() const { return unloaded_; }

    // The icon's mouse message (TrayMessage numbers).
    void OnIconMessage(int message);
    // True while an icon message is handled; messages meanwhile are dropped.
    bool IconBusy() const { return iconBusy_; }
    // What choosing a menu entry does.
    void Choose(MenuEntry entry);

    void StartEmulator(bool atStartup);
    // Applies the interface language to the caption, menu and messages.
    void InitLanguage();

    // Tells the user each of `notices` once, in the interface language.
    void ShowNotices(const std::vector<PlatformNotice>& notices);

    // Start-up leaves the emulator alone, as when Shift is held.
    void SetNoLaunch(bool noLaunch) { noLaunch_ = noLaunch; }

    // The configuration dialog, once it exists; until then its menu entry is
    // greyed and a double click without emulator opens nothing.
    void SetConfigDialogHandler(std::function<void()> show);
    // Where the focused window is learnt from, for "Follow the active
    // window"; until then, and where it tells nothing, the entry is greyed.
    void SetActiveWindowWatch(ActiveWindowWatch& watch);

    Session& session() { return session_; }
    PollingTimer& pollingTimer() { return timer_; }
    TrayMenu& menu() { return menu_; }
    TrayPresence& presence() { return presence_; }
    ForceFeedbackDialog* forceFeedback() { return forceFeedback_; }

    const QString& Caption() const { return caption_; }
    const QString& InputErrorMessage() const { return msgDirectInputError_; }
    const QString& NoJoystickMessage() const { return msgNoJoystick_; }

  signals:
    void unloaded();

  private:
    void OnSessionChanged(SessionChange change);
    void FollowFocusedWindowAgain();
    void ShowConfig();
    void ShowForceFeedback();
    void ShowAbout();
    void ToggleStartWithDesktop();
    bool AutodetectProfile();
    bool LaunchEmulator();
    void ContinuousPolling();
    void PopupMenu();
    void RefreshMenu();
    void SetLanguageText(int id, const QString& text);
    // Follows the focused window while the option is on and the desktop
    // tells which window that is; otherwise hears nothing of it.
    void UpdateFollowing();
    void StartFollowing();
    void StopFollowing();
    void OnActiveWindowEvents();
    // Asks the desktop whether the focused window can be followed.
    void RefreshFollowEntry();
    void ShowFollowEntry();
    QString FollowUnavailableTip() const;
    void ShowIconTip();

    TrayPorts ports_;
    TrayPaths paths_;
    PollingTimer timer_;
    Session session_;
    WindowFollower follower_{session_};
    ActiveWindowWatch* activeWindow_ = nullptr;
    // Exists while the focused window is followed.
    std::unique_ptr<QSocketNotifier> activeWindowEvents_;
    WakeSources wake_;
    TrayMenu menu_;
    TrayPresence presence_;
    AutostartEntry autostart_;
    QPointer<ForceFeedbackDialog> forceFeedback_;
    std::function<void()> showConfigDialog_;
    QString caption_;
    QString msgDirectInputError_;
    QString msgNoJoystick_;
    QString followWindowUnavailableTip_;
    QString msgStartWithDesktopFailed_;
    std::array<QString, 3> notices_;
    bool loaded_ = false;
    bool unloaded_ = false;
    bool iconBusy_ = false;
    bool pollingLoopRunning_ = false;
    bool noLaunch_ = false;
    bool followAvailable_ = false;
};

}  // namespace padrix
