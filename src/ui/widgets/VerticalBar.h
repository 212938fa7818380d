#pragma once
// A vertical bar gauge drawn with QPainter: a coloured column rising from
// the bottom over a white field, range 0..maximum. Sharp at any scaling.
#include <QColor>
#include <QWidget>

namespace kivo::ui {

class VerticalBar : public QWidget {
    Q_OBJECT
public:
    VerticalBar(QColor colour, int maximum, QWidget* parent = nullptr);

    int value() const { return value_; }
    // Repaints only when the value changes.
    void setValue(int v);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QColor colour_;
    int max_;
    int value_ = 0;
};

}  // namespace kivo::ui
