// The faceplate's side of the tuning assistant: opening its window and
// taking the chosen setting into the configuration area.
#include <QLineEdit>
#include <QRadioButton>

#include "ui/objects/ConfigControlador.h"
#include "ui/objects/TControlador.h"
#include "ui/tuning/TSintonia.h"

namespace kivo::ui {

void TControlador::SintoniaBTNClick() {
    if (!sintonia_) {
        sintonia_ = new TSintonia(app_, c_, this);
        connect(sintonia_, &TSintonia::aplicar, this, &TControlador::AplicaSintonia);
    }
    sintonia_->show();
    sintonia_->raise();
    sintonia_->activateWindow();
}

void TControlador::AplicaSintonia(const QString& kp, const QString& ti, const QString& td, int acao) {
    // The fields and the radio button the configuration area binds to KpText,
    // KiText, KdText and Acaogroup: the apply of "Atualizar" reads them.
    const std::pair<const char*, const QString*> campos[] = {{"KpText", &kp}, {"KiText", &ti}, {"KdText", &td}};
    for (auto [nome, texto] : campos)
        if (auto* e = config_->findChild<QLineEdit*>(QString::fromLatin1(nome))) e->setText(*texto);
    if (auto* r = config_->findChild<QRadioButton*>(QStringLiteral("Acaogroup%1").arg(acao))) r->setChecked(true);
    ConfigEditada();
    MostraLayout(Layout::Configuracao);
}

}  // namespace kivo::ui
