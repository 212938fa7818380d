#pragma once
// The tuning window of a controller: a step test (the faceplate's trend, a
// file, or one run at once on a copy of the running plant) is read, its step found and adjustable, the process identified
// (three models, their fit and the best), and the tuning rules' settings
// listed with the closed-loop indices predicted for a setpoint and a load
// step. "Aplicar" hands the chosen setting to the faceplate, which writes it
// into its configuration area: the running loop changes only when the
// student presses "Atualizar" there. The window keeps no copy of the
// controller's settings; everything it shows is computed from the data.
#include <optional>
#include <vector>

#include <QWidget>

#include "tuning/BumpTest.h"
#include "tuning/Identification.h"
#include "tuning/Prediction.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;

namespace kivo {
class TControlador;
}

namespace kivo::ui {

class Aplicacao;
class GraficoDegrau;
class GraficoMalha;
class PainelIndices;

class TSintonia : public QWidget {
    Q_OBJECT
public:
    enum Fonte { FonteTendencia = 0, FonteArquivo = 1, FonteSimulado = 2 };

    // A window of its own over the faceplate (parent).
    TSintonia(Aplicacao& app, kivo::TControlador& c, QWidget* parent);

    // "Ler dados": reads the source, finds the step and identifies.
    void LerBTNClick();
    // "Identificar": identifies over the stretch marked in the three fields.
    void IdentificarBTNClick();
    // "Aplicar": emits aplicar with the selected row's setting.
    void AplicarBTNClick();

    const std::optional<tuning::Identification>& identificacao() const { return id_; }
    const std::vector<tuning::Proposal>& propostas() const { return propostas_; }
    // The row of the rule table selected, -1 for none.
    int linhaSelecionada() const;
    // What the message line shows (empty when all went well).
    QString mensagem() const;

signals:
    // The setting to write into the configuration area: Kc, Ti and Td as
    // typed, and the process direction (0 reverse, 1 direct).
    void aplicar(const QString& kp, const QString& ti, const QString& td, int acao);

protected:
    void showEvent(QShowEvent* e) override;

private:
    QWidget* CriaDados();
    QWidget* CriaModelo();
    QWidget* CriaRegras();
    void AtualizaFonte();

    // Actions (TSintoniaAcoes.cpp).
    void EscolheArquivo();
    // The step test run on a copy of the running plant (TSintoniaAcoes.cpp).
    tuning::BumpTestResult TesteSimulado();
    void Identifica(const tuning::Step& degrau);
    void MostraModelos();
    void Propoe();
    void MostraProposta(int linha);
    void Erro(const QString& texto);
    void LimpaResultados();
    // The settings, their predictions and the apply, not the model.
    void LimpaPropostas();
    std::size_t IndiceDoTempo(double t) const;
    tuning::ModelKind ModeloUsado() const;

    Aplicacao& app_;
    kivo::TControlador& c_;
    bool ingles_;
    bool ocupado_ = false;

    tuning::StepSeries serie_;
    std::optional<tuning::Identification> id_;
    std::vector<tuning::Proposal> propostas_;

    QComboBox* fonte_ = nullptr;
    QLineEdit* arquivo_ = nullptr;
    QPushButton* escolher_ = nullptr;
    QSpinBox* enderecoMV_ = nullptr;
    QSpinBox* enderecoPV_ = nullptr;
    QLineEdit* degrauSim_ = nullptr;
    QLineEdit* duracaoSim_ = nullptr;
    QDoubleSpinBox* inicio_ = nullptr;
    QDoubleSpinBox* degrau_ = nullptr;
    QDoubleSpinBox* fim_ = nullptr;
    QPushButton* identificar_ = nullptr;
    GraficoDegrau* grafico_ = nullptr;
    QComboBox* modelo_ = nullptr;
    QTableWidget* modelos_ = nullptr;
    QLabel* direcao_ = nullptr;
    QLineEdit* tc_ = nullptr;
    QLineEdit* lambda_ = nullptr;
    QTableWidget* regras_ = nullptr;
    PainelIndices* indices_ = nullptr;
    QTabWidget* abas_ = nullptr;
    GraficoMalha* respostaSP_ = nullptr;
    GraficoMalha* respostaCarga_ = nullptr;
    QProgressBar* progresso_ = nullptr;
    QLabel* mensagem_ = nullptr;
    QPushButton* aplicar_ = nullptr;
};

}  // namespace kivo::ui
