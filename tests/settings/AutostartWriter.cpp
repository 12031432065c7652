// Writes the autostart entry for a program, as "Start with the desktop" does,
// for the installation check to validate.
// Usage: autostart_writer CONFIG_FOLDER PROGRAM
#include <cstdio>

#include "settings/AutostartEntry.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s CONFIG_FOLDER PROGRAM\n", argv[0]);
        return 2;
    }
    const padrix::AutostartEntry entry(padrix::AutostartFileIn(argv[1]));
    if (const auto failure = entry.Write(argv[2])) {
        std::fprintf(stderr, "%s\n", failure->c_str());
        return 1;
    }
    std::printf("%s\n", entry.File().c_str());
    return 0;
}
