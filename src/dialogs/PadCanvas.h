#pragma once

#include <QLabel>
#include <QPoint>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "dialogs/PadButtons.h"

class QSvgWidget;

namespace padrix {

// A thin line from a pad button to its place on one of the pad drawings.
struct LeaderLine {
    QString name;   // "sideWinder", "gravis", or a single line's own name
    int index;      // the element of sideWinder or gravis; -1 for a single line
    int slot;       // the padButton element it starts at
    QPoint target;  // where it ends, in unscaled dialog pixels
    bool visible;
};

// The pad area of the configuration dialog: the two pad drawings, the pad
// buttons with their status labels and leader lines, the layout switch
// gravisToggle and autoConfigButton. Positions are logical pixels at 96 dpi,
// scaled up with the dialog's font when it is larger than the usual one. Whatever the texts, every
// button and label shows whole: a status label widens around its button for a long key name, and
// the area widens for autoConfigButton and gravisToggle when they need it.
class PadCanvas final : public QWidget {
    Q_OBJECT
  public:
    explicit PadCanvas(QWidget* parent);

    QPushButton& padButton(int index) { return *buttons_[static_cast<std::size_t>(index)]; }
    QLabel& keyLabel(int index) { return *labels_[static_cast<std::size_t>(index)]; }
    QPushButton& gravisToggle() { return *gravis_; }
    QPushButton& autoConfigButton() { return *autoConfig_; }
    QSvgWidget& sideWinderPicture() { return *sideWinderPicture_; }
    QSvgWidget& gravisPicture() { return *gravisPicture_; }

    // The line with that name and element (-1 for a single line), or nullptr.
    const LeaderLine* Line(const QString& name, int index = -1) const;
    const std::vector<LeaderLine>& Lines() const { return lines_; }

    // Shows the Gravis drawing and its lines, or the SideWinder ones, and
    // moves the Y button and its label to where that drawing wants them.
    void ShowLayout(bool gravis);
    // Shows the name of the key pad button index sends, as its hover hint and
    // in its status label.
    void ShowKeyName(int index, const QString& name);

    // Unscaled dialog pixels in this canvas's pixels.
    int Scaled(int pixels) const;
    QPoint Scaled(QPoint point) const { return {Scaled(point.x()), Scaled(point.y())}; }

    QSize sizeHint() const override { return size_; }
    QSize minimumSizeHint() const override { return size_; }

  protected:
    void changeEvent(QEvent* event) override;

  private:
    friend class LeaderLineOverlay;
    void MakeButtons();
    void Relayout();
    void PlaceButton(int index);
    void PlaceLabel(int index);
    void PlaceSideButtons();
    void PaintLines(QPainter& painter) const;
    LeaderLine* FindLine(const QString& name, int index);

    double scale_ = 1.0;
    QSize size_;
    int yButtonLeft_;
    std::array<QPushButton*, kPadButtons> buttons_{};
    std::array<QLabel*, kStatusLabels> labels_{};
    QPushButton* gravis_ = nullptr;
    QPushButton* autoConfig_ = nullptr;
    QSvgWidget* sideWinderPicture_ = nullptr;
    QSvgWidget* gravisPicture_ = nullptr;
    QWidget* overlay_ = nullptr;
    std::vector<LeaderLine> lines_;
};

}  // namespace padrix
