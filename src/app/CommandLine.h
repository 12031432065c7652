#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <string>

#include "remote/Request.h"

namespace padrix {

// What the command line asks of this start.
struct StartOptions {
    bool noLaunch = false;     // leave the emulator alone, as when Shift is held
    std::string settingsPath;  // empty: the user's own settings file
    // For the running Padrix, or for this start once it is up.
    std::optional<Request> request;
};

// How a command line is answered: start the program with `start` (or hand
// its request to the running one), or end at once with `exitStatus` after
// writing `output` (to standard output for status 0, to standard error
// otherwise): 2 for bad syntax, 1 for a bad value.
struct CommandLine {
    std::optional<int> exitStatus;
    QString output;
    StartOptions start;
};

inline constexpr int kUsageErrorStatus = 2;
inline constexpr int kBadValueStatus = 1;

// `arguments` begin with the program's name. A relative settings path is
// taken from the current folder.
CommandLine ParseCommandLine(const QStringList& arguments);

// ParseCommandLine on argv, without a display: prints help, the version or
// the error and returns the status to end with; otherwise fills `start`, the
// settings path included, and returns nothing.
std::optional<int> ReadCommandLine(int argc, char** argv, StartOptions& start);

}  // namespace padrix
