#include "ui/i18n/TraducoesObjetos.h"

#include <array>

namespace kivo::ui {
namespace {

// Captions that read the same in both languages ("Tag:", "Tal1(seg):" ...)
// are not listed.
constexpr std::array kProcesso{
    Traducao{"LabelEntrada", "Entrada:", "Input:"},
    Traducao{"LabelGanho", "Ganho:", "Gain:"},
    Traducao{"LabelTM", "TM(seg):", "DT(seg):"},
    Traducao{"LabelTipo", "Tipo F.T.:", "FT Type:"},
    Traducao{"LabelEntradaPct", "Entrada (%):", "Input(%):"},
    Traducao{"LabelAtuadorPct", "Posição Atuador(%):", "Actuator Position(%):"},
    Traducao{"LabelSaidaPct", "Saída(%):", "Output(%):"},
    Traducao{"LabelHisterese", "Histerese:", "Hysteresis:"},
    Traducao{"GroupPVC", "Ordem 2 Sobreamortecido", "1st/2nd order (overdumped)"},
    Traducao{"GroupOrdem2", "Ordem 2 (sub)", "2nd order (underdumped)"},
    Traducao{"GroupLEADLAG", "Filtro LEAD-LAG", "Lead-Lag Filter"},
    Traducao{"GroupBox2", "Integrador", "Integrator process"},
    Traducao{"LabelNC", "Num. Ciclos:", "Visible cycles:"},
    Traducao{"LabelPeriodo", "Período(seg):", "Period(seg):"},
    Traducao{"LabelValorInicial", "Valor Inicial(%):", "Initial Value(%):"},
    Traducao{"GroupNaoLinear", "Características não lineares", "Nonlinearities characteristics"},
    Traducao{"LabelCurva", "Curva de ganho:", "Static Gain Curve"},
    Traducao{"LabelAgarramento", "Agarramento:", "Stiction"},
    Traducao{"CheckBox1", "Desativar Saturador", "Disable Saturator"},
    Traducao{"btnatualiza", "Atualizar", "Refresh"},
    Traducao{"SairButton", "Sair", "Exit"},
};

constexpr std::array kDicasProcesso{
    Traducao{"EntradaSelect", "Selecionar variável de entrada", "Select Input Variable"},
    Traducao{"GanhoText", "Ganho estático do processo", "Process Static Gain"},
    Traducao{"TempoMorto", "Tempo morto (segundos)", "Dead Time(seconds)"},
    Traducao{"ComboBox2", "Selecionar função de transferência", "Select Transfer Function"},
    Traducao{"SairButton", "Sair", "Exit"},
    Traducao{"SpeedButton1", "Ajuda", "Help"},
};

constexpr std::array kBloco{
    Traducao{"LabelFuncao", "Função", "Function"},
    Traducao{"GroupBox1", "Limites:", "Limits"},
    Traducao{"LabelSaidaValor", "Saída:", "Output:"},
    Traducao{"btnatualiza", "Atualizar", "Refresh"},
    Traducao{"SairButton", "Sair", "Exit"},
};

constexpr std::array kDicasBloco{
    Traducao{"FuncaoTr", "Expressão matemática do cálculo", "Math expression for calculation"},
    Traducao{"LimSupText", "Limite superior para saída", "Output Upper Limit"},
    Traducao{"LimInfText", "Limite inferior para saída", "Output Lower Limit"},
    Traducao{"SairButton", "Sair", "Exit"},
    Traducao{"SpeedButton1", "Ajuda", "Help"},
};

constexpr std::array kGeradores{
    Traducao{"Button1", "Atualiza", "Refresh"},
    Traducao{"SairButton", "Sair", "Exit"},
};

constexpr std::array kDicasGeradores{
    Traducao{"SpeedButton1", "Ajuda", "Help"},
};

constexpr std::array kVariaveis{
    Traducao{"LabelListaVar", "Variáveis de Processo", "Process Variables"},
    Traducao{"LabelListaVar2", "Sinais de Controle", "Control Signals"},
    Traducao{"SpeedButton1", "Atualiza", "Refresh"},
    Traducao{"SpeedButton2", "Sair", "Exit"},
};

constexpr std::array kDicasVariaveis{
    Traducao{"SpeedButton3", "Ajuda", "Help"},
};

}  // namespace

std::span<const Traducao> TextosProcesso() { return kProcesso; }
std::span<const Traducao> DicasProcesso() { return kDicasProcesso; }

QStringList ItensTipoFT(bool ingles) {
    if (ingles)
        return {"1st/2nd order (overdumped)", "2nd order (underdumped)", "Lead-Lag Filter", "Integrator"};
    return {"Ordem 2 Sobreamortecido", "Ordem 2 Subamortecido", "Filtro LEAD-LAG", "Integrador"};
}

QStringList ItensCurvaValvula(bool ingles) {
    if (ingles) return {"Linear", "Quick Open Curve", "Equal-Percentage Curve", "S1 Curve", "S2 Curve"};
    return {"Linear", "Curva Abertura Rápida", "Curva Igual Porcentagem", "Curva S1", "Curva S2"};
}

QString TituloProcesso(bool ingles) { return ingles ? QStringLiteral("Process") : QStringLiteral("Processo"); }

std::span<const Traducao> TextosBloco() { return kBloco; }
std::span<const Traducao> DicasBloco() { return kDicasBloco; }

QString TituloBloco(bool ingles) {
    return ingles ? QStringLiteral("Calculations Block") : QStringLiteral("Bloco de Cálculo");
}

std::span<const Traducao> TextosGeradores() { return kGeradores; }
std::span<const Traducao> DicasGeradores() { return kDicasGeradores; }

QStringList ItensTipoGerador(bool ingles) {
    if (ingles)
        return {"Constant 0-100", "Constant 0-1",      "Fast Random", "Medium Random", "Slow Random",
                "Sinusoidal signal", "Random Walk", "Equation",    "LN()",          "Exp()"};
    return {"Constante 0-100", "Constante 0-1", "Aleatório Rápido", "Aleatório Médio", "Aleatório Lento",
            "Sinal Senoidal",  "Random Walk",   "Equação",          "LN()",            "Exp()"};
}

QString TituloGeradores(bool ingles) {
    return ingles ? QStringLiteral("Signals Generator") : QStringLiteral("Gerador de Sinais");
}

std::span<const Traducao> TextosVariaveis() { return kVariaveis; }
std::span<const Traducao> DicasVariaveis() { return kDicasVariaveis; }

QString TituloVariaveis(bool ingles) {
    return ingles ? QStringLiteral("Variable List") : QStringLiteral("Lista de Variáveis");
}

}  // namespace kivo::ui
