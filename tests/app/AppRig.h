#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "Fakes.h"
#include "app/SingleInstance.h"
#include "app/TrayApplication.h"
#include "platform/Launcher.h"
#include "platform/WindowActivator.h"
#include "settings/IniSettingsStore.h"
#include "settings/InterfaceLanguage.h"

// Readable QStrings in test messages.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace padrix::testing {

// A tray over recording fakes of the engine's ports, a real settings
// file, a real launcher whose outside programs only note what they were asked
// to start, and folders of its own.
struct AppRig {
    QTemporaryDir dir;
    std::string settingsPath = dir.filePath("Padrix.ini").toStdString();
    std::string programFolder = Folder("program");
    std::string winePrefix = Folder("prefix");
    std::string launchLog = dir.filePath("launched.txt").toStdString();
    std::string runtimeFolder = Folder("runtime");
    std::string languageFolder = Folder("languages");
    std::string configFolder = Folder("config");
    // What "Start with the desktop" writes and names.
    std::string autostartFile = AutostartFileIn(configFolder).string();
    std::string program = "/usr/bin/padrix";
    // The desktop's locale for messages, as LANG names it.
    std::string locale = "C";

    fakes::FakeControllers controllers;
    fakes::RecordingOutput output;
    fakes::FakeKeys keys;
    fakes::RecordingScreenshots screenshots;
    fakes::ManualClock clock;
    fakes::ScriptedRandom random;
    NoWindowActivator windows;
    std::unique_ptr<IniSettingsStore> settings = std::make_unique<IniSettingsStore>(settingsPath);
    // Made with the tray, over the settings and locale of that moment.
    std::unique_ptr<InterfaceLanguage> language;
    Launcher launcher{LauncherTools{Script("opener"), Script("wine"), winePrefix}};
    SingleInstance instance{QString::fromStdString(runtimeFolder)};
    std::unique_ptr<TrayApplication> form;

    TrayApplication& Make() {
        form.reset();
        language = std::make_unique<InterfaceLanguage>(
            *settings, std::vector<std::string>{languageFolder}, locale);
        form = std::make_unique<TrayApplication>(
            TrayPorts{instance, controllers, *settings, *language, output, keys, screenshots,
                      windows, launcher, clock, random},
            TrayPaths{programFolder,
                      dir.filePath("README.md"),
                      dir.filePath("docs"),
                      autostartFile,
                      program,
                      {}});
        return *form;
    }
    TrayApplication& Start() {
        Make().Load();
        return *form;
    }

    // A fresh store over the same file, as the next run of the program reads it.
    void ReopenSettings() {
        form.reset();
        settings = std::make_unique<IniSettingsStore>(settingsPath);
    }
    std::string Setting(std::string_view key) {
        return settings->GetSetting("Custom", key, "<none>");
    }

    void WriteFile(const std::string& path, const QByteArray& bytes) const {
        QDir().mkpath(QFileInfo(QString::fromStdString(path)).path());
        QFile f(QString::fromStdString(path));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray FileBytes(const std::string& path) {
        QFile f(QString::fromStdString(path));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The programs started so far, once the first has noted itself (10 s at most).
    QStringList Launched() const {
        EXPECT_TRUE(QTest::qWaitFor([this] { return FileBytes(launchLog).contains('\n'); }, 10000));
        return QString::fromUtf8(FileBytes(launchLog)).split('\n', Qt::SkipEmptyParts);
    }

  private:
    std::string Folder(const char* name) {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name).toStdString();
    }
    // A stand-in for an outside program: appends its name and arguments to the launch log.
    std::string Script(const char* name) {
        const QString path = dir.filePath(name);
        WriteFile(path.toStdString(),
                  QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\n")
                      .arg(QString::fromLatin1(name), dir.filePath("launched.txt"))
                      .toUtf8());
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
        return path.toStdString();
    }
};

// Calls `act` with the first widget that `find` returns, from the event loop
// that is running then (a menu's or a message box's own). Looks again on each
// pass of the loop, 10000 passes at most.
inline QPointer<QTimer> OnNext(std::function<QWidget*()> find, std::function<void(QWidget&)> act) {
    auto* timer = new QTimer;
    auto passes = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, passes, find, act] {
        QWidget* w = find();
        if (w == nullptr && ++*passes < 10000) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (w != nullptr) {
            act(*w);
        }
    });
    timer->start(0);
    return timer;
}

// Runs `act` on the next popup menu; `act` must close the menu.
inline QPointer<QTimer> OnNextPopup(std::function<void(QMenu&)> act) {
    return OnNext([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()); },
                  [act](QWidget& w) { act(static_cast<QMenu&>(w)); });
}

// Hands the next modal window (a message box) to `seen`, then closes it.
inline void OnNextModal(std::function<void(QWidget&)> seen) {
    OnNext([] { return QApplication::activeModalWidget(); },
           [seen](QWidget& w) {
               seen(w);
               w.close();
           });
}

}  // namespace padrix::testing
