#include "ui/i18n/Traducoes.h"

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

constexpr std::array kJanelaPrincipal{
    Traducao{"Arquivo1", "Arquivo", "File"},
    Traducao{"Novo1", "Novo", "New"},
    Traducao{"Abrir1", "Abrir", "Open"},
    Traducao{"SalvarComo1", "Salvar Como...", "Save as..."},
    Traducao{"Sair1", "Sair", "Exit"},
    Traducao{"Exemplos1", "Exemplos", "Examples"},
    Traducao{"Configurao2", "Configuração", "Configuration"},
    Traducao{"Configurao1", "Gerador de Sinais", "Signals Generator"},
    Traducao{"Dese1", "Simulação Rápida", "Fast Simulation"},
    Traducao{"Variveis1", "Lista de Variáveis", "Variables List"},
    Traducao{"RegistradorXY1", "Registrador XY", "XY Register"},
    Traducao{"Opes1", "Opções", "Options"},
    Traducao{"PausarSimulao2", "Pausar Simulação", "Stop Simulation"},
    Traducao{"MoverObjetos2", "Mover Objetos", "Move Objects"},
    Traducao{"ExcluirObjetos", "Excluir Objetos", "Exclude Objects"},
    Traducao{"Comentrios1", "Exibir comentários", "Show comments"},
    Traducao{"Sobre1", "Ajuda", "Help"},
    Traducao{"utorial1", "Visitar website", "Online help..."},
    Traducao{"Sobre3", "Sobre", "About"},
    Traducao{"VdeoAulas1", "Vídeo Aulas", "Video Lessons"},
    Traducao{"IntroduoControledeProcessos1", "Introdução Controle de Processos", "Introduction to Process Control"},
    Traducao{"PainelComando", " Painel de Comando ", "Command Panel"},
    Traducao{"Label21", "Clique aqui para informações adicionais", "Click here for additional information"},
};

constexpr std::array kConfiguracao{
    Traducao{"Label29", "Ciclo Execução: ", "Execution Cycle"},
    Traducao{"Label3", "Título da Simulação:", "Simulation Title:"},
    Traducao{"Label1", "Arquivo de Imagem:", "Image File:"},
    Traducao{"Chave1Check", "Chave 1     Tipo:", "Switch 1    Type:"},
    Traducao{"Chave2Check", "Chave 2     Tipo:", "Switch 2    Type:"},
    Traducao{"Label22", "Saída em M11", "Output M11"},
    Traducao{"Label23", "Saída em M12", "Output M12"},
    Traducao{"Botao1_check", "Botão 1 (saída em M97)", "Button 1(output M97)"},
    Traducao{"Botao2_check", "Botão 2 (Saída em M98)", "Button 2(output M98)"},
    Traducao{"Botao3_check", "Botão 3 (saída em M99)", "Button 3(output M99)"},
    Traducao{"Label6", "Variável:", "Variable"},
    Traducao{"Label8", "Variável:", "Variable"},
    Traducao{"Label9", "Variável:", "Variable"},
    Traducao{"Label10", "Variável:", "Variable"},
    Traducao{"Label11", "Variável:", "Variable"},
    Traducao{"Label7", "Dimensões:", "Dimensions:"},
    Traducao{"Label12", "Dimensões:", "Dimensions:"},
    Traducao{"Label13", "Dimensões:", "Dimensions:"},
    Traducao{"Label14", "Dimensões:", "Dimensions:"},
    Traducao{"Label15", "Dimensões:", "Dimensions:"},
    Traducao{"Label4", "Cores:", "Colors:"},
    Traducao{"Label16", "Cores:", "Colors:"},
    Traducao{"Label17", "Cores:", "Colors:"},
    Traducao{"Label18", "Cores:", "Colors:"},
    Traducao{"Label19", "Cores:", "Colors:"},
    Traducao{"Label34", "Linearizador", "Characterizer"},
    Traducao{"Label30", "End. Entrada:", "Input Ad.:"},
    Traducao{"Label31", "End.Saída:", "Output Ad.:"},
    Traducao{"Lin1Ativar", "Ativar", "Enable"},
    Traducao{"SairButton", "Sair", "Exit"},
};

