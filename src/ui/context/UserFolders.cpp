#include "ui/context/UserFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "ui/context/Preferences.h"

namespace kivo::ui {
namespace {

const QString kFolderName = QStringLiteral("kivo");

bool HasExamples(const QString& root) { return QFileInfo(QDir(root).filePath(QStringLiteral("examples"))).isDir(); }

}  // namespace

UserFolders::UserFolders(QString startDirectory, QString programDirectory)
    : startDirectory_(std::move(startDirectory)),
      installedRoot_(QDir::cleanPath(programDirectory + QStringLiteral("/../share/kivo"))),
      installed_(HasExamples(installedRoot_)) {}

QString UserFolders::examplesRoot() const {
    if (installed_) return installedRoot_;
    // A build tree started from elsewhere still finds the sources' examples.
    return HasExamples(startDirectory_) ? startDirectory_ : QStringLiteral(KIVO_SOURCE_DIR);
}

QString UserFolders::preferencesFolder() const {
    if (!installed_) return startDirectory_;
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)).filePath(kFolderName);
}

std::optional<bool> UserFolders::Language() const {
    if (const auto own = ReadPreferences(preferencesFolder())) return own;
    if (!installed_) return std::nullopt;
    // The configuration folders after the user's own, most important first:
    // XDG_CONFIG_DIRS, /etc/xdg by default.
    QStringList system = QStandardPaths::standardLocations(QStandardPaths::GenericConfigLocation);
    if (!system.isEmpty()) system.removeFirst();
    for (const QString& folder : system)
        if (const auto language = ReadPreferences(QDir(folder).filePath(kFolderName))) return language;
    return std::nullopt;
}

QString UserFolders::SetLanguage(bool english) const {
    const QString folder = preferencesFolder();
    if (!QDir().mkpath(folder)) return QStringLiteral("%1: cannot create the folder").arg(folder);
    return WritePreferences(folder, english);
}

QString UserFolders::Documents() const {
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty()) documents = QDir::homePath();
    const QString folder = QDir(documents).filePath(QStringLiteral("KIVO"));
    return QDir().mkpath(folder) ? folder : QString();
}

QString UserFolders::DocumentsOrHome() const {
    const QString documents = Documents();
    return documents.isEmpty() ? QDir::homePath() : documents;
}

}  // namespace kivo::ui
