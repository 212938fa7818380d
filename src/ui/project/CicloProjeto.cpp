#include "ui/project/CicloProjeto.h"

#include <QDir>
#include <QFileInfo>

#include "project/ArquivoProjeto.h"
#include "ui/app/Aplicacao.h"
#include "ui/i18n/Traducoes.h"
#include "ui/main/Diagrama.h"
#include "ui/main/TForm1.h"
#include "ui/project/EscolhaExemplos.h"
#include "ui/project/TConfigForm.h"
#include "ui/project/TDialogos.h"
#include "ui/objects/JanelaGeradores.h"
#include "ui/recorders/PainelWidgets.h"

namespace kivo::ui {
namespace {

std::filesystem::path Caminho(const QString& s) { return std::filesystem::path(s.toStdU16String()); }

}  // namespace

void CicloProjeto::PerguntaSalvar() {
    if (app_.salvo()) return;
    if (!app_.interacao().Pergunta(&w_, app_.Texto(QStringLiteral("Salvar Alterações em Arquivo?"),
                                                   QStringLiteral("Save changes?"))))
        return;
    const QString nome = app_.interacao().NomeSalvar(&w_, app_.nomePadraoSalvar);
    if (nome.isEmpty()) return;
    // The chosen name as it is: no extension is added here.
    app_.caminhoProjeto = nome;
    if (Grava()) app_.MarcaSalvo();
}

bool CicloProjeto::Grava() {
    const ResultadoGravacao r = SalvaProjeto(app_.projeto(), Caminho(app_.caminhoProjeto));
    if (!r.ok) {
        app_.Informa(QString::fromStdString(r.erro));
        return false;
    }
    return true;
}

void CicloProjeto::Novo() {
    PerguntaSalvar();
    LimpaProjeto();
    app_.caminhoProjeto.clear();
    w_.setWindowTitle(QString::fromUtf8(kTituloNovo));
    app_.MarcaSalvo();
    w_.MostraEscolha(false);
    w_.MostraComentarios(true);
    w_.MostraIndicador(true);
    w_.MostraMenusProjeto(true);
}

void CicloProjeto::Abrir() {
    PerguntaSalvar();
    // The open project stays as it is until another has loaded: a cancelled
    // dialog or a file that cannot be read leaves it on screen, unchanged.
    const QString nome = app_.interacao().NomeAbrir(&w_);
    if (!nome.isEmpty()) AbreArquivo(nome);
}

bool CicloProjeto::AbreArquivo(const QString& caminho) {
    // The file is read through on a scratch project first, so that one that
    // cannot be read never resets the project on screen.
    {
        Projeto teste(app_.projeto().ingles);
        const ResultadoCarga r = LeProjeto(teste, Caminho(caminho));
        if (!r.ok) {
            app_.Informa(QString::fromStdString(r.erro));
            return false;
        }
    }
    LimpaProjeto();
    if (!Carrega(caminho, false)) return false;
    app_.caminhoProjeto = caminho;
    app_.nomePadraoSalvar = caminho;
    // A project opened by name is the user's own: Save writes to it.
    w_.MostraIndicador(true);
    return true;
}

bool CicloProjeto::Carrega(const QString& caminho, bool exemplo) {
    // Object windows are views of the objects the load may replace.
    w_.janelas().FechaTodas();
    OpcoesCarga opcoes;
    opcoes.exemplo = exemplo;
    opcoes.observador = &w_.observadorCarga();
    const ResultadoCarga r = LeProjeto(app_.projeto(), Caminho(caminho), opcoes);
    if (!r.ok) {
        app_.Informa(QString::fromStdString(r.erro));
        return false;
    }
    // The picture of a project that is not an example is looked for in the
    // current directory, which becomes the project's own folder, as after
    // the open dialog.
    if (!exemplo) QDir::setCurrent(QFileInfo(caminho).absolutePath());
    w_.CarregaImagemProjeto(QString::fromStdU16String(r.caminhoImagem.u16string()), caminho);
    w_.RecarregaComentarios();
    w_.MostraComentarios(app_.projeto().comentariosVisiveis);
    w_.config().Recarrega();
    w_.geradores().Recarrega();
    emit w_.projetoTrocado();
    w_.dialogos().Atualiza();
    if (!app_.projeto().titulo.empty()) w_.setWindowTitle(QString::fromStdString(app_.projeto().titulo));
    app_.caminhoProjeto = caminho;
    w_.AtualizaTitulo();
    w_.MostraEscolha(false);
    w_.MostraMenusProjeto(true);
    app_.MarcaSalvo();
    return true;
}

void CicloProjeto::Salvar() {
    if (!app_.caminhoProjeto.isEmpty()) {
        if (Grava()) app_.MarcaSalvo();
        return;
    }
    const QString nome = app_.interacao().NomeSalvar(&w_, app_.nomePadraoSalvar);
    if (nome.isEmpty()) return;
    AdotaNome(nome);
    w_.MostraIndicador(true);
    if (Grava()) app_.MarcaSalvo();
}

void CicloProjeto::SalvarComo() {
    const QString nome = app_.interacao().NomeSalvar(&w_, app_.nomePadraoSalvar);
    if (nome.isEmpty()) return;
    AdotaNome(nome);
    if (!Grava()) return;
    app_.MarcaSalvo();
    app_.nomePadraoSalvar = app_.caminhoProjeto;
    // Saved under a name of the user's, an example becomes the user's file:
    // the indicator shows and Save writes to it from now on.
    w_.MostraIndicador(true);
}

void CicloProjeto::AdotaNome(const QString& nome) {
    app_.caminhoProjeto = nome;
    if (app_.projeto().titulo.empty()) {
        // The file name as typed, with or without its extension.
        const QString titulo = QFileInfo(nome).fileName();
        app_.projeto().titulo = titulo.toStdString();
        w_.config().Recarrega();
        w_.setWindowTitle(titulo);
    }
    // A dot in the file's own name counts as an extension; one in a
    // folder's name does not.
    if (!QFileInfo(nome).fileName().contains('.')) app_.caminhoProjeto += QStringLiteral(".smp");
}

void CicloProjeto::Exemplos() {
    PerguntaSalvar();
    app_.caminhoProjeto.clear();
    w_.setWindowTitle(QString::fromUtf8(kTituloNovo));
    app_.MarcaSalvo();
    LimpaProjeto();
    w_.MostraComentarios(false);
    w_.MostraIndicador(false);
    w_.MostraMenusProjeto(false);
    w_.MostraEscolha(true);
}

void CicloProjeto::AbreExemplo(int indice) {
    w_.MostraIndicador(false);
    const QString caminho = EscolhaExemplos::CaminhoExemplo(app_.diretorioInicial(), indice);
    if (!QFileInfo::exists(caminho))
        app_.Informa(app_.Texto(QStringLiteral("Arquivo não encontrado"), QStringLiteral("File not found")));
    if (!Carrega(caminho, true)) return;
    app_.caminhoProjeto = caminho;
    // An example is never overwritten by Save: the indicator stays hidden
    // and "Salvar Como..." stores it under a new name.
}

void CicloProjeto::AoFechar() {
    if (app_.salvo()) return;
    // The same question in both languages.
    if (!app_.interacao().Pergunta(&w_, QStringLiteral("Salvar Alterações em Arquivo?"))) return;
    const QString nome = app_.interacao().NomeSalvar(&w_, app_.nomePadraoSalvar);
    if (nome.isEmpty()) return;
    app_.caminhoProjeto = nome;
    if (Grava()) app_.MarcaSalvo();
}

void CicloProjeto::LimpaProjeto() {
    // Windows first: they show the objects the reset releases.
    w_.janelas().FechaTodas();
    app_.projeto().LimpaProjeto();
    // The bank is closed and created anew with the project.
    w_.geradores().hide();
    w_.geradores().Recarrega();
    w_.RecarregaComentarios();
    w_.diagrama().Reinicia();
    w_.painel().Recarrega();
    w_.config().Recarrega();
    w_.config().Legendas();
    emit w_.projetoTrocado();
    // An open variable list shows the reset table, not the last project's.
    w_.dialogos().Atualiza();
}

}  // namespace kivo::ui
