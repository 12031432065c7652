#include "dialogs/PadButtons.h"

#include <array>

namespace padrix {
namespace {

struct NamedButton {
    const char16_t* caption;
    const char* promptName;
};

// Arrows and bullets are plain Unicode characters in the dialog's font.
constexpr std::array<NamedButton, kFirstExtraButton> kNamedButtons{{
    {u"X", "X (4)"},
    {u"Y", "Y (5)"},
    {u"Z", "Z (6)"},
    {u"A", "A (1)"},
    {u"B", "B (2)"},
    {u"C", "C (3)"},
    {u"\u25B2", "Up"},
    {u"\u25BC", "Down"},
    {u"\u25C0", "Left"},
    {u"\u25B6", "Right"},
    {u"Start", "Start (9)"},
    {u"\u25CF", "L (7)"},
    {u"\u25CF", "R (8)"},
    {u"M", "M (10)"},
}};

bool IsNamed(int index) {
    return index >= 0 && index < kFirstExtraButton;
}

// Pad button 14 stands for controller button 11.
int ControllerNumber(int index) {
    return index - 3;
}

}  // namespace

QString PadButtonCaption(int index) {
    if (IsNamed(index)) {
        return QString::fromUtf16(kNamedButtons[static_cast<std::size_t>(index)].caption);
    }
    return index < kPadButtons ? QString::number(ControllerNumber(index)) : QString();
}

QString PromptName(int index) {
    return IsNamed(index)
               ? QString::fromLatin1(kNamedButtons[static_cast<std::size_t>(index)].promptName)
               : QString();
}

QString PadButtonAccessibleName(int index) {
    const QString name = IsNamed(index) ? PromptName(index)
                                        : QStringLiteral("Button %1").arg(ControllerNumber(index));
    return QStringLiteral("Pad button ") + name;
}

}  // namespace padrix
