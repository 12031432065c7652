#include "dialogs/ConfigDialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "dialogs/KeyEventCode.h"

namespace padrix {
namespace {

constexpr int kPadWatchMs = 10;

QPushButton* MakeButton(const char* name, const QString& text, const char* accessible,
                        QWidget* parent) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString::fromLatin1(accessible));
    button->setAutoDefault(false);
    return button;
}

QComboBox* MakeList(const char* name, const char* accessible, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setAccessibleName(QString::fromLatin1(accessible));
    list->setToolTip(QString::fromLatin1(accessible));
    return list;
}

}  // namespace

ConfigDialog::ConfigDialog(ConfigDialogPorts ports, QWidget* parent)
    : QDialog(parent), ports_(std::move(ports)), session_(ports_.session) {
    setObjectName(QStringLiteral("ConfigDialog"));
    setWindowTitle(QStringLiteral("SideWinder Config"));
    setModal(false);
    BuildLayout();
    padWatchTimer_.setInterval(kPadWatchMs);
    connect(&padWatchTimer_, &QTimer::timeout, this, &ConfigDialog::onPadWatchTick);
    qApp->installEventFilter(this);
}

ConfigDialog::~ConfigDialog() {
    qApp->removeEventFilter(this);
    delete gameControllers_.data();
}

void ConfigDialog::BuildLayout() {
    canvas_ = new PadCanvas(this);
    padButton(13).setToolTip(QStringLiteral("Select (M+Start)"));
    instructionLabel_ = new QLabel(
        QStringLiteral(
            "Click on a button and press the key on the keyboard that you want to assign to it."),
        this);
    instructionLabel_->setObjectName(QStringLiteral("instructionLabel"));
    instructionLabel_->setWordWrap(true);
    instructionLabel_->setTextFormat(Qt::PlainText);
    saveButton_ = MakeButton("saveButton", QStringLiteral("&Save"), "Save", this);
    separator_ = new QFrame(this);
    separator_->setObjectName(QStringLiteral("separator"));
    separator_->setFrameShape(QFrame::HLine);
    separator_->setFrameShadow(QFrame::Sunken);

    auto* instruction = new QHBoxLayout;
    instruction->addWidget(instructionLabel_, 1);
    instruction->addWidget(saveButton_, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(canvas_);
    layout->addLayout(instruction);
    layout->addWidget(separator_);
    layout->addWidget(MakeSelectors());

    for (int i = 0; i < kPadButtons; ++i) {
        connect(&padButton(i), &QPushButton::clicked, this, [this, i] { onPadButtonClicked(i); });
    }
    connect(&gravisToggle(), &QPushButton::toggled, this, &ConfigDialog::onGravisToggled);
    connect(&autoConfigButton(), &QPushButton::clicked, this, &ConfigDialog::onAutoConfigClicked);
    connect(saveButton_, &QPushButton::clicked, this, &ConfigDialog::onSaveClicked);
    connect(gameControllersButton_, &QPushButton::clicked, this,
            &ConfigDialog::onGameControllersClicked);
    connect(profileBox_, &ProfileBox::entryChosen, this, &ConfigDialog::onProfileChosen);
    connect(languageList_, &QComboBox::activated, this, &ConfigDialog::onLanguageChosen);
    connect(joypadList_, &QComboBox::activated, this, &ConfigDialog::onJoypadChosen);
    connect(joypadEnabledBox_, &QCheckBox::toggled, this, &ConfigDialog::onJoypadEnabledToggled);
}

// The profile box, Game Controllers, the language list and the joypad row.
QWidget* ConfigDialog::MakeSelectors() {
    auto* selectors = new QWidget(this);
    profileBox_ = new ProfileBox(selectors);
    profileBox_->setObjectName(QStringLiteral("profileBox"));
    profileBox_->setAccessibleName(QStringLiteral("Profile"));
    profileBox_->setToolTip(QStringLiteral("Profile"));
    profileBox_->setEditText(QStringLiteral("Custom"));
    gameControllersButton_ =
        MakeButton("gameControllersButton", QStringLiteral("Game Controllers..."),
                   "Game Controllers", selectors);
    languageList_ = MakeList("languageList", "Language", selectors);
    languageList_->hide();
    languageList_->setEnabled(false);
    joypadRow_ = new QWidget(selectors);
    joypadList_ = MakeList("joypadList", "Joypad", joypadRow_);
    joypadEnabledBox_ = new QCheckBox(QStringLiteral("Enabled"), joypadRow_);
    joypadEnabledBox_->setObjectName(QStringLiteral("joypadEnabledBox"));
    joypadEnabledBox_->setAccessibleName(QStringLiteral("Joypad enabled"));

    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(profileBox_, 1);
    profileRow->addWidget(gameControllersButton_);
    auto* joypadRow = new QHBoxLayout(joypadRow_);
    joypadRow->setContentsMargins(0, 0, 0, 0);
    joypadRow->addWidget(joypadList_, 1);
    joypadRow->addWidget(joypadEnabledBox_);
    auto* column = new QVBoxLayout(selectors);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(profileRow);
    column->addWidget(languageList_);
    column->addWidget(joypadRow_);
    return selectors;
}

bool ConfigDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // Each widget the key passes on its way up to the dialog shows it
        // here; storing the same code again changes nothing.
        if (widget == this || isAncestorOf(widget)) {
            onKeyDown(VirtualKeyOf(*static_cast<QKeyEvent*>(event), CurrentKeyLayout()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ConfigDialog::keyPressEvent(QKeyEvent* event) {
    // The dialog has no cancel: Escape is a key like any other here.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ConfigDialog::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
    // A capture still returning through this dialog's code deletes it then.
    if (handlerDepth_ == 0) {
        deleteLater();
    }
}

}  // namespace padrix
