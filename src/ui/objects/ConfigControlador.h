#pragma once
// The configuration area of a controller faceplate: identification, tuning,
// output limits, the three radio groups, the variable selectors with their
// check boxes, feed-forward, the PV scale and "Atualizar". It shows the
// controller's fields as typed and writes them back only when the window
// applies them, so an edit in progress never reaches the running loop.
#include <QWidget>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace kivo {
class Memorias;
class TControlador;
}  // namespace kivo

namespace kivo::ui {

class ConfigControlador : public QWidget {
    Q_OBJECT
public:
    ConfigControlador(const Memorias& mem, QWidget* parent = nullptr);

    // Every control from the controller's fields; emits nothing.
    void Carrega(const kivo::TControlador& c);
    // The scale fields only: the apply refills them from the PV variable.
    void CarregaEscala(const kivo::TControlador& c);
    // Every control into the controller's fields.
    void Grava(kivo::TControlador& c) const;

    QPushButton* atualizar() const { return atualizar_; }

signals:
    // Any edit, check or selection made by the user.
    void editado();

private:
    QLineEdit* Campo(const char* nome, bool somenteLeitura = false);
    QComboBox* Lista(const char* nome, bool comDescricoes);
    void PreencheLista(QComboBox* lista, bool comDescricoes);

    const Memorias& mem_;
    QLineEdit* tag_ = nullptr;
    QLineEdit* descricao_ = nullptr;
    QLineEdit* kp_ = nullptr;
    QLineEdit* ki_ = nullptr;
    QLineEdit* kd_ = nullptr;
    QLineEdit* bias_ = nullptr;
    QLineEdit* a_ = nullptr;
    QLineEdit* tf_ = nullptr;
    QCheckBox* p_ = nullptr;
    QCheckBox* i_ = nullptr;
    QCheckBox* d_ = nullptr;
    QLineEdit* comin_ = nullptr;
    QLineEdit* comax_ = nullptr;
    QButtonGroup* acao_ = nullptr;
    QButtonGroup* estrutura_ = nullptr;
    QButtonGroup* derivada_ = nullptr;
    QComboBox* pv_ = nullptr;
    QCheckBox* checkSPR_ = nullptr;
    QComboBox* spr_ = nullptr;
    QCheckBox* ffw_ = nullptr;
    QLineEdit* equacao_ = nullptr;
    QCheckBox* backCheck_ = nullptr;
    QComboBox* back_ = nullptr;
    QLineEdit* inicio_ = nullptr;
    QLineEdit* fim_ = nullptr;
    QLineEdit* unid_ = nullptr;
    QPushButton* atualizar_ = nullptr;
};

}  // namespace kivo::ui
