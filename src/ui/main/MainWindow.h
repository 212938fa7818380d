#pragma once
// The main window: menu, save indicator, plant diagram, comments panel,
// help bar, loading progress and the example chooser.
#include <functional>
#include <map>
#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "ui/exercises/ExerciseEditor.h"
#include "ui/exercises/ExerciseWindow.h"
#include "ui/main/RewindPanel.h"
#include "ui/shell/ObjectWindows.h"
#include "ui/shell/Shell.h"
#include "ui/widgets/CommentsPanel.h"
#include "version/Version.h"

class QAction;
class QGroupBox;
class QLabel;
class QProgressBar;
class QScrollArea;
class QTextEdit;
class QToolButton;

namespace kivo {
class LoadObserver;
}

namespace kivo::ui {

class AppContext;
class ProjectLifecycle;
class RecorderCycle;
class Diagram;
class ExampleChooser;
class GeneratorsWindow;
class VariableListDialog;
class WidgetPanel;
class ProjectSettingsDialog;

inline constexpr char kInitialTitle[] = "KIVO (v " KIVO_VERSION ")";
// The caption of a new or reset project.
inline constexpr char kNewTitle[] = "KIVO v " KIVO_VERSION;

class MainWindow : public QMainWindow, public Shell {
    Q_OBJECT
public:
    explicit MainWindow(AppContext& app, QWidget* parent = nullptr);
    ~MainWindow() override;

    AppContext& app() override { return app_; }
    Diagram& diagram() override { return *diagram_; }
    WidgetPanel& panel() override { return *panel_; }
    ObjectWindows& windows() override { return windows_; }
    QWidget* mainWidget() override { return this; }
    ProjectSettingsDialog& config() { return *config_; }
    ExampleChooser& chooser() { return *chooser_; }
    ProjectLifecycle& cycle() { return *cycle_; }
    RecorderCycle& recorderCycle() { return *recorderCycle_; }
    VariableListDialog& variableListDialog() { return *variableListDialog_; }
    GeneratorsWindow& generators() { return *generators_; }
    // The window of the open exercise; nullptr before one is opened.
    ExerciseWindow* exerciseWindow() const { return exerciseWindow_.data(); }
    // Asks for an exercise, loads its plant and shows its window.
    void OpenExercise();
    // The teacher's editor on a new exercise from the open project, or on
    // the open exercise (asking for a file when none is open).
    void NewExercise();
    void EditExercise();
    // The editor; nullptr when none is open.
    ExerciseEditor* exerciseEditor() const { return exerciseEditor_.data(); }
    QToolButton* indicator() const { return saveIndicator_; }
    CommentsPanel* comments() const { return commentsPanel_; }
    RewindPanel* rewind() const { return rewind_; }
    QGroupBox* progress() const { return progressBox_; }
    LoadObserver& loadObserver();
    // A menu item by its objectName.
    QAction* actionItem(const QString& name) const;

    // The window a menu item shows (signal generators, fast simulation,
    // variable list, XY recorder): built on first use, then shown again.
    // Items without a window do nothing.
    void RegisterMenuWindow(const QString& item, std::function<QWidget*()> factory);

    void UpdateDiagram() override;
    // Applies the English texts of the main window, the chooser and the
    // configuration dialog; sets the language flag.
    void TranslateToEnglish();
    // The save indicator and the project's menu items.
    void ShowIndicator(bool visible);
    // The caption: the project's title and, for a project kept in a file of
    // the user's (the save indicator shown), that file's name, so a student
    // with several copies of a plant sees which one is open.
    void UpdateTitle() override;
    void ShowProjectMenus(bool visible);
    void ShowChooser(bool visible);
    void ShowComments(bool visible);
    // The comments panel shows the project's lines.
    void ReloadComments();
    // Reloads the picture and "descricao.rtf" (double click on the diagram).
    void ReloadImageAndComments();
    // The background picture of the project, looked for in the current
    // directory and then beside the project file.
    void LoadProjectImage(const QString& imagePath, const QString& projectPath);

signals:
    // A project was reset or loaded: windows that outlive projects drop
    // what they showed of the previous one.
    void projectChanged();

protected:
    void closeEvent(QCloseEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void ShowExerciseEditor(exercises::Exercise exercise, exercises::Plant plant, const QString& file);
    // The exercise window on the exercise given, in place of the one before.
    void ShowExerciseWindow(exercises::Exercise exercise, exercises::Plant plant, bool visible);
    class Load;

    void MakeMenu();
    QWidget* MakeCentralWidget();
    void UpdateIndicator(bool saved);
    void ChooseLanguage(bool english);

    AppContext& app_;
    ObjectWindows windows_;
    bool userFile_ = false;
    QToolButton* saveIndicator_ = nullptr;
    Diagram* diagram_ = nullptr;
    WidgetPanel* panel_ = nullptr;
    QWidget* work_ = nullptr;
    QScrollArea* scrollArea_ = nullptr;
    CommentsPanel* commentsPanel_ = nullptr;
    RewindPanel* rewind_ = nullptr;
    QGroupBox* progressBox_ = nullptr;
    QProgressBar* loadProgress_ = nullptr;
    QLabel* helpBar_ = nullptr;
    ExampleChooser* chooser_ = nullptr;
    ProjectSettingsDialog* config_ = nullptr;
    std::map<QString, std::function<QWidget*()>> menuFactories_;
    std::map<QString, QPointer<QWidget>> menuWindows_;
    VariableListDialog* variableListDialog_ = nullptr;
    GeneratorsWindow* generators_ = nullptr;
    QPointer<ExerciseWindow> exerciseWindow_;
    QPointer<ExerciseEditor> exerciseEditor_;
    std::unique_ptr<ProjectLifecycle> cycle_;
    std::unique_ptr<Load> load_;
    RecorderCycle* recorderCycle_ = nullptr;
    // Stops the panel's own edits from being written back while the panel
    // is filled from the project.
    bool fillingComments_ = false;
};

}  // namespace kivo::ui
