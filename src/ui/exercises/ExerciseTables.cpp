#include "ui/exercises/ExerciseTables.h"

#include <cmath>

#include <QComboBox>
#include <QHeaderView>
#include <QLocale>

#include "ui/exercises/ExerciseCaptions.h"

namespace kivo::ui {

using namespace kivo::exercises;

namespace {

QString Shortest(double v) { return QString::number(v, 'g', QLocale::FloatingPointShortest); }

QComboBox* CellCombo(QTableWidget* table, const QString& name, const QStringList& items) {
    auto* c = new QComboBox(table);
    c->setObjectName(name);
    c->setAccessibleName(name);
    c->addItems(items);
    return c;
}

}  // namespace

ExerciseTable::ExerciseTable(Exercise& exercise, bool english, QWidget* parent)
    : QTableWidget(parent), exercise_(exercise), english_(english) {
    verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
}

void ExerciseTable::SetCell(int row, int column, const QString& text, bool enabled) {
    QTableWidgetItem* i = item(row, column);
    if (!i) {
        i = new QTableWidgetItem;
        setItem(row, column, i);
    }
    i->setText(enabled ? text : QStringLiteral("–"));
    i->setFlags(enabled ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::ItemIsSelectable);
}

int ExerciseTable::RowOf(const QWidget* cellWidget, int column) const {
    for (int r = 0; r < rowCount(); ++r)
        if (this->cellWidget(r, column) == cellWidget) return r;
    return -1;
}

std::optional<double> ExerciseTable::Number(const QTableWidgetItem* cell, const QString& text, const QString& rowName) {
    const auto v = TypedNumber(text);
    if (!v)
        emit refused(Text("%1, %2: «%3» não é um número.", "%1, %2: \"%3\" is not a number.")
                         .arg(rowName, horizontalHeaderItem(cell->column())->text(), cell->text()));
    return v;
}

EventTable::EventTable(Exercise& exercise, bool english, QWidget* parent) : ExerciseTable(exercise, english, parent) {
    setColumnCount(kColumns);
    setHorizontalHeaderLabels({Text("Tempo (s)", "Time (s)"), Text("Evento", "Event"),
                               Text("Malha / M / processo", "Loop / M / process"), Text("Ajuste", "Setting"),
                               Text("Valor", "Value"), Text("Oculto", "Hidden")});
    horizontalHeaderItem(ObjectColumn)->setToolTip(
        Text("O controlador do evento, o endereço da memória (M) ou o número do processo",
             "The event's controller, the memory's address (M) or the process's number"));
    horizontalHeaderItem(ValueColumn)->setToolTip(
        Text("Degrau de SP, saída e desvio em % da faixa; memória em %; o ajuste do processo como na sua janela",
             "Setpoint step, output and bias in % of span; memory in %; a process setting as its window takes it"));
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(this, &QTableWidget::itemChanged, this, &EventTable::CellEdited);
    Refresh();
}

void EventTable::Refresh() {
    refreshing_ = true;
    const int rows = static_cast<int>(exercise_.scenario.events.size());
    setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        if (!cellWidget(r, KindColumn)) {
            QStringList kinds;
            for (EventKind k : kEventKinds) kinds << EventKindCaption(k, english_);
            QComboBox* kind = CellCombo(this, Text("Tipo do evento %1", "Kind of event %1").arg(r + 1), kinds);
            connect(kind, &QComboBox::activated, this, [this, kind](int i) { KindChosen(RowOf(kind, KindColumn), i); });
            setCellWidget(r, KindColumn, kind);
            QStringList fields;
            for (const char* f : kProcessEventFields) fields << QString::fromLatin1(f);
            QComboBox* field = CellCombo(this, Text("Ajuste do evento %1", "Setting of event %1").arg(r + 1), fields);
            connect(field, &QComboBox::activated, this, [this, field](int i) { FieldChosen(RowOf(field, FieldColumn), i); });
            setCellWidget(r, FieldColumn, field);
        }
        ShowRow(r);
    }
    refreshing_ = false;
}

