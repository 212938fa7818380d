#include "ui/i18n/ControllerTexts.h"

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
    ControlText{"SPText", nullptr, nullptr, "Setpoint em unidades de engenharia (Enter aplica, Esc desfaz)",
                  "Setpoint in engineering units (Enter applies, Esc restores)"},
    ControlText{"SPBar", nullptr, nullptr, "Setpoint (SP)", "Setpoint (SP)"},
    ControlText{"SPRBar", nullptr, nullptr, "Setpoint Remoto (SPR)", "Remote Setpoint (SPR)"},
    ControlText{"PVText", nullptr, nullptr, "Variável de Processo (Variável Controlada)",
                  "Process Variable (Controlled Variable)"},
    ControlText{"PVBar", nullptr, nullptr, "Variável de Processo (Variável Controlada)",
                  "Process Variable (Controlled Variable)"},
    ControlText{"MVText", nullptr, nullptr, "Saída do Controlador (Variável Manipulada)",
                  "Controller Output (Manipulated Variable)"},
    ControlText{"COBar", nullptr, nullptr, "Saída do Controlador (Variável Manipulada)",
                  "Controller Output (Manipulated Variable)"},
    ControlText{"IncrementaSP", nullptr, nullptr, "Aumentar SP em 1%", "Raise SP by 1%"},
    ControlText{"DecrementaSP", nullptr, nullptr, "Diminuir SP em 1%", "Lower SP by 1%"},
    ControlText{"IncrementaSaida", nullptr, nullptr, "Aumentar CO em 1%", "Raise CO by 1%"},
    ControlText{"DecrementaSaida", nullptr, nullptr, "Diminuir CO em 1%", "Lower CO by 1%"},
    ControlText{"Button2", "Enviar", "Send", nullptr, nullptr},
    ControlText{"SaidaGroup", "Saída", "Output", nullptr, nullptr},
    ControlText{"LocalRemotoBTN", "L/R", "L/R", "Selecionar origem do SP: L-> Local; R-> Remoto (cópia de SPR)",
                  "Select SP source: L-> Local; R-> Remote (copy from SPR)"},
    ControlText{"AutoManualBTN", "A/M", "A/M",
                  "Selecionar modo de operação do controlador: A->Automático; M->Manual",
                  "Select Controller Operation Mode: A->Automatic Mode; M->Manual Mode"},
    ControlText{"ConfigBTN", nullptr, nullptr, "Exibir/Ocultar Área de Configuração do Controlador",
                  "Show/Hide Controller Configuration Area"},
    ControlText{"TrendButton", nullptr, nullptr, "Exibir/Ocultar Tendências", "Show/Hide Trends"},
    ControlText{"SairBTN", "Sair", "Exit", nullptr, nullptr},
    ControlText{"SpeedButton1", "?", "?", "Ajuda", "Help"},
    // Trend
    ControlText{"Image1", nullptr, nullptr, "Tendência (clique com pausa: coordenadas; duplo clique: escala)",
                  "Trend (click while paused: coordinates; double click: scale)"},
    ControlText{"PVCheck", "PV", "PV", nullptr, nullptr},
    ControlText{"SPCheck", "SP", "SP", nullptr, nullptr},
    ControlText{"COCheck", "CO", "CO", nullptr, nullptr},
    ControlText{"AtuadorCheck", "Pos. Atuador", "Actuator Pos.", nullptr, nullptr},
    ControlText{"LinhaGrossa", "Linha Grossa", "Strong Line", nullptr, nullptr},
    ControlText{"SpeedButton2", nullptr, nullptr, "Pausar", "Pause Trend"},
    ControlText{"SintoniaBTN", "Sintonia", "Tuning", "Identificar o processo por um teste em degrau e propor sintonias",
                  "Identify the process from a step test and propose settings"},
    ControlText{"EscalaAuto", "Auto", "Auto", nullptr, nullptr},
    ControlText{"eSupText", nullptr, nullptr, "Topo da escala da tendência (Enter aplica)",
                  "Trend scale top (Enter applies)"},
    ControlText{"eInfText", nullptr, nullptr, "Base da escala da tendência (Enter aplica)",
                  "Trend scale bottom (Enter applies)"},
    ControlText{"LabelBaseTempo", "Tempo: 1 divisão =", "1 division time=", nullptr, nullptr},
    ControlText{"BaseTempoBox", nullptr, nullptr, "Tempo: 1 divisão =", "1 division time="},
    ControlText{"CheckBox1", "Arquivar", "Archive", "Salvar novos dados em arquivo TXT", "Save data into TXT file"},
    ControlText{"LabelArquivando", "Arquivando: TA=0.1 seg", "Saving 0.1 seg", nullptr, nullptr},
    ControlText{"CheckBox2", "Salvar valores em Unid. de Eng.", "Uses Engineering Units", nullptr, nullptr},
    ControlText{"CheckBox3", "Utilizar ',' como separador decimal", "Uses , as decimal separator", nullptr,
                  nullptr},
    // Configuration area
    ControlText{"Identificacao", "Identificação", "Identification", nullptr, nullptr},
    ControlText{"LabelTag", "Tag", "Tag", nullptr, nullptr},
    ControlText{"TagText", nullptr, nullptr, "Tag", "Tag"},
    ControlText{"LabelDesc", "Desc", "Desc", nullptr, nullptr},
    ControlText{"Descricao", nullptr, nullptr, "Desc", "Desc"},
    ControlText{"Parametros", "Parâmetros", "Parameters", nullptr, nullptr},
    ControlText{"LabelKp", "Kc:", "Kc:", nullptr, nullptr},
    ControlText{"KpText", nullptr, nullptr, "Ganho Proporcional (adimensional)", "Proportional Gain (dimensionless)"},
    ControlText{"LabelKi", "Ti(seg):", "Ti(seg):", nullptr, nullptr},
    ControlText{"KiText", nullptr, nullptr, "Tempo Integral (segundos)", "Reset Time(seconds)"},
    ControlText{"LabelKd", "Td(seg):", "Td(seg):", nullptr, nullptr},
    ControlText{"KdText", nullptr, nullptr, "Tempo Derivativo (segundos)", "Rate Time(seconds)"},
    ControlText{"LabelBias", "Bias(%)", "Bias(%)", nullptr, nullptr},
    ControlText{"BiasText", nullptr, nullptr, "Valor constante somado à saída do controlador",
                  "Constant value added to controller output"},
    ControlText{"LabelA", "Fator SP (a):", "SP Factor(a):", nullptr, nullptr},
    ControlText{"aText", nullptr, nullptr, "Peso do SP na ação proporcional (0 a 1)",
                  "SP weight on proportional action(0 to 1)"},
    ControlText{"LabelTf", "Filtro D talF(s):", "D Filter talF(s):", nullptr, nullptr},
    ControlText{"tfText", nullptr, nullptr, "Constante de tempo do filtro da ação derivativa",
                  "Filter time constant to smooth derivative action"},
    ControlText{"PCHK", "P", "P", nullptr, nullptr},
    ControlText{"ICHK", "I", "I", nullptr, nullptr},
    ControlText{"DCHK", "D", "D", nullptr, nullptr},
    ControlText{"LimitesSaida", "Limites de Saída", "Output Limits", nullptr, nullptr},
    ControlText{"LabelCOmin", "CO Min.:", "CO Min.:", nullptr, nullptr},
    ControlText{"COminText", nullptr, nullptr, "Limite inferior de CO", "CO low limit"},
    ControlText{"LabelCOmax", "CO Max.:", "CO Max.:", nullptr, nullptr},
    ControlText{"COmaxText", nullptr, nullptr, "Limite superior de CO", "CO high limit"},
    ControlText{"Acaogroup", "Tipo Processo", "Process Direction",
                  "Resposta direta: um aumento de MV causa um aumento de PV; Resposta reversa: um aumento de MV "
                  "causa uma diminuição de PV",
                  "Direct response: A MV increase causes a PV increase; Reverse response: A MV increase causes a PV "
                  "decrease"},
    ControlText{"Acaogroup0", "Resposta Reversa", "Reverse response", nullptr, nullptr},
    ControlText{"Acaogroup1", "Resposta Direta", "Direct response", nullptr, nullptr},
    ControlText{"EstruturaGroup", "Estrutura", "Structure", "Estrutura ISA: Kc multiplica todas as ações",
                  "ISA structure: Kc multiply all actions"},
    ControlText{"EstruturaGroup0", "Paralela", "Parallel", nullptr, nullptr},
    ControlText{"EstruturaGroup1", "ISA (mista)", "ISA (Ideal)", nullptr, nullptr},
    ControlText{"DerivadaGroup", "Derivada", "Derivative Action", nullptr, nullptr},
    ControlText{"DerivadaGroup0", "Sobre o Erro", "on error", nullptr, nullptr},
    ControlText{"DerivadaGroup1", "Sobre a PV", "on PV", nullptr, nullptr},
    ControlText{"LabelPV", "PV", "PV", nullptr, nullptr},
    ControlText{"VariavelSelect", nullptr, nullptr, "Selecionar Variável de Processo", "Select Process Variable"},
    ControlText{"CheckSPR", "SPR", "SPR", nullptr, nullptr},
    ControlText{"SPRSelect", nullptr, nullptr, "Endereço do Setpoint Remoto", "Remote Setpoint Address"},
    ControlText{"FFwSelect", "FF", "FF", nullptr, nullptr},
    ControlText{"FFwEquation", nullptr, nullptr, "Expressão matemática do bias dinâmico (ação FeedForward)",
                  "Math expression to calc dynamic bias(FeedForward action)"},
    ControlText{"BackMVCheck", "End. p/ Realim.de MV:", "Slave MV Address:", nullptr, nullptr},
    ControlText{"BackMV", nullptr, nullptr, "End. p/ Realim.de MV:", "Slave MV Address:"},
    ControlText{"Escala", "Escala", "Scale", nullptr, nullptr},
    ControlText{"LabelInicio", "Início", "Begin:", nullptr, nullptr},
    ControlText{"InicioEscala", nullptr, nullptr, "Início", "Begin:"},
    ControlText{"LabelFim", "Final", "End:", nullptr, nullptr},
    ControlText{"FimEscala", nullptr, nullptr, "Final", "End:"},
    ControlText{"LabelUnid", "Unid.", "Unit:", nullptr, nullptr},
    ControlText{"UnidEng", nullptr, nullptr, "Unid.", "Unit:"},
    ControlText{"btnatualiza", "Atualizar", "Refresh", nullptr, nullptr},
};

