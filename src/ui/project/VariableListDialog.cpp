#include "ui/project/VariableListDialog.h"

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
#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"
#include "objects/Controller.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/ObjectTranslations.h"
#include "ui/widgets/ObjectForm.h"

namespace kivo::ui {
namespace {

constexpr int kColumns = 9;
constexpr int kDescriptionColumn = 6;  // "Descrição", in the table widget's columns
constexpr int kVarListRows = 48;
constexpr int kVarList2Rows = 75;
constexpr const char* kHeaders[kColumns] = {"",    "Tipo", "Unid. Eng", "UE min",   "UE max",
                                               "LIE", "LSE",  "Descrição", "Valor"};

QString Value(double v) { return QStringLiteral("%1").arg(v, 4, 'f', 2); }

}  // namespace

// Tells the window whether an edit ended with Enter (store), Escape or
// anything else (the old text comes back).
class VariableListDialog::Editor : public QStyledItemDelegate {
public:
    Editor(VariableListDialog& w, int g) : QStyledItemDelegate(&w), w_(w), g_(g) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& o, const QModelIndex& i) const override {
        w_.grades_[g_].byEnter = false;
        return QStyledItemDelegate::createEditor(parent, o, i);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) {
            const int k = static_cast<QKeyEvent*>(e)->key();
            if (k == Qt::Key_Return || k == Qt::Key_Enter) w_.grades_[g_].byEnter = true;
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    VariableListDialog& w_;
    int g_;
};

VariableListDialog::VariableListDialog(AppContext& app, QWidget* principal)
    : QWidget(principal, Qt::Window | Qt::WindowStaysOnTopHint), app_(app) {
    setObjectName(QStringLiteral("Dialogos"));
    setWindowTitle(VariableListTitle(false));
    auto* column = new QVBoxLayout(this);
    auto* divisor = new QSplitter(Qt::Vertical, this);
    const char* names[2] = {"ListaVar", "ListaVar2"};
    const char* labels[2] = {"LabelListaVar", "LabelListaVar2"};
    const char* titles[2] = {"Variáveis de Processo", "Sinais de Controle"};
    const int lines[2] = {kVarListRows, kVarList2Rows};
    for (int g = 0; g < 2; ++g) {
        auto* panel = new QWidget(divisor);
        auto* v = new QVBoxLayout(panel);
        v->setContentsMargins(0, 0, 0, 0);
        auto* label = new QLabel(QString::fromUtf8(titles[g]), panel);
        label->setObjectName(QString::fromLatin1(labels[g]));
        label->setAccessibleName(label->text());
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        v->addWidget(label);
        QTableWidget* t = MakeGrid(g, names[g], lines[g]);
        t->setParent(panel);
        label->setBuddy(t);
        t->setAccessibleName(label->text());
        v->addWidget(t, 1);
        divisor->addWidget(panel);
    }
    column->addWidget(divisor, 1);

    auto* updateButton = CaptionedButton<QToolButton>(this, "SpeedButton1", "Atualiza");
    auto* closeButton = CaptionedButton<QToolButton>(this, "SpeedButton2", "Sair");
    QToolButton* helpButton = FooterButtons(this, column, "SpeedButton3", {updateButton, closeButton});
    ApplyTooltipTable(this, VariableListTooltips(), false, MarkedUncaptioned);

    connect(updateButton, &QToolButton::clicked, this, &VariableListDialog::Update);
    connect(closeButton, &QToolButton::clicked, this, [this] {
        Update();
        close();
    });
    connect(helpButton, &QToolButton::clicked, this,
            [this] { OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::Variables); });
    // The value column follows the variables while the list is open; it is
    // read-only, so no edit is disturbed.
    connect(&app_, &AppContext::displayRefresh, this, [this] {
        if (isVisible()) UpdateValues();
    });
    FillInitial();
    resize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 120, fontMetrics().height() * 40);
}

QTableWidget* VariableListDialog::MakeGrid(int g, const char* name, int lines) {
    auto* t = new QTableWidget(lines, kColumns - 1, this);
    t->setObjectName(QString::fromLatin1(name));
    QStringList headers;
    for (int c = 1; c < kColumns; ++c) headers << QString::fromUtf8(kHeaders[c]);
    t->setHorizontalHeaderLabels(headers);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed);
    t->setWordWrap(false);
    // Rows as high as one line of text, so that a screen shows many of them.
    t->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->verticalHeader()->setDefaultSectionSize(t->fontMetrics().height() + 6);
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    // The description takes the room the other columns leave.
    t->horizontalHeader()->setSectionResizeMode(kDescriptionColumn, QHeaderView::Stretch);
    t->horizontalHeader()->setStretchLastSection(false);
    t->setItemDelegate(new Editor(*this, g));
    grades_[g].table = t;
    for (int r = 1; r <= lines; ++r) {
        const int k = Address(g, r);
        t->setVerticalHeaderItem(r - 1, new QTableWidgetItem(QString::fromStdString(VariableName(k))));
        const auto [from, to] = StoredColumns(g, r);
        for (int c = 1; c < kColumns; ++c) {
            auto* item = new QTableWidgetItem;
            // "Tipo" and "Valor" are not selectable; cells the row does not
            // store can be selected but not edited, so that a cell always
            // shows what the table holds.
            Qt::ItemFlags f = Qt::ItemIsEnabled;
            if (c != 1 && c != 8) f |= Qt::ItemIsSelectable;
            if (c >= from && c <= to && from > 0) f |= Qt::ItemIsEditable;
            item->setFlags(f);
            if (c == 8) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(r - 1, c - 1, item);
        }
    }
    connect(t, &QTableWidget::currentCellChanged, this, [this, g](int line, int column) {
        Grade& gr = grades_[g];
        gr.byEnter = false;
        gr.line = line + 1;
        gr.column = column + 1;
        const QTableWidgetItem* item = gr.table->item(line, column);
        gr.oldText = item ? item->text() : QString();
    });
    connect(t, &QTableWidget::itemChanged, this, [this, g](QTableWidgetItem* item) {
        if (!filling_) Store(g, item);
    });
    return t;
}

