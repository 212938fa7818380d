#include "ui/objects/ProcessWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"
#include "objects/Process.h"
#include "ui/context/AppContext.h"
#include "ui/shell/Shell.h"
#include "ui/widgets/ObjectForm.h"

namespace kivo::ui {
namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

ProcessWindow::ProcessWindow(AppContext& app, Shell& shell, int slot)
    : QWidget(shell.mainWidget(), Qt::Window), app_(app), shell_(shell), p_(*app.project().process(slot)) {
    setObjectName(QStringLiteral("TProcesso"));
    setWindowTitle(ProcessTitle(false));
    MakeControls();
    ApplyTooltipTable(this, ProcessTooltips(), false, MarkedUncaptioned);
    Reload();
    connect(&app_, &AppContext::displayRefresh, this, [this] {
        if (isVisible()) UpdateReadouts();
    });
    // The input list names the variables as the table describes them now.
    connect(&app_, &AppContext::tableChanged, this, [this] {
        if (isVisible()) ReloadInputs();
    });
}

void ProcessWindow::MakeControls() {
    auto* column = new QVBoxLayout(this);
    header_ = Header(this);
    column->addWidget(header_);

    auto* top = new QGridLayout;
    tag_ = TextField(this, "TagText");
    description_ = TextField(this, "DescricaoText");
    input_ = new QComboBox(this);
    input_->setObjectName(QStringLiteral("EntradaSelect"));
    input_->installEventFilter(this);
    gain_ = TextField(this, "GanhoText");
    deadTime_ = TextField(this, "TempoMorto");
    kind_ = new QComboBox(this);
    kind_->setObjectName(QStringLiteral("ComboBox2"));
    kind_->addItems(TransferFunctionKindItems(false));
    top->addWidget(Caption(this, "LabelTag", "Tag:", tag_), 0, 0);
    top->addWidget(tag_, 0, 1);
    top->addWidget(Caption(this, "LabelDesc", "Desc", description_), 0, 2);
    top->addWidget(description_, 0, 3);
    top->addWidget(Caption(this, "LabelEntrada", "Entrada:", input_), 1, 0);
    top->addWidget(input_, 1, 1, 1, 3);
    top->addWidget(Caption(this, "LabelGanho", "Ganho:", gain_), 2, 0);
    top->addWidget(gain_, 2, 1);
    top->addWidget(Caption(this, "LabelTM", "TM(seg):", deadTime_), 2, 2);
    top->addWidget(deadTime_, 2, 3);
    top->addWidget(Caption(this, "LabelTipo", "Tipo F.T.:", kind_), 3, 0);
    top->addWidget(kind_, 3, 1, 1, 3);
    top->setColumnStretch(1, 1);
    top->setColumnStretch(3, 2);
    description_->setMinimumWidth(fontMetrics().horizontalAdvance(QString(32, QLatin1Char('x'))));
    tag_->setMinimumWidth(fontMetrics().averageCharWidth() * 10);
    column->addLayout(top);

    // One group per transfer-function type; ComboChange shows the type's own.
    const auto group = [this](const char* name, const char* title) {
        auto* g = new QGroupBox(QString::fromUtf8(title), this);
        g->setObjectName(QString::fromLatin1(name));
        g->setAccessibleName(g->title());
        return g;
    };
    const auto pair = [this](QGroupBox* g, const char* n1, const char* t1, QLineEdit* e1, const char* n2,
                            const char* t2, QLineEdit* e2) {
        auto* l = new QGridLayout(g);
        l->addWidget(Caption(g, n1, t1, e1), 0, 0);
        l->addWidget(e1, 0, 1);
        if (e2) {
            l->addWidget(Caption(g, n2, t2, e2), 0, 2);
            l->addWidget(e2, 0, 3);
        }
        l->setColumnStretch(1, 1);
        l->setColumnStretch(3, 1);
    };
    pvcGroup_ = group("GroupPVC", "Ordem 2 Sobreamortecido");
    tau1_ = TextField(pvcGroup_, "LText");
    tau2_ = TextField(pvcGroup_, "Ctext");
    pair(pvcGroup_, "LabelTal1", "Tal1(seg):", tau1_, "LabelTal2", "Tal2(seg):", tau2_);
    secondOrderGroup_ = group("GroupOrdem2", "Ordem 2 (sub)");
    cycles_ = TextField(secondOrderGroup_, "NCText");
    period_ = TextField(secondOrderGroup_, "PeriodoText");
    pair(secondOrderGroup_, "LabelNC", "Num. Ciclos:", cycles_, "LabelPeriodo", "Período(seg):", period_);
    leadLagGroup_ = group("GroupLEADLAG", "Filtro LEAD-LAG");
    lead_ = TextField(leadLagGroup_, "LEAD");
    lag_ = TextField(leadLagGroup_, "LAG");
    pair(leadLagGroup_, "LabelLead", "LEAD(seg):", lead_, "LabelLag", "LAG(seg):", lag_);
    integratorGroup_ = group("GroupBox2", "Integrador");
    initialValue_ = TextField(integratorGroup_, "ValorInicialText");
    pair(integratorGroup_, "LabelValorInicial", "Valor Inicial(%):", initialValue_, nullptr, nullptr, nullptr);
    for (QGroupBox* g : {pvcGroup_, secondOrderGroup_, leadLagGroup_, integratorGroup_}) column->addWidget(g);

    QGroupBox* nonLinear = group("GroupNaoLinear", "Características não lineares");
    auto* nl = new QGridLayout(nonLinear);
    curve_ = new QComboBox(nonLinear);
    curve_->setObjectName(QStringLiteral("ComboBox1"));
    curve_->addItems(ValveCurveItems(false));
    hysteresis_ = TextField(nonLinear, "Histerese");
    stiction_ = TextField(nonLinear, "valveStext");
    actuatorTau_ = TextField(nonLinear, "tal");
    rate_ = TextField(nonLinear, "ratetext");
    nl->addWidget(Caption(nonLinear, "LabelCurva", "Curva de ganho:", curve_), 0, 0);
    nl->addWidget(curve_, 0, 1, 1, 3);
    nl->addWidget(Caption(nonLinear, "LabelHisterese", "Histerese:", hysteresis_), 1, 0);
    nl->addWidget(hysteresis_, 1, 1);
    nl->addWidget(Caption(nonLinear, "LabelAgarramento", "Agarramento:", stiction_), 1, 2);
    nl->addWidget(stiction_, 1, 3);
    nl->addWidget(Caption(nonLinear, "LabelTal", "LAG(seg):", actuatorTau_), 2, 0);
    nl->addWidget(actuatorTau_, 2, 1);
    nl->addWidget(Caption(nonLinear, "LabelRate", "Rate(%/seg):", rate_), 2, 2);
    nl->addWidget(rate_, 2, 3);
    nl->setColumnStretch(1, 1);
    nl->setColumnStretch(3, 1);
    column->addWidget(nonLinear);

    saturator_ = new QCheckBox(QStringLiteral("Desativar Saturador"), this);
    saturator_->setObjectName(QStringLiteral("CheckBox1"));
    saturator_->setAccessibleName(saturator_->text());
    column->addWidget(saturator_);

    // Readouts: caption, value, and the variable the value belongs to.
    auto* readouts = new QGridLayout;
    const auto reading = [&](int line, const char* captionName, const char* caption, const char* name) {
        auto* v = new QLabel(QStringLiteral("0.00"), this);
        v->setObjectName(QString::fromLatin1(name));
        v->setFrameShape(QFrame::StyledPanel);
        v->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        v->setTextInteractionFlags(Qt::TextSelectableByMouse);
        readouts->addWidget(Caption(this, captionName, caption, v), line, 0);
        readouts->addWidget(v, line, 1);
        return v;
    };
    inputValue_ = reading(0, "LabelEntradaPct", "Entrada (%):", "EntradaValor");
    actuatorValue_ = reading(1, "LabelAtuadorPct", "Posição Atuador(%):", "AtuadorValor");
    outputValue_ = reading(2, "LabelSaidaPct", "Saída(%):", "SaidaValor");
    actuatorLabel_ = new QLabel(this);
    actuatorLabel_->setObjectName(QStringLiteral("RotuloAtuador"));
    outputLabel_ = new QLabel(this);
    outputLabel_->setObjectName(QStringLiteral("RotuloSaida"));
    readouts->addWidget(actuatorLabel_, 1, 2);
    readouts->addWidget(outputLabel_, 2, 2);
    readouts->setColumnStretch(1, 1);
    column->addLayout(readouts);

    updateButton_ = CaptionedButton<QPushButton>(this, "btnatualiza", "Atualizar");
    exit_ = CaptionedButton<QPushButton>(this, "SairButton", "Sair");
    help_ = FooterButtons(this, column, "SpeedButton1", {updateButton_, exit_});
    column->addStretch(1);

    // Every text goes into the model as typed. The step reads tau1, tau2,
    // LEAD, LAG and the rate from these fields at every cycle; the other
    // fields take effect at the apply, which reads them from the model too.
    const std::pair<QLineEdit*, std::string kivo::Process::*> fields[] = {
        {tag_, &kivo::Process::TagText},         {description_, &kivo::Process::DescriptionText},
        {gain_, &kivo::Process::GainText},     {deadTime_, &kivo::Process::DeadTime},
        {tau1_, &kivo::Process::LText},          {tau2_, &kivo::Process::Ctext},
        {cycles_, &kivo::Process::NCText},       {period_, &kivo::Process::PeriodText},
        {lead_, &kivo::Process::LEAD},           {lag_, &kivo::Process::LAG},
        {hysteresis_, &kivo::Process::Hysteresis}, {stiction_, &kivo::Process::valveStext},
        {actuatorTau_, &kivo::Process::tauAText},      {rate_, &kivo::Process::ratetext},
    };
    for (const auto& [field, member] : fields) {
        connect(field, &QLineEdit::textChanged, this, [this, member = member](const QString& t) {
            if (filling_) return;
            p_.*member = t.toStdString();
            Edited();
        });
    }
    // Enter in a field does what "Atualizar" does, while there is something
    // to apply.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        connect(field, &QLineEdit::returnPressed, this, [this] {
            if (updateButton_->isEnabled()) Update();
        });
    connect(initialValue_, &QLineEdit::textChanged, this, [this](const QString& t) {
        if (filling_) return;
        p_.InitialValueText = t.toStdString();
        // Taken into the integrator at the next apply, and only then.
        p_.initialValuePending = true;
        updateButton_->setEnabled(true);
    });
    connect(input_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (filling_) return;
        p_.InputSelect = i;
        Edited();
    });
    connect(kind_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (filling_) return;
        p_.TransferFunctionKind = i;
        ComboChange();
        Edited();
    });
    connect(curve_, &QComboBox::currentIndexChanged, this, [this](int i) {
        if (filling_) return;
        p_.ValveCurve = i;
        Edited();
    });
    connect(saturator_, &QCheckBox::toggled, this, [this](bool b) {
        if (filling_) return;
        p_.SaturatorDisabled = b;
        Edited();
    });
    connect(updateButton_, &QPushButton::clicked, this, &ProcessWindow::Update);
    connect(exit_, &QPushButton::clicked, this, [this] {
        shell_.UpdateDiagram();
        close();
    });
    connect(help_, &QToolButton::clicked, this, [this] {
        OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::ProcessBlock);
    });
}

