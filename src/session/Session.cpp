#include "Session.h"

#include <algorithm>

#include "engine/VirtualKeys.h"
#include "settings/InputSettings.h"
#include "settings/InterfaceLanguage.h"
#include "settings/OptionKeys.h"
#include "settings/ProfileNames.h"
#include "settings/Profiles.h"
#include "settings/StoredOptions.h"
#include "settings/TypedSettings.h"

namespace padrix {

static_assert(Session::kCustomProfileName == kCustomProfile);

Session::Session(EnginePorts enginePorts, std::string programFolder, SessionPorts ports)
    : ports_(ports), engine_(enginePorts, std::move(programFolder)) {}

void Session::OpenJoypads() {
    ControllerAccess& controllers = ports_.controllers;
    engine_.SetJoypadCount(controllers.CountJoypads());
    for (int n = 1; n <= JoypadCount(); ++n) {
        std::unique_ptr<Joypad> pad = controllers.OpenJoypad(n, true);
        // A device may report any count; the tables know 128 buttons at most.
        const int maxButton = pad ? std::clamp(pad->ButtonCount(), 0, kJoyStateButtons) - 1 : 0;
        engine_.AttachJoypad(n, std::move(pad), maxButton);
    }
    for (int n = 1; n <= JoypadCount(); ++n) {
        if (Joypad* pad = engine_.JoypadDevice(n)) {
            pad->SetDeadZone(ReadDeadZone(ports_.settings, n));
        }
    }
    Notify(SessionChange::Joypads);
}

void Session::ReadStoredOptions() {
    StoredOptions stored;
    stored.Joypads = JoypadsEnabled();
    const std::string name = JoypadCount() > 0 ? ports_.controllers.GetJoypadName(1) : "";
    padrix::ReadStoredOptions(ports_.settings, name, stored);

    Options options = engine_.options();
    options.UseMAsSelect = stored.Select;
    options.AllowAutoFire = stored.AutoFire;
    options.LogitechPatch = stored.Logitech;
    menu_.startWithVgs = stored.VGSStartUp;
    options.RumbleType = stored.RumbleType;
    menu_.autodetectProfile = stored.Autodetect;
    menu_.followWindow = stored.FollowWindow;
    options.DosMode = stored.DOS;
    options.MaxPollRate = stored.MaxPollRate;
    engine_.SetOptions(options);
    engine_.SetJoypadsEnabled(stored.Joypads);
    ChooseLayout(LayoutFromLast(stored.Last));
    for (int n = 1; n <= JoypadCount(); ++n) {
        KeyMap map = engine_.Map(n);
        map.EscapeKey = vk::Escape;
        engine_.SetMap(n, map);
    }
    SetRunning(menu_.enabled);
    Notify(SessionChange::Options);
}

PollingMode Session::StoredPollingMode() const {
    return ReadPollingMode(ports_.settings);
}

void Session::CreateRumbles() {
    for (int n = 1; n <= JoypadCount(); ++n) {
        engine_.CreateRumble(n);
    }
}

void Session::Close() {
    closed_ = true;
    for (int n = 1; n <= JoypadCount(); ++n) {
        engine_.ReleaseJoypad(n);
    }
}

void Session::ToggleMapping() {
    menu_.enabled = !menu_.enabled;
    SetRunning(menu_.enabled);
    Notify(SessionChange::Options);
}

void Session::SetRunning(bool running) {
    running_ = running;
    // Paused, nothing would ever let go of a held key, and the X server
    // repeats a key held through XTest into whatever has the focus. A button
    // still held when mapping resumes presses its key again.
    if (!running) {
        engine_.ReleaseAll();
    }
    Notify(SessionChange::Mapping);
}

void Session::ToggleOption(MenuEntry entry) {
    const auto flip = [this](bool& value, std::string_view key) {
        value = !value;
        SaveBoolean(ports_.settings, kOptionSection, key, value);
    };
    Options o = engine_.options();
    switch (entry) {
        case MenuEntry::Select:
            flip(o.UseMAsSelect, kKeySelect);
            break;
        case MenuEntry::AutoFire:
            flip(o.AllowAutoFire, kKeyAutoFire);
            o.AutoFireActive = o.AllowAutoFire;
            break;
        case MenuEntry::Startup:
            flip(menu_.startWithVgs, kKeyVGSStartUp);
            break;
        case MenuEntry::Logitech:
            flip(o.LogitechPatch, kKeyLogitech);
            break;
        case MenuEntry::AutodetectProfile:
            flip(menu_.autodetectProfile, kKeyAutodetect);
            break;
        case MenuEntry::FollowWindow:
            flip(menu_.followWindow, kKeyFollowWindow);
            break;
        case MenuEntry::SwapLR:
            menu_.swapLR = !menu_.swapLR;
            ApplySwapLR();
            break;
        case MenuEntry::DOSApplication:
            flip(o.DosMode, kKeyDOS);
            break;
        case MenuEntry::PollRate:
            flip(o.MaxPollRate, kKeyMaxPollRate);
            break;
        default:
            return;
    }
    engine_.SetOptions(o);
    if (entry == MenuEntry::AutoFire) {
        engine_.output().SetScrollLockState(o.AutoFireActive);
    }
    Notify(SessionChange::Options);
}

void Session::SetRumbleType(int mode) {
    engine_.SetOption(&Options::RumbleType, mode);
    SaveInt(ports_.settings, kOptionSection, kKeyRumbleType, mode);
    Notify(SessionChange::Options);
}

void Session::ChooseLayout(Layout layout) {
    KeyMaps maps = engine_.tables().keyMap;
    switch (layout) {
        case Layout::Snes9x:
            WriteSnes9xKeys(maps, JoypadCount());
            break;
        case Layout::Vgs:
            WriteVgsKeys(maps, JoypadCount());
            padrix::ApplySwapLR(maps, JoypadCount(), menu_.swapLR);
            break;
        case Layout::Custom:
            LoadProfile(ports_.settings, kCustomProfile, maps, JoypadCount());
            break;
    }
    // As with a profile: no key outlives the map that pressed it.
    if (maps != engine_.tables().keyMap) {
        engine_.ReleaseAll();
    }
    engine_.SetMaps(maps);
    menu_.layout = layout;
    profileInForce_.clear();
    ++mapChoices_;
    SaveLast(layout);
}

void Session::ApplySwapLR() {
    KeyMaps maps = engine_.tables().keyMap;
    padrix::ApplySwapLR(maps, JoypadCount(), menu_.swapLR);
    engine_.SetMaps(maps);
}

void Session::SaveLast(Layout layout) {
    ports_.settings.SaveSetting(kOptionSection, kKeyLast, LastText(layout));
    Notify(SessionChange::Layout);
}

void Session::UseDetectedProfile(const std::string& title) {
    engine_.SetOption(&Options::DosMode, true);
    KeyMaps maps = engine_.tables().keyMap;
    LoadProfile(ports_.settings, title, maps, JoypadCount());
    engine_.SetMaps(maps);
    profileInForce_ = title;
    ++mapChoices_;
    Notify(SessionChange::Options);
    Notify(SessionChange::Layout);
}

bool Session::UseProfile(std::string_view name) {
    const std::optional<std::string> listed = FindProfileName(ports_.settings, name);
    if (!listed) {
        return false;
    }
    // No key outlives the map that pressed it; a button still held presses
    // its new key on the next run.
    engine_.ReleaseAll();
    KeyMaps maps = engine_.tables().keyMap;
    LoadProfile(ports_.settings, *listed, maps, JoypadCount());
    engine_.SetMaps(maps);
    profileInForce_ = *listed;
    ++mapChoices_;
    Notify(SessionChange::Layout);
    return true;
}

std::vector<std::string> Session::AutodetectProfiles() const {
    return AutodetectProfileNames(ports_.settings);
}

std::string Session::JoypadName(int joy) const {
    return joy >= 1 && joy <= JoypadCount() ? ports_.controllers.GetJoypadName(joy) : "";
}

std::optional<bool> Session::JoypadEnabled(int joy) const {
    const std::string& enabled = JoypadsEnabled();
    if (joy < 1 || static_cast<std::size_t>(joy) > enabled.size()) {
        return std::nullopt;
    }
    return enabled[static_cast<std::size_t>(joy - 1)] == '1';
}

void Session::SetJoypadEnabled(int joy, bool on) {
    std::string enabled = JoypadsEnabled();
    if (joy < 1 || static_cast<std::size_t>(joy) > enabled.size()) {
        return;
    }
    enabled[static_cast<std::size_t>(joy - 1)] = on ? '1' : '0';
    ports_.settings.SaveSetting(kOptionSection, kKeyJoypads, enabled);
    engine_.SetJoypadsEnabled(enabled);
    Notify(SessionChange::Joypads);
}

int Session::DeadZone(int joy) const {
    return ReadDeadZone(ports_.settings, joy);
}

void Session::SetDeadZone(int joy, int percent) {
    SaveDeadZone(ports_.settings, joy, percent);
    if (joy <= JoypadCount()) {
        if (Joypad* pad = engine_.JoypadDevice(joy)) {
            pad->SetDeadZone(ReadDeadZone(ports_.settings, joy));
        }
    }
    Notify(SessionChange::Joypads);
}

void Session::BeginEdit(int joy, MapEdit& edit) {
    // Mapping stops while the dialog edits the maps: let go of what the pads
    // hold, or a held key would repeat into the dialog all the while.
    SetRunning(false);
    editing_ = true;
    SlotTags tags = edit.Tags();
    if (joy >= 1 && joy <= kMaxJoypads) {
        for (int slot = 0; slot < kShownSlots; ++slot) {
            tags[static_cast<std::size_t>(slot)] = SlotTag(engine_.Map(joy), slot);
        }
    }
    edit = MapEdit(joy, std::move(tags));
}

void Session::Commit(const MapEdit& edit) {
    KeyMaps maps = engine_.tables().keyMap;
    TakeConfigValues(edit.Tags(), edit.Joypad(), maps);
    engine_.SetMaps(maps);
    StoreConfigValues(ports_.settings, edit.Joypad(), edit.Tags());
}

void Session::FinishEditing() {
    editing_ = false;
    if (closed_) {
        return;
    }
    menu_.enabled = true;
    SetRunning(true);
    ChooseLayout(Layout::Custom);
    Notify(SessionChange::Options);
    Notify(SessionChange::EditingFinished);
}

std::vector<std::string> Session::ProfileNames() const {
    return ListProfileNames(ports_.settings);
}

void Session::ReadProfile(const std::string& section, MapEdit& edit) const {
    SlotTags tags = edit.Tags();
    ReadProfileTags(ports_.settings, section, tags);
    edit.Replace(tags);
}

std::optional<std::string> Session::SaveProfile(const std::vector<std::string>& listed,
                                                const std::string& typedName, const MapEdit& edit) {
    return SaveNamedProfile(ports_.settings, listed, typedName, edit.Tags());
}

std::optional<bool> Session::Gravis(const std::string& section) const {
    return ReadGravis(ports_.settings, section);
}

void Session::SaveGravis(const std::string& section, bool gravis) {
    padrix::SaveGravis(ports_.settings, section, gravis);
}

std::vector<LanguageFileEntry> Session::LanguageFiles() const {
    return ports_.language.Files();
}

std::string Session::LanguagePath() const {
    return ports_.language.Path();
}

bool Session::ChooseLanguage(const std::string& path) {
    if (!ports_.language.Choose(path)) {
        return false;
    }
    Notify(SessionChange::Language);
    return true;
}

int Session::Subscribe(Observer observer) {
    observers_.emplace_back(nextObserver_, std::move(observer));
    return nextObserver_++;
}

void Session::Unsubscribe(int id) {
    std::erase_if(observers_, [id](const auto& entry) { return entry.first == id; });
}

void Session::Notify(SessionChange change) {
    // A copy: an observer may unsubscribe while it is called.
    const auto observers = observers_;
    for (const auto& [id, observer] : observers) {
        observer(change);
    }
}

}  // namespace padrix
