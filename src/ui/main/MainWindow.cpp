#include "ui/main/MainWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QScrollArea>
#include <QTextEdit>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>

#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"
#include "project/ProjectFile.h"
#include "ui/context/AppContext.h"
#include "ui/context/Preferences.h"
#include "ui/context/UserFile.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/i18n/Translations.h"
#include "ui/shell/Diagram.h"
#include "ui/main/RtfText.h"
#include "ui/widgets/CommentsPanel.h"
#include "ui/objects/BlockWindow.h"
#include "ui/objects/GeneratorsWindow.h"
#include "ui/objects/ProcessWindow.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/exercises/ExerciseWindow.h"
#include "ui/main/ProjectLifecycle.h"
#include "ui/project/ExampleChooser.h"
#include "ui/project/ProjectSettingsDialog.h"
#include "ui/recorders/RecorderCycle.h"
#include "ui/project/VariableListDialog.h"
#include "ui/shell/WidgetPanel.h"
#include "ui/recorders/XYRecorderWindow.h"
#include "ui/widgets/Icons.h"

namespace kivo::ui {

// What the window does around a project load: the progress panel, the
// timer, one box per validation message, the diagram refresh.
class MainWindow::Load : public LoadObserver {
public:
    explicit Load(MainWindow& w) : w_(w) {}
    void OnStart() override {
        w_.app_.timer().stop();
        w_.loadProgress_->setValue(0);
        w_.progressBox_->show();
    }
    void OnProgress(int percent) override {
        w_.loadProgress_->setValue(percent);
        w_.loadProgress_->repaint();
    }
    void OnMessage(const std::string& text) override { w_.app_.Inform(QString::fromStdString(text)); }
    void OnUpdateDiagram() override {
        w_.diagram_->PlaceMarkers();
        w_.panel_->Reload();
        w_.UpdateDiagram();
    }
    void OnFinish(bool) override {
        w_.progressBox_->hide();
        w_.app_.timer().start();
    }

private:
    MainWindow& w_;
};

MainWindow::MainWindow(AppContext& app, QWidget* parent) : QMainWindow(parent), app_(app) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kInitialTitle));
    setWindowIcon(MakeIcon(Icon::Program));
    app_.setMainWindow(this);
    MakeMenu();
    setCentralWidget(MakeCentralWidget());
    config_ = new ProjectSettingsDialog(app_, *this);
    // The variable list and the generator bank live as long as the program.
    variableListDialog_ = new VariableListDialog(app_, this);
    generators_ = new GeneratorsWindow(app_, this);
    RegisterMenuWindow("Variveis1", [this]() -> QWidget* { return variableListDialog_; });
    RegisterMenuWindow("Configurao1", [this]() -> QWidget* { return generators_; });
    windows_.Register(Family::ProcessBlock, [this](int slot) { return new ProcessWindow(app_, *this, slot); });
    windows_.Register(Family::CalculationBlock, [this](int slot) { return new BlockWindow(app_, *this, slot); });
    cycle_ = std::make_unique<ProjectLifecycle>(app_, *this);
    load_ = std::make_unique<Load>(*this);
    recorderCycle_ = new RecorderCycle(*this);
    // The XY recorder lives as long as the main window; the menu shows it.
    RegisterMenuWindow("RegistradorXY1", [this]() -> QWidget* { return &recorderCycle_->xyRecorder(); });
    // Recorders and texts derive their ranges and units from the variable
    // table: they follow the list's refresh as the controllers do.
    connect(variableListDialog_, &VariableListDialog::tableReloaded, recorderCycle_, &RecorderCycle::UpdateAll);
    // Whatever rewrites the table's texts reaches the windows that list them.
    connect(variableListDialog_, &VariableListDialog::tableReloaded, &app_, &AppContext::tableChanged);
    connect(variableListDialog_, &VariableListDialog::tableEdited, &app_, &AppContext::tableChanged);
    connect(generators_, &GeneratorsWindow::applied, &app_, &AppContext::tableChanged);
    connect(&app_, &AppContext::tableChanged, &recorderCycle_->xyRecorder(), &XYRecorderWindow::UpdateLists);
    // The list's "Tipo" column names the owners of the project it shows.
    connect(this, &MainWindow::projectChanged, variableListDialog_, &VariableListDialog::ResetKinds);
    windows_.Register(Family::PidController, [this](int n) -> QWidget* {
        kivo::Controller* c = app_.project().controller(n);
        return c ? new ControllerFaceplate(app_, *this, *c) : nullptr;
    });
    connect(&app_, &AppContext::savedStateChanged, this, &MainWindow::UpdateIndicator);
    UpdateIndicator(app_.saved());
    setWindowState(Qt::WindowMaximized);
}

