#pragma once
// The application object: owns the project (and with it the simulation),
// the 100 ms cycle timer, the project's path and the language flag. Windows
// hold a reference to it and never keep a copy of what it owns.
#include <memory>

#include <QObject>
#include <QString>
#include <QTimer>

#include "project/Projeto.h"
#include "ui/app/Interacao.h"

class QWidget;

namespace kivo::ui {

class Aplicacao : public QObject {
    Q_OBJECT
public:
    // diretorioInicial: the start directory; examples and "preferences.cfg"
    // are found relative to it.
    explicit Aplicacao(QString diretorioInicial, QObject* parent = nullptr);
    ~Aplicacao() override;

    Projeto& projeto() { return *projeto_; }
    Simulacao& sim() { return projeto_->sim; }
    QTimer& timer() { return timer_; }
    const QString& diretorioInicial() const { return diretorioInicial_; }

    Interacao& interacao() { return *interacao_; }
    void setInteracao(std::unique_ptr<Interacao> i) {
        i->ingles = ingles();
        interacao_ = std::move(i);
    }
    // The parent of the boxes the application shows.
    void setJanelaPrincipal(QWidget* w) { janelaPrincipal_ = w; }
    QWidget* janelaPrincipal() const { return janelaPrincipal_; }

    // The language flag: false (Portuguese) until the start-up step sets it.
    bool ingles() const { return projeto_->ingles; }
    void DefineIngles() {
        projeto_->ingles = true;
        interacao_->ingles = true;
    }
    // The text of a two-language message by the flag.
    QString Texto(const QString& pt, const QString& en) const { return ingles() ? en : pt; }
    void Informa(const QString& texto);

    // The file Save writes to; empty for a project never saved.
    QString caminhoProjeto;
    // The save dialog's file name field.
    QString nomePadraoSalvar;

    bool salvo() const { return projeto_->salvo; }
    void MarcaModificado();
    void MarcaSalvo();

    bool pausado() const { return !timer_.isActive(); }
    // Starts or stops the cycle timer.
    void AlternaPausa();
    // One real-time tick now: what the timer calls.
    void Tick();
    // The cycle time of the last tick, in ms.
    double cicloMedido() const { return static_cast<double>(projeto_->sim.estado.cicloMedido); }

signals:
    void estadoSalvoMudou(bool salvo);
    void cicloMedidoMudou(double ms);
    // Every sixth tick: open windows pull their readouts.
    void displayAtualizar();

private:
    class Observador;

    QString diretorioInicial_;
    std::unique_ptr<Projeto> projeto_;
    std::unique_ptr<Observador> observador_;
    std::unique_ptr<Interacao> interacao_;
    QWidget* janelaPrincipal_ = nullptr;
    QTimer timer_;
};

}  // namespace kivo::ui
