#pragma once
// Start-up: the start window for three seconds, then the interface language
// from "preferences.cfg" and the example chooser; or, with a project file
// named on the command line, the language and that project at once.
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace kivo::ui {

class Aplicacao;
class TAboutBox;
class TForm1;

// Settles the language from the preferences file in the start directory,
// asking (and writing the file) when there is none.
void DefineLingua(Aplicacao& app, TForm1& janela);

class Partida : public QObject {
    Q_OBJECT
public:
    Partida(Aplicacao& app, TForm1& janela, QString arquivo = {});
    void Inicia();
    // What the start window's timer runs.
    void Conclui();

private:
    Aplicacao& app_;
    TForm1& w_;
    QString arquivo_;
    QPointer<TAboutBox> inicio_;
    QTimer timer_;
};

}  // namespace kivo::ui
