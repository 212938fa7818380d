#include "ui/exercises/ExerciseEditor.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "exercises/Authoring.h"
#include "exercises/ExerciseWriter.h"
#include "exercises/Submission.h"
#include "ui/context/AppContext.h"
#include "ui/context/Interaction.h"
#include "ui/exercises/ExerciseCaptions.h"
#include "ui/exercises/ExerciseTables.h"

namespace kivo::ui {

using namespace kivo::exercises;

namespace {

constexpr int kFieldRole = Qt::UserRole;
constexpr int kKindRole = Qt::UserRole + 1;
constexpr int kNumberRole = Qt::UserRole + 2;

// Comments a teacher typed into a file are not read into the model, so a
// save from here says so at the top of the file.
const char* const kHeader =
    "Written with the exercise editor. Comments typed into this file by hand\n"
    "are not kept when the editor saves it again.";

QPushButton* Button(QWidget* parent, const QString& name, const QString& text) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAccessibleName(text);
    return b;
}

template <class W>
W* Named(W* w, const QString& name, const QString& accessible) {
    w->setObjectName(name);
    w->setAccessibleName(accessible);
    return w;
}

// The key of a complaint as the editor's tabs name it: "Meta 2, event"
// rather than "target[2].event".
QString Where(const ExerciseError& e, bool english) {
    QString key = QString::fromStdString(e.key());
    key.replace(QRegularExpression(QStringLiteral("^target\\[(\\d+)\\]\\.?")), english ? QStringLiteral("Target \\1, ") : QStringLiteral("Meta \\1, "));
    key.replace(QRegularExpression(QStringLiteral("^scenario\\.event\\[(\\d+)\\]\\.?")),
                english ? QStringLiteral("Event \\1, ") : QStringLiteral("Evento \\1, "));
    if (key.endsWith(QStringLiteral(", "))) key.chop(2);
    return key.isEmpty() ? QString() : key + QStringLiteral(": ");
}

}  // namespace

ExerciseEditor::ExerciseEditor(AppContext& app, Exercise exercise, Plant plant, QString file, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), exercise_(std::move(exercise)), plant_(std::move(plant)), file_(std::move(file)) {
    setObjectName(QStringLiteral("EditorExercicio"));
    if (exercise_.drill) drillDraft_ = *exercise_.drill;
    auto* layout = new QVBoxLayout(this);
    auto* tabs = Named(new QTabWidget(this), QStringLiteral("EditorAbas"), app_.Text(QStringLiteral("Partes do exercício"), QStringLiteral("Parts of the exercise")));
    tabs->addTab(TextsPage(), app_.Text(QStringLiteral("Tarefa"), QStringLiteral("Task")));
    tabs->addTab(AllowedPage(), app_.Text(QStringLiteral("O que o aluno muda"), QStringLiteral("What students change")));
    tabs->addTab(ScenarioPage(), app_.Text(QStringLiteral("Cenário"), QStringLiteral("Scenario")));
    tabs->addTab(TargetsPage(), app_.Text(QStringLiteral("Metas"), QStringLiteral("Targets")));
    tabs->addTab(DrillPage(), app_.Text(QStringLiteral("Pergunta"), QStringLiteral("Question")));
    layout->addWidget(tabs, 1);

    auto* foot = new QHBoxLayout;
    message_ = Named(new QLabel(this), QStringLiteral("EditorMensagem"), app_.Text(QStringLiteral("Mensagem"), QStringLiteral("Message")));
    message_->setWordWrap(true);
    foot->addWidget(message_, 1);
    QPushButton* save = Button(this, QStringLiteral("SalvarButton"), app_.Text(QStringLiteral("Salvar"), QStringLiteral("Save")));
    connect(save, &QPushButton::clicked, this, &ExerciseEditor::Save);
    foot->addWidget(save);
    QPushButton* saveAs = Button(this, QStringLiteral("SalvarComoButton"), app_.Text(QStringLiteral("Salvar como..."), QStringLiteral("Save as...")));
    connect(saveAs, &QPushButton::clicked, this, &ExerciseEditor::SaveAs);
    foot->addWidget(saveAs);
    QPushButton* close = Button(this, QStringLiteral("FecharButton"), app_.Text(QStringLiteral("Fechar"), QStringLiteral("Close")));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    foot->addWidget(close);
    layout->addLayout(foot);
    ShowPoints();
    ShowTitle();
    resize(820, 560);
}

