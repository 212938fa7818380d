#include "ui/objects/ConfigControlador.h"

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
class ListaVariaveis : public QComboBox {
public:
    using QComboBox::QComboBox;
    std::function<void()> antesDeAbrir;
    void showPopup() override {
        if (antesDeAbrir) antesDeAbrir();
        QComboBox::showPopup();
    }
};

QLabel* Rotulo(const char* nome, QWidget* pai) {
    auto* l = new QLabel(pai);
    l->setObjectName(QString::fromLatin1(nome));
    return l;
}

QString Q(const std::string& s) { return QString::fromStdString(s); }
std::string S(const QLineEdit* e) { return e->text().toStdString(); }

}  // namespace

ConfigControlador::ConfigControlador(const Memorias& mem, QWidget* parent) : QWidget(parent), mem_(mem) {
    setObjectName(QStringLiteral("AreaConfiguracao"));
    auto* grade = new QGridLayout(this);
    grade->setContentsMargins(0, 0, 0, 0);

    // Column 1: identification, tuning, limits.
    auto* ident = new QGroupBox(this);
    ident->setObjectName(QStringLiteral("Identificacao"));
    auto* gi = new QGridLayout(ident);
    tag_ = Campo("TagText");
    descricao_ = Campo("Descricao");
    gi->addWidget(Rotulo("LabelTag", ident), 0, 0);
    gi->addWidget(tag_, 0, 1);
    gi->addWidget(Rotulo("LabelDesc", ident), 1, 0);
    gi->addWidget(descricao_, 1, 1);
    grade->addWidget(ident, 0, 0);

    auto* param = new QGroupBox(this);
    param->setObjectName(QStringLiteral("Parametros"));
    auto* gp = new QGridLayout(param);
    const auto linha = [&](int r, const char* rotulo, QLineEdit* campo) {
        gp->addWidget(Rotulo(rotulo, param), r, 0);
        gp->addWidget(campo, r, 1);
    };
    linha(0, "LabelKp", kp_ = Campo("KpText"));
    linha(1, "LabelKi", ki_ = Campo("KiText"));
    linha(2, "LabelKd", kd_ = Campo("KdText"));
    linha(3, "LabelBias", bias_ = Campo("BiasText"));
    linha(4, "LabelA", a_ = Campo("aText"));
    linha(5, "LabelTf", tf_ = Campo("tfText"));
    auto* acoes = new QHBoxLayout;
    for (auto [caixa, nome] : {std::pair{&p_, "PCHK"}, std::pair{&i_, "ICHK"}, std::pair{&d_, "DCHK"}}) {
        *caixa = new QCheckBox(param);
        (*caixa)->setObjectName(QString::fromLatin1(nome));
        connect(*caixa, &QCheckBox::clicked, this, &ConfigControlador::editado);
        acoes->addWidget(*caixa);
    }
    gp->addLayout(acoes, 6, 0, 1, 2);
    grade->addWidget(param, 1, 0, 2, 1);

    auto* limites = new QGroupBox(this);
    limites->setObjectName(QStringLiteral("LimitesSaida"));
    auto* gl = new QGridLayout(limites);
    gl->addWidget(Rotulo("LabelCOmin", limites), 0, 0);
    gl->addWidget(comin_ = Campo("COminText"), 0, 1);
    gl->addWidget(Rotulo("LabelCOmax", limites), 1, 0);
    gl->addWidget(comax_ = Campo("COmaxText"), 1, 1);
    grade->addWidget(limites, 3, 0);

    // Column 2: the three radio groups.
    const auto radios = [this](const char* nome) {
        auto* g = new QGroupBox(this);
        g->setObjectName(QString::fromLatin1(nome));
        auto* v = new QVBoxLayout(g);
        auto* grupo = new QButtonGroup(g);
        for (int k = 0; k < 2; ++k) {
            auto* r = new QRadioButton(g);
            r->setObjectName(QString::fromLatin1(nome) + QString::number(k));
            grupo->addButton(r, k);
            v->addWidget(r);
        }
        connect(grupo, &QButtonGroup::idClicked, this, &ConfigControlador::editado);
        return std::pair{g, grupo};
    };
    auto [gAcao, bAcao] = radios("Acaogroup");
    auto [gEstr, bEstr] = radios("EstruturaGroup");
    auto [gDeriv, bDeriv] = radios("DerivadaGroup");
    acao_ = bAcao;
    estrutura_ = bEstr;
    derivada_ = bDeriv;
    grade->addWidget(gAcao, 0, 1);
    grade->addWidget(gEstr, 1, 1);
    grade->addWidget(gDeriv, 2, 1);

    // Column 3: variables, feed-forward, scale.
    auto* vars = new QGroupBox(this);
    vars->setObjectName(QStringLiteral("Variaveis"));
    auto* gv = new QGridLayout(vars);
    pv_ = Lista("VariavelSelect", true);
    gv->addWidget(Rotulo("LabelPV", vars), 0, 0);
    gv->addWidget(pv_, 0, 1);
    checkSPR_ = new QCheckBox(vars);
    checkSPR_->setObjectName(QStringLiteral("CheckSPR"));
    spr_ = Lista("SPRSelect", true);
    gv->addWidget(checkSPR_, 1, 0);
    gv->addWidget(spr_, 1, 1);
    connect(checkSPR_, &QCheckBox::clicked, this, [this](bool marcado) {
        // Enabling the remote setpoint starts from the first variable.
        spr_->setEnabled(marcado);
        if (marcado) spr_->setCurrentIndex(0);
        emit editado();
    });
    ffw_ = new QCheckBox(vars);
    ffw_->setObjectName(QStringLiteral("FFwSelect"));
    equacao_ = Campo("FFwEquation");
    gv->addWidget(ffw_, 2, 0);
    gv->addWidget(equacao_, 2, 1);
    connect(ffw_, &QCheckBox::clicked, this, &ConfigControlador::editado);
    backCheck_ = new QCheckBox(vars);
    backCheck_->setObjectName(QStringLiteral("BackMVCheck"));
    back_ = Lista("BackMV", false);
    back_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    gv->addWidget(backCheck_, 3, 0);
    gv->addWidget(back_, 3, 1, Qt::AlignLeft);
    connect(backCheck_, &QCheckBox::clicked, this, &ConfigControlador::editado);
    gv->setColumnStretch(1, 1);
    grade->addWidget(vars, 0, 2, 2, 1);

    // The scale is always the PV variable's: the apply refills these
    // fields from the variable table, so typing into them would be lost.
    auto* escala = new QGroupBox(this);
    escala->setObjectName(QStringLiteral("Escala"));
    auto* ge = new QGridLayout(escala);
    ge->addWidget(Rotulo("LabelInicio", escala), 0, 0);
    ge->addWidget(inicio_ = Campo("InicioEscala", true), 0, 1);
    ge->addWidget(Rotulo("LabelFim", escala), 1, 0);
    ge->addWidget(fim_ = Campo("FimEscala", true), 1, 1);
    ge->addWidget(Rotulo("LabelUnid", escala), 2, 0);
    ge->addWidget(unid_ = Campo("UnidEng", true), 2, 1);
    grade->addWidget(escala, 2, 2);

    atualizar_ = new QPushButton(this);
    atualizar_->setObjectName(QStringLiteral("btnatualiza"));
    atualizar_->setEnabled(false);
    grade->addWidget(atualizar_, 3, 1, 1, 2, Qt::AlignRight | Qt::AlignBottom);
}

