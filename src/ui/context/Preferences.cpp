#include "ui/context/Preferences.h"

#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kivo::ui {

bool LineChoosesEnglish(const QString& firstLine) {
    return firstLine.contains(QStringLiteral("English"), Qt::CaseSensitive);
}

std::optional<bool> ReadPreferences(const QString& folder) {
    const QString path = QDir(folder).filePath(QString::fromLatin1(kPreferencesFile));
    if (!QFileInfo::exists(path)) return std::nullopt;
    // A file that exists but cannot be read counts as asking for nothing
    // particular: Portuguese, the built-in language. The file holds one
    // short line; a FIFO, a device or a huge file is not read at all.
    constexpr std::uintmax_t kMaxBytes = 64 << 10;
    FileRefusal refusal;
    const auto bytes = ReadRegularFile(path.toStdString(), kMaxBytes, refusal);
    if (!bytes) return false;
    const std::string line = bytes->substr(0, bytes->find('\n'));
    return LineChoosesEnglish(QString::fromLatin1(line.data(), qsizetype(line.size())));
}

QString WritePreferences(const QString& folder, bool english) {
    QSaveFile f(QDir(folder).filePath(QString::fromLatin1(kPreferencesFile)));
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    f.write(english ? "<language> English\r\n" : "<language> Portuguese\r\n");
    if (!f.commit()) return f.errorString();
    return {};
}

}  // namespace kivo::ui
