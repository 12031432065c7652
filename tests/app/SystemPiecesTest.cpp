#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>

#include "app/AppTexts.h"
#include "app/SeededRandom.h"
#include "app/SingleInstance.h"
#include "app/SystemClock.h"
#include "app/TerminationSignals.h"
#include "app/TrayMessage.h"

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
        SingleInstance second(dir.path());
        EXPECT_FALSE(second.Acquire());
    }
    const pid_t child = fork();
    if (child == 0) {
        SingleInstance crashed(dir.path());
        _exit(crashed.Acquire() ? 0 : 1);  // exits holding the lock
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    SingleInstance next(dir.path());
    EXPECT_TRUE(next.Acquire());
}

TEST(AppSystem, RandomNumbersStayInTheUnitInterval) {
    SeededRandom random(12345);
    float lowest = 1, highest = 0;
    for (int i = 0; i < 100000; ++i) {
        const float r = random.Next();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    EXPECT_LT(lowest, 0.001f);
    EXPECT_GT(highest, 0.999f);
    SeededRandom same(12345);
    SeededRandom again(12345);
    EXPECT_EQ(same.Next(), again.Next());
}

TEST(AppSystem, LocalTimeIsAPlausibleDate) {
    SystemClock clock;
    const LocalDateTime t = clock.LocalNow();
    EXPECT_GE(t.year, 2024);
    EXPECT_TRUE(t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31);
    EXPECT_TRUE(t.hour >= 0 && t.hour <= 23 && t.minute <= 59 && t.second <= 60);
    const auto a = clock.MonotonicMicros();
    EXPECT_GE(clock.MonotonicMicros(), a);
}

TEST(AppSystem, TipIsTheCaptionAndCreditCutTo63Characters) {
    EXPECT_EQ(IconTip("Padrix 1.10 for DirectX8"), "Padrix 1.10 for DirectX8" + kTipCredit);
    EXPECT_EQ(IconTip(QString(100, 'x')), QString(63, 'x'));
}

TEST(AppSystem, QtActivationsMapToTheIconMessages) {
    EXPECT_EQ(TrayMessageOf(QSystemTrayIcon::DoubleClick), kTrayLeftDoubleClick);
    EXPECT_EQ(TrayMessageOf(QSystemTrayIcon::Context), kTrayRightUp);
    EXPECT_EQ(TrayMessageOf(QSystemTrayIcon::Trigger), kTrayLeftDown);
    EXPECT_EQ(TrayMessageOf(QSystemTrayIcon::MiddleClick), kTrayMiddleUp);
    EXPECT_EQ(TrayMessageOf(QSystemTrayIcon::Unknown), kTrayMouseMove);
}

}  // namespace
}  // namespace padrix
