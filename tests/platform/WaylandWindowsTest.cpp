#include <gtest/gtest.h>
#include <poll.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SwayServer.h"
#include "WaylandClientWindow.h"
#include "platform/wayland/ToplevelTitle.h"
#include "platform/wayland/WaylandToplevels.h"
#include "platform/wayland/WaylandWindows.h"

namespace padrix::testing {
namespace {

// A headless sway with the window parts opened on it, as the backend opens
// them, and native windows of the test client.
class PlatformWaylandWindows : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(sway.ok()) << sway.error();
        SessionEnvironment env;
        env.waylandDisplay = socket;
        auto opened = wayland::OpenWaylandWindows(env);
        ASSERT_TRUE(opened) << "sway offers its list of toplevels";
        windows = std::move(*opened);
    }

    // A new window takes the focus.
    std::unique_ptr<WaylandClientWindow> Open(const std::string& title) {
        auto w = std::make_unique<WaylandClientWindow>(sway, title);
        EXPECT_TRUE(w->ok()) << title;
        EXPECT_TRUE(WaitUntil([&] { return FocusedTitle() == title; })) << title;
        return w;
    }

    // The title of the window that has sway's keyboard focus: the name that
    // follows the one node that is focused in sway's tree.
    std::string FocusedTitle() const {
        const std::string tree = sway.Message({"-t", "get_tree"});
        const std::string name = "\"name\": \"";
        const std::size_t focused = tree.find("\"focused\": true");
        const std::size_t start = tree.find(name, focused);
        if (focused == std::string::npos || start == std::string::npos) {
            return {};
        }
        const std::size_t from = start + name.size();
        return tree.substr(from, tree.find('"', from) - from);
    }

    // What the watch reports until it reports `last`, waiting for its
    // descriptor; at most 10 s.
    std::vector<std::string> ReportsUntil(const std::string& last) {
        std::vector<std::string> reports;
        pollfd readable{windows.watch->Descriptor(), POLLIN, 0};
        while ((reports.empty() || reports.back() != last) && poll(&readable, 1, 10000) == 1) {
            if (auto title = windows.watch->TakeChange()) {
                reports.push_back(*title);
            }
        }
        return reports;
    }

    SwayServer sway;
    std::string socket = sway.runtimeFolder() + "/" + sway.Env().at("WAYLAND_DISPLAY");
    wayland::WaylandWindows windows;
    std::vector<std::unique_ptr<WaylandClientWindow>> clients;
};

TEST_F(PlatformWaylandWindows, ExactTitlesWinOverPrefixesAndMissingOnesAreReported) {
    const auto two = Open("Game Two");
    const auto other = Open("Other");
    ASSERT_TRUE(windows.activator->ActivateByTitle("Game"));
    EXPECT_EQ(FocusedTitle(), "Game Two") << "a prefix finds the window";

    const auto game = Open("Game");
    const std::pair<const char*, const char*> found[] = {
        {"Other", "Other"}, {"Game", "Game"}, {"Game Two", "Game Two"}, {"Oth", "Other"}};
    for (auto [title, focused] : found) {
        ASSERT_TRUE(windows.activator->ActivateByTitle(title)) << title;
        EXPECT_EQ(FocusedTitle(), focused) << title;
    }
    for (const char* missing : {"Gamer", "Other!", ""}) {
        EXPECT_FALSE(windows.activator->ActivateByTitle(missing)) << missing;
    }
    EXPECT_EQ(FocusedTitle(), "Other") << "a failed search changes nothing";
}

TEST_F(PlatformWaylandWindows, TheWatchFollowsTheActiveToplevelAndItsTitle) {
    const auto game = Open("Game");
    auto other = Open("Other");
    ASSERT_TRUE(windows.watch->Available());
    ASSERT_EQ(windows.watch->Start(), "Other");

    struct Step {
        const char* what;
        std::function<void()> change;
        std::vector<std::string> reports;
    };
    const Step steps[] = {
        {"focus moves", [&] { ASSERT_TRUE(sway.Focus("Game")); }, {"Game"}},
        {"its title changes", [&] { game->SetTitle("Game - level 2"); }, {"Game - level 2"}},
        {"another window's title, then the focus",
         [&] {
             other->SetTitle("Other 2");
             ASSERT_TRUE(sway.Focus("Other 2"));
         },
         {"Other 2"}},
        {"a byte that is no UTF-8", [&] { other->SetTitle("Caf\xE9"); }, {"Caf\xEF\xBF\xBD"}},
        {"the active window closes", [&] { other.reset(); }, {"Game - level 2"}},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(ReportsUntil(step.reports.back()), step.reports) << step.what;
    }

    windows.watch->Stop();
    game->SetTitle("Game 3");
    // Once a list of its own has the new title, the compositor has sent it to
    // every list that was asked for.
    auto observer = std::get<std::unique_ptr<wayland::WaylandToplevels>>(
        wayland::WaylandToplevels::Open(socket));
    ASSERT_TRUE(observer->Start());
    ASSERT_TRUE(WaitUntil([&] {
        observer->Dispatch();
        const auto active = observer->Active();
        return active && active->title == "Game 3";
    }));
    EXPECT_EQ(windows.watch->TakeChange(), std::nullopt) << "stopped";

    ASSERT_EQ(windows.watch->Start(), "Game 3");
    sway.Message({"exit"});
    EXPECT_EQ(ReportsUntil(""), std::vector<std::string>{""}) << "the compositor is gone";
    pollfd readable{windows.watch->Descriptor(), POLLIN, 0};
    EXPECT_EQ(poll(&readable, 1, 0), 0) << "and its descriptor is quiet";
    EXPECT_FALSE(windows.watch->Available());
}

// A compositor may send titles of any bytes and length (libwayland 1.21 sends
// no message over 4 KB, later ones may): they are kept as bounded UTF-8.
TEST(PlatformWaylandTitles, AreValidUtf8OfAtMostFourKilobytes) {
    const std::string most(wayland::kMaxTitleBytes, 'x');
    const std::pair<std::string, std::string> titles[] = {
        {"Caf\xC3\xA9 \xF0\x9F\x8E\xAE", "Caf\xC3\xA9 \xF0\x9F\x8E\xAE"},
        {"Caf\xE9!", "Caf\xEF\xBF\xBD!"},
        {"\xC0\xAF\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
        {std::string(10000, 'x'), most},
        {most.substr(1) + "\xC3\xA9", most.substr(1)},
    };
    for (const auto& [sent, kept] : titles) {
        EXPECT_EQ(wayland::BoundedTitle(sent), kept) << sent.substr(0, 20);
    }
}

}  // namespace
}  // namespace padrix::testing
