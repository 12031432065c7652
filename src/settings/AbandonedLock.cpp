#include "settings/AbandonedLock.h"

#include <cctype>
#include <filesystem>
#include <fstream>

namespace padrix {
namespace {

// True when the lock file's first line is a process id.
bool NamesProcess(const std::string& lockFile) {
    std::ifstream in(lockFile, std::ios::binary);
    std::string pid;
    std::getline(in, pid);
    if (pid.empty() || pid.size() > 19) {
        return false;
    }
    for (const char c : pid) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return false;
        }
    }
    return true;
}

void RemoveIfAbandoned(const std::string& lockFile) {
    std::error_code error;
    if (std::filesystem::is_regular_file(lockFile, error) && !NamesProcess(lockFile)) {
        std::filesystem::remove(lockFile, error);
    }
}

}  // namespace

void RemoveAbandonedLock(const std::string& settingsFile) {
    RemoveIfAbandoned(settingsFile + ".lock");
    RemoveIfAbandoned(settingsFile + ".lock.rmlock");
}

}  // namespace padrix
