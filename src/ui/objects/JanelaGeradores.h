#pragma once
// The signal generator bank's window: 16 rows M81..M96, each with its kind,
// and the fields the kind uses. Typed texts go into the bank's rows as they
// are typed; the apply (button, Enter, a radio or spin click, closing) runs
// the bank's apply.
#include <array>

#include <QWidget>

class QButtonGroup;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kivo {
class TParmForm;
}

namespace kivo::ui {

class Aplicacao;

// The spin button beside a constant: up and down arrows over a position
// 0..100 in steps of 1.
class BotaoGiro : public QWidget {
    Q_OBJECT
public:
    explicit BotaoGiro(QWidget* pai);
    int posicao() const { return posicao_; }
    void setPosicao(int p);
    QToolButton* cima() const { return cima_; }
    QToolButton* baixo() const { return baixo_; }

signals:
    // A click moved the position (or tried to, at an end of the range).
    void clicado(int posicao);

private:
    int posicao_ = 0;
    QToolButton* cima_ = nullptr;
    QToolButton* baixo_ = nullptr;
};

class JanelaGeradores : public QWidget {
    Q_OBJECT
public:
    JanelaGeradores(Aplicacao& app, QWidget* principal);

    // Every row from the bank (after a load or a reset).
    void Recarrega();
    // The apply: rows into the bank's parameters and the variable memory.
    void Aplica();

signals:
    // After an apply, which rewrites the descriptions of M81..M96.
    void aplicado();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    struct Linha {
        QLabel* rotulo = nullptr;
        QComboBox* tipo = nullptr;
        QLineEdit* min = nullptr;
        QLineEdit* max = nullptr;
        QLineEdit* desc = nullptr;
        QLineEdit* valor = nullptr;
        QWidget* valorDig = nullptr;
        QButtonGroup* grupoDig = nullptr;
        BotaoGiro* upDown = nullptr;
    };

    void CriaLinha(int g, int linhaGrade);
    void RecarregaLinha(int g);
    void Disposicao(int g);
    void TipoMudou(int g, int tipo);
    void AplicaMarcando();
    void MostraValores();
    Linha& linha(int g) { return linhas_[static_cast<std::size_t>(g - 81)]; }

    Aplicacao& app_;
    kivo::TParmForm& banco_;
    QGridLayout* grade_ = nullptr;
    std::array<Linha, 16> linhas_{};
    QPushButton* botao1_ = nullptr;
    bool traduzido_ = false;
    bool preenchendo_ = false;
};

}  // namespace kivo::ui
