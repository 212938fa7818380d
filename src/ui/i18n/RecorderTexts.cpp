#include "ui/i18n/RecorderTexts.h"

#include <QAbstractButton>
#include <QWidget>

#include "ui/i18n/Tooltips.h"

namespace kivo::ui {

namespace {

constexpr Translation kTrendRecorder[] = {
    {"BaseTempoLabel", "Tempo: 1 divisão =", "1 division time="},
    {"CheckBox1", "Arquivar", "Archive"},
    {"Label21", "Arquivando: TA=0.1 seg", "Saving 0.1 seg"},
    {"EscalaGroup", "Escala", "Scale"},
    {"DescricaoLabel", "   Descrição", "Description:"},
    {"Variavel1Label", "Variável 1", "Variable 1"},
    {"Texto1Label", "Texto 1", "Text 1"},
    {"Variavel2Label", "Variável 2", "Variable 2"},
    {"Texto2Label", "Texto 2", "Text 2"},
    {"Variavel3Label", "Variável 3", "Variable 3"},
    {"Texto3Label", "Texto 3", "Text 3"},
    {"CheckBox2", "Linha Grossa", "Strong Line"},
    {"UsarVirgula", "Utilizar ',' como separador decimal", "Uses , as decimal separator"},
    {"UsarUE", "Salvar valores em Unid. de Eng.", "Uses Engineering Units"},
};

constexpr Translation kTrendRecorderTooltips[] = {
    {"CheckBox1", "Salvar novos dados em arquivo TXT", "Save data into TXT file"},
    {"ConfBTN", "Abrir configuração", "Open configuration area"},
    {"SpeedButton1", "Pausar", "Pause Trend"},
    {"SairBTN", "Sair", "Exit"},
};

constexpr Translation kXYRecorder[] = {
    {"JanelaLabel", "Janela:", "Window"},
    {"SairButton", "Sair", "Exit"},
    {"Button1", "Registra", "Register"},
    {"Gauge1", "Progresso do registro", "Recording progress"},
    {"Chart1", "Gráfico XY", "XY chart"},
};

constexpr Translation kXYRecorderTooltips[] = {
    {"SpeedButton4", "Limpar", "Clean Graphic"},
    {"Presets", "Pares de variáveis pré-selecionadas", "Preselected variable pairs"},
    {"ComboX", "Variável do eixo X", "Horizontal axis variable"},
    {"ComboY", "Variável do eixo vertical", "Vertical axis variable"},
    {"SpeedButton3", "Aplicar Escala 0-100%", "Apply 0-100% scale"},
    {"SpeedButton1", "Zoom Window: Clicar e arrastar para baixo e para a direita",
     "Zoom window: Click and drag to select zoom area"},
    {"SpeedButton2", "Desfazer Zoom", "Undo zoom"},
};

constexpr Translation kText[] = {
    {"DescricaoLabel", "Descrição:", "Description:"},
    {"Tipo", "Tipo:", "Type"},
    {"UnidadeLabel", "Unid. Eng.:", "Eng.Unit:"},
    {"Edit4Label", "Faixa min:", "Min Span:"},
    {"Edit1Label", "Faixa máx:", "Max Span:"},
    {"Edit3Label", "Alarme Baixo:", "Low Alarm:"},
    {"Edit2Label", "Alarme Alto:", "High Alarm:"},
    {"Tipo0", "Escalar", "Escalar"},
    {"Tipo1", "Binário", "Binary"},
    {"Tipo2", "Equação", "Equation"},
    {"CasasDecimaisLabel", "Decimais:", "Decimais:"},
    {"SairButton", "Sair", "Sair"},
};

constexpr Translation kTextWindowTooltips[] = {
    {"ComboBox1", "Variável para exibição", "Variable to show"},
    {"FuncaoTr", "Se tipo BINARIO, inserir respectivos textos para valores 0 e 1 separados pelo caracter /",
     "If binary type, insert text for 0 and 1 values split by / caracter"},
};

}  // namespace

std::span<const Translation> TrendRecorderTexts() { return kTrendRecorder; }
std::span<const Translation> TrendRecorderTooltips() { return kTrendRecorderTooltips; }
std::span<const Translation> XYRecorderTexts() { return kXYRecorder; }
std::span<const Translation> XYRecorderTooltips() { return kXYRecorderTooltips; }
std::span<const Translation> TextWindowTexts() { return kText; }
std::span<const Translation> TextWindowTooltips() { return kTextWindowTooltips; }

void ApplyTooltips(QObject* root, std::span<const Translation> table, bool english) {
    // Only buttons carry captions among these windows' hinted controls.
    ApplyTooltipTable(root, table, english, [](const QWidget* w) {
        const auto* b = qobject_cast<const QAbstractButton*>(w);
        return !b || b->text().isEmpty();
    });
}

}  // namespace kivo::ui
