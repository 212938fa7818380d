#include "ui/recorders/GraficoRegistrador.h"

#include <QMouseEvent>
#include <QPainter>

#include "project/AmostradorRegistrador.h"

namespace kivo::ui {

namespace {
constexpr int kEspaco = 4;  // between a column and the chart

// The size a label or field takes: its hint within its own limits (a
// field of fixed width is narrower than its hint).
QSize Tamanho(const QWidget* w) { return w->sizeHint().expandedTo(w->minimumSize()).boundedTo(w->maximumSize()); }
}  // namespace

GraficoRegistrador::GraficoRegistrador(const AmostradorRegistrador& a, QWidget* parent) : QWidget(parent), a_(a) {
    setObjectName(QStringLiteral("Image1"));
    setAccessibleName(QStringLiteral("Image1"));
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GraficoRegistrador::paintEvent(QPaintEvent*) {
    // Drawn in logical pixels: at a device pixel ratio of 2 every line is
    // laid on the device grid at twice the resolution, so it stays crisp.
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 0));
    for (int i = 0; i <= 10; ++i) p.drawLine(0, 20 * i, kLargura, 20 * i);
    for (int x = 30 - a_.grade(); x <= kLargura; x += 30)
        if (x >= 0) p.drawLine(x, 0, x, kAltura);

    const qreal largura = a_.LinhaGrossa ? 2 : 1;
    const QColor cores[3] = {Qt::red, Qt::blue, QColor(0, 128, 0)};
    QPolygonF linha(AmostradorRegistrador::kAmostras);
    for (int c = 0; c < 3; ++c) {
        // Curves 2 and 3 are drawn only while they have a variable.
        if (c > 0 && !a_.comLegenda(c)) continue;
        for (int i = 0; i < AmostradorRegistrador::kAmostras; ++i) linha[i] = QPointF(i, kAltura - a_.Ponto(c, i));
        p.setPen(QPen(cores[c], largura));
        p.drawPolyline(linha);
    }
}

void GraficoRegistrador::mousePressEvent(QMouseEvent* e) { emit pressionado(e->position().toPoint()); }

void GraficoRegistrador::mouseDoubleClickEvent(QMouseEvent*) { emit duploClique(); }

AreaGrafico::AreaGrafico(QWidget* grafico, QWidget* parent) : QWidget(parent), grafico_(grafico) {
    grafico_->setParent(this);
}

int AreaGrafico::Largura(const std::vector<std::pair<QWidget*, int>>& coluna) const {
    int l = 0;
    for (const auto& [w, y] : coluna) l = std::max(l, Tamanho(w).width());
    return l;
}

int AreaGrafico::Margem() const {
    int m = 0;
    for (const auto* coluna : {&esquerda_, &direita_})
        for (const auto& [w, y] : *coluna) m = std::max(m, Tamanho(w).height() / 2 + 1);
    return m;
}

QSize AreaGrafico::sizeHint() const {
    const QSize g = grafico_->sizeHint();
    return {Largura(esquerda_) + Largura(direita_) + g.width() + 2 * kEspaco, g.height() + 2 * Margem()};
}

void AreaGrafico::resizeEvent(QResizeEvent*) { Reposiciona(); }

void AreaGrafico::Reposiciona() {
    updateGeometry();
    const int m = Margem();
    const int le = Largura(esquerda_);
    grafico_->move(le + kEspaco, m);
    const int xd = le + kEspaco + grafico_->width() + kEspaco;
    for (const auto& [w, y] : esquerda_) {
        const QSize s = Tamanho(w);
        w->setGeometry(le - s.width(), m + y - s.height() / 2, s.width(), s.height());
    }
    for (const auto& [w, y] : direita_) {
        const QSize s = Tamanho(w);
        w->setGeometry(xd, m + y - s.height() / 2, s.width(), s.height());
    }
}

}  // namespace kivo::ui
