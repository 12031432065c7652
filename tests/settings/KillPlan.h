#pragma once

#include <string>

namespace padrix::testing {

// The n-th write of the kill test: a few sections named like awkward window
// titles, keys reused so that values are replaced, values of varying length.
struct PlannedWrite {
    std::string section;
    std::string key;
    std::string value;
};

inline PlannedWrite PlanWrite(long n) {
    static constexpr const char* kSections[] = {"Custom", "Names", "AC/DC [Live]", "x=y; \"z\"",
                                                "Pok\xC3\xA9mon\nII"};
    return {kSections[n % 5], std::to_string(n % 13),
            "v" + std::to_string(n) + std::string(static_cast<std::size_t>(n % 97), '#')};
}

}  // namespace padrix::testing
