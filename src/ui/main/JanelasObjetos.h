#pragma once
// The one place where object windows come from: a click on a marker in
// normal mode asks this registry for the window of (family, slot). A window
// type plugs in with one Registra call; a family without a factory opens
// nothing.
#include <array>
#include <functional>
#include <map>
#include <utility>

#include <QPointer>
#include <QWidget>

namespace kivo::ui {

enum class Familia { Controlador, Processo, Bloco, Registrador, Texto };
inline constexpr std::array kFamilias{Familia::Controlador, Familia::Processo, Familia::Bloco,
                                      Familia::Registrador, Familia::Texto};

class JanelasObjetos {
public:
    // Builds the window of a slot; the registry owns it from then on.
    using Fabrica = std::function<QWidget*(int slot)>;

    void Registra(Familia f, Fabrica fabrica) { fabricas_[f] = std::move(fabrica); }

    // Shows the slot's window, building it on first use. A recorder's window
    // is toggled: shown if hidden, hidden if shown. Returns the window, or
    // nullptr when the family has no window type yet.
    QWidget* Abre(Familia f, int slot);
    // The slot's window, built hidden if it was not: what a window that
    // works while hidden (a recorder sampling) needs.
    QWidget* Constroi(Familia f, int slot);
    // The slot's window if it was built.
    QWidget* janela(Familia f, int slot) const;
    // Closes and releases the slot's window (delete mode, project reset).
    void Fecha(Familia f, int slot);
    void FechaTodas();

private:
    std::map<Familia, Fabrica> fabricas_;
    std::map<std::pair<Familia, int>, QPointer<QWidget>> janelas_;
};

}  // namespace kivo::ui
