#include "ui/fastsim/PainelIndices.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "fastsim/Indices.h"

namespace kivo::ui {
namespace {

// In the order of the seven indices.
constexpr std::array<const char*, 7> kRotulos = {"VariabilidadeLabel", "IEMLabel",      "IEMALabel",   "ExcursaoLabel",
                                                 "DesvioLabel",        "SaturacaoLabel", "PVminmaxLabel"};
constexpr std::array<const char*, 7> kSuperior = {"varPVmalha", "IEMmalha",   "IEMAmalha",    "ExcMVmalha",
                                                  "DevMVmalha", "satMVmalha", "PVminmaxMalha"};
constexpr std::array<const char*, 7> kInferior = {"varPVhist", "IEMhist",   "IEMAhist",    "ExcMVhist",
                                                  "DevMVhist", "SatMVhist", "PVminmaxHist"};

QLabel* Rotulo(QWidget* pai, const char* nome, const QString& texto) {
    auto* l = new QLabel(texto, pai);
    l->setObjectName(QString::fromLatin1(nome));
    l->setAccessibleName(texto);
    return l;
}

}  // namespace

PainelIndices::PainelIndices(QWidget* parent) : QGroupBox(QStringLiteral("Índices de Desempenho"), parent) {
    setObjectName(QStringLiteral("PainelIndices"));
    setAccessibleName(title());
    auto* grade = new QGridLayout(this);
    grade->addWidget(Rotulo(this, "CabecalhoIndices1", QStringLiteral("Gráfico       Gráfico")), 0, 1, 1, 2,
                     Qt::AlignCenter);
    grade->addWidget(Rotulo(this, "CabecalhoIndices2", QStringLiteral("Superior     Inferior")), 1, 1, 1, 2,
                     Qt::AlignCenter);
    // Fixed-width digits keep the padded numbers of the two columns aligned.
    const QFont fixa = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const auto& textos = RotulosIndices(false);
    for (int i = 0; i < 7; ++i) {
        const auto k = static_cast<std::size_t>(i);
        rotulos_[k] = Rotulo(this, kRotulos[k], QString::fromUtf8(textos[k].data(), qsizetype(textos[k].size())));
        grade->addWidget(rotulos_[k], i + 2, 0);
        for (int c = 0; c < 2; ++c) {
            auto* v = Rotulo(this, c == 0 ? kSuperior[k] : kInferior[k], QString());
            v->setFont(fixa);
            v->setTextInteractionFlags(Qt::TextSelectableByMouse);
            v->setFrameShape(QFrame::StyledPanel);
            v->setMinimumWidth(v->fontMetrics().horizontalAdvance(QStringLiteral("00000.00 unidade")));
            // The value is read out under the caption of its row.
            v->setAccessibleName(rotulos_[k]->text());
            valores_[static_cast<std::size_t>(c)][k] = v;
            grade->addWidget(v, i + 2, c + 1);
        }
    }
    grade->setRowStretch(9, 1);
}

void PainelIndices::Mostra(Coluna c, const IndicesDesempenho* i) {
    const auto textos = i ? TextosIndices(*i) : std::array<std::string_view, 7>{};
    for (std::size_t k = 0; k < 7; ++k)
        valores_[static_cast<std::size_t>(c)][k]->setText(
            QString::fromUtf8(textos[k].data(), qsizetype(textos[k].size())));
}

void PainelIndices::Traduz() {
    const auto& textos = RotulosIndices(true);
    for (std::size_t k = 0; k < 7; ++k) {
        const QString t = QString::fromUtf8(textos[k].data(), qsizetype(textos[k].size()));
        rotulos_[k]->setText(t);
        rotulos_[k]->setAccessibleName(t);
        for (auto& coluna : valores_) coluna[k]->setAccessibleName(t);
    }
}

}  // namespace kivo::ui
