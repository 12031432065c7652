#include <QTest>
#include <QTimer>

#include "JoyConfigRig.h"
#include "dialogs/PadWatcher.h"

namespace padrix::testing {
namespace {

constexpr std::int32_t C = kAxisCentre;

JoyState Reading(std::int32_t x, std::int32_t y, std::initializer_list<int> buttons = {}) {
    JoyState s;
    s.x = x;
    s.y = y;
    for (int b : buttons) {
        s.buttons[static_cast<std::size_t>(b)] = 0x80;
    }
    return s;
}

struct Sequence {
    const char* what;
    bool logitech;
    int maxButton;
    std::vector<std::pair<JoyState, int>> steps;  // reading, pad button picked
};

TEST(DialogsPadWatcher, EachNewPressPicksItsPadButtonOnce) {
    const int none = PadWatcher::kNone;
    const Sequence sequences[] = {
        {"button 0 once per press",
         false,
         11,
         {{Reading(C, C), none},
          {Reading(C, C, {0}), 3},
          {Reading(C, C, {0}), none},
          {Reading(C, C), none},
          {Reading(C, C, {0}), 3}}},
        {"Left held hides the buttons",
         false,
         11,
         {{Reading(0, C, {2}), 8}, {Reading(0, C, {2}), none}, {Reading(C, C, {2}), 5}}},
        {"32767 is below the centre",
         false,
         11,
         {{Reading(32767, C), 8},
          {Reading(C, 32767), 6},
          {Reading(C, 65535), 7},
          {Reading(32769, C), 9}}},
        {"Wingman rest marks Left held",
         true,
         11,
         {{Reading(0, 0), none}, {Reading(0, C), none}, {Reading(C, C), none}, {Reading(0, C), 8}}},
        {"Wingman Left with y centred", true, 11, {{Reading(100, C), 8}}},
        {"M, the extra buttons and beyond",
         false,
         127,
         {{Reading(C, C, {9}), 13},
          {Reading(C, C, {10}), 14},
          {Reading(C, C, {19}), 23},
          {Reading(C, C, {20}), none},
          {Reading(C, C, {25}), none}}},
        {"a high button held starts once",
         false,
         15,
         {{Reading(C, C, {13}), 17}, {Reading(C, C, {13}), none}, {Reading(C, C, {13}), none}}},
        {"buttons past the pad's own", false, 3, {{Reading(C, C, {5}), none}}},
    };
    for (const Sequence& s : sequences) {
        PadWatcher watcher(s.logitech);
        for (std::size_t i = 0; i < s.steps.size(); ++i) {
            EXPECT_EQ(watcher.Next(s.steps[i].first, s.maxButton), s.steps[i].second)
                << s.what << ", reading " << i;
        }
    }
}

class DialogsPadSelect : public JoyConfigRig {
  protected:
    // Runs one tick; returns the pad button whose capture it started (ended
    // with the key J), or -1.
    int Tick(std::function<void()> during = {}) {
        int started = -1;
        QTimer::singleShot(0, dialog, [&] {
            for (int i = 0; i < kPadButtons && dialog->captureBusy(); ++i) {
                if (!dialog->padButton(i).styleSheet().isEmpty()) {
                    started = i;
                }
            }
            if (during) {
                during();
            }
            QTest::keyClick(dialog, Qt::Key_J);
        });
        dialog->onPadWatchTick();
        QCoreApplication::processEvents();  // the key of a tick that started nothing
        return started;
    }
};

TEST_F(DialogsPadSelect, APadPressStartsItsCaptureAndPressesDuringOneAreHeld) {
    VirtualPad& pad = Plug({.name = "Pad 1"});
    ConfigDialog& d = Open();
    d.show();
    EXPECT_EQ(Tick(), -1) << "at rest";
    pad.SetButton(0, true);
    EXPECT_EQ(Tick([&] {
                  pad.SetButton(1, true);
                  d.onPadWatchTick();  // a tick inside the wait: no capture, button 1 held
              }),
              3);
    EXPECT_EQ(d.Tag(3), "74");
    EXPECT_EQ(Tick(), -1) << "both still held";
    pad.SetButton(0, false);
    pad.SetButton(1, false);
    EXPECT_EQ(Tick(), -1);
    pad.SetButton(1, true);
    EXPECT_EQ(Tick(), 4);
}

TEST_F(DialogsPadSelect, EachOfTheFirstNineButtonsStartsItsOwnSlot) {
    VirtualPad& pad = Plug({.name = "Pad 1"});
    Open().show();
    const int startedSlot[] = {3, 4, 5, 0, 1, 2, 11, 12, 10};
    for (int button = 0; button < 9; ++button) {
        pad.SetButton(button, true);
        EXPECT_EQ(Tick(), startedSlot[button]) << "button " << button;
        pad.SetButton(button, false);
        EXPECT_EQ(Tick(), -1);
    }
}

TEST_F(DialogsPadSelect, NoJoypadOrOneThatCannotBeReadStartsNothing) {
    {
        ConfigDialog& d = Open();
        EXPECT_TRUE(d.padWatchTimer().isActive());
        EXPECT_EQ(Tick(), -1);
        d.close();
        Flush();
    }
    VirtualPad& pad = Plug({.name = "Pad 1"});
    Open();
    pad.Detach();
    EXPECT_EQ(Tick(), -1);
}

}  // namespace
}  // namespace padrix::testing