void DefineTexto(QObject* o, const QString& texto) {
    if (auto* m = qobject_cast<QMenu*>(o)) {
        m->setTitle(texto);
    } else if (auto* a = qobject_cast<QAction*>(o)) {
        a->setText(texto);
    } else if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        b->setText(texto);
    } else if (auto* l = qobject_cast<QLabel*>(o)) {
        l->setText(texto);
    } else if (auto* g = qobject_cast<QGroupBox*>(o)) {
        g->setTitle(texto);
    } else if (auto* e = qobject_cast<QLineEdit*>(o)) {
        e->setText(texto);
    }
    if (auto* w = qobject_cast<QWidget*>(o)) w->setAccessibleName(texto.trimmed());
}

}  // namespace

std::span<const Traducao> TextosJanelaPrincipal() { return kJanelaPrincipal; }
std::span<const Traducao> TextosConfiguracao() { return kConfiguracao; }

void AplicaTextos(QObject* raiz, std::span<const Traducao> tabela, bool ingles) {
    for (const Traducao& t : tabela) {
        const QString texto = QString::fromUtf8(ingles ? t.en : t.pt);
        const QString nome = QString::fromLatin1(t.nome);
        if (raiz->objectName() == nome) DefineTexto(raiz, texto);
        for (QObject* o : raiz->findChildren<QObject*>(nome)) DefineTexto(o, texto);
    }
}

QString TituloConfiguracao(bool ingles) {
    return ingles ? QStringLiteral("General Configuration") : QStringLiteral("Configuração Geral");
}

QStringList PaginasConfiguracao(bool ingles) {
    if (ingles)
        return {"Controllers", "Processes", "Calc Blocks", "Registers", "Animated Texts", "Animated Shapes",
                "Commands"};
    return {"Controladores",   "Processos",        "Blocos de Cálculo", "Registradores",
            "Textos Animados", "Imagens Animadas", "Comandos"};
}

QStringList OrientacoesChave(bool ingles) {
    if (ingles) return {"to left", "to up", "to right", "to down"};
    return {"para esquerda", "para cima", "para direita", "para baixo"};
}

QStringList TiposForma(bool ingles) {
    if (ingles) return {"Cilcle with variable color", "Square with variable size"};
    return {"Círculo de Cor Variável", "Retângulo Tamanho Variável"};
}

QStringList ItensBaseTempo(bool ingles) {
    if (ingles) return {QStringLiteral("3 seconds"), QStringLiteral("9 seconds"), QStringLiteral("1 minute")};
    return {QStringLiteral("3 segundos"), QStringLiteral("9 segundos"), QStringLiteral("1 minuto")};
}

QString LegendaVaga(Familia f, int n, bool ingles) {
    const QString num = QString::number(n);
    switch (f) {
        case Familia::Controlador: return (ingles ? "<empty> Controller " : "<vago> Controlador ") + num;
        case Familia::Processo: return (ingles ? "<empty> Process " : "<vago> Processo ") + num;
        case Familia::Bloco: return (ingles ? "<empty> Block " : "<vago> Bloco ") + num;
        case Familia::Registrador: return (ingles ? "<empty> Register " : "<vago> Registrador ") + num;
        case Familia::Texto: return (ingles ? "<empty>Animated Text" : "<vago>Texto Animado ") + num;
    }
    return {};
}

QString DescricaoBotao(bool ingles) { return ingles ? QStringLiteral("Description") : QStringLiteral("Descrição"); }

QString TextoBotao(int b, int estado, bool ingles) {
    const QString m = QStringLiteral("M%1=%2").arg(96 + b).arg(estado);
    return (ingles ? QStringLiteral("Text when ") : QStringLiteral("Texto para ")) + m;
}

}  // namespace kivo::ui
