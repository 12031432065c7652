// The language files we ship: complete, in the order the program reads them,
// and every text fitting the place where it is shown.
#include <QMenu>
#include <QRegularExpression>
#include <array>

#include "AppRig.h"
#include "Fakes.h"
#include "app/AppTexts.h"
#include "common/Version.h"
#include "dialogs/AutoConfigPrompt.h"
#include "dialogs/GameControllersWindow.h"
#include "session/MenuEntry.h"
#include "settings/LanguageFile.h"
#include "settings/LanguageList.h"
#include "settings/TextEncoding.h"

namespace padrix::testing {
namespace {

// Where a text is shown and the most UTF-16 units that place takes.
struct Place {
    const char* what;
    int maxLength;
};
constexpr Place kMenu{"menu entry", 40};
constexpr Place kTitle{"window title", 40};
constexpr Place kMessage{"message box", 160};
constexpr Place kWrapped{"wrapped label", 120};
constexpr Place kButton{"push button", 26};
constexpr Place kOption{"check or option button", 30};
constexpr Place kLabel{"label", 60};

// By text id. Id 0 is the caption, which must also leave the tip whole.
constexpr std::array<Place, kLanguageTextIds> kPlaces{{
    kTitle,   kMenu,   kMenu,    kMenu,    kMenu,    kMenu,    kMenu,    kMenu,    kMenu,
    kMenu,    kMenu,   kMenu,    kMenu,    kMenu,    kMenu,    kMenu,    kMenu,    kMessage,
    kMessage, kTitle,  kWrapped, kWrapped, kButton,  kButton,  kWrapped, kOption,  kOption,
    kOption,  kOption, kMenu,    kMenu,    kWrapped, kMessage, kMessage, kMessage, kMessage,
    kButton,  kTitle,  kWrapped, kLabel,   kLabel,   kLabel,   kLabel,   kLabel,   kLabel,
    kLabel,   kLabel,  kLabel,   kLabel,   kLabel,   kLabel,   kButton,  kLabel,   kLabel,
    kButton,  kTitle,  kWrapped, kLabel,   kLabel,   kLabel,   kLabel,   kLabel,   kLabel,
}};

// Shown menus and dialogs stay well inside a small screen.
constexpr int kMaxWidgetWidth = 640;

struct ShippedFile {
    std::string name;
    std::string path;
    QByteArray bytes;
    QStringList lines;  // split at line ends, nothing else done
};

std::vector<ShippedFile> ShippedFiles() {
    std::vector<ShippedFile> files;
    for (const LanguageFileEntry& entry : ListLanguageFiles({PADRIX_LANGUAGE_SOURCE_DIR})) {
        QFile f(QString::fromStdString(entry.path));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << entry.path;
        const QByteArray bytes = f.readAll();
        QStringList lines = QString::fromUtf8(bytes).split('\n');
        if (!lines.isEmpty() && lines.back().isEmpty()) {
            lines.removeLast();  // the last line's end
        }
        files.push_back({entry.name, entry.path, bytes, lines});
    }
    return files;
}

// The shipped file of that language, or none.
const ShippedFile* Named(const std::vector<ShippedFile>& files, std::string_view name) {
    const auto it = std::find_if(files.begin(), files.end(),
                                 [name](const ShippedFile& f) { return f.name == name; });
    return it == files.end() ? nullptr : &*it;
}

QString Text(const ShippedFile& file, int id) {
    return id < file.lines.size() ? file.lines[id] : QString();
}

// Exactly ids 0 to 62, one per line: no empty line, no spaces that the
// program would drop, nothing after the last id, UTF-8 with plain line feeds;
// and every text fits the place where it is shown.
TEST(AppShippedLanguages, TheFourFilesHoldExactlyTheLinesReadAndFitTheirPlaces) {
    std::vector<std::string> names;
    for (const ShippedFile& file : ShippedFiles()) {
        SCOPED_TRACE(file.name);
        names.push_back(file.name);
        EXPECT_TRUE(IsValidUtf8(file.bytes.toStdString()));
        EXPECT_FALSE(file.bytes.contains('\r'));
        EXPECT_TRUE(file.bytes.endsWith('\n'));
        ASSERT_EQ(file.lines.size(), kLanguageTextIds);
        const std::vector<std::string> read = ReadLanguageFile(file.path, kLanguageTextIds - 1);
        ASSERT_EQ(read.size(), std::size_t{kLanguageTextIds});
        for (int id = 0; id < kLanguageTextIds; ++id) {
            const QString text = Text(file, id);
            EXPECT_EQ(QString::fromStdString(read[static_cast<std::size_t>(id)]), text)
                << "id " << id << " is changed on reading";
            const Place& place = kPlaces[static_cast<std::size_t>(id)];
            EXPECT_LE(text.size(), place.maxLength)
                << "id " << id << " is too long for a " << place.what;
            EXPECT_FALSE(text.contains(QRegularExpression(QStringLiteral("[\\x00-\\x1F]"))));
        }
        const QString caption = Text(file, 0);
        EXPECT_EQ(IconTip(caption), caption + kTipCredit) << "the tip is cut";
        EXPECT_TRUE(caption.contains(QStringLiteral("Padrix ") + kPadrixVersion))
            << "the caption names the version";
        EXPECT_FALSE(Text(file, 17).contains(QStringLiteral("DirectX")))
            << "the controller input is SDL's";
    }
    for (const char* wanted : {"Deutsch", "English", "Espa\u00F1ol", "Fran\u00E7ais"}) {
        EXPECT_NE(std::find(names.begin(), names.end(), wanted), names.end()) << wanted;
    }
}

// The English file holds the program's own texts, so that choosing it
// changes nothing; the others mark access keys where English does.
TEST(AppShippedLanguages, EnglishIsTheBuiltInTextAndAccessKeysMatchIt) {
    const auto files = ShippedFiles();
    const ShippedFile* english = Named(files, "English");
    ASSERT_NE(english, nullptr);
    EXPECT_EQ(Text(*english, 0), kDefaultCaption);
    for (const MenuEntryInfo& info : kMenuEntries) {
        const int id = info.textId;
        const QString expected = info.entry == MenuEntry::About
                                     ? QStringLiteral("About ") + kDefaultCaption + "..."
                                     : QString::fromLatin1(info.caption);
        EXPECT_EQ(Text(*english, id), expected) << "id " << id;
    }
    EXPECT_EQ(Text(*english, 17), kDefaultDirectInputError);
    EXPECT_EQ(Text(*english, 18), kDefaultNoJoystick);
    EXPECT_EQ(Text(*english, kMenuButtonId), kDefaultMenuButton);
    const std::pair<LanguageForm, std::vector<QString>> windows[] = {
        {kGameControllersTexts, GameControllersWindow::EnglishTexts()},
        {kAutoConfigTexts, AutoConfigPrompt::EnglishTexts()},
    };
    for (const auto& [form, texts] : windows) {
        ASSERT_EQ(texts.size(), std::size_t(form.lastId - form.firstId + 1));
        for (int id = form.firstId; id <= form.lastId; ++id) {
            EXPECT_EQ(Text(*english, id), texts[std::size_t(id - form.firstId)]) << "id " << id;
        }
    }

    const QRegularExpression oneAccessKey(QStringLiteral("^[^&]*&\\w[^&]*$"));
    for (const ShippedFile& file : files) {
        for (int id = 0; id < kLanguageTextIds; ++id) {
            const bool marked = Text(*english, id).contains('&');
            EXPECT_EQ(oneAccessKey.match(Text(file, id)).hasMatch(), marked)
                << file.name << " id " << id;
            if (!marked) {
                EXPECT_FALSE(Text(file, id).contains('&')) << file.name << " id " << id;
            }
            EXPECT_EQ(Text(file, id).count(QStringLiteral("%1")),
                      Text(*english, id).count(QStringLiteral("%1")))
                << file.name << " id " << id << " keeps the number's place";
        }
    }
}

// Applied by the forms themselves: every text arrives, and the menu and the
// force feedback dialog stay within a small screen.
TEST(AppShippedLanguages, TheFormsTakeEveryTextAndStayWithinTheScreen) {
    for (const ShippedFile& file : ShippedFiles()) {
        SCOPED_TRACE(file.name);
        AppRig rig;
        rig.settings->SaveSetting("Custom", "Lang", file.path);
        TrayApplication& form = rig.Start();
        EXPECT_EQ(form.Caption(), Text(file, 0));
        for (const MenuEntryInfo& info : kMenuEntries) {
            EXPECT_EQ(form.menu().action(info.entry).text(), Text(file, info.textId));
        }
        EXPECT_EQ(form.InputErrorMessage(), Text(file, 17));
        EXPECT_LE(form.menu().menu().sizeHint().width(), kMaxWidgetWidth);

        form.Choose(MenuEntry::Rumble);
        ForceFeedbackDialog* dialog = form.forceFeedback();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), Text(file, 3));
        for (int mode = 0; mode < ForceFeedbackDialog::kModes; ++mode) {
            EXPECT_EQ(dialog->modeButton(mode).text(), Text(file, 25 + mode));
        }
        EXPECT_LE(dialog->sizeHint().width(), kMaxWidgetWidth);
        dialog->close();
    }
}

