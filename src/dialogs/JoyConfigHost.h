#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/DeadZones.h"
#include "engine/Controllers.h"
#include "platform/KeyboardLayout.h"
#include "settings/InterfaceLanguage.h"
#include "settings/Profiles.h"
#include "settings/SettingsStore.h"

class QWidget;

namespace padrix {

// What the configuration dialog uses of the main form, the dead zones among it.
class JoyConfigHost : public DeadZones {
  public:
    virtual ~JoyConfigHost() = default;

    virtual bool LogitechPatch() const = 0;
    virtual int JoypadCount() const = 0;
    // The controller's name of joypad joy; empty when there is none.
    virtual std::string GetJoypadName(int joy) = 0;
    // One character per joypad, "1" enabled and "0" not.
    virtual std::string JoypadsEnabled() const = 0;
    virtual void SetJoypadsEnabled(const std::string& text) = 0;
    // Slots 0 to 13 of joypad joy's map into tags; stops the mapping until
    // JoyConfigClosed.
    virtual void GetConfigValues(int joy, SlotTags& tags) = 0;
    // Slots 0 to 13 of tags into joypad joy's map, and all 24 into its
    // Custom section.
    virtual void SetConfigValues(int joy, const SlotTags& tags) = 0;
    // Applies the chosen language to the main form and its menu.
    virtual void InitLanguage() = 0;
    // The dialog has closed: mapping on again, with the Custom layout.
    virtual void JoyConfigClosed() = 0;
};

struct JoyConfigPorts {
    JoyConfigHost& host;
    SettingsStore& settings;
    // The dialog's own controller access; the dialog starts it.
    std::function<std::unique_ptr<ControllerAccess>()> makeControllers;
    // The interface language, shared with the main form.
    InterfaceLanguage& language;
    // Makes the Game Controllers window as a window of its own owned by
    // parent, over the same host.
    std::function<QWidget*(QWidget* parent)> makeGameControllers;
    // The keyboard layout that key captures go by; without one, keys are
    // where a US keyboard has them.
    KeyboardLayout* keyboardLayout = nullptr;
};

}  // namespace padrix
