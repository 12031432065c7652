#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <memory>
#include <vector>

#include "AppRig.h"
#include "VirtualPad.h"
#include "dialogs/ConfigDialog.h"
#include "dialogs/GameControllersWindow.h"
#include "input/SdlControllers.h"

namespace padrix::testing {

// The configuration dialog over a started tray (recording fakes, a
// real settings file), reading its own joypads from SDL virtual joysticks
// that match the tray's joypads by name.
class JoyConfigRig : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sdl.Start());
        if (SDL_NumJoysticks() > 0) {
            GTEST_SKIP() << "real controllers are attached to this machine";
        }
        app.settings->SaveSetting("Custom", "VGSStartUp", "False");
        app.settings->SaveSetting("Custom", "Last", "3");  // the Custom layout's defaults
    }
    void TearDown() override { delete dialog.data(); }

    // A joypad for both the tray and the dialog.
    VirtualPad& Plug(PadSetup setup) {
        app.controllers.Add(setup.name, setup.buttons);
        pads.push_back(std::make_unique<VirtualPad>(std::move(setup)));
        return *pads.back();
    }

    TrayApplication& Start() { return app.Start(); }

    // Closes the dialog, unplugs every pad and drops the tray, for the
    // next round of a test.
    void Reset() {
        if (dialog) {
            dialog->close();
        }
        Flush();
        pads.clear();
        app.controllers.pads.clear();
        app.form.reset();
    }

    ConfigDialog& Open() {
        if (!app.form) {
            Start();
        }
        dialog = new ConfigDialog(ConfigDialogPorts{
            app.form->session(),
            [this]() -> std::unique_ptr<ControllerAccess> {
                if (!inputStarts) {
                    auto failing = std::make_unique<fakes::FakeControllers>();
                    failing->startOk = false;
                    failing->startError = "no joystick driver";
                    return failing;
                }
                return std::make_unique<SdlControllerAccess>(app.clock);
            },
            [this](QWidget* parent) {
                return new GameControllersWindow(
                    std::make_unique<SdlControllerAccess>(app.clock), app.form->session(),
                    [this] { return app.form->session().LanguagePath(); }, parent);
            },
            nullptr});
        dialog->load();
        return *dialog;
    }

    // Processes the dialog's deferred deletion.
    void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    std::string Stored(const std::string& section, const std::string& key) {
        return app.settings->GetSetting(section, key, "<none>");
    }

    AppRig app;
    SdlControllerAccess sdl{app.clock};
    std::vector<std::unique_ptr<VirtualPad>> pads;
    QDir languages{QString::fromStdString(app.languageFolder)};
    bool inputStarts = true;
    QPointer<ConfigDialog> dialog;
};

}  // namespace padrix::testing
