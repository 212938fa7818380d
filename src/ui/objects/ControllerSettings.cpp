#include "ui/objects/ControllerSettings.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "objects/Controller.h"

namespace kivo::ui {
namespace {

// A combo box that rebuilds its items from the variable table each time it
// opens, so the descriptions are those of the moment.
class VariableList : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> beforeOpen;
    void showPopup() override {
        if (beforeOpen) beforeOpen();
        QComboBox::showPopup();
    }
};

QLabel* Label(const char* name, QWidget* parent) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

ControllerSettings::ControllerSettings(const Memory& mem, QWidget* parent) : QWidget(parent), mem_(mem) {
    setObjectName(QStringLiteral("AreaConfiguracao"));
    auto* grade = new QGridLayout(this);
    grade->setContentsMargins(0, 0, 0, 0);

    // Column 1: identification, tuning, limits.
    auto* ident = new QGroupBox(this);
    ident->setObjectName(QStringLiteral("Identificacao"));
    auto* gi = new QGridLayout(ident);
    tag_ = Field("TagText");
    description_ = Field("Descricao");
    gi->addWidget(Label("LabelTag", ident), 0, 0);
    gi->addWidget(tag_, 0, 1);
    gi->addWidget(Label("LabelDesc", ident), 1, 0);
    gi->addWidget(description_, 1, 1);
    grade->addWidget(ident, 0, 0);

    auto* param = new QGroupBox(this);
    param->setObjectName(QStringLiteral("Parametros"));
    auto* gp = new QGridLayout(param);
    const auto line = [&](int r, const char* label, QLineEdit* field) {
        gp->addWidget(Label(label, param), r, 0);
        gp->addWidget(field, r, 1);
    };
    line(0, "LabelKp", kp_ = Field("KpText"));
    line(1, "LabelKi", ki_ = Field("KiText"));
    line(2, "LabelKd", kd_ = Field("KdText"));
    line(3, "LabelBias", bias_ = Field("BiasText"));
    line(4, "LabelA", a_ = Field("aText"));
    line(5, "LabelTf", tf_ = Field("tfText"));
    auto* actions = new QHBoxLayout;
    for (auto [frame, name] : {std::pair{&p_, "PCHK"}, std::pair{&i_, "ICHK"}, std::pair{&d_, "DCHK"}}) {
        *frame = new QCheckBox(param);
        (*frame)->setObjectName(QString::fromLatin1(name));
        connect(*frame, &QCheckBox::clicked, this, &ControllerSettings::edited);
        actions->addWidget(*frame);
    }
    gp->addLayout(actions, 6, 0, 1, 2);
    grade->addWidget(param, 1, 0, 2, 1);

    auto* limits = new QGroupBox(this);
    limits->setObjectName(QStringLiteral("LimitesSaida"));
    auto* gl = new QGridLayout(limits);
    gl->addWidget(Label("LabelCOmin", limits), 0, 0);
    gl->addWidget(comin_ = Field("COminText"), 0, 1);
    gl->addWidget(Label("LabelCOmax", limits), 1, 0);
    gl->addWidget(comax_ = Field("COmaxText"), 1, 1);
    grade->addWidget(limits, 3, 0);

    // Column 2: the three radio groups.
    const auto radios = [this](const char* name) {
        auto* g = new QGroupBox(this);
        g->setObjectName(QString::fromLatin1(name));
        auto* v = new QVBoxLayout(g);
        auto* group = new QButtonGroup(g);
        for (int k = 0; k < 2; ++k) {
            auto* r = new QRadioButton(g);
            r->setObjectName(QString::fromLatin1(name) + QString::number(k));
            group->addButton(r, k);
            v->addWidget(r);
        }
        connect(group, &QButtonGroup::idClicked, this, &ControllerSettings::edited);
        return std::pair{g, group};
    };
    auto [gAction, bAction] = radios("Acaogroup");
    auto [gStruct, bStruct] = radios("EstruturaGroup");
    auto [gDeriv, bDeriv] = radios("DerivadaGroup");
    action_ = bAction;
    structure_ = bStruct;
    derivative_ = bDeriv;
    grade->addWidget(gAction, 0, 1);
    grade->addWidget(gStruct, 1, 1);
    grade->addWidget(gDeriv, 2, 1);

    // Column 3: variables, feed-forward, scale.
    auto* vars = new QGroupBox(this);
    vars->setObjectName(QStringLiteral("Variaveis"));
    auto* gv = new QGridLayout(vars);
    pv_ = List("VariavelSelect", true);
    gv->addWidget(Label("LabelPV", vars), 0, 0);
    gv->addWidget(pv_, 0, 1);
    checkSPR_ = new QCheckBox(vars);
    checkSPR_->setObjectName(QStringLiteral("CheckSPR"));
    spr_ = List("SPRSelect", true);
    gv->addWidget(checkSPR_, 1, 0);
    gv->addWidget(spr_, 1, 1);
    connect(checkSPR_, &QCheckBox::clicked, this, [this](bool checked) {
        // Enabling the remote setpoint starts from the first variable.
        spr_->setEnabled(checked);
        if (checked) spr_->setCurrentIndex(0);
        emit edited();
    });
    ffw_ = new QCheckBox(vars);
    ffw_->setObjectName(QStringLiteral("FFwSelect"));
    equation_ = Field("FFwEquation");
    gv->addWidget(ffw_, 2, 0);
    gv->addWidget(equation_, 2, 1);
    connect(ffw_, &QCheckBox::clicked, this, &ControllerSettings::edited);
    backCheck_ = new QCheckBox(vars);
    backCheck_->setObjectName(QStringLiteral("BackMVCheck"));
    back_ = List("BackMV", false);
    back_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    gv->addWidget(backCheck_, 3, 0);
    gv->addWidget(back_, 3, 1, Qt::AlignLeft);
    connect(backCheck_, &QCheckBox::clicked, this, &ControllerSettings::edited);
    gv->setColumnStretch(1, 1);
    grade->addWidget(vars, 0, 2, 2, 1);

    // The scale is always the PV variable's: the apply refills these
    // fields from the variable table, so typing into them would be lost.
    auto* scale = new QGroupBox(this);
    scale->setObjectName(QStringLiteral("Escala"));
    auto* ge = new QGridLayout(scale);
    ge->addWidget(Label("LabelInicio", scale), 0, 0);
    ge->addWidget(start_ = Field("InicioEscala", true), 0, 1);
    ge->addWidget(Label("LabelFim", scale), 1, 0);
    ge->addWidget(end_ = Field("FimEscala", true), 1, 1);
    ge->addWidget(Label("LabelUnid", scale), 2, 0);
    ge->addWidget(unit_ = Field("UnidEng", true), 2, 1);
    grade->addWidget(scale, 2, 2);

    updateButton_ = new QPushButton(this);
    updateButton_->setObjectName(QStringLiteral("btnatualiza"));
    updateButton_->setEnabled(false);
    grade->addWidget(updateButton_, 3, 1, 1, 2, Qt::AlignRight | Qt::AlignBottom);
}

QLineEdit* ControllerSettings::Field(const char* name, bool readOnly) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setReadOnly(readOnly);
    // Wide enough for a number or a short formula at any font size.
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    if (!readOnly) connect(e, &QLineEdit::textEdited, this, &ControllerSettings::edited);
    return e;
}

