#include "dialogs/formAutoConfig.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QSvgWidget>
#include <QVBoxLayout>

namespace padrix {

formAutoConfig::formAutoConfig(QWidget* owner, std::function<void(const QKeyEvent&)> keyDown,
                               std::function<void()> cancel)
    : QDialog(owner), keyDown_(std::move(keyDown)), cancel_(std::move(cancel)) {
    setObjectName(QStringLiteral("formAutoConfig"));
    setWindowTitle(QStringLiteral("Auto Config"));
    setModal(false);
    lblButton_ = new QLabel(this);
    lblButton_->setObjectName(QStringLiteral("lblButton"));
    lblButton_->setAccessibleName(QStringLiteral("Pad button"));
    lblButton_->setAlignment(Qt::AlignCenter);
    QFont bold = lblButton_->font();
    bold.setBold(true);
    bold.setPointSize(12);
    lblButton_->setFont(bold);
    label1_ = new QLabel(
        QStringLiteral("Press the key on the keyboard that you want to assign to it."), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    image1_ = new QSvgWidget(QStringLiteral(":/pads/keys.svg"), this);
    image1_->setObjectName(QStringLiteral("Image1"));
    image1_->setFixedSize(48, 32);

    auto* text = new QVBoxLayout;
    text->addWidget(lblButton_);
    text->addWidget(label1_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(image1_, 0, Qt::AlignTop);
    layout->addLayout(text, 1);
    setFixedWidth(300);
}

void formAutoConfig::PlaceOnOwner() {
    const QWidget* owner = parentWidget();
    if (owner == nullptr) {
        return;
    }
    adjustSize();
    const QRect area = owner->frameGeometry();
    const QSize size = frameGeometry().size();
    move(area.x() + (area.width() - size.width()) / 2, area.bottom() - size.height() / 2);
}

void formAutoConfig::CloseByProgram() {
    closingByProgram_ = true;
    close();
    closingByProgram_ = false;
}

void formAutoConfig::keyPressEvent(QKeyEvent* event) {
    keyDown_(*event);
    if (event->key() == Qt::Key_Escape) {
        cancel_();  // and the prompt stays until the run closes it
        return;
    }
    QDialog::keyPressEvent(event);
}

void formAutoConfig::closeEvent(QCloseEvent* event) {
    if (!closingByProgram_) {
        cancel_();
    }
    QDialog::closeEvent(event);
}

}  // namespace padrix
