#pragma once

#include <QSystemTrayIcon>

namespace padrix {

// Mouse messages on the notification-area icon, by their Windows numbers.
enum TrayMessage : int {
    kTrayMouseMove = 0x200,
    kTrayLeftDown = 0x201,
    kTrayLeftUp = 0x202,
    kTrayLeftDoubleClick = 0x203,
    kTrayRightDown = 0x204,
    kTrayRightUp = 0x205,
    kTrayMiddleUp = 0x208,
};

// What a Qt activation of the icon stands for. Qt reports the context click
// once per click; it is taken as the release of the right button.
inline TrayMessage TrayMessageOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return kTrayLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return kTrayRightUp;
        case QSystemTrayIcon::Trigger:
            return kTrayLeftDown;
        case QSystemTrayIcon::MiddleClick:
            return kTrayMiddleUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return kTrayMouseMove;
}

}  // namespace padrix
