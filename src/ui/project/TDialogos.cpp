#include "ui/project/TDialogos.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/NumberText.h"
#include "help/LinksAjuda.h"
#include "objects/Controller.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/TraducoesObjetos.h"
#include "ui/objects/Formulario.h"

namespace kivo::ui {
namespace {

constexpr int kColunas = 9;
constexpr int kColunaDescricao = 6;  // "Descrição", in the table widget's columns
constexpr int kLinhasListaVar = 48;
constexpr int kLinhasListaVar2 = 75;
constexpr const char* kCabecalhos[kColunas] = {"",    "Tipo", "Unid. Eng", "UE min",   "UE max",
                                               "LIE", "LSE",  "Descrição", "Valor"};

QString Valor(double v) { return QStringLiteral("%1").arg(v, 4, 'f', 2); }

}  // namespace

// Tells the window whether an edit ended with Enter (store), Escape or
// anything else (the old text comes back).
class TDialogos::Editor : public QStyledItemDelegate {
public:
    Editor(TDialogos& w, int g) : QStyledItemDelegate(&w), w_(w), g_(g) {}

    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        w_.grades_[g_].porEnter = false;
        return QStyledItemDelegate::createEditor(pai, o, i);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) w_.grades_[g_].porEnter = true;
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    TDialogos& w_;
    int g_;
};

TDialogos::TDialogos(Aplicacao& app, QWidget* principal)
    : QWidget(principal, Qt::Window | Qt::WindowStaysOnTopHint), app_(app) {
    setObjectName(QStringLiteral("Dialogos"));
    setWindowTitle(TituloVariaveis(false));
    auto* coluna = new QVBoxLayout(this);
    auto* divisor = new QSplitter(Qt::Vertical, this);
    const char* nomes[2] = {"ListaVar", "ListaVar2"};
    const char* rotulos[2] = {"LabelListaVar", "LabelListaVar2"};
    const char* titulos[2] = {"Variáveis de Processo", "Sinais de Controle"};
    const int linhas[2] = {kLinhasListaVar, kLinhasListaVar2};
    for (int g = 0; g < 2; ++g) {
        auto* painel = new QWidget(divisor);
        auto* v = new QVBoxLayout(painel);
        v->setContentsMargins(0, 0, 0, 0);
        auto* rotulo = new QLabel(QString::fromUtf8(titulos[g]), painel);
        rotulo->setObjectName(QString::fromLatin1(rotulos[g]));
        rotulo->setAccessibleName(rotulo->text());
        QFont negrito = rotulo->font();
        negrito.setBold(true);
        rotulo->setFont(negrito);
        v->addWidget(rotulo);
        QTableWidget* t = CriaGrade(g, nomes[g], linhas[g]);
        t->setParent(painel);
        rotulo->setBuddy(t);
        t->setAccessibleName(rotulo->text());
        v->addWidget(t, 1);
        divisor->addWidget(painel);
    }
    coluna->addWidget(divisor, 1);

    auto* atualiza = BotaoLegendado<QToolButton>(this, "SpeedButton1", "Atualiza");
    auto* sair = BotaoLegendado<QToolButton>(this, "SpeedButton2", "Sair");
    QToolButton* ajuda = RodapeBotoes(this, coluna, "SpeedButton3", {atualiza, sair});
    AplicaDicasTabela(this, DicasVariaveis(), false, MarcadoSemLegenda);

    connect(atualiza, &QToolButton::clicked, this, &TDialogos::Atualiza);
    connect(sair, &QToolButton::clicked, this, [this] {
        Atualiza();
        close();
    });
    connect(ajuda, &QToolButton::clicked, this,
            [this] { help::AbreAjuda(app_.interacao(), help::UrlBase(app_.ingles()), help::Entrada::Variaveis); });
    // The value column follows the variables while the list is open; it is
    // read-only, so no edit is disturbed.
    connect(&app_, &Aplicacao::displayAtualizar, this, [this] {
        if (isVisible()) AtualizaValores();
    });
    PreencheInicial();
    resize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 120, fontMetrics().height() * 40);
}