int VariableListDialog::Address(int grade, int r) {
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

std::pair<int, int> VariableListDialog::StoredColumns(int grade, int r) {
    if (grade == 0) return {2, 7};
    if (r <= 16) return {2, 6};
    if (r >= 36 && r <= 51) return {2, 7};
    return {0, 0};
}

QString VariableListDialog::cell(const QTableWidget* grade, int line, int column) const {
    if (line == 0) return column == 0 ? QString() : grade->horizontalHeaderItem(column - 1)->text();
    if (column == 0) return grade->verticalHeaderItem(line - 1)->text();
    return grade->item(line - 1, column - 1)->text();
}

void VariableListDialog::Define(int g, int r, int c, const QString& text) {
    grades_[g].table->item(r - 1, c - 1)->setText(text);
}

void VariableListDialog::FillInitial() {
    filling_ = true;
    const Memory& mem = app_.sim().mem;
    ResetKinds();
    for (int r = 1; r <= kVarListRows; ++r) {
        Define(0, r, 2, QStringLiteral("%"));
        Define(0, r, 3, QStringLiteral("0"));
        Define(0, r, 4, QStringLiteral("100"));
    }
    for (int r = 1; r <= kVarList2Rows; ++r) {
        QString kind;
        if (r <= 6)
            kind = QStringLiteral("Entrada de Dados %1").arg(r);
        else if (r <= 16)
            kind = QStringLiteral("Setpoint de Controle");
        else if (r <= 26)
            kind = QStringLiteral("Variável Manipulada");
        else if (r <= 29)
            kind = QStringLiteral("Comando Botão %1").arg(r - 26);
        else if (r <= 31)
            kind = QStringLiteral("Comando Chave %1").arg(r - 29);
        else if (r == 32)
            kind = QStringLiteral("Saída Linearizador");
        else if (r <= 35)
            kind = QStringLiteral("Reservado");
        else if (r <= 51)
            kind = QStringLiteral("Gerador de Sinais");
        else
            kind = QStringLiteral("Var.Manip.(posição real)");
        Define(1, r, 1, kind);
        if (r <= 26) {
            Define(1, r, 2, QStringLiteral("%"));
            Define(1, r, 3, QStringLiteral("0"));
            Define(1, r, 4, QStringLiteral("100"));
        }
        if (r >= 27 && r <= 32) Define(1, r, 8, Value(mem[Address(1, r)]));
        if (r >= 52) {
            const char* texts[] = {"%", "0.0", "100.0", "0.0", "100.0"};
            for (int c = 2; c <= 6; ++c) Define(1, r, c, QString::fromLatin1(texts[c - 2]));
            Define(1, r, 7, QString::fromStdString(mem.entry(Address(1, r)).description));
        }
    }
    filling_ = false;
}

void VariableListDialog::ResetKinds() {
    const bool before = filling_;
    filling_ = true;
    for (int r = 1; r <= kVarListRows; ++r) Define(0, r, 1, QStringLiteral("Variável de Processo"));
    filling_ = before;
}

void VariableListDialog::LoadTableRow(int g, int r) {
    const int k = Address(g, r);
    const TableEntry& e = app_.sim().mem.entry(k);
    const std::string* texts[] = {&e.unit, &e.euMin, &e.euMax, &e.lowAlarm, &e.highAlarm, &e.description};
    for (int c = 2; c <= 7; ++c) Define(g, r, c, QString::fromStdString(*texts[c - 2]));
    Define(g, r, 8, Value(app_.sim().mem[k]));
}

void VariableListDialog::UpdateValues() {
    filling_ = true;
    const Memory& mem = app_.sim().mem;
    for (int r = 1; r <= kVarListRows; ++r) Define(0, r, 8, Value(mem[Address(0, r)]));
    for (int r = 1; r <= 51; ++r)
        if (r <= 32 || r >= 36) Define(1, r, 8, Value(mem[Address(1, r)]));
    filling_ = false;
}

void VariableListDialog::Update() {
    filling_ = true;
    Project& p = app_.project();
    for (int r = 27; r <= 32; ++r) Define(1, r, 8, Value(p.sim.mem[Address(1, r)]));
    for (int r = 1; r <= kVarList2Rows; ++r)
        if (r <= 26 || (r >= 36 && r <= 51)) LoadTableRow(1, r);
    for (int r = 1; r <= kVarListRows; ++r) LoadTableRow(0, r);
    // Rows of empty slots keep what they showed.
    for (int n = 1; n <= 24; ++n) {
        if (const auto* proc = p.process(n)) {
            const int k = proc->number();
            Define(0, k <= 40 ? k - 20 : k - 30, 1, QString::fromStdString(proc->TagText));
        }
        if (const auto* block = p.block(n)) {
            const int k = block->number();
            Define(0, k <= 60 ? k - 20 : k - 30, 1, QString::fromStdString(block->TagText));
        }
    }
    filling_ = false;
    for (QTableWidget* t : {varList(), varList2()})
        for (int c = 0; c < kColumns - 1; ++c)
            if (c != kDescriptionColumn) t->resizeColumnToContents(c);
    // The tracks' hints name their ranges.
    if (QWidget* principal = parentWidget()) {
        for (int n = 1; n <= 6; ++n) {
            const QString tooltip = QStringLiteral("Faixa: de ") + cell(varList2(), n, 3) + QStringLiteral(" a ") +
                                 cell(varList2(), n, 4) + QLatin1Char(' ') + cell(varList2(), n, 2);
            for (const QString& name : {QStringLiteral("TrackBack%1"), QStringLiteral("TrackLabel%1")})
                if (auto* w = principal->findChild<QWidget*>(name.arg(n))) w->setToolTip(tooltip);
        }
    }
    for (int n = 1; n <= 10; ++n)
        if (auto* c = p.controller(n)) c->ValidateParameters(false);
    emit tableReloaded();
}

void VariableListDialog::Store(int g, QTableWidgetItem* item) {
    Grade& gr = grades_[g];
    const bool byEnter = gr.byEnter;
    gr.byEnter = false;
    const int r = item->row() + 1;
    const int c = item->column() + 1;
    const auto [from, to] = StoredColumns(g, r);
    // Only Enter stores; an edit left any other way is abandoned.
    if (!byEnter || from == 0 || c < from || c > to || r != gr.line || c != gr.column) {
        Restore(g);
        return;
    }
    Memory& mem = app_.sim().mem;
    const int k = Address(g, r);
    const std::string t = item->text().toStdString();
    switch (c) {
        case 2: mem.setUnit(k, t); break;
        case 3:
            if (ParseReal(t) > ParseReal(cell(gr.table, r, 4).toStdString())) {
                Restore(g);
                return;
            }
            mem.setEuMin(k, t);
            mem.setLowAlarm(k, t);
            break;
        case 4:
            if (ParseReal(t) < ParseReal(cell(gr.table, r, 3).toStdString())) {
                Restore(g);
                return;
            }
            mem.setEuMax(k, t);
            mem.setHighAlarm(k, t);
            break;
        case 5: mem.setLowAlarm(k, t); break;
        case 6: mem.setHighAlarm(k, t); break;
        case 7: mem.setDescription(k, t); break;
        default: break;
    }
    // The cell shows the text as stored (cut to its length), and a later
    // Escape brings this one back.
    const TableEntry& e = mem.entry(k);
    const std::string* stored[] = {&e.unit, &e.euMin, &e.euMax, &e.lowAlarm, &e.highAlarm, &e.description};
    filling_ = true;
    item->setText(QString::fromStdString(*stored[c - 2]));
    filling_ = false;
    gr.oldText = item->text();
    // The table is saved with the project.
    app_.MarkModified();
    emit tableEdited();
}

void VariableListDialog::Restore(int g) {
    Grade& gr = grades_[g];
    if (gr.line < 1 || gr.column < 1) return;
    filling_ = true;
    Define(g, gr.line, gr.column, gr.oldText);
    filling_ = false;
}

void VariableListDialog::showEvent(QShowEvent* e) {
    if (!translated_) {
        translated_ = true;
        if (app_.english()) {
            setWindowTitle(VariableListTitle(true));
            ApplyTexts(this, VariableListTexts(), true);
            ApplyTooltipTable(this, VariableListTooltips(), true, MarkedUncaptioned);
            varList()->setAccessibleName(findChild<QLabel*>(QStringLiteral("LabelListaVar"))->text());
            varList2()->setAccessibleName(findChild<QLabel*>(QStringLiteral("LabelListaVar2"))->text());
        }
    }
    Update();
    QWidget::showEvent(e);
}

void VariableListDialog::changeEvent(QEvent* e) {
    if (e->type() == QEvent::ActivationChange && isActiveWindow()) Update();
    QWidget::changeEvent(e);
}

}  // namespace kivo::ui
