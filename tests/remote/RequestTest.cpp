#include <gtest/gtest.h>

#include "remote/Request.h"

namespace padrix {
namespace {

TEST(RemoteRequest, ReadsEachRequestAndWritesItBack) {
    const std::pair<std::string_view, Request> cases[] = {
        {"profile Arena", ProfileRequest{"Arena"}},
        {"profile Street Fighter  II ", ProfileRequest{"Street Fighter  II "}},
        {"profile Zelda \xc3\xa9\xe2\x82\xac\xf0\x9f\x8e\xae", ProfileRequest{"Zelda é€🎮"}},
        {"layout snes9x", LayoutRequest{Layout::Snes9x}},
        {"layout vgs", LayoutRequest{Layout::Vgs}},
        {"layout custom", LayoutRequest{Layout::Custom}},
        {"mapping on", MappingRequest{MappingChange::On}},
        {"mapping off", MappingRequest{MappingChange::Off}},
        {"mapping toggle", MappingRequest{MappingChange::Toggle}},
        {"status", StatusRequest{}},
        {"quit", QuitRequest{}},
    };
    for (const auto& [line, request] : cases) {
        SCOPED_TRACE(line);
        const auto parsed = ParseRequest(line);
        ASSERT_TRUE(std::holds_alternative<Request>(parsed)) << std::get<RequestError>(parsed).text;
        EXPECT_EQ(std::get<Request>(parsed), request);
        EXPECT_EQ(FormatRequest(request), line);
    }
}

// Each refusal is one line naming the problem, and shows no raw bytes.
TEST(RemoteRequest, RefusesAnythingElseInOneLine) {
    const std::string longName = "profile " + std::string(kMaxRequestBytes - 8, 'x');
    const std::pair<std::string, std::string> cases[] = {
        {"", "Unknown request ''."},
        {"Status", "Unknown request 'Status'."},
        {"status ", "'status' takes no value."},
        {"quit now", "'quit' takes no value."},
        {" status", "Unknown request ''."},
        {"profile", "The profile name is empty."},
        {"profile ", "The profile name is empty."},
        {"profile a\tb", "control character"},
        {"profile a\rb", "control character"},
        {"profile a\x7f", "control character"},
        {std::string("profile a\0b", 11), "control character"},
        {"profile \xc3", "not UTF-8"},
        {"profile \xc0\xaf", "not UTF-8"},
        {"profile \xed\xa0\x80", "not UTF-8"},
        {"profile \xf4\x90\x80\x80", "not UTF-8"},
        {"profile \xff", "not UTF-8"},
        {longName + "x", "longer than 1024 bytes"},
        {"layout", "Unknown layout ''; use snes9x, vgs or custom."},
        {"layout SNES9X", "Unknown layout 'SNES9X'"},
        {"layout vgs ", "Unknown layout 'vgs '"},
        {"layout \n\xff",
         "Unknown layout '?"
         "?'"},
        {"mapping maybe", "Unknown mapping state 'maybe'; use on, off or toggle."},
        {"mapping " + std::string(100, 'o'), "'" + std::string(40, 'o') + "...'"},
    };
    EXPECT_TRUE(std::holds_alternative<Request>(ParseRequest(longName)));
    for (const auto& [line, problem] : cases) {
        SCOPED_TRACE(line);
        const auto parsed = ParseRequest(line);
        ASSERT_TRUE(std::holds_alternative<RequestError>(parsed));
        const std::string& text = std::get<RequestError>(parsed).text;
        EXPECT_NE(text.find(problem), std::string::npos) << text;
        for (const char c : text) {
            EXPECT_TRUE(c >= 0x20 && c < 0x7f) << text;
        }
    }
}

}  // namespace
}  // namespace padrix
