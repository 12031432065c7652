#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <csignal>
#include <initializer_list>
#include <tuple>
#include <vector>

#include "app/AppPaths.h"
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
    SingleInstance second(dir.path());
    {
        SingleInstance first(dir.path());
        ASSERT_TRUE(first.Acquire());
        EXPECT_TRUE(first.Acquire()) << "asking again keeps the lock";
        EXPECT_FALSE(second.Acquire());
    }
    EXPECT_FALSE(second.Acquire()) << "later answers repeat the one try";
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

// Sets environment variables for the life of the object.
class ScopedEnvironment {
  public:
    ScopedEnvironment(std::initializer_list<std::pair<const char*, QString>> values) {
        for (const auto& [name, value] : values) {
            saved_.emplace_back(name, qEnvironmentVariableIsSet(name), qgetenv(name));
            qputenv(name, value.toLocal8Bit());
        }
    }
    ~ScopedEnvironment() {
        for (const auto& [name, wasSet, value] : saved_) {
            wasSet ? qputenv(name, value) : qunsetenv(name);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    std::vector<std::tuple<const char*, bool, QByteArray>> saved_;
};

// Without a usable runtime folder the lock must not go to the temporary
// folder that all users share.
TEST(AppSystem, WithoutARuntimeFolderTheLockGoesToTheUsersCache) {
    const passwd* user = getpwuid(geteuid());
    ASSERT_NE(user, nullptr);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("tmp");
    // Qt's stand-in runtime folder cannot be made where a file has its name.
    QFile blocker(dir.filePath("tmp/runtime-") + QString::fromLocal8Bit(user->pw_name));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    const ScopedEnvironment environment{{"XDG_RUNTIME_DIR", QString()},
                                        {"TMPDIR", dir.filePath("tmp")},
                                        {"XDG_CACHE_HOME", dir.filePath("cache")}};
    ASSERT_TRUE(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation).isEmpty());
    const QString folder = RuntimeFolder();
    EXPECT_TRUE(folder.startsWith(dir.filePath("cache") + "/")) << folder.toStdString();
    EXPECT_TRUE(SingleInstance(folder).Acquire());
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