QWidget* ExerciseEditor::TextsPage() {
    auto* page = new QWidget(this);
    auto* form = new QFormLayout(page);
    const auto line = [&](const char* name, const QString& label, std::string& field) {
        auto* edit = Named(new QLineEdit(QString::fromStdString(field), page), QString::fromLatin1(name), label);
        connect(edit, &QLineEdit::textEdited, this, [this, &field](const QString& t) {
            field = t.toStdString();
            Edited();
        });
        form->addRow(label, edit);
    };
    const auto text = [&](const char* name, const QString& label, std::string& field) {
        auto* edit = Named(new QPlainTextEdit(QString::fromStdString(field), page), QString::fromLatin1(name), label);
        edit->setTabChangesFocus(true);
        connect(edit, &QPlainTextEdit::textChanged, this, [this, edit, &field] {
            field = edit->toPlainText().toStdString();
            Edited();
        });
        form->addRow(label, edit);
    };
    line("TituloPt", app_.Text(QStringLiteral("Título (português)"), QStringLiteral("Title (Portuguese)")), exercise_.titlePt);
    line("TituloEn", app_.Text(QStringLiteral("Título (inglês)"), QStringLiteral("Title (English)")), exercise_.titleEn);
    text("TarefaPt", app_.Text(QStringLiteral("Tarefa (português)"), QStringLiteral("Task (Portuguese)")), exercise_.taskPt);
    text("TarefaEn", app_.Text(QStringLiteral("Tarefa (inglês)"), QStringLiteral("Task (English)")), exercise_.taskEn);
    auto* plant = Named(new QLabel(QString::fromStdU16String(exercise_.PlantPath().lexically_normal().u16string()), page),
                        QStringLiteral("PlantaTexto"), app_.Text(QStringLiteral("Planta"), QStringLiteral("Plant")));
    plant->setWordWrap(true);
    plant->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(app_.Text(QStringLiteral("Planta"), QStringLiteral("Plant")), plant);
    return page;
}

QWidget* ExerciseEditor::AllowedPage() {
    auto* page = new QWidget(this);
    auto* box = new QVBoxLayout(page);
    auto* note = new QLabel(app_.Text(QStringLiteral("Marque os ajustes que o aluno pode mudar. Qualquer outra diferença do projeto entregue "
                                                     "é relatada, e o projeto não é corrigido."),
                                      QStringLiteral("Tick the settings students may change. Any other difference in a submitted project "
                                                     "is reported, and the project is not graded.")),
                            page);
    note->setWordWrap(true);
    box->addWidget(note);
    allowed_ = Named(new QTreeWidget(page), QStringLiteral("PermitidoArvore"),
                     app_.Text(QStringLiteral("Ajustes que o aluno pode mudar"), QStringLiteral("Settings students may change")));
    allowed_->setHeaderHidden(true);
    std::set<ObjectRef> objects = ObjectsIn(plant_.lines);
    for (const auto& [o, fields] : exercise_.allowed) objects.insert(o);
    const std::map<ObjectRef, std::string> tags = ObjectTags(plant_.lines);
    showing_ = true;
    for (const ObjectRef& o : objects) {
        if (!IsNameable(o)) continue;  // the project's own records, not an object
        QString caption = ObjectCaption(o, app_.english());
        if (const auto tag = tags.find(o); tag != tags.end()) caption += QStringLiteral(" · ") + QString::fromStdString(tag->second);
        auto* top = new QTreeWidgetItem(allowed_, {caption});
        const auto allowed = exercise_.allowed.find(o);
        for (const FieldKey& k : FieldKeys()) {
            if (k.kind != o.kind) continue;
            QString key = QString::fromUtf8(k.key).simplified();
            key.chop(1);  // the file key's ":"
            auto* child = new QTreeWidgetItem(top, {QString::fromLatin1(k.name) + QStringLiteral("  (") + key + QStringLiteral(")")});
            child->setData(0, kFieldRole, QString::fromLatin1(k.name));
            child->setData(0, kKindRole, static_cast<int>(o.kind));
            child->setData(0, kNumberRole, o.number);
            const bool on = allowed != exercise_.allowed.end() && allowed->second.count(k.name);
            child->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
        }
        top->setExpanded(allowed != exercise_.allowed.end());
    }
    showing_ = false;
    connect(allowed_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) { AllowedChanged(item); });
    box->addWidget(allowed_, 1);
    return page;
}

