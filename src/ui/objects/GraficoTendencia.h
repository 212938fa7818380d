#pragma once
// The faceplate's trend chart, drawn with QPainter straight from the
// controller's sampler: a white field of 450 x 200 chart pixels (one pixel
// per sample, two per percent), a silver grid whose vertical lines scroll
// with the samples, up to four curves, and nine scale labels in a margin on
// the left. It scales with the widget and the device pixel ratio, so it
// stays crisp at 200 %.
#include <array>

#include <QStringList>
#include <QWidget>

#include "objects/Tendencia.h"

namespace kivo::ui {

class GraficoTendencia : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLargura = TendenciaControlador::kAmostras;  // chart pixels
    static constexpr int kAltura = 200;

    explicit GraficoTendencia(const TendenciaControlador& tendencia, QWidget* parent = nullptr);

    // Which curves are drawn (PV, SP, CO, actuator position) and whether PV,
    // SP and CO use the 2-pixel pen.
    void setCurvaVisivel(TendenciaControlador::Curva c, bool visivel);
    bool curvaVisivel(TendenciaControlador::Curva c) const { return visiveis_[c]; }
    void setLinhaGrossa(bool grossa);

    // The trend range in engineering units, for the nine labels.
    void setEscalaEU(double base, double topo);
    const QStringList& rotulos() const { return rotulos_; }

    // Repaints the chart area after a sample.
    void AtualizaCurvas();

    // Points drawn by the last paint, all curves together.
    int pontosDesenhados() const { return pontosDesenhados_; }

    // Where chart pixel (x, y) lies on the widget.
    QPoint PosicaoNaTela(double x, double y) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // A press on the chart at chart pixel (X, Y): X 0..450, Y 0..200.
    void clicado(int x, int y);
    void duploClique();

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    int Margem() const;
    QRectF AreaGrafico() const;

    const TendenciaControlador& tendencia_;
    std::array<bool, 4> visiveis_{true, true, true, false};
    bool grossa_ = false;
    QStringList rotulos_;  // k = 9..1, top to bottom
    int pontosDesenhados_ = 0;
};

}  // namespace kivo::ui
