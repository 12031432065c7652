#pragma once

#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "Child.h"

namespace padrix::testing {

// What the program runs with.
struct PaddedProgramSetup {
    Environment env;     // its own XDG folders and display
    std::string folder;  // the run's folder: the program as installed, the pads' socket, its log
    int pads = 4;
};

// The real program with virtual pads (the chaos host, see PadCommands), laid
// out as installed in the run's folder with padrix-guardian beside it; one
// run of it after another: started, its pads driven, asked on the command
// line, killed.
class PaddedProgram {
  public:
    explicit PaddedProgram(PaddedProgramSetup setup);
    ~PaddedProgram();
    PaddedProgram(const PaddedProgram&) = delete;
    PaddedProgram& operator=(const PaddedProgram&) = delete;

    // Starts a run and waits until its pads are plugged in and its command
    // socket answers; what went wrong, empty when nothing did.
    std::string Start();
    // Sends `signal` and waits for the end, then for the guardian's; what
    // went wrong, empty when nothing did.
    std::string Kill(int signal);
    // Whether the run has ended by itself (the menu's Exit chosen with a pad,
    // say); `status` gets its wait status, and the guardian is waited for.
    bool EndedByItself(int* status, std::string* problem);

    // A pad command line (see PadCommands); false when the program did not take it.
    bool Pad(const std::string& command);
    // `padrix` with these arguments, to its end.
    struct Said {
        int status = -1;      // -1 when it did not end normally
        std::string problem;  // how it did not, with what it wrote to standard error
    };
    Said CommandLine(const std::vector<std::string>& args);
    // Sends a request line straight to the command socket and returns the
    // connection, open, for the caller to close (-1 when there was none).
    int SendRequest(const std::string& line);
    // The answer to a request line, empty when there was none.
    std::string Ask(const std::string& line);

    // Whether this run of the program has written a screenshot (into its own
    // folder, emptied of them at each start).
    bool TookScreenshot() const;

    // Whether the program could be laid out in the run's folder.
    bool installed() const { return !host_.empty(); }
    pid_t pid() const { return program_ ? program_->pid() : -1; }
    long ResidentKib() const;
    const std::string& settingsPath() const { return settingsPath_; }
    const std::string& logPath() const { return logPath_; }

  private:
    bool AcceptPads();
    std::string AwaitGuardian();

    PaddedProgramSetup setup_;
    std::string host_;
    std::string settingsPath_;
    std::string socketPath_;
    std::string padSocketPath_;
    std::string logPath_;
    int listener_ = -1;
    int pads_ = -1;
    std::unique_ptr<Child> program_;
    pid_t guardian_ = -1;
};

}  // namespace padrix::testing
