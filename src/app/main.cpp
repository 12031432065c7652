#include <QApplication>
#include <QSocketNotifier>
#include <cstdio>
#include <optional>
#include <variant>

#include "AppPaths.h"
#include "AppTexts.h"
#include "CommandLine.h"
#include "ConfigDialogOpener.h"
#include "GuardianStart.h"
#include "RemoteClient.h"
#include "RemoteServer.h"
#include "SeededRandom.h"
#include "SingleInstance.h"
#include "TerminationSignals.h"
#include "TrayApplication.h"
#include "dialogs/GameControllersWindow.h"
#include "dialogs/PlainMessageBox.h"
#include "engine/SystemClock.h"
#include "input/SdlControllers.h"
#include "platform/Backend.h"
#include "remote/RemoteControl.h"
#include "settings/IniSettingsStore.h"
#include "settings/InputSettings.h"
#include "settings/InterfaceLanguage.h"
#include "settings/LanguageList.h"
#include "settings/MessagesLocale.h"
#include "settings/OptionKeys.h"
#include "settings/ProfileNames.h"
#include "settings/SettingsPath.h"

using namespace padrix;

namespace {

constexpr const char* kNotRunning = "Padrix is not running\n";

// The request handed to the Padrix that runs; nothing when none does.
std::optional<int> ForwardToRunning(int argc, char** argv, const Request& request) {
    std::optional<QCoreApplication> core;
    if (QCoreApplication::instance() == nullptr) {
        core.emplace(argc, argv);
        // The runtime folder's fallback is named after the program.
        QCoreApplication::setApplicationName(kProgramName);
    }
    return ForwardRequest(CommandSocketPath(), request);
}

// What a command line's request does when no Padrix runs: --status and
// --quit end with status 1, the others start Padrix with their choice, but
// not for a profile that does not exist.
std::optional<int> WithoutRunningPadrix(const StartOptions& start) {
    const Request& request = *start.request;
    if (std::holds_alternative<StatusRequest>(request) ||
        std::holds_alternative<QuitRequest>(request)) {
        std::fputs(kNotRunning, stderr);
        return 1;
    }
    if (const auto* profile = std::get_if<ProfileRequest>(&request)) {
        IniSettingsStore settings(start.settingsPath);
        if (!FindProfileName(settings, profile->name)) {
            std::fprintf(stderr, "padrix: Unknown profile '%s'.\n", profile->name.c_str());
            return 1;
        }
    }
    return std::nullopt;
}

// What the output's connection receives of its own accord is handled as it
// arrives, never waiting for a key press; null where there is nothing.
std::unique_ptr<QSocketNotifier> WatchDesktopEvents(DesktopEvents* events) {
    if (events == nullptr) {
        return nullptr;
    }
    auto notifier = std::make_unique<QSocketNotifier>(events->Descriptor(), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, notifier.get(),
                     [events, watch = notifier.get()] {
                         if (!events->Handle()) {
                             watch->setEnabled(false);  // gone: it would stay readable
                         }
                     });
    return notifier;
}

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
    TrayPaths paths = ProgramPaths(QCoreApplication::applicationDirPath());
    if (start.settingsPath != DefaultSettingsPath()) {
        paths.settingsFile = start.settingsPath;  // a desktop start uses the same file
    }
    TrayApplication tray({instance, controllers, settings, language, *platform.output,
                          *platform.keys, *platform.screenshots, windows, launcher, clock, random},
                         std::move(paths));
    tray.SetNoLaunch(start.noLaunch);
    tray.SetActiveWindowWatch(*platform.activeWindow);
    const auto desktopEvents = WatchDesktopEvents(platform.events.get());

    ConfigDialogOpener joyConfig(
        tray, ConfigDialogPorts{
                  tray.session(), [&clock] { return std::make_unique<SdlControllerAccess>(clock); },
                  [&clock, &tray](QWidget* parent) {
                      return new GameControllersWindow(
                          std::make_unique<SdlControllerAccess>(clock), tray.session(),
                          [&tray] { return tray.session().LanguagePath(); }, parent);
                  },
                  platform.layout.get()});

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &tray,
                     &TrayApplication::Unload);
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &tray, &TrayApplication::Unload);
    // Ends every event loop, also the menu's while it is open.
    QObject::connect(&tray, &TrayApplication::unloaded, &app, [] { QCoreApplication::exit(0); });

    // Requests wait in the socket's queue until start-up is done.
    RemoteControl control(tray.session(), std::string(OutputBackendName(platform.backend)),
                          [&tray] { tray.Unload(); });
    RemoteServer server([&control](std::string_view line) { return control.Answer(line); });
    if (!server.Listen(CommandSocketPath())) {
        std::fprintf(stderr, "padrix: No command line for this run: %s\n",
                     server.ErrorText().toLocal8Bit().constData());
    }

    switch (tray.Load()) {
        case TrayApplication::LoadResult::kAlreadyRunning:
            return 0;
        case TrayApplication::LoadResult::kInputSystemFailed:
            return 1;
        case TrayApplication::LoadResult::kRunning:
            break;
    }
    tray.ShowNotices(platform.notices);
    if (start.request) {
        const std::optional<AnswerVerdict> verdict = ReadAnswer(control.Apply(*start.request));
        if (verdict && !verdict->ok) {
            std::fprintf(stderr, "padrix: %s\n", verdict->problem.c_str());
        }
    }
    return QApplication::exec();
}

}  // namespace

int main(int argc, char** argv) {
    StartOptions start;
    if (const std::optional<int> status = ReadCommandLine(argc, argv, start)) {
        return *status;
    }
    if (start.request) {
        if (const auto status = ForwardToRunning(argc, argv, *start.request)) {
            return *status;
        }
        if (const auto status = WithoutRunningPadrix(start)) {
            return *status;
        }
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
        // Started meanwhile: the request goes to that one.
        if (start.request) {
            if (const auto status = ForwardToRunning(argc, argv, *start.request)) {
                return *status;
            }
            std::fputs(kNotRunning, stderr);
            return 1;
        }
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
