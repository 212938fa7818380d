#include "ui/i18n/TextosControlador.h"

#include <array>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

namespace kivo::ui {
namespace {

// Controls without a caption carry their hint as accessible name; edit
// fields take the hint of the label beside them.
constexpr std::array kFaceplate{
    // Faceplate
    TextoControle{"SPText", nullptr, nullptr, "Setpoint em unidades de engenharia (Enter aplica, Esc desfaz)",
                  "Setpoint in engineering units (Enter applies, Esc restores)"},
    TextoControle{"SPBar", nullptr, nullptr, "Setpoint (SP)", "Setpoint (SP)"},
    TextoControle{"SPRBar", nullptr, nullptr, "Setpoint Remoto (SPR)", "Remote Setpoint (SPR)"},
    TextoControle{"PVText", nullptr, nullptr, "Variável de Processo (Variável Controlada)",
                  "Process Variable (Controlled Variable)"},
    TextoControle{"PVBar", nullptr, nullptr, "Variável de Processo (Variável Controlada)",
                  "Process Variable (Controlled Variable)"},
    TextoControle{"MVText", nullptr, nullptr, "Saída do Controlador (Variável Manipulada)",
                  "Controller Output (Manipulated Variable)"},
    TextoControle{"COBar", nullptr, nullptr, "Saída do Controlador (Variável Manipulada)",
                  "Controller Output (Manipulated Variable)"},
    TextoControle{"IncrementaSP", nullptr, nullptr, "Aumentar SP em 1%", "Raise SP by 1%"},
    TextoControle{"DecrementaSP", nullptr, nullptr, "Diminuir SP em 1%", "Lower SP by 1%"},
    TextoControle{"IncrementaSaida", nullptr, nullptr, "Aumentar CO em 1%", "Raise CO by 1%"},
    TextoControle{"DecrementaSaida", nullptr, nullptr, "Diminuir CO em 1%", "Lower CO by 1%"},
    TextoControle{"Button2", "Enviar", "Send", nullptr, nullptr},
    TextoControle{"SaidaGroup", "Saída", "Output", nullptr, nullptr},
    TextoControle{"LocalRemotoBTN", "L/R", "L/R", "Selecionar origem do SP: L-> Local; R-> Remoto (cópia de SPR)",
                  "Select SP source: L-> Local; R-> Remote (copy from SPR)"},
    TextoControle{"AutoManualBTN", "A/M", "A/M",
                  "Selecionar modo de operação do controlador: A->Automático; M->Manual",
                  "Select Controller Operation Mode: A->Automatic Mode; M->Manual Mode"},
    TextoControle{"ConfigBTN", nullptr, nullptr, "Exibir/Ocultar Área de Configuração do Controlador",
                  "Show/Hide Controller Configuration Area"},
    TextoControle{"TrendButton", nullptr, nullptr, "Exibir/Ocultar Tendências", "Show/Hide Trends"},
    TextoControle{"SairBTN", "Sair", "Exit", nullptr, nullptr},
    TextoControle{"SpeedButton1", "?", "?", "Ajuda", "Help"},
    // Trend
    TextoControle{"Image1", nullptr, nullptr, "Tendência (clique com pausa: coordenadas; duplo clique: escala)",
                  "Trend (click while paused: coordinates; double click: scale)"},
    TextoControle{"PVCheck", "PV", "PV", nullptr, nullptr},
    TextoControle{"SPCheck", "SP", "SP", nullptr, nullptr},
    TextoControle{"COCheck", "CO", "CO", nullptr, nullptr},
    TextoControle{"AtuadorCheck", "Pos. Atuador", "Actuator Pos.", nullptr, nullptr},
    TextoControle{"LinhaGrossa", "Linha Grossa", "Strong Line", nullptr, nullptr},
    TextoControle{"SpeedButton2", nullptr, nullptr, "Pausar", "Pause Trend"},
    TextoControle{"SintoniaBTN", "Sintonia", "Tuning", "Identificar o processo por um teste em degrau e propor sintonias",
                  "Identify the process from a step test and propose settings"},
    TextoControle{"EscalaAuto", "Auto", "Auto", nullptr, nullptr},
    TextoControle{"eSupText", nullptr, nullptr, "Topo da escala da tendência (Enter aplica)",
                  "Trend scale top (Enter applies)"},
    TextoControle{"eInfText", nullptr, nullptr, "Base da escala da tendência (Enter aplica)",
                  "Trend scale bottom (Enter applies)"},
    TextoControle{"LabelBaseTempo", "Tempo: 1 divisão =", "1 division time=", nullptr, nullptr},
    TextoControle{"BaseTempoBox", nullptr, nullptr, "Tempo: 1 divisão =", "1 division time="},
    TextoControle{"CheckBox1", "Arquivar", "Archive", "Salvar novos dados em arquivo TXT", "Save data into TXT file"},
    TextoControle{"LabelArquivando", "Arquivando: TA=0.1 seg", "Saving 0.1 seg", nullptr, nullptr},
    TextoControle{"CheckBox2", "Salvar valores em Unid. de Eng.", "Uses Engineering Units", nullptr, nullptr},
    TextoControle{"CheckBox3", "Utilizar ',' como separador decimal", "Uses , as decimal separator", nullptr,
                  nullptr},
    // Configuration area
    TextoControle{"Identificacao", "Identificação", "Identification", nullptr, nullptr},
    TextoControle{"LabelTag", "Tag", "Tag", nullptr, nullptr},
    TextoControle{"TagText", nullptr, nullptr, "Tag", "Tag"},
    TextoControle{"LabelDesc", "Desc", "Desc", nullptr, nullptr},
    TextoControle{"Descricao", nullptr, nullptr, "Desc", "Desc"},
    TextoControle{"Parametros", "Parâmetros", "Parameters", nullptr, nullptr},
    TextoControle{"LabelKp", "Kc:", "Kc:", nullptr, nullptr},
    TextoControle{"KpText", nullptr, nullptr, "Ganho Proporcional (adimensional)", "Proportional Gain (dimensionless)"},
    TextoControle{"LabelKi", "Ti(seg):", "Ti(seg):", nullptr, nullptr},
    TextoControle{"KiText", nullptr, nullptr, "Tempo Integral (segundos)", "Reset Time(seconds)"},
    TextoControle{"LabelKd", "Td(seg):", "Td(seg):", nullptr, nullptr},
    TextoControle{"KdText", nullptr, nullptr, "Tempo Derivativo (segundos)", "Rate Time(seconds)"},
    TextoControle{"LabelBias", "Bias(%)", "Bias(%)", nullptr, nullptr},
    TextoControle{"BiasText", nullptr, nullptr, "Valor constante somado à saída do controlador",
                  "Constant value added to controller output"},
    TextoControle{"LabelA", "Fator SP (a):", "SP Factor(a):", nullptr, nullptr},
    TextoControle{"aText", nullptr, nullptr, "Peso do SP na ação proporcional (0 a 1)",
                  "SP weight on proportional action(0 to 1)"},
    TextoControle{"LabelTf", "Filtro D talF(s):", "D Filter talF(s):", nullptr, nullptr},
    TextoControle{"tfText", nullptr, nullptr, "Constante de tempo do filtro da ação derivativa",
                  "Filter time constant to smooth derivative action"},
    TextoControle{"PCHK", "P", "P", nullptr, nullptr},
    TextoControle{"ICHK", "I", "I", nullptr, nullptr},
    TextoControle{"DCHK", "D", "D", nullptr, nullptr},
    TextoControle{"LimitesSaida", "Limites de Saída", "Output Limits", nullptr, nullptr},
    TextoControle{"LabelCOmin", "CO Min.:", "CO Min.:", nullptr, nullptr},
    TextoControle{"COminText", nullptr, nullptr, "Limite inferior de CO", "CO low limit"},
    TextoControle{"LabelCOmax", "CO Max.:", "CO Max.:", nullptr, nullptr},
    TextoControle{"COmaxText", nullptr, nullptr, "Limite superior de CO", "CO high limit"},
    TextoControle{"Acaogroup", "Tipo Processo", "Process Direction",
                  "Resposta direta: um aumento de MV causa um aumento de PV; Resposta reversa: um aumento de MV "
                  "causa uma diminuição de PV",
                  "Direct response: A MV increase causes a PV increase; Reverse response: A MV increase causes a PV "
                  "decrease"},
    TextoControle{"Acaogroup0", "Resposta Reversa", "Reverse response", nullptr, nullptr},
    TextoControle{"Acaogroup1", "Resposta Direta", "Direct response", nullptr, nullptr},
    TextoControle{"EstruturaGroup", "Estrutura", "Structure", "Estrutura ISA: Kc multiplica todas as ações",
                  "ISA structure: Kc multiply all actions"},
    TextoControle{"EstruturaGroup0", "Paralela", "Parallel", nullptr, nullptr},
    TextoControle{"EstruturaGroup1", "ISA (mista)", "ISA (Ideal)", nullptr, nullptr},
    TextoControle{"DerivadaGroup", "Derivada", "Derivative Action", nullptr, nullptr},
    TextoControle{"DerivadaGroup0", "Sobre o Erro", "on error", nullptr, nullptr},
    TextoControle{"DerivadaGroup1", "Sobre a PV", "on PV", nullptr, nullptr},
    TextoControle{"LabelPV", "PV", "PV", nullptr, nullptr},
    TextoControle{"VariavelSelect", nullptr, nullptr, "Selecionar Variável de Processo", "Select Process Variable"},
    TextoControle{"CheckSPR", "SPR", "SPR", nullptr, nullptr},
    TextoControle{"SPRSelect", nullptr, nullptr, "Endereço do Setpoint Remoto", "Remote Setpoint Address"},
    TextoControle{"FFwSelect", "FF", "FF", nullptr, nullptr},
    TextoControle{"FFwEquation", nullptr, nullptr, "Expressão matemática do bias dinâmico (ação FeedForward)",
                  "Math expression to calc dynamic bias(FeedForward action)"},
    TextoControle{"BackMVCheck", "End. p/ Realim.de MV:", "Slave MV Address:", nullptr, nullptr},
    TextoControle{"BackMV", nullptr, nullptr, "End. p/ Realim.de MV:", "Slave MV Address:"},
    TextoControle{"Escala", "Escala", "Scale", nullptr, nullptr},
    TextoControle{"LabelInicio", "Início", "Begin:", nullptr, nullptr},
    TextoControle{"InicioEscala", nullptr, nullptr, "Início", "Begin:"},
    TextoControle{"LabelFim", "Final", "End:", nullptr, nullptr},
    TextoControle{"FimEscala", nullptr, nullptr, "Final", "End:"},
    TextoControle{"LabelUnid", "Unid.", "Unit:", nullptr, nullptr},
    TextoControle{"UnidEng", nullptr, nullptr, "Unid.", "Unit:"},
    TextoControle{"btnatualiza", "Atualizar", "Refresh", nullptr, nullptr},
};

void DefineTexto(QWidget* w, const QString& texto) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(texto);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(texto);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(texto);
}

}  // namespace

std::span<const TextoControle> TextosFaceplate() { return kFaceplate; }

void AplicaTextosControle(QWidget* raiz, std::span<const TextoControle> tabela, bool ingles) {
    for (const TextoControle& t : tabela) {
        const char* legenda = ingles ? t.en : t.pt;
        const char* dica = ingles ? t.dicaEn : t.dicaPt;
        for (QWidget* w : raiz->findChildren<QWidget*>(QString::fromLatin1(t.nome))) {
            if (legenda) DefineTexto(w, QString::fromUtf8(legenda));
            if (dica) w->setToolTip(QString::fromUtf8(dica));
            w->setAccessibleName(QString::fromUtf8(legenda ? legenda : dica ? dica : t.nome));
        }
    }
}

QString TituloPastaLog(bool ingles) {
    return ingles ? QStringLiteral("Select a folder") : QStringLiteral("Selecione uma pasta");
}

QString TextoArquivandoInicial(bool ingles) {
    return ingles ? QStringLiteral("Saving 0.1 seg") : QStringLiteral("Arquivando: TA=0.1 seg");
}

QString TextoCoordenadas(int k) { return QStringLiteral("Coordenadas %1").arg(k); }

}  // namespace kivo::ui
