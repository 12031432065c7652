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
// once per click; it is taken as the release of the right button. A
// StatusNotifierItem host (waybar, KDE Plasma, GNOME's AppIndicator) asks
// for one activation per left click and never reports a double click: where
// the icon is `hostedOverDBus`, that click stands for the double click.
inline TrayMessage TrayMessageOf(QSystemTrayIcon::ActivationReason reason, bool hostedOverDBus) {
    switch (reason) {
        case QSystemTrayIcon::DoubleClick:
            return kTrayLeftDoubleClick;
        case QSystemTrayIcon::Context:
            return kTrayRightUp;
        case QSystemTrayIcon::Trigger:
            return hostedOverDBus ? kTrayLeftDoubleClick : kTrayLeftDown;
        case QSystemTrayIcon::MiddleClick:
            return kTrayMiddleUp;
        case QSystemTrayIcon::Unknown:
            break;
    }
    return kTrayMouseMove;
}

}  // namespace padrix
