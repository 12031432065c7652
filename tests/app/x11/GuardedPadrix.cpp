// A Padrix built as main builds it, guardian first, with one virtual pad,
// holding one input for the guardian tests: "key" holds pad button 0 (J in
// the Virtual Game Station layout), "mouse" holds the right mouse button in
// mouse mode (M+B, then M let go). It gives the focus and the pointer to the
// X window its second argument names before it presses, and runs until it
// is ended; SIGTERM is an orderly exit.
#include <QApplication>
#include <QTest>
#include <cstdio>
#include <string>

#include "PadrixOnX.h"
#include "app/TerminationSignals.h"
#include "platform/DisplayCheck.h"
#include "platform/Guardian.h"
#include "platform/x11/X11Session.h"

namespace {

using padrix::testing::PadrixOnX;

// On top of Padrix's stand-in window, which may cover it, with the focus and
// the pointer.
void Focus(unsigned long window) {
    const padrix::x11::DisplayPtr d = padrix::x11::OpenDisplay("");
    XRaiseWindow(d.get(), window);
    XSetInputFocus(d.get(), window, RevertToParent, CurrentTime);
    XWarpPointer(d.get(), None, window, 0, 0, 0, 0, 50, 50);
    XSync(d.get(), False);
}

bool Hold(PadrixOnX& padrix, const std::string& what) {
    if (what == "key") {
        padrix.pad().SetButton(0, true);
        return true;
    }
    padrix.pad().SetButton(9, true);
    padrix.pad().SetButton(1, true);
    const padrix::Latches& latches = padrix.form().session().engine().latches();
    if (!QTest::qWaitFor([&] { return latches.MouseMode; }, 10000)) {
        return false;
    }
    padrix.pad().SetButton(9, false);
    return QTest::qWaitFor([&] { return latches.MouseButtonHeld[1]; }, 10000);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        return 2;
    }
    const std::string what = argv[1];
    const unsigned long window = std::stoul(argv[2]);
    const padrix::Guardian guardian =
        padrix::Guardian::Start(PADRIX_GUARDIAN_PROGRAM, padrix::DisplayNames::FromProcess().x);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    PadrixOnX padrix(padrix::testing::PadrixOnXSetup{
        .select = what != "mouse", .held = guardian.page(), .client = false});
    if (!padrix.ok()) {
        std::fprintf(stderr, "%s\n", padrix.error().c_str());
        return 3;
    }
    padrix::TerminationSignals termination;
    QObject::connect(&termination, &padrix::TerminationSignals::terminationRequested,
                     &padrix.form(), &padrix::TrayApplication::Unload);
    QObject::connect(&padrix.form(), &padrix::TrayApplication::unloaded, &app,
                     [] { QCoreApplication::exit(0); });
    Focus(window);
    if (!Hold(padrix, what)) {
        return 4;
    }
    return QApplication::exec();
}
