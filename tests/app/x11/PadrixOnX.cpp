#include "PadrixOnX.h"

#include <QDeadlineTimer>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <algorithm>

namespace padrix::testing {

PrivateDisplay& TestDisplay() {
    static PrivateDisplay display;
    return display;
}

VirtualJoystick::VirtualJoystick(int buttons) {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return;
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = 2;
    desc.nbuttons = static_cast<Uint16>(buttons);
    desc.name = "Padrix test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) {
        handle_ = SDL_JoystickOpen(index);
    }
}

VirtualJoystick::~VirtualJoystick() {
    if (handle_ != nullptr) {
        const SDL_JoystickID id = SDL_JoystickInstanceID(handle_);
        SDL_JoystickClose(handle_);
        for (int i = 0; i < SDL_NumJoysticks(); ++i) {
            if (SDL_JoystickGetDeviceInstanceID(i) == id) {
                SDL_JoystickDetachVirtual(i);
                break;
            }
        }
    }
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

void VirtualJoystick::SetButton(int button, bool pressed) {
    SDL_JoystickSetVirtualButton(handle_, button, pressed ? 1 : 0);
}

PadrixOnX::PadrixOnX(bool select) {
    if (!TestDisplay().ok()) {
        error_ = "Xvfb did not start";
        return;
    }
    SDL_InitSubSystem(SDL_INIT_JOYSTICK);
    const bool realPads = SDL_NumJoysticks() > 0;
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
    if (realPads) {
        error_ = "real controllers are attached to this machine";
        return;
    }
    pad_ = std::make_unique<VirtualJoystick>(12);
    if (!pad_->ok()) {
        error_ = std::string("no virtual joystick: ") + SDL_GetError();
        return;
    }
    settings_ = std::make_unique<IniSettingsStore>(dir_.filePath("Padrix.ini").toStdString());
    settings_->SaveSetting("Custom", "Select", select ? "True" : "False");
    settings_->SaveSetting("Custom", "VGSStartUp", "False");
    PlatformOpening opening = OpenDesktopPlatform("");
    if (auto* error = std::get_if<PlatformError>(&opening)) {
        error_ = error->message;
        return;
    }
    platform_.emplace(std::move(std::get<DesktopPlatform>(opening)));
    controllers_ = std::make_unique<SdlControllerAccess>(clock_);
    instance_ = std::make_unique<SingleInstance>(dir_.path());
    client_ = std::make_unique<KeyRecorder>(TestDisplay().dpy());
    form_ = std::make_unique<formPadrix>(
        FormPadrixPorts{*instance_, *controllers_, *settings_, *platform_->output, *platform_->keys,
                        *platform_->screenshots, *platform_->windows, launcher_, clock_, random_},
        FormPadrixPaths{dir_.path().toStdString(), {}, {}});
    if (form_->Form_Load() != formPadrix::LoadResult::kRunning) {
        error_ = "start-up failed";
        return;
    }
    FallbackWindow* window = form_->presence().fallback();
    // Without a window manager a newly shown window may take the focus.
    if (window != nullptr && !QTest::qWaitForWindowExposed(window)) {
        error_ = "the stand-in window did not appear";
        return;
    }
    client_->Focus();
    if (!client_->HasFocus()) {
        error_ = "the client window did not get the focus";
    }
}

PadrixOnX::~PadrixOnX() {
    form_.reset();
    client_.reset();
}

bool PadrixOnX::WaitForKey(unsigned long keysym, bool press, int timeoutMs) {
    const auto seen = [&] {
        for (const KeyRecorder::Key& k : client_->Drain()) {
            received_.push_back(k);
        }
        const auto it = std::find_if(received_.begin(), received_.end(), [&](const auto& k) {
            return k.keysym == keysym && k.press == press;
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
