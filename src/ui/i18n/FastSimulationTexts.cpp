#include "ui/i18n/FastSimulationTexts.h"

#include <array>

#include <QWidget>

#include "ui/i18n/Tooltips.h"

namespace kivo::ui {
namespace {

constexpr std::array kTexts{
    Translation{"JanelaLabel", "Janela Simulação:", "Data Window:"},
    Translation{"TALabel", "Tempo Amostragem:", "Sample Time:"},
    Translation{"SinalTesteLabel", "Amplitude do Degrau(%):", "Step size:"},
    Translation{"CheckArquivar", "Armazenar Dados", "Archive"},
    Translation{"ArquivoLabel", "Arquivo:", "File Name:"},
    Translation{"Normaliza", "Normalizar", "Normalize"},
    Translation{"BTNSimular", "Simular", "Simulate"},
    Translation{"BTNCarregar", "Carregar Histórico", "Load Archive"},
    Translation{"Button1", "Carregar Histórico", "Load Archive"},
    Translation{"SpeedButton2", "Desfazer Zoom", "Undo Zoom"},
    Translation{"ReplicaZoom", "Replicar Zoom", "Zoom replicate"},
    Translation{"CheckBox1", "Ocultar COs", "Hide COs"},
    Translation{"PainelIndices", "Índices de Desempenho", "Performance Indices"},
    Translation{"CabecalhoIndices1", "Gráfico       Gráfico", " Upper         Lower"},
    Translation{"CabecalhoIndices2", "Superior     Inferior", "Graphic       Graphic"},
};

constexpr std::array kTooltips{
    Translation{"SinalTesteValor", "Para o degrau no SP, a chave L/R do controlador deve estar em Local",
             "For an SP step, the controller's L/R switch must be in Local position"},
    Translation{"SpeedButton1", "Zoom Window: Clicar e arrastar para baixo e para a direita",
             "Zoom window: click and drag down and to the right"},
    Translation{"SpeedButton2", "Desfazer Zoom", "Undo Zoom"},
    Translation{"SpeedButton3", "Aplicar Escala 0-100%", "Apply 0-100% scale"},
    // The help button's hint is the scale button's, as the window has always
    // shown it; its accessible name (below) says what it opens.
    Translation{"SpeedButton4", "Aplicar Escala 0-100%", "Apply 0-100% scale"},
    Translation{"ReplicaZoom", "Reproduzir Zoom na Janela Inferior", "Use the same zoom in the lower chart"},
    Translation{"CheckBox1", "Esconde Sinal de Saída do Controlador", "Hide the controller output signal"},
    Translation{"VariabilidadeLabel", "Variabilidade da PV (3*Desvio padrão)", "PV variability (3 standard deviations)"},
    Translation{"IEMLabel", "Integral do Erro Médio", "Integral of the mean error"},
    Translation{"IEMALabel", "Integral do Erro Médio Absoluto", "Integral of the mean absolute error"},
    Translation{"ExcursaoLabel", "Somatório de variações do sinal CO ", "Sum of the CO signal's changes"},
    Translation{"SaturacaoLabel", "%Tempo em que a CO atinge 0 ou 100%", "% of the time the CO is at 0 or 100 %"},
};

constexpr std::array kNames{
    Translation{"SpeedButton4", "Ajuda", "Help"},
    Translation{"JanelaComboBox", "Janela Simulação:", "Data Window:"},
    Translation{"TACombo", "Tempo Amostragem:", "Sample Time:"},
    Translation{"SinalTesteCombo", "Sinal de teste", "Test signal"},
    Translation{"SinalTesteValor", "Amplitude do Degrau(%):", "Step size:"},
    Translation{"Edit2", "Arquivo:", "File Name:"},
    Translation{"ProgressBar1", "Progresso da simulação", "Simulation progress"},
    Translation{"ProgressBar2", "Progresso da carga (gráfico superior)", "Loading progress (upper graphic)"},
    Translation{"ProgressBar3", "Progresso da carga (gráfico inferior)", "Loading progress (lower graphic)"},
    Translation{"ComboBox2", "Histórico do gráfico superior", "Upper graphic archive"},
    Translation{"ComboBox1", "Histórico do gráfico inferior", "Lower graphic archive"},
    Translation{"TabbedNotebook1", "Gráficos superiores", "Upper graphics"},
    Translation{"TabbedNotebook2", "Gráficos inferiores", "Lower graphics"},
    Translation{"PtsPag", "Pontos por página", "Points per page"},
    Translation{"SelPage", "Página", "Page"},
    Translation{"Mensagem", "Mensagem", "Message"},
};

}  // namespace

std::span<const Translation> FastSimulationNames() { return kNames; }

void ApplyNames(QObject* root, std::span<const Translation> table, bool english) {
    for (const Translation& t : table)
        for (QWidget* w : root->findChildren<QWidget*>(QString::fromLatin1(t.name)))
            w->setAccessibleName(QString::fromUtf8(english ? t.en : t.pt));
}

std::span<const Translation> FastSimulationTexts() { return kTexts; }
std::span<const Translation> FastSimulationTooltips() { return kTooltips; }

void ApplyFastSimulationTooltips(QObject* root, std::span<const Translation> table, bool english) {
    // Glyph buttons and fields without a caption are marked where they are built.
    ApplyTooltipTable(root, table, english, MarkedUncaptioned);
}

QString FastSimulationTitle(bool english) {
    return english ? QStringLiteral("Fast Simulation") : QStringLiteral("Simulação Rápida");
}

QStringList TestSignalItems(bool english) {
    if (english) return {"Select a test signal:", "None", "SP step change", "Step process disturbance"};
    return {"Selecione um sinal de teste:", "Nenhum", "Degrau no SP", "Distúrbio degrau no processo"};
}

QString LoopTab(int n, bool english) { return (english ? QStringLiteral("Loop ") : QStringLiteral("Malha ")) + QString::number(n); }

QString HistoryTab(int n) { return QStringLiteral("Hist ") + QString::number(n); }

QString InvalidAmplitude(bool english) {
    return english ? QStringLiteral("Step size: type a whole number of percent")
                  : QStringLiteral("Amplitude do Degrau: digite um número inteiro de por cento");
}

}  // namespace kivo::ui
