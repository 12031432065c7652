#include <X11/keysym.h>

#include <QAccessible>
#include <QKeyEvent>
#include <QSvgWidget>
#include <QTest>
#include <QTimer>

#include "JoyConfigRig.h"
#include "dialogs/KeyEventCode.h"
#include "dialogs/KeyName.h"

namespace padrix::testing {
namespace {

class DialogsCapture : public JoyConfigRig {
  protected:
    // Runs a capture of pad button index; `during` runs inside its wait.
    void Capture(int index, std::function<void()> during) {
        QTimer::singleShot(0, dialog, std::move(during));
        dialog->padButton(index).click();
    }
};

TEST_F(DialogsCapture, AClickThenAKeyAssignsItAndShowsItsName) {
    Plug({.name = "Pad 1"});
    ConfigDialog& d = Open();
    d.show();
    const QString instruction = d.instructionLabel().text();
    Capture(3, [&] {
        EXPECT_TRUE(d.captureBusy());
        EXPECT_TRUE(d.instructionLabel().text().endsWith(QStringLiteral("button A (1)")));
        EXPECT_TRUE(d.instructionLabel().styleSheet().contains("rgb(255, 0, 0)"));
        EXPECT_TRUE(d.padButton(3).styleSheet().contains("rgb(0, 255, 0)"));
        const QWidget* locked[] = {&d.padButton(3),
                                   &d.padButton(20),
                                   &d.saveButton(),
                                   &d.profileBox(),
                                   &d.joypadList(),
                                   &d.joypadEnabledBox(),
                                   &d.gameControllersButton(),
                                   &d.autoConfigButton()};
        for (const QWidget* w : locked) {
            EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
        }
        EXPECT_TRUE(d.gravisToggle().isEnabled());
        d.onPadButtonClicked(5);  // a second request returns at once
        QTest::keyClick(&d, Qt::Key_J);
    });
    EXPECT_EQ(d.Tag(3), "74");
    EXPECT_EQ(d.padButton(3).toolTip(), "J");
    EXPECT_EQ(d.keyLabel(3).text(), "J");
    QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&d.keyLabel(3));
    ASSERT_NE(spoken, nullptr);
    EXPECT_EQ(spoken->text(QAccessible::Name), "J") << "a screen reader reads the key";
    EXPECT_EQ(spoken->text(QAccessible::Description), "A (1) key");
    EXPECT_EQ(d.Tag(5), "48") << "untouched by the nested request";
    EXPECT_EQ(d.instructionLabel().text(), instruction);
    EXPECT_TRUE(d.instructionLabel().styleSheet().isEmpty());
    EXPECT_TRUE(d.padButton(3).styleSheet().isEmpty());
    EXPECT_TRUE(d.saveButton().isEnabled() && d.padButton(20).isEnabled());
    EXPECT_FALSE(d.captureBusy());
}

TEST_F(DialogsCapture, EveryKeyCountsEscapeModifiersAndExtraButtonsToo) {
    struct Case {
        int index;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        const char* tag;
        const char* name;
    };
    const Case cases[] = {
        {4, Qt::Key_Escape, Qt::NoModifier, "27", ""},
        {4, Qt::Key_Shift, Qt::NoModifier, "16", "Shift"},
        {4, Qt::Key_5, Qt::KeypadModifier, "101", "Num 5"},
        {4, Qt::Key_F5, Qt::NoModifier, "116", "F5"},
        {20, Qt::Key_Minus, Qt::NoModifier, "189", "-"},
    };
    Plug({.name = "Pad 1"});
    ConfigDialog& d = Open();
    d.show();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tag);
        QString prompt;
        Capture(c.index, [&] {
            prompt = d.instructionLabel().text();
            QTest::keyClick(&d, c.key, c.modifiers);
        });
        EXPECT_EQ(d.Tag(c.index), c.tag);
        EXPECT_EQ(d.padButton(c.index).toolTip(), c.name);
        if (c.index == 20) {
            EXPECT_TRUE(prompt.endsWith(QStringLiteral("button "))) << "no name, just the space";
        } else {
            EXPECT_EQ(d.keyLabel(c.index).text(), c.name);
        }
        EXPECT_TRUE(d.isVisible()) << "Escape does not close the dialog";
    }
}

TEST_F(DialogsCapture, ClosingDuringACaptureAssignsNothingAndDeletesTheDialogAfterwards) {
    Plug({.name = "Pad 1"});
    ConfigDialog& d = Open();
    d.show();
    Capture(3, [&] { d.close(); });
    ASSERT_FALSE(dialog.isNull()) << "alive until the capture has returned";
    EXPECT_EQ(d.Tag(3), "75");
    EXPECT_FALSE(d.captureBusy());
    EXPECT_EQ(d.lastKeyCode(), -1);
    EXPECT_TRUE(app.form->pollingTimer().Enabled()) << "closing turned the mapping back on";
    Flush();
    EXPECT_TRUE(dialog.isNull());
}

