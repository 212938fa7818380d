#include "ui/objects/GeneratorsWindow.h"

#include <algorithm>

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"
#include "objects/Generators.h"
#include "ui/context/AppContext.h"
#include "ui/widgets/ObjectForm.h"

namespace kivo::ui {
namespace {

// Columns of the row grid.
enum Column { cLabel, cKind, cMin, cMax, cDesc, cValue, cDigital, cSpin, kColumns };

QString Text(const std::string& s) { return QString::fromStdString(s); }

// How many kinds row g offers.
int RowKindCount(int g) {
    if (g <= Generators::kLastEquation) return 10;
    if (g <= Generators::kLastDynamic) return 7;
    return 2;
}

}  // namespace

KnobButton::KnobButton(QWidget* parent) : QWidget(parent) {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    up_->setObjectName(QStringLiteral("Cima"));
    up_->setAccessibleName(QStringLiteral("+1"));
    low_ = new QToolButton(this);
    low_->setArrowType(Qt::DownArrow);
    low_->setObjectName(QStringLiteral("Baixo"));
    low_->setAccessibleName(QStringLiteral("-1"));
    for (QToolButton* b : {up_, low_}) {
        b->setAutoRepeat(true);
        b->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Ignored);
        column->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] {
        setPosition(position_ + 1);
        emit clickedAt(position_);
    });
    connect(low_, &QToolButton::clicked, this, [this] {
        setPosition(position_ - 1);
        emit clickedAt(position_);
    });
}

void KnobButton::setPosition(int p) { position_ = std::clamp(p, 0, 100); }

GeneratorsWindow::GeneratorsWindow(AppContext& app, QWidget* principal)
    : QWidget(principal, Qt::Window), app_(app), bank_(app.project().generators) {
    setObjectName(QStringLiteral("ParmForm"));
    setWindowTitle(GeneratorsTitle(false));
    auto* column = new QVBoxLayout(this);
    grade_ = new QGridLayout;
    grade_->setHorizontalSpacing(4);
    grade_->setVerticalSpacing(2);
    for (int g = Generators::kFirst; g <= Generators::kLast; ++g) MakeRow(g, g - Generators::kFirst);
    grade_->setColumnStretch(cDesc, 2);
    grade_->setColumnStretch(cValue, 1);
    column->addLayout(grade_);

    applyButton_ = CaptionedButton<QPushButton>(this, "Button1", "Atualiza");
    auto* closeButton = CaptionedButton<QPushButton>(this, "SairButton", "Sair");
    QToolButton* helpButton = FooterButtons(this, column, "SpeedButton1", {applyButton_, closeButton});
    ApplyTooltipTable(this, GeneratorsTooltips(), false, MarkedUncaptioned);
    column->addStretch(1);

    connect(applyButton_, &QPushButton::clicked, this, &GeneratorsWindow::ApplyAndMarkModified);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(helpButton, &QToolButton::clicked, this,
            [this] { OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::SignalGenerators); });
    connect(&app_, &AppContext::displayRefresh, this, [this] {
        if (isVisible()) ShowValues();
    });
    Reload();
}

