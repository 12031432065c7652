#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>

namespace padrix {

class Session;

// Chooses when the joypads rumble. Every choice is stored at once under
// "RumbleType" and takes effect with the next polling cycle; there is no
// cancel. Modeless: the polling goes on while it is open.
class ForceFeedbackDialog final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kModes = 4;

    // Shows and sets the session's rumble mode.
    explicit ForceFeedbackDialog(Session& session, QWidget* parent = nullptr);

    // Selects the current mode (storing it again) and applies the language.
    void load();
    void ApplyLanguage();
    void onModeClicked(int index);
    void onOkClicked() { close(); }

    QRadioButton& modeButton(int index) { return *modeButtons_[static_cast<std::size_t>(index)]; }
    QLabel& warningLabel() { return warningLabel_; }
    QPushButton& okButton() { return okButton_; }

  private:
    void SetLanguageText(int id, const QString& text);

    Session& session_;
    QLabel warningLabel_;
    std::array<QRadioButton*, kModes> modeButtons_{};
    QButtonGroup group_;
    QPushButton okButton_;
};

}  // namespace padrix
