#include "PadrixOnX.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <variant>

namespace padrix::testing {

PadrixOnX::PadrixOnX(bool select, int pads, int buttons) : error_(Start(select, pads, buttons)) {}

PadrixOnX::~PadrixOnX() {
    form_.reset();
    client_.reset();
}

std::string PadrixOnX::Start(bool select, int pads, int buttons) {
    if (SDL_NumJoysticks() > 0) {
        return "real controllers are attached to this machine";
    }
    for (int n = 0; n < pads; ++n) {
        if (!pads_.emplace_back(std::make_unique<VirtualPad>(PadSetup{.buttons = buttons}))
                 ->attached()) {
            return std::string("no virtual joystick: ") + SDL_GetError();
        }
    }
    settings_ = std::make_unique<IniSettingsStore>(dir_.filePath("Padrix.ini").toStdString());
    settings_->SaveSetting("Custom", "Select", select ? "True" : "False");
    settings_->SaveSetting("Custom", "VGSStartUp", "False");
    PlatformOpening opening = OpenDesktopPlatform("");
    if (auto* error = std::get_if<PlatformError>(&opening)) {
        return error->message;
    }
    platform_.emplace(std::move(std::get<DesktopPlatform>(opening)));
    controllers_ = std::make_unique<SdlControllerAccess>(clock_);
    instance_ = std::make_unique<SingleInstance>(dir_.path());
    client_ = std::make_unique<TestWindow>(qEnvironmentVariable("DISPLAY").toStdString(), "Client");
    form_ = std::make_unique<formPadrix>(
        FormPadrixPorts{*instance_, *controllers_, *settings_, *platform_->output, *platform_->keys,
                        *platform_->screenshots, *platform_->windows, launcher_, clock_, random_},
        FormPadrixPaths{dir_.path().toStdString(), {}, {}});
    if (form_->Form_Load() != formPadrix::LoadResult::kRunning) {
        return "start-up failed";
    }
    // Without a window manager a newly shown window may take the focus.
    FallbackWindow* window = form_->presence().fallback();
    if (window != nullptr && !QTest::qWaitForWindowExposed(window)) {
        return "the stand-in window did not appear";
    }
    client_->TakeFocusAndPointer();
    return client_->HasFocus() ? "" : "the client window did not get the focus";
}

bool PadrixOnX::FocusClient() {
    client_->TakeFocusAndPointer();
    return client_->HasFocus();
}

bool PadrixOnX::WaitForKey(unsigned long keysym, bool press, int timeoutMs) {
    const Seen kind = press ? Seen::kKeyPress : Seen::kKeyRelease;
    const auto seen = [&] {
        for (const SeenEvent& e : client_->Drain()) {
            received_.push_back(e);
        }
        const auto it = std::find_if(received_.begin(), received_.end(), [&](const auto& e) {
            return e.keysym == keysym && e.kind == kind;
        });
        if (it == received_.end()) {
            return false;
        }
        received_.erase(received_.begin(), it + 1);
        return true;
    };
    // Wakes for the client's X events and for the deadline; never sleeps.
    QSocketNotifier readable(client_->ConnectionFd(), QSocketNotifier::Read);
    QTimer deadlineWake;
    deadlineWake.setSingleShot(true);
    deadlineWake.start(timeoutMs);
    const QDeadlineTimer deadline(timeoutMs);
    while (!seen()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

}  // namespace padrix::testing
