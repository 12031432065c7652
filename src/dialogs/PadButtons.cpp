#include "dialogs/PadButtons.h"

namespace padrix {
namespace {

bool IsNamed(int index) {
    return index >= 0 && index < kFirstExtraButton;
}

const NamedSlot& Named(int index) {
    return kNamedSlots[static_cast<std::size_t>(index)];
}

QString FromView(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Pad button 14 stands for controller button 11.
int ControllerNumber(int index) {
    return index - 3;
}

}  // namespace

QString PadButtonCaption(int index) {
    if (IsNamed(index)) {
        return FromView(Named(index).caption);
    }
    return index < kPadButtons ? QString::number(ControllerNumber(index)) : QString();
}

QString PromptName(int index) {
    if (!IsNamed(index)) {
        return {};
    }
    const NamedSlot& slot = Named(index);
    const QString name = FromView(slot.name);
    return slot.button < 0 ? name : QStringLiteral("%1 (%2)").arg(name).arg(slot.button + 1);
}

QString PadButtonAccessibleName(int index) {
    const QString name = IsNamed(index) ? PromptName(index)
                                        : QStringLiteral("Button %1").arg(ControllerNumber(index));
    return QStringLiteral("Pad button ") + name;
}

}  // namespace padrix
