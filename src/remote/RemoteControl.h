#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "Request.h"

namespace padrix {

class Session;

// Applies the requests of a command line to the running session. Every
// answer is whole lines: what --status shows first, then the verdict, "ok"
// or "error " and the problem.
class RemoteControl {
  public:
    // `output` names what keys go through ("wayland", "uinput", "xtest");
    // `quit` ends the program; Apply answers once it has returned.
    RemoteControl(Session& session, std::string output, std::function<void()> quit);

    // `line` without its newline; anything at all is answered.
    std::string Answer(std::string_view line);
    std::string Apply(const Request& request);

  private:
    std::string Status() const;

    Session& session_;
    std::string output_;
    std::function<void()> quit_;
};

// An answer taken apart by its last line; nullopt when that line is neither
// "ok" nor "error ...".
struct AnswerVerdict {
    bool ok = false;
    std::string lines;    // the lines before the verdict
    std::string problem;  // after "error "
};
std::optional<AnswerVerdict> ReadAnswer(std::string_view answer);

}  // namespace padrix
