#pragma once
// The help links: every entry point, the page path it opens and whether a
// connectivity test comes first. The base URL is decided here alone.
#include <span>

#include <QString>
#include <QUrl>

namespace kivo::ui {
class Interacao;
}

namespace kivo::help {

enum class Entrada {
    Website,        // menu utorial1
    Label21,        // help bar
    VideoAulas,     // menu VdeoAulas1
    Aulas,          // menu IntroduoControledeProcessos1
    Geradores,      // TParmForm SpeedButton1
    Controlador,    // TControlador SpeedButton1
    Bloco,          // TBloco SpeedButton1
    Processo,       // TProcesso SpeedButton1
    Variaveis,      // TDialogos SpeedButton3
    SimulacaoRapida // TAboutBox SpeedButton4
};

struct Link {
    Entrada entrada;
    const char* caminho;  // appended to the base URL
    bool testaConexao;
};

std::span<const Link> Links();

// The pages installed with the program in the interface language, or the
// pages beside the sources when the program runs from its build tree.
QUrl UrlBase(bool ingles);
// Base URL + the entry's path. For a local folder the page file
// "index.html" is named, since a browser shows a bare folder as a listing.
QUrl UrlDe(const QUrl& base, Entrada e);

// Opens the entry's page. Where the table asks for it, the connectivity
// test comes first and a failed test shows "É requerida conexão com
// internet" instead; a local base needs no connection, so the test is
// skipped for it.
void AbreAjuda(ui::Interacao& interacao, const QUrl& base, Entrada e);

}  // namespace kivo::help