MainWindow::~MainWindow() {
    // Object windows go before the objects they show.
    windows_.CloseAll();
    app_.setMainWindow(nullptr);
}

LoadObserver& MainWindow::loadObserver() { return *load_; }

QAction* MainWindow::actionItem(const QString& name) const {
    if (auto* a = findChild<QAction*>(name)) return a;
    if (auto* m = findChild<QMenu*>(name)) return m->menuAction();
    return nullptr;
}

void MainWindow::MakeMenu() {
    QMenuBar* bar = menuBar();
    const auto item = [this](const char* name, const char* text, const char* tooltip = nullptr) {
        auto* a = new QAction(QString::fromUtf8(text), this);
        a->setObjectName(QString::fromLatin1(name));
        if (tooltip) {
            a->setToolTip(QString::fromUtf8(tooltip));
            a->setStatusTip(QString::fromUtf8(tooltip));
        }
        return a;
    };
    const auto menu = [](QWidget* parent, const char* name, const char* text) {
        auto* m = new QMenu(QString::fromUtf8(text), parent);
        m->setObjectName(QString::fromLatin1(name));
        m->setToolTipsVisible(true);
        return m;
    };

    // The save indicator is the first item of the bar and shows a caption
    // beside its icon, which a menu bar item cannot, so it is a flat button
    // at the bar's leading corner.
    saveIndicator_ = new QToolButton(bar);
    saveIndicator_->setObjectName(QStringLiteral("Salvar1"));
    saveIndicator_->setAutoRaise(true);
    saveIndicator_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    // Reachable with Tab like every control; a click does not take focus.
    saveIndicator_->setFocusPolicy(Qt::TabFocus);
    bar->setCornerWidget(saveIndicator_, Qt::TopLeftCorner);
    saveIndicator_->hide();
    connect(saveIndicator_, &QToolButton::clicked, this, [this] { cycle_->Save(); });

    QMenu* file = menu(bar, "Arquivo1", "Arquivo");
    file->addAction(item("Novo1", "Novo"));
    file->addAction(item("Abrir1", "Abrir"));
    file->addAction(item("SalvarComo1", "Salvar Como..."));
    QAction* n3 = file->addSeparator();
    n3->setObjectName(QStringLiteral("N3"));
    file->addAction(item("Sair1", "Sair"));
    QMenu* language = menu(file, "SelectLanguage1", "Select Language");
    auto* group = new QActionGroup(language);
    for (const auto& [name, text] : {std::pair{"Portuguese1", "Portuguese"}, std::pair{"English1", "English"}}) {
        QAction* a = item(name, text);
        a->setCheckable(true);
        group->addAction(a);
        language->addAction(a);
    }
    actionItem("Portuguese1")->setChecked(true);
    file->addMenu(language);
    bar->addMenu(file);

    bar->addAction(item("Exemplos1", "Exemplos"));
    bar->addAction(item("Configurao2", "Configuração", "Inclusão de objetos "));
    bar->addAction(item("Configurao1", "Gerador de Sinais", "Inclusão de sinais aleatórios para simular distúrbios"));
    bar->addAction(item("Dese1", "Simulação Rápida"));
    bar->addAction(item("Variveis1", "Lista de Variáveis"));
    bar->addAction(item("RegistradorXY1", "Registrador XY"));

    QMenu* exercise = menu(bar, "Exercicio1", "Exercício");
    exercise->addAction(item("AbrirExercicio1", "Abrir exercício..."));
    exercise->addSeparator();
    exercise->addAction(item("NovoExercicio1", "Novo exercício deste projeto..."));
    exercise->addAction(item("EditarExercicio1", "Editar exercício..."));
    bar->addMenu(exercise);

    QMenu* options = menu(bar, "Opes1", "Opções");
    for (const auto& [name, text] : {std::pair{"PausarSimulao2", "Pausar Simulação"},
                                      std::pair{"MoverObjetos2", "Mover Objetos"},
                                      std::pair{"ExcluirObjetos", "Excluir Objetos"}}) {
        QAction* a = item(name, text);
        a->setCheckable(true);
        options->addAction(a);
    }
    bar->addMenu(options);

    QMenu* helpButton = menu(bar, "Sobre1", "Ajuda");
    QAction* comments = item("Comentrios1", "Exibir comentários");
    comments->setCheckable(true);
    helpButton->addAction(comments);
    helpButton->addAction(item("utorial1", "Visitar website"));
    helpButton->addAction(item("VdeoAulas1", "Vídeo Aulas"));
    helpButton->addAction(item("IntroduoControledeProcessos1", "Introdução Controle de Processos"));
    helpButton->addAction(item("Sobre3", "Sobre"));
    bar->addMenu(helpButton);

    ShowProjectMenus(false);
    // The bar shows its items' hints, as the menus do.
    bar->installEventFilter(this);

    connect(actionItem("Novo1"), &QAction::triggered, this, [this] { cycle_->New(); });
    connect(actionItem("Abrir1"), &QAction::triggered, this, [this] { cycle_->Open(); });
    connect(actionItem("SalvarComo1"), &QAction::triggered, this, [this] { cycle_->SaveAs(); });
    connect(actionItem("Sair1"), &QAction::triggered, this, &QWidget::close);
    connect(actionItem("Exemplos1"), &QAction::triggered, this, [this] { cycle_->Examples(); });
    connect(actionItem("AbrirExercicio1"), &QAction::triggered, this, &MainWindow::OpenExercise);
    connect(actionItem("NovoExercicio1"), &QAction::triggered, this, &MainWindow::NewExercise);
    connect(actionItem("EditarExercicio1"), &QAction::triggered, this, &MainWindow::EditExercise);
    connect(actionItem("Portuguese1"), &QAction::triggered, this, [this] { ChooseLanguage(false); });
    connect(actionItem("English1"), &QAction::triggered, this, [this] { ChooseLanguage(true); });
    connect(actionItem("Configurao2"), &QAction::triggered, this, [this] { config_->ShowDialog(); });
    connect(actionItem("PausarSimulao2"), &QAction::triggered, this, [this] { app_.TogglePause(); });
    connect(actionItem("Comentrios1"), &QAction::toggled, this, &MainWindow::ShowComments);
    const auto helpOn = [this](const char* name, help::Entry e) {
        connect(actionItem(QString::fromLatin1(name)), &QAction::triggered, this,
                [this, e] { OpenHelp(app_.interaction(), help::UrlBase(app_.english()), e); });
    };
    helpOn("utorial1", help::Entry::Website);
    helpOn("VdeoAulas1", help::Entry::VideoLessons);
    helpOn("IntroduoControledeProcessos1", help::Entry::Lessons);
    connect(actionItem("Sobre3"), &QAction::triggered, this, [this] {
        auto* about = new FastSimulationWindow(this);
        about->TranslateAbout(app_.english());
        about->setAttribute(Qt::WA_DeleteOnClose);
        about->show();
    });
    for (const char* name : {"Configurao1", "Dese1", "Variveis1", "RegistradorXY1"}) {
        const QString item = QString::fromLatin1(name);
        connect(actionItem(item), &QAction::triggered, this, [this, item] {
            QPointer<QWidget>& window = menuWindows_[item];
            if (!window) {
                const auto factory = menuFactories_.find(item);
                if (factory == menuFactories_.end()) return;
                window = factory->second();
                if (!window) return;
            }
            window->show();
            window->raise();
            window->activateWindow();
        });
    }
    // The fast-simulation window: a new one for each opening, released on close.
    RegisterMenuWindow("Dese1", [this]() -> QWidget* {
        auto* fastSimulation = new FastSimulationWindow(app_, this);
        fastSimulation->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &MainWindow::projectChanged, fastSimulation, &FastSimulationWindow::FollowProject);
        connect(&app_, &AppContext::tableChanged, fastSimulation, &FastSimulationWindow::NameTabs);
        return fastSimulation;
    });
}

