#include "ui/shell/ObjectWindows.h"

namespace kivo::ui {

QWidget* ObjectWindows::Open(Family f, int slot) {
    QWidget* w = window(f, slot);
    if (!w) {
        const auto factory = factories_.find(f);
        if (factory == factories_.end() || !factory->second) return nullptr;
        w = factory->second(slot);
        if (!w) return nullptr;
        windows_[{f, slot}] = w;
    }
    if (f == Family::Recorder && w->isVisible()) {
        w->hide();
        return w;
    }
    w->show();
    w->raise();
    w->activateWindow();
    return w;
}

QWidget* ObjectWindows::Build(Family f, int slot) {
    if (QWidget* w = window(f, slot)) return w;
    const auto factory = factories_.find(f);
    if (factory == factories_.end() || !factory->second) return nullptr;
    QWidget* w = factory->second(slot);
    if (w) windows_[{f, slot}] = w;
    return w;
}

QWidget* ObjectWindows::window(Family f, int slot) const {
    const auto it = windows_.find({f, slot});
    return it == windows_.end() ? nullptr : it->second.data();
}

void ObjectWindows::Close(Family f, int slot) {
    const auto it = windows_.find({f, slot});
    if (it == windows_.end()) return;
    // Deleted at once: the slot's object goes right after, and the window
    // must not outlive what it shows.
    delete it->second.data();
    windows_.erase(it);
}

void ObjectWindows::CloseAll() {
    for (auto& [key, w] : windows_) delete w.data();
    windows_.clear();
}

}  // namespace kivo::ui
