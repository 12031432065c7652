#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <QPointer>
#include <QTest>
#include <QTimer>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "Child.h"
#include "PadrixOnX.h"
#include "app/ConfigDialogOpener.h"

// Xlib last: its macros (KeyPress, None, ...) break the headers above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace padrix::testing {
namespace {

constexpr unsigned Evdev(unsigned linuxKey) {
    return linuxKey + 8;
}

// The keys that go round, by Linux key code: the main block, the keypad,
// the arrows and the keys above them, F1 to F12. Left out are the keys the
// program itself watches on the keyboard (Tab switches auto-fire, Ctrl holds
// keys, Print Screen takes screenshots) and the lock keys, which would change
// what the later keys type.
std::vector<unsigned> RoundTripKeys() {
    const std::pair<unsigned, unsigned> ranges[] = {
        {KEY_ESC, KEY_BACKSPACE},
        {KEY_Q, KEY_ENTER},
        {KEY_A, KEY_RIGHTSHIFT},
        {KEY_LEFTALT, KEY_SPACE},
        {KEY_F1, KEY_F10},
        {KEY_KPASTERISK, KEY_KPASTERISK},
        {KEY_KP7, KEY_KPDOT},
        {KEY_102ND, KEY_F12},
        {KEY_KPENTER, KEY_KPENTER},
        {KEY_KPSLASH, KEY_KPSLASH},
        {KEY_RIGHTALT, KEY_RIGHTALT},
        {KEY_HOME, KEY_DELETE},
    };
    std::vector<unsigned> keys;
    for (const auto& [first, last] : ranges) {
        for (unsigned key = first; key <= last; ++key) {
            keys.push_back(key);
        }
    }
    return keys;
}

// A key that cannot come back as itself: the key the pad presses instead.
struct Detour {
    unsigned arrives;
    const char* why;
};

// The same on the US, French and German layouts: Windows' key numbering
// has one code for both keys of each pair.
const std::map<unsigned, Detour> kDetours = {
    {KEY_RIGHTSHIFT, {KEY_LEFTSHIFT, "both Shift keys are code 16"}},
    {KEY_RIGHTALT, {KEY_LEFTALT, "right Alt and AltGr capture as Alt, code 18"}},
    {KEY_KPENTER, {KEY_ENTER, "both Enter keys are code 13"}},
};

// A few keys as each layout labels them: the code captured and the name the
// dialog shows.
struct Label {
    unsigned key;
    const char* code;
    const char* name;
};
const std::map<std::string, std::vector<Label>> kLabels = {
    {"us",
     {{KEY_Q, "81", "Q"}, {KEY_1, "49", "1"}, {KEY_MINUS, "189", "-"}, {KEY_KP7, "103", "Num 7"}}},
    {"fr",
     {{KEY_Q, "65", "A"}, {KEY_1, "49", "1"}, {KEY_MINUS, "189", ")"}, {KEY_SEMICOLON, "77", "M"}}},
    {"de",
     {{KEY_Y, "90", "Z"},
      {KEY_MINUS, "191", "\u00DF"},
      {KEY_SEMICOLON, "186", "\u00D6"},
      {KEY_KPDOT, "110", "Num ."}}},
};

// Map slots 0 to 23 on a pad of 20 buttons: X, Y, Z, A, B, C are buttons 3,
// 4, 5, 0, 1, 2; 6 to 9 the directions; Start, L, R, Select buttons 8, 6, 7,
// 9; the extra buttons 10 to 19.
constexpr int kSlots = 24;
void PressSlot(VirtualPad& pad, int slot, bool on) {
    constexpr int kButtons[] = {3, 4, 5, 0, 1, 2, -1, -1, -1, -1, 8, 6, 7, 9};
    constexpr Sint16 kFar = 32767;
    switch (slot) {
        case 6:
        case 7:
            pad.SetAxis(1, on ? static_cast<Sint16>(slot == 6 ? -kFar - 1 : kFar) : 0);
            return;
        case 8:
        case 9:
            pad.SetAxis(0, on ? static_cast<Sint16>(slot == 8 ? -kFar - 1 : kFar) : 0);
            return;
        default:
            pad.SetButton(slot < 14 ? kButtons[slot] : slot - 4, on);
    }
}

// A keyboard on a connection of the test's own: real key events through
// the XTEST device, as the server gets them from a keyboard.
class Keyboard {
  public:
    Keyboard() : display_(XOpenDisplay(nullptr)) {}
    ~Keyboard() {
        if (display_ != nullptr) {
            XCloseDisplay(display_);
        }
    }
    Keyboard(const Keyboard&) = delete;
    Keyboard& operator=(const Keyboard&) = delete;

    bool ok() const { return display_ != nullptr; }
    void Focus(unsigned long window) {
        XSetInputFocus(display_, window, RevertToPointerRoot, CurrentTime);
        XSync(display_, False);
    }
    void Type(unsigned keycode) {
        XTestFakeKeyEvent(display_, keycode, True, CurrentTime);
        XTestFakeKeyEvent(display_, keycode, False, CurrentTime);
        XFlush(display_);
    }

