#include "dialogs/PadCanvas.h"

#include <QEvent>
#include <QPainter>
#include <QSvgWidget>
#include <algorithm>

namespace padrix {
namespace {

enum class LabelSide { kAbove, kBelow, kNone };

struct Spot {
    int x;
    int y;
    LabelSide side;
};

// Where each pad button stands in the SideWinder layout.
constexpr std::array<Spot, kPadButtons> kSpots{{
    {132, 20, LabelSide::kAbove},   // X
    {176, 20, LabelSide::kAbove},   // Y
    {220, 20, LabelSide::kAbove},   // Z
    {210, 212, LabelSide::kBelow},  // A
    {254, 212, LabelSide::kBelow},  // B
    {298, 212, LabelSide::kBelow},  // C
    {10, 56, LabelSide::kBelow},    // Up
    {10, 188, LabelSide::kBelow},   // Down
    {10, 100, LabelSide::kBelow},   // Left
    {10, 144, LabelSide::kBelow},   // Right
    {110, 212, LabelSide::kBelow},  // Start
    {84, 20, LabelSide::kAbove},    // L
    {268, 20, LabelSide::kAbove},   // R
    {162, 212, LabelSide::kBelow},  // M
    {60, 256, LabelSide::kNone},   {90, 256, LabelSide::kNone},  {120, 256, LabelSide::kNone},
    {150, 256, LabelSide::kNone},  {180, 256, LabelSide::kNone}, {210, 256, LabelSide::kNone},
    {240, 256, LabelSide::kNone},  {270, 256, LabelSide::kNone}, {300, 256, LabelSide::kNone},
    {330, 256, LabelSide::kNone},
}};

constexpr int kYButton = 1;
constexpr int kStartButton = 10;
// The Y button's and its label's left edges: SideWinder, then Gravis.
constexpr int kYButtonLeft[] = {176, 4};
constexpr int kYLabelLeft[] = {169, -6};

constexpr QSize kButton{28, 22};
constexpr QSize kWideButton{44, 22};
constexpr QSize kExtraButton{26, 20};
constexpr int kLabelMargin = 7;  // a label reaches this far past its button on each side
constexpr int kLabelHeight = 16;
constexpr QSize kCanvas{410, 282};
constexpr QPoint kAutoConfigSpot{334, 20};
constexpr QPoint kGravisSpot{334, 60};
constexpr QRect kSideWinderPicture{96, 44, 213, 163};
constexpr QRect kGravisPicture{112, 72, 174, 105};
// The font height the positions were made for.
constexpr double kDesignFontHeight = 17.0;

// Leader lines. In the SideWinder layout lnSW 0 to 4, 6 to 8 and 11, in the
// Gravis one lnGrav 0 to 7; the single lines stand in both.
std::vector<LeaderLine> MakeLines() {
    const QString sw = QStringLiteral("lnSW");
    const QString grav = QStringLiteral("lnGrav");
    return {
        {sw, 0, 3, {240, 124}, true},
        {sw, 1, 4, {262, 116}, true},
        {sw, 2, 5, {284, 108}, true},
        {sw, 3, 0, {232, 100}, true},
        {sw, 4, 1, {254, 92}, true},
        {sw, 6, 12, {269, 52}, true},
        {sw, 7, 11, {136, 52}, true},
        {sw, 8, 8, {126, 124}, true},
        {sw, 11, 7, {144, 142}, true},
        {grav, 0, 3, {230, 124}, false},
        {grav, 1, 4, {246, 140}, false},
        {grav, 2, 5, {262, 124}, false},
        {grav, 3, 0, {246, 108}, false},
        {grav, 4, 11, {152, 76}, false},
        {grav, 5, 8, {128, 124}, false},
        {grav, 6, 1, {134, 82}, false},
        {grav, 7, 12, {232, 77}, false},
        {QStringLiteral("Line11"), -1, 13, {196, 136}, true},
        {QStringLiteral("Line12"), -1, 10, {196, 115}, true},
        {QStringLiteral("line3"), -1, 2, {274, 84}, true},
        {QStringLiteral("line5"), -1, 9, {162, 124}, true},
        {QStringLiteral("line6"), -1, 6, {144, 106}, true},
    };
}

QSize ButtonSize(int index) {
    if (index == kStartButton) {
        return kWideButton;
    }
    return index < kFirstExtraButton ? kButton : kExtraButton;
}

QSvgWidget* MakePicture(const char* resource, const char* name, QWidget* parent) {
    auto* picture = new QSvgWidget(QString::fromLatin1(resource), parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setAttribute(Qt::WA_TransparentForMouseEvents);
    return picture;
}

}  // namespace

// Draws the visible leader lines over the pictures and under the buttons.
class LeaderLineOverlay final : public QWidget {
  public:
    explicit LeaderLineOverlay(PadCanvas& canvas) : QWidget(&canvas), canvas_(canvas) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        canvas_.PaintLines(painter);
    }

