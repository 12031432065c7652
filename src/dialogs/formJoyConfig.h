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

#include "dialogs/InputStartError.h"
#include "dialogs/JoyConfigHost.h"
#include "dialogs/PadCanvas.h"
#include "dialogs/PadWatcher.h"
#include "dialogs/ProfileBox.h"
#include "dialogs/formAutoConfig.h"
#include "settings/LanguageList.h"

class QEventLoop;

namespace padrix {

// The configuration dialog "SideWinder Config": one joypad's key map on a
// drawing of the pad, named profiles, the language, the joypad's Enabled
// flag and the Game Controllers window. Modeless. The map being edited lives
// in the pad buttons' tags and reaches the main form when the joypad changes,
// on Save, and (through the Custom profile) when the dialog closes.
//
// The dialog deletes itself once it has closed and no key capture is waiting
// on its stack; hold it in a QPointer.
class formJoyConfig final : public QDialog {
    Q_OBJECT
  public:
    explicit formJoyConfig(JoyConfigPorts ports, QWidget* parent = nullptr);
    ~formJoyConfig() override;

    void Form_Load();
    void cmbJoyPad_Click();
    void cmbName_Click();
    void chkJoyEnabled_Click();
    void chkGravis_Click();
    void cmbLanguage_Click();
    void btnSave_Click();
    void btnConfig_Click();
    // Runs one key capture for pad button index and returns when it has ended.
    void btnJoy_Click(int index);
    // Asks for the key of every pad button in turn.
    void btnAutoConfig_Click();
    // Reads the dialog's joypad and starts the capture of a newly pressed button.
    void Timer1_Timer();
    // Every key-down that reaches the dialog, before its control sees it.
    void Form_KeyDown(int keyCode);
    // Ends a waiting key capture without assigning.
    void CancelCapture();
    void FillLanguageList();
    void ApplyLanguage();

    // The key code pad button index holds, as decimal text (empty: none).
    const std::string& Tag(int index) const;
    void SetTag(int index, const std::string& tag);

    QPushButton& btnJoy(int index) { return canvas_->btnJoy(index); }
    QLabel& lblStatus(int index) { return canvas_->lblStatus(index); }
    QPushButton& chkGravis() { return canvas_->chkGravis(); }
    QPushButton& btnAutoConfig() { return canvas_->btnAutoConfig(); }
    PadCanvas& canvas() { return *canvas_; }
    QLabel& Label1() { return *label1_; }
    QPushButton& btnSave() { return *btnSave_; }
    QComboBox& cmbName() { return *cmbName_; }
    QPushButton& btnConfig() { return *btnConfig_; }
    QComboBox& cmbLanguage() { return *cmbLanguage_; }
    QComboBox& cmbJoyPad() { return *cmbJoyPad_; }
    QCheckBox& chkJoyEnabled() { return *chkJoyEnabled_; }
    QWidget* GameControllers() const { return gameControllers_; }
    formAutoConfig* AutoConfigPrompt() const { return autoConfig_; }
    QTimer& padWatchTimer() { return timer1_; }

    int CurrentJoypad = 0;
    int DialogMaxButton = -1;
    bool DialogLogitechPatch = false;
    // At rest until the first reading: a zero-filled state would read as Left.
    JoyState DialogJoyState = JoyState::AtRest();
    bool CaptureCancelled = false;
    int LastKeyCode = 0;
    bool CaptureBusy = false;
    QString MsgDirectInputError = kDefaultDirectInputError;
    QString MsgPressKey =
        QStringLiteral("Press the key on the KEYBOARD to be assigned to the joypad button");
    QString MsgNoJoystick = QStringLiteral("Couldn't detect the joystick");

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
    void AutoConfigKeyDown(const QKeyEvent& event);
    // The keyboard layout that captures and key names go by.
    const keycodes::KeyLayout& CurrentKeyLayout() const;
    QWidget* MakeSelectors();
    void Form_Unload();
    void ShowTagNames();
    void ShowTagName(int index);
    void SetLanguageText(int id, const QString& text);
    void SetControlsEnabled(bool enabled);
    void SetPadButtonsEnabled(bool enabled);
    void StartInputSystem();
    void ListJoypads();
    void OpenDialogJoypad();
    std::vector<std::string> ListedProfiles() const;
    QString SectionOfProfileBox() const;

    JoyConfigPorts ports_;
    SlotTags tags_{};
    std::vector<LanguageFileEntry> languages_;
    std::unique_ptr<ControllerAccess> controllers_;
    std::unique_ptr<Joypad> DialogDevice;
    QEventLoop* captureWait_ = nullptr;
    int handlerDepth_ = 0;
    bool unloaded_ = false;
    PadWatcher watcher_{false};
    QTimer timer1_;
    QPointer<formAutoConfig> autoConfig_;

    PadCanvas* canvas_;
    QLabel* label1_;
    QPushButton* btnSave_;
    QFrame* frame1_;
    ProfileBox* cmbName_;
    QPushButton* btnConfig_;
    QComboBox* cmbLanguage_;
    QWidget* joypadRow_;
    QComboBox* cmbJoyPad_;
    QCheckBox* chkJoyEnabled_;
    QPointer<QWidget> gameControllers_;
};

}  // namespace padrix
