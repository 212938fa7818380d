#pragma once
// The window of a calculation block: its fields are the model's fields,
// written as typed; "Atualizar" runs the model's apply.
#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kivo {
class TBloco;
}

namespace kivo::ui {

class Aplicacao;
class TForm1;

class JanelaBloco : public QWidget {
    Q_OBJECT
public:
    JanelaBloco(Aplicacao& app, TForm1& principal, int slot);

    void Recarrega();
    bool Atualiza();

protected:
    void showEvent(QShowEvent* e) override;

private:
    void CriaControles();
    void Editado();
    void RecarregaDescricao();
    void AtualizaRotulos();

    Aplicacao& app_;
    TForm1& principal_;
    kivo::TBloco& b_;
    bool traduzido_ = false;
    bool preenchendo_ = false;

    QLabel* cabecalho_ = nullptr;
    QLabel* rotuloSaida_ = nullptr;
    QLineEdit* funcao_ = nullptr;
    QCheckBox* limSupCheck_ = nullptr;
    QLineEdit* limSup_ = nullptr;
    QCheckBox* limInfCheck_ = nullptr;
    QLineEdit* limInf_ = nullptr;
    QLineEdit* tag_ = nullptr;
    QLineEdit* descricao_ = nullptr;
    QLabel* valor_ = nullptr;
    QPushButton* atualizar_ = nullptr;
    QPushButton* sair_ = nullptr;
};

}  // namespace kivo::ui
