#pragma once
// The program's questions, information boxes, file dialogs and the desktop
// services, in one place so that the windows ask through it and a test can
// answer in their stead.
#include <QString>
#include <QUrl>

class QWidget;

namespace kivo::ui {

class Interacao {
public:
    virtual ~Interacao() = default;
    // Information box with one OK button.
    virtual void Informa(QWidget* pai, const QString& texto);
    // Confirmation box with the question icon, Yes and No; true on Yes.
    virtual bool Pergunta(QWidget* pai, const QString& texto);
    // The project save dialog; empty when cancelled. nomePadrao fills the
    // file name field.
    virtual QString NomeSalvar(QWidget* pai, const QString& nomePadrao);
    // The project open dialog; empty when cancelled.
    virtual QString NomeAbrir(QWidget* pai);
    // The picture chooser of the configuration dialog; empty when cancelled.
    virtual QString NomeImagem(QWidget* pai);
    // The save dialog that names a data log (its folder is what counts);
    // empty when cancelled.
    virtual QString NomeArquivoLog(QWidget* pai, const QString& titulo, const QString& nomePadrao);
    // Hands a URL to the desktop; a failure is not reported.
    virtual void AbreUrl(const QUrl& url);
    // Whether the machine reaches the internet; any failure counts as no.
    virtual bool Conectado();

    // The language of the dialogs' own titles and filters.
    bool ingles = false;
};

}  // namespace kivo::ui
