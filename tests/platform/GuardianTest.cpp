// gtest before Xlib: Xlib's macros (None, Bool, ...) break its headers.
#include <gtest/gtest.h>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Child.h"
#include "XvfbServer.h"
#include "platform/Guardian.h"
#include "platform/x11/X11Session.h"

namespace padrix::testing {
namespace {

// A private display with a connection of the test's own, which stands for
// the user's keyboard and for the program's output alike: the X server keeps
// one state per key, whoever pressed it.
class PlatformGuardian : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(xvfb.ok()) << "Xvfb did not start";
        ASSERT_NE(d, nullptr);
        j = XKeysymToKeycode(d.get(), XK_j);
        z = XKeysymToKeycode(d.get(), XK_z);
    }
    void TearDown() override {
        if (d) {
            for (KeyCode k : {j, z}) {
                XTestFakeKeyEvent(d.get(), k, False, CurrentTime);
            }
            XTestFakeButtonEvent(d.get(), 1, False, CurrentTime);
            XSync(d.get(), False);
        }
    }
    void Press(KeyCode k) {
        XTestFakeKeyEvent(d.get(), k, True, CurrentTime);
        XSync(d.get(), False);
    }
    bool KeyDown(KeyCode k) {
        char keys[32];
        XQueryKeymap(d.get(), keys);
        return (keys[k / 8] & (1 << (k % 8))) != 0;
    }
    bool ButtonOneDown() {
        Window root = 0;
        Window child = 0;
        int x = 0;
        int y = 0;
        unsigned mask = 0;
        XQueryPointer(d.get(), DefaultRootWindow(d.get()), &root, &child, &x, &y, &x, &y, &mask);
        return (mask & Button1Mask) != 0;
    }

    XvfbServer xvfb{320, 240};
    x11::DisplayPtr d = x11::OpenDisplay(xvfb.display());
    KeyCode j = 0;
    KeyCode z = 0;
};

TEST_F(PlatformGuardian, AfterAnOrderlyEndItTouchesNothingAndIsGone) {
    Guardian guardian = Guardian::Start(PADRIX_GUARDIAN_PROGRAM, xvfb.display());
    ASSERT_NE(guardian.page(), nullptr);
    const pid_t pid = guardian.pid();
    Press(j);
    guardian.page()->SetKey(j, true);
    guardian = Guardian();
    EXPECT_TRUE(KeyDown(j)) << "an orderly exit has released everything itself";
    EXPECT_NE(kill(pid, 0), 0) << "the guardian has ended and was waited for";
}

// The program dies without a word: the guardian releases exactly what the
// page holds, the keys a user holds stay down, and it ends at once.
TEST_F(PlatformGuardian, WhenTheProgramDiesItReleasesExactlyWhatThePageHolds) {
    // Orphaned, the guardian becomes this process's child, to be waited for.
    ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
    int report[2];
    ASSERT_EQ(pipe(report), 0);
    Press(j);
    Press(z);
    XTestFakeButtonEvent(d.get(), 1, True, CurrentTime);
    XSync(d.get(), False);
    const pid_t program = fork();
    ASSERT_GE(program, 0);
    if (program == 0) {
        Guardian guardian = Guardian::Start(PADRIX_GUARDIAN_PROGRAM, xvfb.display());
        const pid_t pid = guardian.pid();
        if (guardian.page() != nullptr) {
            guardian.page()->SetKey(j, true);
            guardian.page()->SetButton(1, true);
        }
        (void)!write(report[1], &pid, sizeof pid);
        _exit(0);  // no destructor runs: no orderly exit
    }
    close(report[1]);
    pid_t guardianPid = -1;
    ASSERT_EQ(read(report[0], &guardianPid, sizeof guardianPid), ssize_t{sizeof guardianPid});
    close(report[0]);
    waitpid(program, nullptr, 0);
    ASSERT_GT(guardianPid, 0);
    int status = -1;
    EXPECT_TRUE(WaitUntil([&] { return waitpid(guardianPid, &status, WNOHANG) == guardianPid; }));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_FALSE(KeyDown(j));
    EXPECT_FALSE(ButtonOneDown());
    EXPECT_TRUE(KeyDown(z)) << "the user's key stays down";
}

TEST_F(PlatformGuardian, WithoutItsProgramItIsInert) {
    Guardian guardian = Guardian::Start("/nonexistent/padrix-guardian", xvfb.display());
    EXPECT_EQ(guardian.page(), nullptr);
    EXPECT_LT(guardian.pid(), 0);
}

}  // namespace
}  // namespace padrix::testing
