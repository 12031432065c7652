#pragma once

#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "Fakes.h"
#include "app/SingleInstance.h"
#include "app/formPadrix.h"
#include "platform/Launcher.h"
#include "platform/WindowActivator.h"
#include "settings/IniSettingsStore.h"

namespace padrix::testing {

// A main form over recording fakes of the engine's ports, a real settings
// file, a real launcher whose outside programs only note what they were asked
// to start, and folders of its own.
struct AppRig {
    QTemporaryDir dir;
    std::string settingsPath = dir.filePath("Padrix.ini").toStdString();
    std::string programFolder = Folder("program");
    std::string winePrefix = Folder("prefix");
    std::string launchLog = dir.filePath("launched.txt").toStdString();
    std::string runtimeFolder = Folder("runtime");

    fakes::FakeControllers controllers;
    fakes::RecordingOutput output;
    fakes::FakeKeys keys;
    fakes::RecordingScreenshots screenshots;
    fakes::ManualClock clock;
    fakes::ScriptedRandom random;
    NoWindowActivator windows;
    std::unique_ptr<IniSettingsStore> settings = std::make_unique<IniSettingsStore>(settingsPath);
    Launcher launcher{LauncherTools{Script("opener"), Script("wine"), winePrefix}};
    SingleInstance instance{QString::fromStdString(runtimeFolder)};
    std::unique_ptr<formPadrix> form;

    formPadrix& Make() {
        form = std::make_unique<formPadrix>(
            FormPadrixPorts{instance, controllers, *settings, output, keys, screenshots, windows,
                            launcher, clock, random},
            FormPadrixPaths{programFolder, dir.filePath("README.md"), dir.filePath("docs")});
        return *form;
    }

    formPadrix& Start() {
        Make();
        form->Form_Load();
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

    QByteArray SettingsFileBytes() const {
        QFile f(QString::fromStdString(settingsPath));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void PutEmulatorBesideProgram() const {
        QFile f(QString::fromStdString(programFolder + "/ConnectixVGS.exe"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("MZ");
    }

  private:
    std::string Folder(const char* name) {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name).toStdString();
    }
    // A stand-in for an outside program: appends its name and arguments to the launch log.
    std::string Script(const char* name) {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QStringLiteral("#!/bin/sh\necho \"%1 $*\" >> '%2'\n")
                    .arg(QString::fromLatin1(name), dir.filePath("launched.txt"))
                    .toUtf8());
        f.close();
        f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return path.toStdString();
    }
};

}  // namespace padrix::testing
