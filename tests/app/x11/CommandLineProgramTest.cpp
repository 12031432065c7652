// The programs' command lines, run as a user runs them.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>

#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <memory>

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
        const char* program;
        QStringList args;
        int status;
        const char* out;  // the start of standard output
        const char* err;  // the start of standard error, one line
    } cases[] = {
        {PADRIX_BINARY, {"--version"}, 0, "padrix " PADRIX_VERSION "\n", ""},
        {PADRIX_BINARY, {"--help"}, 0, "Usage: ", ""},
        {PADRIX_BINARY, {"--bogus"}, 2, "", "padrix: Unknown option 'bogus'."},
        {PADRIX_BINARY, {"--settings"}, 2, "", "padrix: Missing value after '--settings'."},
        {PADRIX_BINARY, {"--no-launch", "extra"}, 2, "", "padrix: Unexpected argument 'extra'."},
        {PADRIX_JOYTEST_BINARY, {"--version"}, 0, "padrix-joytest " PADRIX_VERSION "\n", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Outcome outcome = RunWithoutDisplay(c.program, c.args);
        EXPECT_EQ(outcome.status, c.status);
        const QString out = QString::fromUtf8(c.out);
        const QString err = QString::fromUtf8(c.err);
        EXPECT_EQ(outcome.out.left(out.size()), out);
        EXPECT_EQ(outcome.err.left(err.size()), err);
        EXPECT_EQ(outcome.err.count('\n'), c.status == 0 ? 0 : 1);
    }
}

QStringList FilesUnder(const QString& folder) {
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        files << it.next();
    }
    return files;
}

// The program on a private display with folders of its own and an emulator
// stand-in, found through the Wine registry, that notes each start.
class ProgramRun : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(x.ok()) << "Xvfb did not start";
        x.ProgramEnv(dir.path().toStdString());  // its folders, before the registry goes in
        QDir(dir.path()).mkpath("elsewhere");
        Write(emulator, "#!/bin/sh\necho \"$PADRIX_TEST_RUN\" >> '" + launchLog + "'\n");
        QFile::setPermissions(emulator, QFile::permissions(emulator) | QFileDevice::ExeOwner);
        Write(dir.filePath("prefix/system.reg"),
              "WINE REGISTRY Version 2\n\n"
              "[Software\\\\Connectix\\\\Connectix Virtual Game Station\\\\General] 1\n"
              "\"Location\"=\"" +
                  emulator + "\"\n");
    }

    static void Write(const QString& path, const QString& text) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    static QString Read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }

    std::unique_ptr<Child> Start(std::vector<std::string> args, const char* run) {
        Environment env = x.ProgramEnv(dir.path().toStdString());
        env["PADRIX_TEST_RUN"] = run;
        args.insert(args.begin(), PADRIX_BINARY);
        return std::make_unique<Child>(args, env);
    }

    // Ends the program the way the session would.
    static void Stop(Child& padrix) {
        kill(padrix.pid(), SIGTERM);
        int status = 0;
        ASSERT_TRUE(padrix.WaitExit(20000, &status));
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    PrivateDisplay x;
    QTemporaryDir dir;
    const QString emulator = dir.filePath("vgs-stand-in");
    const QString launchLog = dir.filePath("launched.txt");
};

// "Start Padrix with VGS" is on and the settings are kept elsewhere: the
// program writes only that file, leaving the user's folders empty, and
// --no-launch skips the emulator for that start only, the option staying on.
// The runs are told apart by their environment, which the emulator inherits.
TEST_F(ProgramRun, SettingsElsewhereAndNoLaunchForThatStartOnly) {
    const QString settings = dir.filePath("elsewhere/second setup.ini");
    Write(settings, "[Custom]\nVGSStartUp=-1\n");
    auto quiet = Start({"--no-launch", "--settings", settings.toStdString()}, "no-launch");
    // Start-up stores the layout it applied.
    ASSERT_TRUE(WaitUntil([&] { return Read(settings).contains("Last="); }))
        << "start-up did not get as far as the layout";
    Stop(*quiet);

    auto launching = Start({"--settings", settings.toStdString()}, "plain");
    ASSERT_TRUE(WaitUntil([&] { return !Read(launchLog).isEmpty(); })) << "no emulator started";
    Stop(*launching);
    EXPECT_EQ(Read(launchLog), QStringLiteral("plain\n"));
    EXPECT_TRUE(Read(settings).contains("VGSStartUp=-1"));
    EXPECT_EQ(FilesUnder(dir.filePath("config")), QStringList());
    EXPECT_EQ(FilesUnder(dir.filePath("home")), QStringList());
    EXPECT_EQ(FilesUnder(dir.filePath("elsewhere")), QStringList{settings});
}

}  // namespace
}  // namespace padrix::testing
