#include "formForceFeedback.h"

#include <QVBoxLayout>

#include "settings/LanguageForms.h"
#include "settings/OptionKeys.h"
#include "settings/TypedSettings.h"

namespace padrix {

namespace {

constexpr std::array<const char*, formForceFeedback::kModes> kOptionCaptions = {
    "Never", "Always", "Random", "Stressed"};
// Language ids: the caption, the warning, then the four options.
constexpr int kCaptionId = 3;
constexpr int kWarningId = 24;
constexpr int kFirstOptionId = 25;

}  // namespace

formForceFeedback::formForceFeedback(std::int16_t& rumbleType, SettingsStore& settings,
                                     const InterfaceLanguage& language, QWidget* parent)
    : QDialog(parent),
      rumbleType_(rumbleType),
      settings_(settings),
      language_(language),
      label1_(QStringLiteral("This feature haven't been tested and probably will *NOT WORK*")),
      btnOK_(QStringLiteral("&OK")) {
    setObjectName(QStringLiteral("formForceFeedback"));
    setWindowTitle(QStringLiteral("Force Feedback"));
    label1_.setObjectName(QStringLiteral("Label1"));
    label1_.setStyleSheet(QStringLiteral("color: red;"));
    label1_.setWordWrap(true);
    label1_.setTextFormat(Qt::PlainText);  // language files give plain text
    btnOK_.setObjectName(QStringLiteral("btnOK"));
    btnOK_.setDefault(true);

    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < kModes; ++i) {
        auto* option = new QRadioButton(QString::fromLatin1(kOptionCaptions[i]), this);
        option->setObjectName(QStringLiteral("optForceFeedback%1").arg(i));
        group_.addButton(option, i);
        layout->addWidget(option);
        options_[static_cast<std::size_t>(i)] = option;
    }
    layout->addWidget(&label1_);
    layout->addWidget(&btnOK_);
    connect(&group_, &QButtonGroup::idClicked, this, &formForceFeedback::optForceFeedback_Click);
    connect(&btnOK_, &QPushButton::clicked, this, &formForceFeedback::btnOK_Click);
}

void formForceFeedback::Form_Load() {
    const int mode = rumbleType_;
    if (mode >= 0 && mode < kModes) {
        optForceFeedback(mode).setChecked(true);
        optForceFeedback_Click(mode);
    }
    ApplyLanguage();
}

void formForceFeedback::optForceFeedback_Click(int index) {
    if (index < 0 || index >= kModes) {
        return;
    }
    rumbleType_ = static_cast<std::int16_t>(index);
    SaveInt(settings_, kOptionSection, kKeyRumbleType, index);
}

void formForceFeedback::ApplyLanguage() {
    ApplyLanguageFile(language_.Path(), kForceFeedbackTexts,
                      [this](int id, const std::string& text) {
                          SetLanguageText(id, QString::fromStdString(text));
                      });
}

void formForceFeedback::SetLanguageText(int id, const QString& text) {
    if (id == kCaptionId) {
        setWindowTitle(text);
    } else if (id == kWarningId) {
        label1_.setText(text);
    } else if (id >= kFirstOptionId && id < kFirstOptionId + kModes) {
        optForceFeedback(id - kFirstOptionId).setText(text);
    }
}

}  // namespace padrix
