// The faceplate's side of the tuning assistant: opening its window and
// taking the chosen setting into the configuration area.
#include <QLineEdit>
#include <QRadioButton>

#include "ui/objects/ControllerSettings.h"
#include "ui/objects/ControllerFaceplate.h"
#include "ui/tuning/TuningWindow.h"

namespace kivo::ui {

void ControllerFaceplate::TuningBTNClick() {
    if (!tuningWindow_) {
        tuningWindow_ = new TuningWindow(app_, c_, this);
        connect(tuningWindow_, &TuningWindow::apply, this, &ControllerFaceplate::ApplyTuning);
    }
    tuningWindow_->show();
    tuningWindow_->raise();
    tuningWindow_->activateWindow();
}

void ControllerFaceplate::ApplyTuning(const QString& kp, const QString& ti, const QString& td, int actionItem) {
    // The fields and the radio button the configuration area binds to KpText,
    // KiText, KdText and Acaogroup: the apply of "Atualizar" reads them.
    const std::pair<const char*, const QString*> fields[] = {{"KpText", &kp}, {"KiText", &ti}, {"KdText", &td}};
    for (auto [name, text] : fields)
        if (auto* e = config_->findChild<QLineEdit*>(QString::fromLatin1(name))) e->setText(*text);
    if (auto* r = config_->findChild<QRadioButton*>(QStringLiteral("Acaogroup%1").arg(actionItem))) r->setChecked(true);
    ConfigEdited();
    ShowLayout(Layout::Configuration);
}

}  // namespace kivo::ui
