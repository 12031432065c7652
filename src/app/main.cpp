#include <QApplication>
#include <cstdio>
#include <optional>
#include <variant>

#include "AppPaths.h"
#include "AppTexts.h"
#include "CommandLine.h"
#include "ConfigDialogOpener.h"
#include "GuardianStart.h"
#include "SeededRandom.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "TrayApplication.h"
#include "dialogs/GameControllersWindow.h"
#include "dialogs/PlainMessageBox.h"
#include "engine/SystemClock.h"
#include "input/SdlControllers.h"
#include "platform/Backend.h"
#include "settings/IniSettingsStore.h"
#include "settings/InputSettings.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageList.h"
#include "settings/MessagesLocale.h"
#include "settings/OptionKeys.h"

using namespace padrix;

namespace {

int Run(QApplication& app, DesktopPlatform& platform, SingleInstance& instance,
        SettingsStore& settings, const StartOptions& start) {
    SystemClock clock;
    SeededRandom random(SeededRandom::SeedFromTimeOfDay());
    // Doorbells wake the cycle in the events mode only.
    const bool doorbells = ReadPollingMode(settings) == PollingMode::kEvents;
    SdlControllerAccess controllers(clock, doorbells ? DoorbellOpener(OpenEventDevice) : nullptr);
    const Launcher launcher;
    NoWindowActivator noWindows;
    WindowActivator& windows = platform.windows ? *platform.windows : noWindows;
    InterfaceLanguage language(
        settings, LanguageFolders(QCoreApplication::applicationDirPath().toStdString()),
        MessagesLocaleOfProcess());
    TrayApplication tray({instance, controllers, settings, language, *platform.output,
                          *platform.keys, *platform.screenshots, windows, launcher, clock, random},
                         ProgramPaths(QCoreApplication::applicationDirPath()));
    tray.SetNoLaunch(start.noLaunch);
    tray.SetActiveWindowWatch(*platform.activeWindow);

    ConfigDialogOpener joyConfig(
        tray, ConfigDialogPorts{
                  tray.session(), [&clock] { return std::make_unique<SdlControllerAccess>(clock); },
                  [&clock, &tray](QWidget* parent) {
                      return new GameControllersWindow(std::make_unique<SdlControllerAccess>(clock),
                                                       tray.session(), parent);
                  },
                  platform.layout.get()});

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &tray,
                     &TrayApplication::Unload);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &tray, &TrayApplication::Unload);
    // Ends every event loop, also the menu's while it is open.
    QObject::connect(&tray, &TrayApplication::unloaded, &app, [] { QCoreApplication::exit(0); });

    switch (tray.Load()) {
        case TrayApplication::LoadResult::kAlreadyRunning:
            return 0;
        case TrayApplication::LoadResult::kInputSystemFailed:
            return 1;
        case TrayApplication::LoadResult::kRunning:
            break;
    }
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    StartOptions start;
    if (const std::optional<int> status = ReadCommandLine(argc, argv, start)) {
        return *status;
    }
    const DisplayNames displays = DisplayNames::FromProcess();
    if (const auto missing = MissingDisplay(displays)) {
        std::fprintf(stderr, "%s\n", missing->c_str());
        return 1;
    }
    // Lives longest: the output, destroyed before it, writes to its page.
    const Guardian guardian = StartGuardian(displays);
    QApplication app(argc, argv);
    QApplication::setApplicationName(kProgramName);
    QApplication::setQuitOnLastWindowClosed(false);

    // Checked here already so that a second instance ends before it opens
    // the desktop platform; Load asks the same object again and gets
    // this outcome, without a second attempt at the lock.
    SingleInstance instance(RuntimeFolder());
    if (!instance.Acquire()) {
        return 0;
    }
    IniSettingsStore settings(start.settingsPath);
    SessionEnvironment session = SessionEnvironment::FromProcess();
    session.heldInputs = guardian.page();
    PlatformOpening opening =
        OpenDesktopPlatform(settings.GetSetting(kOptionSection, kKeyOutput, ""), session);
    if (const auto* error = std::get_if<PlatformError>(&opening)) {
        ShowPlainMessage(QMessageBox::Critical, kProgramName,
                         QString::fromStdString(error->message));
        return 1;
    }
    return Run(app, std::get<DesktopPlatform>(opening), instance, settings, start);
}
