#include "ui/app/Aplicacao.h"

#include <QTime>

namespace kivo::ui {

class Aplicacao::Observador : public ObservadorCiclo {
public:
    explicit Observador(Aplicacao& app) : app_(app) {}
    void AoAtualizarDisplay() override { emit app_.displayAtualizar(); }
    void AoMedirCiclo(double ms) override { emit app_.cicloMedidoMudou(ms); }

private:
    Aplicacao& app_;
};

Aplicacao::Aplicacao(QString diretorioInicial, QObject* parent)
    : QObject(parent),
      diretorioInicial_(std::move(diretorioInicial)),
      projeto_(std::make_unique<Projeto>(false)),
      observador_(std::make_unique<Observador>(*this)),
      interacao_(std::make_unique<Interacao>()) {
    // Validation messages outside a load become information boxes, in order.
    projeto_->saidaMensagens = [this](const std::string& texto) { Informa(QString::fromStdString(texto)); };
    projeto_->sim.AdicionaObservador(observador_.get());
    projeto_->sim.aleatorio.Semeia(static_cast<std::uint32_t>(QTime::currentTime().msecsSinceStartOfDay()));
    timer_.setObjectName(QStringLiteral("Timer1"));
    timer_.setInterval(projeto_->sim.estado.periodoTimer);
    connect(&timer_, &QTimer::timeout, this, &Aplicacao::Tick);
    timer_.start();
}

Aplicacao::~Aplicacao() { projeto_->sim.RemoveObservador(observador_.get()); }

void Aplicacao::Informa(const QString& texto) { interacao_->Informa(janelaPrincipal_, texto); }

void Aplicacao::MarcaModificado() {
    projeto_->salvo = false;
    emit estadoSalvoMudou(false);
}

void Aplicacao::MarcaSalvo() {
    projeto_->salvo = true;
    emit estadoSalvoMudou(true);
}

void Aplicacao::AlternaPausa() {
    projeto_->sim.Pausa();
    if (timer_.isActive())
        timer_.stop();
    else
        timer_.start();
}

void Aplicacao::Tick() { projeto_->sim.Tick(QTime::currentTime().msecsSinceStartOfDay()); }

}  // namespace kivo::ui
