#include "ui/app/Preferencias.h"

#include "core/RegularFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace kivo::ui {

bool LinhaEscolheIngles(const QString& primeiraLinha) {
    return primeiraLinha.contains(QStringLiteral("English"), Qt::CaseSensitive);
}

std::optional<bool> LePreferencias(const QString& pasta) {
    const QString caminho = QDir(pasta).filePath(QString::fromLatin1(kArquivoPreferencias));
    if (!QFileInfo::exists(caminho)) return std::nullopt;
    // A file that exists but cannot be read counts as asking for nothing
    // particular: Portuguese, the built-in language. The file holds one
    // short line; a FIFO, a device or a huge file is not read at all.
    constexpr std::uintmax_t kMaxBytes = 64 << 10;
    FileRefusal recusa;
    const auto bytes = ReadRegularFile(caminho.toStdString(), kMaxBytes, recusa);
    if (!bytes) return false;
    const std::string linha = bytes->substr(0, bytes->find('\n'));
    return LinhaEscolheIngles(QString::fromLatin1(linha.data(), qsizetype(linha.size())));
}

QString EscrevePreferencias(const QString& pasta, bool ingles) {
    QSaveFile f(QDir(pasta).filePath(QString::fromLatin1(kArquivoPreferencias)));
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    f.write(ingles ? "<language> English\r\n" : "<language> Portuguese\r\n");
    if (!f.commit()) return f.errorString();
    return {};
}

}  // namespace kivo::ui
