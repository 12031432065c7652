#pragma once

#include <array>
#include <chrono>
#include <deque>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "ChaosDesk.h"
#include "PaddedProgram.h"
#include "PrivateDisplay.h"
#include "SettingsLedger.h"

namespace padrix::testing {

struct ChaosSettings {
    double minutes = 60;
    unsigned seed = 1;
    bool checkMemory = true;
    int pads = 4;
};

// What the run did, for its closing report.
struct ChaosFigures {
    long steps = 0;
    long padEvents = 0;
    std::map<std::string, int> kills;  // by signal name
    int killsDuringWrites = 0;
    int restarts = 0;
    int endedByItself = 0;
    int replugs = 0;
    int commandLine = 0;
    int focusSwitches = 0;
    int menuChoices = 0;
    int printScreens = 0;
    int quietPoints = 0;
    long settingsWrites = 0;
    long serverKeyDowns = 0;  // at the X server, from anyone
    long windowKeyDowns = 0;  // at the client windows
    long rssAt5 = -1;         // KiB, the program's at five minutes into the run
    long rssAtEnd = -1;
    double ageAt5 = 0;  // seconds the program had been running then
    double ageAtEnd = 0;
    long worstGrowth = 0;  // KiB, the most one run of the program grew after its warm-up
    int violations = 0;
};

// The chaos run: a seeded random schedule of pad presses, replugs,
// command-line requests, focus moves, menu choices, Print Screen and kills
// against the program, with its promises checked at every quiet point.
class ChaosDriver {
  public:
    ChaosDriver(const ChaosSettings& settings, PrivateDisplay& x, PaddedProgram& program,
                ChaosDesk& desk, SettingsLedger& ledger, int settingsWatch);

    // Runs to the end of the time; false at the first violation.
    bool Run();
    const ChaosFigures& figures() const { return figures_; }

  private:
    using Clock = std::chrono::steady_clock;
    struct PadState {
        std::array<bool, 12> buttons{};
        std::array<int, 2> axes{};
        int hat = 0;
        bool plugged = true;
    };

    bool Step();
    void PadAction();
    void MCombination(int pad);
    void Replug(int pad);
    bool CommandLineRequest();
    void FocusMove();
    void PrintScreen();
    bool MenuChoice();
    bool KillAndRestart();
    bool KillDuringWrite(int signal);
    bool Restart();
    bool QuietAfterEnd();
    std::string AwaitNothingHeld();
    void CloseDialogs();
    bool QuietPoint();
    bool Rest();
    bool Check(const std::string& problem);

    bool PadButton(int pad, int button, bool down);
    bool PadAxis(int pad, int axis, int value);
    bool PadHat(int pad, int value);
    bool PadCommand(const std::string& command);

    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    void Hold(int maxMs);
    void TakeEvents();
    void Note(const std::string& line);
    double Seconds() const;
    bool SampleMemory();
    Clock::duration NextKillIn();
    bool Violation(const std::string& what);

    ChaosSettings settings_;
    PrivateDisplay& x_;
    PaddedProgram& program_;
    ChaosDesk& desk_;
    SettingsLedger& ledger_;
    int settingsWatch_;
    std::mt19937 random_;
    Clock::time_point start_;
    Clock::time_point end_;
    Clock::time_point nextKill_;
    Clock::time_point programStart_;
    long programWarmRss_ = -1;
    unsigned done_ = 0;     // what this run of the program has done (kDone...)
    bool resting_ = false;  // the pad commands of a rest go unnoted
    std::vector<PadState> pads_;
    std::deque<std::string> lastEvents_;
    ChaosFigures figures_;
};

}  // namespace padrix::testing
