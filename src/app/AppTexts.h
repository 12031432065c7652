#pragma once

#include <QString>
#include <string>

#include "common/Version.h"
#include "dialogs/InputStartError.h"
#include "dialogs/PlainMessageBox.h"

namespace padrix {

// Built-in texts of the tray; a language file may replace both, as it
// may the message kDefaultDirectInputError.
inline const QString kDefaultCaption =
    QStringLiteral("Padrix %1 for DirectX8").arg(QLatin1String(kPadrixVersion));
inline const QString kDefaultNoJoystick = QStringLiteral("Couldn't detect the joystick");
// Why "Follow the active window" is greyed out.
inline const QString kDefaultFollowWindowUnavailable =
    QStringLiteral("Needs a window manager that tells which window is active");
// Why "Start with the desktop" kept its mark; the file and the reason follow.
inline const QString kDefaultStartWithDesktopFailed =
    QStringLiteral("Padrix could not change whether it starts with the desktop:");
// The fallback window's button that opens the menu.
inline constexpr int kMenuButtonId = 36;
inline const QString kDefaultMenuButton = QStringLiteral("Menu");
// What the user should know about the desktop Padrix runs on, by
// PlatformNotice, from language id kFirstNoticeId on.
inline constexpr int kFirstNoticeId = 33;
inline const QString kDefaultNotices[] = {
    QStringLiteral("Keys reach only X programs here. A compositor with the virtual keyboard "
                   "protocol, or the udev rule for /dev/uinput and a new login, fixes that."),
    QStringLiteral("Print Screen saves no picture on this desktop: that needs wlr-screencopy "
                   "or the XDG desktop portal."),
    QStringLiteral("Tab, Ctrl and Print Screen cannot be read: no keyboard under /dev/input is "
                   "readable. Join the input group and log in again."),
};
// Language ids after this one were added later than the first language files.
inline constexpr int kFirstLaterTextId = 28;

// Our credit, in the icon's tip and in the About box.
inline const QString kTipCredit = QStringLiteral(" - game pads as keys");
inline const QString kAboutCredit =
    QStringLiteral("Padrix turns game controllers into keyboard and mouse input.");
inline const QString kAboutVersion =
    QStringLiteral("Version %1").arg(QLatin1String(kPadrixVersion));

// At most this many characters of tip, as the notification area always took.
inline constexpr int kMaxTipLength = 63;

// `text` cut to kMaxTipLength UTF-16 units without splitting a character
// made of two of them.
inline QString CutTip(const QString& text) {
    QString tip = text.left(kMaxTipLength);
    if (!tip.isEmpty() && tip.back().isHighSurrogate()) {
        tip.chop(1);
    }
    return tip;
}

// The caption followed by the credit, cut to kMaxTipLength.
inline QString IconTip(const QString& caption) {
    return CutTip(caption + kTipCredit);
}

// The caption and the named profile in force (UTF-8), cut to kMaxTipLength;
// the credit while a layout is in force.
inline QString IconTip(const QString& caption, const std::string& profile) {
    if (profile.empty()) {
        return IconTip(caption);
    }
    return CutTip(caption + QStringLiteral(" - ") + QString::fromStdString(profile));
}

}  // namespace padrix