void MainWindow::OpenExercise() {
    auto opened = cycle_->OpenExercise();
    if (!opened) return;
    ShowExerciseWindow(std::move(opened->first), std::move(opened->second), true);
}

void MainWindow::ShowExerciseWindow(exercises::Exercise exercise, exercises::Plant plant, bool visible) {
    // One exercise at a time: the window of the previous one goes.
    delete exerciseWindow_;
    exerciseWindow_ = new ExerciseWindow(app_, std::move(exercise), std::move(plant), this);
    connect(exerciseWindow_, &ExerciseWindow::commentsChanged, this, &MainWindow::ReloadComments);
    exerciseWindow_->setVisible(visible);
}

void MainWindow::NewExercise() {
    if (auto s = cycle_->NewExercise()) ShowExerciseEditor(std::move(s->exercise), std::move(s->plant), QString());
}

void MainWindow::EditExercise() {
    if (exerciseWindow_) {
        const exercises::Exercise& e = exerciseWindow_->exercise();
        ShowExerciseEditor(e, exerciseWindow_->plant(), QString::fromStdU16String(e.file.u16string()));
    } else if (auto opened = cycle_->ExerciseToEdit()) {
        const QString file = QString::fromStdU16String(opened->first.file.u16string());
        ShowExerciseEditor(std::move(opened->first), std::move(opened->second), file);
    }
}

