// The faceplate's operator actions and the redraws they share: SP and MV
// entry, the mode buttons, the layout buttons and the apply.
#include <algorithm>
#include <cmath>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/NumberText.h"
#include "objects/Campos.h"
#include "objects/Controller.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/TextosControlador.h"
#include "ui/main/TForm1.h"
#include "ui/objects/ConfigControlador.h"
#include "ui/objects/GraficoTendencia.h"
#include "ui/objects/TControlador.h"
#include "ui/widgets/BarraVertical.h"

namespace kivo::ui {
namespace {

// Nearest(2 v): the bars run over 0..200.
int Barra(double v) { return static_cast<int>(Arredonda(2 * v)); }

void DefineTexto(QLineEdit* e, const QString& texto) {
    if (e->text() != texto) e->setText(texto);
}

void DefineTexto(QLabel* l, const QString& texto) {
    if (l->text() != texto) l->setText(texto);
}

}  // namespace

double TControlador::ParaEU(double pct) const {
    return c_.inicioEscala() + (c_.fimEscala() - c_.inicioEscala()) * pct / 100;
}

QString TControlador::TextoEU(double pct) const {
    const int d = c_.casasDecimais();
    return QString::fromStdString(FormataFixo(ParaEU(pct), d, d)).trimmed();
}

void TControlador::MostraSP() {
    DefineTexto(spText_, TextoEU(c_.estado.SP));
    spBar_->setValor(Barra(c_.estado.SP));
}

void TControlador::MostraMV() {
    DefineTexto(mvText_, QString::fromStdString(FormataFixo(c_.estado.MV, 1, 2)));
    coBar_->setValor(Barra(c_.estado.MV));
}

void TControlador::AtualizaDisplay() {
    if (!isVisible()) return;
    const EstadoControlador& s = c_.estado;
    spBar_->setValor(Barra(s.SP));
    pvBar_->setValor(Barra(s.PV));
    coBar_->setValor(Barra(s.MV));
    sprBar_->setValor(Barra(s.SPR));
    // The fields the operator types into are left alone while he is
    // typing there (SP in local mode, MV in manual); once he leaves a field
    // without Enter it shows the value in use again.
    if (!s.modoLocal || !spText_->hasFocus()) DefineTexto(spText_, TextoEU(s.SP));
    if (s.modoAuto || !mvText_->hasFocus()) DefineTexto(mvText_, QString::fromStdString(FormataFixo(s.MV, 1, 2)));
    DefineTexto(pvText_, TextoEU(s.PV));
    DefineTexto(spPorc_, QString::fromStdString(FormataFixo(s.SP, 1, 1)) + QStringLiteral(" %"));
    DefineTexto(pvPorc_, QString::fromStdString(FormataFixo(s.PV, 1, 1)) + QStringLiteral(" %"));
    DefineTexto(unidade_, QString::fromStdString(c_.UnidEng));
    // Another window (the variable list) may have re-applied the
    // controller and moved its scale.
    RedesenhaEscala();
}

void TControlador::IncrementaSP(double delta) {
    if (!c_.estado.modoLocal) return;
    c_.estado.SP = std::clamp(c_.estado.SP + delta, 0.0, 100.0);
    MostraSP();
}

void TControlador::SPTextEnter() {
    double valor = 0;
    const double ini = c_.inicioEscala();
    const double fim = c_.fimEscala();
    if (LeNumeroCampo(spText_->text().toStdString(), valor) && ini != fim) {
        const double sp = (valor - ini) * 100 / (fim - ini);
        if (sp >= 0 && sp <= 100) c_.estado.SP = sp;
    }
    // A refused entry just shows the setpoint in use again.
    MostraSP();
}

void TControlador::IncrementaSaida(double delta) {
    // "Enviar" has nothing left to send in either mode.
    enviar_->setEnabled(false);
    if (c_.estado.modoAuto) return;
    c_.estado.MV = std::clamp(c_.estado.MV + delta, 0.0, 100.0);
    MostraMV();
}

void TControlador::MVTextEnter() {
    if (c_.estado.modoAuto) return;
    double valor = 0;
    if (LeNumeroCampo(mvText_->text().toStdString(), valor) && valor >= 0 && valor <= 100) c_.estado.MV = valor;
    MostraMV();
    enviar_->setEnabled(false);
}

void TControlador::LocalRemotoBTNClick() {
    c_.estado.modoLocal = !c_.estado.modoLocal;
    Modos();
}

void TControlador::AutoManualBTNClick() {
    c_.estado.modoAuto = !c_.estado.modoAuto;
    Modos();
    // In automatic the operator watches SP against PV; in manual the SP
    // curve would only hide the output he is moving.
    enviar_->setEnabled(!c_.estado.modoAuto);
    curvas_[TendenciaControlador::CurvaSP]->setChecked(c_.estado.modoAuto);
    if (!c_.estado.modoAuto) MostraMV();
    principal_.AtualizaDiagrama();
}

void TControlador::Modos() {
    const bool local = c_.estado.modoLocal;
    const bool manual = !c_.estado.modoAuto;
    incSP_->setEnabled(local);
    decSP_->setEnabled(local);
    spText_->setReadOnly(!local);
    incMV_->setEnabled(manual);
    decMV_->setEnabled(manual);
    mvText_->setReadOnly(!manual);
    if (!manual) enviar_->setEnabled(false);
    DefineTexto(letraLR_, local ? QStringLiteral("L") : QStringLiteral("R"));
    DefineTexto(letraAM_, manual ? QStringLiteral("M") : QStringLiteral("A"));
    letraLR_->setAccessibleName(letraLR_->text());
    letraAM_->setAccessibleName(letraAM_->text());
}

void TControlador::ConfigBTNClick() {
    if (layout_ == Layout::Configuracao)
        MostraLayout(Layout::Estreito);
    else
        MostraLayout(Layout::Configuracao);
}

void TControlador::TrendButtonClick() {
    if (layout_ == Layout::Tendencia) {
        MostraLayout(Layout::Estreito);
        return;
    }
    if (layout_ == Layout::Estreito) ReiniciaCursor();
    MostraLayout(Layout::Tendencia);
}

void TControlador::ConfigEditada() {
    config_->atualizar()->setEnabled(true);
    configBtn_->setEnabled(false);
}

void TControlador::btnatualizaClick() {
    config_->Grava(c_);
    const bool ok = c_.ValidaParametros(true);
    AposAplicar(ok);
    if (!ok) return;
    config_->atualizar()->setEnabled(false);
    configBtn_->setEnabled(true);
    principal_.AtualizaDiagrama();
    app_.MarcaModificado();
}

void TControlador::AposAplicar(bool ok) {
    config_->CarregaEscala(c_);
    arquivar_->setEnabled(!c_.TagText.empty() || log_.aberto());
    escalaMostrada_ = false;
    RedesenhaEscala();
    TextoIndicadorLog();
    if (!ok) return;
    const QString tag = QString::fromStdString(c_.TagText);
    setWindowTitle(tag.isEmpty() ? (app_.ingles() ? QStringLiteral("Controller") : QStringLiteral("Controlador")) : tag);
    cabecalho_->setText(QString::fromStdString(c_.Descricao));
    lr_->setEnabled(c_.CheckSPR);
    sprBar_->setVisible(c_.CheckSPR);
    unidade_->setText(QString::fromStdString(c_.UnidEng));
    Modos();
    MostraSP();
}

}  // namespace kivo::ui