QTableWidget* TDialogos::CriaGrade(int g, const char* nome, int linhas) {
    auto* t = new QTableWidget(linhas, kColunas - 1, this);
    t->setObjectName(QString::fromLatin1(nome));
    QStringList cabecalhos;
    for (int c = 1; c < kColunas; ++c) cabecalhos << QString::fromUtf8(kCabecalhos[c]);
    t->setHorizontalHeaderLabels(cabecalhos);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
    t->setWordWrap(false);
    // Rows as high as one line of text, so that a screen shows many of them.
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The description takes the room the other columns leave.
    t->horizontalHeader()->setSectionResizeMode(kColunaDescricao, QHeaderView::Stretch);
    t->horizontalHeader()->setStretchLastSection(false);
    t->setItemDelegate(new Editor(*this, g));
    grades_[g].tabela = t;
    for (int r = 1; r <= linhas; ++r) {
        const int k = Endereco(g, r);
        t->setVerticalHeaderItem(r - 1, new QTableWidgetItem(QString::fromStdString(NomeVariavel(k))));
        const auto [de, ate] = ColunasArmazenadas(g, r);
        for (int c = 1; c < kColunas; ++c) {
            auto* item = new QTableWidgetItem;
            // "Tipo" and "Valor" are not selectable; cells the row does not
            // store can be selected but not edited, so that a cell always
            // shows what the table holds.
            Qt::ItemFlags f = Qt::ItemIsEnabled;
            if (c != 1 && c != 8) f |= Qt::ItemIsSelectable;
            if (c >= de && c <= ate && de > 0) f |= Qt::ItemIsEditable;
            item->setFlags(f);
            if (c == 8) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(r - 1, c - 1, item);
        }
    }
    connect(t, &QTableWidget::currentCellChanged, this, [this, g](int linha, int coluna) {
        Grade& gr = grades_[g];
        gr.porEnter = false;
        gr.linha = linha + 1;
        gr.coluna = coluna + 1;
        const QTableWidgetItem* item = gr.tabela->item(linha, coluna);
        gr.velho = item ? item->text() : QString();
    });
    connect(t, &QTableWidget::itemChanged, this, [this, g](QTableWidgetItem* item) {
        if (!preenchendo_) Armazena(g, item);
    });
    return t;
}

int TDialogos::Endereco(int grade, int r) {
    if (grade == 0) return r <= 40 ? 20 + r : 30 + r;
    if (r <= 6) return 14 + r;
    if (r <= 16) return 54 + r;
    if (r <= 26) return r - 16;
    if (r <= 29) return 70 + r;
    if (r <= 32) return r - 19;
    if (r == 33) return 14;
    if (r <= 35) return 45 + r;
    if (r <= 51) return 45 + r;
    return 49 + r;
}

std::pair<int, int> TDialogos::ColunasArmazenadas(int grade, int r) {
    if (grade == 0) return {2, 7};
    if (r <= 16) return {2, 6};
    if (r >= 36 && r <= 51) return {2, 7};
    return {0, 0};
}

QString TDialogos::celula(const QTableWidget* grade, int linha, int coluna) const {
    if (linha == 0) return coluna == 0 ? QString() : grade->horizontalHeaderItem(coluna - 1)->text();
    if (coluna == 0) return grade->verticalHeaderItem(linha - 1)->text();
    return grade->item(linha - 1, coluna - 1)->text();
}

void TDialogos::Define(int g, int r, int c, const QString& texto) {
    grades_[g].tabela->item(r - 1, c - 1)->setText(texto);
}

