#include "dialogs/PadCanvas.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
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
// The Y button's left edge: SideWinder, then Gravis.
constexpr int kYButtonLeft[] = {176, 4};

constexpr QSize kButton{28, 22};
constexpr QSize kWideButton{44, 22};
constexpr QSize kExtraButton{26, 20};
constexpr int kLabelMargin = 7;  // a label reaches at least this far past its button on each side
constexpr int kLabelHeight = 16;
constexpr QSize kCanvas{410, 282};
// autoConfigButton and gravisToggle stand one above the other at the right edge,
// this far from it, and never further left than kSideButtonsLeft.
constexpr int kAutoConfigTop = 20;
constexpr int kGravisTop = 60;
constexpr int kSideButtonsMargin = 6;
constexpr int kSideButtonsLeft = 318;
constexpr QRect kSideWinderPicture{96, 44, 213, 163};
constexpr QRect kGravisPicture{112, 72, 174, 105};
// The font height the positions were made for.
constexpr double kDesignFontHeight = 17.0;

// Leader lines. The SideWinder drawing has the lines "sideWinder" 0 to 4, 6
// to 8 and 11, the Gravis one "gravis" 0 to 7; the single lines stand in both.
std::vector<LeaderLine> MakeLines() {
    const QString sw = QStringLiteral("sideWinder");
    const QString grav = QStringLiteral("gravis");
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
        {QStringLiteral("selectLine"), -1, 13, {196, 136}, true},
        {QStringLiteral("startLine"), -1, 10, {196, 115}, true},
        {QStringLiteral("zLine"), -1, 2, {274, 84}, true},
        {QStringLiteral("rightLine"), -1, 9, {162, 124}, true},
        {QStringLiteral("upLine"), -1, 6, {144, 106}, true},
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

// A pad button is small: it needs only the room to show its caption whole
// inside its frame, not the width the style likes for push buttons.
class PadButton final : public QPushButton {
  public:
    PadButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

    QSize minimumSizeHint() const override {
        const int frame = 2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
        return fontMetrics().size(Qt::TextShowMnemonic, text()) + QSize(frame, frame);
    }
};

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
    : QWidget(parent), yButtonLeft_(kYButtonLeft[0]), lines_(MakeLines()) {
    setObjectName(QStringLiteral("padCanvas"));
    sideWinderPicture_ = MakePicture(":/pads/sidewinder.svg", "sideWinderPicture", this);
    gravisPicture_ = MakePicture(":/pads/gravis.svg", "gravisPicture", this);
    gravisPicture_->hide();
    overlay_ = new LeaderLineOverlay(*this);
    MakeButtons();
    Relayout();
}

void PadCanvas::MakeButtons() {
    for (int i = 0; i < kPadButtons; ++i) {
        auto* button = new PadButton(PadButtonCaption(i), this);
        button->setObjectName(QStringLiteral("padButton%1").arg(i));
        button->setAccessibleName(PadButtonAccessibleName(i));
        button->setAutoDefault(false);
        buttons_[static_cast<std::size_t>(i)] = button;
    }
    for (int i = 0; i < kStatusLabels; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("keyLabel%1").arg(i));
        // The label's text, the key's name, is what a screen reader reads.
        label->setAccessibleDescription(PromptName(i) + QStringLiteral(" key"));
        label->setAlignment(Qt::AlignCenter);
        label->setTextFormat(Qt::PlainText);
        labels_[static_cast<std::size_t>(i)] = label;
    }
    gravis_ = new QPushButton(QStringLiteral("Gravis"), this);
    gravis_->setObjectName(QStringLiteral("gravisToggle"));
    gravis_->setAccessibleName(QStringLiteral("Gravis pad layout"));
    gravis_->setCheckable(true);
    gravis_->setAutoDefault(false);
    autoConfig_ = new QPushButton(QStringLiteral("Auto..."), this);
    autoConfig_->setObjectName(QStringLiteral("autoConfigButton"));
    autoConfig_->setAccessibleName(QStringLiteral("Auto configuration"));
    autoConfig_->setStyleSheet(QStringLiteral("background-color: rgb(255, 128, 0);"));
    autoConfig_->setAutoDefault(false);
}

