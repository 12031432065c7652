#include <gtest/gtest.h>

#include "SessionRig.h"
#include "dialogs/ForceFeedbackDialog.h"

namespace padrix {
namespace {

class DialogsForceFeedback : public ::testing::Test {
  protected:
    SessionRig rig{1};
    Session& session = rig.session;
    int RumbleType() { return session.options().RumbleType; }
    std::string Stored() { return rig.Stored("Custom", "RumbleType"); }
};

TEST_F(DialogsForceFeedback, OpensWithTheCurrentModeAndStoresEveryClickAtOnce) {
    ForceFeedbackDialog dialog(session);
    dialog.load();
    EXPECT_TRUE(dialog.modeButton(kRumbleRandom).isChecked());
    EXPECT_EQ(Stored(), "2") << "opening stores the mode again";
    EXPECT_FALSE(dialog.isModal());
    dialog.show();
    const char* captions[] = {"Never", "Always", "Random", "Stressed"};
    for (int i : {3, 0, 1, 3}) {
        dialog.modeButton(i).click();
        EXPECT_EQ(RumbleType(), i);
        EXPECT_EQ(Stored(), std::to_string(i));
        EXPECT_EQ(dialog.modeButton(i).text(), captions[i]);
    }
    EXPECT_EQ(dialog.okButton().text(), "&OK");
    dialog.okButton().click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Stored(), "3") << "closing keeps the last choice";
}

TEST_F(DialogsForceFeedback, AModeOutsideTheOptionsSelectsNothingAndStoresNothing) {
    for (std::int16_t mode : {-1, 4, 300}) {
        session.engine().SetOption(&Options::RumbleType, mode);
        ForceFeedbackDialog dialog(session);
        dialog.load();
        for (int i = 0; i < ForceFeedbackDialog::kModes; ++i) {
            EXPECT_FALSE(dialog.modeButton(i).isChecked()) << mode;
        }
        EXPECT_EQ(Stored(), "<absent>");
        EXPECT_EQ(RumbleType(), mode);
    }
}

}  // namespace
}  // namespace padrix
