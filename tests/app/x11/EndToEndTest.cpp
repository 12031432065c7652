#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>

#include "PadrixOnX.h"
#include "XvfbServer.h"
#include "app/TerminationSignals.h"

namespace padrix::testing {

// Nine controllers: start-up opens the first eight, each with its twelve
// buttons, and the eighth types its keys; M is a modifier, so M+A types
// Escape; a button held at SIGTERM is released at the client.
TEST(AppEndToEnd, PadsTypeTheirKeysAtTheFocusedClientUntilSigterm) {
    PadrixOnX padrix(PadrixOnXSetup{.select = false, .pads = 9});
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    ASSERT_EQ(padrix.form().session().menu().layout, Layout::Vgs);
    const PadTables& tables = padrix.form().session().engine().tables();
    EXPECT_EQ(tables.joypadCount, 8);
    for (int n = 0; n < kMaxJoypads; ++n) {
        EXPECT_NE(tables.joypadDevices[n], nullptr);
        EXPECT_EQ(tables.joypadMaxButton[n], 11);
    }
    padrix.pad(8).SetButton(1, true);
    EXPECT_TRUE(padrix.WaitForKey(XK_k, true));
    padrix.pad(8).SetButton(1, false);
    EXPECT_TRUE(padrix.WaitForKey(XK_k, false));

    padrix.pad().SetButton(9, true);
    padrix.pad().SetButton(0, true);
    EXPECT_TRUE(padrix.WaitForKey(XK_Escape, true));
    EXPECT_TRUE(padrix.WaitForKey(XK_Escape, false));
    padrix.pad().SetButton(0, false);
    padrix.pad().SetButton(9, false);

    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &padrix.form(),
                     &TrayApplication::Unload);
    padrix.pad().SetButton(0, true);
    ASSERT_TRUE(padrix.WaitForKey(XK_j, true));
    ASSERT_EQ(kill(getpid(), SIGTERM), 0);
    EXPECT_TRUE(padrix.WaitForKey(XK_j, false));
    EXPECT_TRUE(padrix.form().Unloaded());
}

static bool Idle(PadrixOnX& padrix) {
    return QTest::qWaitFor([&] { return !padrix.form().pollingTimer().Precise(); }, 5000);
}

// The program sleeps until the doorbell rings, and the key leaves at once;
// the housekeeping tick finds a controller that came back, with its new doorbell.
TEST(AppEndToEnd, DoorbellsWakeTheIdleProgramAndAReturningControllerRingsItsNewOne) {
    PadrixOnX padrix(PadrixOnXSetup{.doorbells = true});
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    ASSERT_TRUE(Idle(padrix)) << "X11 keys come as events, the joypad has a doorbell";
    for (int i = 0; i < 3; ++i) {
        padrix.pad().SetButton(0, true);
        padrix.Ring();
        EXPECT_TRUE(padrix.WaitForKey(XK_j, true));
        padrix.pad().SetButton(0, false);
        padrix.Ring();
        EXPECT_TRUE(padrix.WaitForKey(XK_j, false));
        EXPECT_TRUE(Idle(padrix));
    }
    ASSERT_EQ(padrix.DoorbellOpens(), 1);
    padrix.pad().Detach();
    padrix.Ring();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !padrix.form().session().engine().tables().joypadDevices[0]->Present(); },
        5000));
    ASSERT_TRUE(Idle(padrix)) << "a controller that is away needs no polling";
    padrix.pad().Attach();
    ASSERT_TRUE(QTest::qWaitFor([&] { return padrix.DoorbellOpens() == 2; }, 5000));
    padrix.pad().SetButton(1, true);
    padrix.Ring();
    EXPECT_TRUE(padrix.WaitForKey(XK_k, true));
    padrix.pad().SetButton(1, false);
    padrix.Ring();
    EXPECT_TRUE(padrix.WaitForKey(XK_k, false));
}

}  // namespace padrix::testing

// The X server comes first and lasts longest: Qt and the output backend
// connect to it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const bool listing = testing::GTEST_FLAG(list_tests);
    std::optional<padrix::testing::XvfbServer> x;
    if (!listing && x.emplace().ok()) {
        setenv("DISPLAY", x->display().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
