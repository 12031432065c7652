#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "settings/SettingsPath.h"

namespace padrix {

QString RuntimeFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty()) {
        return runtime;
    }
    // Not the shared temporary folder: one user's lock there would keep
    // every other user's program from starting.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    QDir().mkpath(cache);
    return cache;
}

QString CommandSocketPath() {
    return QDir(RuntimeFolder()).filePath(QStringLiteral("Padrix.sock"));
}

TrayPaths ProgramPaths(const QString& programDir) {
    const QDir program(programDir);
    const QString installedDocs =
        QDir::cleanPath(program.filePath(QStringLiteral(PADRIX_DOC_FROM_BIN)));
    const bool installed = QFileInfo::exists(installedDocs + QStringLiteral("/README.md"));
    const QString docs = installed ? installedDocs : QStringLiteral(PADRIX_SOURCE_DIR);
    // The running program as it is, installed or built: the autostart entry
    // starts this one.
    return {programDir.toStdString(),
            docs + QStringLiteral("/README.md"),
            docs + QStringLiteral("/docs"),
            AutostartFileIn(DefaultConfigFolder()).string(),
            QFile::encodeName(QCoreApplication::applicationFilePath()).toStdString(),
            {}};
}

}  // namespace padrix