void EventTable::ShowRow(int r) {
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    const Event& e = exercise_.scenario.events[static_cast<std::size_t>(r)];
    SetCell(r, TimeColumn, Shortest(e.time));
    auto* kind = static_cast<QComboBox*>(cellWidget(r, KindColumn));
    kind->setCurrentIndex(static_cast<int>(std::find(std::begin(kEventKinds), std::end(kEventKinds), e.kind) - std::begin(kEventKinds)));
    const bool process = e.kind == EventKind::Process;
    const int object = process ? e.process : e.kind == EventKind::Memory ? e.address : e.controller;
    SetCell(r, ObjectColumn, QString::number(object));
    auto* field = static_cast<QComboBox*>(cellWidget(r, FieldColumn));
    field->setEnabled(process);
    field->setCurrentIndex(process ? static_cast<int>(std::find_if(std::begin(kProcessEventFields),
                                                                   std::end(kProcessEventFields),
                                                                   [&](const char* f) { return e.field == f; }) -
                                                      std::begin(kProcessEventFields))
                                   : -1);
    const bool hasValue = e.kind != EventKind::Manual && e.kind != EventKind::Automatic && e.kind != EventKind::Freeze;
    SetCell(r, ValueColumn, process ? QString::fromStdString(e.text) : Shortest(e.value), hasValue);
    SetCell(r, HiddenColumn, QString());
    item(r, HiddenColumn)->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item(r, HiddenColumn)->setCheckState(e.hidden ? Qt::Checked : Qt::Unchecked);
    refreshing_ = wasRefreshing;
}

void EventTable::CellEdited(QTableWidgetItem* cell) {
    if (refreshing_) return;
    const int r = cell->row();
    Event& e = exercise_.scenario.events[static_cast<std::size_t>(r)];
    const QString rowName = Text("Evento %1", "Event %1").arg(r + 1);
    const auto number = [&]() { return Number(cell, cell->text(), rowName); };
    switch (cell->column()) {
        case TimeColumn:
            if (const auto v = number()) e.time = *v;
            break;
        case ObjectColumn:
            if (const auto v = number()) {
                const int n = static_cast<int>(std::lround(std::clamp(*v, -1e6, 1e6)));
                (e.kind == EventKind::Process ? e.process : e.kind == EventKind::Memory ? e.address : e.controller) = n;
            }
            break;
        case ValueColumn:
            if (e.kind == EventKind::Process)
                e.text = cell->text().trimmed().toStdString();
            else if (const auto v = number())
                e.value = *v;
            break;
        case HiddenColumn: e.hidden = cell->checkState() == Qt::Checked; break;
        default: return;
    }
    ShowRow(r);
    emit edited();
}

void EventTable::KindChosen(int r, int index) {
    if (r < 0 || index < 0) return;
    Event& e = exercise_.scenario.events[static_cast<std::size_t>(r)];
    e.kind = kEventKinds[index];
    // Each kind keeps its own number; a new one starts from a sound value.
    if (e.kind == EventKind::Process && e.process == 0) e.process = 21;
    if (e.kind == EventKind::Process && e.field.empty()) e.field = kProcessEventFields[0];
    if (e.kind == EventKind::Memory && e.address == 0) e.address = 1;
    if (e.kind != EventKind::Process && e.kind != EventKind::Memory && e.controller == 0) e.controller = 1;
    ShowRow(r);
    emit edited();
}

void EventTable::FieldChosen(int r, int index) {
    if (r < 0 || index < 0) return;
    exercise_.scenario.events[static_cast<std::size_t>(r)].field = kProcessEventFields[index];
    emit edited();
}