void ExerciseEditor::AllowedChanged(QTreeWidgetItem* item) {
    if (showing_ || !item->parent()) return;
    const ObjectRef o{static_cast<ObjectKind>(item->data(0, kKindRole).toInt()), item->data(0, kNumberRole).toInt()};
    const std::string field = item->data(0, kFieldRole).toString().toStdString();
    auto& fields = exercise_.allowed[o];
    if (item->checkState(0) == Qt::Checked)
        fields.insert(field);
    else
        fields.erase(field);
    if (fields.empty()) exercise_.allowed.erase(o);
    Edited();
}

QWidget* ExerciseEditor::ScenarioPage() {
    auto* page = new QWidget(this);
    auto* box = new QVBoxLayout(page);
    auto* form = new QFormLayout;
    Scenario& s = exercise_.scenario;
    window_ = Named(new QDoubleSpinBox(page), QStringLiteral("JanelaSpin"), app_.Text(QStringLiteral("Janela (s)"), QStringLiteral("Window (s)")));
    window_->setRange(60, 4 * 3600);
    window_->setDecimals(0);
    window_->setSingleStep(60);
    window_->setValue(s.window);
    connect(window_, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        exercise_.scenario.window = v;
        Edited();
    });
    form->addRow(window_->accessibleName(), window_);
    auto* sample = Named(new QDoubleSpinBox(page), QStringLiteral("AmostraSpin"), app_.Text(QStringLiteral("Amostragem (s)"), QStringLiteral("Sample (s)")));
    sample->setRange(0.01, 1);
    sample->setSingleStep(0.01);
    sample->setValue(s.sample);
    connect(sample, &QDoubleSpinBox::valueChanged, this, [this](double v) {
        exercise_.scenario.sample = v;
        Edited();
    });
    form->addRow(sample->accessibleName(), sample);
    auto* seed = Named(new QSpinBox(page), QStringLiteral("SementeSpin"),
                       app_.Text(QStringLiteral("Semente do ruído"), QStringLiteral("Noise seed")));
    seed->setRange(0, 2147483647);
    seed->setValue(static_cast<int>(s.seed));
    connect(seed, &QSpinBox::valueChanged, this, [this](int v) {
        exercise_.scenario.seed = static_cast<std::uint32_t>(v);
        Edited();
    });
    form->addRow(seed->accessibleName(), seed);
    auto* repeats = Named(new QSpinBox(page), QStringLiteral("RepeticoesSpin"),
                          app_.Text(QStringLiteral("Repetições (sementes seguidas)"), QStringLiteral("Repeats (consecutive seeds)")));
    repeats->setRange(1, 100);
    repeats->setValue(s.repeats);
    connect(repeats, &QSpinBox::valueChanged, this, [this](int v) {
        exercise_.scenario.repeats = v;
        Edited();
    });
    form->addRow(repeats->accessibleName(), repeats);
    box->addLayout(form);

    events_ = new EventTable(exercise_, app_.english(), page);
    Named(events_, QStringLiteral("EventosTabela"), app_.Text(QStringLiteral("Eventos"), QStringLiteral("Events")));
    connect(events_, &ExerciseTable::edited, this, &ExerciseEditor::Edited);
    connect(events_, &ExerciseTable::refused, this, [this](const QString& m) { ShowMessage(m, true); });
    box->addWidget(events_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(page, QStringLiteral("IncluirEventoButton"), app_.Text(QStringLiteral("Incluir evento"), QStringLiteral("Add event")));
    connect(add, &QPushButton::clicked, this, [this] {
        Event e;
        e.time = std::min(60.0, exercise_.scenario.window);
        e.controller = exercise_.targets.empty() ? 1 : exercise_.targets.front().loop;
        e.value = 10;
        exercise_.scenario.events.push_back(e);
        events_->Refresh();
        events_->setCurrentCell(events_->rowCount() - 1, EventTable::TimeColumn);
        Edited();
    });
    QPushButton* remove = Button(page, QStringLiteral("ExcluirEventoButton"), app_.Text(QStringLiteral("Excluir evento"), QStringLiteral("Remove event")));
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = events_->currentRow();
        if (row < 0) return;
        RemoveEvent(exercise_, static_cast<std::size_t>(row));
        events_->Refresh();
        targets_->Refresh();
        Edited();
    });
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    box->addLayout(buttons);
    return page;
}

