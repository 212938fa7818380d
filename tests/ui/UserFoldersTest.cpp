// Where each kind of file goes, from a build tree and installed, with a
// temporary home; the administrator's default language; an installed example
// saved into the documents folder; two instances with homes of their own at
// once. Nothing is ever written under the installation prefix.
#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "Helpers.h"
#include "ui/app/Startup.h"
#include "ui/context/Preferences.h"
#include "ui/fastsim/FastSimulationWindow.h"
#include "ui/i18n/Examples.h"
#include "ui/main/ProjectLifecycle.h"

using namespace kivo::ui;
using namespace kivo::ui::test;

namespace {

// A home of its own, made the environment the standard paths read: the
// user's configuration folder, the system's (what /etc/xdg is on a machine)
// and the documents folder.
struct Home {
    QTemporaryDir dir;
    QString path(const QString& name = {}) const { return name.isEmpty() ? dir.path() : dir.filePath(name); }
    QProcessEnvironment Environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral(".config")));
        env.insert(QStringLiteral("XDG_CONFIG_DIRS"), path(QStringLiteral("etc/xdg")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    void Use() const {
        const QProcessEnvironment env = Environment();
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"})
            qputenv(name, env.value(QString::fromLatin1(name)).toUtf8());
    }
    QString documents() const { return path(QStringLiteral("Documents/KIVO")); }
};

// An installation prefix: bin/ beside share/kivo/examples (the shipped ones).
struct Prefix {
    QTemporaryDir dir;
    Prefix() {
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        QDir(dir.path()).mkpath(QStringLiteral("share/kivo"));
        QFile::link(ExamplesFolder(), dir.filePath(QStringLiteral("share/kivo/examples")));
    }
    QString bin() const { return dir.filePath(QStringLiteral("bin")); }
    // Every file and folder under the prefix, with its size and time.
    QStringList Listing() const {
        QStringList all;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            all << it.filePath() + QString::number(it.fileInfo().size()) + it.fileInfo().lastModified().toString();
        }
        return all;
    }
};

int ExampleIndex(const char* path) {
    const auto examples = kivo::ui::Examples();
    for (std::size_t i = 0; i < examples.size(); ++i)
        if (QString::fromUtf8(examples[i].path).contains(QString::fromUtf8(path))) return static_cast<int>(i);
    return -1;
}

QByteArray Bytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// One instance of the program for the test below: the user's language, the
// flow loop example run in the fast simulation with its archive on.
int RunInstance(const QString& programDirectory, bool english) {
    QDir::setCurrent(QDir::homePath());
    AppContext app(QDir::currentPath(), programDirectory);
    app.setInteraction(std::make_unique<ScriptedInteraction>());
    MainWindow w(app);
    app.timer().stop();
    if (!app.folders().SetLanguage(english).isEmpty()) return 1;
    w.cycle().OpenExample(ExampleIndex("basic flow loop"));
    FastSimulationWindow f(app, &w);
    f.findChild<QCheckBox*>(QStringLiteral("CheckArquivar"))->setChecked(true);
    f.findChild<QPushButton*>(QStringLiteral("BTNSimular"))->click();
    return 0;
}

}  // namespace

class UserFoldersTest : public QObject {
    Q_OBJECT
private slots:
    void init() { home_ = std::make_unique<Home>(); home_->Use(); }
    void cleanup() { home_.reset(); }

    void eachFileGoesToItsPlace_data() {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("where");  // start, config, documents, project, prefix
        QTest::newRow("build tree: language") << false << "language" << "start";
        QTest::newRow("build tree: archives and logs") << false << "work" << "start";
        QTest::newRow("build tree: after opening a project") << false << "opened" << "project";
        QTest::newRow("build tree: examples") << false << "examples" << "start";
        QTest::newRow("installed: language") << true << "language" << "config";
        QTest::newRow("installed: archives and logs") << true << "work" << "documents";
        QTest::newRow("installed: file dialogs") << true << "dialogs" << "documents";
        QTest::newRow("installed: after opening a project") << true << "opened" << "project";
        QTest::newRow("installed: examples") << true << "examples" << "prefix";
    }
    void eachFileGoesToItsPlace() {
        QFETCH(bool, installed);
        QFETCH(QString, kind);
        QFETCH(QString, where);
        Prefix prefix;
        QTemporaryDir start, project;
        QDir(start.path()).mkpath(QStringLiteral("examples"));
        QDir::setCurrent(start.path());
        const QStringList before = prefix.Listing();
        AppContext app(start.path(), installed ? prefix.bin() : start.filePath(QStringLiteral("bin")));
        QCOMPARE(app.folders().installed(), installed);

        QString actual;
        if (kind == "language") {
            QVERIFY(app.folders().SetLanguage(true).isEmpty());
            actual = app.folders().preferencesFolder();
            QCOMPARE(Bytes(QDir(actual).filePath(QString::fromLatin1(kPreferencesFile))), QByteArray("<language> English\r\n"));
            QCOMPARE(app.folders().Language(), std::optional<bool>(true));
        } else if (kind == "work") {
            actual = app.WorkFolder();
        } else if (kind == "dialogs") {
            actual = app.interaction().folder();
        } else if (kind == "opened") {
            app.ChooseFolder(project.path());
            actual = app.WorkFolder();
        } else {
            actual = app.folders().examplesRoot();
        }
        const QString expected = where == "start"     ? start.path()
                                 : where == "config"  ? home_->path(QStringLiteral(".config/kivo"))
                                 : where == "documents" ? home_->documents()
                                 : where == "project" ? project.path()
                                                      : prefix.dir.filePath(QStringLiteral("share/kivo"));
        QCOMPARE(QDir(actual).canonicalPath(), QDir(expected).canonicalPath());
        QCOMPARE(prefix.Listing(), before);
    }