QLineEdit* ConfigControlador::Campo(const char* nome, bool somenteLeitura) {
    auto* e = new QLineEdit(this);
    e->setObjectName(QString::fromLatin1(nome));
    e->setReadOnly(somenteLeitura);
    // Wide enough for a number or a short formula at any font size.
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));
    if (!somenteLeitura) connect(e, &QLineEdit::textEdited, this, &ConfigControlador::editado);
    return e;
}

QComboBox* ConfigControlador::Lista(const char* nome, bool comDescricoes) {
    auto* l = new ListaVariaveis(this);
    l->setObjectName(QString::fromLatin1(nome));
    l->setMaxVisibleItems(20);
    PreencheLista(l, comDescricoes);
    l->antesDeAbrir = [this, l, comDescricoes] { PreencheLista(l, comDescricoes); };
    connect(l, &QComboBox::activated, this, &ConfigControlador::editado);
    if (comDescricoes) {
        // Long descriptions must not stretch the window.
        l->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        l->setMinimumContentsLength(14);
    }
    return l;
}

void ConfigControlador::PreencheLista(QComboBox* lista, bool comDescricoes) {
    const int indice = lista->currentIndex();
    const QSignalBlocker bloqueio(lista);
    lista->clear();
    if (comDescricoes) {
        for (const std::string& item : mem_.ListaEntrada()) lista->addItem(Q(item));
    } else {
        for (int k = 1; k <= 99; ++k) lista->addItem(QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0')));
    }
    lista->setCurrentIndex(indice);
}

void ConfigControlador::Carrega(const kivo::TControlador& c) {
    tag_->setText(Q(c.TagText));
    descricao_->setText(Q(c.Descricao));
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
    if (auto* b = acao_->button(c.Acaogroup)) b->setChecked(true);
    if (auto* b = estrutura_->button(c.EstruturaGroup)) b->setChecked(true);
    if (auto* b = derivada_->button(c.DerivadaGroup)) b->setChecked(true);
    pv_->setCurrentIndex(c.VariavelSelect);
    checkSPR_->setChecked(c.CheckSPR);
    spr_->setCurrentIndex(c.SPRSelect);
    spr_->setEnabled(c.CheckSPR);
    ffw_->setChecked(c.FFwSelect);
    equacao_->setText(Q(c.FFwEquation));
    backCheck_->setChecked(c.BackMVCheck);
    back_->setCurrentIndex(c.BackMV);
    CarregaEscala(c);
}

void ConfigControlador::CarregaEscala(const kivo::TControlador& c) {
    inicio_->setText(Q(c.InicioEscala));
    fim_->setText(Q(c.FimEscala));
    unid_->setText(Q(c.UnidEng));
}

void ConfigControlador::Grava(kivo::TControlador& c) const {
    c.TagText = S(tag_);
    c.Descricao = S(descricao_);
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
    c.Acaogroup = acao_->checkedId();
    c.EstruturaGroup = estrutura_->checkedId();
    c.DerivadaGroup = derivada_->checkedId();
    c.VariavelSelect = pv_->currentIndex();
    c.CheckSPR = checkSPR_->isChecked();
    c.SPRSelect = spr_->currentIndex();
    c.FFwSelect = ffw_->isChecked();
    c.FFwEquation = S(equacao_);
    c.BackMVCheck = backCheck_->isChecked();
    c.BackMV = back_->currentIndex();
}

}  // namespace kivo::ui
