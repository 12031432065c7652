#include <QMessageBox>
#include <QSlider>

#include "JoyConfigRig.h"
#include "app/AppTexts.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageList.h"

namespace padrix::testing {
namespace {

class DialogsJoyConfig : public JoyConfigRig {};

TEST_F(DialogsJoyConfig, LoadListsTheJoypadsAndShowsTheirRowFromTwoOn) {
    int shortHeight = 0;
    for (int count : {0, 1, 2}) {
        SCOPED_TRACE(count);
        Reset();
        for (int n = 1; n <= count; ++n) {
            Plug({.name = "Pad " + std::to_string(n)});
        }
        ConfigDialog& d = Open();
        EXPECT_EQ(d.windowTitle(), "SideWinder Config");
        EXPECT_FALSE(d.isModal());
        ASSERT_EQ(d.joypadList().count(), count);
        for (int n = 1; n <= count; ++n) {
            EXPECT_EQ(d.joypadList().itemText(n - 1), QStringLiteral("%1:Pad %1").arg(n));
        }
        d.show();
        EXPECT_EQ(d.joypadList().isVisible(), count >= 2);
        EXPECT_EQ(d.joypadEnabledBox().isVisible(), count >= 2);
        EXPECT_EQ(d.currentJoypad(), count > 0 ? 1 : 0);
        EXPECT_EQ(app.form->pollingTimer().Enabled(), count == 0)
            << "showing a map stops the mapping";
        EXPECT_EQ(d.profileBox().currentText(), "Custom");
        if (count <= 1) {
            shortHeight = d.height();
        } else {
            EXPECT_GT(d.height(), shortHeight);
        }
    }
}

TEST_F(DialogsJoyConfig, SwitchingJoypadsStoresTheShownMapAndSaveAppliesTheShownOneOnly) {
    Plug({.name = "Pad 1"});
    Plug({.name = "Pad 2"});
    app.settings->SaveSetting("Custom2", "3", "90");
    TrayApplication& form = Start();
    ConfigDialog& d = Open();
    EXPECT_EQ(d.Tag(3), "75") << "joypad 1's A shows K";
    EXPECT_EQ(d.keyLabel(3).text(), "K");
    d.AssignKey(3, 74);
    d.AssignKey(15, 115);
    d.joypadList().setCurrentIndex(1);
    d.onJoypadChosen();
    EXPECT_EQ(Stored("Custom", "3"), "74");
    EXPECT_EQ(Stored("Custom", "15"), "115");
    EXPECT_EQ(form.session().engine().tables().keyMap[0].A, 74);
    EXPECT_EQ(d.currentJoypad(), 2);
    EXPECT_EQ(d.Tag(3), "90") << "joypad 2's own map";
    EXPECT_EQ(d.keyLabel(3).text(), "Z");
    EXPECT_EQ(d.Tag(15), "115") << "slots 14 to 23 carry over";
    EXPECT_EQ(Stored("Custom2", "15"), "<none>") << "nothing stored for joypad 2 yet";

    d.AssignKey(3, 81);
    d.saveButton().click();
    Flush();
    EXPECT_EQ(Stored("Custom2", "3"), "81");
    EXPECT_EQ(Stored("Custom", "3"), "74") << "joypad 1's stored map is untouched";
    EXPECT_EQ(form.session().engine().tables().keyMap[1].A, 81);
    EXPECT_EQ(form.session().engine().tables().keyMap[0].A, 74);
}

TEST_F(DialogsJoyConfig, ClearingEnabledStopsThatJoypadAtOnceAndStoresIt) {
    Plug({.name = "Pad 1"});
    Plug({.name = "Pad 2"});
    app.settings->SaveSetting("Custom", "joypads", "11111111");
    TrayApplication& form = Start();
    ConfigDialog& d = Open();
    d.joypadList().setCurrentIndex(1);
    d.onJoypadChosen();
    ASSERT_TRUE(d.joypadEnabledBox().isChecked());
    d.joypadEnabledBox().click();
    EXPECT_EQ(Stored("Custom", "joypads"), "10111111");
    EXPECT_EQ(form.session().engine().tables().joypadsEnabled, "10111111");
}

TEST_F(DialogsJoyConfig, ClosingAfterANamedProfileActivatesTheCustomMaps) {
    Plug({.name = "Pad 1"});
    app.settings->SaveSetting("Names", "1", "Game");
    app.settings->SaveSetting("Game", "3", "90");
    app.settings->SaveSetting("Game", "Gravis", "1");
    app.settings->SaveSetting("Custom", "3", "81");
    TrayApplication& form = Start();
    ConfigDialog& d = Open();
    ASSERT_EQ(d.profileBox().count(), 2);
    d.profileBox().setCurrentIndex(1);
    d.onProfileChosen();
    EXPECT_EQ(d.Tag(3), "90");
    EXPECT_EQ(d.keyLabel(3).text(), "Z");
    EXPECT_TRUE(d.gravisToggle().isChecked());
    d.close();
    Flush();
    EXPECT_TRUE(dialog.isNull());
    EXPECT_EQ(form.session().engine().tables().keyMap[0].A, 81)
        << "the Custom map, not the profile";
    EXPECT_EQ(Stored("Game", "Gravis"), "1");
}

// The cases run in order on one store; only the last adds a name.
TEST_F(DialogsJoyConfig, SaveWritesTheCustomMapAndANamedProfileWhereItBelongs) {
    struct Case {
        const char* typed;
        const char* section;  // where the named map goes, or nullptr
        const char* code;
    };
    const Case cases[] = {
        {"", nullptr, "80"},        {"   ", nullptr, "81"},    {"Custom", nullptr, "82"},
        {"custom", "Custom", "83"}, {"  game ", "Game", "84"}, {"New One", "New One", "85"},
    };
    app.settings->SaveSetting("Names", "1", "Game");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ConfigDialog& d = Open();
        d.AssignKey(3, std::stoi(c.code));
        d.profileBox().setEditText(QString::fromLatin1(c.typed));
        d.saveButton().click();
        Flush();
        EXPECT_TRUE(dialog.isNull()) << "Save closes the dialog";
        EXPECT_EQ(Stored("Custom", "3"), c.code);
        const bool added = c.section != nullptr && std::string(c.section) == "New One";
        EXPECT_EQ(Stored("Names", "2"), added ? "New One" : "<none>");
        if (c.section != nullptr) {
            EXPECT_EQ(Stored(c.section, "3"), c.code);
        } else {
            EXPECT_NE(Stored("Game", "3"), c.code);
        }
    }
}

TEST_F(DialogsJoyConfig, WithoutAnInputSystemOneMessageAndTheDialogStillWorks) {
    Plug({.name = "Pad 1"});
    inputStarts = false;
    int boxes = 0;
    QString text;
    OnNextModal([&](QWidget& w) {
        ++boxes;
        text = static_cast<QMessageBox&>(w).text();
    });
    ConfigDialog& d = Open();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(text, "The game controller input could not be started.\n\nSDL: no joystick driver");
    EXPECT_EQ(d.joypadList().count(), 1);
    EXPECT_EQ(d.Tag(3), "75") << "the map still shows";
}

TEST_F(DialogsJoyConfig, LanguagesAreListedStoredAndApplied) {
    const auto write = [this](const QString& name, char prefix) {
        QByteArray bytes;
        for (int id = 0; id <= 23; ++id) {
            bytes += prefix + QByteArray::number(id) + "\n";
        }
        app.WriteFile(languages.filePath("Padrix_" + name + ".txt").toStdString(), bytes);
    };
    // No files, then two that are neither the desktop's language nor English:
    // the built-in texts.
    for (bool listed : {false, true}) {
        ConfigDialog& d = Open();
        d.show();
        EXPECT_EQ(d.languageList().isVisible(), listed);
        EXPECT_EQ(d.languageList().currentIndex(), -1);
        EXPECT_EQ(d.windowTitle(), "SideWinder Config");
        d.close();
        Flush();
        write("Alpha", 'a');
        write("Beta", 'b');
    }
    write("English", 'a');
    ConfigDialog& d = Open();
    d.show();
    EXPECT_EQ(d.languageList().currentText(), "English");
    EXPECT_EQ(Stored("Custom", "Lang"), "<none>") << "opening stores nothing";
    EXPECT_EQ(d.windowTitle(), "a19");
    EXPECT_EQ(d.pressKeyMessage(), "a21");
    d.languageList().setCurrentIndex(1);
    d.onLanguageChosen();
    EXPECT_EQ(Stored("Custom", "Lang"), languages.filePath("Padrix_Beta.txt").toStdString());
    EXPECT_EQ(d.saveButton().text(), "b22");
    EXPECT_EQ(app.form->Caption(), "b0");
    EXPECT_EQ(app.form->menu().action(MenuEntry::Config).text(), "b2") << "the tray menu too";
}

// The tray, its force feedback dialog and the configuration dialog all speak
// the desktop's language from start-up on, and the list shows it. Every text
// of the configuration dialog arrives, and the dialog, which takes its size
// from its contents, stays within a small screen.
TEST_F(DialogsJoyConfig, EveryFormSpeaksTheDesktopLanguageFromStartUp) {
    constexpr int kMaxDialogWidth = 800;
    const std::pair<std::string, QString> table[] = {
        {"de_DE.UTF-8", "Deutsch"},
        {"fr_CA", QString::fromUtf8("Fran\u00E7ais")},
        {"es_ES.UTF-8", QString::fromUtf8("Espa\u00F1ol")},
        {"en_US.UTF-8", "English"}};
    const std::vector<LanguageFileEntry> shipped = ListLanguageFiles({PADRIX_LANGUAGE_SOURCE_DIR});
    ASSERT_EQ(shipped.size(), std::size(table)) << "a desktop language for each shipped file";
    for (const LanguageFileEntry& entry : shipped) {
        QFile::copy(QString::fromStdString(entry.path),
                    languages.filePath(QFileInfo(QString::fromStdString(entry.path)).fileName()));
    }
    for (const auto& [locale, language] : table) {
        SCOPED_TRACE(locale);
        Reset();
        app.locale = locale;
        Plug({.name = "Pad One"});
        const std::vector<std::string> lines = ReadLanguageFile(
            languages.filePath("Padrix_" + language + ".txt").toStdString(), kLanguageTextIds - 1);
        ASSERT_EQ(lines.size(), std::size_t{kLanguageTextIds});
        const auto text = [&lines](int id) {
            return QString::fromStdString(lines[std::size_t(id)]);
        };
        TrayApplication& form = Start();
        EXPECT_EQ(form.Caption(), text(0));
        EXPECT_EQ(form.menu().action(MenuEntry::Config).text(), text(2));
        if (FallbackWindow* window = form.presence().fallback()) {
            EXPECT_EQ(window->windowTitle(), text(0));
            EXPECT_EQ(window->menuButton().text(), text(kMenuButtonId));
        }
        form.Choose(MenuEntry::Rumble);
        ASSERT_NE(form.forceFeedback(), nullptr);
        EXPECT_EQ(form.forceFeedback()->windowTitle(), text(3));
        EXPECT_EQ(form.forceFeedback()->warningLabel().text(), text(24));
        EXPECT_EQ(form.forceFeedback()->warningLabel().textFormat(), Qt::PlainText);
        EXPECT_EQ(form.forceFeedback()->okButton().text(), "&OK") << "never translated";
        form.forceFeedback()->close();
        ConfigDialog& d = Open();
        EXPECT_EQ(d.languageList().currentText(), language);
        EXPECT_EQ(Stored("Custom", "Lang"), "<none>");
        const std::pair<QString, int> shown[] = {
            {d.joypadEnabledBox().text(), 1},
            {d.inputErrorMessage(), 17},
            {d.windowTitle(), 19},
            {d.instructionLabel().text(), 20},
            {d.saveButton().text(), 22},
            {d.gameControllersButton().text(), 23},
        };
        for (const auto& [got, id] : shown) {
            EXPECT_EQ(got, text(id)) << "id " << id;
        }
        EXPECT_LE(d.sizeHint().width(), kMaxDialogWidth);
        QString prompt;
        QTimer::singleShot(0, &d, [&] {
            prompt = d.instructionLabel().text();
            d.cancelCapture();
        });
        d.padButton(6).click();
        EXPECT_EQ(prompt, text(21) + " " + text(kAutoConfigTexts.firstId + 3))
            << "Up, named in the language";
    }
}

// Game Controllers works on the real pads and the session's dead zones.
TEST_F(DialogsJoyConfig, GameControllersOpensBesideTheDialogOverTheSessionsPads) {
    VirtualPad& pad = Plug({.name = "Pad 1", .rumble = true});
    ConfigDialog& d = Open();
    d.show();
    d.gameControllersButton().click();
    auto* window = qobject_cast<GameControllersWindow*>(d.gameControllersWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->isModal());
    EXPECT_TRUE(d.isVisible() && d.saveButton().isEnabled()) << "the dialog stays usable";
    ASSERT_EQ(window->ListedJoypads(), 1);
    window->TestRumble(1);
    EXPECT_EQ(pad.requests(), 1);
    EXPECT_EQ(pad.high(), 0xFFFF) << "the test rumble runs at full strength";
    auto* slider = window->findChild<QSlider*>("sldDeadZone1");
    ASSERT_NE(slider, nullptr);
    slider->setValue(50);
    EXPECT_EQ(Stored("Custom", "DeadZone"), "50");
    EXPECT_EQ(app.controllers.pads[0]->deadZone, 50) << "the mapping's joypad too";
}

}  // namespace
}  // namespace padrix::testing
