#include "Autoria.h"

#include <algorithm>
#include <cmath>
#include <fstream>

#include "core/NumberText.h"
#include "project/ArquivoProjeto.h"
#include "project/ArquivoTexto.h"
#include "project/GravaArquivo.h"
#include "core/Registro.h"

namespace kivo::exemplos {
namespace {

// A number as the variable table and the fields hold it: two decimals,
// trailing zeros kept, as the variable list writes them.
std::string Numero(double v) { return FormataFixo(v, 1, 2); }

// Marker visible at p.
Marcador Em(Ponto p) {
    return Marcador{"", static_cast<int>(p.x), static_cast<int>(p.y), true};
}

}  // namespace

std::string Ref(int endereco) { return "M" + DoisDigitos(endereco); }

Autor::Autor(const Planta& planta) : tela(kLarguraImagem, kAlturaImagem, paleta::kFundo) {
    p.titulo = planta.titulo;
    p.imagem = std::filesystem::path(planta.arquivo).replace_extension(".bmp").string();
    p.comentariosVisiveis = true;
    // The authoring collects the messages itself (Aplica).
    p.saidaMensagens = nullptr;
}

void Autor::Variavel(int k, const std::string& unidade, double min, double max) {
    Memorias& m = p.sim.mem;
    m.setUnidade(k, unidade);
    m.setUeMin(k, Numero(min));
    m.setUeMax(k, Numero(max));
    m.setLie(k, Numero(min));
    m.setLse(k, Numero(max));
}

void Autor::Limites(int k, double lie, double lse) {
    p.sim.mem.setLie(k, Numero(lie));
    p.sim.mem.setLse(k, Numero(lse));
}

TControlador& Autor::Controlador(int n, const std::string& tag, const std::string& desc, int pv, Ponto marcador) {
    TControlador& c = p.CriaControlador(n);
    c.TagText = tag;
    c.Descricao = desc;
    c.VariavelSelect = pv - 1;
    p.marcadores.controladores[n - 1] = Em(marcador);
    return c;
}

TProcesso& Autor::Processo(int n, const std::string& tag, const std::string& desc, int entrada, Ponto marcador) {
    TProcesso& pr = p.CriaProcesso(n);
    pr.TagText = tag;
    pr.DescricaoText = desc;
    pr.EntradaSelect = entrada - 1;
    p.marcadores.processos[n - 1] = Em(marcador);
    return pr;
}

TBloco& Autor::Bloco(int n, const std::string& tag, const std::string& desc, const std::string& funcao,
                     Ponto marcador) {
    TBloco& b = p.CriaBloco(n);
    b.TagText = tag;
    b.DescricaoText = desc;
    b.FuncaoTr = funcao;
    p.marcadores.blocos[n - 1] = Em(marcador);
    return b;
}

DadosTexto& Autor::Texto(int n, const std::string& desc, int k, int casas, Ponto pos) {
    DadosTexto& t = p.CriaTexto(n);
    const EntradaTabela& e = p.sim.mem.entrada(k);
    t.DescricaoText = desc;
    t.Tipo = 0;
    t.ComboBox1 = k - 1;
    t.CasasDecimais = casas;
    // What the text's apply would take from the variable table.
    t.Unidade = e.unidade;
    t.Edit1 = e.ueMax;
    t.Edit4 = k <= 10 ? "0.00" : e.ueMin;
    p.marcadores.textos[n - 1] = Em(pos);
    return t;
}

DadosTexto& Autor::TextoBinario(int n, const std::string& desc, int k, const std::string& textos, Ponto pos) {
    DadosTexto& t = p.CriaTexto(n);
    t.DescricaoText = desc;
    t.Tipo = 1;
    t.ComboBox1 = k - 1;
    t.FuncaoTr = textos;
    p.marcadores.textos[n - 1] = Em(pos);
    return t;
}

DadosRegistrador& Autor::Registrador(int n, const std::string& tag, const std::string& desc, int v1, int v2, int v3,
                                     const std::string& nomes, Ponto marcador, int base) {
    DadosRegistrador& r = p.CriaRegistrador(n);
    r.TagText = tag;
    r.DescricaoText = desc;
    // The lists of variables 2 and 3 end with "Nenhum" (none).
    const int nenhum = DadosRegistrador::kItensVariavel23 - 1;
    r.Variavel1Select = v1 - 1;
    r.Variavel2Select = v2 > 0 ? v2 - 1 : nenhum;
    r.Variavel3Select = v3 > 0 ? v3 - 1 : nenhum;
    // Curve names separated by ";".
    std::vector<std::string> partes;
    std::size_t ini = 0;
    for (std::size_t pos; (pos = nomes.find(';', ini)) != std::string::npos; ini = pos + 1)
        partes.push_back(nomes.substr(ini, pos - ini));
    partes.push_back(nomes.substr(ini));
    partes.resize(3);
    r.Edit1 = partes[0];
    r.Edit2 = partes[1];
    r.Edit3 = partes[2];
    r.BaseTempoBox = base;
    p.marcadores.registradores[n - 1] = Em(marcador);
    return r;
}

LinhaGerador& Autor::Gerador(int g, int tipo, const std::string& desc, const std::string& min, const std::string& max,
                             const std::string& valor) {
    LinhaGerador& l = p.geradores.linha(g);
    l.Tipo = tipo;
    l.Desc = desc;
    if (g <= TParmForm::kUltimaDinamica) {
        l.Min = min;
        l.Max = max;
    } else {
        l.Min = l.Max = "/";
    }
    l.Valor = valor;
    return l;
}

Track& Autor::Entrada(int n, const std::string& rotulo, const std::string& unidade, double min, double max,
                      double valor, Ponto pos) {
    Track& t = p.tracks[n - 1];
    t.habilitado = true;
    t.rotulo = rotulo;
    t.esquerda = static_cast<int>(pos.x);
    t.topo = static_cast<int>(pos.y);
    t.deslizante = true;
    Variavel(14 + n, unidade, min, max);
    p.sim.mem.setDescricao(14 + n, rotulo);
    p.sim.mem[14 + n] = (valor - min) * 100 / (max - min);
    return t;
}

kivo::Chave& Autor::Comutador(int n, int orientacao, double valor, Ponto pos) {
    kivo::Chave& c = p.chaves[n - 1];
    c.habilitada = true;
    c.orientacao = orientacao;
    c.esquerda = static_cast<int>(pos.x);
    c.topo = static_cast<int>(pos.y);
    p.sim.mem[10 + n] = valor;
    return c;
}

kivo::Botao& Autor::BotaoComando(int b, const std::string& desc, const std::string& texto0, const std::string& texto1,
                                 Ponto painel) {
    kivo::Botao& bt = p.botoes[b - 1];
    bt.habilitado = true;
    bt.descricao = desc;
    bt.textoZero = texto0;
    bt.textoUm = texto1;
    p.painel = PainelComando{static_cast<int>(painel.y), static_cast<int>(painel.x)};
    p.sim.mem[96 + b] = 0;
    return bt;
}

void Autor::Comentarios(const std::vector<std::string>& pt, const std::vector<std::string>& en) {
    p.comentarios = pt;
    en_ = en;
}

std::vector<std::string> Autor::Aplica() {
    std::vector<std::string> msgs;
    auto coleta = [&msgs](const std::string& m) { msgs.push_back(m); };
    p.geradores.AplicaParametros();
    for (int n = 1; n <= 24; ++n)
        if (TProcesso* pr = p.processo(n)) {
            pr->mensagens = coleta;
            pr->ValidaParametros(true);
        }
    for (int n = 1; n <= 24; ++n)
        if (TBloco* b = p.bloco(n)) {
            b->mensagens = coleta;
            b->ValidaParametros(true);
        }
    for (int n = 1; n <= 10; ++n)
        if (TControlador* c = p.controlador(n)) {
            c->mensagens = coleta;
            c->ValidaParametros(true);
        }
    return msgs;
}

void Autor::Executa(double segundos) {
    const double T = 0.1;
    // The plant is written at the moment it stops, and a file holds one
    // instant: a loop that cycles by design (a sticking valve) must not be
    // caught at a peak, or the PV it is opened with lies away from where it
    // then runs. So the last minute is recorded, and the run goes on, cycle
    // by cycle, until every PV is back at its mean of the last minute. A
    // plant at rest stops at once.
    constexpr long long kMinuto = 600;  // cycles
    constexpr double kPerto = 0.25;     // % of span
    constexpr long long kMaisNoMaximo = 6000;
    std::vector<const TControlador*> malhas;
    for (int n = 1; n <= 10; ++n)
        if (const TControlador* c = p.controlador(n)) malhas.push_back(c);
    std::vector<std::vector<double>> pv(malhas.size());
    auto registra = [&](long long) {
        for (std::size_t i = 0; i < malhas.size(); ++i) pv[i].push_back(p.sim.mem[malhas[i]->enderecoPV()]);
        return true;
    };
    auto foraDaMedia = [&] {
        for (const std::vector<double>& v : pv) {
            double soma = 0;
            for (std::size_t k = v.size() - kMinuto; k < v.size(); ++k) soma += v[k];
            if (std::fabs(v.back() - soma / kMinuto) > kPerto) return true;
        }
        return false;
    };
    const long long ciclos = static_cast<long long>(segundos / T + 0.5);
    p.sim.ExecutaSemDisplay(
        ciclos - kMinuto, T, [](long long) {}, [](long long) { return true; });
    p.sim.ExecutaSemDisplay(kMinuto, T, [](long long) {}, registra);
    for (long long mais = 0; mais < kMaisNoMaximo && foraDaMedia(); ++mais)
        p.sim.ExecutaSemDisplay(1, T, [](long long) {}, registra);
}

std::string Grava(Autor& a, const Planta& planta, const std::filesystem::path& dir) {
    namespace fs = std::filesystem;
    const fs::path pasta = dir / planta.pasta;
    fs::create_directories(pasta);

    a.p.AtualizaLegendas();
    std::vector<std::string> linhas = LinhasProjeto(a.p);
    // The writer fills the block of the language shown; the English block
    // is filled here.
    const auto ingles = std::find(linhas.begin(), linhas.end(), "<BEGIN_COMMENTS>");
    if (ingles == linhas.end()) return "no English comment block";
    linhas.insert(ingles + 1, a.comentariosIngles().begin(), a.comentariosIngles().end());
    std::size_t naoRepresentaveis = 0;
    const std::string bytes = JuntaLinhas(linhas, &naoRepresentaveis);
    if (naoRepresentaveis != 0) return std::to_string(naoRepresentaveis) + " characters outside Windows-1252";
    GravaArquivo(pasta / planta.arquivo, bytes);

    const Imagem img = a.tela.Final();
    img.GravaBmp(pasta / a.p.imagem);
    const fs::path base = fs::path(planta.arquivo).stem();
    img.Reduzida(kLarguraMiniatura, kAlturaMiniatura).GravaBmp(pasta / (base.string() + "_thumb.bmp"));

    for (bool emIngles : {false, true}) {
        Projeto lido(emIngles);
        const ResultadoCarga r = LeProjeto(lido, pasta / planta.arquivo, OpcoesCarga{true, nullptr});
        if (!r.ok) return r.erro;
        if (!r.mensagens.empty()) return r.mensagens.front();
        if (lido.comentarios.empty()) return emIngles ? "English comments missing" : "Portuguese comments missing";
    }
    return {};
}


void GravaPrevia(const Autor& a, const std::filesystem::path& arquivo) {
    Imagem img = a.tela.Final();
    Tela t(img.largura, img.altura, paleta::kFundo, 1);
    for (int y = 0; y < img.altura; ++y)
        for (int x = 0; x < img.largura; ++x) t.Retangulo(x, y, 1, 1, img.Pixel(x, y));
    auto caixa = [&t](const Marcador& m, double w, double h, Cor c) {
        if (m.exibido) t.Moldura(m.esquerda, m.topo, w, h, 1.5, c);
    };
    const Projeto& p = a.p;
    for (int n = 1; n <= 10; ++n) {
        if (p.controlador(n)) caixa(p.marcadores.controladores[n - 1], kLarguraMarcador, kAlturaMarcador, {0, 0, 255});
        if (p.registrador(n)) caixa(p.marcadores.registradores[n - 1], kLarguraMarcador, kAlturaMarcador, {0, 160, 0});
    }
    for (int n = 1; n <= 24; ++n) {
        if (p.processo(n)) caixa(p.marcadores.processos[n - 1], kLarguraMarcador, kAlturaMarcador, {90, 90, 90});
        if (p.bloco(n)) caixa(p.marcadores.blocos[n - 1], kLarguraMarcador, kAlturaMarcador, {160, 0, 160});
    }
    for (int n = 1; n <= 20; ++n) {
        const DadosTexto* d = p.texto(n);
        if (!d) continue;
        const Marcador& m = p.marcadores.textos[n - 1];
        const std::string desc = std::string(ParIdioma(d->DescricaoText, false));
        t.Moldura(m.esquerda, m.topo - 13, 7.0 * static_cast<double>(NumCaracteres(desc)), 13, 1, {230, 120, 0});
        t.Moldura(m.esquerda, m.topo, 80, 15, 1.5, {230, 120, 0});
    }
    for (int n = 0; n < Projeto::kTracks; ++n) {
        const Track& tr = p.tracks[n];
        if (!tr.habilitado) continue;
        const std::size_t len = NumCaracteres(ParIdioma(tr.rotulo, false));
        t.Moldura(tr.esquerda, tr.topo, len > 6 ? 75 + 7.0 * static_cast<double>(len) : 117, 60, 1.5, {200, 0, 0});
    }
    for (const kivo::Chave& c : p.chaves)
        if (c.habilitada) t.Moldura(c.esquerda, c.topo, 40, 40, 1.5, {200, 0, 0});
    int botoes = 0;
    for (const kivo::Botao& b : p.botoes) botoes += b.habilitado ? 1 : 0;
    if (botoes > 0) t.Moldura(p.painel.esquerda, p.painel.topo, 150, 20 + 50.0 * botoes, 1.5, {200, 0, 0});
    t.Final().GravaBmp(arquivo);
}

}  // namespace kivo::exemplos
