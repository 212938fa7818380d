#include "ui/objects/BlockWindow.h"

#include <QCheckBox>
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
#include "objects/Blocks.h"
#include "ui/context/AppContext.h"
#include "ui/shell/Shell.h"
#include "ui/widgets/ObjectForm.h"

namespace kivo::ui {
namespace {

QString Text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

BlockWindow::BlockWindow(AppContext& app, Shell& shell, int slot)
    : QWidget(shell.mainWidget(), Qt::Window), app_(app), shell_(shell), b_(*app.project().block(slot)) {
    setObjectName(QStringLiteral("TBloco"));
    setWindowTitle(BlockTitle(false));
    MakeControls();
    ApplyTooltipTable(this, BlockTooltips(), false, MarkedUncaptioned);
    Reload();
    connect(&app_, &AppContext::displayRefresh, this, [this] {
        if (isVisible()) value_->setText(TwoDecimals(b_.output()));
    });
}

void BlockWindow::MakeControls() {
    auto* column = new QVBoxLayout(this);
    header_ = Header(this);
    column->addWidget(header_);

    function_ = TextField(this, "FuncaoTr");
    column->addWidget(Caption(this, "LabelFuncao", "Função", function_));
    auto* functionRow = new QHBoxLayout;
    outputLabel_ = new QLabel(this);
    outputLabel_->setObjectName(QStringLiteral("RotuloSaida"));
    functionRow->addWidget(outputLabel_);
    functionRow->addWidget(function_, 1);
    column->addLayout(functionRow);

    auto* limits = new QGroupBox(QStringLiteral("Limites:"), this);
    limits->setObjectName(QStringLiteral("GroupBox1"));
    limits->setAccessibleName(limits->title());
    auto* gl = new QGridLayout(limits);
    upperLimitCheck_ = new QCheckBox(QStringLiteral("Max:"), limits);
    upperLimitCheck_->setObjectName(QStringLiteral("LimSupCheck"));
    upperLimitCheck_->setAccessibleName(upperLimitCheck_->text());
    upperLimit_ = TextField(limits, "LimSupText");
    upperLimit_->setAccessibleName(QStringLiteral("Max:"));
    lowerLimitCheck_ = new QCheckBox(QStringLiteral("Min:"), limits);
    lowerLimitCheck_->setObjectName(QStringLiteral("LimInfCheck"));
    lowerLimitCheck_->setAccessibleName(lowerLimitCheck_->text());
    lowerLimit_ = TextField(limits, "LimInfText");
    lowerLimit_->setAccessibleName(QStringLiteral("Min:"));
    gl->addWidget(upperLimitCheck_, 0, 0);
    gl->addWidget(upperLimit_, 0, 1);
    gl->addWidget(lowerLimitCheck_, 0, 2);
    gl->addWidget(lowerLimit_, 0, 3);
    gl->setColumnStretch(1, 1);
    gl->setColumnStretch(3, 1);
    column->addWidget(limits);

    auto* ident = new QGridLayout;
    tag_ = TextField(this, "TagText");
    description_ = TextField(this, "DescricaoText");
    value_ = new QLabel(QStringLiteral("0.00"), this);
    value_->setObjectName(QStringLiteral("SaidaValor"));
    value_->setFrameShape(QFrame::StyledPanel);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    ident->addWidget(Caption(this, "LabelTag", "Tag:", tag_), 0, 0);
    ident->addWidget(tag_, 0, 1);
    ident->addWidget(Caption(this, "LabelDesc", "Desc:", description_), 0, 2);
    ident->addWidget(description_, 0, 3);
    ident->addWidget(Caption(this, "LabelSaidaValor", "Saída:", value_), 1, 0);
    ident->addWidget(value_, 1, 1);
    ident->setColumnStretch(1, 1);
    ident->setColumnStretch(3, 2);
    column->addLayout(ident);
    // Room for a formula of a few terms and a description without scrolling.
    const int letter = fontMetrics().averageCharWidth();
    function_->setMinimumWidth(letter * 40);
    description_->setMinimumWidth(letter * 24);
    tag_->setMinimumWidth(letter * 10);

    updateButton_ = CaptionedButton<QPushButton>(this, "btnatualiza", "Atualizar");
    exit_ = CaptionedButton<QPushButton>(this, "SairButton", "Sair");
    QToolButton* helpButton = FooterButtons(this, column, "SpeedButton1", {updateButton_, exit_});
    column->addStretch(1);

    // Texts go into the model as typed; the step uses what the last apply
    // stored. The limit enables are read by the step at every cycle.
    const std::pair<QLineEdit*, std::string kivo::Block::*> fields[] = {
        {function_, &kivo::Block::FunctionText},   {upperLimit_, &kivo::Block::UpperLimitText},
        {lowerLimit_, &kivo::Block::LowerLimitText}, {tag_, &kivo::Block::TagText},
        {description_, &kivo::Block::DescriptionText},
    };
    for (const auto& [field, member] : fields) {
        connect(field, &QLineEdit::textChanged, this, [this, member = member](const QString& t) {
            if (filling_) return;
            b_.*member = t.toStdString();
            Edited();
        });
    }
    // Enter in a field does what "Atualizar" does, while there is something
    // to apply.
    for (QLineEdit* field : findChildren<QLineEdit*>())
        connect(field, &QLineEdit::returnPressed, this, [this] {
            if (updateButton_->isEnabled()) Update();
        });
    connect(upperLimitCheck_, &QCheckBox::toggled, this, [this](bool v) {
        if (filling_) return;
        b_.UpperLimitCheck = v;
        Edited();
    });
    connect(lowerLimitCheck_, &QCheckBox::toggled, this, [this](bool v) {
        if (filling_) return;
        b_.LowerLimitCheck = v;
        Edited();
    });
    connect(updateButton_, &QPushButton::clicked, this, &BlockWindow::Update);
    connect(exit_, &QPushButton::clicked, this, [this] {
        updateButton_->setEnabled(false);
        close();
    });
    connect(helpButton, &QToolButton::clicked, this,
            [this] { OpenHelp(app_.interaction(), help::UrlBase(app_.english()), help::Entry::CalculationBlock); });
}

void BlockWindow::Reload() {
    filling_ = true;
    function_->setText(Text(b_.FunctionText));
    upperLimitCheck_->setChecked(b_.UpperLimitCheck);
    upperLimit_->setText(Text(b_.UpperLimitText));
    lowerLimitCheck_->setChecked(b_.LowerLimitCheck);
    lowerLimit_->setText(Text(b_.LowerLimitText));
    tag_->setText(Text(b_.TagText));
    description_->setText(Text(b_.DescriptionText));
    filling_ = false;
    updateButton_->setEnabled(false);
    exit_->setEnabled(true);
    UpdateLabels();
    value_->setText(TwoDecimals(b_.output()));
}

void BlockWindow::Edited() {
    updateButton_->setEnabled(true);
    exit_->setEnabled(false);
}

bool BlockWindow::Update() {
    const bool ok = b_.ValidateParameters(true);
    // The apply sets the description and stores the texts even when a
    // field is refused.
    UpdateLabels();
    if (!ok) return false;
    ReloadDescription();
    updateButton_->setEnabled(false);
    exit_->setEnabled(true);
    app_.MarkModified();
    shell_.UpdateDiagram();
    return true;
}

void BlockWindow::ReloadDescription() {
    // The variable table holds the description as stored (cut to its
    // length); the field and the model take it back.
    b_.DescriptionText = app_.sim().mem.entry(b_.number()).description;
    ShowText(description_, b_.DescriptionText);
}

void BlockWindow::UpdateLabels() {
    const int n = b_.number();
    header_->setText(Text(app_.sim().mem.entry(n).description));
    header_->setAccessibleName(header_->text());
    outputLabel_->setText(QStringLiteral("M%1=").arg(n));
    outputLabel_->setAccessibleName(outputLabel_->text());
}

void BlockWindow::showEvent(QShowEvent* e) {
    ReloadDescription();
    if (!translated_) {
        translated_ = true;
        if (app_.english()) {
            setWindowTitle(BlockTitle(true));
            ApplyTexts(this, BlockTexts(), true);
            ApplyTooltipTable(this, BlockTooltips(), true, MarkedUncaptioned);
            SyncAccessibleNames(this);
        }
    }
    value_->setText(TwoDecimals(b_.output()));
    QWidget::showEvent(e);
}

}  // namespace kivo::ui