void GeneratorsWindow::MakeRow(int g, int gridRow) {
    Row& l = line(g);
    const QString m = QStringLiteral("M%1").arg(g);
    const auto name = [&](const char* suffix) { return (m + QLatin1String(suffix)).toLatin1(); };
    l.label = new QLabel(m, this);
    l.label->setObjectName(QStringLiteral("Label") + m);
    l.kind = new QComboBox(this);
    l.kind->setObjectName(m + QStringLiteral("Tipo"));
    l.kind->setAccessibleName(m);
    l.kind->addItems(GeneratorKindItems(false).mid(0, RowKindCount(g)));
    l.label->setBuddy(l.kind);
    l.desc = TextField(this, name("Desc").constData());
    l.value = TextField(this, name("Valor").constData());
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("-000.00"));
    if (g <= Generators::kLastDynamic) {
        l.min = TextField(this, name("Min").constData());
        l.max = TextField(this, name("Max").constData());
        for (QLineEdit* e : {l.min, l.max}) e->setMinimumWidth(width);
    }
    l.value->setMinimumWidth(width);
    // The fields have no captions: each is named by its row and by the
    // text it starts with.
    l.desc->setAccessibleName(m + QStringLiteral(" Descrição"));
    l.value->setAccessibleName(m + QStringLiteral(" Valor"));
    if (l.min) {
        l.min->setAccessibleName(m + QStringLiteral(" Min."));
        l.max->setAccessibleName(m + QStringLiteral(" Máx."));
    }
    // Wide enough for the longest placeholder of a narrow description.
    l.desc->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Descrição  ")) +
                            fontMetrics().averageCharWidth() * 2);

    l.digitalValue = new QWidget(this);
    l.digitalValue->setObjectName(m + QStringLiteral("ValorDig"));
    l.digitalValue->setAccessibleName(m);
    auto* digital = new QHBoxLayout(l.digitalValue);
    digital->setContentsMargins(0, 0, 0, 0);
    l.digitalGroup = new QButtonGroup(l.digitalValue);
    for (int v = 0; v <= 1; ++v) {
        auto* r = new QRadioButton(QString::number(v), l.digitalValue);
        r->setObjectName(m + QStringLiteral("ValorDig%1").arg(v));
        r->setAccessibleName(QString::number(v));
        l.digitalGroup->addButton(r, v);
        digital->addWidget(r);
    }
    l.upDown = new KnobButton(this);
    l.upDown->setObjectName(m + QStringLiteral("UpDown"));
    l.upDown->setAccessibleName(m + QStringLiteral(" 0..100"));

    grade_->addWidget(l.label, gridRow, cLabel);
    grade_->addWidget(l.kind, gridRow, cKind);

    // Typed texts are the row's texts at once; the bank reads them at the
    // apply (and a sine's period at every tick, as typed).
    const auto bind = [this, g](QLineEdit* e, std::string GeneratorRow::*member) {
        if (!e) return;
        connect(e, &QLineEdit::textEdited, this, [this, g, member](const QString& t) {
            bank_.line(g).*member = t.toStdString();
            applyButton_->setEnabled(true);
        });
        connect(e, &QLineEdit::returnPressed, this, &GeneratorsWindow::Apply);
    };
    bind(l.min, &GeneratorRow::Min);
    bind(l.max, &GeneratorRow::Max);
    bind(l.desc, &GeneratorRow::Desc);
    bind(l.value, &GeneratorRow::Value);
    connect(l.kind, &QComboBox::currentIndexChanged, this, [this, g](int t) {
        if (!filling_ && t >= 0) KindChanged(g, t);
    });
    connect(l.digitalGroup, &QButtonGroup::idClicked, this, [this, g](int v) {
        bank_.line(g).DigitalValue = v;
        Apply();
    });
    connect(l.upDown, &KnobButton::clickedAt, this, [this, g](int p) {
        GeneratorRow& row = bank_.line(g);
        row.UpDown = p;
        row.Value = std::to_string(p);
        Apply();
    });
}

void GeneratorsWindow::KindChanged(int g, int kind) {
    bank_.line(g).Kind = kind;
    bank_.LayoutRow(g, false);
    ReloadRow(g);
    // The new kind takes its parameters at the next apply: the button says
    // there is something to apply.
    applyButton_->setEnabled(true);
}

void GeneratorsWindow::Reload() {
    for (int g = Generators::kFirst; g <= Generators::kLast; ++g) ReloadRow(g);
    applyButton_->setEnabled(false);
}

void GeneratorsWindow::ReloadRow(int g) {
    const GeneratorRow& row = bank_.line(g);
    Row& l = line(g);
    filling_ = true;
    l.kind->setCurrentIndex(row.Kind);
    if (l.min) l.min->setText(Text(row.Min));
    if (l.max) l.max->setText(Text(row.Max));
    l.desc->setText(Text(row.Desc));
    l.value->setText(Text(row.Value));
    l.digitalGroup->button(row.DigitalValue == 1 ? 1 : 0)->setChecked(true);
    l.upDown->setPosition(row.UpDown);
    filling_ = false;
    LayOutRow(g);
}

