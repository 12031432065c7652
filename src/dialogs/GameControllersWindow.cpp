#include "dialogs/GameControllersWindow.h"

#include <QDialogButtonBox>
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

QString Counted(int count, const char* one, const char* many) {
    return QString::number(count) + QLatin1Char(' ') + QLatin1String(count == 1 ? one : many);
}

QString Counts(const JoypadInfo& info) {
    return Counted(info.axes, "axis", "axes") + QStringLiteral(", ") +
           Counted(info.buttons, "button", "buttons") + QStringLiteral(", ") +
           Counted(info.hats, "hat", "hats");
}

}  // namespace

struct GameControllersWindow::Panel {
    std::unique_ptr<Joypad> pad;
    QGroupBox* box = nullptr;
    QLabel* live = nullptr;
    QString reading;
};

GameControllersWindow::GameControllersWindow(std::unique_ptr<ControllerAccess> access,
                                             DeadZones& deadZones, QWidget* parent)
    : QDialog(parent), access_(std::move(access)), deadZones_(deadZones) {
    setObjectName(QStringLiteral("GameControllersWindow"));
    setWindowTitle(QStringLiteral("Game Controllers"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // sized to the pads listed
    auto* note = new QLabel(
        QStringLiteral("Axes run from 0 to 65535 with 32768 at the centre; buttons are numbered "
                       "from 1, as in the configuration dialog."),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    none_ = new QLabel(QStringLiteral("No joypads found."), this);
    none_->setObjectName(QStringLiteral("lblNoJoypads"));
    layout->addWidget(none_);
    list_ = new QVBoxLayout;
    layout->addLayout(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    timer_.setInterval(kReadEveryMs);
    connect(&timer_, &QTimer::timeout, this, &GameControllersWindow::Refresh);
}

GameControllersWindow::~GameControllersWindow() = default;

void GameControllersWindow::showEvent(QShowEvent* event) {
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
        column->addWidget(new QLabel(info ? Counts(*info) : QStringLiteral("cannot be opened")));
        panel->live = new QLabel(panel->box);
        // A screen reader reads the reading itself, described as whose it is.
        panel->live->setAccessibleDescription(QStringLiteral("Joypad %1 reading").arg(n));
        column->addWidget(panel->live);
        column->addWidget(MakeDeadZoneRow(n, panel->box));
        auto* rumble = new QPushButton(QStringLiteral("Test rumble"), panel->box);
        rumble->setAccessibleName(QStringLiteral("Test rumble of joypad %1").arg(n));
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
            panel.reading = QStringLiteral("cannot be read");
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
    slider->setAccessibleName(QStringLiteral("Dead zone of joypad %1").arg(n));
    slider->setRange(0, 100);
    slider->setValue(deadZones_.DeadZone(n));
    const auto show = [label](int percent) {
        label->setText(QStringLiteral("Dead zone: %1 %").arg(percent));
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
