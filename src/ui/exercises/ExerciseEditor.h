#pragma once
// The teacher's side of an exercise: its texts, what the student may change,
// the scenario's timeline, the targets (limits suggested from a run of the
// plant) and a drill's question, edited on the exercise itself and saved as
// its file. The plant is the project file the exercise names, as it is on
// disk.
#include <QWidget>

#include "exercises/Grading.h"

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;
class QTableWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace kivo::ui {

class AppContext;
class EventTable;
class TargetTable;

class ExerciseEditor : public QWidget {
    Q_OBJECT
public:
    // file is the exercise's file; empty for one never saved.
    ExerciseEditor(AppContext& app, exercises::Exercise exercise, exercises::Plant plant, QString file,
                   QWidget* parent);

    const exercises::Exercise& exercise() const { return exercise_; }
    const exercises::Plant& plant() const { return plant_; }
    const QString& file() const { return file_; }
    bool modified() const { return modified_; }

    // Saves to the exercise's file, asking for one the first time; false
    // when cancelled or refused (the message is shown in the window).
    bool Save();
    bool SaveAs();
    // Runs the plant through the scenario and sets every target's limit from
    // what it achieves.
    void SuggestLimits();

signals:
    void saved(const QString& file);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* TextsPage();
    QWidget* AllowedPage();
    QWidget* ScenarioPage();
    QWidget* TargetsPage();
    QWidget* DrillPage();
    void Edited();
    void ShowMessage(const QString& text, bool error);
    bool SaveTo(const QString& file);
    void AllowedChanged(QTreeWidgetItem* item);
    void ShowDrill();
    void DrillEdited();
    void ShowTitle();
    void ShowPoints();

    AppContext& app_;
    exercises::Exercise exercise_;
    exercises::Plant plant_;
    QString file_;
    bool modified_ = false;
    bool showing_ = false;  // the guard: showing the model is no edit
    // The drill as typed, kept while its box is unticked so that ticking it
    // again brings it back.
    exercises::Drill drillDraft_;

    QLabel* message_ = nullptr;
    QTreeWidget* allowed_ = nullptr;
    EventTable* events_ = nullptr;
    TargetTable* targets_ = nullptr;
    QDoubleSpinBox* window_ = nullptr;
    QCheckBox* drillOn_ = nullptr;
    QLineEdit* questionPt_ = nullptr;
    QLineEdit* questionEn_ = nullptr;
    QTableWidget* choices_ = nullptr;
    QSpinBox* answer_ = nullptr;
    QDoubleSpinBox* drillPoints_ = nullptr;
    QLabel* points_ = nullptr;
};

}  // namespace kivo::ui
