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
#include "objects/Fields.h"
#include "objects/Controller.h"
#include "objects/Operator.h"
#include "ui/context/AppContext.h"
#include "ui/i18n/ControllerTexts.h"
#include "ui/shell/Shell.h"
#include "ui/objects/ControllerSettings.h"
#include "ui/objects/TrendChart.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/widgets/VerticalBar.h"

namespace kivo::ui {
namespace {

// Nearest(2 v): the bars run over 0..200.
int BarValue(double v) { return static_cast<int>(Round(2 * v)); }

void SetText(QLineEdit* e, const QString& text) {
    if (e->text() != text) e->setText(text);
}

void SetText(QLabel* l, const QString& text) {
    if (l->text() != text) l->setText(text);
}

}  // namespace

double ControllerFaceplate::ToEU(double pct) const {
    return c_.scaleStart() + (c_.scaleEnd() - c_.scaleStart()) * pct / 100;
}

QString ControllerFaceplate::EUText(double pct) const {
    const int d = c_.decimalPlaces();
    return QString::fromStdString(FormatFixed(ToEU(pct), d, d)).trimmed();
}

void ControllerFaceplate::ShowSP() {
    SetText(spText_, EUText(c_.state.SP));
    spBar_->setValue(BarValue(c_.state.SP));
}

void ControllerFaceplate::ShowMV() {
    SetText(mvText_, QString::fromStdString(FormatFixed(c_.state.MV, 1, 2)));
    coBar_->setValue(BarValue(c_.state.MV));
}

void ControllerFaceplate::UpdateDisplay() {
    if (!isVisible()) return;
    const ControllerState& s = c_.state;
    spBar_->setValue(BarValue(s.SP));
    pvBar_->setValue(BarValue(s.PV));
    coBar_->setValue(BarValue(s.MV));
    sprBar_->setValue(BarValue(s.SPR));
    // The fields the operator types into are left alone while he is
    // typing there (SP in local mode, MV in manual); once he leaves a field
    // without Enter it shows the value in use again.
    if (!s.localMode || !spText_->hasFocus()) SetText(spText_, EUText(s.SP));
    if (s.autoMode || !mvText_->hasFocus()) SetText(mvText_, QString::fromStdString(FormatFixed(s.MV, 1, 2)));
    SetText(pvText_, EUText(s.PV));
    SetText(spPercent_, QString::fromStdString(FormatFixed(s.SP, 1, 1)) + QStringLiteral(" %"));
    SetText(pvPercent_, QString::fromStdString(FormatFixed(s.PV, 1, 1)) + QStringLiteral(" %"));
    SetText(unit_, QString::fromStdString(c_.EngUnit));
    // A Modbus client may have switched the modes.
    if (lrLetter_->text() != (s.localMode ? QStringLiteral("L") : QStringLiteral("R")) ||
        amLetter_->text() != (s.autoMode ? QStringLiteral("A") : QStringLiteral("M")))
        UpdateModes();
    // Another window (the variable list) may have re-applied the
    // controller and moved its scale.
    RedrawScale();
}

void ControllerFaceplate::IncrementSP(double delta) {
    if (!c_.state.localMode) return;
    c_.state.SP = std::clamp(c_.state.SP + delta, 0.0, 100.0);
    ShowSP();
}

void ControllerFaceplate::SPTextEnter() {
    double value = 0;
    if (ReadNumberField(spText_->text().toStdString(), value)) EnterSetpoint(c_, value);
    // A refused entry just shows the setpoint in use again.
    ShowSP();
}

void ControllerFaceplate::IncrementOutput(double delta) {
    // "Enviar" has nothing left to send in either mode.
    send_->setEnabled(false);
    if (c_.state.autoMode) return;
    c_.state.MV = std::clamp(c_.state.MV + delta, 0.0, 100.0);
    ShowMV();
}

void ControllerFaceplate::MVTextEnter() {
    if (c_.state.autoMode) return;
    double value = 0;
    if (ReadNumberField(mvText_->text().toStdString(), value)) EnterOutput(c_, value);
    ShowMV();
    send_->setEnabled(false);
}

void ControllerFaceplate::LocalRemoteBTNClick() {
    SelectRemote(c_, c_.state.localMode);
    UpdateModes();
}

void ControllerFaceplate::AutoManualBTNClick() {
    SelectAutomatic(c_, !c_.state.autoMode);
    UpdateModes();
    // In automatic the operator watches SP against PV; in manual the SP
    // curve would only hide the output he is moving.
    send_->setEnabled(!c_.state.autoMode);
    curves_[ControllerTrend::SPCurve]->setChecked(c_.state.autoMode);
    if (!c_.state.autoMode) ShowMV();
    shell_.UpdateDiagram();
}

void ControllerFaceplate::UpdateModes() {
    const bool local = c_.state.localMode;
    const bool manual = !c_.state.autoMode;
    incSP_->setEnabled(local);
    decSP_->setEnabled(local);
    spText_->setReadOnly(!local);
    incMV_->setEnabled(manual);
    decMV_->setEnabled(manual);
    mvText_->setReadOnly(!manual);
    if (!manual) send_->setEnabled(false);
    SetText(lrLetter_, local ? QStringLiteral("L") : QStringLiteral("R"));
    SetText(amLetter_, manual ? QStringLiteral("M") : QStringLiteral("A"));
    lrLetter_->setAccessibleName(lrLetter_->text());
    amLetter_->setAccessibleName(amLetter_->text());
}

void ControllerFaceplate::ConfigBTNClick() {
    if (layout_ == Layout::Configuration)
        ShowLayout(Layout::Narrow);
    else
        ShowLayout(Layout::Configuration);
}

void ControllerFaceplate::TrendButtonClick() {
    if (layout_ == Layout::Trend) {
        ShowLayout(Layout::Narrow);
        return;
    }
    if (layout_ == Layout::Narrow) ResetCursor();
    ShowLayout(Layout::Trend);
}

void ControllerFaceplate::ConfigEdited() {
    config_->updateButton()->setEnabled(true);
    configBtn_->setEnabled(false);
}

void ControllerFaceplate::btnupdateClick() {
    config_->Write(c_);
    const bool ok = c_.ValidateParameters(true);
    AfterApply(ok);
    if (!ok) return;
    config_->updateButton()->setEnabled(false);
    configBtn_->setEnabled(true);
    shell_.UpdateDiagram();
    app_.MarkModified();
}

void ControllerFaceplate::AfterApply(bool ok) {
    config_->LoadScale(c_);
    archive_->setEnabled(!c_.TagText.empty() || log_.isOpen());
    scaleShown_ = false;
    RedrawScale();
    UpdateLogIndicator();
    if (!ok) return;
    const QString tag = QString::fromStdString(c_.TagText);
    setWindowTitle(tag.isEmpty() ? (app_.english() ? QStringLiteral("Controller") : QStringLiteral("Controlador")) : tag);
    header_->setText(QString::fromStdString(c_.Description));
    lr_->setEnabled(c_.CheckSPR);
    sprBar_->setVisible(c_.CheckSPR);
    unit_->setText(QString::fromStdString(c_.EngUnit));
    UpdateModes();
    ShowSP();
}

}  // namespace kivo::ui
