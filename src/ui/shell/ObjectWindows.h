#pragma once
// The one place where object windows come from: a click on a marker in
// normal mode asks this registry for the window of (family, slot). A window
// type plugs in with one Register call; a family without a factory opens
// nothing.
#include <array>
#include <functional>
#include <map>
#include <utility>

#include <QPointer>
#include <QWidget>

#include "ui/context/ObjectFamily.h"

namespace kivo::ui {

class ObjectWindows {
public:
    // Builds the window of a slot; the registry owns it from then on.
    using Factory = std::function<QWidget*(int slot)>;

    void Register(Family f, Factory factory) { factories_[f] = std::move(factory); }

    // Shows the slot's window, building it on first use. A recorder's window
    // is toggled: shown if hidden, hidden if shown. Returns the window, or
    // nullptr when the family has no window type yet.
    QWidget* Open(Family f, int slot);
    // The slot's window, built hidden if it was not: what a window that
    // works while hidden (a recorder sampling) needs.
    QWidget* Build(Family f, int slot);
    // The slot's window if it was built.
    QWidget* window(Family f, int slot) const;
    // Closes and releases the slot's window (delete mode, project reset).
    void Close(Family f, int slot);
    void CloseAll();

private:
    std::map<Family, Factory> factories_;
    std::map<std::pair<Family, int>, QPointer<QWidget>> windows_;
};

}  // namespace kivo::ui
