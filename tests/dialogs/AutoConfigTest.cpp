#include <QTest>
#include <QTimer>

#include "JoyConfigRig.h"
#include "dialogs/AutoConfigPrompt.h"

namespace padrix::testing {
namespace {

class DialogsAutoConfig : public JoyConfigRig {
  protected:
    struct Asked {
        QString text;
        int index;
    };

    // Runs auto configuration; every step waiting for a key is handed to
    // answer(step), which by default presses the key A + step.
    std::vector<Asked> Run(std::function<void(int step)> answer = {}) {
        std::vector<Asked> asked;
        QTimer responder;
        QObject::connect(&responder, &QTimer::timeout, [&] {
            AutoConfigPrompt* prompt = dialog ? dialog->autoConfigPrompt() : nullptr;
            if (prompt == nullptr || !dialog->captureBusy() || dialog->lastKeyCode() != 0 ||
                dialog->captureCancelled()) {
                return;
            }
            asked.push_back({prompt->buttonLabel().text(), Green()});
            const int step = static_cast<int>(asked.size()) - 1;
            if (answer) {
                answer(step);
            }
            if (dialog && dialog->captureBusy() && dialog->lastKeyCode() == 0 &&
                !dialog->captureCancelled()) {
                QTest::keyClick(prompt, static_cast<Qt::Key>(Qt::Key_A + step));
            }
        });
        responder.start(0);
        dialog->autoConfigButton().click();
        return asked;
    }
    int Green() const {
        for (int i = 0; i < kPadButtons; ++i) {
            if (!dialog->padButton(i).styleSheet().isEmpty()) {
                return i;
            }
        }
        return -1;
    }
    bool PromptShown() const {
        return dialog && dialog->autoConfigPrompt() && dialog->autoConfigPrompt()->isVisible();
    }
};

TEST_F(DialogsAutoConfig, AskTheDirectionsThenEveryButtonOfThePad) {
    const std::vector<int> tenButtons{6, 7, 8, 9, 3, 4, 5, 0, 1, 2, 11, 12, 10, 13};
    for (int buttons : {10, 12}) {
        SCOPED_TRACE(buttons);
        Plug({.name = "Pad " + std::to_string(buttons), .buttons = buttons});
        ConfigDialog& d = Open();
        d.show();
        ASSERT_TRUE(d.autoConfigButton().isEnabled());
        QRect placed;
        const std::vector<Asked> asked =
            Run([&](int) { placed = d.autoConfigPrompt()->frameGeometry(); });
        ASSERT_EQ(asked.size(), static_cast<std::size_t>(buttons + 4));
        EXPECT_LE(std::abs(placed.center().x() - d.frameGeometry().center().x()), 1);
        EXPECT_LE(std::abs(placed.center().y() - d.frameGeometry().bottom()), 1);
        for (std::size_t step = 0; step < asked.size(); ++step) {
            const int expected =
                step < tenButtons.size() ? tenButtons[step] : static_cast<int>(step);
            EXPECT_EQ(asked[step].index, expected) << step;
            EXPECT_EQ(d.Tag(expected), std::to_string('A' + step)) << step;
        }
        EXPECT_EQ(asked[0].text, "Up");
        EXPECT_EQ(asked[3].text, "Right");
        EXPECT_EQ(asked[4].text, "Button 1");
        EXPECT_EQ(asked.back().text, QStringLiteral("Button %1").arg(buttons));
        EXPECT_FALSE(PromptShown());
        Reset();
    }
}

// Escape or the prompt's close box cancel the run and leave the dialog
// usable; closing the dialog closes the prompt and deletes the dialog after.
TEST_F(DialogsAutoConfig, EscapeTheCloseBoxOrClosingTheDialogEndTheRun) {
    enum class End { kEscape, kCloseBox, kCloseDialog };
    for (End end : {End::kEscape, End::kCloseBox, End::kCloseDialog}) {
        SCOPED_TRACE(static_cast<int>(end));
        Plug({.name = "Pad 1", .buttons = 10});
        ConfigDialog& d = Open();
        d.show();
        QPointer<AutoConfigPrompt> prompt;
        const std::vector<Asked> asked = Run([&](int step) {
            prompt = d.autoConfigPrompt();
            if (step == 4 && end == End::kEscape) {
                QTest::keyClick(prompt, Qt::Key_Escape);
            } else if (step == 4) {
                (end == End::kCloseBox ? static_cast<QWidget&>(*prompt) : d).close();
            }
        });
        EXPECT_EQ(asked.size(), 5u);
        for (int step = 0; step < 4; ++step) {
            EXPECT_EQ(d.Tag(6 + step), std::to_string('A' + step)) << step;
        }
        EXPECT_EQ(d.Tag(3), "75") << "the waiting step assigns nothing";
        ASSERT_FALSE(prompt.isNull());
        EXPECT_FALSE(prompt->isVisible());
        if (end == End::kCloseDialog) {
            Flush();
            EXPECT_TRUE(dialog.isNull());
            continue;
        }
        EXPECT_TRUE(d.captureCancelled());
        QTimer::singleShot(0, &d, [&] { QTest::keyClick(&d, Qt::Key_Q); });
        d.padButton(3).click();
        EXPECT_EQ(d.Tag(3), "81") << "a click after the cancelled run assigns";
        Reset();
    }
}

TEST_F(DialogsAutoConfig, APadPressDuringTheRunChangesNothing) {
    VirtualPad& pad = Plug({.name = "Pad 1", .buttons = 10});
    ConfigDialog& d = Open();
    d.show();
    const std::vector<Asked> asked = Run([&](int step) {
        if (step == 1) {
            pad.SetButton(0, true);
            d.onPadWatchTick();
        }
    });
    ASSERT_EQ(asked.size(), 14u);
    EXPECT_EQ(asked[4].index, 3);
    EXPECT_EQ(d.Tag(3), std::to_string('A' + 4));
}

}  // namespace
}  // namespace padrix::testing