void GeneratorsWindow::LayOutRow(int g) {
    // The fields the row's kind uses, placed in the row: a wide
    // description for constants, Min and Max for the signals, a wide value
    // for equations.
    Row& l = line(g);
    const int t = bank_.line(g).Kind;
    const int r = g - Generators::kFirst;
    const bool signal = t >= GeneratorRow::FastRandom && t <= GeneratorRow::RandomWalk;
    const bool equation = t >= GeneratorRow::Equation;
    for (QWidget* w : {static_cast<QWidget*>(l.min), static_cast<QWidget*>(l.max), static_cast<QWidget*>(l.desc),
                       static_cast<QWidget*>(l.value), l.digitalValue, static_cast<QWidget*>(l.upDown)})
        if (w) grade_->removeWidget(w);
    if (l.min) {
        l.min->setVisible(signal);
        l.max->setVisible(signal);
        if (signal) {
            grade_->addWidget(l.min, r, cMin);
            grade_->addWidget(l.max, r, cMax);
        }
    }
    if (signal)
        grade_->addWidget(l.desc, r, cDesc);
    else if (equation)
        grade_->addWidget(l.desc, r, cMin, 1, 2);
    else
        grade_->addWidget(l.desc, r, cMin, 1, 3);
    l.value->setVisible(t != GeneratorRow::Constant01);
    l.value->setReadOnly(signal);
    if (equation)
        grade_->addWidget(l.value, r, cDesc, 1, 4);
    else if (t != GeneratorRow::Constant01)
        grade_->addWidget(l.value, r, cValue);
    l.digitalValue->setVisible(t == GeneratorRow::Constant01);
    if (t == GeneratorRow::Constant01) grade_->addWidget(l.digitalValue, r, cValue, 1, 2);
    l.upDown->setVisible(t == GeneratorRow::Constant);
    if (t == GeneratorRow::Constant) grade_->addWidget(l.upDown, r, cSpin);
}

void GeneratorsWindow::Apply() {
    bank_.ApplyParameters();
    // The apply rewrites the 0/1 values and the spin positions.
    for (int g = Generators::kFirst; g <= Generators::kLast; ++g) {
        const GeneratorRow& row = bank_.line(g);
        Row& l = line(g);
        if (row.Kind == GeneratorRow::Constant01) l.value->setText(Text(row.Value));
        l.upDown->setPosition(row.UpDown);
        if (row.Kind == GeneratorRow::Constant) l.value->setText(Text(row.Value));
    }
    applyButton_->setEnabled(false);
    emit applied();
}

void GeneratorsWindow::ApplyAndMarkModified() {
    Apply();
    app_.MarkModified();
}

void GeneratorsWindow::ShowValues() {
    for (int g = Generators::kFirst; g <= Generators::kLastDynamic; ++g) {
        const GeneratorRow& row = bank_.line(g);
        if (row.Kind >= GeneratorRow::FastRandom && row.Kind <= GeneratorRow::RandomWalk)
            line(g).value->setText(Text(row.Value));
    }
}

void GeneratorsWindow::showEvent(QShowEvent* e) {
    if (!translated_) {
        translated_ = true;
        if (app_.english()) {
            setWindowTitle(GeneratorsTitle(true));
            ApplyTexts(this, GeneratorsTexts(), true);
            ApplyTooltipTable(this, GeneratorsTooltips(), true, MarkedUncaptioned);
            const QStringList items = GeneratorKindItems(true);
            filling_ = true;
            for (int g = Generators::kFirst; g <= Generators::kLast; ++g) {
                QComboBox* c = line(g).kind;
                for (int i = 0; i < c->count(); ++i) c->setItemText(i, items[i]);
            }
            filling_ = false;
        }
    }
    ShowValues();
    QWidget::showEvent(e);
}

void GeneratorsWindow::closeEvent(QCloseEvent* e) {
    ApplyAndMarkModified();
    QWidget::closeEvent(e);
}

}  // namespace kivo::ui
