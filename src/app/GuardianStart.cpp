#include "GuardianStart.h"

#include <filesystem>
#include <system_error>

namespace padrix {

namespace {

constexpr const char* kGuardianProgram = "padrix-guardian";

std::filesystem::path GuardianProgram() {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path folder = fs::read_symlink("/proc/self/exe", error).parent_path();
    const fs::path beside = folder / kGuardianProgram;
    if (fs::exists(beside, error)) {
        return beside;
    }
    return folder / PADRIX_GUARDIAN_FROM_BIN / kGuardianProgram;
}

}  // namespace

Guardian StartGuardian(const DisplayNames& names) {
    if (names.x.empty() && names.wayland.empty()) {
        return {};
    }
    return Guardian::Start(GuardianProgram().string(), names.x, names.wayland);
}

}  // namespace padrix
