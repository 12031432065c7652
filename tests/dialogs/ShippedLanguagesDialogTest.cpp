// The shipped language files in the configuration dialog: every text of the
// dialog arrives, and the dialog, which takes its size from its contents,
// stays within a small screen.
#include <QDir>

#include "JoyConfigRig.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageList.h"

namespace padrix::testing {
namespace {

constexpr int kMaxDialogWidth = 800;

using DialogsShippedLanguages = JoyConfigRig;

TEST_F(DialogsShippedLanguages, TheDialogTakesEveryTextAndStaysWithinTheScreen) {
    Plug("Pad One");
    for (const LanguageFileEntry& entry : ListLanguageFiles({PADRIX_LANGUAGE_SOURCE_DIR})) {
        SCOPED_TRACE(entry.name);
        const std::vector<std::string> lines = ReadLanguageFile(entry.path, kLanguageTextIds - 1);
        ASSERT_EQ(lines.size(), std::size_t{kLanguageTextIds});
        const auto text = [&lines](int id) {
            return QString::fromStdString(lines[std::size_t(id)]);
        };
        const QString copy =
            languages.filePath(QFileInfo(QString::fromStdString(entry.path)).fileName());
        QFile::remove(copy);
        ASSERT_TRUE(QFile::copy(QString::fromStdString(entry.path), copy));
        app.settings->SaveSetting("Custom", "Lang", copy.toStdString());

        ConfigDialog& d = Open();
        EXPECT_EQ(d.joypadEnabledBox().text(), text(1));
        EXPECT_EQ(d.inputErrorMessage(), text(17));
        EXPECT_EQ(d.windowTitle(), text(19));
        EXPECT_EQ(d.instructionLabel().text(), text(20));
        EXPECT_EQ(d.saveButton().text(), text(22));
        EXPECT_EQ(d.gameControllersButton().text(), text(23));
        EXPECT_LE(d.sizeHint().width(), kMaxDialogWidth);
        d.close();
        delete dialog.data();
        Flush();
    }
}

}  // namespace
}  // namespace padrix::testing
