#include "ui/app/Partida.h"

#include "ui/app/Aplicacao.h"
#include "ui/app/Preferencias.h"
#include "ui/fastsim/TAboutBox.h"
#include "ui/main/TForm1.h"
#include "ui/project/CicloProjeto.h"

#include <QAction>

namespace kivo::ui {

void DefineLingua(Aplicacao& app, TForm1& janela) {
    const std::optional<bool> preferencia = LePreferencias(app.diretorioInicial());
    bool ingles = preferencia.value_or(false);
    if (!preferencia) {
        ingles = app.interacao().Pergunta(
            &janela, QStringLiteral("Portuguese is the current language. Do you wish to convert to english? "
                                    "(Converter textos inglês?)"));
        // A folder where the file cannot be written still gets the chosen
        // language for this run; the error is shown and the question comes
        // again at the next start.
        const QString erro = EscrevePreferencias(app.diretorioInicial(), ingles);
        if (!erro.isEmpty()) app.Informa(erro);
    }
    if (ingles)
        janela.TraduzIngles();
    else
        janela.acao(QStringLiteral("Portuguese1"))->setChecked(true);
}

Partida::Partida(Aplicacao& app, TForm1& janela, QString arquivo)
    : app_(app), w_(janela), arquivo_(std::move(arquivo)) {
    timer_.setSingleShot(true);
    timer_.setInterval(3000);
    connect(&timer_, &QTimer::timeout, this, &Partida::Conclui);
}

void Partida::Inicia() {
    // A project named on the command line (a desktop file association)
    // opens without the start window's wait.
    if (!arquivo_.isEmpty()) {
        Conclui();
        return;
    }
    inicio_ = new TAboutBox(&w_);
    // The start window speaks the language chosen before, when there is one.
    inicio_->TraduzSobre(LePreferencias(app_.diretorioInicial()).value_or(false));
    inicio_->setAttribute(Qt::WA_DeleteOnClose);
    inicio_->show();
    timer_.start();
}

void Partida::Conclui() {
    timer_.stop();
    DefineLingua(app_, w_);
    if (arquivo_.isEmpty() || !w_.ciclo().AbreArquivo(arquivo_)) w_.MostraEscolha(true);
    if (inicio_) inicio_->close();
}

}  // namespace kivo::ui
