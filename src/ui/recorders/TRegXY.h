#pragma once
// The XY recorder window: two axis lists with presets per loop, a window
// length, "Registra" to advance the plant without pacing while a point
// chart collects (M(x), M(y)) per step, and the chart's zoom, undo zoom,
// 0-100 % scale and clear. The points live only in the chart.
#include <vector>

#include <QDialog>

#include "fastsim/RegistroXY.h"

class QChart;
class QChartView;
class QComboBox;
class QProgressBar;
class QPushButton;
class QLineSeries;
class QToolButton;
class QValueAxis;

namespace kivo::ui {

class Aplicacao;

class TRegXY : public QDialog {
    Q_OBJECT
public:
    explicit TRegXY(Aplicacao& app, QWidget* parent = nullptr);
    ~TRegXY() override;

    // The run of "Registra": window W in seconds, display addresses x, y.
    void RegistraXY(double janela, int x, int y);
    int pontos() const { return static_cast<int>(pontos_.size()); }
    bool executando() const { return executando_; }
    // Both axis lists from the variable table's current descriptions,
    // keeping the entries chosen; nothing is touched when they read the
    // same already.
    void AtualizaListas();
    // Removes every point ("Limpar"). Points otherwise accumulate, across
    // projects too, so variants of a plant can be compared on one chart.
    void Limpa();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:

    void Button1Click();
    void PresetsChange(int i);
    void PreencheListas();
    void AtualizaBotao();
    void EscalaAutomatica();

    Aplicacao& app_;
    std::vector<PontoXY> pontos_;
    bool executando_ = false;
    bool traduzido_ = false;
    bool escala0a100_ = false;

    QComboBox* comboX_ = nullptr;
    QComboBox* comboY_ = nullptr;
    QComboBox* presets_ = nullptr;
    QComboBox* janela_ = nullptr;
    QPushButton* registra_ = nullptr;
    QPushButton* sair_ = nullptr;
    QProgressBar* gauge1_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* vista_ = nullptr;
    QLineSeries* serie_ = nullptr;
    QValueAxis* eixoX_ = nullptr;
    QValueAxis* eixoY_ = nullptr;
};

}  // namespace kivo::ui
