#include "ui/i18n/TuningTexts.h"

#include <array>

namespace kivo::ui {
namespace {

// Controls without a caption carry their hint as accessible name.
constexpr std::array kTuning{
    ControlText{"DadosGroup", "Dados do teste em degrau", "Step test data", nullptr, nullptr},
    ControlText{"LabelFonte", "Origem:", "Source:", nullptr, nullptr},
    ControlText{"FonteCombo", nullptr, nullptr,
                  "Origem dos dados: a tendência do controlador, um arquivo, ou um teste em degrau ou de relé simulado "
                  "numa cópia da planta",
                  "Data source: the controller's trend, a file, or a step or relay test simulated on a copy of the "
                  "plant"},
    ControlText{"ArquivoText", nullptr, nullptr,
                  "Arquivo: teste em degrau (CSV), registro do controlador ou do registrador, ou histórico .txd",
                  "File: step test (CSV), controller or recorder log, or .txd archive"},
    ControlText{"ArquivoBTN", "...", "...", "Escolher o arquivo", "Choose the file"},
    ControlText{"LabelEnderecoMV", "MV: M", "MV: M", nullptr, nullptr},
    ControlText{"EnderecoMV", nullptr, nullptr, "Endereço da MV no histórico .txd",
                  "MV address in the .txd archive"},
    ControlText{"LabelEnderecoPV", "PV: M", "PV: M", nullptr, nullptr},
    ControlText{"EnderecoPV", nullptr, nullptr, "Endereço da PV no histórico .txd",
                  "PV address in the .txd archive"},
    ControlText{"LabelDegrauSim", "Degrau (%):", "Step (%):", nullptr, nullptr},
    ControlText{"DegrauSimText", nullptr, nullptr,
                  "Degrau da saída do controlador no teste simulado, em % (negativo: para baixo)",
                  "Step of the controller output in the simulated test, in % (negative: downwards)"},
    ControlText{"LabelDuracaoSim", "Duração (s):", "Duration (s):", nullptr, nullptr},
    ControlText{"DuracaoSimText", nullptr, nullptr,
                  "Tempo registrado após o degrau no teste simulado; vazio: o dobro do tempo de acomodação da PV, de "
                  "60 a 900 s (a planta em execução não é alterada)",
                  "Time recorded after the step in the simulated test; empty: twice the PV's settling time, 60 to "
                  "900 s (the running plant is left alone)"},
    ControlText{"LabelAmplitudeRele", "Relé ± (%):", "Relay ± (%):", nullptr, nullptr},
    ControlText{"AmplitudeReleText", nullptr, nullptr,
                  "Amplitude do relé em torno da saída em repouso, em %; vazio: escolhida pelo ruído, 5 % (menos onde "
                  "os limites da saída não deixam espaço), aumentada enquanto um ciclo move a PV menos que 3 "
                  "histereses",
                  "The relay's swing around the output at rest, in %; empty: chosen from the noise, 5 % (less where "
                  "the output's limits leave no room), raised while a cycle swings the PV by less than 3 hystereses"},
    ControlText{"LabelHistereseRele", "Histerese (%):", "Hysteresis (%):", nullptr, nullptr},
    ControlText{"HistereseReleText", nullptr, nullptr,
                  "Erro além do qual o relé comuta, em %; vazio: três desvios padrão do ruído da PV em repouso (pelo "
                  "menos 0.05 %)",
                  "The error past which the relay switches, in %; empty: three standard deviations of the PV's noise "
                  "at rest (at least 0.05 %)"},
    ControlText{"CancelarReleBTN", "Cancelar teste", "Cancel test",
                  "Interromper o teste de relé na planta em operação e devolver a saída ao controlador",
                  "Stop the relay test on the running plant and hand the output back to the controller"},
    ControlText{"LerBTN", "Ler dados", "Read data", "Ler os dados, achar o degrau e identificar o processo",
                  "Read the data, find the step and identify the process"},
    ControlText{"DadosGrafico", nullptr, nullptr, "MV, PV e a resposta do modelo ajustado",
                  "MV, PV and the fitted model's response"},
    ControlText{"DegrauGroup", "Degrau", "Step", nullptr, nullptr},
    ControlText{"LabelInicio", "Início (s):", "Start (s):", nullptr, nullptr},
    ControlText{"InicioSpin", nullptr, nullptr, "Início do trecho usado na identificação",
                  "Start of the stretch used for identification"},
    ControlText{"LabelDegrau", "Degrau (s):", "Step at (s):", nullptr, nullptr},
    ControlText{"DegrauSpin", nullptr, nullptr, "Instante do degrau de MV", "Time of the MV step"},
    ControlText{"LabelFim", "Fim (s):", "End (s):", nullptr, nullptr},
    ControlText{"FimSpin", nullptr, nullptr, "Fim do trecho usado na identificação",
                  "End of the stretch used for identification"},
    ControlText{"IdentificarBTN", "Identificar", "Identify", "Identificar o processo no trecho marcado",
                  "Identify the process over the marked stretch"},
    ControlText{"ModeloGroup", "Modelo do processo", "Process model", nullptr, nullptr},
    ControlText{"LabelModelo", "Usar:", "Use:", nullptr, nullptr},
    ControlText{"ModeloCombo", nullptr, nullptr, "Modelo usado pelas regras de sintonia",
                  "Model used by the tuning rules"},
    ControlText{"ModelosTabela", nullptr, nullptr,
                  "Parâmetros dos modelos ajustados, cada um com seu intervalo de 95 %; RMS: o resíduo em % da faixa",
                  "Parameters of the fitted models, each with its 95 % interval; RMS: the residual in % of span"},
    ControlText{"LabelCriterio",
                  "Melhor ajuste: o menor BIC (critério de informação bayesiano), que cobra de cada parâmetro o ln do "
                  "número de amostras independentes; uma constante de tempo maior que 3 vezes o registro após o degrau "
                  "cede ao integrador.",
                  "Best fit: the lowest BIC (Bayesian information criterion), which charges each parameter the log of "
                  "the number of independent samples; a time constant beyond 3 times the record after the step gives "
                  "way to the integrator.",
                  nullptr, nullptr},
    ControlText{"AvisosModelo", nullptr, nullptr, "Avisos sobre o modelo usado", "Warnings on the model used"},
    ControlText{"LabelPontoUltimo", nullptr, nullptr, "Oscilação do teste de relé e ponto último do modelo",
                  "The relay test's oscillation and the model's ultimate point"},
    ControlText{"LabelDirecao", nullptr, nullptr,
                  "Tipo de processo pelo sinal do ganho do modelo; Aplicar o leva à área de configuração",
                  "Process direction from the sign of the model's gain; Apply takes it to the configuration area"},
    ControlText{"LabelTc", "τc SIMC (s):", "τc SIMC (s):", nullptr, nullptr},
    ControlText{"TcText", nullptr, nullptr,
                  "Constante de tempo de malha fechada da regra SIMC (vazio: o tempo morto do modelo que a regra usa; "
                  "Enter recalcula)",
                  "Closed-loop time constant of the SIMC rule (empty: the dead time of the model the rule works on; "
                  "Enter recomputes)"},
    ControlText{"LabelLambda", "λ IMC (s):", "λ IMC (s):", nullptr, nullptr},
    ControlText{"LambdaText", nullptr, nullptr,
                  "Lambda da regra IMC (vazio: o padrão da regra; Enter recalcula)",
                  "Lambda of the IMC rule (empty: the rule's default; Enter recomputes)"},
    ControlText{"RegrasGroup", "Regras de sintonia", "Tuning rules", nullptr, nullptr},
    ControlText{"RegrasTabela", nullptr, nullptr,
                  "Sintonias propostas, índices previstos com o modelo (degrau de SP e de carga) e robustez: margem de "
                  "ganho, margem de fase e Ms da resposta em frequência do modelo com seu tempo morto; entre "
                  "parênteses, o pior caso nos intervalos de 95 % do modelo",
                  "Proposed settings, the indices predicted with the model (setpoint and load steps) and robustness: "
                  "gain margin, phase margin and Ms from the frequency response of the model with its dead time; in "
                  "brackets, the worst over the model's 95 % intervals"},
    ControlText{"PainelIndices", "Índices de Desempenho", "Performance Indices", nullptr, nullptr},
    ControlText{"RespostaAbas", nullptr, nullptr, "Resposta prevista da sintonia selecionada",
                  "Predicted response of the selected setting"},
    ControlText{"RespostaSP", nullptr, nullptr, "Resposta prevista a um degrau de SP",
                  "Predicted response to a setpoint step"},
    ControlText{"RespostaCarga", nullptr, nullptr, "Resposta prevista a um degrau de carga",
                  "Predicted response to a load step"},
    ControlText{"Progresso", nullptr, nullptr, "Progresso da previsão", "Prediction progress"},
    ControlText{"MensagemSintonia", nullptr, nullptr, "Mensagem", "Message"},
    ControlText{"AplicarBTN", "Aplicar", "Apply",
                  "Copiar Kc, Ti, Td e o tipo de processo para a área de configuração (valem após Atualizar)",
                  "Copy Kc, Ti, Td and the process direction into the configuration area (used after Refresh)"},
    ControlText{"FecharBTN", "Fechar", "Close", nullptr, nullptr},
};

QString T(bool english, const char* pt, const char* en) { return QString::fromUtf8(english ? en : pt); }

}  // namespace

std::span<const ControlText> TuningTexts() { return kTuning; }

QString TuningTitle(const QString& tag, bool english) {
    return T(english, "Sintonia", "Tuning") + (tag.isEmpty() ? QString() : QStringLiteral(" - ") + tag);
}

QStringList SourceItems(bool english) {
    return {T(english, "Tendência do controlador", "Controller trend"), T(english, "Arquivo", "File"),
            T(english, "Teste em degrau simulado", "Simulated step test"),
            T(english, "Teste de relé simulado (em automático)", "Simulated relay test (in automatic)"),
            T(english, "Teste de relé na planta em operação", "Relay test on the running plant")};
}

QStringList ModelItems(bool english) {
    return {T(english, "1ª ordem + tempo morto (FOPDT)", "First order + dead time (FOPDT)"),
            T(english, "2ª ordem + tempo morto (SOPDT)", "Second order + dead time (SOPDT)"),
            T(english, "Integrador + tempo morto (IPDT)", "Integrator + dead time (IPDT)"),
            T(english, "O melhor ajuste", "The best fit")};
}

QStringList ModelColumns(bool english) {
    return {T(english, "Modelo", "Model"), QStringLiteral("K"), QStringLiteral("τ1 (s)"), QStringLiteral("τ2 (s)"),
            QStringLiteral("θ (s)"), QStringLiteral("RMS (%)")};
}

QStringList RuleColumns(bool english) {
    return {T(english, "Regra", "Rule"),
            T(english, "Ações", "Actions"),
            QStringLiteral("Kc"),
            QStringLiteral("Ti (s)"),
            QStringLiteral("Td (s)"),
            QStringLiteral("τc/λ (s)"),
            T(english, "IEMA\ndegrau SP", "Abs. error\nSP step"),
            T(english, "Excursão CO\ndegrau SP", "CO travel\nSP step"),
            T(english, "IEMA\ndegrau carga", "Abs. error\nload step"),
            T(english, "MG\n(pior)", "GM\n(worst)"),
            T(english, "MF (°)\n(pior)", "PM (°)\n(worst)"),
            T(english, "Ms\n(pior)", "Ms\n(worst)")};
}

QString DirectionText(int actionItem, bool english) {
    return actionItem == 1 ? T(english, "Tipo Processo: Resposta Direta", "Process Direction: Direct response")
                     : T(english, "Tipo Processo: Resposta Reversa", "Process Direction: Reverse response");
}

QString SetpointStepTitle(bool english) { return T(english, "Degrau de SP", "Setpoint step"); }
QString LoadStepTitle(bool english) { return T(english, "Degrau de carga", "Load step"); }
QString PredictedIndicesTitle(double window, bool english) {
    return T(english, "Índices de Desempenho previstos (janela de %1 s)", "Predicted Performance Indices (%1 s window)")
        .arg(window, 0, 'f', 0);
}

QString ModelLegend(bool english) { return T(english, "Modelo", "Model"); }
QString StepLegend(bool english) { return T(english, "Degrau", "Step"); }

QString SeriesFileTitle(bool english) { return T(english, "Dados do teste em degrau", "Step test data"); }

QString SeriesFileFilter(bool english) {
    return T(english, "Dados (*.csv *.txt *.txd);;Todos os arquivos (*)", "Data (*.csv *.txt *.txd);;All files (*)");
}

QString InvalidTime(const QString& field, bool english) {
    return T(english, "%1: é preciso um número positivo de segundos.", "%1: a positive number of seconds is needed.")
        .arg(field);
}

QString TimeBaseHint(bool english) {
    return T(english,
             "A tendência guarda 450 amostras: escolha uma base de tempo maior no controlador e repita o degrau.",
             "The trend keeps 450 samples: choose a longer time base on the controller and repeat the step.");
}

QString AutomaticDuration(bool english) { return T(english, "automática", "automatic"); }

QString NotAtRestWarning(double seconds, bool english) {
    return T(english,
             "A PV não chegou ao repouso em %1 s de simulação (processo integrador?): o degrau foi dado assim mesmo.",
             "The PV did not come to rest in %1 s of simulation (an integrating process?): stepped anyway.")
        .arg(seconds, 0, 'f', 0);
}

QString RelayText(double period, double pvAmplitude, double ku, double pu, bool english) {
    return T(english, "Relé: período %1 s, amplitude da PV %2 %. Ponto último do modelo: Ku %3, Pu %4 s.",
             "Relay: period %1 s, PV amplitude %2 %. The model's ultimate point: Ku %3, Pu %4 s.")
        .arg(period, 0, 'g', 4)
        .arg(pvAmplitude, 0, 'g', 3)
        .arg(ku, 0, 'g', 4)
        .arg(pu, 0, 'g', 4);
}

QString LiveRelayStatus(int phase, int cycles, int total, double seconds, bool english) {
    const QString time = QString::number(seconds, 'f', 0);
    switch (phase) {
        case 0:
            return T(english, "Teste de relé: aguardando a PV em repouso (%1 s)",
                     "Relay test: waiting for the PV to rest (%1 s)")
                .arg(time);
        case 1:
            return T(english, "Teste de relé: registrando a malha em repouso (%1 s)",
                     "Relay test: recording the loop at rest (%1 s)")
                .arg(time);
        default:
            return T(english, "Teste de relé: ciclo %1 de %2 (%3 s); o controlador volta em automático ao fim",
                     "Relay test: cycle %1 of %2 (%3 s); the controller takes over in automatic at the end")
                .arg(cycles)
                .arg(total)
                .arg(time);
    }
}

QString RelayNotAtRestWarning(double seconds, bool english) {
    return T(english, "A PV não chegou ao repouso em %1 s de simulação: o relé começou assim mesmo.",
             "The PV did not come to rest in %1 s of simulation: the relay started anyway.")
        .arg(seconds, 0, 'f', 0);
}

QString OutOfRangeText(bool english) { return T(english, "diverge", "diverges"); }
QString UnstableText(bool english) { return T(english, "instável", "unstable"); }
QString DefaultTc(bool english) { return T(english, "θ (padrão)", "θ (default)"); }
QString DefaultLambda(bool english) { return T(english, "padrão", "default"); }
QString BestMark(bool english) { return T(english, " (melhor)", " (best)"); }

}  // namespace kivo::ui