  private:
    PadCanvas& canvas_;
};

PadCanvas::PadCanvas(QWidget* parent)
    : QWidget(parent),
      yButtonLeft_(kYButtonLeft[0]),
      yLabelLeft_(kYLabelLeft[0]),
      lines_(MakeLines()) {
    setObjectName(QStringLiteral("padCanvas"));
    image1_ = MakePicture(":/pads/sidewinder.svg", "Image1", this);
    image2_ = MakePicture(":/pads/gravis.svg", "Image2", this);
    image2_->hide();
    overlay_ = new LeaderLineOverlay(*this);
    MakeButtons();
    Relayout();
}

void PadCanvas::MakeButtons() {
    for (int i = 0; i < kPadButtons; ++i) {
        auto* button = new QPushButton(PadButtonCaption(i), this);
        button->setObjectName(QStringLiteral("btnJoy%1").arg(i));
        button->setAccessibleName(PadButtonAccessibleName(i));
        button->setAutoDefault(false);
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    for (int i = 0; i < kStatusLabels; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("lblStatus%1").arg(i));
        label->setAccessibleName(PromptName(i) + QStringLiteral(" key"));
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText);
        labels_[static_cast<std::size_t>(i)] = label;
    }
    gravis_ = new QPushButton(QStringLiteral("Gravis"), this);
    gravis_->setObjectName(QStringLiteral("chkGravis"));
    gravis_->setAccessibleName(QStringLiteral("Gravis pad layout"));
    gravis_->setCheckable(true);
    gravis_->setAutoDefault(false);
    autoConfig_ = new QPushButton(QStringLiteral("Auto..."), this);
    autoConfig_->setObjectName(QStringLiteral("btnAutoConfig"));
    autoConfig_->setAccessibleName(QStringLiteral("Auto configuration"));
    autoConfig_->setStyleSheet(QStringLiteral("background-color: rgb(255, 128, 0);"));
    autoConfig_->setAutoDefault(false);
}

int PadCanvas::Scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * scale_));
}

QSize PadCanvas::sizeHint() const {
    return {Scaled(kCanvas.width()), Scaled(kCanvas.height())};
}

void PadCanvas::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        Relayout();
    }
}

void PadCanvas::Relayout() {
    scale_ = std::max(1.0, fontMetrics().height() / kDesignFontHeight);
    image1_->setGeometry(
        QRect(Scaled(kSideWinderPicture.topLeft()),
              QSize(Scaled(kSideWinderPicture.width()), Scaled(kSideWinderPicture.height()))));
    image2_->setGeometry(
        QRect(Scaled(kGravisPicture.topLeft()),
              QSize(Scaled(kGravisPicture.width()), Scaled(kGravisPicture.height()))));
    overlay_->setGeometry(0, 0, Scaled(kCanvas.width()), Scaled(kCanvas.height()));
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.75);
    for (int i = 0; i < kPadButtons; ++i) {
        if (i >= kFirstExtraButton) {
            btnJoy(i).setFont(small);
        }
        PlaceButton(i);
    }
    autoConfig_->move(Scaled(kAutoConfigSpot));
    autoConfig_->resize(autoConfig_->sizeHint());
    gravis_->move(Scaled(kGravisSpot));
    gravis_->resize(autoConfig_->width(), gravis_->sizeHint().height());
    updateGeometry();
}

void PadCanvas::PlaceButton(int index) {
    const Spot& spot = kSpots[static_cast<std::size_t>(index)];
    const int left = index == kYButton ? yButtonLeft_ : spot.x;
    const QSize size = ButtonSize(index);
    btnJoy(index).setGeometry(Scaled(left), Scaled(spot.y), Scaled(size.width()),
                              Scaled(size.height()));
    if (spot.side == LabelSide::kNone) {
        return;
    }
    const int labelLeft = index == kYButton ? yLabelLeft_ : spot.x - kLabelMargin;
    const int labelTop =
        spot.side == LabelSide::kAbove ? spot.y - kLabelHeight - 1 : spot.y + size.height() + 1;
    lblStatus(index).setGeometry(Scaled(labelLeft), Scaled(labelTop),
                                 Scaled(size.width() + 2 * kLabelMargin), Scaled(kLabelHeight));
}

void PadCanvas::ShowLayout(bool gravis) {
    for (int i = 0; i <= 10; ++i) {
        if (LeaderLine* line = FindLine(QStringLiteral("lnGrav"), i)) {
            line->visible = gravis;
        }
        if (LeaderLine* line = FindLine(QStringLiteral("lnSW"), i)) {
            line->visible = !gravis;
        }
    }
    image1_->setVisible(!gravis);
    image2_->setVisible(gravis);
    yButtonLeft_ = kYButtonLeft[gravis ? 1 : 0];
    yLabelLeft_ = kYLabelLeft[gravis ? 1 : 0];
    PlaceButton(kYButton);
    overlay_->update();
}

const LeaderLine* PadCanvas::Line(const QString& name, int index) const {
    const auto it = std::find_if(lines_.begin(), lines_.end(), [&](const LeaderLine& line) {
        return line.name == name && line.index == index;
    });
    return it != lines_.end() ? &*it : nullptr;
}

LeaderLine* PadCanvas::FindLine(const QString& name, int index) {
    return const_cast<LeaderLine*>(std::as_const(*this).Line(name, index));
}

void PadCanvas::PaintLines(QPainter& painter) const {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(palette().color(QPalette::WindowText), std::max(1.0, scale_)));
    for (const LeaderLine& line : lines_) {
        if (line.visible) {
            const QRect button = buttons_[static_cast<std::size_t>(line.slot)]->geometry();
            painter.drawLine(button.center(), Scaled(line.target));
        }
    }
}

}  // namespace padrix
