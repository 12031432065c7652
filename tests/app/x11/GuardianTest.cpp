// gtest and Qt before Xlib: Xlib's macros (None, Bool, Status) break their headers.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>

#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include "Child.h"
#include "TestWindow.h"
#include "XvfbServer.h"

namespace padrix::testing {
namespace {

// A Padrix with its guardian (GuardedPadrix) holding a key or a mouse button
// at a client window of the test's own, on a private display.
class AppGuardian : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        ASSERT_TRUE(window.mapped());
        // An orphaned guardian becomes this process's child, to be waited for.
        ASSERT_EQ(prctl(PR_SET_CHILD_SUBREAPER, 1), 0);
        z = XKeysymToKeycode(window.display(), XK_z);
        // A held key would repeat as releases and presses: only sent ones count.
        window.StopKeyRepeat();
    }
    void TearDown() override { UserKey(false); }

    std::unique_ptr<Child> StartPadrix(const char* holding) {
        Environment env = x.Env();
        env["QT_QPA_PLATFORM"] = "xcb";
        env["ASAN_OPTIONS"] = "detect_leaks=0";
        env["HOME"] = dir.path().toStdString();
        env["XDG_RUNTIME_DIR"] = dir.path().toStdString();
        return std::make_unique<Child>(
            std::vector<std::string>{PADRIX_GUARDED_HOST, holding, std::to_string(window.id())},
            env);
    }
    pid_t GuardianOf(const Child& padrix) {
        const auto found = ChildrenOf(padrix.pid(), "padrix-guardian");
        return found.size() == 1 ? found.front() : -1;
    }

    // Waits until the window has received `kind` of the key with `keysym`
    // (or of button `keysym`); what came before it is dropped.
    bool Await(Seen kind, unsigned long keysym) {
        const auto matches = [&](const SeenEvent& e) {
            const bool key = kind == Seen::kKeyPress || kind == Seen::kKeyRelease;
            return e.kind == kind && (key ? e.keysym == keysym : e.detail == keysym);
        };
        return window.WaitForEvents(
            [&] {
                for (const SeenEvent& e : window.Drain()) {
                    seen.push_back(e);
                }
                const auto it = std::find_if(seen.begin(), seen.end(), matches);
                if (it == seen.end()) {
                    return false;
                }
                seen.erase(seen.begin(), it + 1);
                return true;
            },
            10000);
    }
    // The user holds Z on the keyboard, a client of its own.
    void UserKey(bool down) {
        XTestFakeKeyEvent(window.display(), z, down ? True : False, CurrentTime);
        XSync(window.display(), False);
    }
    bool UserKeyDown() {
        char keys[32];
        XQueryKeymap(window.display(), keys);
        return (keys[z / 8] & (1 << (z % 8))) != 0;
    }
    static bool Reaped(pid_t guardian, int& status) {
        return WaitUntil([&] { return waitpid(guardian, &status, WNOHANG) == guardian; });
    }

    XvfbServer x;
    TestWindow window{x.display(), "Client"};
    QTemporaryDir dir;
    std::vector<SeenEvent> seen;
    KeyCode z = 0;
};

// Killed or crashed with a key or, in mouse mode, a mouse button held, the
// release still reaches the client; after an orderly exit the guardian
// touches nothing and is gone. The user's own key stays down throughout.
TEST_F(AppGuardian, AHeldInputIsReleasedOnceHoweverPadrixEnds) {
    const struct {
        const char* holding;
        int signal;
    } cases[] = {{"key", SIGKILL}, {"key", SIGSEGV}, {"mouse", SIGKILL}, {"key", SIGTERM}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.holding) + " " + std::to_string(c.signal));
        const bool mouse = std::string(c.holding) == "mouse";
        const Seen press = mouse ? Seen::kButtonPress : Seen::kKeyPress;
        const Seen release = mouse ? Seen::kButtonRelease : Seen::kKeyRelease;
        const unsigned long held = mouse ? 3 : XK_j;
        seen.clear();
        auto padrix = StartPadrix(c.holding);
        ASSERT_TRUE(Await(press, held));
        const pid_t guardian = GuardianOf(*padrix);
        ASSERT_GT(guardian, 0);
        UserKey(true);
        ASSERT_EQ(kill(padrix->pid(), c.signal), 0);
        int status = -1;
        if (c.signal == SIGTERM) {
            ASSERT_TRUE(padrix->WaitExit(20000, &status));
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_NE(kill(guardian, 0), 0) << "Padrix waited for its guardian to end";
            // Everything Padrix and its guardian sent has been processed by now.
            for (const SeenEvent& e : window.Collect()) {
                seen.push_back(e);
            }
            EXPECT_EQ(std::count_if(seen.begin(), seen.end(),
                                    [&](const SeenEvent& e) {
                                        return e.kind == release && e.keysym == held;
                                    }),
                      1)
                << "released once, by Padrix itself";
        } else {
            EXPECT_TRUE(Await(release, held));
            EXPECT_TRUE(Reaped(guardian, status)) << "the guardian ends with the release";
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
            EXPECT_TRUE(padrix->WaitExit(10000));
        }
        EXPECT_TRUE(UserKeyDown()) << "the user's own key stays down";
        UserKey(false);
    }
}

}  // namespace
}  // namespace padrix::testing
