// Every window of the program in every shipped language, at the scale the run
// was started with (QT_SCALE_FACTOR): each visible control lies whole inside
// its parent, and so inside its window, and is no smaller than it needs to be.
// With PADRIX_WINDOW_PICTURES naming a folder, a picture of each window checked
// is saved there, named by window, language and scale.
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QTextBrowser>

#include "JoyConfigRig.h"
#include "dialogs/ForceFeedbackDialog.h"
#include "dialogs/KeyName.h"
#include "settings/LanguageList.h"

namespace padrix::testing {
namespace {

std::string Name(const QWidget& w) {
    const QString name = w.objectName();
    return (name.isEmpty() ? QString::fromLatin1(w.metaObject()->className()) : name).toStdString();
}

std::string Text(const QRect& r) {
    QString text;
    QDebug(&text).nospace() << r;
    return text.toStdString();
}

QRect PlacedIn(const QWidget& w, const QWidget& window) {
    return {w.mapTo(&window, QPoint(0, 0)), w.size()};
}

// The size a widget needs to show whole; a widget whose height follows its
// width needs the height for the width it has.
QSize Needed(const QWidget& w) {
    QSize needed = w.minimumSizeHint();
    if (w.hasHeightForWidth()) {
        needed.setHeight(w.heightForWidth(w.width()));
    }
    return needed;
}

// What of the window's own widgets does not show whole.
std::vector<std::string> CutOff(const QWidget& window) {
    std::vector<std::string> problems;
    for (const QWidget* w : window.findChildren<QWidget*>()) {
        if (w->window() != &window || !w->isVisibleTo(&window)) {
            continue;
        }
        // An editable combo box fits its edit field into itself; the box is
        // checked.
        if (qobject_cast<const QComboBox*>(w->parentWidget()) != nullptr) {
            continue;
        }
        const QRect placed = PlacedIn(*w, window);
        for (const QWidget* p = w->parentWidget(); p != nullptr; p = p->parentWidget()) {
            if (!PlacedIn(*p, window).contains(placed)) {
                problems.push_back(Name(*w) + " " + Text(placed) + " reaches past " + Name(*p) +
                                   " " + Text(PlacedIn(*p, window)));
                break;
            }
            if (p == &window) {
                break;
            }
        }
        const QSize needed = Needed(*w);
        if (w->width() < needed.width() || w->height() < needed.height()) {
            problems.push_back(Name(*w) + " " + Text(placed) + " is smaller than " +
                               std::to_string(needed.width()) + "x" +
                               std::to_string(needed.height()));
        }
    }
    return problems;
}

// The key code with the widest name in the application's font.
int WidestKeyName() {
    const QFontMetrics metrics(QApplication::font());
    int widest = 0;
    for (int code = 1; code < 256; ++code) {
        if (metrics.horizontalAdvance(QString::fromStdString(KeyName(code))) >
            metrics.horizontalAdvance(QString::fromStdString(KeyName(widest)))) {
            widest = code;
        }
    }
    return widest;
}

class WindowGeometry : public JoyConfigRig {
  protected:
    // Shipped language files beside the dialog, `entry` chosen, and the
    // widest key name on every labelled pad button.
    void Prepare(const LanguageFileEntry& entry, bool gravis) {
        for (const LanguageFileEntry& shipped : shipped_) {
            const QString copy =
                languages.filePath(QFileInfo(QString::fromStdString(shipped.path)).fileName());
            ASSERT_TRUE(QFile::exists(copy) ||
                        QFile::copy(QString::fromStdString(shipped.path), copy));
            if (shipped.path == entry.path) {
                app.settings->SaveSetting("Custom", "Lang", copy.toStdString());
            }
        }
        app.settings->SaveSetting("Custom", "Gravis", gravis ? "1" : "0");
        const std::string widest = std::to_string(WidestKeyName());
        for (int slot = 0; slot < kStatusLabels; ++slot) {
            app.settings->SaveSetting("Custom", std::to_string(slot), widest);
        }
    }

    void Check(QWidget& window, const std::string& name) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        for (const std::string& problem : CutOff(window)) {
            ADD_FAILURE() << name << ": " << problem;
        }
        if (const QString folder = qEnvironmentVariable("PADRIX_WINDOW_PICTURES");
            !folder.isEmpty()) {
            const QString scale = qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1"));
            QDir().mkpath(folder);
            window.grab().save(QDir(folder).filePath(QString::fromStdString(name) +
                                                     QStringLiteral("-x") + scale +
                                                     QStringLiteral(".png")));
        }
    }

