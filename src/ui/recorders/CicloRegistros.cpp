#include "ui/recorders/CicloRegistros.h"

#include <QLabel>

#include "ui/app/Aplicacao.h"
#include "ui/main/Diagrama.h"
#include "ui/main/TForm1.h"
#include "ui/recorders/TForm2.h"
#include "ui/recorders/TRegXY.h"
#include "ui/recorders/TRegistrForm.h"

namespace kivo::ui {

CicloRegistros::CicloRegistros(TForm1& w) : QObject(&w), w_(w), app_(w.app()) {
    const auto atualiza = [&w] { w.AtualizaDiagrama(); };
    w_.janelas().Registra(Familia::Registrador, [&w, atualiza](int n) -> QWidget* {
        if (!w.app().projeto().registrador(n)) return nullptr;
        return new TRegistrForm(w.app(), n, atualiza, &w);
    });
    w_.janelas().Registra(Familia::Texto, [&w, atualiza](int n) -> QWidget* {
        if (!w.app().projeto().texto(n)) return nullptr;
        return new TForm2(w.app(), n, atualiza, &w);
    });
    regXY_ = new TRegXY(w.app(), &w);
    w_.app().sim().AdicionaObservador(this);
    connect(&w_.app(), &Aplicacao::displayAtualizar, this, &CicloRegistros::AtualizaTextos);
}

CicloRegistros::~CicloRegistros() { app_.sim().RemoveObservador(this); }

TRegistrForm* CicloRegistros::registrador(int n) {
    if (!w_.app().sim().registradores.ativo(n)) return nullptr;
    return qobject_cast<TRegistrForm*>(w_.janelas().Constroi(Familia::Registrador, n));
}

TForm2* CicloRegistros::texto(int n) {
    if (!w_.app().sim().textos.ativo(n)) return nullptr;
    return qobject_cast<TForm2*>(w_.janelas().Constroi(Familia::Texto, n));
}

void CicloRegistros::AoFimDoCiclo() {
    for (int n = 1; n <= 10; ++n)
        if (TRegistrForm* r = registrador(n)) r->CalculaCiclo();
}

void CicloRegistros::AtualizaTodos() {
    for (int n = 1; n <= 10; ++n)
        if (TRegistrForm* r = registrador(n)) r->AtualizaRegistrador();
    for (int n = 1; n <= 20; ++n)
        if (TForm2* t = texto(n)) t->ValidaParametros();
}

void CicloRegistros::AtualizaTextos() {
    for (int n = 1; n <= 20; ++n) {
        TForm2* t = texto(n);
        if (!t) continue;
        t->CalculaCiclo();
        QLabel* rotulo = w_.diagrama().valorTexto(n);
        rotulo->setText(t->valor()->text());
        rotulo->setPalette(t->valor()->palette());
        rotulo->adjustSize();
    }
}

}  // namespace kivo::ui
