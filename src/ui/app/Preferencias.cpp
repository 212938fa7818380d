#include "ui/app/Preferencias.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace kivo::ui {

bool LinhaEscolheIngles(const QString& primeiraLinha) {
    return primeiraLinha.contains(QStringLiteral("English"), Qt::CaseSensitive);
}

std::optional<bool> LePreferencias(const QString& pasta) {
    QFile f(QDir(pasta).filePath(QString::fromLatin1(kArquivoPreferencias)));
    if (!f.exists()) return std::nullopt;
    // A file that exists but cannot be read counts as asking for nothing
    // particular: Portuguese, the built-in language.
    if (!f.open(QIODevice::ReadOnly)) return false;
    return LinhaEscolheIngles(QString::fromLatin1(f.readLine()));
}

QString EscrevePreferencias(const QString& pasta, bool ingles) {
    QSaveFile f(QDir(pasta).filePath(QString::fromLatin1(kArquivoPreferencias)));
    if (!f.open(QIODevice::WriteOnly)) return f.errorString();
    f.write(ingles ? "<language> English\r\n" : "<language> Portuguese\r\n");
    if (!f.commit()) return f.errorString();
    return {};
}

}  // namespace kivo::ui