    // The administrator's default holds until the user chooses; a build tree
    // reads only its own file.
    void theAdministratorSetsTheDefaultLanguage() {
        Prefix prefix;
        QTemporaryDir start;
        QDir().mkpath(home_->path(QStringLiteral("etc/xdg/kivo")));
        QVERIFY(WritePreferences(home_->path(QStringLiteral("etc/xdg/kivo")), true).isEmpty());
        AppContext installed(start.path(), prefix.bin());
        QCOMPARE(installed.folders().Language(), std::optional<bool>(true));
        AppContext buildTree(start.path(), start.path());
        QCOMPARE(buildTree.folders().Language(), std::nullopt);

        // At start-up the default is taken without a question, and the
        // user's own choice is left open.
        installed.setInteraction(std::make_unique<ScriptedInteraction>());
        auto* script = static_cast<ScriptedInteraction*>(&installed.interaction());
        MainWindow w(installed);
        installed.timer().stop();
        SettleLanguage(installed, w);
        QVERIFY(installed.english());
        QVERIFY(script->questions.isEmpty());
        QVERIFY(!QFile::exists(home_->path(QStringLiteral(".config/kivo/preferences.cfg"))));

        QVERIFY(installed.folders().SetLanguage(false).isEmpty());
        QCOMPARE(installed.folders().Language(), std::optional<bool>(false));
    }

    // Save on an installed example proposes the same name in the documents
    // folder, says why, and leaves the example as it was.
    void anInstalledExampleIsSavedInTheDocumentsFolder() {
        Prefix prefix;
        QTemporaryDir start;
        AppContext app(start.path(), prefix.bin());
        app.setInteraction(std::make_unique<ScriptedInteraction>());
        auto* script = static_cast<ScriptedInteraction*>(&app.interaction());
        MainWindow w(app);
        app.timer().stop();
        const int index = ExampleIndex("basic flow loop");
        w.cycle().OpenExample(index);
        const QString example = app.projectPath;
        const QByteArray original = Bytes(example);

        const QString proposed = QDir(home_->documents()).filePath(QFileInfo(example).fileName());
        script->saveNames.push_back(proposed);
        w.cycle().Save();
        QCOMPARE(script->proposedNames.last(), proposed);
        QCOMPARE(script->saveNotes.last(), QString("os exemplos instalados são só para leitura: salve uma cópia sua"));
        QVERIFY(QFile::exists(proposed));
        QCOMPARE(Bytes(example), original);
        QCOMPARE(app.projectPath, proposed);
        QCOMPARE(app.WorkFolder(), home_->documents());
        // Now the user's own file: Save writes to it without asking.
        w.cycle().Save();
        QCOMPARE(script->proposedNames.size(), 1);
    }

    // Two students on one machine, each with a home of their own, at once.
    void twoInstancesKeepTheirFilesApart() {
        Prefix prefix;
        const QStringList before = prefix.Listing();
        Home ana, bruno;
        QProcess first, second;
        for (auto [process, home, english] : {std::tuple{&first, &ana, true}, std::tuple{&second, &bruno, false}}) {
            process->setProcessEnvironment(home->Environment());
            process->start(QCoreApplication::applicationFilePath(),
                           {QStringLiteral("--instance"), prefix.bin(), english ? QStringLiteral("1") : QStringLiteral("0")});
        }
        for (QProcess* p : {&first, &second}) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitCode(), 0);
        }
        QCOMPARE(Bytes(ana.path(QStringLiteral(".config/kivo/preferences.cfg"))), QByteArray("<language> English\r\n"));
        QCOMPARE(Bytes(bruno.path(QStringLiteral(".config/kivo/preferences.cfg"))), QByteArray("<language> Portuguese\r\n"));
        for (const Home* h : {&ana, &bruno})
            QCOMPARE(QDir(h->documents()).entryList({QStringLiteral("*.txd")}).size(), 1);
        QCOMPARE(prefix.Listing(), before);
    }

private:
    std::unique_ptr<Home> home_;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc == 4 && QByteArray(argv[1]) == "--instance") return RunInstance(QString::fromLocal8Bit(argv[2]), QByteArray(argv[3]) == "1");
    UserFoldersTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "UserFoldersTest.moc"
