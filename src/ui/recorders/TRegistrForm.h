#pragma once
// The trend recorder window: a strip chart of up to three variables with
// its scale columns, legends, pause with cursor readout and data log, and
// a configuration area beside it. It is the view of one recorder slot; the
// samples live in its AmostradorRegistrador, the settings in the project.
#include <array>
#include <functional>
#include <memory>

#include <QTimer>
#include <QWidget>

#include "ui/recorders/AmostradorRegistrador.h"

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

class TRegistrForm : public QWidget {
    Q_OBJECT
public:
    // atualizaDiagrama: what a new tag does to the recorder's marker.
    TRegistrForm(Aplicacao& app, int slot, std::function<void()> atualizaDiagrama, QWidget* parent = nullptr);
    ~TRegistrForm() override;

    AmostradorRegistrador& amostrador() { return *amostrador_; }
    // One sampling step; the chart and legends follow while shown.
    void CalculaCiclo();
    // Applies the settings, rescales, and shows the result.
    void AtualizaRegistrador();
    void DesenhaGrafico();
    bool configuracaoVisivel() const;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    QWidget* CriaAreaGrafico();
    QWidget* CriaConfiguracao();
    void Preenche();
    void AtualizaEscala();
    void MostraLegendas();
    void ConfBTNClick();
    void SairBTNClick();
    void SpeedButton1Click(bool pausar);
    void CheckBox1Click(bool arquivar);
    void eSupTextEnter();
    void Variavel3SelectChange();
    void ConfiguracaoMudou();
    void CursorEm(QPoint p);

    Aplicacao& app_;
    int slot_;
    std::function<void()> atualizaDiagrama_;
    std::unique_ptr<AmostradorRegistrador> amostrador_;
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
