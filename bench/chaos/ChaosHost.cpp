// The chaos run's Padrix: main.cpp as it is, with virtual pads. SDL's virtual
// joysticks live inside one process, so this program is the real one (its
// settings file, command-line socket, guardian and X11 output) with pads
// plugged in as its QApplication is made, before the tray starts. The run
// names the socket that drives them in PADRIX_CHAOS_PADS and their number in
// PADRIX_CHAOS_PAD_COUNT.
#include <QApplication>
#include <cstdlib>
#include <string>

#include "PadCommands.h"

namespace {

void PlugInPads() {
    const char* socketPath = std::getenv("PADRIX_CHAOS_PADS");
    const char* count = std::getenv("PADRIX_CHAOS_PAD_COUNT");
    // A command line handed to a running Padrix makes a QCoreApplication: no pads there.
    if (socketPath == nullptr || count == nullptr ||
        qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) {
        return;
    }
    // Owned by the application, so the pads go after the tray.
    new padrix::testing::PadCommands(std::atoi(count), socketPath, QCoreApplication::instance());
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(PlugInPads)
