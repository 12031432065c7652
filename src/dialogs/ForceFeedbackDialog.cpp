#include "ForceFeedbackDialog.h"

#include <QVBoxLayout>

#include "session/Session.h"
#include "settings/LanguageForms.h"

namespace padrix {

namespace {

constexpr std::array<const char*, ForceFeedbackDialog::kModes> kOptionCaptions = {
    "Never", "Always", "Random", "Stressed"};
// Language ids: the caption, the warning, then the four options.
constexpr int kCaptionId = 3;
constexpr int kWarningId = 24;
constexpr int kFirstOptionId = 25;

}  // namespace

ForceFeedbackDialog::ForceFeedbackDialog(Session& session, QWidget* parent)
    : QDialog(parent),
      session_(session),
      warningLabel_(
          QStringLiteral("This feature haven't been tested and probably will *NOT WORK*")),
      okButton_(QStringLiteral("&OK")) {
    setObjectName(QStringLiteral("ForceFeedbackDialog"));
    setWindowTitle(QStringLiteral("Force Feedback"));
    warningLabel_.setObjectName(QStringLiteral("warningLabel"));
    warningLabel_.setStyleSheet(QStringLiteral("color: red;"));
    warningLabel_.setWordWrap(true);
    warningLabel_.setTextFormat(Qt::PlainText);  // language files give plain text
    okButton_.setObjectName(QStringLiteral("okButton"));
    okButton_.setDefault(true);

    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kModes; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kOptionCaptions[i]), this);
        option->setObjectName(QStringLiteral("modeButton%1").arg(i));
        group_.addButton(option, i);
        layout->addWidget(option);
        modeButtons_[static_cast<std::size_t>(i)] = option;
    }
    layout->addWidget(&warningLabel_);
    layout->addWidget(&okButton_);
    connect(&group_, &QButtonGroup::idClicked, this, &ForceFeedbackDialog::onModeClicked);
    connect(&okButton_, &QPushButton::clicked, this, &ForceFeedbackDialog::onOkClicked);
}

void ForceFeedbackDialog::load() {
    const int mode = session_.options().RumbleType;
    if (mode >= 0 && mode < kModes) {
        modeButton(mode).setChecked(true);
        onModeClicked(mode);
    }
    ApplyLanguage();
}

void ForceFeedbackDialog::onModeClicked(int index) {
    if (index < 0 || index >= kModes) {
        return;
    }
    session_.SetRumbleType(index);
}

void ForceFeedbackDialog::ApplyLanguage() {
    ApplyLanguageFile(session_.LanguagePath(), kForceFeedbackTexts,
                      [this](int id, const std::string& text) {
                          SetLanguageText(id, QString::fromStdString(text));
                      });
}

void ForceFeedbackDialog::SetLanguageText(int id, const QString& text) {
    if (id == kCaptionId) {
        setWindowTitle(text);
    } else if (id == kWarningId) {
        warningLabel_.setText(text);
    } else if (id >= kFirstOptionId && id < kFirstOptionId + kModes) {
        modeButton(id - kFirstOptionId).setText(text);
    }
}

}  // namespace padrix
