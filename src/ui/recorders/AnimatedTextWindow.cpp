#include "ui/widgets/ObjectForm.h"
#include "ui/recorders/AnimatedTextWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "project/TextData.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/RecorderTexts.h"

namespace kivo::ui {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAccessibleName(text.isEmpty() ? l->objectName() : text);
    return l;
}

QLineEdit* Field(const char* name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    return e;
}

}  // namespace

AnimatedTextWindow::AnimatedTextWindow(AppContext& app, int slot, std::function<void()> updateDiagram, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      app_(app),
      updateDiagram_(std::move(updateDiagram)),
      d_(*app_.project().text(slot)) {
    setObjectName(QStringLiteral("Form2_%1").arg(slot));
    setWindowTitle(QStringLiteral("TEXTO"));

    auto* column = new QVBoxLayout(this);
    column->setSizeConstraint(QLayout::SetFixedSize);
    heading_ = Label("Label4", QString(), this);
    heading_->setAlignment(Qt::AlignCenter);
    QFont large = heading_->font();
    large.setBold(true);
    heading_->setFont(large);
    column->addWidget(heading_);
    value_ = Label("Label1", QString(), this);
    value_->setAlignment(Qt::AlignCenter);
    large.setPointSizeF(large.pointSizeF() * 1.6);
    value_->setFont(large);
    column->addWidget(value_);

    auto* form = new QFormLayout;
    description_ = Field("DescricaoText", this);
    QLabel* descriptionLabel = Label("DescricaoLabel", QStringLiteral("Descrição:"), this);
    descriptionLabel->setBuddy(description_);
    description_->setAccessibleName(descriptionLabel->text());
    form->addRow(descriptionLabel, description_);
    column->addLayout(form);

    auto* kind = new QGroupBox(QStringLiteral("Tipo:"), this);
    kind->setObjectName(QStringLiteral("Tipo"));
    kind->setAccessibleName(kind->title());
    auto* kindRow = new QHBoxLayout(kind);
    auto* group = new QButtonGroup(this);
    const char* kindNames[3] = {"Escalar", "Binário", "Equação"};
    for (int i = 0; i < 3; ++i) {
        kinds_[i] = new QRadioButton(QString::fromUtf8(kindNames[i]), kind);
        kinds_[i]->setObjectName(QStringLiteral("Tipo%1").arg(i));
        kinds_[i]->setAccessibleName(kinds_[i]->text());
        group->addButton(kinds_[i], i);
        kindRow->addWidget(kinds_[i]);
    }
    column->addWidget(kind);
    connect(group, &QButtonGroup::idClicked, this, &AnimatedTextWindow::KindClick);

    auto* variableRow = new QHBoxLayout;
    variableCaption_ = Label("Label3", QStringLiteral("Variável"), this);
    variableRow->addWidget(variableCaption_);
    variable_ = new QComboBox(this);
    variable_->setObjectName(QStringLiteral("ComboBox1"));
    variable_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    variable_->setMinimumContentsLength(14);
    variableRow->addWidget(variable_, 1);
    function_ = Field("FuncaoTr", this);
    function_->setMinimumWidth(function_->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 24);
    variableRow->addWidget(function_, 1);
    column->addLayout(variableRow);

    range_ = new QGroupBox(this);
    range_->setObjectName(QStringLiteral("Panel1"));
    auto* grade = new QGridLayout(range_);
    rangeMax_ = Field("Edit1", range_);
    rangeMin_ = Field("Edit4", range_);
    highAlarm_ = Field("Edit2", range_);
    lowAlarm_ = Field("Edit3", range_);
    unit_ = Field("Unidade", range_);
    const auto pair = [&](const char* labelName, const QString& text, QLineEdit* e, int l, int c) {
        QLabel* r = Label(labelName, text, range_);
        r->setBuddy(e);
        e->setAccessibleName(text);
        e->setMaximumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("-000000.00")) + 10);
        grade->addWidget(r, l, c);
        grade->addWidget(e, l, c + 1);
        return r;
    };
    pair("Edit1Label", QStringLiteral("Faixa máx:"), rangeMax_, 0, 0);
    pair("Edit4Label", QStringLiteral("Faixa min:"), rangeMin_, 0, 2);
    alarmLabels_[0] = pair("Edit2Label", QStringLiteral("Alarme Alto:"), highAlarm_, 1, 0);
    alarmLabels_[1] = pair("Edit3Label", QStringLiteral("Alarme Baixo:"), lowAlarm_, 1, 2);
    pair("UnidadeLabel", QStringLiteral("Unid. Eng.:"), unit_, 2, 0);
    column->addWidget(range_);

    auto* base = new QHBoxLayout;
    QLabel* decimalsLabel = Label("CasasDecimaisLabel", QStringLiteral("Decimais:"), this);
    decimals_ = new QSpinBox(this);
    decimals_->setObjectName(QStringLiteral("CasasDecimais"));
    decimals_->setAccessibleName(decimalsLabel->text());
    decimals_->setRange(0, TextData::kMaxDecimalPlaces);
    // Changed with its arrows only.
    decimals_->findChild<QLineEdit*>()->setReadOnly(true);
    decimalsLabel->setBuddy(decimals_);
    base->addWidget(decimalsLabel);
    base->addWidget(decimals_);
    base->addStretch(1);
    auto* closeButton = new QPushButton(QStringLiteral("Sair"), this);
    closeButton->setObjectName(QStringLiteral("SairButton"));
    closeButton->setAccessibleName(closeButton->text());
    closeButton->setAutoDefault(false);
    base->addWidget(closeButton);
    column->addLayout(base);
    connect(closeButton, &QPushButton::clicked, this, &AnimatedTextWindow::ExitButtonClick);

    ApplyTooltips(this, TextWindowTooltips(), false);

    TextData& d = d_;
    connect(description_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.DescriptionText = t.toStdString();
        Modified();
    });
    connect(function_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.FunctionText = t.toStdString();
        Modified();
    });
    connect(unit_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.Unit = t.toStdString();
        Modified();
    });
    // Range max and min carry over into the alarm limit beside them.
    connect(rangeMax_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.RangeMaxText = t.toStdString();
        display().highText = d.RangeMaxText;
        highAlarm_->setText(t);
        Modified();
    });
    connect(rangeMin_, &QLineEdit::textEdited, this, [this, &d](const QString& t) {
        d.RangeMinText = t.toStdString();
        display().lowText = d.RangeMinText;
        lowAlarm_->setText(t);
        Modified();
    });
    connect(highAlarm_, &QLineEdit::textEdited, this, [this](const QString& t) {
        display().highText = t.toStdString();
        Modified();
    });
    connect(lowAlarm_, &QLineEdit::textEdited, this, [this](const QString& t) {
        display().lowText = t.toStdString();
        Modified();
    });
    connect(variable_, &QComboBox::activated, this, [this, &d](int i) {
        d.VariableSelect = i;
        display().VariableChosen();
        Fill();
        app_.MarkModified();
    });
    // The decimals are saved with the project, so a change is marked like
    // the other fields, lest closing the program drop it unasked.
    connect(decimals_, &QSpinBox::valueChanged, this, [this, &d](int v) {
        if (filling_) return;
        d.DecimalPlaces = v;
        app_.MarkModified();
    });

    // The text was applied when it was created or loaded; the window only
    // shows it.
    Fill();
    ShowValue();
}

