#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "Child.h"
#include "PadrixOnX.h"
#include "app/ConfigDialogOpener.h"
#include "app/TrayMessage.h"
#include "dialogs/AutoConfigPrompt.h"

namespace padrix::testing {
namespace {

bool Xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    return RunCommand(argv);
}

// Clicks the middle of a widget with the real pointer.
bool ClickOn(QWidget& w) {
    const QPoint c = w.mapToGlobal(w.rect().center());
    return Xdotool(
        {"mousemove", "--sync", std::to_string(c.x()), std::to_string(c.y()), "click", "1"});
}

// The dialog opened by a double click without emulator on a ten-button pad:
// "Auto..." with a key typed for each of the 14 steps, then a click on pad
// button A and a real key press of "x", Save. Every direction and button
// then types its own key at the client window.
TEST(AppJoyConfigOnX, KeysAssignedByAutoAndByClickAndKeyAreTypedByThePad) {
    PadrixOnX padrix(PadrixOnXSetup{.buttons = 10});
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    ConfigDialogOpener opener(padrix.form(), padrix.DialogPorts());
    padrix.form().OnIconMessage(kTrayLeftDoubleClick);
    QPointer<ConfigDialog> dialog = opener.dialog();
    ASSERT_FALSE(dialog.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));

    const std::vector<std::string> keys{"q", "w", "e", "r", "t", "y", "u",
                                        "i", "o", "p", "a", "s", "d", "f"};
    std::size_t sent = 0;
    QString answered;
    QTimer responder;
    QObject::connect(&responder, &QTimer::timeout, [&] {
        AutoConfigPrompt* prompt = dialog ? dialog->autoConfigPrompt() : nullptr;
        if (prompt == nullptr || !prompt->isVisible() || !dialog->captureBusy() ||
            prompt->buttonLabel().text() == answered || sent == keys.size()) {
            return;
        }
        answered = prompt->buttonLabel().text();
        Xdotool({"windowfocus", "--sync", std::to_string(prompt->winId()), "key", keys[sent++]});
    });
    responder.start(10);
    ASSERT_TRUE(ClickOn(dialog->autoConfigButton()));
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return sent == keys.size() && !dialog->captureBusy(); }, 20000));
    responder.stop();

    // The key goes out once the capture waits, from inside its wait.
    bool keySent = false;
    QTimer whileWaiting;
    QObject::connect(&whileWaiting, &QTimer::timeout, [&] {
        if (!keySent && dialog && dialog->captureBusy()) {
            keySent =
                Xdotool({"windowfocus", "--sync", std::to_string(dialog->winId()), "key", "x"});
        }
    });
    whileWaiting.start(10);
    ASSERT_TRUE(ClickOn(dialog->padButton(3)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->Tag(3) == "88"; }, 10000));
    EXPECT_EQ(dialog->keyLabel(3).text(), "X");
    ASSERT_TRUE(ClickOn(dialog->saveButton()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }, 10000));

    ASSERT_TRUE(padrix.FocusClient());
    VirtualPad& pad = padrix.pad();
    // Up, Down, Left, Right, then buttons 0 to 9, as the steps asked them;
    // button 0 is A, assigned again by the click.
    const std::vector<std::pair<std::function<void(bool)>, unsigned long>> inputs{
        {[&](bool on) { pad.SetAxis(1, on ? -32768 : 0); }, XK_q},
        {[&](bool on) { pad.SetAxis(1, on ? 32767 : 0); }, XK_w},
        {[&](bool on) { pad.SetAxis(0, on ? -32768 : 0); }, XK_e},
        {[&](bool on) { pad.SetAxis(0, on ? 32767 : 0); }, XK_r},
    };
    for (const auto& [set, keysym] : inputs) {
        set(true);
        EXPECT_TRUE(padrix.WaitForKey(keysym, true)) << keysym;
        set(false);
        EXPECT_TRUE(padrix.WaitForKey(keysym, false)) << keysym;
    }
    const unsigned long buttonKeys[] = {XK_x, XK_y, XK_u, XK_i, XK_o, XK_p, XK_a, XK_s, XK_d, XK_f};
    for (int b = 0; b < 10; ++b) {
        pad.SetButton(b, true);
        EXPECT_TRUE(padrix.WaitForKey(buttonKeys[b], true)) << b;
        pad.SetButton(b, false);
        EXPECT_TRUE(padrix.WaitForKey(buttonKeys[b], false)) << b;
    }
}

}  // namespace
}  // namespace padrix::testing