void MainWindow::ShowExerciseEditor(exercises::Exercise exercise, exercises::Plant plant, const QString& file) {
    // One editor at a time; closing the old one may ask to save it first.
    if (exerciseEditor_ && !exerciseEditor_->close()) return;
    delete exerciseEditor_;
    exerciseEditor_ = new ExerciseEditor(app_, std::move(exercise), std::move(plant), file, this);
    exerciseEditor_->setAttribute(Qt::WA_DeleteOnClose);
    // The exercise window on screen shows what was just saved, so the
    // teacher can run it at once as a student would.
    connect(exerciseEditor_, &ExerciseEditor::saved, this, [this] {
        if (!exerciseWindow_ || !exerciseEditor_) return;
        ShowExerciseWindow(exerciseEditor_->exercise(), exerciseEditor_->plant(), exerciseWindow_->isVisible());
    });
    exerciseEditor_->show();
}

void MainWindow::RegisterMenuWindow(const QString& item, std::function<QWidget*()> factory) {
    menuFactories_[item] = std::move(factory);
}

QWidget* MainWindow::MakeCentralWidget() {
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    progressBox_ = new QGroupBox(centre);
    progressBox_->setObjectName(QStringLiteral("GroupBox1"));
    auto* frame = new QVBoxLayout(progressBox_);
    loadProgress_ = new QProgressBar(progressBox_);
    loadProgress_->setObjectName(QStringLiteral("ProgressBar1"));
    loadProgress_->setAccessibleName(QStringLiteral("ProgressBar1"));
    loadProgress_->setRange(0, 100);
    frame->addWidget(loadProgress_);
    progressBox_->hide();
    column->addWidget(progressBox_);

    chooser_ = new ExampleChooser(app_, centre);
    chooser_->hide();
    connect(chooser_, &ExampleChooser::exampleChosen, this, [this](int i) { cycle_->OpenExample(i); });
    column->addWidget(chooser_, 1);

    // The diagram and the comments panel give way to the chooser together.
    work_ = new QWidget(centre);
    work_->setObjectName(QStringLiteral("AreaDiagrama"));
    auto* line = new QHBoxLayout(work_);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(0);
    scrollArea_ = new QScrollArea(work_);
    scrollArea_->setObjectName(QStringLiteral("ScrollBox1"));
    scrollArea_->setAccessibleName(QStringLiteral("Diagrama da planta"));
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(true);
    diagram_ = new Diagram(app_, windows_, actionItem("MoverObjetos2"), actionItem("ExcluirObjetos"));
    panel_ = new WidgetPanel(app_, *diagram_);
    connect(&app_, &AppContext::displayRefresh, panel_, &WidgetPanel::UpdateDisplay);
    scrollArea_->setWidget(diagram_);
    line->addWidget(scrollArea_, 1);
    connect(diagram_, &Diagram::doubleClicked, this, &MainWindow::ReloadImageAndComments);
    connect(diagram_, &Diagram::objectDeleted, this, [this](Family f, int n) { config_->SlotEmptied(f, n); });

    commentsPanel_ = new CommentsPanel(work_);
    commentsPanel_->setObjectName(QStringLiteral("RichEdit1"));
    commentsPanel_->setFixedWidth(288);
    commentsPanel_->setFrameShape(QFrame::NoFrame);
    commentsPanel_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette pal = commentsPanel_->palette();
    pal.setColor(QPalette::Base, QColor(0xB9, 0xD1, 0xEA));  // light caption gradient
    commentsPanel_->setPalette(pal);
    commentsPanel_->hide();
    connect(commentsPanel_, &QTextEdit::textChanged, this, [this] {
        if (fillingComments_) return;
        auto& lines = app_.project().comments;
        lines.clear();
        for (const QString& l : commentsPanel_->toPlainText().split('\n')) lines.push_back(l.toStdString());
        app_.MarkModified();
    });
    line->addWidget(commentsPanel_);
    column->addWidget(work_, 1);
    rewind_ = new RewindPanel(app_, centre);
    column->addWidget(rewind_);
    connect(&app_, &AppContext::plantRestored, this, [this] { actionItem("PausarSimulao2")->setChecked(app_.paused()); });

    auto* helpPanel = new QFrame(centre);
    helpPanel->setObjectName(QStringLiteral("HelpPanel"));
    helpPanel->setFrameShape(QFrame::StyledPanel);
    auto* helpButton = new QHBoxLayout(helpPanel);
    helpButton->setContentsMargins(2, 1, 2, 1);
    helpBar_ = new QLabel(QStringLiteral("Clique aqui para informações adicionais"), helpPanel);
    helpBar_->setObjectName(QStringLiteral("Label21"));
    helpBar_->setAccessibleName(helpBar_->text());
    helpBar_->setCursor(Qt::PointingHandCursor);
    // A link: Tab reaches it and Enter or Space opens it.
    helpBar_->setFocusPolicy(Qt::TabFocus);
    helpBar_->installEventFilter(this);
    helpButton->addWidget(helpBar_, 0, Qt::AlignCenter);
    column->addWidget(helpPanel);
    return centre;
}

