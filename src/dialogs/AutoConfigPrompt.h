#pragma once

#include <QDialog>
#include <QLabel>
#include <functional>
#include <string>

#include "dialogs/WindowTexts.h"

class QSvgWidget;

namespace padrix {

// What the prompt calls the pad button asked at step (0-based): a direction,
// then "Button n", in the language of texts (the prompt's).
QString AutoConfigStepName(const WindowTexts& texts, int step);

// The small prompt of auto configuration: names the pad button being asked
// for and takes the key for it. A window of the configuration dialog's own
// (above it, no task-bar entry). Escape or its close box cancel the run.
class AutoConfigPrompt final : public QDialog {
    Q_OBJECT
  public:
    // keyDown gets every key pressed in the prompt; cancel runs on Escape
    // and when the user closes the prompt.
    AutoConfigPrompt(QWidget* owner, std::function<void(const QKeyEvent&)> keyDown,
                     std::function<void()> cancel);

    // Its texts from the language file at path (English for "").
    void ApplyLanguage(const std::string& path);
    // Names the pad button that auto configuration asks at step (0-based).
    void ShowStep(int step);
    // The English texts, by language id from the first of the prompt's.
    static std::vector<QString> EnglishTexts();

    QLabel& buttonLabel() { return *buttonLabel_; }
    QLabel& instructionLabel() { return *instructionLabel_; }
    QSvgWidget& keysPicture() { return *keysPicture_; }

    // Centred on the owner, with its vertical middle on the owner's bottom edge.
    void PlaceOnOwner();
    // Closes the prompt at the end of a run; this cancels nothing.
    void CloseByProgram();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    std::function<void(const QKeyEvent&)> keyDown_;
    std::function<void()> cancel_;
    bool closingByProgram_ = false;
    WindowTexts texts_;
    QLabel* buttonLabel_;
    QLabel* instructionLabel_;
    QSvgWidget* keysPicture_;
};

}  // namespace padrix
