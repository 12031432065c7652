#pragma once

#include <QComboBox>

namespace padrix {

// The profile box: an editable drop-down list of profile names whose text is
// the user's own. Only an entry chosen in the open list is a choice
// (entryChosen); typing, completion, Enter and leaving the box keep the text
// exactly as typed and choose nothing. The arrow keys open the list instead
// of stepping through the names unseen, and the wheel leaves the box alone.
class ProfileBox final : public QComboBox {
    Q_OBJECT
  public:
    explicit ProfileBox(QWidget* parent);

    void hidePopup() override;

  signals:
    // The entry at index was chosen in the list, with the mouse or the keys.
    void entryChosen(int index);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    bool listClosing_ = false;
};

}  // namespace padrix