void SetText(QWidget* w, const QString& text) {
    if (auto* b = qobject_cast<QAbstractButton*>(w))
        b->setText(text);
    else if (auto* l = qobject_cast<QLabel*>(w))
        l->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(w))
        g->setTitle(text);
}

}  // namespace

std::span<const ControlText> FaceplateTexts() { return kFaceplate; }

void ApplyControlTexts(QWidget* root, std::span<const ControlText> table, bool english) {
    for (const ControlText& t : table) {
        const char* caption = english ? t.en : t.pt;
        const char* tooltip = english ? t.tooltipEn : t.tooltipPt;
        for (QWidget* w : root->findChildren<QWidget*>(QString::fromLatin1(t.name))) {
            if (caption) SetText(w, QString::fromUtf8(caption));
            if (tooltip) w->setToolTip(QString::fromUtf8(tooltip));
            w->setAccessibleName(QString::fromUtf8(caption ? caption : tooltip ? tooltip : t.name));
        }
    }
}

QString LogFolderTitle(bool english) {
    return english ? QStringLiteral("Select a folder") : QStringLiteral("Selecione uma pasta");
}

QString InitialLoggingText(bool english) {
    return english ? QStringLiteral("Saving 0.1 seg") : QStringLiteral("Arquivando: TA=0.1 seg");
}

QString CoordinatesText(int k) { return QStringLiteral("Coordenadas %1").arg(k); }

}  // namespace kivo::ui
