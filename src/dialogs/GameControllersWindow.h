#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>
#include <vector>

#include <functional>
#include <string>

#include "dialogs/WindowTexts.h"
#include "engine/Controllers.h"
#include "session/DeadZones.h"

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace padrix {

// "Game Controllers": every attached joypad with its Padrix number, name and
// counts, and live what Padrix reads from it (x, y, the pressed buttons
// numbered from 1, the hats), with its dead zone and a rumble test. Modeless;
// it opens the pads through its own controller access, for reading only, and
// reads them only while it is shown. Its texts come from the language file
// that languagePath names when it is shown and when its language changes.
class GameControllersWindow final : public QDialog {
    Q_OBJECT
  public:
    static constexpr int kReadEveryMs = 20;
    static constexpr int kTestRumbleMs = 1000;

    GameControllersWindow(std::unique_ptr<ControllerAccess> access, DeadZones& deadZones,
                          std::function<std::string()> languagePath = {},
                          QWidget* parent = nullptr);
    ~GameControllersWindow() override;

    // Reads every listed joypad once and shows it; lists them afresh when
    // their number has changed.
    void Refresh();

    int ListedJoypads() const { return static_cast<int>(panels_.size()); }
    // The live line of joypad n (1-based), for example
    // "x=32768 y=0 buttons=1,3 hats=up".
    QString Reading(int n) const;
    void TestRumble(int n);
    // Stores and applies joypad n's dead zone, here and in the mapping.
    void SetDeadZone(int n, int percent);

    // The English texts, by language id from the first of the window's.
    static std::vector<QString> EnglishTexts();

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    struct Panel;
    void ApplyLanguage();
    QString Counts(const JoypadInfo& info) const;
    void ListJoypads();
    void ClearPanels();

    QWidget* MakeDeadZoneRow(int n, QWidget* parent);

    std::unique_ptr<ControllerAccess> access_;
    DeadZones& deadZones_;
    std::function<std::string()> languagePath_;
    WindowTexts texts_;
    bool started_ = false;
    QTimer timer_;
    QVBoxLayout* list_;
    QLabel* note_;
    QLabel* none_;
    QPushButton* closeButton_;
    std::vector<std::unique_ptr<Panel>> panels_;
};

}  // namespace padrix