  private:
    Display* display_;
};

// The layout of the display while it lives; US again afterwards.
class LayoutOnDisplay {
  public:
    explicit LayoutOnDisplay(const std::string& layout) : ok_(Set(layout)) {}
    ~LayoutOnDisplay() { Set("us"); }
    LayoutOnDisplay(const LayoutOnDisplay&) = delete;
    LayoutOnDisplay& operator=(const LayoutOnDisplay&) = delete;
    bool ok() const { return ok_; }

  private:
    static bool Set(const std::string& layout) {
        return RunCommand(
            {"setxkbmap", "-display", qEnvironmentVariable("DISPLAY").toStdString(), layout});
    }
    bool ok_;
};

// What one capture gave: the code in the map and the name the dialog shows.
struct Captured {
    std::string code;
    std::string name;
};

// Opens the configuration dialog from the menu, captures each of `keys`
// (Linux key codes) typed on the keyboard into slots 0, 1, ... and saves.
std::vector<Captured> CaptureAndSave(PadrixOnX& padrix, ConfigDialogOpener& opener,
                                     Keyboard& keyboard, std::span<const unsigned> keys) {
    padrix.form().Choose(MenuEntry::Config);
    QPointer<ConfigDialog> dialog = opener.dialog();
    std::vector<Captured> captured;
    if (dialog.isNull() || !QTest::qWaitForWindowExposed(dialog)) {
        return captured;
    }
    keyboard.Focus(dialog->winId());
    if (!QTest::qWaitForWindowActive(dialog)) {
        return captured;
    }
    for (std::size_t slot = 0; slot < keys.size(); ++slot) {
        const int index = static_cast<int>(slot);
        // The key goes out from inside the capture's wait, which it ends.
        QTimer::singleShot(0, dialog, [&, key = keys[slot]] { keyboard.Type(Evdev(key)); });
        QTimer giveUp;
        giveUp.setSingleShot(true);
        QObject::connect(&giveUp, &QTimer::timeout, dialog, [&] { dialog->cancelCapture(); });
        giveUp.start(5000);
        dialog->onPadButtonClicked(index);
        captured.push_back({dialog->captureCancelled() ? "" : dialog->Tag(index),
                            dialog->padButton(index).toolTip().toStdString()});
    }
    dialog->onSaveClicked();
    if (!QTest::qWaitFor([&] { return dialog.isNull(); }, 5000)) {
        captured.clear();  // the map did not reach the tray
    }
    return captured;
}

// Every key typed on the keyboard during a capture in the configuration
// dialog is, in the saved map, the key that the pad's button of that slot
// presses at a client window, on the US, French and German layouts.
class AppKeyRoundTripOnX : public ::testing::TestWithParam<const char*> {};

TEST_P(AppKeyRoundTripOnX, EveryCapturedKeyIsPressedAgainByThePad) {
    PadrixOnX padrix(PadrixOnXSetup{.buttons = 20});
    if (!padrix.ok()) {
        GTEST_SKIP() << padrix.error();
    }
    Keyboard keyboard;
    ASSERT_TRUE(keyboard.ok());
    const std::string layoutName = GetParam();
    const LayoutOnDisplay layout(layoutName);
    ASSERT_TRUE(layout.ok()) << "setxkbmap " << layoutName;
    ConfigDialogOpener opener(padrix.form(), padrix.DialogPorts());

    const std::vector<unsigned> keys = RoundTripKeys();
    for (std::size_t first = 0; first < keys.size(); first += kSlots) {
        const auto batch =
            std::span(keys).subspan(first, std::min<std::size_t>(kSlots, keys.size() - first));
        const std::vector<Captured> captured = CaptureAndSave(padrix, opener, keyboard, batch);
        ASSERT_EQ(captured.size(), batch.size()) << "the dialog did not take the keys";
        ASSERT_TRUE(padrix.FocusClient());
        for (std::size_t slot = 0; slot < batch.size(); ++slot) {
            const unsigned key = batch[slot];
            const auto detour = kDetours.find(key);
            const unsigned expected = detour != kDetours.end() ? detour->second.arrives : key;
            PressSlot(padrix.pad(), static_cast<int>(slot), true);
            const auto press = padrix.NextKeyEvent(Seen::kKeyPress);
            PressSlot(padrix.pad(), static_cast<int>(slot), false);
            const auto release = padrix.NextKeyEvent(Seen::kKeyRelease);
            ASSERT_TRUE(press && release) << layoutName << ": nothing arrived for key " << key
                                          << ", captured as \"" << captured[slot].code << "\"";
            EXPECT_EQ(press->detail, Evdev(expected))
                << layoutName << ": key " << key << " captured as " << captured[slot].code << " (\""
                << captured[slot].name << "\")"
                << (detour != kDetours.end() ? std::string(", ") + detour->second.why : "");
            EXPECT_EQ(release->detail, press->detail);
            for (const Label& label : kLabels.at(layoutName)) {
                if (label.key == key) {
                    EXPECT_EQ(captured[slot].code, label.code) << layoutName << ": key " << key;
                    EXPECT_EQ(captured[slot].name, label.name) << layoutName << ": key " << key;
                }
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, AppKeyRoundTripOnX, ::testing::Values("us", "fr", "de"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace padrix::testing
