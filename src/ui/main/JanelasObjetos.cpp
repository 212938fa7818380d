#include "ui/main/JanelasObjetos.h"

namespace kivo::ui {

QWidget* JanelasObjetos::Abre(Familia f, int slot) {
    QWidget* w = janela(f, slot);
    if (!w) {
        const auto fab = fabricas_.find(f);
        if (fab == fabricas_.end() || !fab->second) return nullptr;
        w = fab->second(slot);
        if (!w) return nullptr;
        janelas_[{f, slot}] = w;
    }
    if (f == Familia::Registrador && w->isVisible()) {
        w->hide();
        return w;
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

QWidget* JanelasObjetos::Constroi(Familia f, int slot) {
    if (QWidget* w = janela(f, slot)) return w;
    const auto fab = fabricas_.find(f);
    if (fab == fabricas_.end() || !fab->second) return nullptr;
    QWidget* w = fab->second(slot);
    if (w) janelas_[{f, slot}] = w;
    return w;
}

QWidget* JanelasObjetos::janela(Familia f, int slot) const {
    const auto it = janelas_.find({f, slot});
    return it == janelas_.end() ? nullptr : it->second.data();
}

void JanelasObjetos::Fecha(Familia f, int slot) {
    const auto it = janelas_.find({f, slot});
    if (it == janelas_.end()) return;
    // Deleted at once: the slot's object goes right after, and the window
    // must not outlive what it shows.
    delete it->second.data();
    janelas_.erase(it);
}

void JanelasObjetos::FechaTodas() {
    for (auto& [chave, w] : janelas_) delete w.data();
    janelas_.clear();
}

}  // namespace kivo::ui
