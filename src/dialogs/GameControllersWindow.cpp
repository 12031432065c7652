#include "dialogs/GameControllersWindow.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStringList>
#include <QVBoxLayout>

#include "tools/JoyTestReport.h"

namespace padrix {
namespace {

QString HatText(std::uint8_t hat) {
    static constexpr std::pair<std::uint8_t, const char*> kDirections[] = {
        {kHatUp, "up"}, {kHatDown, "down"}, {kHatLeft, "left"}, {kHatRight, "right"}};
    QStringList parts;
    for (const auto& [bit, name] : kDirections) {
        if ((hat & bit) != 0) {
            parts << QString::fromLatin1(name);
        }
    }
    return parts.isEmpty() ? QStringLiteral("centred") : parts.join(QLatin1Char('-'));
}

// The window's language ids.
enum TextId : int {
    kTitle = kGameControllersTexts.firstId,
    kNote,
    kNoJoypads,
    kAxisOne,
    kAxisOther,
    kButtonOne,
    kButtonOther,
    kHatOne,
    kHatOther,
    kSingularCounts,
    kCannotOpen,
    kCannotRead,
    kDeadZoneShown,
    kDeadZoneName,
    kTestRumble,
    kTestRumbleName,
    kReadingDescription,
    kClose,
};

}  // namespace

struct GameControllersWindow::Panel {
    std::unique_ptr<Joypad> pad;
    QGroupBox* box = nullptr;
    QLabel* live = nullptr;
    QString reading;
};

std::vector<QString> GameControllersWindow::EnglishTexts() {
    return {
        QStringLiteral("Game Controllers"),
        QStringLiteral("Axes run from 0 to 65535 with 32768 at the centre; buttons are numbered "
                       "from 1, as in the configuration dialog."),
        QStringLiteral("No joypads found."),
        QStringLiteral("%1 axis"),
        QStringLiteral("%1 axes"),
        QStringLiteral("%1 button"),
        QStringLiteral("%1 buttons"),
        QStringLiteral("%1 hat"),
        QStringLiteral("%1 hats"),
        QStringLiteral("1"),
        QStringLiteral("cannot be opened"),
        QStringLiteral("cannot be read"),
        QStringLiteral("Dead zone: %1 %"),
        QStringLiteral("Dead zone of joypad %1"),
        QStringLiteral("Test rumble"),
        QStringLiteral("Test rumble of joypad %1"),
        QStringLiteral("Joypad %1 reading"),
        QStringLiteral("Close"),
    };
}

GameControllersWindow::GameControllersWindow(std::unique_ptr<ControllerAccess> access,
                                             DeadZones& deadZones,
                                             std::function<std::string()> languagePath,
                                             QWidget* parent)
    : QDialog(parent),
      access_(std::move(access)),
      deadZones_(deadZones),
      languagePath_(std::move(languagePath)),
      texts_(kGameControllersTexts, EnglishTexts()) {
    setObjectName(QStringLiteral("GameControllersWindow"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // sized to the pads listed
    note_ = new QLabel(this);
    note_->setWordWrap(true);
    layout->addWidget(note_);
    none_ = new QLabel(this);
    none_->setObjectName(QStringLiteral("lblNoJoypads"));
    layout->addWidget(none_);
    list_ = new QVBoxLayout;
    layout->addLayout(list_);
    auto* buttons = new QDialogButtonBox(this);
    closeButton_ = buttons->addButton(QString(), QDialogButtonBox::RejectRole);
    closeButton_->setObjectName(QStringLiteral("closeButton"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    timer_.setInterval(kReadEveryMs);
    connect(&timer_, &QTimer::timeout, this, &GameControllersWindow::Refresh);
}

void GameControllersWindow::ApplyLanguage() {
    texts_.Load(languagePath_ ? languagePath_() : std::string());
    setWindowTitle(texts_.Text(kTitle));
    note_->setText(texts_.Text(kNote));
    none_->setText(texts_.Text(kNoJoypads));
    closeButton_->setText(texts_.Text(kClose));
    if (!panels_.empty()) {
        ListJoypads();
    }
}

void GameControllersWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LanguageChange) {
        ApplyLanguage();
    }
    QDialog::changeEvent(event);
}

QString GameControllersWindow::Counts(const JoypadInfo& info) const {
    const auto counted = [this](int count, int one, int other) {
        return CountedText(texts_, count, one, other, kSingularCounts);
    };
    return counted(info.axes, kAxisOne, kAxisOther) + QStringLiteral(", ") +
           counted(info.buttons, kButtonOne, kButtonOther) + QStringLiteral(", ") +
           counted(info.hats, kHatOne, kHatOther);
}

GameControllersWindow::~GameControllersWindow() = default;

void GameControllersWindow::showEvent(QShowEvent* event) {
    ApplyLanguage();
    QDialog::showEvent(event);
    started_ = started_ || access_->Start();
    Refresh();
    timer_.start();
}

void GameControllersWindow::hideEvent(QHideEvent* event) {
    timer_.stop();
    ClearPanels();  // lets go of the pads while nobody looks
    QDialog::hideEvent(event);
}

void GameControllersWindow::ClearPanels() {
    for (auto& panel : panels_) {
        delete panel->box;
    }
    panels_.clear();
}

void GameControllersWindow::ListJoypads() {
    ClearPanels();
    const int count = started_ ? access_->CountJoypads() : 0;
    for (int n = 1; n <= count; ++n) {
        auto panel = std::make_unique<Panel>();
        const auto info = access_->Describe(n);
        panel->pad = access_->OpenJoypad(n, false);
        if (panel->pad != nullptr) {
            panel->pad->SetDeadZone(deadZones_.DeadZone(n));
        }
        const QString name = info ? QString::fromStdString(info->name) : QString();
        panel->box = new QGroupBox(QStringLiteral("%1: %2").arg(n).arg(name), this);
        auto* column = new QVBoxLayout(panel->box);
        column->addWidget(new QLabel(info ? Counts(*info) : texts_.Text(kCannotOpen)));
        panel->live = new QLabel(panel->box);
        // A screen reader reads the reading itself, described as whose it is.
        panel->live->setAccessibleDescription(texts_.Numbered(kReadingDescription, n));
        column->addWidget(panel->live);
        column->addWidget(MakeDeadZoneRow(n, panel->box));
        auto* rumble = new QPushButton(texts_.Text(kTestRumble), panel->box);
        rumble->setAccessibleName(texts_.Numbered(kTestRumbleName, n));
        connect(rumble, &QPushButton::clicked, this, [this, n] { TestRumble(n); });
        column->addWidget(rumble, 0, Qt::AlignLeft);
        list_->addWidget(panel->box);
        panels_.push_back(std::move(panel));
    }
    none_->setVisible(panels_.empty());
}

void GameControllersWindow::Refresh() {
    if (started_ && access_->CountJoypads() != ListedJoypads()) {
        ListJoypads();
    }
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        Panel& panel = *panels_[i];
        JoyState state;
        if (panel.pad == nullptr || !panel.pad->Read(state)) {
            panel.reading = texts_.Text(kCannotRead);
        } else {
            const std::string line =
                joytest::FormatReading(static_cast<int>(i) + 1, state, panel.pad->ButtonCount());
            QStringList hats;
            for (const std::uint8_t hat : panel.pad->Hats()) {
                hats << HatText(hat);
            }
            panel.reading =
                QString::fromStdString(line.substr(line.find(' ') + 1)) +
                (hats.isEmpty() ? QString() : QStringLiteral(" hats=") + hats.join(','));
        }
        panel.live->setText(panel.reading);
    }
}

QWidget* GameControllersWindow::MakeDeadZoneRow(int n, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* label = new QLabel(row);
    auto* slider = new QSlider(Qt::Horizontal, row);
    slider->setObjectName(QStringLiteral("sldDeadZone%1").arg(n));
    slider->setAccessibleName(texts_.Numbered(kDeadZoneName, n));
    slider->setRange(0, 100);
    slider->setValue(deadZones_.DeadZone(n));
    const auto show = [this, label](int percent) {
        label->setText(texts_.Numbered(kDeadZoneShown, percent));
    };
    show(slider->value());
    connect(slider, &QSlider::valueChanged, this, [this, n, show](int percent) {
        show(percent);
        SetDeadZone(n, percent);
    });
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(slider, 1);
    return row;
}

void GameControllersWindow::SetDeadZone(int n, int percent) {
    deadZones_.SetDeadZone(n, percent);
    if (n >= 1 && n <= ListedJoypads() && panels_[static_cast<std::size_t>(n - 1)]->pad) {
        panels_[static_cast<std::size_t>(n - 1)]->pad->SetDeadZone(deadZones_.DeadZone(n));
    }
}

QString GameControllersWindow::Reading(int n) const {
    return n >= 1 && n <= ListedJoypads() ? panels_[static_cast<std::size_t>(n - 1)]->reading
                                          : QString();
}

void GameControllersWindow::TestRumble(int n) {
    if (n >= 1 && n <= ListedJoypads() && panels_[static_cast<std::size_t>(n - 1)]->pad) {
        panels_[static_cast<std::size_t>(n - 1)]->pad->TestRumble(kTestRumbleMs);
    }
}

}  // namespace padrix
