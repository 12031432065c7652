#include "settings/OptionKeys.h"

#include <QString>

namespace padrix {
namespace {

bool ContainsIgnoringCase(std::string_view text, QStringView word) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))
        .contains(word, Qt::CaseInsensitive);
}

}  // namespace

bool DefaultUseMAsSelect(std::string_view joypad1Name) {
    return !ContainsIgnoringCase(joypad1Name, u"SideWinder");
}

bool DefaultLogitechPatch(std::string_view joypad1Name) {
    return ContainsIgnoringCase(joypad1Name, u"Logitech");
}

}  // namespace padrix
