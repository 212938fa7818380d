#pragma once
// The editor's two tables, each a view on a list of the exercise being
// edited: the scenario's events and the targets. An edit goes straight to
// the model; a text that is no number is refused with a message and the
// cell shows the model's value again.
#include <optional>

#include <QTableWidget>

#include "exercises/Exercise.h"

namespace kivo::ui {

class ExerciseTable : public QTableWidget {
    Q_OBJECT
public:
    ExerciseTable(exercises::Exercise& exercise, bool english, QWidget* parent);
    // Shows the model's rows again (after the model changed elsewhere).
    virtual void Refresh() = 0;

signals:
    // The model was changed from the table.
    void edited();
    // An edit was refused: what and where.
    void refused(const QString& message);

protected:
    // A cell's text, disabled (greyed, not editable) when the row has no
    // such value.
    void SetCell(int row, int column, const QString& text, bool enabled = true);
    QString Text(const char* pt, const char* en) const { return QString::fromUtf8(english_ ? en : pt); }
    // The row a cell's widget is in now; -1 when it is in none.
    int RowOf(const QWidget* cellWidget, int column) const;
    // The number text (typed in cell) holds, or none after saying so.
    std::optional<double> Number(const QTableWidgetItem* cell, const QString& text, const QString& rowName);

    exercises::Exercise& exercise_;
    bool english_;
    bool refreshing_ = false;  // the guard: a refresh is no edit
};

class EventTable : public ExerciseTable {
    Q_OBJECT
public:
    enum Column { TimeColumn, KindColumn, ObjectColumn, FieldColumn, ValueColumn, HiddenColumn, kColumns };
    EventTable(exercises::Exercise& exercise, bool english, QWidget* parent);
    void Refresh() override;

private:
    void CellEdited(QTableWidgetItem* item);
    void KindChosen(int row, int index);
    void FieldChosen(int row, int index);
    void ShowRow(int row);
};

class TargetTable : public ExerciseTable {
    Q_OBJECT
public:
    enum Column { LoopColumn, MeasureColumn, EventColumn, BoundColumn, LimitColumn, BandColumn, PointsColumn, kColumns };
    TargetTable(exercises::Exercise& exercise, bool english, QWidget* parent);
    void Refresh() override;

private:
    void CellEdited(QTableWidgetItem* item);
    void ShowRow(int row);
};

}  // namespace kivo::ui
