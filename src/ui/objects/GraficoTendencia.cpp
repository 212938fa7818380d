#include "ui/objects/GraficoTendencia.h"

#include <algorithm>
#include <cmath>

#include <QMouseEvent>
#include <QPainter>
#include <QPolygonF>

#include "core/NumberText.h"

namespace kivo::ui {
namespace {

constexpr int kDivisaoH = 20;  // chart pixels between horizontal grid lines
constexpr int kDivisaoV = 30;  // samples per vertical division

const std::array<QColor, 4> kCores{QColor(Qt::red), QColor(Qt::blue), QColor(0, 128, 0), QColor(Qt::black)};

}  // namespace

GraficoTendencia::GraficoTendencia(const TendenciaControlador& tendencia, QWidget* parent)
    : QWidget(parent), tendencia_(tendencia) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setEscalaEU(0, 100);
}

void GraficoTendencia::setCurvaVisivel(TendenciaControlador::Curva c, bool visivel) {
    if (visiveis_[c] == visivel) return;
    visiveis_[c] = visivel;
    update();
}

void GraficoTendencia::setLinhaGrossa(bool grossa) {
    if (grossa_ == grossa) return;
    grossa_ = grossa;
    update();
}

void GraficoTendencia::setEscalaEU(double base, double topo) {
    QStringList r;
    for (int k = 9; k >= 1; --k) r << QString::fromStdString(FormataFixo(base + (topo - base) * k / 10, 2, 0));
    if (r == rotulos_) return;
    const int antes = rotulos_.isEmpty() ? -1 : Margem();
    rotulos_ = r;
    if (Margem() != antes) updateGeometry();
    update();
}

int GraficoTendencia::Margem() const {
    int largura = 0;
    for (const QString& s : rotulos_) largura = std::max(largura, fontMetrics().horizontalAdvance(s.trimmed()));
    return largura + fontMetrics().averageCharWidth();
}

QSize GraficoTendencia::sizeHint() const { return {Margem() + kLargura + 2, kAltura + 2}; }
QSize GraficoTendencia::minimumSizeHint() const { return sizeHint(); }

QRectF GraficoTendencia::AreaGrafico() const {
    const int m = Margem();
    return {double(m), 1.0, double(width() - m - 1), double(height() - 2)};
}

QPoint GraficoTendencia::PosicaoNaTela(double x, double y) const {
    const QRectF a = AreaGrafico();
    return QPointF(a.left() + x * a.width() / kLargura, a.top() + y * a.height() / kAltura).toPoint();
}

void GraficoTendencia::AtualizaCurvas() { update(AreaGrafico().toAlignedRect()); }

void GraficoTendencia::paintEvent(QPaintEvent* e) {
    QPainter p(this);
    const QRectF a = AreaGrafico();
    // A new sample repaints the chart alone; the labels only when the
    // scale or the size changes.
    const bool comRotulos = e->rect().left() < a.left();
    if (comRotulos) p.fillRect(QRectF(0, 0, a.left(), height()), palette().color(QPalette::Window));
    const double sx = a.width() / kLargura;
    const double sy = a.height() / kAltura;
    const auto X = [&](double x) { return a.left() + x * sx; };
    const auto Y = [&](double y) { return a.top() + y * sy; };
    p.fillRect(a, Qt::white);

    // Grid lines are filled, not stroked (a solid fill is far cheaper, and
    // ten trends redraw at every tick), each one whole logical pixel so that
    // all look the same whatever the chart's stretch.
    const QColor prata(0xC0, 0xC0, 0xC0);
    const QRect inteira = a.toAlignedRect();
    for (int j = 0; j <= kAltura / kDivisaoH; ++j) {
        const int y = std::min(static_cast<int>(std::floor(Y(j * kDivisaoH))), inteira.bottom());
        p.fillRect(QRect(inteira.left(), y, inteira.width(), 1), prata);
    }
    for (int k = 1; k <= kLargura / kDivisaoV; ++k) {
        const int x = std::min(static_cast<int>(std::floor(X(k * kDivisaoV - tendencia_.grade()))), inteira.right());
        p.fillRect(QRect(x, inteira.top(), 1, inteira.height()), prata);
    }

    p.setPen(palette().color(QPalette::WindowText));
    const int alturaTexto = fontMetrics().height();
    for (int i = 0; comRotulos && i < rotulos_.size(); ++i) {
        const double y = Y((i + 1) * kDivisaoH);
        p.drawText(QRectF(0, y - alturaTexto / 2.0, a.left() - 2, alturaTexto), Qt::AlignRight | Qt::AlignVCenter,
                   rotulos_[i].trimmed());
    }

    // Oldest sample at the left, newest at the right end.
    p.setClipRect(a);
    pontosDesenhados_ = 0;
    // Only the positions that hold a sample: a trend just started draws from
    // its first sample, not a line up from the zeros before it.
    const int primeiro = kLargura - tendencia_.amostras();
    QPolygonF linha(kLargura - primeiro);
    for (int c = TendenciaControlador::CurvaAtuador; c >= TendenciaControlador::CurvaPV; --c) {
        if (!visiveis_[c] || linha.isEmpty()) continue;
        const auto curva = static_cast<TendenciaControlador::Curva>(c);
        for (int i = primeiro; i < kLargura; ++i)
            linha[i - primeiro] = QPointF(X(i + 0.5), Y(kAltura - tendencia_.Ponto(curva, i) + 0.5));
        const bool grossa = grossa_ && curva != TendenciaControlador::CurvaAtuador;
        p.setPen(QPen(kCores[c], grossa ? 2 : 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(linha);
        pontosDesenhados_ += static_cast<int>(linha.size());
    }
    p.setClipping(false);
    QPen moldura(palette().color(QPalette::Mid), 0);  // cosmetic: one device pixel, the fast path
    p.setPen(moldura);
    p.drawRect(a.adjusted(-0.5, -0.5, 0.5, 0.5));
}

void GraficoTendencia::mousePressEvent(QMouseEvent* e) {
    const QRectF a = AreaGrafico();
    const QPointF q = e->position();
    if (!a.contains(q)) return;
    emit clicado(static_cast<int>((q.x() - a.left()) * kLargura / a.width()),
                 static_cast<int>((q.y() - a.top()) * kAltura / a.height()));
}

void GraficoTendencia::mouseDoubleClickEvent(QMouseEvent*) { emit duploClique(); }

}  // namespace kivo::ui