bool MainWindow::eventFilter(QObject* o, QEvent* e) {
    if (o == menuBar() && e->type() == QEvent::ToolTip) {
        const auto* helpButton = static_cast<QHelpEvent*>(e);
        const QAction* a = menuBar()->actionAt(helpButton->pos());
        if (a && !a->menu() && a->toolTip() != a->text()) {
            QToolTip::showText(helpButton->globalPos(), a->toolTip(), menuBar());
            return true;
        }
        return false;
    }
    const bool keyActivates = e->type() == QEvent::KeyPress && [&] {
        const int k = static_cast<QKeyEvent*>(e)->key();
        return k == Qt::Key_Space || k == Qt::Key_Return || k == Qt::Key_Enter;
    }();
    if (o == helpBar_ && (e->type() == QEvent::MouseButtonRelease || keyActivates)) {
        OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::HelpBar);
        return true;
    }
    return QMainWindow::eventFilter(o, e);
}

void MainWindow::UpdateDiagram() {
    panel_->UpdateDiagram();
    diagram_->UpdateDiagram();
    // Every apply and every load end here, after writing their descriptions.
    emit app_.tableChanged();
}

void MainWindow::TranslateToEnglish() {
    app_.SetEnglish();
    ApplyTexts(this, MainWindowTexts(), true);
    chooser_->Translate();
    config_->Translate();
    actionItem("English1")->setChecked(true);
    commentsPanel_->SetLanguage(true);
    rewind_->SetLanguage(true);
    scrollArea_->setAccessibleName(QStringLiteral("Plant diagram"));
    UpdateIndicator(app_.saved());
}

