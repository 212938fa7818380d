#pragma once
// One loop chart of the fast-simulation window: PV, SP and CO against the
// simulated second, shown one page of points at a time: the chart's series
// hold the page alone (each replaced in one call), so that a 4-hour run
// costs the chart no more than a page does. The left axis
// follows the visible points unless a zoom or the 0-100 % scale fixed it.
// Zooming is a rubber band, allowed once per request; the right button
// undoes a zoom.
#include <array>
#include <vector>

#include <QChartView>
#include <QPointF>

class QLineSeries;
class QValueAxis;

namespace kivo {
struct SeriesMalha;
}

namespace kivo::ui {

class GraficoMalha : public QChartView {
    Q_OBJECT
public:
    explicit GraficoMalha(QWidget* parent = nullptr);

    // Keeps the three series and turns to page 1 with automatic axes. CO
    // comes back even after it was hidden.
    void Mostra(const SeriesMalha& s);
    void Limpa();
    // Deletes the CO series' points.
    void OcultaCO();

    int pontos() const { return pontos_; }
    qsizetype pontosCO() const;
    int pontosPorPagina() const { return porPagina_; }
    void DefinePontosPorPagina(int n);
    int pagina() const { return pagina_; }     // 1-based
    int paginas() const;                       // at least 1
    // Turns to page p (from 1) with automatic axes.
    void MostraPagina(int p);

    // Axes back to automatic: the page's horizontal span, the visible
    // points' vertical span.
    void EscalaAutomatica();
    void Escala0a100();
    bool automatica() const { return automatica_; }
    // The bottom and left axis ranges, and fixing them (automatic off).
    QPointF faixaX() const;
    QPointF faixaY() const;
    void FixaFaixas(QPointF x, QPointF y);

    // Allows (or withdraws) one zoom rectangle.
    void PermiteZoom(bool sim);

    QLineSeries* pv() const { return pv_; }
    QLineSeries* sp() const { return sp_; }
    QLineSeries* co() const { return co_; }

signals:
    void zoomFeito();
    void zoomDesfeito();

protected:
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    void AjustaY();

    std::array<std::vector<double>, 3> dados_;  // PV, SP, CO of the whole run
    QLineSeries* pv_;
    QLineSeries* sp_;
    QLineSeries* co_;
    QValueAxis* eixoX_;
    QValueAxis* eixoY_;
    int pontos_ = 0;
    int porPagina_ = 1800;
    int pagina_ = 1;
    bool automatica_ = true;
};

}  // namespace kivo::ui
