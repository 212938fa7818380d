#pragma once
// The project life cycle: New, Open, Save, Save as, Examples, opening an
// example and closing, with their questions; and the project reset.
#include <QString>

namespace kivo::ui {

class Aplicacao;
class TForm1;

class CicloProjeto {
public:
    CicloProjeto(Aplicacao& app, TForm1& janela) : app_(app), w_(janela) {}

    void Novo();
    void Abrir();
    void Salvar();
    void SalvarComo();
    void Exemplos();
    void AbreExemplo(int indice);
    // The close event: offers to save unsaved changes; never cancels.
    void AoFechar();

    // Reads a project file into the project (the caller resets it first
    // when it wants a clean load). A failed load shows the core's message
    // and leaves the project as it was. Returns whether it loaded.
    bool Carrega(const QString& caminho, bool exemplo);
    // A file named on the command line: a clean load, as Open does.
    bool AbreArquivo(const QString& caminho);

    // The reset of every object and setting to its default.
    void LimpaProjeto();

private:
    // Asks to save first when there are unsaved changes (New, Open,
    // Examples).
    void PerguntaSalvar();
    // Writes the project to the current path; false after a failure, whose
    // message has been shown.
    bool Grava();
    // Steps a to c of Save: path, title, extension.
    void AdotaNome(const QString& nome);

    Aplicacao& app_;
    TForm1& w_;
};

}  // namespace kivo::ui
