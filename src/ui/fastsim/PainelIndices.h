#pragma once
// The indices panel of the fast-simulation window: the seven captions and,
// side by side, the upper row's and the lower row's texts of one loop.
#include <array>

#include <QGroupBox>

class QLabel;

namespace kivo {
struct IndicesDesempenho;
}

namespace kivo::ui {

class PainelIndices : public QGroupBox {
    Q_OBJECT
public:
    enum Coluna { Superior = 0, Inferior = 1 };

    explicit PainelIndices(QWidget* parent = nullptr);

    // The seven texts of one loop in a column; nullptr empties it (a loop
    // that was not active, or too short for indices).
    void Mostra(Coluna c, const IndicesDesempenho* i);
    // The captions in English.
    void Traduz();
    QLabel* valor(Coluna c, int indice) const { return valores_[c][static_cast<std::size_t>(indice)]; }

private:
    std::array<QLabel*, 7> rotulos_{};
    std::array<std::array<QLabel*, 7>, 2> valores_{};
};

}  // namespace kivo::ui
