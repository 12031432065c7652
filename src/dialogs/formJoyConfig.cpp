#include "dialogs/formJoyConfig.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "dialogs/KeyEventCode.h"

namespace padrix {
namespace {

constexpr int kTimer1Ms = 10;

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

formJoyConfig::formJoyConfig(JoyConfigPorts ports, QWidget* parent)
    : QDialog(parent), ports_(std::move(ports)) {
    setObjectName(QStringLiteral("formJoyConfig"));
    setWindowTitle(QStringLiteral("SideWinder Config"));
    setModal(false);
    BuildLayout();
    timer1_.setInterval(kTimer1Ms);
    connect(&timer1_, &QTimer::timeout, this, &formJoyConfig::Timer1_Timer);
    qApp->installEventFilter(this);
}

formJoyConfig::~formJoyConfig() {
    qApp->removeEventFilter(this);
    delete gameControllers_.data();
}

void formJoyConfig::BuildLayout() {
    canvas_ = new PadCanvas(this);
    btnJoy(13).setToolTip(QStringLiteral("Select (M+Start)"));
    label1_ = new QLabel(
        QStringLiteral(
            "Click on a button and press the key on the keyboard that you want to assign to it."),
        this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setWordWrap(true);
    label1_->setTextFormat(Qt::PlainText);
    btnSave_ = MakeButton("btnSave", QStringLiteral("&Save"), "Save", this);
    frame1_ = new QFrame(this);
    frame1_->setObjectName(QStringLiteral("Frame1"));
    frame1_->setFrameShape(QFrame::HLine);
    frame1_->setFrameShadow(QFrame::Sunken);

    auto* instruction = new QHBoxLayout;
    instruction->addWidget(label1_, 1);
    instruction->addWidget(btnSave_, 0, Qt::AlignBottom);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(canvas_);
    layout->addLayout(instruction);
    layout->addWidget(frame1_);
    layout->addWidget(MakeSelectors());

    for (int i = 0; i < kPadButtons; ++i) {
        connect(&btnJoy(i), &QPushButton::clicked, this, [this, i] { btnJoy_Click(i); });
    }
    connect(&chkGravis(), &QPushButton::toggled, this, &formJoyConfig::chkGravis_Click);
    connect(&btnAutoConfig(), &QPushButton::clicked, this, &formJoyConfig::btnAutoConfig_Click);
    connect(btnSave_, &QPushButton::clicked, this, &formJoyConfig::btnSave_Click);
    connect(btnConfig_, &QPushButton::clicked, this, &formJoyConfig::btnConfig_Click);
    connect(cmbName_, &ProfileBox::entryChosen, this, &formJoyConfig::cmbName_Click);
    connect(cmbLanguage_, &QComboBox::activated, this, &formJoyConfig::cmbLanguage_Click);
    connect(cmbJoyPad_, &QComboBox::activated, this, &formJoyConfig::cmbJoyPad_Click);
    connect(chkJoyEnabled_, &QCheckBox::toggled, this, &formJoyConfig::chkJoyEnabled_Click);
}

// The profile box, Game Controllers, the language list and the joypad row.
QWidget* formJoyConfig::MakeSelectors() {
    auto* selectors = new QWidget(this);
    cmbName_ = new ProfileBox(selectors);
    cmbName_->setObjectName(QStringLiteral("cmbName"));
    cmbName_->setAccessibleName(QStringLiteral("Profile"));
    cmbName_->setToolTip(QStringLiteral("Profile"));
    cmbName_->setEditText(QStringLiteral("Custom"));
    btnConfig_ = MakeButton("btnConfig", QStringLiteral("Game Controllers..."), "Game Controllers",
                            selectors);
    cmbLanguage_ = MakeList("cmbLanguage", "Language", selectors);
    cmbLanguage_->hide();
    cmbLanguage_->setEnabled(false);
    joypadRow_ = new QWidget(selectors);
    cmbJoyPad_ = MakeList("cmbJoyPad", "Joypad", joypadRow_);
    chkJoyEnabled_ = new QCheckBox(QStringLiteral("Enabled"), joypadRow_);
    chkJoyEnabled_->setObjectName(QStringLiteral("chkJoyEnabled"));
    chkJoyEnabled_->setAccessibleName(QStringLiteral("Joypad enabled"));

    auto* profileRow = new QHBoxLayout;
    profileRow->addWidget(cmbName_, 1);
    profileRow->addWidget(btnConfig_);
    auto* joypadRow = new QHBoxLayout(joypadRow_);
    joypadRow->setContentsMargins(0, 0, 0, 0);
    joypadRow->addWidget(cmbJoyPad_, 1);
    joypadRow->addWidget(chkJoyEnabled_);
    auto* column = new QVBoxLayout(selectors);
    column->setContentsMargins(0, 0, 0, 0);
    column->addLayout(profileRow);
    column->addWidget(cmbLanguage_);
    column->addWidget(joypadRow_);
    return selectors;
}

const std::string& formJoyConfig::Tag(int index) const {
    return tags_.at(static_cast<std::size_t>(index));
}

void formJoyConfig::SetTag(int index, const std::string& tag) {
    if (index >= 0 && index < kPadButtons) {
        tags_[static_cast<std::size_t>(index)] = tag;
    }
}

bool formJoyConfig::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        // Each widget the key passes on its way up to the dialog shows it
        // here; storing the same code again changes nothing.
        if (widget == this || isAncestorOf(widget)) {
            Form_KeyDown(VirtualKeyOf(*static_cast<QKeyEvent*>(event), CurrentKeyLayout()));
        }
    }
    return QDialog::eventFilter(watched, event);
}

void formJoyConfig::keyPressEvent(QKeyEvent* event) {
    // The dialog has no cancel: Escape is a key like any other here.
    if (event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}

void formJoyConfig::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
    // A capture still returning through this dialog's code deletes it then.
    if (handlerDepth_ == 0) {
        deleteLater();
    }
}

}  // namespace padrix
