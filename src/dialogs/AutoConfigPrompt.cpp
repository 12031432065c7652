#include "dialogs/AutoConfigPrompt.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

#include "dialogs/AutoConfigSteps.h"

namespace padrix {
namespace {

// The prompt's language ids; the four directions follow kUp in the order asked.
enum TextId : int {
    kTitle = kAutoConfigTexts.firstId,
    kInstruction,
    kButtonName,
    kUp,
    kButtonNumber = kUp + kAutoConfigDirections,
};

}  // namespace

std::vector<QString> AutoConfigPrompt::EnglishTexts() {
    return {
        QStringLiteral("Auto Config"),
        QStringLiteral("Press the key on the keyboard that you want to assign to it."),
        QStringLiteral("Pad button"),
        QStringLiteral("Up"),
        QStringLiteral("Down"),
        QStringLiteral("Left"),
        QStringLiteral("Right"),
        QStringLiteral("Button %1"),
    };
}

AutoConfigPrompt::AutoConfigPrompt(QWidget* owner, std::function<void(const QKeyEvent&)> keyDown,
                                   std::function<void()> cancel)
    : QDialog(owner),
      keyDown_(std::move(keyDown)),
      cancel_(std::move(cancel)),
      texts_(kAutoConfigTexts, EnglishTexts()) {
    setObjectName(QStringLiteral("AutoConfigPrompt"));
    setModal(false);
    buttonLabel_ = new QLabel(this);
    buttonLabel_->setObjectName(QStringLiteral("buttonLabel"));
    buttonLabel_->setAlignment(Qt::AlignCenter);
    QFont bold = buttonLabel_->font();
    bold.setBold(true);
    bold.setPointSize(12);
    buttonLabel_->setFont(bold);
    instructionLabel_ = new QLabel(this);
    instructionLabel_->setObjectName(QStringLiteral("instructionLabel"));
    instructionLabel_->setWordWrap(true);
    keysPicture_ = new QSvgWidget(QStringLiteral(":/pads/keys.svg"), this);
    keysPicture_->setObjectName(QStringLiteral("keysPicture"));
    keysPicture_->setFixedSize(48, 32);

    auto* text = new QVBoxLayout;
    text->addWidget(buttonLabel_);
    text->addWidget(instructionLabel_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(keysPicture_, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    setFixedWidth(300);
    ApplyLanguage({});
}

void AutoConfigPrompt::ApplyLanguage(const std::string& path) {
    texts_.Load(path);
    setWindowTitle(texts_.Text(kTitle));
    instructionLabel_->setText(texts_.Text(kInstruction));
    buttonLabel_->setAccessibleName(texts_.Text(kButtonName));
}

QString AutoConfigStepName(const WindowTexts& texts, int step) {
    return step < kAutoConfigDirections
               ? texts.Text(kUp + step)
               : texts.Numbered(kButtonNumber, step - kAutoConfigDirections + 1);
}

void AutoConfigPrompt::ShowStep(int step) {
    buttonLabel_->setText(AutoConfigStepName(texts_, step));
}

void AutoConfigPrompt::PlaceOnOwner() {
    const QWidget* owner = parentWidget();
    if (owner == nullptr) {
        return;
    }
    adjustSize();
    const QRect area = owner->frameGeometry();
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2, area.bottom() - size.height() / 2);
}

void AutoConfigPrompt::CloseByProgram() {
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

void AutoConfigPrompt::keyPressEvent(QKeyEvent* event) {
    keyDown_(*event);
    if (event->key() == Qt::Key_Escape) {
        cancel_();  // and the prompt stays until the run closes it
        return;
    }
    QDialog::keyPressEvent(event);
}

void AutoConfigPrompt::closeEvent(QCloseEvent* event) {
    if (!closingByProgram_) {
        cancel_();
    }
    QDialog::closeEvent(event);
}

}  // namespace padrix
