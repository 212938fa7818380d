#include "ui/objects/LogControlador.h"

#include <array>

#include <QDir>
#include <QFileInfo>

#include "core/NumberText.h"

namespace kivo::ui {
namespace {

constexpr std::array kPassos{0.1, 0.334, 2.0};
constexpr std::array kCabecalhos{"Tempo (0.100 seg);", "Tempo (0.334 seg);", "Tempo (2 seg);"};

int Base(int baseTempo) { return baseTempo < 0 || baseTempo > 2 ? 0 : baseTempo; }

QString Campo(double x, bool virgula) {
    QString s = QString::fromStdString(FormataFixo(x, 3, 2));
    if (virgula) s.replace(QLatin1Char('.'), QLatin1Char(','));
    return s;
}

}  // namespace

QString LogControlador::Cabecalho(int baseTempo) {
    return QString::fromLatin1(kCabecalhos[static_cast<std::size_t>(Base(baseTempo))]) + QStringLiteral("PV;SP;MV");
}

QString LogControlador::Linha(double tempo, double pv, double sp, double mv, bool virgula) {
    return Campo(tempo, virgula) + ';' + Campo(pv, virgula) + ';' + Campo(sp, virgula) + ';' + Campo(mv, virgula);
}

QString LogControlador::ProximoArquivo(const QString& pasta, const QString& tag) {
    const QDir dir(pasta);
    for (int k = 1;; ++k) {
        const QString nome = dir.filePath(QStringLiteral("%1_%2.txt").arg(tag).arg(k));
        if (!QFileInfo::exists(nome)) return nome;
    }
}

bool LogControlador::Abre(const QString& pasta, const QString& tag, int baseTempo, QString& erro) {
    Fecha();
    caminho_ = ProximoArquivo(pasta, tag);
    auto f = std::make_unique<QFile>(caminho_);
    if (!f->open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        erro = f->errorString();
        return false;
    }
    // Lines end in CR LF like every text file the program writes.
    f->write((Cabecalho(baseTempo) + QStringLiteral("\r\n")).toLatin1());
    f->flush();
    arquivo_ = std::move(f);
    passo_ = kPassos[static_cast<std::size_t>(Base(baseTempo))];
    return true;
}

void LogControlador::Escreve(double pv, double sp, double mv, bool virgula) {
    if (!arquivo_) return;
    arquivo_->write((Linha(tempo_, pv, sp, mv, virgula) + QStringLiteral("\r\n")).toLatin1());
    // Flushed line by line: a log is read while it grows, and nothing is
    // lost if the program ends without closing it.
    arquivo_->flush();
    tempo_ += passo_;
}

void LogControlador::Fecha() { arquivo_.reset(); }

}  // namespace kivo::ui