void TDialogos::PreencheInicial() {
    preenchendo_ = true;
    const Memorias& mem = app_.sim().mem;
    ReiniciaTipos();
    for (int r = 1; r <= kLinhasListaVar; ++r) {
        Define(0, r, 2, QStringLiteral("%"));
        Define(0, r, 3, QStringLiteral("0"));
        Define(0, r, 4, QStringLiteral("100"));
    }
    for (int r = 1; r <= kLinhasListaVar2; ++r) {
        QString tipo;
        if (r <= 6)
            tipo = QStringLiteral("Entrada de Dados %1").arg(r);
        else if (r <= 16)
            tipo = QStringLiteral("Setpoint de Controle");
        else if (r <= 26)
            tipo = QStringLiteral("Variável Manipulada");
        else if (r <= 29)
            tipo = QStringLiteral("Comando Botão %1").arg(r - 26);
        else if (r <= 31)
            tipo = QStringLiteral("Comando Chave %1").arg(r - 29);
        else if (r == 32)
            tipo = QStringLiteral("Saída Linearizador");
        else if (r <= 35)
            tipo = QStringLiteral("Reservado");
        else if (r <= 51)
            tipo = QStringLiteral("Gerador de Sinais");
        else
            tipo = QStringLiteral("Var.Manip.(posição real)");
        Define(1, r, 1, tipo);
        if (r <= 26) {
            Define(1, r, 2, QStringLiteral("%"));
            Define(1, r, 3, QStringLiteral("0"));
            Define(1, r, 4, QStringLiteral("100"));
        }
        if (r >= 27 && r <= 32) Define(1, r, 8, Valor(mem[Endereco(1, r)]));
        if (r >= 52) {
            const char* textos[] = {"%", "0.0", "100.0", "0.0", "100.0"};
            for (int c = 2; c <= 6; ++c) Define(1, r, c, QString::fromLatin1(textos[c - 2]));
            Define(1, r, 7, QString::fromStdString(mem.entrada(Endereco(1, r)).descricao));
        }
    }
    preenchendo_ = false;
}

void TDialogos::ReiniciaTipos() {
    const bool antes = preenchendo_;
    preenchendo_ = true;
    for (int r = 1; r <= kLinhasListaVar; ++r) Define(0, r, 1, QStringLiteral("Variável de Processo"));
    preenchendo_ = antes;
}

void TDialogos::LinhaDaTabela(int g, int r) {
    const int k = Endereco(g, r);
    const EntradaTabela& e = app_.sim().mem.entrada(k);
    const std::string* textos[] = {&e.unidade, &e.ueMin, &e.ueMax, &e.lie, &e.lse, &e.descricao};
    for (int c = 2; c <= 7; ++c) Define(g, r, c, QString::fromStdString(*textos[c - 2]));
    Define(g, r, 8, Valor(app_.sim().mem[k]));
}

void TDialogos::AtualizaValores() {
    preenchendo_ = true;
    const Memorias& mem = app_.sim().mem;
    for (int r = 1; r <= kLinhasListaVar; ++r) Define(0, r, 8, Valor(mem[Endereco(0, r)]));
    for (int r = 1; r <= 51; ++r)
        if (r <= 32 || r >= 36) Define(1, r, 8, Valor(mem[Endereco(1, r)]));
    preenchendo_ = false;
}

void TDialogos::Atualiza() {
    preenchendo_ = true;
    Projeto& p = app_.projeto();
    for (int r = 27; r <= 32; ++r) Define(1, r, 8, Valor(p.sim.mem[Endereco(1, r)]));
    for (int r = 1; r <= kLinhasListaVar2; ++r)
        if (r <= 26 || (r >= 36 && r <= 51)) LinhaDaTabela(1, r);
    for (int r = 1; r <= kLinhasListaVar; ++r) LinhaDaTabela(0, r);
    // Rows of empty slots keep what they showed.
    for (int n = 1; n <= 24; ++n) {
        if (const auto* proc = p.processo(n)) {
            const int k = proc->numero();
            Define(0, k <= 40 ? k - 20 : k - 30, 1, QString::fromStdString(proc->TagText));
        }
        if (const auto* bloco = p.bloco(n)) {
            const int k = bloco->numero();
            Define(0, k <= 60 ? k - 20 : k - 30, 1, QString::fromStdString(bloco->TagText));
        }
    }
    preenchendo_ = false;
    for (QTableWidget* t : {listaVar(), listaVar2()})
        for (int c = 0; c < kColunas - 1; ++c)
            if (c != kColunaDescricao) t->resizeColumnToContents(c);
    // The tracks' hints name their ranges.
    if (QWidget* principal = parentWidget()) {
        for (int n = 1; n <= 6; ++n) {
            const QString dica = QStringLiteral("Faixa: de ") + celula(listaVar2(), n, 3) + QStringLiteral(" a ") +
                                 celula(listaVar2(), n, 4) + QLatin1Char(' ') + celula(listaVar2(), n, 2);
            for (const QString& nome : {QStringLiteral("TrackBack%1"), QStringLiteral("TrackLabel%1")})
                if (auto* w = principal->findChild<QWidget*>(nome.arg(n))) w->setToolTip(dica);
        }
    }
    for (int n = 1; n <= 10; ++n)
        if (auto* c = p.controlador(n)) c->ValidaParametros(false);
    emit tabelaRelida();
}

