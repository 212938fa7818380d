#include "ui/i18n/TextosSintonia.h"

#include <array>

namespace kivo::ui {
namespace {

// Controls without a caption carry their hint as accessible name.
constexpr std::array kSintonia{
    TextoControle{"DadosGroup", "Dados do teste em degrau", "Step test data", nullptr, nullptr},
    TextoControle{"LabelFonte", "Origem:", "Source:", nullptr, nullptr},
    TextoControle{"FonteCombo", nullptr, nullptr,
                  "Origem dos dados: a tendência do controlador, um arquivo ou um teste em degrau simulado numa cópia "
                  "da planta",
                  "Data source: the controller's trend, a file, or a step test simulated on a copy of the plant"},
    TextoControle{"ArquivoText", nullptr, nullptr,
                  "Arquivo: teste em degrau (CSV), registro do controlador ou do registrador, ou histórico .txd",
                  "File: step test (CSV), controller or recorder log, or .txd archive"},
    TextoControle{"ArquivoBTN", "...", "...", "Escolher o arquivo", "Choose the file"},
    TextoControle{"LabelEnderecoMV", "MV: M", "MV: M", nullptr, nullptr},
    TextoControle{"EnderecoMV", nullptr, nullptr, "Endereço da MV no histórico .txd",
                  "MV address in the .txd archive"},
    TextoControle{"LabelEnderecoPV", "PV: M", "PV: M", nullptr, nullptr},
    TextoControle{"EnderecoPV", nullptr, nullptr, "Endereço da PV no histórico .txd",
                  "PV address in the .txd archive"},
    TextoControle{"LabelDegrauSim", "Degrau (%):", "Step (%):", nullptr, nullptr},
    TextoControle{"DegrauSimText", nullptr, nullptr,
                  "Degrau da saída do controlador no teste simulado, em % (negativo: para baixo)",
                  "Step of the controller output in the simulated test, in % (negative: downwards)"},
    TextoControle{"LabelDuracaoSim", "Duração (s):", "Duration (s):", nullptr, nullptr},
    TextoControle{"DuracaoSimText", nullptr, nullptr,
                  "Tempo registrado após o degrau no teste simulado; vazio: o dobro do tempo de acomodação da PV, de "
                  "60 a 900 s (a planta em execução não é alterada)",
                  "Time recorded after the step in the simulated test; empty: twice the PV's settling time, 60 to "
                  "900 s (the running plant is left alone)"},
    TextoControle{"LerBTN", "Ler dados", "Read data", "Ler os dados, achar o degrau e identificar o processo",
                  "Read the data, find the step and identify the process"},
    TextoControle{"DadosGrafico", nullptr, nullptr, "MV, PV e a resposta do modelo ajustado",
                  "MV, PV and the fitted model's response"},
    TextoControle{"DegrauGroup", "Degrau", "Step", nullptr, nullptr},
    TextoControle{"LabelInicio", "Início (s):", "Start (s):", nullptr, nullptr},
    TextoControle{"InicioSpin", nullptr, nullptr, "Início do trecho usado na identificação",
                  "Start of the stretch used for identification"},
    TextoControle{"LabelDegrau", "Degrau (s):", "Step at (s):", nullptr, nullptr},
    TextoControle{"DegrauSpin", nullptr, nullptr, "Instante do degrau de MV", "Time of the MV step"},
    TextoControle{"LabelFim", "Fim (s):", "End (s):", nullptr, nullptr},
    TextoControle{"FimSpin", nullptr, nullptr, "Fim do trecho usado na identificação",
                  "End of the stretch used for identification"},
    TextoControle{"IdentificarBTN", "Identificar", "Identify", "Identificar o processo no trecho marcado",
                  "Identify the process over the marked stretch"},
    TextoControle{"ModeloGroup", "Modelo do processo", "Process model", nullptr, nullptr},
    TextoControle{"LabelModelo", "Usar:", "Use:", nullptr, nullptr},
    TextoControle{"ModeloCombo", nullptr, nullptr, "Modelo usado pelas regras de sintonia",
                  "Model used by the tuning rules"},
    TextoControle{"ModelosTabela", nullptr, nullptr,
                  "Parâmetros dos modelos ajustados; resíduo: erro RMS sobre a variação da PV",
                  "Parameters of the fitted models; residual: RMS misfit over the PV change"},
    TextoControle{"LabelDirecao", nullptr, nullptr,
                  "Tipo de processo pelo sinal do ganho do modelo; Aplicar o leva à área de configuração",
                  "Process direction from the sign of the model's gain; Apply takes it to the configuration area"},
    TextoControle{"LabelTc", "τc SIMC (s):", "τc SIMC (s):", nullptr, nullptr},
    TextoControle{"TcText", nullptr, nullptr,
                  "Constante de tempo de malha fechada da regra SIMC (vazio: o tempo morto do modelo que a regra usa; "
                  "Enter recalcula)",
                  "Closed-loop time constant of the SIMC rule (empty: the dead time of the model the rule works on; "
                  "Enter recomputes)"},
    TextoControle{"LabelLambda", "λ IMC (s):", "λ IMC (s):", nullptr, nullptr},
    TextoControle{"LambdaText", nullptr, nullptr,
                  "Lambda da regra IMC (vazio: o padrão da regra; Enter recalcula)",
                  "Lambda of the IMC rule (empty: the rule's default; Enter recomputes)"},
    TextoControle{"RegrasGroup", "Regras de sintonia", "Tuning rules", nullptr, nullptr},
    TextoControle{"RegrasTabela", nullptr, nullptr,
                  "Sintonias propostas e índices previstos com o modelo (degrau de SP e de carga)",
                  "Proposed settings and the indices predicted with the model (setpoint and load steps)"},
    TextoControle{"PainelIndices", "Índices de Desempenho", "Performance Indices", nullptr, nullptr},
    TextoControle{"RespostaAbas", nullptr, nullptr, "Resposta prevista da sintonia selecionada",
                  "Predicted response of the selected setting"},
    TextoControle{"RespostaSP", nullptr, nullptr, "Resposta prevista a um degrau de SP",
                  "Predicted response to a setpoint step"},
    TextoControle{"RespostaCarga", nullptr, nullptr, "Resposta prevista a um degrau de carga",
                  "Predicted response to a load step"},
    TextoControle{"Progresso", nullptr, nullptr, "Progresso da previsão", "Prediction progress"},
    TextoControle{"MensagemSintonia", nullptr, nullptr, "Mensagem", "Message"},
    TextoControle{"AplicarBTN", "Aplicar", "Apply",
                  "Copiar Kc, Ti, Td e o tipo de processo para a área de configuração (valem após Atualizar)",
                  "Copy Kc, Ti, Td and the process direction into the configuration area (used after Refresh)"},
    TextoControle{"FecharBTN", "Fechar", "Close", nullptr, nullptr},
};

QString T(bool ingles, const char* pt, const char* en) { return QString::fromUtf8(ingles ? en : pt); }

}  // namespace

std::span<const TextoControle> TextosSintonia() { return kSintonia; }

QString TituloSintonia(const QString& tag, bool ingles) {
    return T(ingles, "Sintonia", "Tuning") + (tag.isEmpty() ? QString() : QStringLiteral(" - ") + tag);
}

QStringList ItensFonte(bool ingles) {
    return {T(ingles, "Tendência do controlador", "Controller trend"), T(ingles, "Arquivo", "File"),
            T(ingles, "Teste em degrau simulado", "Simulated step test")};
}

QStringList ItensModelo(bool ingles) {
    return {T(ingles, "1ª ordem + tempo morto (FOPDT)", "First order + dead time (FOPDT)"),
            T(ingles, "2ª ordem + tempo morto (SOPDT)", "Second order + dead time (SOPDT)"),
            T(ingles, "Integrador + tempo morto (IPDT)", "Integrator + dead time (IPDT)"),
            T(ingles, "O melhor ajuste", "The best fit")};
}

QStringList ColunasModelos(bool ingles) {
    return {T(ingles, "Modelo", "Model"), QStringLiteral("K"), QStringLiteral("τ1 (s)"), QStringLiteral("τ2 (s)"),
            QStringLiteral("θ (s)"), T(ingles, "Resíduo", "Residual")};
}

QStringList ColunasRegras(bool ingles) {
    return {T(ingles, "Regra", "Rule"),
            T(ingles, "Ações", "Actions"),
            QStringLiteral("Kc"),
            QStringLiteral("Ti (s)"),
            QStringLiteral("Td (s)"),
            QStringLiteral("τc/λ (s)"),
            T(ingles, "IEMA\ndegrau SP", "Abs. error\nSP step"),
            T(ingles, "Excursão CO\ndegrau SP", "CO travel\nSP step"),
            T(ingles, "IEMA\ndegrau carga", "Abs. error\nload step")};
}

QString TextoDirecao(int acao, bool ingles) {
    return acao == 1 ? T(ingles, "Tipo Processo: Resposta Direta", "Process Direction: Direct response")
                     : T(ingles, "Tipo Processo: Resposta Reversa", "Process Direction: Reverse response");
}

QString TituloDegrauSP(bool ingles) { return T(ingles, "Degrau de SP", "Setpoint step"); }
QString TituloDegrauCarga(bool ingles) { return T(ingles, "Degrau de carga", "Load step"); }
QString TituloIndicesPrevistos(double janela, bool ingles) {
    return T(ingles, "Índices de Desempenho previstos (janela de %1 s)", "Predicted Performance Indices (%1 s window)")
        .arg(janela, 0, 'f', 0);
}

QString LegendaModelo(bool ingles) { return T(ingles, "Modelo", "Model"); }
QString LegendaDegrau(bool ingles) { return T(ingles, "Degrau", "Step"); }

QString TituloArquivoSerie(bool ingles) { return T(ingles, "Dados do teste em degrau", "Step test data"); }

QString FiltroArquivoSerie(bool ingles) {
    return T(ingles, "Dados (*.csv *.txt *.txd);;Todos os arquivos (*)", "Data (*.csv *.txt *.txd);;All files (*)");
}

QString TempoInvalido(const QString& campo, bool ingles) {
    return T(ingles, "%1: é preciso um número positivo de segundos.", "%1: a positive number of seconds is needed.")
        .arg(campo);
}

QString DicaBaseTempo(bool ingles) {
    return T(ingles,
             "A tendência guarda 450 amostras: escolha uma base de tempo maior no controlador e repita o degrau.",
             "The trend keeps 450 samples: choose a longer time base on the controller and repeat the step.");
}

QString DuracaoAutomatica(bool ingles) { return T(ingles, "automática", "automatic"); }

QString AvisoSemRepouso(double segundos, bool ingles) {
    return T(ingles,
             "A PV não chegou ao repouso em %1 s de simulação (processo integrador?): o degrau foi dado assim mesmo.",
             "The PV did not come to rest in %1 s of simulation (an integrating process?): stepped anyway.")
        .arg(segundos, 0, 'f', 0);
}

QString TextoForaDaFaixa(bool ingles) { return T(ingles, "diverge", "diverges"); }
QString PadraoTc(bool ingles) { return T(ingles, "θ (padrão)", "θ (default)"); }
QString PadraoLambda(bool ingles) { return T(ingles, "padrão", "default"); }
QString MarcaMelhor(bool ingles) { return T(ingles, " (melhor)", " (best)"); }

}  // namespace kivo::ui
