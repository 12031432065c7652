// The programs' command lines, run as a user runs them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>

#include "Child.h"
#include "PrivateDisplay.h"

namespace padrix::testing {
namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

// Runs a program with no display at all: what it prints must not need one.
Outcome RunWithoutDisplay(const char* program, const QStringList& args) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(QString::fromLatin1(program), args);
    EXPECT_TRUE(process.waitForFinished(30000));
    Outcome outcome;
    if (process.exitStatus() == QProcess::NormalExit) {
        outcome.status = process.exitCode();
    }
    outcome.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    outcome.err = QString::fromLocal8Bit(process.readAllStandardError());
    return outcome;
}

TEST(AppCommandLineProgram, AnswersWithoutADisplay) {
    const struct {
        QStringList args;
        int status;
        const char* out;  // the start of standard output
        const char* err;  // the start of standard error, one line
    } cases[] = {
        {{"--version"}, 0, "padrix " PADRIX_VERSION "\n", ""},
        {{"--help"}, 0, "Usage: ", ""},
        {{"--bogus"}, 2, "", "padrix: Unknown option 'bogus'."},
        {{"--settings"}, 2, "", "padrix: Missing value after '--settings'."},
        {{"--no-launch", "extra"}, 2, "", "padrix: Unexpected argument 'extra'."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome outcome = RunWithoutDisplay(PADRIX_BINARY, c.args);
        EXPECT_EQ(outcome.status, c.status);
        const QString out = QString::fromUtf8(c.out);
        const QString err = QString::fromUtf8(c.err);
        EXPECT_EQ(outcome.out.left(out.size()), out);
        EXPECT_EQ(outcome.err.left(err.size()), err);
        EXPECT_EQ(outcome.err.count('\n'), c.status == 0 ? 0 : 1);
    }
}

TEST(AppCommandLineProgram, JoytestTellsItsVersion) {
    const Outcome outcome = RunWithoutDisplay(PADRIX_JOYTEST_BINARY, {"--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, QStringLiteral("padrix-joytest " PADRIX_VERSION "\n"));
}

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

// The program on a private display, told to keep its settings elsewhere: the
// file named is written, the user's configuration folder stays empty.
TEST(AppCommandLineProgram, SettingsOptionWritesThatFileAndNothingElse) {
    PrivateDisplay x;
    ASSERT_TRUE(x.ok()) << "Xvfb did not start";
    QTemporaryDir dir;
    for (const char* d : {"config", "home", "runtime", "prefix", "elsewhere"}) {
        QDir(dir.path()).mkpath(d);
    }
    QFile::setPermissions(dir.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    Environment env = x.Env();
    env["XDG_CONFIG_HOME"] = dir.filePath("config").toStdString();
    env["XDG_RUNTIME_DIR"] = dir.filePath("runtime").toStdString();
    env["HOME"] = dir.filePath("home").toStdString();
    env["WINEPREFIX"] = dir.filePath("prefix").toStdString();
    env["QT_QPA_PLATFORM"] = "xcb";
    env["ASAN_OPTIONS"] = "detect_leaks=0";
    const QString settings = dir.filePath("elsewhere/second setup.ini");

    Child padrix({PADRIX_BINARY, "--no-launch", "--settings", settings.toStdString()}, env);
    // Start-up stores the layout it applied.
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo(settings).size() > 0; }))
        << "the settings file was not written";
    kill(padrix.pid(), SIGTERM);
    int status = 0;
    ASSERT_TRUE(padrix.WaitExit(20000, &status));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(FilesUnder(dir.filePath("config")), QStringList());
    EXPECT_EQ(FilesUnder(dir.filePath("home")), QStringList());
    EXPECT_EQ(FilesUnder(dir.filePath("elsewhere")), QStringList{settings});
}

}  // namespace
}  // namespace padrix::testing
