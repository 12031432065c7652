#include "FallbackWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

namespace padrix {
namespace {

constexpr int kImageSize = 32;

}  // namespace

FallbackWindow::FallbackWindow(const QIcon& icon) {
    setObjectName(QStringLiteral("padrixFallbackWindow"));
    setWindowIcon(icon);
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);
    image_.setPixmap(icon.pixmap(kImageSize, kImageSize));
    caption_.setObjectName(QStringLiteral("padrixCaption"));
    caption_.setTextFormat(Qt::PlainText);  // the caption may come from a language file
    menuButton_.setObjectName(QStringLiteral("padrixMenuButton"));
    notice_.setObjectName(QStringLiteral("padrixNotice"));
    notice_.setTextFormat(Qt::PlainText);
    notice_.setWordWrap(true);
    notice_.hide();
    auto* texts = new QVBoxLayout;
    texts->addWidget(&caption_);
    texts->addWidget(&notice_);
    auto* layout = new QHBoxLayout(this);
    // As small as its contents, and fixed: a tiling window manager then
    // floats it like a dialog instead of spreading it over the screen.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(&image_);
    layout->addLayout(texts, 1);
    layout->addWidget(&menuButton_);
    connect(&menuButton_, &QPushButton::clicked, this, &FallbackWindow::menuRequested);
}

void FallbackWindow::SetCaption(const QString& caption) {
    setWindowTitle(caption);
    caption_.setText(caption);
}

void FallbackWindow::ShowNotice(const QString& text) {
    notice_.setText(notice_.text().isEmpty() ? text : notice_.text() + '\n' + text);
    notice_.show();
    // A wrapped notice needs more height than the window had: a top-level
    // window does not ask its labels' height for their width by itself.
    layout()->activate();
    notice_.setMinimumHeight(notice_.heightForWidth(notice_.width()));
    adjustSize();
}

QPoint FallbackWindow::MenuPosition() const {
    return menuButton_.mapToGlobal(QPoint(0, menuButton_.height()));
}

void FallbackWindow::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void FallbackWindow::closeEvent(QCloseEvent* event) {
    // The window stays until the program takes it away.
    event->ignore();
    emit closeRequested();
}

}  // namespace padrix