QWidget* ExerciseEditor::TargetsPage() {
    auto* page = new QWidget(this);
    auto* box = new QVBoxLayout(page);
    targets_ = new TargetTable(exercise_, app_.english(), page);
    Named(targets_, QStringLiteral("MetasTabela"), app_.Text(QStringLiteral("Metas"), QStringLiteral("Targets")));
    connect(targets_, &ExerciseTable::edited, this, &ExerciseEditor::Edited);
    connect(targets_, &ExerciseTable::refused, this, [this](const QString& m) { ShowMessage(m, true); });
    box->addWidget(targets_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(page, QStringLiteral("IncluirMetaButton"), app_.Text(QStringLiteral("Incluir meta"), QStringLiteral("Add target")));
    connect(add, &QPushButton::clicked, this, [this] {
        Target t;
        t.loop = exercise_.targets.empty() ? 1 : exercise_.targets.back().loop;
        t.limit = 1;
        exercise_.targets.push_back(t);
        targets_->Refresh();
        targets_->setCurrentCell(targets_->rowCount() - 1, TargetTable::LimitColumn);
        Edited();
    });
    QPushButton* remove = Button(page, QStringLiteral("ExcluirMetaButton"), app_.Text(QStringLiteral("Excluir meta"), QStringLiteral("Remove target")));
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = targets_->currentRow();
        if (row < 0) return;
        exercise_.targets.erase(exercise_.targets.begin() + row);
        targets_->Refresh();
        Edited();
    });
    QPushButton* suggest = Button(page, QStringLiteral("SugerirLimitesButton"),
                                  app_.Text(QStringLiteral("Sugerir limites pela planta"), QStringLiteral("Suggest limits from the plant")));
    suggest->setToolTip(app_.Text(QStringLiteral("Roda a planta com os seus próprios ajustes no cenário e põe cada limite um quarto pior que o resultado"),
                                  QStringLiteral("Runs the plant with its own settings through the scenario and sets each limit a quarter worse than the result")));
    connect(suggest, &QPushButton::clicked, this, &ExerciseEditor::SuggestLimits);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    points_ = Named(new QLabel(page), QStringLiteral("PontosTexto"), app_.Text(QStringLiteral("Pontos"), QStringLiteral("Points")));
    buttons->addWidget(points_);
    buttons->addWidget(suggest);
    box->addLayout(buttons);
    return page;
}

