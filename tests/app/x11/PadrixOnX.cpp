#include "PadrixOnX.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <variant>

#include "dialogs/GameControllersWindow.h"

namespace padrix::testing {

PadrixOnX::PadrixOnX(const PadrixOnXSetup& setup) : error_(Start(setup)) {}

PadrixOnX::~PadrixOnX() {
    form_.reset();
    controllers_.reset();
    client_.reset();
    for (const auto& [joypad, fd] : doorbellWriters_) {
        close(fd);
    }
}

int PadrixOnX::OpenDoorbell(int joypad) {
    int fds[2];
    if (pipe2(fds, O_NONBLOCK | O_CLOEXEC) != 0) {
        return -1;
    }
    if (const auto old = doorbellWriters_.find(joypad); old != doorbellWriters_.end()) {
        close(old->second);
    }
    doorbellWriters_[joypad] = fds[1];
    ++doorbellOpens_[joypad];
    return fds[0];
}

void PadrixOnX::Ring(int n) {
    if (const auto it = doorbellWriters_.find(n); it != doorbellWriters_.end()) {
        [[maybe_unused]] const auto written = write(it->second, "!", 1);
    }
}

int PadrixOnX::DoorbellOpens(int n) const {
    const auto it = doorbellOpens_.find(n);
    return it != doorbellOpens_.end() ? it->second : 0;
}

std::string PadrixOnX::Start(const PadrixOnXSetup& setup) {
    if (SDL_NumJoysticks() > 0) {
        return "real controllers are attached to this machine";
    }
    for (int n = 0; n < setup.pads; ++n) {
        if (!pads_.emplace_back(std::make_unique<VirtualPad>(PadSetup{.buttons = setup.buttons}))
                 ->attached()) {
            return std::string("no virtual joystick: ") + SDL_GetError();
        }
    }
    settings_ = std::make_unique<IniSettingsStore>(dir_.filePath("Padrix.ini").toStdString());
    settings_->SaveSetting("Custom", "Select", setup.select ? "True" : "False");
    settings_->SaveSetting("Custom", "VGSStartUp", "False");
    settings_->SaveSetting("Custom", "Polling", setup.polling);
    language_ = std::make_unique<InterfaceLanguage>(*settings_, std::vector<std::string>{}, "C");
    SessionEnvironment session = SessionEnvironment::FromProcess();
    session.heldInputs = setup.held;
    PlatformOpening opening = OpenDesktopPlatform("", session);
    if (auto* error = std::get_if<PlatformError>(&opening)) {
        return error->message;
    }
    platform_.emplace(std::move(std::get<DesktopPlatform>(opening)));
    DoorbellOpener opener;
    if (setup.doorbells) {
        opener = [this](int joypad, const std::string&) { return OpenDoorbell(joypad); };
    }
    controllers_ = std::make_unique<SdlControllerAccess>(clock_, opener);
    instance_ = std::make_unique<SingleInstance>(dir_.path());
    if (setup.client) {
        client_ =
            std::make_unique<TestWindow>(qEnvironmentVariable("DISPLAY").toStdString(), "Client");
    }
    form_ = std::make_unique<TrayApplication>(
        TrayPorts{*instance_, *controllers_, *settings_, *language_, *platform_->output,
                  *platform_->keys, *platform_->screenshots, *platform_->windows, launcher_, clock_,
                  random_},
        TrayPaths{dir_.path().toStdString(), {}, {}, {}, {}, {}});
    form_->SetActiveWindowWatch(*platform_->activeWindow);
    if (form_->Load() != TrayApplication::LoadResult::kRunning) {
        return "start-up failed";
    }
    // Without a window manager a newly shown window may take the focus.
    FallbackWindow* window = form_->presence().fallback();
    if (window != nullptr && !QTest::qWaitForWindowExposed(window)) {
        return "the stand-in window did not appear";
    }
    if (!client_) {
        return "";
    }
    client_->StopKeyRepeat();
    client_->TakeFocusAndPointer();
    return client_->HasFocus() ? "" : "the client window did not get the focus";
}

ConfigDialogPorts PadrixOnX::DialogPorts() {
    return {form_->session(), [this] { return std::make_unique<SdlControllerAccess>(clock_); },
            [this](QWidget* parent) {
                return new GameControllersWindow(
                    std::make_unique<SdlControllerAccess>(clock_), form_->session(),
                    [this] { return form_->session().LanguagePath(); }, parent);
            },
            platform_->layout.get()};
}

bool PadrixOnX::FocusClient() {
    client_->StopKeyRepeat();
    client_->TakeFocusAndPointer();
    return client_->HasFocus();
}

bool PadrixOnX::WaitForKey(unsigned long keysym, bool press, int timeoutMs) {
    return TakeKey(*client_, received_, keysym, press, timeoutMs);
}

std::optional<SeenEvent> PadrixOnX::NextKeyEvent(Seen kind, int timeoutMs) {
    return TakeEvent(
        *client_, received_, [&](const SeenEvent& e) { return e.kind == kind; }, timeoutMs);
}

bool TakeKey(TestWindow& window, std::vector<SeenEvent>& received, unsigned long keysym, bool press,
             int timeoutMs) {
    const Seen kind = press ? Seen::kKeyPress : Seen::kKeyRelease;
    return TakeEvent(
               window, received,
               [&](const SeenEvent& e) { return e.keysym == keysym && e.kind == kind; }, timeoutMs)
        .has_value();
}

std::optional<SeenEvent> TakeEvent(TestWindow& window, std::vector<SeenEvent>& received,
                                   const std::function<bool(const SeenEvent&)>& matches,
                                   int timeoutMs) {
    // Wakes for the window's X events and for the deadline; never sleeps.
    QSocketNotifier readable(window.ConnectionFd(), QSocketNotifier::Read);
    QTimer deadlineWake;
    deadlineWake.setSingleShot(true);
    deadlineWake.start(timeoutMs);
    const QDeadlineTimer deadline(timeoutMs);
    while (true) {
        for (const SeenEvent& e : window.Drain()) {
            received.push_back(e);
        }
        const auto it = std::find_if(received.begin(), received.end(), matches);
        if (it != received.end()) {
            const SeenEvent found = *it;
            received.erase(received.begin(), it + 1);
            return found;
        }
        if (deadline.hasExpired()) {
            return std::nullopt;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
}

}  // namespace padrix::testing