void ProcessWindow::Reload() {
    filling_ = true;
    ReloadInputs();
    tag_->setText(Text(p_.TagText));
    description_->setText(Text(p_.DescriptionText));
    gain_->setText(Text(p_.GainText));
    deadTime_->setText(Text(p_.DeadTime));
    kind_->setCurrentIndex(p_.TransferFunctionKind);
    tau1_->setText(Text(p_.LText));
    tau2_->setText(Text(p_.Ctext));
    cycles_->setText(Text(p_.NCText));
    period_->setText(Text(p_.PeriodText));
    lead_->setText(Text(p_.LEAD));
    lag_->setText(Text(p_.LAG));
    initialValue_->setText(Text(p_.InitialValueText));
    curve_->setCurrentIndex(p_.ValveCurve);
    hysteresis_->setText(Text(p_.Hysteresis));
    stiction_->setText(Text(p_.valveStext));
    actuatorTau_->setText(Text(p_.tauAText));
    rate_->setText(Text(p_.ratetext));
    saturator_->setChecked(p_.SaturatorDisabled);
    filling_ = false;
    ComboChange();
    // A window opened on an object the loader applied shows it as applied.
    updateButton_->setEnabled(p_.initialValuePending);
    exit_->setEnabled(true);
    UpdateLabels();
    UpdateReadouts();
}