void MainWindow::UpdateIndicator(bool saved) {
    const QString text = saved ? app_.Text(QStringLiteral("To salvo!"), QStringLiteral("I´m saved!"))
                                : app_.Text(QStringLiteral("Salve me!"), QStringLiteral("Save me!"));
    saveIndicator_->setText(text);
    saveIndicator_->setAccessibleName(text);
    saveIndicator_->setIcon(MakeIcon(saved ? Icon::Saved : Icon::Modified));
    saveIndicator_->setProperty("indiceIcone", saved ? 0 : 1);
}

void MainWindow::ShowIndicator(bool visible) {
    userFile_ = visible;
    saveIndicator_->setVisible(visible);
    UpdateTitle();
    menuBar()->adjustSize();
    menuBar()->updateGeometry();
}

void MainWindow::UpdateTitle() {
    const std::string& title = app_.project().title;
    if (title.empty() && app_.projectPath.isEmpty()) return;  // the start or "New" caption stays
    QString t = QString::fromStdString(title);
    if (userFile_ && !app_.projectPath.isEmpty()) {
        const QFileInfo file(app_.projectPath);
        // A title made from the file's name already names it.
        if (t != file.fileName() && t != file.completeBaseName())
            t = t.isEmpty() ? file.fileName() : t + QStringLiteral(" — ") + file.fileName();
    }
    setWindowTitle(t);
}

void MainWindow::ShowProjectMenus(bool visible) {
    for (const char* name :
         {"SalvarComo1", "Exemplos1", "Configurao2", "Configurao1", "Opes1", "Variveis1", "Dese1", "RegistradorXY1"})
        actionItem(QString::fromLatin1(name))->setVisible(visible);
}

void MainWindow::ShowChooser(bool visible) {
    chooser_->setVisible(visible);
    work_->setVisible(!visible);
    rewind_->setVisible(!visible);
}

void MainWindow::ShowComments(bool visible) {
    QAction* item = actionItem("Comentrios1");
    if (item->isChecked() != visible) item->setChecked(visible);  // comes back here through toggled
    commentsPanel_->setVisible(visible);
    app_.project().commentsVisible = visible;
}

void MainWindow::ReloadComments() {
    QStringList lines;
    for (const std::string& l : app_.project().comments) lines << QString::fromStdString(l);
    fillingComments_ = true;
    commentsPanel_->setPlainText(lines.join('\n'));
    fillingComments_ = false;
}

void MainWindow::ReloadImageAndComments() {
    const QString name = QString::fromStdString(app_.project().image);
    if (!name.isEmpty() && QFileInfo::exists(name)) diagram_->LoadImage(name);
    const QString rtf = QStringLiteral("descricao.rtf");
    if (!QFileInfo::exists(rtf)) return;
    QString reason;
    if (const auto bytes = ReadUserFile(rtf, kMaxBytesComments, app_.english(), &reason))
        commentsPanel_->setHtml(HtmlFromRtf(*bytes));
    else
        app_.Inform(app_.english() ? QStringLiteral("The comments file \"%1\" was not read: %2.").arg(rtf, reason)
                                   : QStringLiteral("O arquivo de comentários \"%1\" não foi lido: %2.").arg(rtf, reason));
}

void MainWindow::LoadProjectImage(const QString& imagePath, const QString& projectPath) {
    if (imagePath.isEmpty() || QFileInfo(imagePath).fileName().isEmpty()) {
        diagram_->HideImage();
        return;
    }
    if (diagram_->LoadImage(imagePath)) return;
    // A project opened from another folder keeps its picture beside it.
    const QString besideProject = QFileInfo(projectPath).dir().filePath(QFileInfo(imagePath).fileName());
    if (!diagram_->LoadImage(besideProject)) diagram_->HideImage();
}

void MainWindow::ChooseLanguage(bool english) {
    if (english != app_.english()) {
        const QString error = app_.folders().SetLanguage(english);
        if (!error.isEmpty())
            app_.Inform(error);
        else
            app_.Inform(english ? QStringLiteral("It is necessary restart application")
                                : QStringLiteral("É necessário reiniciar o aplicativo"));
    }
    // The check mark shows the running program's language.
    actionItem(app_.english() ? "English1" : "Portuguese1")->setChecked(true);
}

void MainWindow::closeEvent(QCloseEvent* e) {
    cycle_->OnClose();
    e->accept();
}

}  // namespace kivo::ui
