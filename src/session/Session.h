#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "DeadZones.h"
#include "MapEdit.h"
#include "MenuEntry.h"
#include "MenuOptions.h"
#include "engine/MappingEngine.h"
#include "settings/LanguageList.h"

namespace padrix {

class InterfaceLanguage;
class SettingsStore;
enum class PollingMode;

// What changed, for the views that show it.
enum class SessionChange { Options, Layout, Mapping, Joypads, Language, EditingFinished };

// What the session works with besides the engine's own ports.
struct SessionPorts {
    ControllerAccess& controllers;
    SettingsStore& settings;
    InterfaceLanguage& language;
};

// What a running Padrix is: the engine with its maps and options, the menu's
// options, the layout in force, the enabled joypads, the dead zones, the
// language and whether mapping runs. Every change goes through an operation
// here, and each operation stores what it changes where the program keeps it.
class Session final : public DeadZones {
  public:
    using Observer = std::function<void(SessionChange)>;
    // The profile of the Custom layout, first in the dialog's list.
    static constexpr std::string_view kCustomProfileName = "Custom";

    Session(EnginePorts enginePorts, std::string programFolder, SessionPorts ports);

    // The polling cycle and the output; its state changes only through here.
    MappingEngine& engine() { return engine_; }
    const Options& options() const { return engine_.options(); }
    const MenuOptions& menu() const { return menu_; }

    // Start-up: opens the controllers (at most eight) with their dead zones,
    // then reads the stored options and the layout "Last".
    void OpenJoypads();
    void ReadStoredOptions();
    void CreateRumbles();
    // How the polling cycle is woken, as stored.
    PollingMode StoredPollingMode() const;
    // Shutdown: lets go of every key and button held, then of the joypads;
    // a closed session no longer resumes mapping.
    void ReleaseAll() { engine_.ReleaseAll(); }
    void Close();

    // Mapping on or paused; pausing lets go of every held key, as nothing
    // else would while the cycle stands still.
    bool MappingRuns() const { return running_; }
    void ToggleMapping();

    // Flips the on/off option the entry stands for and stores it; entries
    // that are no option change nothing.
    void ToggleOption(MenuEntry entry);
    void SetRumbleType(int mode);

    // A layout's maps for every joypad, after letting go of everything held
    // when they differ from the maps in force; the layout is remembered ("Last").
    void ChooseLayout(Layout layout);
    // Maps of a named profile for the window of that title, with the MS-DOS option.
    void UseDetectedProfile(const std::string& title);
    // The maps of the listed profile `name` (any letter case) for every
    // joypad, after letting go of everything held; false when none is listed.
    bool UseProfile(std::string_view name);
    // The named profile in force, empty while a layout's maps are.
    const std::string& ProfileInForce() const { return profileInForce_; }
    // How many times maps were chosen (a layout, a profile) since the start,
    // so that one chooser can tell whether another chose after it.
    unsigned long MapChoices() const { return mapChoices_; }
    std::vector<std::string> AutodetectProfiles() const;

    int JoypadCount() const { return engine_.tables().joypadCount; }
    // The controller's name of joypad joy; empty when there is none.
    std::string JoypadName(int joy) const;
    const std::string& JoypadsEnabled() const { return engine_.tables().joypadsEnabled; }
    std::optional<bool> JoypadEnabled(int joy) const;
    void SetJoypadEnabled(int joy, bool enabled);
    int DeadZone(int joy) const override;
    void SetDeadZone(int joy, int percent) override;

    // Editing one joypad's map: mapping stops until FinishEditing, which
    // resumes it with the Custom layout and so drops what was not committed
    // (nothing once the session is closed).
    // The copy turns to joypad joy and takes its slots 0 to 13; the others
    // stay as they were.
    void BeginEdit(int joy, MapEdit& edit);
    // Slots 0 to 13 into the joypad's map, all 24 into its Custom section.
    void Commit(const MapEdit& edit);
    void FinishEditing();
    bool Editing() const { return editing_; }

    std::vector<std::string> ProfileNames() const;
    // The slots stored under `section` into the working copy; absent keys leave theirs.
    void ReadProfile(const std::string& section, MapEdit& edit) const;
    // Today's naming rules (see SaveNamedProfile); the name saved under, or none.
    std::optional<std::string> SaveProfile(const std::vector<std::string>& listed,
                                           const std::string& typedName, const MapEdit& edit);
    std::optional<bool> Gravis(const std::string& section) const;
    void SaveGravis(const std::string& section, bool gravis);

    std::vector<LanguageFileEntry> LanguageFiles() const;
    std::string LanguagePath() const;
    // True when the choice is new: it is stored and the views apply it.
    bool ChooseLanguage(const std::string& path);

    // Observers are called after each change; the id unsubscribes.
    int Subscribe(Observer observer);
    void Unsubscribe(int id);

  private:
    void ApplySwapLR();
    void SaveLast(Layout layout);
    void SetRunning(bool running);
    void Notify(SessionChange change);

    SessionPorts ports_;
    MappingEngine engine_;
    MenuOptions menu_;
    std::string profileInForce_;
    unsigned long mapChoices_ = 0;
    bool editing_ = false;
    bool running_ = false;
    bool closed_ = false;
    std::vector<std::pair<int, Observer>> observers_;
    int nextObserver_ = 0;
};

}  // namespace padrix
