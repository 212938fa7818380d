#pragma once
// What the GUI tests share: scripted answers to the program's questions
// and dialogs, and a main window on a temporary start directory.
#include <deque>
#include <memory>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QTabWidget>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include "ui/app/Aplicacao.h"
#include "ui/app/Interacao.h"
#include "ui/main/TForm1.h"

namespace kivo::ui::teste {

// Answers taken from queues; an empty queue answers No or Cancel. Every
// box shown is recorded.
class InteracaoRoteirizada : public Interacao {
public:
    std::deque<bool> respostas;
    std::deque<QString> nomesSalvar;
    std::deque<QString> nomesAbrir;
    std::deque<QString> nomesImagem;
    std::deque<QString> nomesLog;
    bool conectado = false;

    QStringList informacoes;
    QStringList perguntas;
    QList<QUrl> urls;

    void Informa(QWidget*, const QString& texto) override { informacoes << texto; }
    bool Pergunta(QWidget*, const QString& texto) override {
        perguntas << texto;
        return Tira(respostas, false);
    }
    QString NomeSalvar(QWidget*, const QString&) override { return Tira(nomesSalvar, QString()); }
    QString NomeAbrir(QWidget*) override { return Tira(nomesAbrir, QString()); }
    QString NomeImagem(QWidget*) override { return Tira(nomesImagem, QString()); }
    QString NomeArquivoLog(QWidget*, const QString&, const QString&) override { return Tira(nomesLog, QString()); }
    void AbreUrl(const QUrl& url) override { urls << url; }
    bool Conectado() override { return conectado; }

private:
    template <class T>
    static T Tira(std::deque<T>& fila, T padrao) {
        if (fila.empty()) return padrao;
        T v = fila.front();
        fila.pop_front();
        return v;
    }
};

// A main window whose start directory is a fresh temporary folder (with the
// shipped examples reachable through the source tree), its timer stopped so
// that the test ticks the core itself.
struct Ambiente {
    QTemporaryDir pasta;
    std::unique_ptr<Aplicacao> app;
    InteracaoRoteirizada* roteiro = nullptr;
    std::unique_ptr<TForm1> janela;

    Ambiente() {
        QDir::setCurrent(pasta.path());
        app = std::make_unique<Aplicacao>(pasta.path());
        auto r = std::make_unique<InteracaoRoteirizada>();
        roteiro = r.get();
        app->setInteracao(std::move(r));
        janela = std::make_unique<TForm1>(*app);
        app->timer().stop();
    }
    ~Ambiente() {
        janela.reset();
        app.reset();
    }
    QAction* acao(const char* nome) const { return janela->acao(QString::fromLatin1(nome)); }
    QString caminho(const QString& nome) const { return QDir(pasta.path()).filePath(nome); }
};

// The named controls under raiz a user can operate or read that have no
// accessible name (Qt's own inner widgets, which carry no name, aside).
inline QStringList ControlesSemNomeAcessivel(const QWidget* raiz) {
    QStringList sem;
    for (const QWidget* c : raiz->findChildren<QWidget*>()) {
        if (c->objectName().isEmpty() || c->objectName().startsWith(QLatin1String("qt_"))) continue;
        if (!qobject_cast<const QAbstractButton*>(c) && !qobject_cast<const QComboBox*>(c) &&
            !qobject_cast<const QLineEdit*>(c) && !qobject_cast<const QProgressBar*>(c) &&
            !qobject_cast<const QAbstractSpinBox*>(c) && !qobject_cast<const QAbstractSlider*>(c) &&
            !qobject_cast<const QTabWidget*>(c) && !qobject_cast<const QAbstractItemView*>(c))
            continue;
        if (c->accessibleName().trimmed().isEmpty()) sem << c->objectName();
    }
    return sem;
}

// The shipped examples, beside the sources.
inline QString PastaExemplos() { return QStringLiteral(KIVO_SOURCE_DIR "/examples"); }

}  // namespace kivo::ui::teste
