// Typing a listed profile name into the profile box keeps the edits made
// before and after; only a choice in the open list loads the profile.
#include <QAbstractItemView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "JoyConfigRig.h"

namespace padrix::testing {
namespace {

// How the user goes on after typing into the profile box.
enum class Then {
    kPadPress,           // presses pad button 0, then Z
    kClickOnScreenA,     // clicks the on-screen A, then Z
    kEnterThenPadPress,  // Enter in the box, then pad button 0 and Z
    kListByMouse,        // opens the list with F4 and clicks Arena
    kListByKeys,         // opens the list with Down, moves to Arena, Enter
};

class DialogsProfileTyping : public JoyConfigRig {
  protected:
    // Where a key typed now arrives.
    QWidget* KeyTarget() {
        QWidget* focused = QApplication::focusWidget();
        return focused != nullptr ? focused : dialog.data();
    }
    void TypeSoon(Qt::Key key) {
        QTimer::singleShot(0, dialog, [this, key] { QTest::keyClick(KeyTarget(), key); });
    }
    // Presses pad button `button` on the joypad and, in the capture it
    // starts, the key; then lets the pad button go.
    void PadPress(VirtualPad& pad, int button, Qt::Key key) {
        pad.SetButton(button, true);
        TypeSoon(key);
        dialog->onPadWatchTick();
        pad.SetButton(button, false);
        dialog->onPadWatchTick();
    }
    void ChooseInList(Then how, int row) {
        QComboBox& box = dialog->profileBox();
        QAbstractItemView& list = *box.view();
        if (how == Then::kListByMouse) {
            // A click on the arrow would open it too, but then the list takes
            // no click for a double-click interval.
            QTest::keyClick(KeyTarget(), Qt::Key_F4);
            ASSERT_TRUE(QTest::qWaitFor([&] { return list.isVisible(); }));
            const QRect item = list.visualRect(list.model()->index(row, 0));
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, item.center());
            return;
        }
        QTest::keyClick(KeyTarget(), Qt::Key_Down);
        ASSERT_TRUE(QTest::qWaitFor([&] { return list.isVisible(); }));
        for (int i = 0; i < box.count() && list.currentIndex().row() != row; ++i) {
            QTest::keyClick(&list, Qt::Key_Down);
        }
        QTest::keyClick(&list, Qt::Key_Return);
    }
};

TEST_F(DialogsProfileTyping, OnlyAChoiceInTheListLoadsTheProfile) {
    struct Case {
        const char* what;
        const char* typed;
        Then then;
    };
    const Case cases[] = {
        {"pad press", "Arena", Then::kPadPress},
        {"on-screen A", "Arena", Then::kClickOnScreenA},
        {"Enter in the box", "Arena", Then::kEnterThenPadPress},
        {"another letter case", "aRENA", Then::kPadPress},
        {"list by mouse", "Arena", Then::kListByMouse},
        {"list by keys", "arena", Then::kListByKeys},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        app.settings->SaveSetting("names", "1", "Arena");
        app.settings->SaveSetting("Arena", "3", "74");
        app.settings->SaveSetting("Arena", "4", "76");
        app.settings->SaveSetting("Custom", "3", "75");
        app.settings->SaveSetting("Custom", "4", "76");
        VirtualPad& pad = Plug({.name = "Pad 1"});
        ConfigDialog& d = Open();
        d.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));

        PadPress(pad, 1, Qt::Key_Y);
        ASSERT_EQ(d.Tag(4), "89");
        QTest::mouseClick(d.profileBox().lineEdit(), Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), &d.profileBox());
        QTest::keyClick(KeyTarget(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(KeyTarget(), QString::fromLatin1(c.typed));
        EXPECT_EQ(d.profileBox().currentText(), c.typed);
        EXPECT_EQ(d.Tag(4), "89") << "typing loads nothing";

        if (c.then == Then::kListByMouse || c.then == Then::kListByKeys) {
            ChooseInList(c.then, 1);
            EXPECT_EQ(d.profileBox().currentText(), "Arena");
            EXPECT_EQ(d.Tag(3), "74") << "the list's choice loads the profile";
            EXPECT_EQ(d.Tag(4), "76");
            EXPECT_EQ(d.keyLabel(4).text(), "L");
            continue;
        }
        if (c.then == Then::kEnterThenPadPress) {
            QTest::keyClick(KeyTarget(), Qt::Key_Return);
            EXPECT_TRUE(d.isVisible());
        }
        if (c.then == Then::kClickOnScreenA) {
            TypeSoon(Qt::Key_Z);
            QTest::mouseClick(&d.padButton(3), Qt::LeftButton);
        } else {
            PadPress(pad, 0, Qt::Key_Z);
        }
        EXPECT_EQ(d.Tag(3), "90");
        EXPECT_EQ(d.Tag(4), "89") << "leaving the box loads nothing";
        EXPECT_EQ(d.profileBox().currentText(), c.typed) << "the text stays as typed";

        QTest::mouseClick(&d.saveButton(), Qt::LeftButton);
        Flush();
        EXPECT_TRUE(dialog.isNull());
        EXPECT_EQ(Stored("Arena", "4"), "89");
        EXPECT_EQ(Stored("Arena", "3"), "90");
        EXPECT_EQ(Stored("names", "2"), "<none>") << "a listed name is not added again";
        app.controllers.pads[0]->state.buttons[1] = 0x80;
        app.form->session().engine().PollCycle();
        std::vector<int> pressed;
        for (const fakes::OutEvent& e : app.output.Take()) {
            if (e.kind == fakes::OutEvent::kKey && e.down) {
                pressed.push_back(e.vk);
            }
        }
        EXPECT_EQ(pressed, std::vector{int{'Y'}}) << "pad button 1 types y";
    }
}

TEST_F(DialogsProfileTyping, TheWheelOverTheClosedBoxChangesNothing) {
    app.settings->SaveSetting("names", "1", "Arena");
    ConfigDialog& d = Open();
    d.show();
    d.AssignKey(3, 90);
    QWheelEvent wheel(QPointF(5, 5), d.profileBox().mapToGlobal(QPointF(5, 5)), {}, {0, -120},
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&d.profileBox(), &wheel);
    EXPECT_EQ(d.profileBox().currentText(), "Custom");
    EXPECT_EQ(d.Tag(3), "90");
}

}  // namespace
}  // namespace padrix::testing
