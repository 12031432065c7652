#include "settings/MessagesLocale.h"

#include <cstdlib>

namespace padrix {

std::string MessagesLocale(const EnvironmentLookup& lookup) {
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        std::string value = lookup(name);
        if (!value.empty()) {
            return value;
        }
    }
    return {};
}

std::string MessagesLocaleOfProcess() {
    return MessagesLocale([](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr ? std::string(value) : std::string();
    });
}

}  // namespace padrix
