#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "dialogs/formForceFeedback.h"
#include "engine/Options.h"
#include "settings/InterfaceLanguage.h"
#include "settings/MemorySettingsStore.h"

namespace padrix {
namespace {

class DialogsForceFeedback : public ::testing::Test {
  protected:
    MemorySettingsStore store;
    InterfaceLanguage language{store, {}, "C"};
    std::int16_t rumbleType = kRumbleRandom;
    std::string Stored() { return store.GetSetting("Custom", "RumbleType", "<none>"); }
};

TEST_F(DialogsForceFeedback, OpensWithTheCurrentModeAndStoresEveryClickAtOnce) {
    formForceFeedback dialog(rumbleType, store, language);
    dialog.Form_Load();
    EXPECT_TRUE(dialog.optForceFeedback(kRumbleRandom).isChecked());
    EXPECT_EQ(Stored(), "2") << "opening stores the mode again";
    EXPECT_FALSE(dialog.isModal());
    dialog.show();
    const char* captions[] = {"Never", "Always", "Random", "Stressed"};
    for (int i : {3, 0, 1, 3}) {
        dialog.optForceFeedback(i).click();
        EXPECT_EQ(rumbleType, i);
        EXPECT_EQ(Stored(), std::to_string(i));
        EXPECT_EQ(dialog.optForceFeedback(i).text(), captions[i]);
    }
    dialog.btnOK().click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(Stored(), "3") << "closing keeps the last choice";
}

TEST_F(DialogsForceFeedback, AModeOutsideTheOptionsSelectsNothingAndStoresNothing) {
    for (std::int16_t mode : {-1, 4, 300}) {
        rumbleType = mode;
        formForceFeedback dialog(rumbleType, store, language);
        dialog.Form_Load();
        for (int i = 0; i < formForceFeedback::kModes; ++i) {
            EXPECT_FALSE(dialog.optForceFeedback(i).isChecked()) << mode;
        }
        EXPECT_EQ(Stored(), "<none>");
        EXPECT_EQ(rumbleType, mode);
    }
}

TEST_F(DialogsForceFeedback, LanguageGivesCaptionWarningAndOptions) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Padrix_Test.txt");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    for (int id = 0; id <= 30; ++id) {
        f.write("t" + QByteArray::number(id) + "\n");
    }
    f.close();
    store.SaveSetting("Custom", "Lang", path.toStdString());
    formForceFeedback dialog(rumbleType, store, language);
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), "t3");
    EXPECT_EQ(dialog.Label1().text(), "t24");
    EXPECT_EQ(dialog.Label1().textFormat(), Qt::PlainText);
    for (int i = 0; i < formForceFeedback::kModes; ++i) {
        EXPECT_EQ(dialog.optForceFeedback(i).text(), QStringLiteral("t%1").arg(25 + i));
    }
    EXPECT_EQ(dialog.btnOK().text(), "&OK");
}

}  // namespace
}  // namespace padrix
