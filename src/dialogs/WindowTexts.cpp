#include "dialogs/WindowTexts.h"

#include <QStringList>

namespace padrix {
namespace {

const QString kNumberMark = QStringLiteral("%1");

}  // namespace

WindowTexts::WindowTexts(const LanguageForm& form, std::vector<QString> english)
    : form_(form), english_(std::move(english)), texts_(english_) {}

void WindowTexts::Load(const std::string& path) {
    texts_ = english_;
    ApplyLanguageFile(path, form_, [this](int id, const std::string& text) {
        const std::size_t slot = static_cast<std::size_t>(id - form_.firstId);
        if (id < form_.firstId || slot >= texts_.size()) {
            return;
        }
        const QString translated = QString::fromStdString(text);
        if (!english_[slot].contains(kNumberMark) || translated.contains(kNumberMark)) {
            texts_[slot] = translated;
        }
    });
}

const QString& WindowTexts::Text(int id) const {
    static const QString kNone;
    const std::size_t slot = static_cast<std::size_t>(id - form_.firstId);
    return id >= form_.firstId && slot < texts_.size() ? texts_[slot] : kNone;
}

QString WindowTexts::Numbered(int id, int number) const {
    QString text = Text(id);
    return text.replace(kNumberMark, QString::number(number));
}

QString CountedText(const WindowTexts& texts, int count, int oneId, int otherId, int singularId) {
    QList<int> singular;
    for (const QString& word : texts.Text(singularId).split(' ', Qt::SkipEmptyParts)) {
        bool isNumber = false;
        const int n = word.toInt(&isNumber);
        if (isNumber) {
            singular << n;
        }
    }
    if (singular.isEmpty()) {
        singular << 1;
    }
    return texts.Numbered(singular.contains(count) ? oneId : otherId, count);
}

}  // namespace padrix
