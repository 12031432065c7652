#include "formPadrix.h"

#include <QIcon>
#include <algorithm>

#include "AppTexts.h"
#include "ProcessPriority.h"
#include "dialogs/InputStartError.h"
#include "dialogs/formForceFeedback.h"
#include "engine/VirtualKeys.h"
#include "settings/LanguageForms.h"
#include "settings/StoredOptions.h"

namespace padrix {

namespace {

QIcon ProgramIcon() {
    return QIcon::fromTheme(QStringLiteral("padrix"), QIcon(QStringLiteral(":/padrix.svg")));
}

}  // namespace

formPadrix::formPadrix(FormPadrixPorts ports, FormPadrixPaths paths)
    : ports_(ports),
      paths_(std::move(paths)),
      engine_({ports.output, ports.keys, ports.clock, ports.random, ports.screenshots, timer_},
              paths_.programFolder),
      wake_(engine_.tables, ports.keys, timer_),
      presence_(ProgramIcon()),
      caption_(kDefaultCaption) {
    timer_.SetCycle(
        [this] {
            engine_.PollCycle();
            wake_.AfterCycle();
        },
        [this] { return wake_.CanSleep() && engine_.IsAtRest(); });
    connect(&menu_, &TrayMenu::chosen, this, &formPadrix::OnMenuChosen);
    connect(&presence_, &TrayPresence::message, this, &formPadrix::Form_MouseMove);
    connect(&presence_, &TrayPresence::exitRequested, this, &formPadrix::mnuExit_Click);
    RefreshMenu();
}

formPadrix::~formPadrix() {
    Form_Unload();
    delete forceFeedback_.data();
}

formPadrix::LoadResult formPadrix::Form_Load() {
    if (loaded_ || !ports_.instance.Acquire()) {
        return LoadResult::kAlreadyRunning;
    }
    loaded_ = true;
    RaiseProcessPriority();
    msgDirectInputError_ = kDefaultDirectInputError;
    msgNoJoystick_ = kDefaultNoJoystick;
    menu_.SetCaption(MenuEntry::About, QStringLiteral("About ") + caption_ + QStringLiteral("..."));
    InitLanguage();
    if (!ports_.controllers.Start()) {
        ShowInputStartError(msgDirectInputError_, ports_.controllers.StartError());
        unloaded_ = true;
        return LoadResult::kInputSystemFailed;
    }
    OpenJoypads();
    StartWaking();
    timer_.SetEnabled(false);
    presence_.Show(caption_, IconTip(caption_));
    ReadOptions();
    PadTables& tables = engine_.tables;
    for (int i = 0; i < tables.joypadCount; ++i) {
        tables.keyMap[static_cast<std::size_t>(i)].EscapeKey = vk::Escape;
    }
    timer_.SetEnabled(tray_.Enabled);
    for (int n = 1; n <= tables.joypadCount; ++n) {
        engine_.CreateRumble(n);
    }
    if (!noLaunch_ && !ports_.keys.IsKeyDown(vk::Shift) && tray_.StartWithVgs) {
        StartEmulator(true);
    }
    return LoadResult::kRunning;
}

void formPadrix::OpenJoypads() {
    PadTables& tables = engine_.tables;
    tables.joypadCount = std::clamp(ports_.controllers.CountJoypads(), 0, kMaxJoypads);
    for (int n = 1; n <= tables.joypadCount; ++n) {
        const auto i = static_cast<std::size_t>(n - 1);
        tables.joypadDevices[i] = ports_.controllers.OpenJoypad(n, true);
        if (tables.joypadDevices[i]) {
            // A device may report any count; the tables know 128 buttons at most.
            tables.joypadMaxButton[i] =
                std::clamp(tables.joypadDevices[i]->ButtonCount(), 0, kJoyStateButtons) - 1;
        }
    }
}

void formPadrix::ReadOptions() {
    StoredOptions stored;
    stored.Joypads = engine_.tables.joypadsEnabled;
    const std::string name =
        engine_.tables.joypadCount > 0 ? ports_.controllers.GetJoypadName(1) : std::string();
    ReadStoredOptions(ports_.settings, name, stored);

    Options& options = engine_.options;
    options.UseMAsSelect = stored.Select;
    options.AllowAutoFire = stored.AutoFire;
    options.LogitechPatch = stored.Logitech;
    tray_.StartWithVgs = stored.VGSStartUp;
    options.RumbleType = stored.RumbleType;
    tray_.AutodetectProfile = stored.Autodetect;
    options.DosMode = stored.DOS;
    options.MaxPollRate = stored.MaxPollRate;
    engine_.tables.joypadsEnabled = stored.Joypads;
    ApplyLayout(LayoutFromLast(stored.Last));
}

void formPadrix::Form_Unload() {
    if (!loaded_ || unloaded_) {
        return;
    }
    unloaded_ = true;
    timer_.SetEnabled(false);
    presence_.Remove();
    if (forceFeedback_) {
        forceFeedback_->close();
    }
    engine_.ReleaseAll();
    StopWaking();
    for (int n = 1; n <= engine_.tables.joypadCount; ++n) {
        engine_.ReleaseJoypad(n);
    }
    emit unloaded();
}

void formPadrix::InitLanguage() {
    ApplyLanguageFile(ports_.language.Path(), kMainFormTexts,
                      [this](int id, const std::string& text) {
                          SetLanguageText(id, QString::fromStdString(text));
                      });
    if (loaded_ && !unloaded_) {
        presence_.SetTexts(caption_, IconTip(caption_));
    }
}

void formPadrix::SetLanguageText(int id, const QString& text) {
    constexpr int kLastMenuId = kMenuEntryCount;
    if (id == 0) {
        caption_ = text;
    } else if (id <= kLastMenuId) {
        menu_.SetCaption(static_cast<MenuEntry>(id - 1), text);
    } else if (id == kLastMenuId + 1) {
        msgDirectInputError_ = text;
    } else if (id == kLastMenuId + 2) {
        msgNoJoystick_ = text;
    }
}

void formPadrix::SetJoyConfigHandler(std::function<void()> show) {
    showJoyConfig_ = std::move(show);
    RefreshMenu();
}

}  // namespace padrix