TargetTable::TargetTable(Exercise& exercise, bool english, QWidget* parent) : ExerciseTable(exercise, english, parent) {
    setColumnCount(kColumns);
    setHorizontalHeaderLabels({Text("Malha", "Loop"), Text("Medida", "Measure"), Text("Após o evento", "After event"),
                               Text("Meta", "Target"), Text("Limite", "Limit"), Text("Faixa (%)", "Band (%)"),
                               Text("Pontos", "Points")});
    horizontalHeaderItem(BandColumn)->setToolTip(
        Text("Tempo de acomodação: a meia largura da faixa em torno do SP, em % da faixa",
             "Settling time: the half-width of the band around SP, in % of span"));
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(this, &QTableWidget::itemChanged, this, &TargetTable::CellEdited);
    Refresh();
}

void TargetTable::Refresh() {
    refreshing_ = true;
    const int rows = static_cast<int>(exercise_.targets.size());
    setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        if (!cellWidget(r, MeasureColumn)) {
            QStringList measures;
            for (Measure m : kMeasures) measures << MeasureCaption(m, english_);
            QComboBox* measure = CellCombo(this, Text("Medida da meta %1", "Measure of target %1").arg(r + 1), measures);
            connect(measure, &QComboBox::activated, this, [this, measure](int i) {
                const int row = RowOf(measure, MeasureColumn);
                if (row < 0) return;
                Target& t = exercise_.targets[static_cast<std::size_t>(row)];
                t.measure = kMeasures[i];
                if (IsEventMeasure(t.measure) && t.event == 0) t.event = 1;
                ShowRow(row);
                emit edited();
            });
            setCellWidget(r, MeasureColumn, measure);
            QComboBox* bound = CellCombo(this, Text("Meta %1: máximo ou mínimo", "Target %1: at most or at least").arg(r + 1),
                                         {Text("≤ no máximo", "≤ at most"), Text("≥ no mínimo", "≥ at least")});
            connect(bound, &QComboBox::activated, this, [this, bound](int i) {
                const int row = RowOf(bound, BoundColumn);
                if (row < 0) return;
                exercise_.targets[static_cast<std::size_t>(row)].atLeast = i == 1;
                emit edited();
            });
            setCellWidget(r, BoundColumn, bound);
        }
        ShowRow(r);
    }
    refreshing_ = false;
}

void TargetTable::ShowRow(int r) {
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    const Target& t = exercise_.targets[static_cast<std::size_t>(r)];
    SetCell(r, LoopColumn, QString::number(t.loop));
    static_cast<QComboBox*>(cellWidget(r, MeasureColumn))
        ->setCurrentIndex(static_cast<int>(std::find(std::begin(kMeasures), std::end(kMeasures), t.measure) - std::begin(kMeasures)));
    SetCell(r, EventColumn, QString::number(t.event), IsEventMeasure(t.measure));
    static_cast<QComboBox*>(cellWidget(r, BoundColumn))->setCurrentIndex(t.atLeast ? 1 : 0);
    SetCell(r, LimitColumn, Shortest(t.limit) + MeasureUnit(t.measure));
    SetCell(r, BandColumn, Shortest(t.band), t.measure == Measure::SettlingTime);
    SetCell(r, PointsColumn, Shortest(t.points));
    refreshing_ = wasRefreshing;
}

void TargetTable::CellEdited(QTableWidgetItem* cell) {
    if (refreshing_) return;
    const int r = cell->row();
    Target& t = exercise_.targets[static_cast<std::size_t>(r)];
    // The limit shows its unit; what is typed may keep it or not.
    QString text = cell->text().trimmed();
    for (const QString& unit : {QStringLiteral("%"), QStringLiteral("s")})
        if (cell->column() == LimitColumn && text.endsWith(unit)) text.chop(unit.size());
    const auto v = Number(cell, text, Text("Meta %1", "Target %1").arg(r + 1));
    if (v) {
        const int whole = static_cast<int>(std::lround(std::clamp(*v, -1e6, 1e6)));
        switch (cell->column()) {
            case LoopColumn: t.loop = whole; break;
            case EventColumn: t.event = whole; break;
            case LimitColumn: t.limit = *v; break;
            case BandColumn: t.band = *v; break;
            case PointsColumn: t.points = *v; break;
            default: break;
        }
    }
    ShowRow(r);
    if (v) emit edited();
}

}  // namespace kivo::ui
