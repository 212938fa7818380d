#include "ui/fastsim/IndicesPanel.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QLabel>

#include "fastsim/Indices.h"

namespace kivo::ui {
namespace {

// In the order of the seven indices.
constexpr std::array<const char*, 7> kLabels = {"VariabilidadeLabel", "IEMLabel",      "IEMALabel",   "ExcursaoLabel",
                                                 "DesvioLabel",        "SaturacaoLabel", "PVminmaxLabel"};
constexpr std::array<const char*, 7> kSuperior = {"varPVmalha", "IEMmalha",   "IEMAmalha",    "ExcMVmalha",
                                                  "DevMVmalha", "satMVmalha", "PVminmaxMalha"};
constexpr std::array<const char*, 7> kInferior = {"varPVhist", "IEMhist",   "IEMAhist",    "ExcMVhist",
                                                  "DevMVhist", "SatMVhist", "PVminmaxHist"};

QLabel* Label(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(text);
    return l;
}

}  // namespace

IndicesPanel::IndicesPanel(QWidget* parent) : QGroupBox(QStringLiteral("Índices de Desempenho"), parent) {
    setObjectName(QStringLiteral("PainelIndices"));
    setAccessibleName(title());
    auto* grade = new QGridLayout(this);
    grade->addWidget(Label(this, "CabecalhoIndices1", QStringLiteral("Gráfico       Gráfico")), 0, 1, 1, 2,
                     Qt::AlignCenter);
    grade->addWidget(Label(this, "CabecalhoIndices2", QStringLiteral("Superior     Inferior")), 1, 1, 1, 2,
                     Qt::AlignCenter);
    // Fixed-width digits keep the padded numbers of the two columns aligned.
    const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const auto& texts = IndexCaptions(false);
    for (int i = 0; i < 7; ++i) {
        const auto k = static_cast<std::size_t>(i);
        labels_[k] = Label(this, kLabels[k], QString::fromUtf8(texts[k].data(), qsizetype(texts[k].size())));
        grade->addWidget(labels_[k], i + 2, 0);
        for (int c = 0; c < 2; ++c) {
            auto* v = Label(this, c == 0 ? kSuperior[k] : kInferior[k], QString());
            v->setFont(fixed);
            v->setTextInteractionFlags(Qt::TextSelectableByMouse);
            v->setFrameShape(QFrame::StyledPanel);
            v->setMinimumWidth(v->fontMetrics().horizontalAdvance(QStringLiteral("00000.00 unidade")));
            // The value is read out under the caption of its row.
            v->setAccessibleName(labels_[k]->text());
            values_[static_cast<std::size_t>(c)][k] = v;
            grade->addWidget(v, i + 2, c + 1);
        }
    }
    grade->setRowStretch(9, 1);
}

void IndicesPanel::Show(Column c, const PerformanceIndices* i) {
    const auto texts = i ? IndexTexts(*i) : std::array<std::string_view, 7>{};
    for (std::size_t k = 0; k < 7; ++k)
        values_[static_cast<std::size_t>(c)][k]->setText(
            QString::fromUtf8(texts[k].data(), qsizetype(texts[k].size())));
}

void IndicesPanel::Translate() {
    const auto& texts = IndexCaptions(true);
    for (std::size_t k = 0; k < 7; ++k) {
        const QString t = QString::fromUtf8(texts[k].data(), qsizetype(texts[k].size()));
        labels_[k]->setText(t);
        labels_[k]->setAccessibleName(t);
        for (auto& column : values_) column[k]->setAccessibleName(t);
    }
}

}  // namespace kivo::ui
