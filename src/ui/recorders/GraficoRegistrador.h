#pragma once
// The drawing surface of a trend recorder (450 x 200 logical pixels, one
// pixel per sample, newest at the right) and the area that hangs the two
// scale columns beside it at the heights of the grid lines.
#include <utility>
#include <vector>

#include <QWidget>

namespace kivo {
class AmostradorRegistrador;
}

namespace kivo::ui {

class GraficoRegistrador : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLargura = 450;
    static constexpr int kAltura = 200;

    GraficoRegistrador(const AmostradorRegistrador& a, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {kLargura + 1, kAltura + 1}; }

signals:
    // A press at (x, y), counted from the chart's top-left corner.
    void pressionado(QPoint p);
    void duploClique();

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

private:
    const AmostradorRegistrador& a_;
};

// Lays the chart out between two columns of labels; each label is centred
// on the chart height it is given (0 = top, 200 = bottom).
class AreaGrafico : public QWidget {
public:
    AreaGrafico(QWidget* grafico, QWidget* parent = nullptr);
    void AdicionaEsquerda(QWidget* w, int y) {
        w->setParent(this);
        esquerda_.emplace_back(w, y);
    }
    void AdicionaDireita(QWidget* w, int y) {
        w->setParent(this);
        direita_.emplace_back(w, y);
    }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    // After a label's text changed: new size, labels placed again.
    void Reposiciona();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    int Largura(const std::vector<std::pair<QWidget*, int>>& coluna) const;
    int Margem() const;

    QWidget* grafico_;
    std::vector<std::pair<QWidget*, int>> esquerda_;
    std::vector<std::pair<QWidget*, int>> direita_;
};

}  // namespace kivo::ui
