// The help links: URLs, the connectivity test and its message.
#include <QTest>

#include "Helpers.h"
#include "help/HelpLinks.h"
#include "ui/context/HelpPages.h"

using namespace kivo::help;
using kivo::ui::OpenHelp;
using kivo::ui::test::ScriptedInteraction;

class HelpLinksTest : public QObject {
    Q_OBJECT
private slots:
    void urls_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("remote");
        QTest::addColumn<QString>("local");
        QTest::newRow("website") << int(Entry::Website) << "https://example.org" << "/index.html";
        QTest::newRow("video") << int(Entry::VideoLessons) << "https://example.org/video_aulas"
                               << "/video_aulas/index.html";
        QTest::newRow("lessons") << int(Entry::Lessons) << "https://example.org/aulas" << "/aulas/index.html";
        QTest::newRow("generators") << int(Entry::SignalGenerators) << "https://example.org/ferramentas/#gerador_sinais"
                                    << "/ferramentas/index.html#gerador_sinais";
        QTest::newRow("controller") << int(Entry::PidController)
                                    << "https://example.org/simulador/objetos_simulacao/#controlador_PID"
                                    << "/simulador/objetos_simulacao/index.html#controlador_PID";
        QTest::newRow("variables") << int(Entry::Variables) << "https://example.org/ferramentas/#mapa_variaveis"
                                   << "/ferramentas/index.html#mapa_variaveis";
    }
    void urls() {
        QFETCH(int, entry);
        QFETCH(QString, remote);
        QFETCH(QString, local);
        QCOMPARE(UrlOf(QUrl("https://example.org/"), Entry(entry)).toString(), remote);
        QCOMPARE(UrlOf(QUrl::fromLocalFile("/opt/help"), Entry(entry)).toString(), "file:///opt/help" + local);
    }

    void testedEntriesNeedAConnection() {
        ScriptedInteraction r;
        OpenHelp(r, QUrl("https://example.org"), Entry::Lessons);
        QCOMPARE(r.infoMessages, QStringList{"É requerida conexão com internet"});
        QVERIFY(r.urls.isEmpty());
        r.connected = true;
        OpenHelp(r, QUrl("https://example.org"), Entry::Lessons);
        QCOMPARE(r.urls, QList<QUrl>{QUrl("https://example.org/aulas")});
    }

    void glyphButtonsAndLocalPagesOpenWithoutTheTest() {
        ScriptedInteraction r;
        OpenHelp(r, QUrl("https://example.org"), Entry::ProcessBlock);
        OpenHelp(r, QUrl::fromLocalFile("/opt/help"), Entry::Website);
        QVERIFY(r.infoMessages.isEmpty());
        QCOMPARE(r.urls.size(), 2);
    }

    void everyPageOfTheTableExistsInBothLanguages() {
        for (bool english : {false, true}) {
            const QUrl base = UrlBase(english);
            QVERIFY(base.isLocalFile());
            for (const Link& l : Links()) {
                const QUrl url = UrlOf(base, l.entry);
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

QTEST_MAIN(HelpLinksTest)
#include "HelpLinksTest.moc"
