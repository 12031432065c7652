#pragma once

#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "remote/Request.h"

namespace padrix {

inline constexpr int kRemoteAnswerTimeoutMs = 10000;

// Sends one request line to the Padrix listening at `socketPath` and waits
// for its whole answer. Nothing when no Padrix of this user listens there
// (no socket, a socket left by a crash, or another user's); an empty answer
// when it took the request but said nothing in time.
std::optional<std::string> ExchangeRequest(const QString& socketPath, std::string_view line,
                                           int timeoutMs = kRemoteAnswerTimeoutMs);

// Hands the request to the running Padrix and prints its answer: the lines
// of --status on standard output, a problem as one line on standard error.
// The status to end with; nothing when no Padrix runs.
std::optional<int> ForwardRequest(const QString& socketPath, const Request& request);

}  // namespace padrix
