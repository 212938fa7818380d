// The windows together, as a student uses them: every marker's window and
// every menu window open on an example while the plant runs, another example
// or a new project loaded over them, objects deleted under their windows.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QToolButton>

#include "Auxiliares.h"
#include "ui/main/Diagrama.h"
#include "ui/project/CicloProjeto.h"
#include "ui/recorders/CicloRegistros.h"
#include "ui/project/TDialogos.h"
#include "ui/recorders/TForm2.h"

using namespace kivo;
using namespace kivo::ui;
using namespace kivo::ui::teste;

namespace {

const char* const kExemplos[] = {"boiler/boiler.smp", "basic flow loop/basic flow loop.smp", "reactor/reactor.smp"};

bool Ativo(Aplicacao& app, Familia f, int n) {
    Simulacao& sim = app.sim();
    switch (f) {
        case Familia::Controlador: return sim.controladores.ativo(n);
        case Familia::Processo: return sim.processos.ativo(n);
        case Familia::Bloco: return sim.blocos.ativo(n);
        case Familia::Registrador: return sim.registradores.ativo(n);
        case Familia::Texto: return sim.textos.ativo(n);
    }
    return false;
}

// A click on the slot's marker, or on a text's value label.
void Clica(Diagrama& d, Familia f, int n) {
    if (f == Familia::Texto)
        QTest::mouseClick(d.valorTexto(n), Qt::LeftButton);
    else
        d.marcador(f, n)->click();
}

}  // namespace

class IntegracaoTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        amb_ = std::make_unique<Ambiente>();
        amb_->janela->show();
    }
    void cleanup() { amb_.reset(); }

    void everyWindowOpenWhileExamplesFollowOneAnother() {
        for (const char* exemplo : kExemplos) {
            QVERIFY(amb_->janela->ciclo().Carrega(PastaExemplos() + "/" + exemplo, true));
            QVector<QPointer<QWidget>> abertas = AbreTudo();
            amb_->janela->dialogos().Atualiza();
            Roda(30);
            for (const auto& w : abertas) QVERIFY(w);
        }
        // The object windows closed with the project they showed.
        amb_->janela->ciclo().Novo();
        for (Familia f : kFamilias)
            for (int n = 1; n <= Diagrama::TamanhoFamilia(f); ++n) QVERIFY(!amb_->janela->janelas().janela(f, n));
        // The open variable list shows the reset table, not the reactor's.
        TDialogos& lista = amb_->janela->dialogos();
        QCOMPARE(lista.celula(lista.listaVar(), 1, 7),
                 QString::fromStdString(amb_->app->sim().mem.entrada(21).descricao));
        Roda(12);
        amb_->janela->ciclo().Exemplos();
        Roda(6);
    }

    void everyWindowOpensInEnglish() {
        amb_->janela->TraduzIngles();
        QVERIFY(amb_->janela->ciclo().Carrega(PastaExemplos() + "/reactor/reactor.smp", true));
        const QVector<QPointer<QWidget>> abertas = AbreTudo();
        QVERIFY(!abertas.isEmpty());
        Roda(12);
        for (const auto& w : abertas) QVERIFY(w && !w->windowTitle().contains(QStringLiteral("Controlador")));
        // No caption, hint or accessible name of any open window is left in
        // Portuguese (the plant's own texts, in the file, are the plant's).
        const QRegularExpression portugues(QStringLiteral("ção|ções|ões|Saída|segundos|minuto\\b|Histerese|Vídeo|Arquivo|Salvar|Abrir|Sobre$"));
        QStringList achados;
        QList<QWidget*> todas{static_cast<QWidget*>(amb_->janela.get())};
        for (const auto& w : abertas) todas << w.data();
        for (QWidget* raiz : todas)
            for (QWidget* c : raiz->findChildren<QWidget*>()) {
                if (!c->isVisibleTo(raiz)) continue;  // nothing announces a hidden control
                QStringList textos{c->toolTip(), c->accessibleName(), c->accessibleDescription()};
                if (auto* l = qobject_cast<QLabel*>(c)) textos << l->text();
                if (auto* b = qobject_cast<QAbstractButton*>(c)) textos << b->text();
                if (auto* cb = qobject_cast<QComboBox*>(c))
                    for (int i = 0; i < cb->count(); ++i) textos << cb->itemText(i);
                // Variable lists show the variables' descriptions: the plant's
                // data, whatever language it was written in.
                const QRegularExpression variavel(QStringLiteral("^ *M?\\d+ "));
                for (const QString& t : textos)
                    if (t.contains(portugues) && !t.contains(variavel)) achados << c->objectName() + ": " + t;
            }
        achados.removeDuplicates();
        QVERIFY2(achados.isEmpty(), qPrintable(achados.join(QStringLiteral("\n"))));
    }

    void deletingObjectsUnderTheirOpenWindows() {
        QVERIFY(amb_->janela->ciclo().Carrega(PastaExemplos() + "/boiler/boiler.smp", true));
        AbreTudo();
        Roda(12);
        Diagrama& d = amb_->janela->diagrama();
        amb_->acao("ExcluirObjetos")->trigger();
        for (Familia f : kFamilias)
            for (int n = 1; n <= Diagrama::TamanhoFamilia(f); ++n) {
                if (!Ativo(*amb_->app, f, n)) continue;
                QPointer<QWidget> janela = amb_->janela->janelas().janela(f, n);
                QVERIFY(janela);
                Clica(d, f, n);
                QVERIFY(janela.isNull());
                QVERIFY(!Ativo(*amb_->app, f, n));
                Roda(7);
            }
    }

    // A range changed in the variable list reaches the animated texts and
    // recorders that show the variable.
    void variableListRefreshReachesTextsAndRecorders() {
        amb_->janela->ciclo().Novo();
        Projeto& p = amb_->app->projeto();
        DadosTexto& texto = p.CriaTexto(1);
        texto.ComboBox1 = 20;  // M21
        Memorias& mem = amb_->app->sim().mem;
        mem.setUeMax(21, "100");
        amb_->janela->registros().texto(1)->ValidaParametros();
        mem.setUeMax(21, "400");
        amb_->janela->dialogos().Atualiza();
        QCOMPARE(texto.Edit1, std::string("400"));
    }

private:
    // Every active slot's window through its marker, then every menu window.
    QVector<QPointer<QWidget>> AbreTudo() {
        QVector<QPointer<QWidget>> abertas;
        Diagrama& d = amb_->janela->diagrama();
        for (Familia f : kFamilias)
            for (int n = 1; n <= Diagrama::TamanhoFamilia(f); ++n) {
                if (!Ativo(*amb_->app, f, n)) continue;
                Clica(d, f, n);
                QWidget* w = amb_->janela->janelas().janela(f, n);
                if (f != Familia::Registrador || (w && w->isHidden())) Clica(d, f, n);
                w = amb_->janela->janelas().janela(f, n);
                if (!w) qWarning("no window for family %d slot %d", static_cast<int>(f), n);
                else abertas << w;
            }
        for (const char* item : {"Configurao1", "Dese1", "Variveis1", "RegistradorXY1", "Configurao2", "Sobre3"})
            amb_->acao(item)->trigger();
        QCoreApplication::processEvents();
        return abertas;
    }
    void Roda(int ticks) {
        for (int i = 0; i < ticks; ++i) amb_->app->Tick();
        QCoreApplication::processEvents();
    }

    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(IntegracaoTest)
#include "IntegracaoTest.moc"
