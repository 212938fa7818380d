#include "help/LinksAjuda.h"

#include <array>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "ui/app/Interacao.h"

namespace kivo::help {
namespace {

constexpr std::array kLinks{
    Link{Entrada::Website, "", true},
    Link{Entrada::Label21, "", true},
    Link{Entrada::VideoAulas, "/video_aulas", true},
    Link{Entrada::Aulas, "/aulas", true},
    Link{Entrada::Geradores, "/ferramentas/#gerador_sinais", false},
    Link{Entrada::Controlador, "/simulador/objetos_simulacao/#controlador_PID", false},
    Link{Entrada::Bloco, "/simulador/objetos_simulacao/#bloco_calculo", false},
    Link{Entrada::Processo, "/simulador/objetos_simulacao/#bloco_processo", false},
    Link{Entrada::Variaveis, "/ferramentas/#mapa_variaveis", false},
    Link{Entrada::SimulacaoRapida, "/ferramentas/#simulacao_rapida", false},
};

const Link& LinkDe(Entrada e) {
    for (const Link& l : kLinks)
        if (l.entrada == e) return l;
    return kLinks.front();
}

}  // namespace

std::span<const Link> Links() { return kLinks; }

QUrl UrlBase(bool ingles) {
    const QString lingua = ingles ? QStringLiteral("en") : QStringLiteral("pt");
    const QString instalada =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/kivo/help/") + lingua);
    if (QFileInfo(instalada + QStringLiteral("/index.html")).exists())
        return QUrl::fromLocalFile(QDir::cleanPath(instalada));
    return QUrl::fromLocalFile(QStringLiteral(KIVO_HELP_SOURCE_DIR "/") + lingua);
}

QUrl UrlDe(const QUrl& base, Entrada e) {
    QString caminho = QString::fromLatin1(LinkDe(e).caminho);
    if (base.isLocalFile()) {
        const qsizetype cerquilha = caminho.indexOf('#');
        QString pasta = cerquilha < 0 ? caminho : caminho.left(cerquilha);
        const QString fragmento = cerquilha < 0 ? QString() : caminho.mid(cerquilha);
        if (!pasta.endsWith('/')) pasta += '/';
        caminho = pasta + QStringLiteral("index.html") + fragmento;
    }
    QString b = base.toString();
    while (b.endsWith('/')) b.chop(1);
    return QUrl(b + caminho);
}

void AbreAjuda(ui::Interacao& interacao, const QUrl& base, Entrada e) {
    if (LinkDe(e).testaConexao && !base.isLocalFile() && !interacao.Conectado()) {
        interacao.Informa(nullptr, QStringLiteral("É requerida conexão com internet"));
        return;
    }
    interacao.AbreUrl(UrlDe(base, e));
}

}  // namespace kivo::help
