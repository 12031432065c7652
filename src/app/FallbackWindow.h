#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace padrix {

// Stands in for the notification-area icon where the desktop has none: a
// small window with the program's caption, its icon and a button for the
// menu. A double click on the window does what a double click on the icon does;
// closing it ends the program, as there is no other place left to do that.
class FallbackWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit FallbackWindow(const QIcon& icon);

    void SetCaption(const QString& caption);
    // A line below the caption with what the user should know.
    void ShowNotice(const QString& text);
    // Where the menu opens when the button asks for it.
    QPoint MenuPosition() const;
    QPushButton& menuButton() { return menuButton_; }

  signals:
    void menuRequested();
    void doubleClicked();
    void closeRequested();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    QLabel image_;
    QLabel caption_;
    QLabel notice_;
    QPushButton menuButton_;
};

}  // namespace padrix
