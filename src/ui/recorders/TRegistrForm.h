#pragma once
// The trend recorder window: a strip chart of up to three variables with
// its scale columns, legends, pause with cursor readout and data log, and
// a configuration area beside it. It is the view of one recorder slot: the
// recorder (its settings, samples and data log) lives in the project and is
// stepped by the cycle; the window redraws after each sample while shown and
// writes what the operator changes back into the recorder.
#include <array>
#include <functional>

#include <QTimer>
#include <QWidget>

#include "project/DadosRegistrador.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QToolButton;

namespace kivo::ui {

class Aplicacao;
class AreaGrafico;
class GraficoRegistrador;

class TRegistrForm : public QWidget, private ObservadorRegistrador {
    Q_OBJECT
public:
    // atualizaDiagrama: what a new tag does to the recorder's marker.
    TRegistrForm(Aplicacao& app, int slot, std::function<void()> atualizaDiagrama, QWidget* parent = nullptr);
    ~TRegistrForm() override;

    AmostradorRegistrador& amostrador() { return r_.amostrador(); }
    // Applies the settings, rescales, and shows the result.
    void AtualizaRegistrador();
    // Shows what the recorder holds: scale fields and labels, caption, log
    // indicator and chart.
    void MostraRegistrador();
    void DesenhaGrafico();
    bool configuracaoVisivel() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void AoAmostrar() override;
    QWidget* CriaAreaGrafico();
    QWidget* CriaConfiguracao();
    void Preenche();
    void AtualizaEscala();
    void MostraLegendas();
    void ConfBTNClick();
    void SairBTNClick();
    void SpeedButton1Click(bool pausar);
    void CheckBox1Click(bool arquivar);
    // The log check box, its blinking label and the controls a log holds,
    // as the recorder's log stands.
    void MostraLog();
    void eSupTextEnter();
    void Variavel3SelectChange();
    void ConfiguracaoMudou();
    void CursorEm(QPoint p);

    Aplicacao& app_;
    int slot_;
    std::function<void()> atualizaDiagrama_;
    DadosRegistrador& r_;
    bool traduzido_ = false;
    // Stops the program's own filling of the fields from writing back.
    bool preenchendo_ = false;

    GraficoRegistrador* grafico_ = nullptr;
    AreaGrafico* area_ = nullptr;
    QWidget* config_ = nullptr;
    std::array<QLabel*, 3> legendas_{};
    std::array<QLabel*, 10> escala_{};  // Label1 (unit), Label2..Label10
    std::array<QLabel*, 6> coordenadas_{};
    QFrame* panel3_ = nullptr;
    QLabel* label21_ = nullptr;
    QLineEdit* sup_ = nullptr;
    QLineEdit* inf_ = nullptr;
    QToolButton* pausa_ = nullptr;
    QToolButton* conf_ = nullptr;
    QToolButton* sair_ = nullptr;
    QLineEdit* tag_ = nullptr;
    QLineEdit* descricao_ = nullptr;
    std::array<QComboBox*, 3> variaveis_{};
    std::array<QLineEdit*, 3> nomes_{};
    QComboBox* baseTempo_ = nullptr;
    QCheckBox* auto_ = nullptr;
    QCheckBox* grossa_ = nullptr;
    QCheckBox* arquivar_ = nullptr;
    QCheckBox* virgula_ = nullptr;
    QCheckBox* ue_ = nullptr;
    QTimer timer1_;
};

}  // namespace kivo::ui