void ProcessWindow::ReloadInputs() {
    // The list shows the variable table's current descriptions.
    QStringList items;
    for (const std::string& item : app_.sim().mem.InputList()) items << Text(item);
    const bool before = filling_;
    filling_ = true;
    UpdateItems(input_, items);
    input_->setCurrentIndex(p_.InputSelect);
    filling_ = before;
}

void ProcessWindow::ComboChange() {
    const int t = kind_->currentIndex();
    pvcGroup_->setVisible(t == 0);
    secondOrderGroup_->setVisible(t == 1);
    leadLagGroup_->setVisible(t == 2);
    integratorGroup_->setVisible(t == 3);
}

void ProcessWindow::Edited() {
    updateButton_->setEnabled(true);
    exit_->setEnabled(false);
}

bool ProcessWindow::Update() {
    // Messages reach the boxes through the project's sink, one per field.
    const bool ok = p_.ValidateParameters(true);
    if (!ok) return false;
    ReloadDescription();
    updateButton_->setEnabled(false);
    exit_->setEnabled(true);
    UpdateLabels();
    shell_.UpdateDiagram();
    app_.MarkModified();
    return true;
}

void ProcessWindow::ReloadDescription() {
    // The variable table holds the description as stored (cut to its
    // length); the field and the model take it back.
    p_.DescriptionText = app_.sim().mem.entry(p_.number()).description;
    ShowText(description_, p_.DescriptionText);
}

