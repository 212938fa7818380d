#pragma once
// The settings window of an animated text ("TEXTO"): type, description,
// variable or formula, range, alarms, unit and decimals, with the value as
// the diagram shows it. Closed only with "Sair", which applies. A view of
// the text's model: the value is computed there by the cycle, whether or
// not this window was ever built.
#include <array>
#include <functional>

#include <QDialog>

#include "project/DadosTexto.h"

class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace kivo::ui {

class Aplicacao;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(Aplicacao& app, int slot, std::function<void()> atualizaDiagrama, QWidget* parent = nullptr);

    ExibicaoTexto& exibicao() { return d_.exibicao(); }
    // Label1's text and colour from the text's last display step.
    void MostraValor();
    QLabel* valor() const { return label1_; }
    // The apply step, then the fields and the diagram show its result.
    void ValidaParametros();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void TipoClick(int tipo);
    void Preenche();
    void AplicaLayout();
    void SairButtonClick();
    void Modificado();

    Aplicacao& app_;
    std::function<void()> atualizaDiagrama_;
    DadosTexto& d_;
    bool preenchendo_ = false;
    bool saindo_ = false;

    QLabel* label4_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label3_ = nullptr;
    QLineEdit* descricao_ = nullptr;
    std::array<QRadioButton*, 3> tipos_{};
    QComboBox* variavel_ = nullptr;
    QLineEdit* funcao_ = nullptr;
    QGroupBox* faixa_ = nullptr;
    QLineEdit* edit1_ = nullptr;  // range max
    QLineEdit* edit4_ = nullptr;  // range min
    QLineEdit* edit2_ = nullptr;  // high alarm
    QLineEdit* edit3_ = nullptr;  // low alarm
    QLineEdit* unidade_ = nullptr;
    std::array<QLabel*, 2> rotulosAlarme_{};
    QSpinBox* casas_ = nullptr;
};

}  // namespace kivo::ui
