#include <gtest/gtest.h>

#include <QAccessible>
#include <QLabel>
#include <QSlider>
#include <map>

#include "Fakes.h"
#include "dialogs/GameControllersWindow.h"

namespace padrix::testing {
namespace {

class DeadZoneHost : public DeadZones {
  public:
    std::map<int, int> deadZones;
    int DeadZone(int joy) const override {
        const auto it = deadZones.find(joy);
        return it == deadZones.end() ? 25 : it->second;
    }
    void SetDeadZone(int joy, int percent) override { deadZones[joy] = percent; }
};

class DialogsGameControllers : public ::testing::Test {
  protected:
    GameControllersWindow& Open(bool startOk = true) {
        auto access = std::make_unique<fakes::FakeControllers>();
        access->startOk = startOk;
        controllers = access.get();
        pad = access->Add("Pad 1");
        pad->hats = {0};
        pad->state = JoyState::AtRest();
        window = std::make_unique<GameControllersWindow>(std::move(access), host);
        window->show();
        return *window;
    }

    DeadZoneHost host;
    fakes::FakeControllers* controllers = nullptr;
    std::shared_ptr<fakes::PadState> pad;
    std::unique_ptr<GameControllersWindow> window;
};

TEST_F(DialogsGameControllers, ShowsEachReadingWithItsHats) {
    GameControllersWindow& w = Open();
    ASSERT_EQ(w.ListedJoypads(), 1);
    struct Case {
        std::vector<std::uint8_t> hats;
        bool readable;
        const char* reading;
    };
    const Case cases[] = {
        {{kHatUp}, true, "x=0 y=32768 buttons=3 hats=up"},
        {{kHatDown | kHatRight, 0}, true, "x=0 y=32768 buttons=3 hats=down-right,centred"},
        {{}, true, "x=0 y=32768 buttons=3"},
        {{kHatUp}, false, "cannot be read"},
    };
    pad->state.x = 0;
    pad->state.buttons[2] = 0x80;
    for (const Case& c : cases) {
        pad->hats = c.hats;
        pad->readable = c.readable;
        w.Refresh();
        EXPECT_EQ(w.Reading(1), c.reading);
    }
    const auto labels = w.findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(labels.begin(), labels.end(), [](const QLabel* l) {
        return l->text() == "2 axes, 12 buttons, 1 hat";
    }));
    const auto live = std::find_if(labels.begin(), labels.end(), [](const QLabel* l) {
        return l->accessibleDescription() == "Joypad 1 reading";
    });
    ASSERT_NE(live, labels.end());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(*live)->text(QAccessible::Name),
              "cannot be read")
        << "a screen reader reads the reading";
}

TEST_F(DialogsGameControllers, RumblesDeadZonesAndLetsGoWhenHidden) {
    GameControllersWindow& w = Open();
    w.TestRumble(1);
    w.TestRumble(2);  // no such joypad: nothing
    EXPECT_EQ(pad->testRumbles, std::vector{GameControllersWindow::kTestRumbleMs});
    auto* slider = w.findChild<QSlider*>("sldDeadZone1");
    ASSERT_NE(slider, nullptr);
    EXPECT_EQ(slider->value(), 25);
    slider->setValue(50);
    EXPECT_EQ(host.deadZones[1], 50);
    EXPECT_EQ(pad->deadZone, 50);
    w.close();
    EXPECT_EQ(w.ListedJoypads(), 0);
    EXPECT_TRUE(pad->released);
}

TEST_F(DialogsGameControllers, NoJoypadsWhenTheControllersCannotStart) {
    GameControllersWindow& w = Open(false);
    EXPECT_EQ(w.ListedJoypads(), 0);
    EXPECT_TRUE(w.findChild<QLabel*>("lblNoJoypads")->isVisible());
}

}  // namespace
}  // namespace padrix::testing
