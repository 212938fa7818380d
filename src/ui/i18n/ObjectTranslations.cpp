#include "ui/i18n/ObjectTranslations.h"

#include <array>

namespace kivo::ui {
namespace {

// Captions that read the same in both languages ("Tag:", "Tal1(seg):" ...)
// are not listed.
constexpr std::array kProcess{
    Translation{"LabelEntrada", "Entrada:", "Input:"},
    Translation{"LabelGanho", "Ganho:", "Gain:"},
    Translation{"LabelTM", "TM(seg):", "DT(seg):"},
    Translation{"LabelTipo", "Tipo F.T.:", "FT Type:"},
    Translation{"LabelEntradaPct", "Entrada (%):", "Input(%):"},
    Translation{"LabelAtuadorPct", "Posição Atuador(%):", "Actuator Position(%):"},
    Translation{"LabelSaidaPct", "Saída(%):", "Output(%):"},
    Translation{"LabelHisterese", "Histerese:", "Hysteresis:"},
    Translation{"GroupPVC", "Ordem 2 Sobreamortecido", "1st/2nd order (overdumped)"},
    Translation{"GroupOrdem2", "Ordem 2 (sub)", "2nd order (underdumped)"},
    Translation{"GroupLEADLAG", "Filtro LEAD-LAG", "Lead-Lag Filter"},
    Translation{"GroupBox2", "Integrador", "Integrator process"},
    Translation{"LabelNC", "Num. Ciclos:", "Visible cycles:"},
    Translation{"LabelPeriodo", "Período(seg):", "Period(seg):"},
    Translation{"LabelValorInicial", "Valor Inicial(%):", "Initial Value(%):"},
    Translation{"GroupNaoLinear", "Características não lineares", "Nonlinearities characteristics"},
    Translation{"LabelCurva", "Curva de ganho:", "Static Gain Curve"},
    Translation{"LabelAgarramento", "Agarramento:", "Stiction"},
    Translation{"CheckBox1", "Desativar Saturador", "Disable Saturator"},
    Translation{"btnatualiza", "Atualizar", "Refresh"},
    Translation{"SairButton", "Sair", "Exit"},
};

constexpr std::array kProcessTooltips{
    Translation{"EntradaSelect", "Selecionar variável de entrada", "Select Input Variable"},
    Translation{"GanhoText", "Ganho estático do processo", "Process Static Gain"},
    Translation{"TempoMorto", "Tempo morto (segundos)", "Dead Time(seconds)"},
    Translation{"ComboBox2", "Selecionar função de transferência", "Select Transfer Function"},
    Translation{"SairButton", "Sair", "Exit"},
    Translation{"SpeedButton1", "Ajuda", "Help"},
};

constexpr std::array kBlock{
    Translation{"LabelFuncao", "Função", "Function"},
    Translation{"GroupBox1", "Limites:", "Limits"},
    Translation{"LabelSaidaValor", "Saída:", "Output:"},
    Translation{"btnatualiza", "Atualizar", "Refresh"},
    Translation{"SairButton", "Sair", "Exit"},
};

constexpr std::array kBlockTooltips{
    Translation{"FuncaoTr", "Expressão matemática do cálculo", "Math expression for calculation"},
    Translation{"LimSupText", "Limite superior para saída", "Output Upper Limit"},
    Translation{"LimInfText", "Limite inferior para saída", "Output Lower Limit"},
    Translation{"SairButton", "Sair", "Exit"},
    Translation{"SpeedButton1", "Ajuda", "Help"},
};

constexpr std::array kGenerators{
    Translation{"Button1", "Atualiza", "Refresh"},
    Translation{"SairButton", "Sair", "Exit"},
};

constexpr std::array kGeneratorsTooltips{
    Translation{"SpeedButton1", "Ajuda", "Help"},
};

constexpr std::array kVariableList{
    Translation{"LabelListaVar", "Variáveis de Processo", "Process Variables"},
    Translation{"LabelListaVar2", "Sinais de Controle", "Control Signals"},
    Translation{"SpeedButton1", "Atualiza", "Refresh"},
    Translation{"SpeedButton2", "Sair", "Exit"},
};

constexpr std::array kVariableListTooltips{
    Translation{"SpeedButton3", "Ajuda", "Help"},
};

}  // namespace

std::span<const Translation> ProcessTexts() { return kProcess; }
std::span<const Translation> ProcessTooltips() { return kProcessTooltips; }

QStringList TransferFunctionKindItems(bool english) {
    if (english)
        return {"1st/2nd order (overdumped)", "2nd order (underdumped)", "Lead-Lag Filter", "Integrator"};
    return {"Ordem 2 Sobreamortecido", "Ordem 2 Subamortecido", "Filtro LEAD-LAG", "Integrador"};
}

QStringList ValveCurveItems(bool english) {
    if (english) return {"Linear", "Quick Open Curve", "Equal-Percentage Curve", "S1 Curve", "S2 Curve"};
    return {"Linear", "Curva Abertura Rápida", "Curva Igual Porcentagem", "Curva S1", "Curva S2"};
}

QString ProcessTitle(bool english) { return english ? QStringLiteral("Process") : QStringLiteral("Processo"); }

std::span<const Translation> BlockTexts() { return kBlock; }
std::span<const Translation> BlockTooltips() { return kBlockTooltips; }

QString BlockTitle(bool english) {
    return english ? QStringLiteral("Calculations Block") : QStringLiteral("Bloco de Cálculo");
}

std::span<const Translation> GeneratorsTexts() { return kGenerators; }
std::span<const Translation> GeneratorsTooltips() { return kGeneratorsTooltips; }

QStringList GeneratorKindItems(bool english) {
    if (english)
        return {"Constant 0-100", "Constant 0-1",      "Fast Random", "Medium Random", "Slow Random",
                "Sinusoidal signal", "Random Walk", "Equation",    "LN()",          "Exp()"};
    return {"Constante 0-100", "Constante 0-1", "Aleatório Rápido", "Aleatório Médio", "Aleatório Lento",
            "Sinal Senoidal",  "Random Walk",   "Equação",          "LN()",            "Exp()"};
}

QString GeneratorsTitle(bool english) {
    return english ? QStringLiteral("Signals Generator") : QStringLiteral("Gerador de Sinais");
}

std::span<const Translation> VariableListTexts() { return kVariableList; }
std::span<const Translation> VariableListTooltips() { return kVariableListTooltips; }

QString VariableListTitle(bool english) {
    return english ? QStringLiteral("Variable List") : QStringLiteral("Lista de Variáveis");
}

}  // namespace kivo::ui
