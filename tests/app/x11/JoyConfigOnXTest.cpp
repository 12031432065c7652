#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>

#include "Child.h"
#include "PadrixOnX.h"
#include "app/JoyConfigOpener.h"
#include "app/TrayMessage.h"
#include "dialogs/formGameControllers.h"

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

// The dialog opened from the menu entry or by a double click without
// emulator: a click on pad button A, a real key press of "x", Save; then the
// pad's button 0 types "x" at the client window.
class AppJoyConfigOnX : public ::testing::TestWithParam<bool> {};

TEST_P(AppJoyConfigOnX, AKeyAssignedByClickAndKeyIsTypedByThePad) {
    PadrixOnX padrix;
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    formPadrix& form = padrix.form();
    JoyConfigOpener opener(
        form,
        JoyConfigPorts{form,
                       padrix.settings(),
                       [&padrix] { return std::make_unique<SdlControllerAccess>(padrix.clock()); },
                       {},
                       [&padrix](QWidget* parent) {
                           return new formGameControllers(padrix.clock(), parent);
                       }});
    if (GetParam()) {
        form.mnuConfig_Click();
    } else {
        form.Form_MouseMove(kTrayLeftDoubleClick);
    }
    QPointer<formJoyConfig> dialog = opener.dialog();
    ASSERT_FALSE(dialog.isNull());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));

    // The key goes out once the capture waits, from inside its wait.
    bool keySent = false;
    QTimer whileWaiting;
    QObject::connect(&whileWaiting, &QTimer::timeout, [&] {
        if (!keySent && dialog && dialog->CaptureBusy) {
            keySent =
                Xdotool({"windowfocus", "--sync", std::to_string(dialog->winId()), "key", "x"});
        }
    });
    whileWaiting.start(10);
    ASSERT_TRUE(ClickOn(dialog->btnJoy(3)));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->Tag(3) == "88"; }, 10000));
    EXPECT_EQ(dialog->lblStatus(3).text(), "X");
    ASSERT_TRUE(ClickOn(dialog->btnSave()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }, 10000));

    ASSERT_TRUE(padrix.FocusClient());
    padrix.pad().SetButton(0, true);
    EXPECT_TRUE(padrix.WaitForKey(XK_x, true));
    padrix.pad().SetButton(0, false);
    EXPECT_TRUE(padrix.WaitForKey(XK_x, false));
}

INSTANTIATE_TEST_SUITE_P(MenuAndDoubleClick, AppJoyConfigOnX, ::testing::Bool());

}  // namespace
}  // namespace padrix::testing
