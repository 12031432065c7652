// Runs the engine scenarios of scenarios.txt. A line is a list of verbs with
// their words; "=> events" then runs one tick and compares what it sent.
#include <fstream>
#include <functional>
#include <map>
#include <sstream>

#include "EngineRig.h"
#include "engine/PadSlots.h"

namespace padrix::testing {
namespace {

using Words = std::vector<std::string>;

struct Scenario {
    std::string name;
    std::vector<std::pair<int, std::string>> lines;  // line number, text
    friend void PrintTo(const Scenario& s, std::ostream* os) { *os << s.name; }
};

std::vector<Scenario> LoadScenarios() {
    std::ifstream in(PADRIX_ENGINE_SCENARIOS);
    std::vector<Scenario> all;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        if (line.rfind("scenario ", 0) == 0) {
            all.push_back({line.substr(9), {}});
        } else if (!all.empty() && line.find_first_not_of(' ') != std::string::npos &&
                   line[0] != '#') {
            all.back().lines.emplace_back(number, line);
        }
    }
    return all;
}

const std::pair<const char*, std::uint8_t> kKeyNames[] = {
    {"Tab", 9}, {"Enter", 13}, {"Ctrl", 17}, {"Alt", 18}, {"Esc", 27}, {"Up", 38}, {"PrtSc", 44},
};

// A key: its name, one letter or digit, or its code.
std::uint8_t Key(const std::string& word) {
    for (const auto& [name, vk] : kKeyNames) {
        if (word == name) {
            return vk;
        }
    }
    return static_cast<std::uint8_t>(word.size() == 1 ? word[0] : std::stoi(word));
}

// "+J" and "-J" a key, "+LMB" and "-RMB" a mouse button.
OutEvent Event(const std::string& word) {
    const bool down = word[0] == '+';
    const std::string name = word.substr(1);
    if (name == "LMB" || name == "RMB") {
        const MouseButton b = name == "LMB" ? MouseButton::kLeft : MouseButton::kRight;
        return down ? OutEvent::MouseDown(b) : OutEvent::MouseUp(b);
    }
    return down ? OutEvent::Down(Key(name)) : OutEvent::Up(Key(name));
}

const std::pair<const char*, bool Options::*> kFlags[] = {
    {"AllowAutoFire", &Options::AllowAutoFire},
    {"AutoFireActive", &Options::AutoFireActive},
    {"UseMAsSelect", &Options::UseMAsSelect},
    {"LogitechPatch", &Options::LogitechPatch},
    {"DosMode", &Options::DosMode},
    {"MaxPollRate", &Options::MaxPollRate},
};

class EngineScenario : public EngineRig, public ::testing::WithParamInterface<Scenario> {
  protected:
    int Int(const std::string& word) const {
        return word == "mid" ? kAxisCentre : word == "max" ? kAxisMax : std::stoi(word);
    }
    // "1.5": joypad 1's button 5.
    void Button(const std::string& word, bool down) {
        const auto dot = word.find('.');
        Press(std::stoi(word.substr(0, dot)), std::stoi(word.substr(dot + 1)), down);
    }
    void Attach(int n, int buttons) {
        Pad(n).buttonCount = buttons;
        engine.AttachJoypad(n, controllers.OpenJoypad(n, true), buttons - 1);
    }
    void Map(int n, const std::string& slot, std::uint8_t vk) {
        KeyMap map = engine.Map(n);
        for (const NamedSlot& s : kNamedSlots) {
            if (slot == s.name) {
                map.*s.entry = vk;
            }
        }
        engine.SetMap(n, map);
    }
    void Option(const std::string& name, int value) {
        if (name == "RumbleType") {
            engine.SetOption(&Options::RumbleType, static_cast<std::int16_t>(value));
        }
        for (const auto& [flag, field] : kFlags) {
            if (name == flag) {
                engine.SetOption(field, value != 0);
            }
        }
    }
    void Reset() {
        Pad(1).state = JoyState::AtRest();
        Pad(2).state = JoyState::AtRest();
        keys.down.clear();
        engine.SetOptions(Options{});
        engine.SetOption(&Options::RumbleType, kRumbleNever);
        engine.ResetLatches();
        engine.ReleaseAll();
        Run();
        out.Take();
    }
    std::string Directions(int n) const {
        std::string held;
        for (int d = 0; d < 4; ++d) {
            held += engine.tables().directionHeld[n - 1][d] ? std::string(1, "LRUD"[d]) : "";
        }
        return held.empty() ? "none" : held;
    }
    std::string Intervals() const {
        std::string text;
        for (int ms : timer.intervals) {
            text += (text.empty() ? "" : ",") + std::to_string(ms);
        }
        return text.empty() ? "none" : text;
    }
    // What "expect" looks at, by name and the words before the expected value.
    std::string Observe(const std::string& what, const Words& w) {
        const auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
        if (what == "held") {
            const auto dot = w[0].find('.');
            return flag(engine.tables().buttonHeld[std::stoi(w[0].substr(0, dot)) - 1]
                                                  [std::stoi(w[0].substr(dot + 1))]);
        }
        const std::map<std::string, std::function<std::string()>> seen = {
            {"skip-latch", [&] { return flag(engine.latches().SkipNextKeyUp); }},
            {"mouse-mode", [&] { return flag(engine.latches().MouseMode); }},
            {"mouse-held", [&] { return flag(engine.latches().MouseButtonHeld[0]); }},
            {"autofire", [&] { return flag(engine.options().AutoFireActive); }},
            {"scroll-lock", [&] { return flag(out.scrollLock); }},
            {"at-rest", [&] { return flag(engine.IsAtRest()); }},
            {"holds", [&] { return flag(engine.output().Holds(Key(w[0]))); }},
            {"dirs", [&] { return Directions(std::stoi(w[0])); }},
            {"starts", [&] { return std::to_string(Pad(std::stoi(w[0])).rumbleStarts); }},
            {"stops", [&] { return std::to_string(Pad(std::stoi(w[0])).rumbleStops); }},
            {"shots", [&] { return std::to_string(screenshots.paths.size()); }},
            {"last-shot", [&] { return screenshots.paths.back(); }},
            {"timer", [&] { return Intervals(); }},
        };
        return seen.at(what)();
    }
    void Do(const std::string& verb, const Words& w) {
        if (verb == "pads") {
            OpenPads(Int(w[0]), w.size() > 1 ? Int(w[1]) : 12);
        } else if (verb == "press" || verb == "release") {
            for (const std::string& b : w) {
                Button(b, verb == "press");
            }
        } else if (verb == "stick") {
            Stick(Int(w[0]), Int(w[1]), Int(w[2]));
        } else if (verb == "keys") {
            keys.down.clear();
            for (const std::string& k : w) {
                keys.down.insert(Key(k));
            }
        } else if (verb == "map") {
            Map(Int(w[0]), w[1], Key(w[2]));
        } else if (verb == "option") {
            Option(w[0], Int(w[1]));
        } else if (verb == "mouse") {
            engine.SetMouseMode(w[0] == "on");
        } else if (verb == "enabled") {
            engine.SetJoypadsEnabled(w.empty() ? "" : w[0]);
        } else if (verb == "random") {
            random.fallback = std::stof(w[0]);
        } else if (verb == "unreadable" || verb == "readable") {
            Pad(Int(w[0])).readable = verb == "readable";
        } else if (verb == "attach") {
            Attach(Int(w[0]), Int(w[1]));
        } else if (verb == "arm-skip") {
            engine.ArmSkipNextKeyUp();
        } else if (verb == "reset") {
            Reset();
        } else if (verb == "run" || verb == "idle") {
            for (int i = 0; i < Int(w[0]); ++i) {
                const auto events = Run();
                EXPECT_TRUE(verb == "run" || events.empty()) << ::testing::PrintToString(events);
            }
        } else if (verb == "expect") {
            EXPECT_EQ(Observe(w[0], Words(w.begin() + 1, w.end() - 1)), w.back()) << w[0];
        } else {
            FAIL() << "unknown verb " << verb;
        }
    }
    void Step(const std::string& line) {
        std::istringstream words(line);
        std::string verb;
        Words args;
        for (std::string word; words >> word && word != "=>";) {
            if (!IsVerb(word)) {
                args.push_back(word);
                continue;
            }
            if (!verb.empty()) {
                Do(verb, std::exchange(args, {}));
            }
            verb = word;
        }
        if (!verb.empty()) {
            Do(verb, args);
        }
        const auto arrow = line.find("=>");
        if (arrow == std::string::npos) {
            return;
        }
        std::vector<OutEvent> expected;
        std::istringstream events(line.substr(arrow + 2));
        for (std::string word; events >> word;) {
            if (word == "*") {
                Run();
                return;
            }
            expected.push_back(Event(word));
        }
        EXPECT_EQ(Run(), expected);
    }
    static bool IsVerb(const std::string& word) {
        static const std::set<std::string> verbs = {
            "pads",   "press",    "release", "stick",  "keys",     "map",
            "option", "mouse",    "enabled", "random", "readable", "unreadable",
            "attach", "arm-skip", "reset",   "run",    "idle",     "expect"};
        return verbs.count(word) != 0;
    }
};

TEST_P(EngineScenario, Plays) {
    for (const auto& [number, line] : GetParam().lines) {
        SCOPED_TRACE("scenarios.txt:" + std::to_string(number) + ": " + line);
        Step(line);
        if (HasFatalFailure()) {
            return;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Scripts, EngineScenario, ::testing::ValuesIn(LoadScenarios()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace padrix::testing
