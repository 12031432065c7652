#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>

#include "app/SeededRandom.h"
#include "app/SingleInstance.h"
#include "app/TerminationSignals.h"

namespace padrix {
namespace {

TEST(AppSystem, TerminationSignalsArriveOnTheEventLoop) {
    TerminationSignals watcher;
    ASSERT_TRUE(watcher.Installed());
    TerminationSignals second;
    EXPECT_FALSE(second.Installed()) << "one watcher at a time";
    QSignalSpy spy(&watcher, &TerminationSignals::terminationRequested);
    for (int s : {SIGTERM, SIGINT, SIGHUP}) {
        spy.clear();
        ASSERT_EQ(kill(getpid(), s), 0);
        ASSERT_TRUE(spy.wait(10000)) << s;
        EXPECT_EQ(spy.takeFirst().at(0).toInt(), s);
    }
}

TEST(AppSystem, SingleInstanceLockIsHeldOnceAndTakenOverFromADeadOwner) {
    QTemporaryDir dir;
    {
        SingleInstance first(dir.path());
        ASSERT_TRUE(first.Acquire());
        EXPECT_TRUE(first.Acquire()) << "asking again keeps the lock";
        EXPECT_FALSE(SingleInstance(dir.path()).Acquire());
    }
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance crashed(dir.path());
        _exit(crashed.Acquire() ? 0 : 1);  // exits holding the lock
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_TRUE(SingleInstance(dir.path()).Acquire());
}

TEST(AppSystem, RandomNumbersFillTheUnitIntervalWithoutReachingOne) {
    SeededRandom random(12345);
    float lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.Next();
        ASSERT_TRUE(r >= 0.0f && r < 1.0f) << r;
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
}

}  // namespace
}  // namespace padrix
