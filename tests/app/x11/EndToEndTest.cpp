#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <QApplication>

#include "PadrixOnX.h"
#include "app/TerminationSignals.h"

namespace padrix::testing {
namespace {

TEST(AppEndToEnd, PadButtonTypesItsKeyAtTheFocusedClient) {
    PadrixOnX padrix;
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    ASSERT_EQ(padrix.form().tray().layout, Layout::Vgs);
    padrix.pad().SetButton(0, true);
    EXPECT_TRUE(padrix.WaitForKey(XK_j, true));
    padrix.pad().SetButton(0, false);
    EXPECT_TRUE(padrix.WaitForKey(XK_j, false));
}

TEST(AppEndToEnd, MWithATypesEscapeWhenMIsAModifier) {
    PadrixOnX padrix(false);
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    padrix.pad().SetButton(9, true);
    padrix.pad().SetButton(0, true);
    EXPECT_TRUE(padrix.WaitForKey(XK_Escape, true));
    EXPECT_TRUE(padrix.WaitForKey(XK_Escape, false));
    padrix.pad().SetButton(0, false);
    padrix.pad().SetButton(9, false);
}

TEST(AppEndToEnd, AButtonHeldAtSigtermIsReleasedAtTheClient) {
    PadrixOnX padrix;
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, &padrix.form(),
                     &formPadrix::Form_Unload);
    padrix.pad().SetButton(0, true);
    ASSERT_TRUE(padrix.WaitForKey(XK_j, true));
    ASSERT_EQ(kill(getpid(), SIGTERM), 0);
    EXPECT_TRUE(padrix.WaitForKey(XK_j, false));
    EXPECT_TRUE(padrix.form().Unloaded());
}

}  // namespace
}  // namespace padrix::testing

// The X server comes first: Qt and the output backend connect to it.
int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const bool listing = testing::GTEST_FLAG(list_tests);
    if (!listing && padrix::testing::TestDisplay().ok()) {
        setenv("DISPLAY", padrix::testing::TestDisplay().name().c_str(), 1);
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    return RUN_ALL_TESTS();
}
