#include "ui/i18n/Examples.h"

#include <array>

namespace kivo::ui {
namespace {

// A heading stands on its own line, followed by an empty line.
constexpr std::array kExamples{
    Example{0, "sim18", "Vazão em Duto", "Basic flow loop", "\\examples\\basic flow loop\\basic flow loop.smp",
            "Controle retroalimentado\n\nResposta a variação no SP e variação de carga.",
            "Feedback control\n\nLoad and SP-Change response",
            "Resposta de malha de controle de vazão a variação em SP e variação de carga."},
    Example{0, "sim17", "Tubulação com By-pass", "Pipeline with Bypass",
            "\\examples\\course-fine flow loop\\course-fine flow loop.smp",
            "Controle \"Grosso-Fino\".\n\nMelhoria de rangeabilidade e resolução em malha de vazão com acionamento "
            "simultâneo de duas válvulas.",
            "Coarse-Fine Control\n\nResolution and rangeability improvement in flow loop with coarse-valve and "
            "fine-valve manipulation",
            "Melhoria de rangeabilidade e resolução em malha de vazão com controle grosso-fino"},
    Example{0, "sim8", "Pressão Header e 3 Consumidores", "Header pressure with 3 consumers",
            "\\examples\\header pressure with 3 consumers\\header pressure with 3 consumers.smp",
            "Desacoplamento de malhas consumidoras com regulação de pressão no header (cabeçote de linha).",
            "Decoupling of line consumers with tight header pressure regulation",
            "Desacoplamento de malhas consumidoras com regulação de pressão no header (cabeçote de linha)."},
    Example{0, "sim9", "Processos Não Lineares", "Nonlinear processes",
            "\\examples\\nonlinear flow processes\\nonlinear flow processes.smp",
            "Simulação de processos operando com agarramento, histerese e curva não-linear em válvulas e limitador "
            "de aceleração em variador de velocidade",
            "Simulation of processes operating with stiction, hysteresis and non-linear curve valves and limited "
            "variable speed acceleration",
            "Simulação de processos operando com agarramento, histerese e curva não-linear em válvulas e limitador "
            "de aceleração em variador de velocidade"},
    Example{1, "sim5", "Tanque com Regulação de Nível", "Regulatory level",
            "\\examples\\regulatory level\\regulatory level.smp",
            "Controle regulatório em processo integrador\n\nManipulação de bomba com variador de velocidade "
            "não-linear (limitação de aceleração)",
            "Regulatory control in tank with nonlinear variable speed pump", ""},
    Example{1, "sim6", "Tanque Pulmão", "Surge Tank", "\\examples\\surge tank\\surge tank.smp",
            "Controle médio do nível em caixa de absorção de carga", "Average Level Control applied in surge tank", ""},
    Example{2, "sim11", "Trocador de Calor", "Heat exchanger", "\\examples\\heat exchanger\\heatexchanger.smp",
            "Compensação Direta\n\nControle de temperatura em trocador de calor com compensação direta da "
            "temperatura de chegada.",
            "Temperature control in heat exchanger with feedforward compensation on inflow temperature measure.", ""},
    Example{2, "sim14", "Reator com Jaqueta", "Split range control", "\\examples\\splitrange control\\splitrange.smp",
            "Controle com Divisão de Faixa\n\nDivisão de faixa na saída do controlador de temperatura em reator com "
            "jaqueta de esfriamento e aquecimento",
            "Split range calculation on controller output of a reactor with heating and cooling valves.", ""},
    Example{2, "sim12", "Forno Tubular", "Furnace Temperature", "\\examples\\furnace\\furnace.smp",
            "Controle retroalimentado\n\nResposta a variação de SP e distúrbio em degrau (abertura de porta). "
            "Aplicação de filtro no transmissor para uso de ação derivativa.",
            "Feedback control and noisy filtering for derivative action", ""},
    Example{2, "sim13", "Forno Tubular II", "Furnace Temperature(Master-Slave)",
            "\\examples\\furnace masterslave\\furnace.smp",
            "Controle Mestre-Escravo\n\nElo interno para compensação de distúrbios na vazão. Resposta a variação de "
            "SP e distúrbio em degrau (abertura de porta).",
            "Uses of internal feedback (cascaded loop) for flow regulation", ""},
    Example{3, "sim10", "Reator", "Reactor", "\\examples\\reactor\\reactor.smp",
            "Controle de nível, temperatura e vazão de reator com elo interno e compensação direta.",
            "Level, temperature and flow control of reactor using internal loop and feed forward control.", ""},
    Example{3, "sim15", "Planta de resfriamento", "Cooling plant", "\\examples\\coolingplant\\coolingplant.smp",
            "Resfriamento de gás com controle de nível, pressão e temperatura.",
            "Gas cooling with level, pressure and temperature control.", ""},
    Example{3, "sim16", "Torre deetanizadora", "Ethane extraction plant", "\\examples\\ethaneplant\\ethaneplant.smp",
            "Controle-médio de nível em vaso separador; controle de temperatura e nível de condensado com elo "
            "interno e compensação direta; controle de pressão de topo.",
            "Average Level of surge vessel; temperature and level control of condensate with cascade and "
            "feedforward links; gas pressure control.",
            ""},
    Example{3, "sim1", "Caldeira industrial", "Industrial Boiler", "\\examples\\boiler\\boiler.smp",
            "Controle de nível do tubulão a três elementos; Controle de combustão com limites cruzados; Controle de "
            "temperatura e vazão do vapor",
            "Cascade, FeedForward and Boiler Level Control (3-element control); Cross Limits Ratio control for "
            "combustion; Steam temperature and pressure control",
            ""},
    Example{4, "sim3a", "Razão Ar/Gas básico", "Basic Ratio Control", "\\examples\\combustion\\ratio.smp",
            "Controle da relação Ar/Gas apenas com definição dos SP's. Não há proteção contra excesso de gas.",
            "Application of basic ratio control (no protection against excess gas)", ""},
    Example{4, "sim3b", "Razão Ar/Gás com Limites Cruzados", "Ratio Control with Crossed Limits",
            "\\examples\\combustion\\cl.smp",
            "Controle da relação Ar/Gas com aplicação de limites cruzados simples para segurança contra excesso de "
            "gás.",
            "Application of single crossed limits for security against excess gas", ""},
    Example{4, "sim3c", "Razão Ar/Gás com Duplo Limites Cruzados", "Ratio Control with Double Crossed Limits",
            "\\examples\\combustion\\dcl.smp",
            "Controle da relação Ar/Gas com aplicação de limites cruzados duplos para segurança contra excesso de "
            "gás e manutenção da relação estequiométrica.",
            "Application of double crossed limits for security against excess gas and air", ""},
    Example{4, "sim3d", "Queima com 2 combustíveis", "Combustion with two fuels",
            "\\examples\\combustion2fuels\\combustion2fuels.smp",
            "Controle da relação Ar/Gas com aplicação de dois combustíveis sendo um preferencial (barato, porém com "
            "disponibilidade limitada) e outro complementar.",
            "Ratio control with a preferred, limited fuel and a complementary fuel", ""},
    Example{5, "sim4", "Condutividade Linearizado", "Linearized conductivity control",
            "\\examples\\Linearized pH control\\pHcontrol.smp",
            "Controle de condutividade em processo não-linear de lixiviação. Uso de linearizador.",
            "Conductivity control of a non-linear leaching process. Application of characterizer", ""},
    Example{5, "sim7", "Preditor de Smith", "Smith predictor", "\\examples\\smith predictor\\smithpredictor.smp",
            "Uso de compensação de tempo morto em processo com enorme atraso de transporte",
            "Use of dead time compensation for process with great transport delay", ""},
    Example{5, "sim2", "4 Processos para Modelagem", "4 Processes for Modelling",
            "\\examples\\processes to model\\4processes.smp",
            "Processos com dinâmicas variadas (ordem 1, 2 subamortecido, 4 e integrador) para estudos sobre "
            "técnicas de modelagem.",
            "Processes with different structures for modeling exercises", ""},
    Example{5, "sim19", "Resposta em Frequência", "Frequency Response",
            "\\examples\\frequency response\\frequencyresponse.smp",
            "Simulação de uma malha de vazão submetida a SP e distúrbio com perfil senoidal.",
            "Flow loop simulation with variable sinusoidal SP and load changes.", ""},
};

}  // namespace

std::span<const Example> Examples() { return kExamples; }

QStringList ExamplePages(bool english) {
    if (english) return {"Flow/Pressure", "Level Control", "Temperature", "Multiloop", "Combustion", "Others"};
    return {"Vazão/Pressão", "Nível (integrador)", "Temperatura", "Multimalha", "Combustão", "Outros"};
}

}  // namespace kivo::ui
