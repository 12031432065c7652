#include <gtest/gtest.h>

#include <QDir>

#include "app/CommandLine.h"
#include "common/Version.h"

namespace padrix::testing {
namespace {

CommandLine Parse(QStringList args) {
    args.prepend(QStringLiteral("padrix"));
    return ParseCommandLine(args);
}

TEST(AppCommandLine, OptionsThatStartTheProgram) {
    struct Case {
        QStringList args;
        bool noLaunch;
        QString settings;  // relative to the current folder unless absolute
    };
    const Case cases[] = {
        {{}, false, {}},
        {{"--no-launch"}, true, {}},
        {{"--settings", "/tmp/other.ini"}, false, "/tmp/other.ini"},
        {{"--settings=mine.ini", "--no-launch"}, true, "mine.ini"},
        {{"--no-launch", "--settings", "sub/../x.ini"}, true, "x.ini"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CommandLine line = Parse(c.args);
        ASSERT_FALSE(line.exitStatus.has_value()) << line.output.toStdString();
        EXPECT_EQ(line.start.noLaunch, c.noLaunch);
        const QString expected =
            c.settings.isEmpty() ? QString() : QDir::current().absoluteFilePath(c.settings);
        EXPECT_EQ(QString::fromStdString(line.start.settingsPath), QDir::cleanPath(expected));
    }
}

TEST(AppCommandLine, HelpAndVersionEndAtOnceWithStatusZero) {
    for (const char* option : {"--help", "-h", "--no-launch --help"}) {
        const CommandLine line = Parse(QString::fromLatin1(option).split(' '));
        EXPECT_EQ(line.exitStatus, 0) << option;
        for (const char* named : {"--help", "--version", "--no-launch", "--settings <file>"}) {
            EXPECT_TRUE(line.output.contains(QLatin1String(named))) << named;
        }
    }
    for (const char* option : {"--version", "-v"}) {
        const CommandLine line = Parse({QString::fromLatin1(option)});
        EXPECT_EQ(line.exitStatus, 0);
        EXPECT_EQ(line.output, QStringLiteral("padrix %1\n").arg(QLatin1String(kPadrixVersion)));
    }
}

// Anything unknown ends with one line on standard error and status 2.
TEST(AppCommandLine, UnknownOptionsAndArgumentsAreRefusedInOneLine) {
    const std::pair<QStringList, const char*> cases[] = {
        {{"--bogus"}, "Unknown option 'bogus'."},
        {{"-x"}, "'x'"},
        {{"--no-launch", "game.iso"}, "Unexpected argument 'game.iso'."},
        {{"--settings"}, "Missing value after '--settings'."},
        {{"--settings="}, "--settings"},
        {{"--no-launch=yes"}, "no-launch"},
        {{"-platform", "xcb"}, "'platform'"},
        {{"-hv"}, "'hv'"},
        {{"two\nlines"}, "'two?lines'"},
    };
    for (const auto& [args, named] : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const CommandLine line = Parse(args);
        EXPECT_EQ(line.exitStatus, kUsageErrorStatus);
        EXPECT_TRUE(line.output.startsWith(QLatin1String("padrix: ")));
        EXPECT_TRUE(line.output.contains(QLatin1String(named))) << line.output.toStdString();
        EXPECT_EQ(line.output.count('\n'), 1);
        EXPECT_TRUE(line.output.endsWith('\n'));
    }
}

// A request for the running Padrix: one of them, with a good value.
TEST(AppCommandLine, RequestsForTheRunningPadrix) {
    const struct {
        QStringList args;
        std::optional<Request> request;
        int status;           // when the line ends at once
        const char* problem;  // in its one line
    } cases[] = {
        {{"--profile", "Arena"}, ProfileRequest{"Arena"}, 0, ""},
        {{"--layout=vgs", "--no-launch"}, LayoutRequest{Layout::Vgs}, 0, ""},
        {{"--mapping", "toggle"}, MappingRequest{MappingChange::Toggle}, 0, ""},
        {{"--status"}, StatusRequest{}, 0, ""},
        {{"--quit"}, QuitRequest{}, 0, ""},
        {{"--profile", ""}, {}, kBadValueStatus, "The profile name is empty."},
        {{"--profile", "a\nb"}, {}, kBadValueStatus, "control character"},
        {{"--layout", "snes"}, {}, kBadValueStatus, "Unknown layout 'snes'"},
        {{"--mapping", "ON"}, {}, kBadValueStatus, "Unknown mapping state 'ON'"},
        {{"--status", "--quit"}, {}, kUsageErrorStatus, "Give one of --profile"},
        {{"--profile"}, {}, kUsageErrorStatus, "Missing value after '--profile'."},
        {{"--quit=now"}, {}, kUsageErrorStatus, "quit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CommandLine line = Parse(c.args);
        EXPECT_EQ(line.exitStatus.value_or(0), c.status);
        EXPECT_EQ(line.start.request, c.request);
        EXPECT_TRUE(line.output.contains(QLatin1String(c.problem))) << line.output.toStdString();
        EXPECT_EQ(line.output.count('\n'), c.status == 0 ? 0 : 1);
    }
}

}  // namespace
}  // namespace padrix::testing
