#include "ui/i18n/Translations.h"

#include <array>

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QWidget>

namespace kivo::ui {
namespace {

constexpr std::array kMainWindow{
    Translation{"Arquivo1", "Arquivo", "File"},
    Translation{"Novo1", "Novo", "New"},
    Translation{"Abrir1", "Abrir", "Open"},
    Translation{"SalvarComo1", "Salvar Como...", "Save as..."},
    Translation{"Sair1", "Sair", "Exit"},
    Translation{"Exemplos1", "Exemplos", "Examples"},
    Translation{"Configurao2", "Configuração", "Configuration"},
    Translation{"Configurao1", "Gerador de Sinais", "Signals Generator"},
    Translation{"Dese1", "Simulação Rápida", "Fast Simulation"},
    Translation{"Variveis1", "Lista de Variáveis", "Variables List"},
    Translation{"RegistradorXY1", "Registrador XY", "XY Register"},
    Translation{"Exercicio1", "Exercício", "Exercise"},
    Translation{"AbrirExercicio1", "Abrir exercício...", "Open exercise..."},
    Translation{"NovoExercicio1", "Novo exercício deste projeto...", "New exercise from this project..."},
    Translation{"EditarExercicio1", "Editar exercício...", "Edit exercise..."},
    Translation{"Opes1", "Opções", "Options"},
    Translation{"PausarSimulao2", "Pausar Simulação", "Stop Simulation"},
    Translation{"MoverObjetos2", "Mover Objetos", "Move Objects"},
    Translation{"ExcluirObjetos", "Excluir Objetos", "Exclude Objects"},
    Translation{"Comentrios1", "Exibir comentários", "Show comments"},
    Translation{"Sobre1", "Ajuda", "Help"},
    Translation{"utorial1", "Visitar website", "Online help..."},
    Translation{"Sobre3", "Sobre", "About"},
    Translation{"VdeoAulas1", "Vídeo Aulas", "Video Lessons"},
    Translation{"IntroduoControledeProcessos1", "Introdução Controle de Processos", "Introduction to Process Control"},
    Translation{"PainelComando", " Painel de Comando ", "Command Panel"},
    Translation{"Label21", "Clique aqui para informações adicionais", "Click here for additional information"},
};

constexpr std::array kSettings{
    Translation{"Label29", "Ciclo Execução: ", "Execution Cycle"},
    Translation{"Label3", "Título da Simulação:", "Simulation Title:"},
    Translation{"Label1", "Arquivo de Imagem:", "Image File:"},
    Translation{"Chave1Check", "Chave 1     Tipo:", "Switch 1    Type:"},
    Translation{"Chave2Check", "Chave 2     Tipo:", "Switch 2    Type:"},
    Translation{"Label22", "Saída em M11", "Output M11"},
    Translation{"Label23", "Saída em M12", "Output M12"},
    Translation{"Botao1_check", "Botão 1 (saída em M97)", "Button 1(output M97)"},
    Translation{"Botao2_check", "Botão 2 (Saída em M98)", "Button 2(output M98)"},
    Translation{"Botao3_check", "Botão 3 (saída em M99)", "Button 3(output M99)"},
    Translation{"Label6", "Variável:", "Variable"},
    Translation{"Label8", "Variável:", "Variable"},
    Translation{"Label9", "Variável:", "Variable"},
    Translation{"Label10", "Variável:", "Variable"},
    Translation{"Label11", "Variável:", "Variable"},
    Translation{"Label7", "Dimensões:", "Dimensions:"},
    Translation{"Label12", "Dimensões:", "Dimensions:"},
    Translation{"Label13", "Dimensões:", "Dimensions:"},
    Translation{"Label14", "Dimensões:", "Dimensions:"},
    Translation{"Label15", "Dimensões:", "Dimensions:"},
    Translation{"Label4", "Cores:", "Colors:"},
    Translation{"Label16", "Cores:", "Colors:"},
    Translation{"Label17", "Cores:", "Colors:"},
    Translation{"Label18", "Cores:", "Colors:"},
    Translation{"Label19", "Cores:", "Colors:"},
    Translation{"Label34", "Linearizador", "Characterizer"},
    Translation{"Label30", "End. Entrada:", "Input Ad.:"},
    Translation{"Label31", "End.Saída:", "Output Ad.:"},
    Translation{"Lin1Ativar", "Ativar", "Enable"},
    Translation{"SairButton", "Sair", "Exit"},
    Translation{"ModbusGrupo", "Servidor Modbus TCP", "Modbus TCP server"},
    Translation{"ModbusEnderecoLabel", "Endereço:", "Address:"},
    Translation{"ModbusPortaLabel", "Porta:", "Port:"},
    Translation{"ModbusClientesLabel", "Máx. clientes:", "Max. clients:"},
    Translation{"ModbusNota",
                "127.0.0.1 atende só este computador; 0.0.0.0, todas as redes dele: quem alcançar a porta lê e "
                "muda a planta. As escritas passam pelas verificações da tela; com a simulação pausada, são "
                "recusadas (ocupado).",
                "127.0.0.1 serves this computer only; 0.0.0.0, all its networks: whoever reaches the port reads "
                "and changes the plant. Writes meet the checks of the screen; while the simulation is paused, "
                "they are refused (busy)."},
    Translation{"ModbusAjuda", "Mapa de registradores...", "Register map..."},
};

void SetText(QObject* o, const QString& text) {
    if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(text);
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(text);
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->setText(text);
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(text);
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(text);
    } else if (auto* e = qobject_cast<QLineEdit*>(o)) {
        e->setText(text);
    }
    if (auto* w = qobject_cast<QWidget*>(o)) w->setAccessibleName(text.trimmed());
}

}  // namespace

