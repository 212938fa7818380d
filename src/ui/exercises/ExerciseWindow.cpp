#include "ui/exercises/ExerciseWindow.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "project/ProjectFile.h"
#include "ui/context/AppContext.h"
#include "ui/context/Interaction.h"
#include "ui/exercises/ExerciseCaptions.h"

namespace kivo::ui {
namespace {

using namespace kivo::exercises;

enum Column { LoopColumn, MeasureColumn, TargetColumn, ValueColumn, ResultColumn, PointsColumn, kColumns };

const QColor kPassColour(0xC8, 0xF0, 0xC8);
const QColor kFailColour(0xF6, 0xC4, 0xC4);

QString Number(double v) { return QString::number(v, 'f', 2); }

// Removes the answer lines the comments carry already.
void DropAnswers(std::vector<std::string>& lines) {
    std::erase_if(lines, [](const std::string& l) {
        return l.rfind(kAnswerPrefixPt, 0) == 0 || l.rfind(kAnswerPrefixEn, 0) == 0;
    });
}

}  // namespace

ExerciseWindow::ExerciseWindow(AppContext& app, Exercise exercise, Plant plant, QWidget* parent)
    : QWidget(parent, Qt::Window), app_(app), exercise_(std::move(exercise)), plant_(std::move(plant)) {
    setObjectName(QStringLiteral("Exercicio"));
    const bool en = app_.english();
    setWindowTitle(QString::fromStdString(en ? exercise_.titleEn : exercise_.titlePt));
    auto* layout = new QVBoxLayout(this);

    auto* task = new QLabel(QString::fromStdString(en ? exercise_.taskEn : exercise_.taskPt), this);
    task->setObjectName(QStringLiteral("TarefaTexto"));
    task->setWordWrap(true);
    task->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    task->setAccessibleName(app_.Text(QStringLiteral("Tarefa"), QStringLiteral("Task")));
    layout->addWidget(task);

    table_ = new QTableWidget(static_cast<int>(exercise_.targets.size()), kColumns, this);
    table_->setObjectName(QStringLiteral("MetasTabela"));
    table_->setAccessibleName(app_.Text(QStringLiteral("Metas"), QStringLiteral("Targets")));
    table_->setHorizontalHeaderLabels(
        {app_.Text(QStringLiteral("Malha"), QStringLiteral("Loop")), app_.Text(QStringLiteral("Medida"), QStringLiteral("Measure")),
         app_.Text(QStringLiteral("Meta"), QStringLiteral("Target")), app_.Text(QStringLiteral("Valor"), QStringLiteral("Value")),
         app_.Text(QStringLiteral("Resultado"), QStringLiteral("Result")),
         app_.Text(QStringLiteral("Pontos"), QStringLiteral("Points"))});
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    for (int r = 0; r < table_->rowCount(); ++r) {
        const Target& t = exercise_.targets[static_cast<std::size_t>(r)];
        const QStringList cells = {QString::number(t.loop), TargetText(t),
                                   (t.atLeast ? QStringLiteral("≥ ") : QStringLiteral("≤ ")) + Number(t.limit) + MeasureUnit(t.measure),
                                   QStringLiteral("–"), QString(), Number(t.points)};
        for (int c = 0; c < kColumns; ++c) table_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(table_, 1);

    differences_ = new QLabel(this);
    differences_->setObjectName(QStringLiteral("DiferencasTexto"));
    differences_->setAccessibleName(app_.Text(QStringLiteral("Diferenças"), QStringLiteral("Differences")));
    differences_->setWordWrap(true);
    differences_->setStyleSheet(QStringLiteral("color: #a00000"));
    differences_->hide();
    layout->addWidget(differences_);

    if (exercise_.drill) {
        question_ = new QGroupBox(QString::fromStdString(en ? exercise_.drill->questionEn : exercise_.drill->questionPt), this);
        question_->setObjectName(QStringLiteral("PerguntaGrupo"));
        question_->setAccessibleName(question_->title());
        auto* box = new QVBoxLayout(question_);
        choices_ = new QButtonGroup(question_);
        int id = 1;
        for (const auto& [pt, enText] : exercise_.drill->choices) {
            auto* b = new QRadioButton(QString::number(id) + QStringLiteral(". ") + QString::fromStdString(en ? enText : pt),
                                       question_);
            b->setObjectName(QStringLiteral("Escolha%1").arg(id));
            b->setAccessibleName(b->text());
            choices_->addButton(b, id++);
            box->addWidget(b);
        }
        layout->addWidget(question_);
    }

    auto* foot = new QHBoxLayout;
    total_ = new QLabel(this);
    total_->setObjectName(QStringLiteral("TotalTexto"));
    total_->setAccessibleName(QStringLiteral("Total"));
    foot->addWidget(total_, 1);
    auto* run = new QPushButton(app_.Text(QStringLiteral("Rodar"), QStringLiteral("Run")), this);
    run->setObjectName(QStringLiteral("RodarButton"));
    connect(run, &QPushButton::clicked, this, &ExerciseWindow::Run);
    run->setAccessibleName(run->text());
    foot->addWidget(run);
    auto* submit = new QPushButton(app_.Text(QStringLiteral("Entregar..."), QStringLiteral("Submit...")), this);
    submit->setObjectName(QStringLiteral("EntregarButton"));
    connect(submit, &QPushButton::clicked, this, &ExerciseWindow::Submit);
    submit->setAccessibleName(submit->text());
    foot->addWidget(submit);
    auto* close = new QPushButton(app_.Text(QStringLiteral("Fechar"), QStringLiteral("Close")), this);
    close->setObjectName(QStringLiteral("FecharButton"));
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    close->setAccessibleName(close->text());
    foot->addWidget(close);
    layout->addLayout(foot);
    total_->setText(app_.Text(QStringLiteral("Total: – / %1"), QStringLiteral("Total: – / %1")).arg(Number(exercise_.MaxPoints())));
    resize(640, 420);
}

QString ExerciseWindow::TargetText(const Target& t) const {
    QString name = MeasureCaption(t.measure, app_.english());
    if (IsEventMeasure(t.measure)) name += app_.Text(QStringLiteral(" (evento %1)"), QStringLiteral(" (event %1)")).arg(t.event);
    return name;
}

std::optional<int> ExerciseWindow::Answer() const {
    if (!choices_ || choices_->checkedId() < 1) return std::nullopt;
    return choices_->checkedId();
}

void ExerciseWindow::Run() {
    const std::string name = QFileInfo(app_.projectPath).completeBaseName().toStdString();
    last_ = GradeLines(exercise_, plant_, ProjectLines(app_.project()), Answer(), name);
    ShowGrade();
}

void ExerciseWindow::ShowGrade() {
    const GradeRow& row = *last_;
    differences_->setVisible(!row.valid);
    if (!row.valid) {
        QString text = app_.Text(QStringLiteral("Não corrigido: o projeto muda o que o exercício não permite:"),
                                 QStringLiteral("Not graded: the project changes what the exercise does not allow:"));
        for (const std::string& d : row.differences) text += QStringLiteral("\n") + QString::fromStdString(d);
        if (row.differences.empty()) text += QStringLiteral("\n") + QString::fromStdString(row.message);
        differences_->setText(text);
    }
    for (int r = 0; r < table_->rowCount(); ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        const TargetResult* t = i < row.targets.size() ? &row.targets[i] : nullptr;
        QString value = QStringLiteral("–"), result;
        if (t && t->value) {
            value = Number(*t->value) + MeasureUnit(t->target->measure);
            if (exercise_.scenario.repeats > 1) value += QStringLiteral(" ± ") + Number(t->spread);
        }
        if (t) result = t->pass ? app_.Text(QStringLiteral("✔ atingida"), QStringLiteral("✔ met"))
                                : app_.Text(QStringLiteral("✘ não atingida"), QStringLiteral("✘ missed"));
        table_->item(r, ValueColumn)->setText(value);
        table_->item(r, ResultColumn)->setText(result);
        table_->item(r, PointsColumn)->setText(Number(t ? t->points : 0) + QStringLiteral(" / ") +
                                               Number(exercise_.targets[i].points));
        const QColor colour = !t ? QColor() : t->pass ? kPassColour : kFailColour;
        for (int c = 0; c < kColumns; ++c) table_->item(r, c)->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
    }
    total_->setText(QStringLiteral("Total: %1 / %2").arg(Number(row.total), Number(row.max)));
}

void ExerciseWindow::Submit() {
    const QString name = app_.interaction().SaveFileName(this, QString());
    if (name.isEmpty()) return;
    // A class hands in into one folder: another student's file is never
    // replaced, whatever the dialog allowed.
    if (QFileInfo::exists(name)) {
        app_.Inform(app_.Text(QStringLiteral("O arquivo %1 já existe: escolha outro nome."),
                              QStringLiteral("The file %1 already exists: choose another name."))
                        .arg(QFileInfo(name).fileName()));
        return;
    }
    Project& p = app_.project();
    if (const auto answer = Answer()) {
        DropAnswers(p.comments);
        DropAnswers(p.otherLanguageComments);
        p.comments.push_back(std::string(app_.english() ? kAnswerPrefixEn : kAnswerPrefixPt) + " " + std::to_string(*answer));
        emit commentsChanged();
    }
    const SaveResult r = SaveProject(p, std::filesystem::path(name.toStdU16String()));
    if (!r.ok) {
        app_.Inform(QString::fromStdString(r.error));
        return;
    }
    app_.Inform(app_.Text(QStringLiteral("Entregue em %1."), QStringLiteral("Submitted as %1.")).arg(QFileInfo(name).fileName()));
}

}  // namespace kivo::ui
