#pragma once

#include <QLabel>
#include <QPushButton>
#include <QWidget>

namespace padrix {

// Stands in for the notification-area icon where the desktop has none: a
// small window with the program's caption, its icon and a button for the
// menu. A double click on the window does what a double click on the icon does.
class FallbackWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit FallbackWindow(const QIcon& icon);

    void SetCaption(const QString& caption);
    // Where the menu opens when the button asks for it.
    QPoint MenuPosition() const;
    QPushButton& menuButton() { return menuButton_; }

  signals:
    void menuRequested();
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    QLabel image_;
    QLabel caption_;
    QPushButton menuButton_;
};

}  // namespace padrix