QWidget* ExerciseEditor::DrillPage() {
    auto* page = new QWidget(this);
    auto* box = new QVBoxLayout(page);
    drillOn_ = Named(new QCheckBox(app_.Text(QStringLiteral("Perguntar qual foi a falha"), QStringLiteral("Ask which fault it was")), page),
                     QStringLiteral("PerguntaCheck"), QString());
    drillOn_->setAccessibleName(drillOn_->text());
    box->addWidget(drillOn_);
    auto* note = new QLabel(app_.Text(QStringLiteral("A falha são os eventos marcados como ocultos no cenário: o aluno vê as tendências, não o evento, e escolhe a "
                                                     "resposta na janela do exercício. A resposta certa fica no arquivo do exercício: é um "
                                                     "recurso didático, não uma prova trancada."),
                                      QStringLiteral("The fault is the events marked hidden in the scenario: students see the trends, not the event, "
                                                     "and choose the answer in the exercise window. The right answer is in the exercise file: a "
                                                     "teaching aid, not a locked examination.")),
                            page);
    note->setWordWrap(true);
    box->addWidget(note);
    auto* form = new QFormLayout;
    questionPt_ = Named(new QLineEdit(page), QStringLiteral("PerguntaPt"), app_.Text(QStringLiteral("Pergunta (português)"), QStringLiteral("Question (Portuguese)")));
    questionEn_ = Named(new QLineEdit(page), QStringLiteral("PerguntaEn"), app_.Text(QStringLiteral("Pergunta (inglês)"), QStringLiteral("Question (English)")));
    form->addRow(questionPt_->accessibleName(), questionPt_);
    form->addRow(questionEn_->accessibleName(), questionEn_);
    box->addLayout(form);
    choices_ = Named(new QTableWidget(0, 2, page), QStringLiteral("EscolhasTabela"), app_.Text(QStringLiteral("Respostas possíveis"), QStringLiteral("Choices")));
    choices_->setHorizontalHeaderLabels({app_.Text(QStringLiteral("Resposta (português)"), QStringLiteral("Choice (Portuguese)")),
                                         app_.Text(QStringLiteral("Resposta (inglês)"), QStringLiteral("Choice (English)"))});
    choices_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    box->addWidget(choices_, 1);
    auto* buttons = new QHBoxLayout;
    QPushButton* add = Button(page, QStringLiteral("IncluirEscolhaButton"), app_.Text(QStringLiteral("Incluir resposta"), QStringLiteral("Add choice")));
    QPushButton* remove = Button(page, QStringLiteral("ExcluirEscolhaButton"), app_.Text(QStringLiteral("Excluir resposta"), QStringLiteral("Remove choice")));
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch(1);
    answer_ = Named(new QSpinBox(page), QStringLiteral("RespostaSpin"), app_.Text(QStringLiteral("Resposta certa"), QStringLiteral("Right answer")));
    drillPoints_ = Named(new QDoubleSpinBox(page), QStringLiteral("PontosPerguntaSpin"), app_.Text(QStringLiteral("Pontos"), QStringLiteral("Points")));
    drillPoints_->setRange(0, 1000);
    buttons->addWidget(new QLabel(answer_->accessibleName(), page));
    buttons->addWidget(answer_);
    buttons->addWidget(new QLabel(drillPoints_->accessibleName(), page));
    buttons->addWidget(drillPoints_);
    box->addLayout(buttons);

    ShowDrill();
    connect(drillOn_, &QCheckBox::toggled, this, [this](bool on) {
        if (showing_) return;
        if (on && drillDraft_.choices.size() < 2) drillDraft_.choices.resize(2);
        exercise_.drill = on ? std::optional<Drill>(drillDraft_) : std::nullopt;
        ShowDrill();
        Edited();
    });
    connect(questionPt_, &QLineEdit::textEdited, this, &ExerciseEditor::DrillEdited);
    connect(questionEn_, &QLineEdit::textEdited, this, &ExerciseEditor::DrillEdited);
    connect(choices_, &QTableWidget::itemChanged, this, &ExerciseEditor::DrillEdited);
    connect(answer_, &QSpinBox::valueChanged, this, &ExerciseEditor::DrillEdited);
    connect(drillPoints_, &QDoubleSpinBox::valueChanged, this, &ExerciseEditor::DrillEdited);
    connect(add, &QPushButton::clicked, this, [this] {
        drillDraft_.choices.emplace_back();
        exercise_.drill = drillDraft_;
        ShowDrill();
        Edited();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = choices_->currentRow();
        if (row < 0 || drillDraft_.choices.size() <= 2) return;  // a question needs two answers
        drillDraft_.choices.erase(drillDraft_.choices.begin() + row);
        drillDraft_.answer = std::min(drillDraft_.answer, static_cast<int>(drillDraft_.choices.size()));
        exercise_.drill = drillDraft_;
        ShowDrill();
        Edited();
    });
    for (QWidget* w : std::initializer_list<QWidget*>{add, remove}) w->setEnabled(exercise_.drill.has_value());
    connect(drillOn_, &QCheckBox::toggled, add, &QWidget::setEnabled);
    connect(drillOn_, &QCheckBox::toggled, remove, &QWidget::setEnabled);
    return page;
}

void ExerciseEditor::ShowDrill() {
    showing_ = true;
    const bool on = exercise_.drill.has_value();
    drillOn_->setChecked(on);
    const Drill& d = drillDraft_;
    questionPt_->setText(QString::fromStdString(d.questionPt));
    questionEn_->setText(QString::fromStdString(d.questionEn));
    choices_->setRowCount(static_cast<int>(d.choices.size()));
    for (int r = 0; r < choices_->rowCount(); ++r) {
        const auto& [pt, en] = d.choices[static_cast<std::size_t>(r)];
        choices_->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(pt)));
        choices_->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(en)));
    }
    answer_->setRange(1, std::max(1, choices_->rowCount()));
    answer_->setValue(d.answer);
    drillPoints_->setValue(d.points);
    for (QWidget* w : std::initializer_list<QWidget*>{questionPt_, questionEn_, choices_, answer_, drillPoints_})
        w->setEnabled(on);
    showing_ = false;
}

