#include "ui/recorders/CicloRegistros.h"

#include <QLabel>

#include "ui/app/Aplicacao.h"
#include "ui/main/Diagrama.h"
#include "ui/main/TForm1.h"
#include "ui/recorders/TForm2.h"
#include "ui/recorders/TRegXY.h"
#include "ui/recorders/TRegistrForm.h"

namespace kivo::ui {

CicloRegistros::CicloRegistros(TForm1& w) : QObject(&w), w_(w) {
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
    // The cycle has recomputed the texts just before this signal.
    connect(&w_.app(), &Aplicacao::displayAtualizar, this, &CicloRegistros::AtualizaTextos);
}

TRegistrForm* CicloRegistros::registrador(int n) {
    if (!w_.app().sim().registradores.ativo(n)) return nullptr;
    return qobject_cast<TRegistrForm*>(w_.janelas().Constroi(Familia::Registrador, n));
}

TForm2* CicloRegistros::texto(int n) {
    if (!w_.app().sim().textos.ativo(n)) return nullptr;
    return qobject_cast<TForm2*>(w_.janelas().Constroi(Familia::Texto, n));
}

void CicloRegistros::AtualizaTodos() {
    Projeto& p = w_.app().projeto();
    for (int n = 1; n <= 10; ++n) {
        DadosRegistrador* r = p.registrador(n);
        if (!r) continue;
        if (auto* janela = qobject_cast<TRegistrForm*>(w_.janelas().janela(Familia::Registrador, n)))
            janela->AtualizaRegistrador();
        else
            r->AtualizaRegistrador();
    }
    // A built window applies through itself, so that its fields follow.
    bool algum = false;
    for (int n = 1; n <= 20; ++n) {
        DadosTexto* t = p.texto(n);
        if (!t) continue;
        if (auto* janela = qobject_cast<TForm2*>(w_.janelas().janela(Familia::Texto, n))) {
            janela->ValidaParametros();
        } else {
            t->ValidaParametros();
            algum = true;
        }
    }
    if (algum) w_.AtualizaDiagrama();
}

void CicloRegistros::AtualizaTextos() {
    Projeto& p = w_.app().projeto();
    for (int n = 1; n <= 20; ++n) {
        const DadosTexto* t = p.texto(n);
        if (!t) continue;
        const QString texto = QString::fromStdString(t->exibicao().texto());
        const QColor cor = t->exibicao().vermelho() ? QColor(Qt::red) : QColor(Qt::blue);
        QLabel* rotulo = w_.diagrama().valorTexto(n);
        rotulo->setText(texto);
        QPalette pal = rotulo->palette();
        pal.setColor(QPalette::WindowText, cor);
        rotulo->setPalette(pal);
        rotulo->adjustSize();
        if (auto* janela = qobject_cast<TForm2*>(w_.janelas().janela(Familia::Texto, n))) janela->MostraValor();
    }
}

}  // namespace kivo::ui