void ProcessWindow::UpdateLabels() {
    const int u = p_.number();
    header_->setText(Text(p_.TagText) + QLatin1Char(' ') + Text(app_.sim().mem.entry(u).description));
    header_->setAccessibleName(header_->text().trimmed());
    outputLabel_->setText(QStringLiteral("(M%1)").arg(u));
    actuatorLabel_->setText(QStringLiteral("(M%1)").arg(u + 80));
    const QString description = Text(app_.sim().mem.entry(u).description);
    setWindowTitle(description.isEmpty() ? ProcessTitle(app_.english()) : description);
}

void ProcessWindow::UpdateReadouts() {
    inputValue_->setText(TwoDecimals(p_.state.X0));
    actuatorValue_->setText(TwoDecimals(p_.state.a));
    outputValue_->setText(TwoDecimals(p_.state.Y2));
}

void ProcessWindow::Translate() {
    const bool english = app_.english();
    ApplyTexts(this, ProcessTexts(), english);
    ApplyTooltipTable(this, ProcessTooltips(), english, MarkedUncaptioned);
    filling_ = true;
    const int t = kind_->currentIndex();
    kind_->clear();
    kind_->addItems(TransferFunctionKindItems(english));
    kind_->setCurrentIndex(t);
    const int c = curve_->currentIndex();
    curve_->clear();
    curve_->addItems(ValveCurveItems(english));
    curve_->setCurrentIndex(c);
    filling_ = false;
    SyncAccessibleNames(this);
    UpdateLabels();
}

void ProcessWindow::showEvent(QShowEvent* e) {
    // Activation: the description as the variable table holds it, and the
    // English captions once.
    ReloadDescription();
    ReloadInputs();
    if (!translated_) {
        translated_ = true;
        if (app_.english()) Translate();
    }
    UpdateReadouts();
    QWidget::showEvent(e);
}

bool ProcessWindow::eventFilter(QObject* o, QEvent* e) {
    if (o == input_ && e->type() == QEvent::FocusIn) ReloadInputs();
    return QWidget::eventFilter(o, e);
}

}  // namespace kivo::ui