void TDialogos::Armazena(int g, QTableWidgetItem* item) {
    Grade& gr = grades_[g];
    const bool porEnter = gr.porEnter;
    gr.porEnter = false;
    const int r = item->row() + 1;
    const int c = item->column() + 1;
    const auto [de, ate] = ColunasArmazenadas(g, r);
    // Only Enter stores; an edit left any other way is abandoned.
    if (!porEnter || de == 0 || c < de || c > ate || r != gr.linha || c != gr.coluna) {
        Restaura(g);
        return;
    }
    Memorias& mem = app_.sim().mem;
    const int k = Endereco(g, r);
    const std::string t = item->text().toStdString();
    switch (c) {
        case 2: mem.setUnidade(k, t); break;
        case 3:
            if (ConverteReal(t) > ConverteReal(celula(gr.tabela, r, 4).toStdString())) {
                Restaura(g);
                return;
            }
            mem.setUeMin(k, t);
            mem.setLie(k, t);
            break;
        case 4:
            if (ConverteReal(t) < ConverteReal(celula(gr.tabela, r, 3).toStdString())) {
                Restaura(g);
                return;
            }
            mem.setUeMax(k, t);
            mem.setLse(k, t);
            break;
        case 5: mem.setLie(k, t); break;
        case 6: mem.setLse(k, t); break;
        case 7: mem.setDescricao(k, t); break;
        default: break;
    }
    // The cell shows the text as stored (cut to its length), and a later
    // Escape brings this one back.
    const EntradaTabela& e = mem.entrada(k);
    const std::string* guardados[] = {&e.unidade, &e.ueMin, &e.ueMax, &e.lie, &e.lse, &e.descricao};
    preenchendo_ = true;
    item->setText(QString::fromStdString(*guardados[c - 2]));
    preenchendo_ = false;
    gr.velho = item->text();
    // The table is saved with the project.
    app_.MarcaModificado();
    emit tabelaEditada();
}

void TDialogos::Restaura(int g) {
    Grade& gr = grades_[g];
    if (gr.linha < 1 || gr.coluna < 1) return;
    preenchendo_ = true;
    Define(g, gr.linha, gr.coluna, gr.velho);
    preenchendo_ = false;
}

void TDialogos::showEvent(QShowEvent* e) {
    if (!traduzido_) {
        traduzido_ = true;
        if (app_.ingles()) {
            setWindowTitle(TituloVariaveis(true));
            AplicaTextos(this, TextosVariaveis(), true);
            AplicaDicasTabela(this, DicasVariaveis(), true, MarcadoSemLegenda);
            listaVar()->setAccessibleName(findChild<QLabel*>(QStringLiteral("LabelListaVar"))->text());
            listaVar2()->setAccessibleName(findChild<QLabel*>(QStringLiteral("LabelListaVar2"))->text());
        }
    }
    Atualiza();
    QWidget::showEvent(e);
}

void TDialogos::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) Atualiza();
    QWidget::changeEvent(e);
}

}  // namespace kivo::ui
