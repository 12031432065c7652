#include "RemoteControl.h"

#include "session/Session.h"

namespace padrix {
namespace {

constexpr std::string_view kOk = "ok\n";
constexpr std::string_view kErrorPrefix = "error ";

std::string Failed(std::string_view problem) {
    return std::string(kErrorPrefix) + std::string(problem) + "\n";
}

// Names from controllers and the settings file, kept to one line.
std::string OneLine(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) {
            c = '?';
        }
    }
    return text;
}

}  // namespace

RemoteControl::RemoteControl(Session& session, std::string output, std::function<void()> quit)
    : session_(session), output_(std::move(output)), quit_(std::move(quit)) {}

std::string RemoteControl::Answer(std::string_view line) {
    const auto parsed = ParseRequest(line);
    if (const auto* error = std::get_if<RequestError>(&parsed)) {
        return Failed(error->text);
    }
    return Apply(std::get<Request>(parsed));
}

std::string RemoteControl::Apply(const Request& request) {
    if (std::holds_alternative<StatusRequest>(request)) {
        return Status() + std::string(kOk);
    }
    if (std::holds_alternative<QuitRequest>(request)) {
        quit_();
        return std::string(kOk);
    }
    // The configuration dialog owns the maps and the pause while it is open.
    if (session_.Editing()) {
        return Failed("The configuration dialog is open; close it first.");
    }
    if (const auto* profile = std::get_if<ProfileRequest>(&request)) {
        if (!session_.UseProfile(profile->name)) {
            return Failed("Unknown profile '" + profile->name + "'.");
        }
    } else if (const auto* layout = std::get_if<LayoutRequest>(&request)) {
        session_.ChooseLayout(layout->layout);
    } else if (const auto* mapping = std::get_if<MappingRequest>(&request)) {
        const bool wanted = mapping->change == MappingChange::Toggle
                                ? !session_.MappingRuns()
                                : mapping->change == MappingChange::On;
        if (wanted != session_.MappingRuns()) {
            session_.ToggleMapping();
        }
    }
    return std::string(kOk);
}

std::string RemoteControl::Status() const {
    std::string status = session_.MappingRuns() ? "mapping on\n" : "mapping off\n";
    if (const std::string& profile = session_.ProfileInForce(); !profile.empty()) {
        status += "profile " + OneLine(profile) + "\n";
    } else {
        status += "layout " +
                  std::string(LayoutName(session_.menu().layout.value_or(Layout::Custom))) + "\n";
    }
    for (int joy = 1; joy <= session_.JoypadCount(); ++joy) {
        const bool enabled = session_.JoypadEnabled(joy).value_or(false);
        const std::string name = OneLine(session_.JoypadName(joy));
        status += "joypad " + std::to_string(joy) + (enabled ? " enabled" : " disabled") +
                  (name.empty() ? "" : " " + name) + "\n";
    }
    return status + "output " + output_ + "\n";
}

std::optional<AnswerVerdict> ReadAnswer(std::string_view answer) {
    if (answer.empty() || answer.back() != '\n') {
        return std::nullopt;
    }
    const std::string_view body = answer.substr(0, answer.size() - 1);
    const std::size_t cut = body.rfind('\n');
    const std::size_t start = cut == std::string_view::npos ? 0 : cut + 1;
    const std::string_view last = body.substr(start);
    AnswerVerdict verdict;
    verdict.lines = std::string(answer.substr(0, start));
    if (last == kOk.substr(0, 2)) {
        verdict.ok = true;
    } else if (last.starts_with(kErrorPrefix)) {
        verdict.problem = std::string(last.substr(kErrorPrefix.size()));
    } else {
        return std::nullopt;
    }
    return verdict;
}

}  // namespace padrix
