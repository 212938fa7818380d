#include "ui/i18n/TextosRapida.h"

#include <array>

#include <QWidget>

#include "ui/i18n/Dicas.h"

namespace kivo::ui {
namespace {

constexpr std::array kTextos{
    Traducao{"JanelaLabel", "Janela Simulação:", "Data Window:"},
    Traducao{"TALabel", "Tempo Amostragem:", "Sample Time:"},
    Traducao{"SinalTesteLabel", "Amplitude do Degrau(%):", "Step size:"},
    Traducao{"CheckArquivar", "Armazenar Dados", "Archive"},
    Traducao{"ArquivoLabel", "Arquivo:", "File Name:"},
    Traducao{"Normaliza", "Normalizar", "Normalize"},
    Traducao{"BTNSimular", "Simular", "Simulate"},
    Traducao{"BTNCarregar", "Carregar Histórico", "Load Archive"},
    Traducao{"Button1", "Carregar Histórico", "Load Archive"},
    Traducao{"SpeedButton2", "Desfazer Zoom", "Undo Zoom"},
    Traducao{"ReplicaZoom", "Replicar Zoom", "Zoom replicate"},
    Traducao{"CheckBox1", "Ocultar COs", "Hide COs"},
    Traducao{"PainelIndices", "Índices de Desempenho", "Performance Indices"},
    Traducao{"CabecalhoIndices1", "Gráfico       Gráfico", " Upper         Lower"},
    Traducao{"CabecalhoIndices2", "Superior     Inferior", "Graphic       Graphic"},
};

constexpr std::array kDicas{
    Traducao{"SinalTesteValor", "Para o degrau no SP, a chave L/R do controlador deve estar em Local",
             "For an SP step, the controller's L/R switch must be in Local position"},
    Traducao{"SpeedButton1", "Zoom Window: Clicar e arrastar para baixo e para a direita",
             "Zoom window: click and drag down and to the right"},
    Traducao{"SpeedButton2", "Desfazer Zoom", "Undo Zoom"},
    Traducao{"SpeedButton3", "Aplicar Escala 0-100%", "Apply 0-100% scale"},
    // The help button's hint is the scale button's, as the window has always
    // shown it; its accessible name (below) says what it opens.
    Traducao{"SpeedButton4", "Aplicar Escala 0-100%", "Apply 0-100% scale"},
    Traducao{"ReplicaZoom", "Reproduzir Zoom na Janela Inferior", "Use the same zoom in the lower chart"},
    Traducao{"CheckBox1", "Esconde Sinal de Saída do Controlador", "Hide the controller output signal"},
    Traducao{"VariabilidadeLabel", "Variabilidade da PV (3*Desvio padrão)", "PV variability (3 standard deviations)"},
    Traducao{"IEMLabel", "Integral do Erro Médio", "Integral of the mean error"},
    Traducao{"IEMALabel", "Integral do Erro Médio Absoluto", "Integral of the mean absolute error"},
    Traducao{"ExcursaoLabel", "Somatório de variações do sinal CO ", "Sum of the CO signal's changes"},
    Traducao{"SaturacaoLabel", "%Tempo em que a CO atinge 0 ou 100%", "% of the time the CO is at 0 or 100 %"},
};

constexpr std::array kNomes{
    Traducao{"SpeedButton4", "Ajuda", "Help"},
    Traducao{"JanelaComboBox", "Janela Simulação:", "Data Window:"},
    Traducao{"TACombo", "Tempo Amostragem:", "Sample Time:"},
    Traducao{"SinalTesteCombo", "Sinal de teste", "Test signal"},
    Traducao{"SinalTesteValor", "Amplitude do Degrau(%):", "Step size:"},
    Traducao{"Edit2", "Arquivo:", "File Name:"},
    Traducao{"ProgressBar1", "Progresso da simulação", "Simulation progress"},
    Traducao{"ProgressBar2", "Progresso da carga (gráfico superior)", "Loading progress (upper graphic)"},
    Traducao{"ProgressBar3", "Progresso da carga (gráfico inferior)", "Loading progress (lower graphic)"},
    Traducao{"ComboBox2", "Histórico do gráfico superior", "Upper graphic archive"},
    Traducao{"ComboBox1", "Histórico do gráfico inferior", "Lower graphic archive"},
    Traducao{"TabbedNotebook1", "Gráficos superiores", "Upper graphics"},
    Traducao{"TabbedNotebook2", "Gráficos inferiores", "Lower graphics"},
    Traducao{"PtsPag", "Pontos por página", "Points per page"},
    Traducao{"SelPage", "Página", "Page"},
    Traducao{"Mensagem", "Mensagem", "Message"},
};

}  // namespace

std::span<const Traducao> NomesRapida() { return kNomes; }

void AplicaNomes(QObject* raiz, std::span<const Traducao> tabela, bool ingles) {
    for (const Traducao& t : tabela)
        for (QWidget* w : raiz->findChildren<QWidget*>(QString::fromLatin1(t.nome)))
            w->setAccessibleName(QString::fromUtf8(ingles ? t.en : t.pt));
}

std::span<const Traducao> TextosRapida() { return kTextos; }
std::span<const Traducao> DicasRapida() { return kDicas; }

void AplicaDicasRapida(QObject* raiz, std::span<const Traducao> tabela, bool ingles) {
    // Glyph buttons and fields without a caption are marked where they are built.
    AplicaDicasTabela(raiz, tabela, ingles, MarcadoSemLegenda);
}

QString TituloRapida(bool ingles) {
    return ingles ? QStringLiteral("Fast Simulation") : QStringLiteral("Simulação Rápida");
}

QStringList ItensSinalTeste(bool ingles) {
    if (ingles) return {"Select a test signal:", "None", "SP step change", "Step process disturbance"};
    return {"Selecione um sinal de teste:", "Nenhum", "Degrau no SP", "Distúrbio degrau no processo"};
}

QString AbaMalha(int n, bool ingles) { return (ingles ? QStringLiteral("Loop ") : QStringLiteral("Malha ")) + QString::number(n); }

QString AbaHistorico(int n) { return QStringLiteral("Hist ") + QString::number(n); }

QString AmplitudeInvalida(bool ingles) {
    return ingles ? QStringLiteral("Step size: type a whole number of percent")
                  : QStringLiteral("Amplitude do Degrau: digite um número inteiro de por cento");
}

}  // namespace kivo::ui