void AnimatedTextWindow::Modified() {
    if (!filling_) app_.MarkModified();
}

void AnimatedTextWindow::Fill() {
    filling_ = true;
    const TextData& d = d_;
    QStringList items;
    for (const std::string& s : app_.sim().mem.DisplayList()) items << Q(s);
    variable_->clear();
    variable_->addItems(items);
    variable_->setCurrentIndex(d.VariableSelect < variable_->count() ? d.VariableSelect : -1);
    variable_->view()->setMinimumWidth(variable_->view()->sizeHintForColumn(0) + 24);
    description_->setText(Q(d.DescriptionText));
    function_->setText(Q(d.FunctionText));
    rangeMax_->setText(Q(d.RangeMaxText));
    rangeMin_->setText(Q(d.RangeMinText));
    highAlarm_->setText(Q(display().highText));
    lowAlarm_->setText(Q(display().lowText));
    unit_->setText(Q(d.Unit));
    decimals_->setValue(d.DecimalPlaces);
    kinds_[std::clamp(d.Kind, 0, 2)]->setChecked(true);
    heading_->setText(Q(d.DescriptionText));
    ApplyLayout();
    filling_ = false;
}

void AnimatedTextWindow::ApplyLayout() {
    const int kind = d_.Kind;
    variable_->setVisible(kind != 2);
    function_->setVisible(kind != 0);
    range_->setVisible(kind != 1);
    for (QLabel* l : alarmLabels_) l->setVisible(kind == 0);
    highAlarm_->setVisible(kind == 0);
    lowAlarm_->setVisible(kind == 0);
    // A scalar text takes its range, limits and unit from the variable table.
    for (QLineEdit* e : {rangeMax_, rangeMin_, highAlarm_, lowAlarm_, unit_}) e->setReadOnly(kind == 0);
    static const char* kLine[3] = {"Variável", "<Texto>", "Equação"};
    variableCaption_->setText(QString::fromUtf8(kLine[std::clamp(kind, 0, 2)]));
    variableCaption_->setAccessibleName(variableCaption_->text());
}

void AnimatedTextWindow::KindClick(int kind) {
    d_.Kind = kind;
    ApplyLayout();
    app_.MarkModified();
}

void AnimatedTextWindow::ValidateParameters() {
    d_.ValidateParameters();
    Fill();
    if (updateDiagram_) updateDiagram_();
}

void AnimatedTextWindow::ExitButtonClick() {
    ValidateParameters();
    exiting_ = true;
    hide();
    exiting_ = false;
}

void AnimatedTextWindow::ShowValue() {
    value_->setText(Q(display().text()));
    QPalette pal = value_->palette();
    pal.setColor(QPalette::WindowText, display().red() ? Qt::red : Qt::blue);
    value_->setPalette(pal);
}

void AnimatedTextWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (app_.english() && windowTitle() != QStringLiteral("Animated text")) {
        ApplyTexts(this, TextWindowTexts(), true);
        ApplyTooltips(this, TextWindowTooltips(), true);
        SyncAccessibleNames(this);
        setWindowTitle(QStringLiteral("Animated text"));
        // The row caption reads "Equation" only beside a formula: over the
        // variable list or the two texts it would name the wrong thing.
        // Otherwise it keeps the words the layout writes.
        if (d_.Kind == 2) variableCaption_->setText(QStringLiteral("Equation"));
    }
    ShowValue();
}

void AnimatedTextWindow::closeEvent(QCloseEvent* e) {
    // Only "Sair" closes, so that the settings are always applied.
    if (exiting_) e->accept();
    else e->ignore();
}

void AnimatedTextWindow::keyPressEvent(QKeyEvent* e) {
    // Esc would close the dialog around "Sair".
    if (e->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(e);
}

}  // namespace kivo::ui