// Game Controllers and the auto configuration prompt in each language, the
// counts worded by its rule; and English from a file without their lines.
TEST(AppShippedLanguages, GameControllersAndThePromptSpeakEachLanguage) {
    const struct {
        const char* language;
        const char* counts;  // of a pad with 2 axes, 1 button and no hat
    } table[] = {
        {"English", "2 axes, 1 button, 0 hats"},
        {"Deutsch", "2 Achsen, 1 Taste, 0 Coolie-Hats"},
        {"Espa\u00F1ol", "2 ejes, 1 bot\u00F3n, 0 crucetas"},
        {"Fran\u00E7ais", "2 axes, 1 bouton, 0 chapeau"},
        {"Older", "2 axes, 1 button, 0 hats"},
    };
    const auto files = ShippedFiles();
    const ShippedFile* english = Named(files, "English");
    ASSERT_NE(english, nullptr);
    AppRig rig;
    const std::string older = rig.dir.filePath("Padrix_Older.txt").toStdString();
    rig.WriteFile(older, english->lines.mid(0, kFirstNoticeId).join('\n').toUtf8());
    for (const auto& [language, counts] : table) {
        SCOPED_TRACE(language);
        const ShippedFile* file = Named(files, language);
        const ShippedFile& shown = file == nullptr ? *english : *file;
        const std::string path = file == nullptr ? older : file->path;
        auto controllers = std::make_unique<fakes::FakeControllers>();
        controllers->Add("Pad", 1)->hats = {};
        GameControllersWindow window(std::move(controllers), rig.Start().session(),
                                     [&path] { return path; });
        window.show();
        EXPECT_EQ(window.windowTitle(), Text(shown, kGameControllersTexts.firstId));
        QStringList labels;
        for (const QLabel* label : window.findChildren<QLabel*>()) {
            labels << label->text();
        }
        EXPECT_TRUE(labels.contains(QString::fromUtf8(counts))) << labels.join('|').toStdString();

        AutoConfigPrompt prompt(
            nullptr, [](const QKeyEvent&) {}, [] {});
        prompt.ApplyLanguage(path);
        prompt.ShowStep(5);
        EXPECT_EQ(prompt.windowTitle(), Text(shown, kAutoConfigTexts.firstId));
        EXPECT_EQ(prompt.buttonLabel().text(),
                  Text(shown, kAutoConfigTexts.lastId).replace(QStringLiteral("%1"), "2"));
    }
}

// A file written before lines 29 and later existed leaves those texts
// English, also after another language had translated them.
TEST(AppShippedLanguages, TextsAnOlderFileLacksStayEnglish) {
    const auto files = ShippedFiles();
    const ShippedFile* german = Named(files, "Deutsch");
    ASSERT_NE(german, nullptr);
    AppRig rig;
    const std::string older = rig.dir.filePath("Padrix_Alt.txt").toStdString();
    rig.WriteFile(older, german->lines.mid(0, 29).join('\n').toUtf8());
    rig.settings->SaveSetting("Custom", "Lang", german->path);
    TrayApplication& form = rig.Start();
    EXPECT_EQ(form.menu().Caption(MenuEntry::FollowWindow), Text(*german, 29));
    ASSERT_TRUE(form.session().ChooseLanguage(older));
    EXPECT_EQ(form.menu().Caption(MenuEntry::Enabled), Text(*german, 1));
    EXPECT_EQ(form.menu().Caption(MenuEntry::FollowWindow), "Follow the active window");
    EXPECT_EQ(form.menu().Caption(MenuEntry::StartWithDesktop), "Start with the desktop");
}

}  // namespace
}  // namespace padrix::testing
