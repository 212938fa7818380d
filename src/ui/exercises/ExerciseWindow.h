#pragma once
// The exercise as the student works on it: the task, the targets with their
// values and a green or red mark after a run, the drill's question, and the
// submission of the student's project under a name the teacher asked for.
// The run grades the open project exactly as kivo-batch grade would.
#include <optional>

#include <QWidget>

#include "exercises/Grading.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kivo::ui {

class AppContext;

class ExerciseWindow : public QWidget {
    Q_OBJECT
public:
    ExerciseWindow(AppContext& app, exercises::Exercise exercise, exercises::Plant plant, QWidget* parent);

    const exercises::Exercise& exercise() const { return exercise_; }
    const exercises::Plant& plant() const { return plant_; }
    // The grade of the last run; none before the first.
    const std::optional<exercises::GradeRow>& lastGrade() const { return last_; }

    // Grades the open project through the exercise's scenario.
    void Run();
    // Asks for the file name and saves the project there with the drill's
    // answer in its comments; an existing file is never replaced.
    void Submit();

signals:
    // The project's comments changed (the drill's answer was written).
    void commentsChanged();

private:
    void ShowGrade();
    std::optional<int> Answer() const;
    QString TargetText(const exercises::Target& t) const;

    AppContext& app_;
    exercises::Exercise exercise_;
    exercises::Plant plant_;
    std::optional<exercises::GradeRow> last_;
    QTableWidget* table_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* differences_ = nullptr;
    QGroupBox* question_ = nullptr;
    QButtonGroup* choices_ = nullptr;
};

}  // namespace kivo::ui
