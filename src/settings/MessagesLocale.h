#pragma once

#include <functional>
#include <string>

namespace padrix {

// The value of an environment variable; empty when it is not set.
using EnvironmentLookup = std::function<std::string(const char* name)>;

// The locale that names the language of messages: the first of LC_ALL,
// LC_MESSAGES and LANG that is set and not empty, in the order the C library
// and Qt take them; empty when none is. LANGUAGE is not read.
std::string MessagesLocale(const EnvironmentLookup& lookup);
// The same from this process's environment.
std::string MessagesLocaleOfProcess();

}  // namespace padrix
