#include "help/HelpLinks.h"

#include <array>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace kivo::help {
namespace {

constexpr std::array kLinks{
    Link{Entry::Website, "", true},
    Link{Entry::HelpBar, "", true},
    Link{Entry::VideoLessons, "/video_aulas", true},
    Link{Entry::Lessons, "/aulas", true},
    Link{Entry::SignalGenerators, "/ferramentas/#gerador_sinais", false},
    Link{Entry::PidController, "/simulador/objetos_simulacao/#controlador_PID", false},
    Link{Entry::CalculationBlock, "/simulador/objetos_simulacao/#bloco_calculo", false},
    Link{Entry::ProcessBlock, "/simulador/objetos_simulacao/#bloco_processo", false},
    Link{Entry::Variables, "/ferramentas/#mapa_variaveis", false},
    Link{Entry::FastSimulation, "/ferramentas/#simulacao_rapida", false},
    Link{Entry::Modbus, "/ferramentas/modbus/#mapa", false},
};

const Link& LinkOf(Entry e) {
    for (const Link& l : kLinks)
        if (l.entry == e) return l;
    return kLinks.front();
}

}  // namespace

std::span<const Link> Links() { return kLinks; }

QUrl UrlBase(bool english) {
    const QString language = english ? QStringLiteral("en") : QStringLiteral("pt");
    const QString installed =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/kivo/help/") + language);
    if (QFileInfo(installed + QStringLiteral("/index.html")).exists())
        return QUrl::fromLocalFile(QDir::cleanPath(installed));
    return QUrl::fromLocalFile(QStringLiteral(KIVO_HELP_SOURCE_DIR "/") + language);
}

QUrl UrlOf(const QUrl& base, Entry e) {
    QString path = QString::fromLatin1(LinkOf(e).path);
    if (base.isLocalFile()) {
        const qsizetype hashPos = path.indexOf('#');
        QString folder = hashPos < 0 ? path : path.left(hashPos);
        const QString fragment = hashPos < 0 ? QString() : path.mid(hashPos);
        if (!folder.endsWith('/')) folder += '/';
        path = folder + QStringLiteral("index.html") + fragment;
    }
    QString b = base.toString();
    while (b.endsWith('/')) b.chop(1);
    return QUrl(b + path);
}

bool NeedsConnection(const QUrl& base, Entry e) { return LinkOf(e).checkConnection && !base.isLocalFile(); }

}  // namespace kivo::help
