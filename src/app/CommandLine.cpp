#include "CommandLine.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <variant>

#include "common/Version.h"
#include "settings/SettingsPath.h"

namespace padrix {
namespace {

const QString kCommand = QStringLiteral("padrix");

CommandLine Ended(int status, const QString& output) {
    return {status, output, {}};
}

// One line, whatever the arguments hold.
CommandLine Refused(QString why) {
    why.replace(QRegularExpression(QStringLiteral("[\\x00-\\x1f]")), QStringLiteral("?"));
    return Ended(kUsageErrorStatus, QStringLiteral("%1: %2 Try '%1 --help'.\n").arg(kCommand, why));
}

// The request of the one option among --profile, --layout, --mapping,
// --status and --quit that is given.
struct RequestOption {
    QCommandLineOption option;
    const char* keyword;
    bool takesValue;
};

std::variant<Request, RequestError> RequestOf(const RequestOption& given,
                                              const QCommandLineParser& parser) {
    std::string line = given.keyword;
    if (given.takesValue) {
        line += ' ' + parser.value(given.option).toStdString();
    }
    return ParseRequest(line);
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Turns the buttons and directions of game controllers into keyboard and\n"
                       "mouse events for the focused window. Runs in the notification area."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and end."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and end."));
    const QCommandLineOption noLaunch(
        QStringLiteral("no-launch"),
        QStringLiteral("Do not bring up the emulator at start, as when Shift is held."));
    const QCommandLineOption settings(QStringLiteral("settings"),
                                      QStringLiteral("Use <file> as the settings file instead of\n"
                                                     "$XDG_CONFIG_HOME/Padrix/Padrix.ini."),
                                      QStringLiteral("file"));
    const RequestOption requests[] = {
        {{QStringLiteral("profile"),
          QStringLiteral("Use the named profile for every joypad (any letter case)."),
          QStringLiteral("name")},
         "profile",
         true},
        {{QStringLiteral("layout"), QStringLiteral("Use a layout: snes9x, vgs or custom."),
          QStringLiteral("layout")},
         "layout",
         true},
        {{QStringLiteral("mapping"), QStringLiteral("Turn mapping on, off or toggle it."),
          QStringLiteral("state")},
         "mapping",
         true},
        {{QStringLiteral("status"),
          QStringLiteral("Show the running Padrix's mapping, layout or profile and joypads.")},
         "status",
         false},
        {{QStringLiteral("quit"), QStringLiteral("End the running Padrix.")}, "quit", false},
    };
    parser.addOptions({help, version, noLaunch, settings});
    for (const RequestOption& request : requests) {
        parser.addOption(request.option);
    }
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    if (!parser.parse(arguments)) {
        return Refused(parser.errorText());
    }
    if (const QStringList extra = parser.positionalArguments(); !extra.isEmpty()) {
        return Refused(QStringLiteral("Unexpected argument '%1'.").arg(extra.front()));
    }
    if (parser.isSet(help)) {
        return Ended(0, parser.helpText());
    }
    if (parser.isSet(version)) {
        return Ended(0, QStringLiteral("%1 %2\n").arg(kCommand, QLatin1String(kPadrixVersion)));
    }
    const RequestOption* given = nullptr;
    for (const RequestOption& request : requests) {
        if (parser.isSet(request.option)) {
            if (given != nullptr) {
                return Refused(QStringLiteral(
                    "Give one of --profile, --layout, --mapping, --status and --quit."));
            }
            given = &request;
        }
    }
    CommandLine line;
    if (given != nullptr) {
        auto request = RequestOf(*given, parser);
        if (const auto* error = std::get_if<RequestError>(&request)) {
            return Ended(
                kBadValueStatus,
                QStringLiteral("%1: %2\n").arg(kCommand, QString::fromStdString(error->text)));
        }
        line.start.request = std::get<Request>(std::move(request));
    }
    line.start.noLaunch = parser.isSet(noLaunch);
    if (parser.isSet(settings)) {
        const QString file = parser.value(settings);
        if (file.isEmpty()) {
            return Refused(QStringLiteral("--settings needs a file name."));
        }
        line.start.settingsPath = QFileInfo(file).absoluteFilePath().toStdString();
    }
    return line;
}

std::optional<int> ReadCommandLine(int argc, char** argv, StartOptions& start) {
    CommandLine line;
    {
        // Enough of an application for the parser's help text; the real one,
        // which needs a display, comes after it.
        const QCoreApplication core(argc, argv);
        line = ParseCommandLine(QCoreApplication::arguments());
    }
    if (line.exitStatus) {
        const QByteArray text = line.output.toLocal8Bit();
        std::fputs(text.constData(), *line.exitStatus == 0 ? stdout : stderr);
        return line.exitStatus;
    }
    start = line.start;
    if (start.settingsPath.empty()) {
        start.settingsPath = DefaultSettingsPath();
    }
    return std::nullopt;
}

}  // namespace padrix