TEST_F(DialogsCapture, KeyNamesFollowTheTable) {
    const std::pair<int, const char*> cases[] = {
        {8, "Back"},    {13, "Enter"},   {27, ""},       {44, ""},       {48, "0"},
        {57, "9"},      {65, "A"},       {90, "Z"},      {91, ""},       {96, "Num 0"},
        {105, "Num 9"}, {106, "Gray *"}, {108, ""},      {110, "Num ."}, {111, "Gray /"},
        {112, "F1"},    {127, "F16"},    {144, "NumLk"}, {145, "ScrLk"}, {186, ";"},
        {187, "="},     {188, ","},      {189, "-"},     {190, "."},     {191, "/"},
        {192, "`"},     {219, "["},      {220, "\\"},    {221, "]"},     {222, "'"},
        {223, ""},      {0, ""},         {-1, ""},       {300, ""},
    };
    for (const auto& [code, name] : cases) {
        EXPECT_EQ(KeyName(code), name) << code;
    }
}

TEST_F(DialogsCapture, KeyCodesComeFromTheKeysymTheLayoutGives) {
    struct Case {
        Qt::Key key;
        quint32 keysym;
        Qt::KeyboardModifiers modifiers;
        int vk;
        quint32 keycode = 0;  // the physical key, where the event names one
    };
    const Case cases[] = {
        {Qt::Key_A, XK_a, Qt::NoModifier, 65},
        {Qt::Key_A, XK_A, Qt::ShiftModifier, 65},
        {Qt::Key_Exclam, XK_exclam, Qt::ShiftModifier, 49},
        {Qt::Key_5, XK_KP_5, Qt::KeypadModifier, 101},
        {Qt::Key_Shift, XK_Shift_R, Qt::NoModifier, 16},
        {Qt::Key_Control, XK_Control_R, Qt::NoModifier, 17},
        {Qt::Key_Print, XK_Print, Qt::NoModifier, 44},
        {Qt::Key_Pause, XK_Pause, Qt::NoModifier, 19},
        {Qt::Key_Escape, 0, Qt::NoModifier, 27},
        {Qt::Key_Slash, 0, Qt::KeypadModifier, 111},
        // The physical key goes first: the key of 1 that types "&" on a
        // French keyboard, and keypad 7 with Num Lock off.
        {Qt::Key_Ampersand, XK_ampersand, Qt::NoModifier, 49, 10},
        {Qt::Key_Home, XK_KP_Home, Qt::KeypadModifier, 103, 79},
        {Qt::Key_unknown, XK_ampersand, Qt::NoModifier, 55, 300},
    };
    const keycodes::KeyLayout us;
    for (const Case& c : cases) {
        const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, c.keycode, c.keysym, 0);
        EXPECT_EQ(VirtualKeyOf(event, us), c.vk) << c.keysym;
    }
}

TEST_F(DialogsCapture, GravisSwitchesPicturesLinesAndTheYButtonAndBack) {
    ConfigDialog& d = Open();
    d.show();
    PadCanvas& canvas = d.canvas();
    const auto snapshot = [&] {
        std::vector<bool> lines;
        for (const LeaderLine& line : canvas.Lines()) {
            lines.push_back(line.visible);
        }
        return std::make_tuple(lines, canvas.sideWinderPicture().isVisible(),
                               canvas.gravisPicture().isVisible(), d.padButton(1).x(),
                               d.keyLabel(1).x(), d.padButton(2).pos());
    };
    const auto sideWinder = snapshot();
    EXPECT_EQ(d.padButton(1).x(), canvas.Scaled(176));
    EXPECT_EQ(d.keyLabel(1).x(), canvas.Scaled(169));

    d.gravisToggle().click();
    EXPECT_FALSE(canvas.sideWinderPicture().isVisible());
    EXPECT_TRUE(canvas.gravisPicture().isVisible());
    EXPECT_EQ(d.padButton(1).x(), canvas.Scaled(4));
    EXPECT_EQ(d.keyLabel(1).x(), 0) << "at the edge, but inside the pad area";
    for (int i = 0; i <= 7; ++i) {
        EXPECT_TRUE(canvas.Line("gravis", i)->visible) << i;
    }
    EXPECT_FALSE(canvas.Line("sideWinder", 0)->visible);
    EXPECT_TRUE(canvas.Line("sideWinder", 11)->visible) << "the Down line stays";
    EXPECT_TRUE(canvas.Line("rightLine")->visible);

    d.gravisToggle().click();
    EXPECT_EQ(snapshot(), sideWinder);
}

}  // namespace
}  // namespace padrix::testing