  public:
    // The pads plugged before the window opens. Pressed ones hold every
    // button, the stick left and the hat up-left: the longest reading Game
    // Controllers shows.
    void PlugPads(int count, int buttons, bool pressed) {
        for (int n = 1; n <= count; ++n) {
            VirtualPad& pad = Plug({.name = "Virtual Pad " + std::to_string(n),
                                    .buttons = buttons,
                                    .hats = pressed ? 1 : 0,
                                    .rumble = pressed});
            for (int b = 0; b < buttons && pressed; ++b) {
                pad.SetButton(b, true);
            }
            if (pressed) {
                pad.SetAxis(0, -32768);
                pad.SetHat(SDL_HAT_UP | SDL_HAT_LEFT);
            }
        }
    }

    void ShowDialog(const std::string& name) {
        Open().show();
        Check(*dialog, name);
    }

    void ShowAutoConfig(const std::string& name) {
        ConfigDialog& d = Open();
        d.show();
        bool seen = false;
        QTimer::singleShot(0, &d, [&] {
            AutoConfigPrompt* prompt = d.autoConfigPrompt();
            if (prompt == nullptr) {
                d.cancelCapture();
                return;
            }
            seen = true;
            Check(*prompt, name);
            QTest::keyClick(prompt, Qt::Key_Escape);
        });
        d.onAutoConfigClicked();
        EXPECT_TRUE(seen);
    }

    void ShowGameControllers(const std::string& name) {
        Session& session = Start().session();
        GameControllersWindow window(std::make_unique<SdlControllerAccess>(app.clock), session,
                                     [&session] { return session.LanguagePath(); });
        window.show();
        window.Refresh();
        EXPECT_EQ(window.ListedJoypads(), static_cast<int>(pads.size()));
        Check(window, name);
    }

    void ShowForceFeedback(const std::string& name) {
        ForceFeedbackDialog window(Start().session());
        window.load();
        window.show();
        Check(window, name);
    }

    void ShowFallbackWindow(const std::string& name) {
        FallbackWindow* window = Start().presence().fallback();
        ASSERT_NE(window, nullptr) << "Qt's offscreen platform has no notification area";
        Check(*window, name);
    }

    void ShowAbout(const std::string& name) {
        TrayApplication& form = Start();
        QTextBrowser opener;  // takes the README the box opens afterwards
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opener, "setSource");
        bool seen = false;
        OnNextModal([&](QWidget& box) {
            seen = true;
            Check(box, name);
        });
        form.Choose(MenuEntry::About);
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        EXPECT_TRUE(seen);
    }

  protected:
    const std::vector<LanguageFileEntry> shipped_ = ListLanguageFiles({PADRIX_LANGUAGE_SOURCE_DIR});
};

TEST_F(WindowGeometry, EveryControlOfEveryWindowShowsWholeInEveryLanguage) {
    using Show = void (WindowGeometry::*)(const std::string&);
    const struct {
        const char* name;
        int pads;
        int buttons;
        bool pressed;
        bool gravis;
        Show show;
    } windows[] = {
        {"config-dialog", 1, 12, false, false, &WindowGeometry::ShowDialog},
        {"config-dialog-gravis", 1, 12, false, true, &WindowGeometry::ShowDialog},
        {"config-dialog-two-pads", 2, 12, false, false, &WindowGeometry::ShowDialog},
        {"auto-config", 1, 20, false, false, &WindowGeometry::ShowAutoConfig},
        {"game-controllers", 1, 12, true, false, &WindowGeometry::ShowGameControllers},
        {"game-controllers-two-pads", 2, 12, true, false, &WindowGeometry::ShowGameControllers},
        {"force-feedback", 0, 0, false, false, &WindowGeometry::ShowForceFeedback},
        {"fallback-window", 0, 0, false, false, &WindowGeometry::ShowFallbackWindow},
        {"about", 0, 0, false, false, &WindowGeometry::ShowAbout},
    };
    ASSERT_FALSE(shipped_.empty());
    EXPECT_DOUBLE_EQ(qApp->devicePixelRatio(),
                     qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble());
    for (const LanguageFileEntry& language : shipped_) {
        for (const auto& window : windows) {
            const std::string name = std::string(window.name) + "-" + language.name;
            SCOPED_TRACE(name);
            Reset();
            Prepare(language, window.gravis);
            PlugPads(window.pads, window.buttons, window.pressed);
            (this->*window.show)(name);
        }
    }
}

}  // namespace
}  // namespace padrix::testing