void ExerciseEditor::DrillEdited() {
    if (showing_ || !exercise_.drill) return;
    Drill& d = drillDraft_;
    d.questionPt = questionPt_->text().toStdString();
    d.questionEn = questionEn_->text().toStdString();
    for (int r = 0; r < choices_->rowCount(); ++r)
        for (int c = 0; c < 2; ++c) {
            const QTableWidgetItem* i = choices_->item(r, c);
            (c == 0 ? d.choices[static_cast<std::size_t>(r)].first : d.choices[static_cast<std::size_t>(r)].second) =
                i ? i->text().toStdString() : std::string();
        }
    d.answer = answer_->value();
    d.points = drillPoints_->value();
    exercise_.drill = d;
    Edited();
}

void ExerciseEditor::Edited() {
    if (showing_) return;
    modified_ = true;
    ShowPoints();
    ShowTitle();
}

void ExerciseEditor::ShowPoints() {
    points_->setText(app_.Text(QStringLiteral("Total: %1 pontos"), QStringLiteral("Total: %1 points"))
                         .arg(QString::number(exercise_.MaxPoints(), 'g', 6)));
}

void ExerciseEditor::ShowTitle() {
    const QString name = file_.isEmpty() ? app_.Text(QStringLiteral("novo"), QStringLiteral("new")) : QFileInfo(file_).fileName();
    setWindowTitle(app_.Text(QStringLiteral("Editor de exercício"), QStringLiteral("Exercise editor")) + QStringLiteral(" - ") + name +
                   (modified_ ? QStringLiteral(" *") : QString()));
}

void ExerciseEditor::ShowMessage(const QString& text, bool error) {
    message_->setStyleSheet(error ? QStringLiteral("color: #a00000") : QString());
    message_->setText(text);
}

void ExerciseEditor::SuggestLimits() {
    try {
        const std::vector<std::size_t> none = exercises::SuggestLimits(exercise_, plant_);
        targets_->Refresh();
        Edited();
        QString text = app_.Text(QStringLiteral("Limites sugeridos pelo resultado da planta."), QStringLiteral("Limits suggested from the plant's result."));
        if (!none.empty()) {
            QStringList rows;
            for (std::size_t i : none) rows << QString::number(i + 1);
            text += QStringLiteral(" ") + app_.Text(QStringLiteral("A planta não dá valor às metas %1: seus limites ficaram."),
                                                    QStringLiteral("The plant gives targets %1 no value: their limits stay."))
                                              .arg(rows.join(QStringLiteral(", ")));
        }
        ShowMessage(text, false);
    } catch (const ExerciseError& e) {
        ShowMessage(Where(e, app_.english()) + QString::fromStdString(e.reason()), true);
    }
}

bool ExerciseEditor::Save() { return file_.isEmpty() ? SaveAs() : SaveTo(file_); }

bool ExerciseEditor::SaveAs() {
    // A new exercise starts in the work folder: an installed plant's own
    // folder is read-only.
    QString name = app_.interaction().ExerciseSaveFileName(this, file_);
    if (name.isEmpty()) return false;
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".kex");
    return SaveTo(name);
}

bool ExerciseEditor::SaveTo(const QString& file) {
    try {
        SaveExercise(exercise_, std::filesystem::path(file.toStdU16String()), kHeader);
    } catch (const ExerciseError& e) {
        ShowMessage(Where(e, app_.english()) + QString::fromStdString(e.reason()), true);
        return false;
    }
    file_ = file;
    modified_ = false;
    ShowTitle();
    ShowMessage(app_.Text(QStringLiteral("Salvo em %1."), QStringLiteral("Saved as %1.")).arg(QFileInfo(file).fileName()), false);
    emit saved(file);
    return true;
}

void ExerciseEditor::closeEvent(QCloseEvent* event) {
    if (modified_ && app_.interaction().Ask(this, app_.Text(QStringLiteral("Salvar as alterações do exercício?"),
                                                            QStringLiteral("Save the changes to the exercise?"))) &&
        !Save()) {
        event->ignore();  // the message says why; nothing typed is lost
        return;
    }
    event->accept();
}

}  // namespace kivo::ui
