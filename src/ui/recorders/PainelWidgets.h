#pragma once
// The panel widgets of the plant diagram: five animated shapes, two
// switches with their eight pictures each, the command panel with three
// lamp buttons, and six tracks. They show and set process variables
// directly; their settings are the project's.
#include <array>

#include <QColor>
#include <QObject>

#include "project/Widgets.h"

class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QSlider;

namespace kivo::ui {

class Aplicacao;
class Diagrama;
class FormaAnimada;

class PainelWidgets : public QObject {
    Q_OBJECT
public:
    PainelWidgets(Aplicacao& app, Diagrama& diagrama);

    // Every widget at the place and with the settings the project holds
    // (after a load or a reset).
    void Recarrega();
    // Tracks, shapes and the command panel as the diagram refresh shows
    // them.
    void AtualizaDiagrama();
    // Every sixth tick: shape colours and heights, button state texts.
    void AtualizaDisplay();

    // What the configuration dialog's settings change at once.
    void AplicaForma(int k);        // 1..5: shown, brush, size
    void AplicaChave(int c);        // 1..2: first picture of the chosen pair
    void AplicaBotoes();            // panel height and the enabled buttons
    void AplicaDescricaoBotao(int b);
    void AplicaTrack(int n);        // 1..6: shown, name, widths, slider

    QWidget* forma(int k) const;
    QLabel* figuraChave(int c, int p) const { return chaves_[c - 1][p - 1]; }
    QGroupBox* painelComando() const { return painel_; }
    QLineEdit* textoTrack(int n) const { return trackTexto_[n - 1]; }
    QSlider* barraTrack(int n) const { return trackBarra_[n - 1]; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // A round shape is a lamp: its second colour while its variable is not 0.
    static QColor CorDaLampada(const Forma& f, double valor);
    void CriaFormas();
    void CriaChaves();
    void CriaPainel();
    void CriaTracks();
    void ColocaForma(int k, int x, int y);
    void ColocaChave(int c, int x, int y);
    void ColocaPainel(int x, int y);
    void ColocaTrack(int n, int x, int y);
    void InverteChave(int c);
    void InverteFigura(int c);
    void AlternaBotao(int b, bool pressionado);
    void BarraMudou(int n, int posicao);
    void TextoConfirmado(int n);
    QString TextoDaBarra(int n) const;
    bool Mover(QWidget* alvo);

    Aplicacao& app_;
    Diagrama& diagrama_;
    std::array<FormaAnimada*, 5> formas_{};
    std::array<std::array<QLabel*, 8>, 2> chaves_{};
    QGroupBox* painel_ = nullptr;
    std::array<QLabel*, 3> botaoNorm_{};
    std::array<QLabel*, 3> botaoPress_{};
    std::array<QLabel*, 3> botaoRotulo_{};
    std::array<QLabel*, 3> botaoTexto_{};
    std::array<QFrame*, 6> trackFundo_{};
    std::array<QLabel*, 6> trackRotulo_{};
    std::array<QLineEdit*, 6> trackTexto_{};
    std::array<QSlider*, 6> trackBarra_{};
    // Stops a slider moved by the program from writing its variable back.
    bool ajustando_ = false;
};

}  // namespace kivo::ui
