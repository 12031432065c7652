#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Controllers.h"
#include "engine/JoyState.h"

namespace padrix::joytest {

// What padrix-joytest was asked to do.
struct Options {
    bool help = false;
    bool version = false;
    bool live = false;
    int joypad = 0;   // with live: only this joypad; 0 all that the program uses
    int seconds = 0;  // with live: stop after this long; 0 until interrupted
};

struct ParsedArgs {
    std::optional<Options> options;
    std::string error;  // why the command line was refused
};

// The arguments after the program's name.
ParsedArgs ParseArgs(const std::vector<std::string_view>& args);

std::string Usage();
// "padrix-joytest <version>" and a line end.
std::string VersionLine();

// Starts the controller system; when it cannot start, says so with the
// system's own reason on one line to err and returns false.
bool StartOrExplain(ControllerAccess& access, std::ostream& err);

// The joypads as the program numbers them, with what each reports.
void ListJoypads(ControllerAccess& access, std::ostream& out);

// One reading as the program sees it: x, y and the pressed buttons, numbered
// from 1 as the configuration dialog shows them.
std::string FormatReading(int joypad, const JoyState& state, int buttonCount);

// Remembers each joypad's last line, so that only changes are printed.
class LiveView {
  public:
    // The line to print for this read, or nothing when it shows no change.
    std::optional<std::string> Update(int joypad, bool readOk, const JoyState& state,
                                      int buttonCount);

  private:
    std::map<int, std::string> last_;
};

}  // namespace padrix::joytest
