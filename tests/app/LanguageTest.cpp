#include <gtest/gtest.h>

#include <QFile>

#include "AppRig.h"
#include "UiDriver.h"
#include "app/AppTexts.h"

namespace padrix {
namespace {

using testing::AppRig;

void WriteFile(const std::string& path, const QByteArray& bytes) {
    QFile f(QString::fromStdString(path));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

TEST(AppLanguage, MainFormTakesIdsZeroTo18) {
    AppRig rig;
    QByteArray text;
    for (int id = 0; id <= 28; ++id) {
        text += "  text " + QByteArray::number(id) + "  \r\n" + (id % 5 == 0 ? "   \n" : "");
    }
    const std::string path = rig.programFolder + "/Padrix_Test.txt";
    WriteFile(path, text);
    rig.settings->SaveSetting("Custom", "Lang", path);
    rig.controllers.startOk = false;  // the message shown is the translated one
    formPadrix& form = rig.Make();
    QString shown;
    testing::OnNextModal(
        [&](QWidget& w) { shown = w.findChild<QLabel*>("qt_msgbox_label")->text(); });
    form.Form_Load();
    EXPECT_EQ(shown, "text 17");
    EXPECT_EQ(form.Caption(), "text 0");
    EXPECT_EQ(form.MsgNoJoystick(), "text 18");
    for (int id = 1; id <= 16; ++id) {
        EXPECT_EQ(form.mnuMain().action(static_cast<MenuEntry>(id - 1)).text(),
                  QStringLiteral("text %1").arg(id));
    }
}

TEST(AppLanguage, WithoutAFileTheEnglishTextsStayAndAboutNamesTheCaption) {
    AppRig rig;
    rig.settings->SaveSetting("Custom", "Lang", rig.programFolder + "/Padrix_Gone.txt");
    formPadrix& form = rig.Start();
    EXPECT_EQ(form.Caption(), kDefaultCaption);
    EXPECT_EQ(form.mnuMain().action(MenuEntry::About).text(), "About Padrix 1.10 for DirectX8...");
    EXPECT_EQ(form.mnuMain().action(MenuEntry::Exit).text(), "E&xit");
}

TEST(AppLanguage, AShortFileChangesOnlyTheIdsItReaches) {
    AppRig rig;
    const std::string path = rig.programFolder + "/Padrix_Short.txt";
    WriteFile(path, "Padrix auf Deutsch\nAktiviert\n");
    rig.settings->SaveSetting("Custom", "Lang", path);
    formPadrix& form = rig.Start();
    EXPECT_EQ(form.Caption(), "Padrix auf Deutsch");
    EXPECT_EQ(form.mnuMain().action(MenuEntry::Enabled).text(), "Aktiviert");
    EXPECT_EQ(form.mnuMain().action(MenuEntry::Config).text(), "Configure Joypad...");
    EXPECT_EQ(form.mnuMain().action(MenuEntry::About).text(), "About Padrix 1.10 for DirectX8...")
        << "the About caption is built before the language is applied";
    if (form.presence().FallbackShown()) {
        EXPECT_EQ(form.presence().fallback()->windowTitle(), "Padrix auf Deutsch");
    }
}

}  // namespace
}  // namespace padrix
