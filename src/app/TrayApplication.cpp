#include "TrayApplication.h"

#include <QIcon>
#include <algorithm>

#include "AppTexts.h"
#include "ProcessPriority.h"
#include "dialogs/InputStartError.h"
#include "engine/VirtualKeys.h"
#include "settings/LanguageForms.h"

namespace padrix {

namespace {

QIcon ProgramIcon() {
    return QIcon::fromTheme(QStringLiteral("padrix"), QIcon(QStringLiteral(":/padrix.svg")));
}

}  // namespace

TrayApplication::TrayApplication(TrayPorts ports, TrayPaths paths)
    : ports_(ports),
      paths_(std::move(paths)),
      session_({ports.output, ports.keys, ports.clock, ports.random, ports.screenshots, timer_},
               paths_.programFolder, {ports.controllers, ports.settings, ports.language}),
      wake_(session_.engine().tables(), ports.keys, timer_),
      presence_(ProgramIcon()),
      autostart_(paths_.autostartFile),
      caption_(kDefaultCaption) {
    timer_.SetCycle(
        [this] {
            session_.engine().PollCycle();
            wake_.AfterCycle();
        },
        [this] { return wake_.CanSleep() && session_.engine().IsAtRest(); });
    session_.Subscribe([this](SessionChange change) { OnSessionChanged(change); });
    connect(&menu_, &TrayMenu::chosen, this, &TrayApplication::Choose);
    // The autostart file may have gone or come since the last look.
    connect(&menu_.menu(), &QMenu::aboutToShow, this, &TrayApplication::RefreshMenu);
    connect(&presence_, &TrayPresence::message, this, &TrayApplication::OnIconMessage);
    connect(&presence_, &TrayPresence::exitRequested, this, &TrayApplication::Unload);
    RefreshMenu();
}

TrayApplication::~TrayApplication() {
    Unload();
    delete forceFeedback_.data();
}

void TrayApplication::OnSessionChanged(SessionChange change) {
    if (change == SessionChange::Mapping) {
        timer_.SetEnabled(session_.MappingRuns());
    } else if (change == SessionChange::Language) {
        InitLanguage();
    } else if (change == SessionChange::Options) {
        UpdateFollowing();
    } else if (change == SessionChange::Layout) {
        ShowIconTip();
    } else if (change == SessionChange::EditingFinished) {
        FollowFocusedWindowAgain();
    }
    RefreshMenu();
}

TrayApplication::LoadResult TrayApplication::Load() {
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
    session_.OpenJoypads();
    timer_.SetMode(session_.StoredPollingMode());
    wake_.AfterCycle();
    timer_.SetEnabled(false);
    presence_.Show(caption_, IconTip(caption_));
    RefreshFollowEntry();
    session_.ReadStoredOptions();
    session_.CreateRumbles();
    if (!noLaunch_ && !ports_.keys.IsKeyDown(vk::Shift) && session_.menu().startWithVgs) {
        StartEmulator(true);
    }
    return LoadResult::kRunning;
}

void TrayApplication::Unload() {
    if (!loaded_ || unloaded_) {
        return;
    }
    unloaded_ = true;
    StopFollowing();
    timer_.SetEnabled(false);
    presence_.Remove();
    if (forceFeedback_) {
        forceFeedback_->close();
    }
    session_.ReleaseAll();
    wake_.Clear();
    session_.Close();
    emit unloaded();
}

void TrayApplication::InitLanguage() {
    // Texts newer than a language file stay English rather than keep the
    // previous language's.
    for (const MenuEntryInfo& info : kMenuEntries) {
        if (info.textId > kFirstLaterTextId) {
            menu_.SetCaption(info.entry, QString::fromUtf8(info.caption.data(),
                                                           static_cast<int>(info.caption.size())));
        }
    }
    followWindowUnavailableTip_ = kDefaultFollowWindowUnavailable;
    msgStartWithDesktopFailed_ = kDefaultStartWithDesktopFailed;
    std::copy(std::begin(kDefaultNotices), std::end(kDefaultNotices), notices_.begin());
    presence_.SetMenuButtonText(kDefaultMenuButton);
    ApplyLanguageFile(session_.LanguagePath(), kMainFormTexts,
                      [this](int id, const std::string& text) {
                          SetLanguageText(id, QString::fromStdString(text));
                      });
    ShowIconTip();
    ShowFollowEntry();
}

void TrayApplication::SetLanguageText(int id, const QString& text) {
    constexpr int kInputErrorId = 17;
    constexpr int kNoJoystickId = 18;
    constexpr int kFollowWindowUnavailableId = 31;
    constexpr int kStartWithDesktopFailedId = 32;
    if (id == 0) {
        caption_ = text;
    } else if (id == kInputErrorId) {
        msgDirectInputError_ = text;
    } else if (id == kNoJoystickId) {
        msgNoJoystick_ = text;
    } else if (id == kFollowWindowUnavailableId) {
        followWindowUnavailableTip_ = text;
    } else if (id == kStartWithDesktopFailedId) {
        msgStartWithDesktopFailed_ = text;
    } else if (id == kMenuButtonId) {
        presence_.SetMenuButtonText(text);
    } else if (id >= kFirstNoticeId && id < kFirstNoticeId + static_cast<int>(notices_.size())) {
        notices_[static_cast<std::size_t>(id - kFirstNoticeId)] = text;
    }
    for (const MenuEntryInfo& info : kMenuEntries) {
        if (info.textId == id) {
            menu_.SetCaption(info.entry, text);
        }
    }
}

void TrayApplication::ShowNotices(const std::vector<PlatformNotice>& notices) {
    std::vector<PlatformNotice> shown;
    for (const PlatformNotice notice : notices) {
        const auto index = static_cast<std::size_t>(notice);
        if (index < notices_.size() &&
            std::find(shown.begin(), shown.end(), notice) == shown.end()) {
            shown.push_back(notice);
            presence_.Notify(notices_[index]);
        }
    }
}

void TrayApplication::SetConfigDialogHandler(std::function<void()> show) {
    showConfigDialog_ = std::move(show);
    RefreshMenu();
}

}  // namespace padrix
