#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include <functional>

#include "dialogs/AutoConfigPrompt.h"
#include "dialogs/InputStartError.h"
#include "dialogs/PadCanvas.h"
#include "dialogs/PadWatcher.h"
#include "dialogs/ProfileBox.h"
#include "engine/Controllers.h"
#include "platform/KeyboardLayout.h"
#include "session/MapEdit.h"
#include "settings/LanguageList.h"

class QEventLoop;

namespace padrix {

class Session;

struct ConfigDialogPorts {
    Session& session;
    // The dialog's own controller access; the dialog starts it.
    std::function<std::unique_ptr<ControllerAccess>()> makeControllers;
    // Makes the Game Controllers window as a window of its own owned by parent.
    std::function<QWidget*(QWidget* parent)> makeGameControllers;
    // The keyboard layout that key captures go by; without one, keys are
    // where a US keyboard has them.
    KeyboardLayout* keyboardLayout = nullptr;
};

// The configuration dialog "SideWinder Config": one joypad's key map on a
// drawing of the pad, named profiles, the language, the joypad's Enabled
// flag and the Game Controllers window. Modeless. The map being edited is the
// session's working copy; it is committed when the joypad changes and on
// Save, and the session resumes with the Custom profile when the dialog closes.
//
// The dialog deletes itself once it has closed and no key capture is waiting
// on its stack; hold it in a QPointer.
class ConfigDialog final : public QDialog {
    Q_OBJECT
  public:
    explicit ConfigDialog(ConfigDialogPorts ports, QWidget* parent = nullptr);
    ~ConfigDialog() override;

    void load();
    void onJoypadChosen();
    void onProfileChosen();
    void onJoypadEnabledToggled();
    void onGravisToggled();
    void onLanguageChosen();
    void onSaveClicked();
    void onGameControllersClicked();
    // Runs one key capture for pad button index and returns when it has ended.
    void onPadButtonClicked(int index);
    // Asks for the key of every pad button in turn.
    void onAutoConfigClicked();
    // Reads the dialog's joypad and starts the capture of a newly pressed button.
    void onPadWatchTick();
    // Every key-down that reaches the dialog, before its control sees it.
    void onKeyDown(int keyCode);
    // Ends a waiting key capture without assigning.
    void cancelCapture();
    void FillLanguageList();
    void ApplyLanguage();

    // The key code pad button index holds, as decimal text (empty: none).
    std::string Tag(int index) const { return edit_.Tag(index); }
    void AssignKey(int index, int code) { edit_.Assign(index, code); }

    QPushButton& padButton(int index) { return canvas_->padButton(index); }
    QLabel& keyLabel(int index) { return canvas_->keyLabel(index); }
    QPushButton& gravisToggle() { return canvas_->gravisToggle(); }
    QPushButton& autoConfigButton() { return canvas_->autoConfigButton(); }
    PadCanvas& canvas() { return *canvas_; }
    QLabel& instructionLabel() { return *instructionLabel_; }
    QPushButton& saveButton() { return *saveButton_; }
    QComboBox& profileBox() { return *profileBox_; }
    QPushButton& gameControllersButton() { return *gameControllersButton_; }
    QComboBox& languageList() { return *languageList_; }
    QComboBox& joypadList() { return *joypadList_; }
    QCheckBox& joypadEnabledBox() { return *joypadEnabledBox_; }
    QWidget* gameControllersWindow() const { return gameControllers_; }
    AutoConfigPrompt* autoConfigPrompt() const { return autoConfig_; }
    QTimer& padWatchTimer() { return padWatchTimer_; }

    int currentJoypad() const { return edit_.Joypad(); }
    // A key capture waits for its key; it was cancelled; the key it got
    // (0 none yet, -1 after the dialog closed).
    bool captureBusy() const { return captureBusy_; }
    bool captureCancelled() const { return captureCancelled_; }
    int lastKeyCode() const { return lastKeyCode_; }
    const QString& inputErrorMessage() const { return inputErrorMessage_; }
    const QString& pressKeyMessage() const { return pressKeyMessage_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    // Counts the handlers on the stack that wait in an event loop; the
    // dialog is deleted only once the last has returned.
    class HandlerScope;
    void BuildLayout();
    void RunCapture(int index);
    // What the capture's prompt calls pad button index: a direction in the
    // interface language, else its name on the drawing.
    QString CaptureName(int index) const;
    void AutoConfigKeyDown(const QKeyEvent& event);
    // The keyboard layout that captures and key names go by.
    const keycodes::KeyLayout& CurrentKeyLayout() const;
    QWidget* MakeSelectors();
    void unload();
    void ShowTagNames();
    void ShowTagName(int index);
    void SetLanguageText(int id, const QString& text);
    void SetControlsEnabled(bool enabled);
    void SetPadButtonsEnabled(bool enabled);
    void StartInputSystem();
    void ListJoypads();
    void OpenDialogJoypad(int joy);
    std::vector<std::string> ListedProfiles() const;
    QString SectionOfProfileBox() const;

    ConfigDialogPorts ports_;
    Session& session_;
    MapEdit edit_;
    int maxButton_ = -1;
    // At rest until the first reading: a zero-filled state would read as Left.
    JoyState padState_ = JoyState::AtRest();
    bool captureCancelled_ = false;
    int lastKeyCode_ = 0;
    bool captureBusy_ = false;
    QString inputErrorMessage_ = kDefaultDirectInputError;
    QString pressKeyMessage_ =
        QStringLiteral("Press the key on the KEYBOARD to be assigned to the joypad button");
    // The directions' names, shared with the auto configuration prompt.
    WindowTexts promptTexts_{kAutoConfigTexts, AutoConfigPrompt::EnglishTexts()};
    std::vector<LanguageFileEntry> languages_;
    std::unique_ptr<ControllerAccess> controllers_;
    std::unique_ptr<Joypad> pad_;
    QEventLoop* captureWait_ = nullptr;
    int handlerDepth_ = 0;
    bool unloaded_ = false;
    PadWatcher watcher_{false};
    QTimer padWatchTimer_;
    QPointer<AutoConfigPrompt> autoConfig_;

    PadCanvas* canvas_;
    QLabel* instructionLabel_;
    QPushButton* saveButton_;
    QFrame* separator_;
    ProfileBox* profileBox_;
    QPushButton* gameControllersButton_;
    QComboBox* languageList_;
    QWidget* joypadRow_;
    QComboBox* joypadList_;
    QCheckBox* joypadEnabledBox_;
    QPointer<QWidget> gameControllers_;
};

}  // namespace padrix