QComboBox* ControllerSettings::List(const char* name, bool withDescriptions) {
    auto* l = new VariableList(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setMaxVisibleItems(20);
    FillList(l, withDescriptions);
    l->beforeOpen = [this, l, withDescriptions] { FillList(l, withDescriptions); };
    connect(l, &QComboBox::activated, this, &ControllerSettings::edited);
    if (withDescriptions) {
        // Long descriptions must not stretch the window.
        l->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        l->setMinimumContentsLength(14);
    }
    return l;
}

void ControllerSettings::FillList(QComboBox* list, bool withDescriptions) {
    const int index = list->currentIndex();
    const QSignalBlocker blocker(list);
    list->clear();
    if (withDescriptions) {
        for (const std::string& item : mem_.InputList()) list->addItem(Q(item));
    } else {
        for (int k = 1; k <= 99; ++k) list->addItem(QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')));
    }
    list->setCurrentIndex(index);
}

void ControllerSettings::Load(const kivo::Controller& c) {
    tag_->setText(Q(c.TagText));
    description_->setText(Q(c.Description));
    kp_->setText(Q(c.KpText));
    ki_->setText(Q(c.KiText));
    kd_->setText(Q(c.KdText));
    bias_->setText(Q(c.BiasText));
    a_->setText(Q(c.aText));
    tf_->setText(Q(c.tfText));
    p_->setChecked(c.PCHK);
    i_->setChecked(c.ICHK);
    d_->setChecked(c.DCHK);
    comin_->setText(Q(c.COminText));
    comax_->setText(Q(c.COmaxText));
    if (auto* b = action_->button(c.ActionGroup)) b->setChecked(true);
    if (auto* b = structure_->button(c.StructureGroup)) b->setChecked(true);
    if (auto* b = derivative_->button(c.DerivativeGroup)) b->setChecked(true);
    pv_->setCurrentIndex(c.VariableSelect);
    checkSPR_->setChecked(c.CheckSPR);
    spr_->setCurrentIndex(c.SPRSelect);
    spr_->setEnabled(c.CheckSPR);
    ffw_->setChecked(c.FFwSelect);
    equation_->setText(Q(c.FFwEquation));
    backCheck_->setChecked(c.BackMVCheck);
    back_->setCurrentIndex(c.BackMV);
    LoadScale(c);
}

void ControllerSettings::LoadScale(const kivo::Controller& c) {
    start_->setText(Q(c.ScaleStart));
    end_->setText(Q(c.ScaleEnd));
    unit_->setText(Q(c.EngUnit));
}

void ControllerSettings::Write(kivo::Controller& c) const {
    c.TagText = S(tag_);
    c.Description = S(description_);
    c.KpText = S(kp_);
    c.KiText = S(ki_);
    c.KdText = S(kd_);
    c.BiasText = S(bias_);
    c.aText = S(a_);
    c.tfText = S(tf_);
    c.PCHK = p_->isChecked();
    c.ICHK = i_->isChecked();
    c.DCHK = d_->isChecked();
    c.COminText = S(comin_);
    c.COmaxText = S(comax_);
    c.ActionGroup = action_->checkedId();
    c.StructureGroup = structure_->checkedId();
    c.DerivativeGroup = derivative_->checkedId();
    c.VariableSelect = pv_->currentIndex();
    c.CheckSPR = checkSPR_->isChecked();
    c.SPRSelect = spr_->currentIndex();
    c.FFwSelect = ffw_->isChecked();
    c.FFwEquation = S(equation_);
    c.BackMVCheck = backCheck_->isChecked();
    c.BackMV = back_->currentIndex();
}

}  // namespace kivo::ui