std::span<const Translation> MainWindowTexts() { return kMainWindow; }
std::span<const Translation> SettingsTexts() { return kSettings; }

void ApplyTexts(QObject* root, std::span<const Translation> table, bool english) {
    for (const Translation& t : table) {
        const QString text = QString::fromUtf8(english ? t.en : t.pt);
        const QString name = QString::fromLatin1(t.name);
        if (root->objectName() == name) SetText(root, text);
        for (QObject* o : root->findChildren<QObject*>(name)) SetText(o, text);
    }
}

QString SettingsTitle(bool english) {
    return english ? QStringLiteral("General Configuration") : QStringLiteral("Configuração Geral");
}

QStringList SettingsPages(bool english) {
    if (english)
        return {"Controllers", "Processes", "Calc Blocks", "Registers", "Animated Texts", "Animated Shapes",
                "Commands", "Modbus"};
    return {"Controladores",   "Processos",        "Blocos de Cálculo", "Registradores",
            "Textos Animados", "Imagens Animadas", "Comandos",          "Modbus"};
}

QString ModbusButtonText(bool running, bool english) {
    if (english) return running ? QStringLiteral("Stop server") : QStringLiteral("Start server");
    return running ? QStringLiteral("Parar servidor") : QStringLiteral("Iniciar servidor");
}

QString ModbusStateText(bool running, const QString& where, int clients, bool english) {
    if (!running) return english ? QStringLiteral("Stopped.") : QStringLiteral("Parado.");
    if (english)
        return QStringLiteral("Serving on %1, %2 client%3 connected.").arg(where).arg(clients).arg(clients == 1 ? "" : "s");
    return QStringLiteral("Servindo em %1, %2 cliente%3 conectado%3.").arg(where).arg(clients).arg(clients == 1 ? "" : "s");
}

QStringList SwitchOrientations(bool english) {
    if (english) return {"to left", "to up", "to right", "to down"};
    return {"para esquerda", "para cima", "para direita", "para baixo"};
}

QStringList ShapeKinds(bool english) {
    if (english) return {"Cilcle with variable color", "Square with variable size"};
    return {"Círculo de Cor Variável", "Retângulo Tamanho Variável"};
}

QStringList TimeBaseItems(bool english) {
    if (english) return {QStringLiteral("3 seconds"), QStringLiteral("9 seconds"), QStringLiteral("1 minute")};
    return {QStringLiteral("3 segundos"), QStringLiteral("9 segundos"), QStringLiteral("1 minuto")};
}

QString EmptySlotCaption(Family f, int n, bool english) {
    const QString num = QString::number(n);
    switch (f) {
        case Family::PidController: return (english ? "<empty> Controller " : "<vago> Controlador ") + num;
        case Family::ProcessBlock: return (english ? "<empty> Process " : "<vago> Processo ") + num;
        case Family::CalculationBlock: return (english ? "<empty> Block " : "<vago> Bloco ") + num;
        case Family::Recorder: return (english ? "<empty> Register " : "<vago> Registrador ") + num;
        case Family::Text: return (english ? "<empty>Animated Text" : "<vago>Texto Animado ") + num;
    }
    return {};
}

QString ButtonDescription(bool english) { return english ? QStringLiteral("Description") : QStringLiteral("Descrição"); }

QString ButtonText(int b, int state, bool english) {
    const QString m = QStringLiteral("M%1=%2").arg(96 + b).arg(state);
    return (english ? QStringLiteral("Text when ") : QStringLiteral("Texto para ")) + m;
}

}  // namespace kivo::ui
