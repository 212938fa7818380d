#pragma once
// A vertical bar gauge drawn with QPainter: a coloured column rising from
// the bottom over a white field, range 0..maximo. Sharp at any scaling.
#include <QColor>
#include <QWidget>

namespace kivo::ui {

class BarraVertical : public QWidget {
    Q_OBJECT
public:
    BarraVertical(QColor cor, int maximo, QWidget* parent = nullptr);

    int valor() const { return valor_; }
    // Repaints only when the value changes.
    void setValor(int v);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor cor_;
    int maximo_;
    int valor_ = 0;
};

}  // namespace kivo::ui
