#pragma once

#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <array>
#include <cstdint>

#include "settings/InterfaceLanguage.h"
#include "settings/SettingsStore.h"

namespace padrix {

// Chooses when the joypads rumble. Every choice is stored at once under
// "RumbleType" and takes effect with the next polling cycle; there is no
// cancel. Modeless: the polling goes on while it is open.
class formForceFeedback final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kModes = 4;

    // rumbleType is the main form's mode, which the dialog reads and sets.
    formForceFeedback(std::int16_t& rumbleType, SettingsStore& settings,
                      const InterfaceLanguage& language, QWidget* parent = nullptr);

    // Selects the current mode (storing it again) and applies the language.
    void Form_Load();
    void ApplyLanguage();
    void optForceFeedback_Click(int index);
    void btnOK_Click() { close(); }

    QRadioButton& optForceFeedback(int index) { return *options_[static_cast<std::size_t>(index)]; }
    QLabel& Label1() { return label1_; }
    QPushButton& btnOK() { return btnOK_; }

  private:
    void SetLanguageText(int id, const QString& text);

    std::int16_t& rumbleType_;
    SettingsStore& settings_;
    const InterfaceLanguage& language_;
    QLabel label1_;
    std::array<QRadioButton*, kModes> options_{};
    QButtonGroup group_;
    QPushButton btnOK_;
};

}  // namespace padrix
