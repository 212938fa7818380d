// The help links: URLs, the connectivity test and its message.
#include <QTest>

#include "Auxiliares.h"
#include "help/LinksAjuda.h"

using namespace kivo::help;
using kivo::ui::teste::InteracaoRoteirizada;

class LinksAjudaTest : public QObject {
    Q_OBJECT
private slots:
    void urls_data() {
        QTest::addColumn<int>("entrada");
        QTest::addColumn<QString>("remota");
        QTest::addColumn<QString>("local");
        QTest::newRow("website") << int(Entrada::Website) << "https://example.org" << "/index.html";
        QTest::newRow("video") << int(Entrada::VideoAulas) << "https://example.org/video_aulas"
                               << "/video_aulas/index.html";
        QTest::newRow("lessons") << int(Entrada::Aulas) << "https://example.org/aulas" << "/aulas/index.html";
        QTest::newRow("generators") << int(Entrada::Geradores) << "https://example.org/ferramentas/#gerador_sinais"
                                    << "/ferramentas/index.html#gerador_sinais";
        QTest::newRow("controller") << int(Entrada::Controlador)
                                    << "https://example.org/simulador/objetos_simulacao/#controlador_PID"
                                    << "/simulador/objetos_simulacao/index.html#controlador_PID";
        QTest::newRow("variables") << int(Entrada::Variaveis) << "https://example.org/ferramentas/#mapa_variaveis"
                                   << "/ferramentas/index.html#mapa_variaveis";
    }
    void urls() {
        QFETCH(int, entrada);
        QFETCH(QString, remota);
        QFETCH(QString, local);
        QCOMPARE(UrlDe(QUrl("https://example.org/"), Entrada(entrada)).toString(), remota);
        QCOMPARE(UrlDe(QUrl::fromLocalFile("/opt/help"), Entrada(entrada)).toString(), "file:///opt/help" + local);
    }

    void testedEntriesNeedAConnection() {
        InteracaoRoteirizada r;
        AbreAjuda(r, QUrl("https://example.org"), Entrada::Aulas);
        QCOMPARE(r.informacoes, QStringList{"É requerida conexão com internet"});
        QVERIFY(r.urls.isEmpty());
        r.conectado = true;
        AbreAjuda(r, QUrl("https://example.org"), Entrada::Aulas);
        QCOMPARE(r.urls, QList<QUrl>{QUrl("https://example.org/aulas")});
    }

    void glyphButtonsAndLocalPagesOpenWithoutTheTest() {
        InteracaoRoteirizada r;
        AbreAjuda(r, QUrl("https://example.org"), Entrada::Processo);
        AbreAjuda(r, QUrl::fromLocalFile("/opt/help"), Entrada::Website);
        QVERIFY(r.informacoes.isEmpty());
        QCOMPARE(r.urls.size(), 2);
    }

    void everyPageOfTheTableExistsInBothLanguages() {
        for (bool ingles : {false, true}) {
            const QUrl base = UrlBase(ingles);
            QVERIFY(base.isLocalFile());
            for (const Link& l : Links()) {
                const QUrl url = UrlDe(base, l.entrada);
                QVERIFY2(QFile::exists(url.toLocalFile()), qPrintable(url.toString()));
                if (url.hasFragment()) {
                    QFile f(url.toLocalFile());
                    QVERIFY(f.open(QIODevice::ReadOnly));
                    QVERIFY2(f.readAll().contains("id=\"" + url.fragment().toUtf8() + "\""), qPrintable(url.toString()));
                }
            }
        }
    }
};

QTEST_MAIN(LinksAjudaTest)
#include "LinksAjudaTest.moc"
