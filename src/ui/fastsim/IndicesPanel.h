#pragma once
// The indices panel of the fast-simulation window: the seven captions and,
// side by side, the upper row's and the lower row's texts of one loop.
#include <array>

#include <QGroupBox>

class QLabel;

namespace kivo {
struct PerformanceIndices;
}

namespace kivo::ui {

class IndicesPanel : public QGroupBox {
    Q_OBJECT
public:
    enum Column { Superior = 0, Inferior = 1 };

    explicit IndicesPanel(QWidget* parent = nullptr);

    // The seven texts of one loop in a column; nullptr empties it (a loop
    // that was not active, or too short for indices).
    void Show(Column c, const PerformanceIndices* i);
    // The captions in English.
    void Translate();
    QLabel* value(Column c, int index) const { return values_[c][static_cast<std::size_t>(index)]; }

private:
    std::array<QLabel*, 7> labels_{};
    std::array<std::array<QLabel*, 7>, 2> values_{};
};

}  // namespace kivo::ui
