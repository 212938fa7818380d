#pragma once
// The window of a process block: its fields are the model's fields. Texts
// are written into the model as they are typed (the step reads some of them
// live, and the apply reads them all); "Atualizar" runs the model's apply.
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace kivo {
class TProcesso;
}

namespace kivo::ui {

class Aplicacao;
class TForm1;

class JanelaProcesso : public QWidget {
    Q_OBJECT
public:
    JanelaProcesso(Aplicacao& app, TForm1& principal, int slot);

    // Every control from the model, without writing anything back.
    void Recarrega();
    // "Atualizar": the apply with its messages; true when nothing was refused.
    bool Atualiza();

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void CriaControles();
    void Traduz();
    void ComboChange();
    void Editado();
    void RecarregaDescricao();
    void AtualizaRotulos();
    void AtualizaLeituras();
    void RecarregaEntradas();

    Aplicacao& app_;
    TForm1& principal_;
    kivo::TProcesso& p_;
    bool traduzido_ = false;
    // Stops the controls filled from the model from writing back.
    bool preenchendo_ = false;

    QLabel* cabecalho_ = nullptr;
    QLineEdit* tag_ = nullptr;
    QLineEdit* descricao_ = nullptr;
    QComboBox* entrada_ = nullptr;
    QLineEdit* ganho_ = nullptr;
    QLineEdit* tempoMorto_ = nullptr;
    QComboBox* tipo_ = nullptr;
    QGroupBox* grupoPVC_ = nullptr;
    QGroupBox* grupoOrdem2_ = nullptr;
    QGroupBox* grupoLeadLag_ = nullptr;
    QGroupBox* grupoIntegrador_ = nullptr;
    QLineEdit* tau1_ = nullptr;
    QLineEdit* tau2_ = nullptr;
    QLineEdit* ciclos_ = nullptr;
    QLineEdit* periodo_ = nullptr;
    QLineEdit* lead_ = nullptr;
    QLineEdit* lag_ = nullptr;
    QLineEdit* valorInicial_ = nullptr;
    QComboBox* curva_ = nullptr;
    QLineEdit* histerese_ = nullptr;
    QLineEdit* agarramento_ = nullptr;
    QLineEdit* tauAtuador_ = nullptr;
    QLineEdit* rate_ = nullptr;
    QCheckBox* saturador_ = nullptr;
    QLabel* valorEntrada_ = nullptr;
    QLabel* valorAtuador_ = nullptr;
    QLabel* valorSaida_ = nullptr;
    QLabel* rotuloAtuador_ = nullptr;
    QLabel* rotuloSaida_ = nullptr;
    QPushButton* atualizar_ = nullptr;
    QPushButton* sair_ = nullptr;
    QToolButton* ajuda_ = nullptr;
};

}  // namespace kivo::ui