int PadCanvas::Scaled(int pixels) const {
    return static_cast<int>(std::lround(pixels * scale_));
}

void PadCanvas::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        Relayout();
    }
}

void PadCanvas::Relayout() {
    scale_ = std::max(1.0, fontMetrics().height() / kDesignFontHeight);
    PlaceSideButtons();
    sideWinderPicture_->setGeometry(
        QRect(Scaled(kSideWinderPicture.topLeft()),
              QSize(Scaled(kSideWinderPicture.width()), Scaled(kSideWinderPicture.height()))));
    gravisPicture_->setGeometry(
        QRect(Scaled(kGravisPicture.topLeft()),
              QSize(Scaled(kGravisPicture.width()), Scaled(kGravisPicture.height()))));
    overlay_->setGeometry(QRect(QPoint(0, 0), size_));
    QFont small = font();
    small.setPointSizeF(font().pointSizeF() * 0.75);
    for (int i = 0; i < kPadButtons; ++i) {
        if (i >= kFirstExtraButton) {
            padButton(i).setFont(small);
        }
        PlaceButton(i);
    }
    updateGeometry();
}

// autoConfigButton and gravisToggle as wide as the wider of them needs; the area
// widens when they would come too near the pad.
void PadCanvas::PlaceSideButtons() {
    const int width = std::max(autoConfig_->sizeHint().width(), gravis_->sizeHint().width());
    const int margin = Scaled(kSideButtonsMargin);
    size_ = QSize(std::max(Scaled(kCanvas.width()), Scaled(kSideButtonsLeft) + width + margin),
                  Scaled(kCanvas.height()));
    const int left = size_.width() - margin - width;
    autoConfig_->setGeometry(left, Scaled(kAutoConfigTop), width, autoConfig_->sizeHint().height());
    gravis_->setGeometry(left, Scaled(kGravisTop), width, gravis_->sizeHint().height());
}

void PadCanvas::PlaceButton(int index) {
    const Spot& spot = kSpots[static_cast<std::size_t>(index)];
    const int left = index == kYButton ? yButtonLeft_ : spot.x;
    const QSize size = ButtonSize(index);
    padButton(index).setGeometry(Scaled(left), Scaled(spot.y), Scaled(size.width()),
                                 Scaled(size.height()));
    PlaceLabel(index);
}

// Centred on its button and wide enough for its text, but inside the area.
void PadCanvas::PlaceLabel(int index) {
    const Spot& spot = kSpots[static_cast<std::size_t>(index)];
    if (index >= kStatusLabels || spot.side == LabelSide::kNone) {
        return;
    }
    QLabel& label = keyLabel(index);
    const QRect button = padButton(index).geometry();
    const QSize text = label.sizeHint();
    const int width = std::max(Scaled(ButtonSize(index).width() + 2 * kLabelMargin), text.width());
    const int height = std::max(Scaled(kLabelHeight), text.height());
    const int left =
        std::clamp(button.center().x() + 1 - width / 2, 0, std::max(0, size_.width() - width));
    const int top = spot.side == LabelSide::kAbove
                        ? Scaled(spot.y - 1) - height
                        : Scaled(spot.y + ButtonSize(index).height() + 1);
    label.setGeometry(left, top, width, height);
}

void PadCanvas::ShowLayout(bool gravis) {
    for (int i = 0; i <= 10; ++i) {
        if (LeaderLine* line = FindLine(QStringLiteral("gravis"), i)) {
            line->visible = gravis;
        }
        if (LeaderLine* line = FindLine(QStringLiteral("sideWinder"), i)) {
            line->visible = !gravis;
        }
    }
    sideWinderPicture_->setVisible(!gravis);
    gravisPicture_->setVisible(gravis);
    yButtonLeft_ = kYButtonLeft[gravis ? 1 : 0];
    PlaceButton(kYButton);
    overlay_->update();
}

void PadCanvas::ShowKeyName(int index, const QString& name) {
    if (index < 0 || index >= kPadButtons) {
        return;
    }
    padButton(index).setToolTip(name);
    if (index < kStatusLabels) {
        keyLabel(index).setText(name);
        PlaceLabel(index);
    }
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
