#pragma once
// The faceplate of a PID controller: SP, PV, CO and SPR bars, the SP, PV and
// CO fields, the L/R and A/M buttons with their mode letters, step buttons
// and typed entry, and a wide area holding either the trend (with its scale,
// pause and cursor, time base and data log) or the configuration area. It is
// a view on the controller model: readouts are pulled at the display refresh,
// the trend is redrawn after each sample, and what the operator does is
// written into the model at once; configuration edits wait for "Atualizar".
#include <array>

#include <QTimer>
#include <QWidget>

#include "objects/Tendencia.h"
#include "project/LogTendencia.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace kivo {
class TControlador;
}

namespace kivo::ui {

class Aplicacao;
class BarraVertical;
class ConfigControlador;
class GraficoTendencia;
class TForm1;
class TSintonia;

class TControlador : public QWidget, private ObservadorTendencia {
    Q_OBJECT
public:
    enum class Layout { Estreito, Tendencia, Configuracao };

    TControlador(Aplicacao& app, TForm1& principal, kivo::TControlador& modelo);
    ~TControlador() override;

    kivo::TControlador& modelo() { return c_; }
    Layout layout() const { return layout_; }
    GraficoTendencia& grafico() { return *grafico_; }
    const LogTendencia& log() const { return log_; }

    // The folder every controller logs into; chosen once per program run.
    static QString& pastaLog();

    // Readouts from the model (display refresh, every sixth tick).
    void AtualizaDisplay();

    // The tuning window, made at the first click on "Sintonia".
    TSintonia* sintonia() const { return sintonia_; }
    // A setting from the tuning window into the configuration area's fields,
    // shown there with "Atualizar" enabled: the running loop takes it only
    // when the student applies it (TControladorSintonia.cpp).
    void AplicaSintonia(const QString& kp, const QString& ti, const QString& td, int acao);

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void AoAmostrar(const TendenciaControlador& t, double pv, double sp, double mv) override;

    // Layout (TControlador.cpp).
    QWidget* CriaFaceplate();
    QWidget* CriaTendencia();
    void MostraLayout(Layout l);

    // Operator actions (TControladorAcoes.cpp).
    void IncrementaSP(double delta);
    void IncrementaSaida(double delta);
    void SPTextEnter();
    void MVTextEnter();
    void LocalRemotoBTNClick();
    void AutoManualBTNClick();
    void ConfigBTNClick();
    void TrendButtonClick();
    void btnatualizaClick();
    void ConfigEditada();
    void SintoniaBTNClick();

    // Trend and data log (TControladorTendencia.cpp).
    void SpeedButton2Click();
    void Image1MouseDown(int x, int y);
    void Reescala();  // double click on the chart and "Auto"
    void eSupTextEnter();
    void BaseTempoBoxChange(int indice);
    void CheckBox1Click(bool marcado);
    void TerminaLog();
    void Timer1Timer();
    void RedesenhaEscala();
    void TextoIndicadorLog();
    void ReiniciaCursor();

    // Shared redraws.
    void AposAplicar(bool ok);
    void Modos();
    void MostraSP();
    void MostraMV();
    double ParaEU(double pct) const;
    QString TextoEU(double pct) const;

    Aplicacao& app_;
    TForm1& principal_;
    kivo::TControlador& c_;
    Layout layout_ = Layout::Tendencia;

    QLabel* cabecalho_ = nullptr;
    BarraVertical* spBar_ = nullptr;
    BarraVertical* sprBar_ = nullptr;
    BarraVertical* pvBar_ = nullptr;
    BarraVertical* coBar_ = nullptr;
    QLineEdit* spText_ = nullptr;
    QLineEdit* pvText_ = nullptr;
    QLineEdit* mvText_ = nullptr;
    QLabel* spPorc_ = nullptr;
    QLabel* pvPorc_ = nullptr;
    QLabel* unidade_ = nullptr;
    QToolButton* incSP_ = nullptr;
    QToolButton* decSP_ = nullptr;
    QToolButton* incMV_ = nullptr;
    QToolButton* decMV_ = nullptr;
    QPushButton* enviar_ = nullptr;
    QToolButton* lr_ = nullptr;
    QToolButton* am_ = nullptr;
    QLabel* letraLR_ = nullptr;
    QLabel* letraAM_ = nullptr;
    QToolButton* configBtn_ = nullptr;
    QToolButton* trendBtn_ = nullptr;
    QToolButton* ajuda_ = nullptr;

    QWidget* area_ = nullptr;
    QStackedWidget* paginas_ = nullptr;
    QWidget* paginaTendencia_ = nullptr;
    ConfigControlador* config_ = nullptr;

    GraficoTendencia* grafico_ = nullptr;
    std::array<QCheckBox*, 4> curvas_{};
    QCheckBox* grossa_ = nullptr;
    QToolButton* pausa_ = nullptr;
    QPushButton* sintoniaBtn_ = nullptr;
    TSintonia* sintonia_ = nullptr;
    QCheckBox* escalaAuto_ = nullptr;
    QLineEdit* eSup_ = nullptr;
    QLineEdit* eInf_ = nullptr;
    QWidget* coordenadas_ = nullptr;
    std::array<QLabel*, 6> cursor_{};
    int indiceCursor_ = 1;
    QComboBox* baseTempo_ = nullptr;
    QCheckBox* arquivar_ = nullptr;
    QLabel* indicador_ = nullptr;
    QCheckBox* unidEng_ = nullptr;
    QCheckBox* virgula_ = nullptr;
    QTimer pisca_;
    LogTendencia log_;

    // The range last written into the scale fields, in EU.
    double baseMostrada_ = 0;
    double topoMostrado_ = 0;
    bool escalaMostrada_ = false;
};

}  // namespace kivo::ui
