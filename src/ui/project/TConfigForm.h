#pragma once
// The general configuration dialog: which slots are filled, the title, the
// background picture, the panel widgets and the linearizer. Its controls
// show and edit the project's fields; the project keeps the settings.
#include <array>

#include <QDialog>

#include "ui/main/JanelasObjetos.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTabWidget;

namespace kivo::ui {

class Aplicacao;
class TForm1;

class TConfigForm : public QDialog {
    Q_OBJECT
public:
    TConfigForm(Aplicacao& app, TForm1& janela);

    // The main menu entry: slot captions refreshed, shown on page 0.
    void Exibe();
    // Every control from the project's fields.
    void Recarrega();
    // Slot captions: the empty caption for every empty slot in the current
    // language, the object's text for every filled one.
    void Legendas();
    // Rewrites the caption of every filled slot box from its object.
    void AtualizaListaObjetos();
    // Delete mode emptied the slot. Only controllers get the English empty
    // caption here; the other families read Portuguese in both languages.
    void SlotEsvaziado(Familia f, int n);
    // The English texts.
    void Traduz();

    QCheckBox* caixaSlot(Familia f, int n) const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Every edit a user makes in the dialog marks the project modified.
    void MarcaModificadoAoEditar();
    QWidget* CriaTopo();
    QWidget* CriaPaginaSlots(Familia f);
    QWidget* CriaLinearizador();
    QWidget* CriaPaginaFormas();
    QWidget* CriaPaginaComandos();
    void SlotClicado(Familia f, int n, bool marcado);
    void EscolheImagem();
    void RecarregaWidgets();
    void EstadoBotoes();
    void RecarregaListaEntrada();
    static QLabel* RotuloNumerado(int numero, const char* texto, QWidget* pai);

    Aplicacao& app_;
    TForm1& w_;
    QTabWidget* notebook_ = nullptr;
    QLineEdit* titulo_ = nullptr;
    QLineEdit* edit1_ = nullptr;
    QLabel* label2_ = nullptr;
    std::array<QCheckBox*, 10> controladores_{};
    std::array<QCheckBox*, 24> processos_{};
    std::array<QCheckBox*, 24> blocos_{};
    std::array<QCheckBox*, 10> registradores_{};
    std::array<QCheckBox*, 20> textos_{};
    QComboBox* lin1EndEnt_ = nullptr;
    QCheckBox* lin1Ativar_ = nullptr;
    std::array<QLineEdit*, 6> lin1MV_{};
    std::array<QLineEdit*, 6> lin1PV_{};
    // Stops a control filled from the project from writing back.
    bool preenchendo_ = false;
};

}  // namespace kivo::ui
