// Start-up language from "preferences.cfg" and the language menu.
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QTest>

#include <sys/stat.h>

#include "Auxiliares.h"
#include "ui/app/Partida.h"
#include "ui/app/Preferencias.h"
#include "ui/project/EscolhaExemplos.h"

using namespace kivo::ui;
using namespace kivo::ui::teste;

namespace {

void Escreve(const QString& arquivo, const QByteArray& conteudo) {
    QFile f(arquivo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(conteudo);
}

QByteArray Le(const QString& arquivo) {
    QFile f(arquivo);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

}  // namespace

class PartidaTest : public QObject {
    Q_OBJECT
private slots:
    void init() { amb_ = std::make_unique<Ambiente>(); }
    void cleanup() { amb_.reset(); }

    void firstLineChoosesTheLanguage_data() {
        QTest::addColumn<QString>("linha");
        QTest::addColumn<bool>("ingles");
        QTest::newRow("english") << "<language> English" << true;
        QTest::newRow("portuguese") << "<language> Portuguese" << false;
        QTest::newRow("lower case") << "<language> english" << false;
        QTest::newRow("anywhere") << "xxEnglishyy" << true;
        QTest::newRow("empty") << "" << false;
    }
    void firstLineChoosesTheLanguage() {
        QFETCH(QString, linha);
        QFETCH(bool, ingles);
        QCOMPARE(LinhaEscolheIngles(linha), ingles);
    }

    // A preferences file that is a FIFO, a device or a huge file is not read
    // at all: the start goes on at once, in Portuguese, without a question.
    void aHostilePreferencesFileNeitherHangsNorFillsMemory_data() {
        QTest::addColumn<QString>("tipo");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("device") << "device";
        QTest::newRow("huge") << "huge";
    }
    void aHostilePreferencesFileNeitherHangsNorFillsMemory() {
        QFETCH(QString, tipo);
        const QString arquivo = amb_->caminho("preferences.cfg");
        if (tipo == "fifo") QCOMPARE(mkfifo(QFile::encodeName(arquivo).constData(), 0600), 0);
        if (tipo == "device") QVERIFY(QFile::link("/dev/zero", arquivo));
        if (tipo == "huge") {
            QFile f(arquivo);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.resize(qint64(1) << 30));
        }
        QElapsedTimer relogio;
        relogio.start();
        DefineLingua(*amb_->app, *amb_->janela);
        QVERIFY(relogio.elapsed() < 5000);
        QVERIFY(amb_->roteiro->perguntas.isEmpty());
        QVERIFY(!amb_->app->ingles());
    }

    void englishModeFromThePreferencesFile() {
        Escreve(amb_->caminho("preferences.cfg"), "<language> English\r\n<language> Portuguese\r\n");
        DefineLingua(*amb_->app, *amb_->janela);
        QVERIFY(amb_->roteiro->perguntas.isEmpty());
        QVERIFY(amb_->app->ingles());
        QVERIFY(amb_->acao("English1")->isChecked());
        QCOMPARE(amb_->acao("Novo1")->text(), QString("New"));
        QCOMPARE(amb_->janela->findChild<QLabel*>("Label21")->text(), QString("Click here for additional information"));
        QCOMPARE(amb_->janela->escolha().tabText(0), QString("Flow/Pressure"));
    }

    void portugueseModeLeavesTheTexts() {
        Escreve(amb_->caminho("preferences.cfg"), "<language> Portuguese\r\n");
        DefineLingua(*amb_->app, *amb_->janela);
        QVERIFY(!amb_->app->ingles());
        QVERIFY(amb_->acao("Portuguese1")->isChecked());
        QCOMPARE(amb_->acao("Novo1")->text(), QString("Novo"));
    }

    void missingFileAsksAndWritesTheAnswer_data() {
        QTest::addColumn<bool>("sim");
        QTest::addColumn<QByteArray>("arquivo");
        QTest::newRow("yes") << true << QByteArray("<language> English\r\n");
        QTest::newRow("no") << false << QByteArray("<language> Portuguese\r\n");
    }
    void missingFileAsksAndWritesTheAnswer() {
        QFETCH(bool, sim);
        QFETCH(QByteArray, arquivo);
        amb_->roteiro->respostas.push_back(sim);
        DefineLingua(*amb_->app, *amb_->janela);
        QCOMPARE(amb_->roteiro->perguntas,
                 QStringList{"Portuguese is the current language. Do you wish to convert to english? (Converter textos "
                             "inglês?)"});
        QCOMPARE(Le(amb_->caminho("preferences.cfg")), arquivo);
        QCOMPARE(amb_->app->ingles(), sim);
    }

    void languageMenuWritesForTheNextStart() {
        Escreve(amb_->caminho("preferences.cfg"), "<language> Portuguese\r\n");
        DefineLingua(*amb_->app, *amb_->janela);
        amb_->acao("English1")->trigger();
        QCOMPARE(Le(amb_->caminho("preferences.cfg")), QByteArray("<language> English\r\n"));
        QCOMPARE(amb_->roteiro->informacoes, QStringList{"It is necessary restart application"});
        // The running program keeps its language and check mark.
        QVERIFY(!amb_->app->ingles());
        QVERIFY(amb_->acao("Portuguese1")->isChecked());
        QVERIFY(!amb_->acao("English1")->isChecked());
        // Choosing the current language does nothing.
        amb_->roteiro->informacoes.clear();
        QFile::remove(amb_->caminho("preferences.cfg"));
        amb_->acao("Portuguese1")->trigger();
        QVERIFY(amb_->roteiro->informacoes.isEmpty());
        QVERIFY(!QFile::exists(amb_->caminho("preferences.cfg")));
    }

    void languageMenuInEnglishMode() {
        Escreve(amb_->caminho("preferences.cfg"), "<language> English\r\n");
        DefineLingua(*amb_->app, *amb_->janela);
        amb_->acao("Portuguese1")->trigger();
        QCOMPARE(Le(amb_->caminho("preferences.cfg")), QByteArray("<language> Portuguese\r\n"));
        QCOMPARE(amb_->roteiro->informacoes, QStringList{"É necessário reiniciar o aplicativo"});
        QVERIFY(amb_->acao("English1")->isChecked());
    }

    void startWindowSettlesThenShowsTheChooser() {
        Escreve(amb_->caminho("preferences.cfg"), "<language> Portuguese\r\n");
        amb_->janela->show();
        Partida partida(*amb_->app, *amb_->janela);
        partida.Inicia();
        QVERIFY(amb_->janela->escolha().isHidden());
        QTRY_VERIFY_WITH_TIMEOUT(amb_->janela->escolha().isVisible(), 5000);
    }

    void fileOnTheCommandLineOpensAtOnce() {
        Escreve(amb_->caminho("preferences.cfg"), "<language> English\r\n");
        amb_->janela->show();
        Partida partida(*amb_->app, *amb_->janela, PastaExemplos() + "/reactor/reactor.smp");
        partida.Inicia();
        QVERIFY(amb_->app->ingles());
        QVERIFY(amb_->app->projeto().sim.controladores.ativo(1));
        QVERIFY(amb_->janela->escolha().isHidden());
        // The title's English half, and the file it came from.
        QCOMPARE(amb_->janela->windowTitle(), QString::fromStdString(amb_->app->projeto().titulo) + " — reactor.smp");
    }

private:
    std::unique_ptr<Ambiente> amb_;
};

QTEST_MAIN(PartidaTest)
#include "PartidaTest.moc"
