// SalvaProjeto: the project written in the order of the file's sections.
#include <new>

#include "core/NumberText.h"
#include "core/Registro.h"
#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"
#include "project/GravaArquivo.h"

namespace kivo {
namespace {

void TabelaVariaveis(const Memorias& mem, EscritorLinhas& w) {
    w.Texto("<<<Unidades Engenharia>>>");
    for (int k = 15; k <= 96; ++k) {
        const EntradaTabela& e = mem.entrada(k);
        w.Texto("M" + std::to_string(k) + ":" + e.unidade + ";" + e.ueMin + ";" + e.ueMax + ";" + e.lie + ";" + e.lse +
                ";");
    }
}

void Tracks(const Projeto& p, EscritorLinhas& w) {
    w.Texto("<<Tracks>>");
    for (int n = 1; n <= Projeto::kTracks; ++n) {
        const Track& t = p.tracks[n - 1];
        w.FlagMaiusculo(t.habilitado);
        w.Par(ChaveTrack(n), t.rotulo);
        w.Inteiro(t.topo);
        w.Inteiro(t.esquerda);
        w.Real(p.sim.mem[14 + n]);
        w.FlagMaiusculo(t.deslizante);
    }
}

// A family's marker, the flag of every slot, then the record of every
// active slot.
template <class T, int N>
void Familia(const char* marcador, const Pool<N>& pool, EscritorLinhas& w) {
    w.Texto(marcador);
    for (int n = 1; n <= N; ++n) w.FlagMisto(pool.ativo(n));
    for (int n = 1; n <= N; ++n)
        if (pool.ativo(n)) pool.template como<T>(n)->SalvaParametros(w);
}

// Controllers give their top before their left; the other object markers
// their left first.
void Coordenada(const Marcador& m, bool topoPrimeiro, EscritorLinhas& w) {
    w.Texto(m.legenda);
    w.Inteiro(topoPrimeiro ? m.topo : m.esquerda);
    w.Inteiro(topoPrimeiro ? m.esquerda : m.topo);
    w.FlagMisto(m.exibido);
}

void Coordenadas(const Projeto& p, EscritorLinhas& w) {
    const Simulacao& s = p.sim;
    const Marcadores& m = p.marcadores;
    w.Texto("=====<<<COORDENADAS>>>=====");
    for (int n = 1; n <= 10; ++n)
        if (s.controladores.ativo(n)) Coordenada(m.controladores[n - 1], true, w);
    for (int n = 1; n <= 24; ++n)
        if (s.processos.ativo(n)) Coordenada(m.processos[n - 1], false, w);
    for (int n = 1; n <= 10; ++n)
        if (s.registradores.ativo(n)) Coordenada(m.registradores[n - 1], false, w);
    for (int n = 1; n <= 24; ++n)
        if (s.blocos.ativo(n)) Coordenada(m.blocos[n - 1], false, w);
    for (int n = 1; n <= 20; ++n) {
        if (!s.textos.ativo(n)) continue;
        w.Inteiro(m.textos[n - 1].topo);
        w.Inteiro(m.textos[n - 1].esquerda);
        w.FlagMisto(m.textos[n - 1].exibido);
    }
}

// The XY recorder keeps nothing in the project: its block is a header and
// 18 empty key lines.
void BlocoXY(EscritorLinhas& w) {
    w.Texto("=====<<<REGISTRADOR XY>>>=====");
    for (int kk = 1; kk <= 18; ++kk) w.Texto("{X/" + DoisDigitos(kk) + "} ");
}

void Widgets(const Projeto& p, EscritorLinhas& w) {
    for (const Forma& f : p.formas) {
        w.Inteiro(f.topoBase);
        w.Inteiro(f.esquerda);
        w.FlagMaiusculo(f.habilitada);
        w.Inteiro(f.tipo);
        w.Inteiro(f.variavel);
        w.Inteiro(f.altura);
        w.Inteiro(f.largura);
        w.Cor(f.cor1);
        w.Cor(f.cor2);
    }
    for (int c = 0; c < Projeto::kChaves; ++c) {
        const Chave& ch = p.chaves[c];
        w.Inteiro(ch.topo);
        w.Inteiro(ch.esquerda);
        w.FlagMaiusculo(ch.habilitada);
        w.Inteiro(ch.orientacao);
        w.Fixo(p.sim.mem[11 + c], 1, 0);
    }
    w.Inteiro(p.painel.topo);
    w.Inteiro(p.painel.esquerda);
    for (int b = 0; b < Projeto::kBotoes; ++b) {
        const Botao& bt = p.botoes[b];
        w.FlagMaiusculo(bt.habilitado);
        w.Par(ChaveBotao(b, "zero"), bt.textoZero);
        w.Par(ChaveBotao(b, "um"), bt.textoUm);
        w.Par(ChaveBotao(b, "descricao"), bt.descricao);
        w.Fixo(p.sim.mem[97 + b], 1, 0);
    }
}

// The panel's lines go to the block of the language shown; the other block
// keeps what the file held.
void Comentarios(const Projeto& p, EscritorLinhas& w) {
    w.FlagMaiusculo(p.comentariosVisiveis);
    const auto& pt = p.ingles ? p.comentariosOutroIdioma : p.comentarios;
    const auto& en = p.ingles ? p.comentarios : p.comentariosOutroIdioma;
    w.Texto("<INICIO_COMENTARIOS>");
    for (const auto& l : pt) w.Texto(l);
    w.Texto("<FIM_COMENTARIOS>");
    w.Texto("<BEGIN_COMMENTS>");
    for (const auto& l : en) w.Texto(l);
    w.Texto("<END_COMMENTS>");
}

}  // namespace

std::vector<std::string> LinhasProjeto(const Projeto& p) {
    EscritorLinhas w;
    w.UsaPares(&p.pares, p.ingles);
    w.Par(kChaveTitulo, p.titulo);
    w.Texto(p.imagem);
    TabelaVariaveis(p.sim.mem, w);
    Tracks(p, w);
    Familia<TControlador>("<Controls>", p.sim.controladores, w);
    Familia<TProcesso>("<Process>", p.sim.processos, w);
    Familia<TBloco>("<Blocs>", p.sim.blocos, w);
    Familia<DadosRegistrador>("<Registers>", p.sim.registradores, w);
    Familia<DadosTexto>("<Textos Animados>", p.sim.textos, w);
    Coordenadas(p, w);
    BlocoXY(w);
    for (int i = 0; i < 3; ++i) w.Texto("vago");
    p.geradores.SalvaParametros(w);
    Widgets(p, w);
    p.linearizador.SalvaParametros(w);
    Comentarios(p, w);
    return w.linhas();
}

ResultadoGravacao SalvaProjeto(const Projeto& projeto, const std::filesystem::path& caminho) {
    ResultadoGravacao res;
    try {
        const std::string bytes = JuntaLinhas(LinhasProjeto(projeto), &res.naoRepresentaveis);
        GravaArquivo(caminho, bytes);
        res.ok = true;
    } catch (const ErroArquivo& e) {
        res.erro = e.Mensagem(projeto.ingles);
    } catch (const std::bad_alloc&) {
        res.erro = projeto.ingles ? "Not enough memory to save the project." : "Memória insuficiente para salvar o projeto.";
    }
    return res;
}

}  // namespace kivo
