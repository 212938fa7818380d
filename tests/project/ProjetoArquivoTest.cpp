// The project file read and written back: the fixture, full pools and the
// edge cases of the format.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Auxiliares.h"
#include "TempDir.h"
#include "core/NumberText.h"

namespace kivo {
namespace {

using teste::Carrega;
using teste::Indice;
using teste::LinhasFixture;
using teste::Troca;

TEST(ArquivoProjeto, HandWrittenFixtureReadsAndWritesBackByteForByte) {
    const std::string bytes = teste::LeFixture("completo.smp");
    Projeto p;
    const ResultadoCarga res = LeProjetoBytes(p, bytes, "completo.smp");
    ASSERT_TRUE(res.ok) << res.erro;
    EXPECT_TRUE(res.mensagens.empty());
    EXPECT_EQ(JuntaLinhas(LinhasProjeto(p)), bytes);

    EXPECT_EQ(p.titulo, "Planta de teste: reator com pré-aquecimento");
    EXPECT_EQ(p.imagem, "planta.bmp");
    EXPECT_EQ(p.sim.mem.entrada(21).unidade, "m³/h");
    EXPECT_EQ(p.sim.mem.entrada(23).lie, "2,5");
    EXPECT_EQ(p.tracks[2].rotulo, "Temperatura ambiente externa");
    EXPECT_EQ(p.sim.mem.entrada(17).descricao, "Temperatura ambiente externa");
    EXPECT_EQ(p.sim.mem[17], 12.3456789012345);

    const TControlador& c10 = *p.controlador(10);
    EXPECT_EQ(c10.KpText, "2,5");
    EXPECT_EQ(c10.InicioEscala, "-20");
    EXPECT_EQ(c10.FimEscala, "120");
    EXPECT_TRUE(c10.CheckSPR);
    EXPECT_EQ(c10.SPRSelect, 80);
    EXPECT_EQ(c10.BackMV, 1);
    EXPECT_FALSE(c10.estado.modoLocal);
    EXPECT_EQ(c10.estado.SP, 62.05);
    EXPECT_EQ(c10.estado.MV, 33.4);

    const TProcesso& p71 = *p.processo(21);
    EXPECT_EQ(p71.numero(), 71);
    EXPECT_EQ(p71.NCText, "3");
    EXPECT_EQ(p71.PeriodoText, "20");
    // The state the record does not hold is set at rest: the whole
    // dead-time buffer at "Y0old:", the actuator chain on "X0:" through the
    // equal-percentage curve.
    const TProcesso& p21 = *p.processo(1);
    EXPECT_EQ(p21.estado.buffer[1], 41.25);
    EXPECT_EQ(p21.estado.buffer[10000], 41.25);
    EXPECT_EQ(p21.estado.h, 46.75);
    EXPECT_EQ(p21.estado.hr, 46.75 + 0.5);
    EXPECT_EQ(p21.estado.r, 46.75);
    EXPECT_DOUBLE_EQ(p21.estado.a, (std::exp(46.75 / 40) - 1.0253) * 8.9628);
    EXPECT_EQ(p.bloco(21)->FuncaoTr, "(M10-50)*2");

    const DadosRegistrador& r = *p.registrador(2);
    EXPECT_EQ(r.Variavel3Select, 124);
    EXPECT_EQ(r.BaseTempoBox, 1);
    EXPECT_EQ(p.texto(20)->FuncaoTr, "Desligada/Ligada");

    EXPECT_EQ(p.geradores.linha(87).y, 47.5);
    EXPECT_EQ(p.geradores.linha(85).ValorDig, 1);
    EXPECT_EQ(p.sim.mem[85], 1.0);
    EXPECT_EQ(p.sim.mem[91], 45.0);
    EXPECT_EQ(p.formas[1].cor1, 0x000080FFu);
    EXPECT_EQ(p.formas[1].cor2, 0xFF00000Fu);
    EXPECT_EQ(p.formas[2].cor1, kCorNenhuma);
    EXPECT_EQ(p.chaves[0].orientacao, 2);
    EXPECT_EQ(p.sim.mem[11], 1.0);
    EXPECT_EQ(p.sim.mem[97], 1.0);
    EXPECT_EQ(p.botoes[1].descricao, "Válvula XV");
    EXPECT_TRUE(p.sim.linearizadorAtivo);
    EXPECT_EQ(p.linearizador.Lin1PV[1], "35");
    EXPECT_TRUE(p.comentariosVisiveis);
    ASSERT_EQ(p.comentarios.size(), 4u);
    EXPECT_EQ(p.comentarios[2], "");
    EXPECT_EQ(p.marcadores.controladores[9].topo, 210);
    EXPECT_EQ(p.marcadores.controladores[9].esquerda, 300);
    EXPECT_EQ(p.marcadores.processos[20].esquerda, 340);
    EXPECT_FALSE(p.marcadores.processos[20].exibido);
    EXPECT_EQ(p.marcadores.textos[19].topo, 300);
}

// Distinct settings in every slot of every family and in every widget.
void PreencheTudo(Projeto& p) {
    p.titulo = "Todas as vagas";
    p.imagem = "tudo.bmp";
    for (int k = 15; k <= 96; ++k) p.sim.mem.setUnidade(k, "u" + std::to_string(k));
    for (int n = 1; n <= 10; ++n) {
        TControlador& c = p.CriaControlador(n);
        c.TagText = "C" + std::to_string(n);
        c.KpText = std::to_string(n) + ".5";
        c.VariavelSelect = 20 + n;
        c.estado.SP = n * 1.25;
        c.estado.MV = 100 - 7.5 * n;
        c.estado.modoAuto = n % 2 == 0;
        DadosRegistrador& r = p.CriaRegistrador(n);
        r.TagText = "R" + std::to_string(n);
        r.Variavel2Select = 124;
        r.BaseTempoBox = n % 3;
        p.marcadores.controladores[n - 1] = Marcador{c.TagText, n * 7, n * 11, n % 2 == 0};
        p.marcadores.registradores[n - 1] = Marcador{r.TagText, n * 13, n * 17, true};
    }
    for (int n = 1; n <= 24; ++n) {
        TProcesso& pr = p.CriaProcesso(n);
        pr.TagText = "P" + std::to_string(n);
        pr.ComboBox2 = n % 4;
        pr.estado.Y2 = n + 0.25;
        pr.estado.IntAc2 = -n;
        TBloco& b = p.CriaBloco(n);
        b.TagText = "B" + std::to_string(n);
        b.FuncaoTr = "M21*" + std::to_string(n);
        b.LimInfCheck = n % 2 == 1;
        p.marcadores.processos[n - 1] = Marcador{pr.TagText, n, 2 * n, true};
        p.marcadores.blocos[n - 1] = Marcador{b.TagText, 3 * n, 4 * n, false};
    }
    for (int n = 1; n <= 20; ++n) {
        DadosTexto& t = p.CriaTexto(n);
        t.DescricaoText = "T" + std::to_string(n);
        t.Tipo = n % 3;
        t.ComboBox1 = n + 100;
        t.CasasDecimais = n % 6;
        p.marcadores.textos[n - 1] = Marcador{"", 5 * n, 6 * n, n % 3 == 0};
    }
    for (int g = 81; g <= 96; ++g) {
        LinhaGerador& l = p.geradores.linha(g);
        l.Tipo = g <= 85 ? (g - 81) + 5 : (g <= 90 ? g - 86 : (g % 2));
        l.Desc = "G" + std::to_string(g);
        l.Min = "1";
        l.Max = "9";
        l.Valor = l.Tipo == LinhaGerador::Constante01 ? "1" : "3";
        l.ValorDig = 1;
    }
    for (int n = 0; n < Projeto::kTracks; ++n) {
        p.tracks[n] = Track{n % 2 == 0, "Track longo número " + std::to_string(n), 10 * n, 20 * n, n != 3};
        p.sim.mem[15 + n] = n / 7.0;
    }
    for (int k = 0; k < Projeto::kFormas; ++k) p.formas[k] = Forma{k, 2 * k, true, k % 2, k * 9, 10 * k, 300 - k, 0x010203u * k, kCorPadrao};
    p.chaves[1] = Chave{7, 8, true, 3};
    p.sim.mem[12] = 1;
    p.painel = PainelComando{33, 44};
    p.botoes[2] = Botao{true, "zero", "um", "botão"};
    p.sim.mem[99] = 1;
    p.linearizador.Lin1EndEnt = "21 PV";
    p.linearizador.SetLin1Ativar(true);
    p.comentarios = {"linha 1", "", "linha 3"};
}

TEST(ArquivoProjeto, EverySlotOfEveryFamilyFilledSurvivesARoundTrip) {
    Projeto a;
    PreencheTudo(a);
    // As the windows would have done: every object applied once.
    for (int n = 1; n <= 10; ++n) a.controlador(n)->ValidaParametros(false);
    for (int n = 1; n <= 24; ++n) a.processo(n)->ValidaParametros(false);
    for (int n = 1; n <= 20; ++n) a.texto(n)->ValidaParametros();
    a.geradores.AplicaParametros();
    a.AtualizaLegendas();
    const std::vector<std::string> linhas = LinhasProjeto(a);

    Projeto b;
    const ResultadoCarga res = Carrega(b, linhas);
    ASSERT_TRUE(res.ok) << res.erro;
    EXPECT_EQ(LinhasProjeto(b), linhas);
    for (int n = 1; n <= 10; ++n) EXPECT_NE(b.controlador(n), nullptr);
    for (int n = 1; n <= 24; ++n) EXPECT_NE(b.bloco(n), nullptr);
    for (int n = 1; n <= 20; ++n) EXPECT_NE(b.texto(n), nullptr);
    EXPECT_EQ(b.processo(24)->numero(), 74);
    EXPECT_EQ(b.bloco(24)->numero(), 78);
    EXPECT_EQ(linhas[Indice(linhas, "=====<<<PROCESSO:74>>>=====") + 1], "{P74/01} Tag:P24");
    EXPECT_EQ(linhas[Indice(linhas, "=====<<<CONTROLADOR:02>>>=====") + 1], "{C02/01} Tag:C2");
    EXPECT_NE(Indice(linhas, "=====<<<REGISTRADOR:210>>>====="), 0u);
    EXPECT_NE(Indice(linhas, "=====<<<TEXTO ANIMADO:120>>>====="), 0u);
}

TEST(ArquivoProjeto, SectionsAreWrittenInTheirOrderWithTheirLineCounts) {
    Projeto p;
    p.CriaControlador(1).TagText = "C";
    p.CriaTexto(2);
    const std::vector<std::string> l = LinhasProjeto(p);
    const std::size_t tabela = Indice(l, "<<<Unidades Engenharia>>>");
    EXPECT_EQ(tabela, 2u);
    EXPECT_EQ(Indice(l, "<<Tracks>>"), tabela + 83);
    EXPECT_EQ(Indice(l, "<Controls>"), tabela + 83 + 37);
    EXPECT_EQ(Indice(l, "<Process>"), Indice(l, "<Controls>") + 1 + 10 + 30);
    EXPECT_EQ(Indice(l, "<Registers>"), Indice(l, "<Blocs>") + 1 + 24);
    EXPECT_EQ(Indice(l, "=====<<<COORDENADAS>>>====="), Indice(l, "<Textos Animados>") + 1 + 20 + 9);
    const std::size_t xy = Indice(l, "=====<<<REGISTRADOR XY>>>=====");
    EXPECT_EQ(xy, Indice(l, "=====<<<COORDENADAS>>>=====") + 1 + 4 + 3);
    EXPECT_EQ(l[xy + 18], "{X/18} ");
    EXPECT_EQ(Indice(l, "vago"), xy + 19);
    const std::size_t parametros = Indice(l, "<Parametros>");
    EXPECT_EQ(parametros, xy + 19 + 3);
    EXPECT_EQ(l[parametros + 3], "{P/03} Min.");
    EXPECT_EQ(l[parametros + 53], "{P/53} /");
    EXPECT_EQ(Indice(l, "=====<<<LINEARIZADOR>>>=====)"), parametros + 81 + 45 + 10 + 2 + 15);
    EXPECT_EQ(l.size(), Indice(l, "=====<<<LINEARIZADOR>>>=====)") + 15 + 5);
    EXPECT_EQ(l.back(), "<END_COMMENTS>");
    EXPECT_EQ(l[tabela + 1], "M15:%;0.0;100.00;0.00;100.00;");
}

// A file as the writer makes it, from a project with one controller.
std::vector<std::string> ArquivoSimples() {
    Projeto p;
    TControlador& c = p.CriaControlador(1);
    c.TagText = "FIC";
    p.tracks[0].rotulo = "do arquivo";
    p.tracks[0].habilitado = true;
    p.tracks[1].habilitado = true;
    p.sim.mem.setUnidade(30, "bar");
    p.linearizador.SetLin1Ativar(true);
    p.comentariosVisiveis = true;
    return LinhasProjeto(p);
}

TEST(ArquivoProjeto, VariableTableAndTracksAreOptional) {
    const std::vector<std::string> base = ArquivoSimples();
    const std::size_t tabela = Indice(base, "<<<Unidades Engenharia>>>");
    const std::size_t tracks = Indice(base, "<<Tracks>>");
    const std::size_t controles = Indice(base, "<Controls>");

    std::vector<std::string> semTabela = base;
    semTabela.erase(semTabela.begin() + tabela, semTabela.begin() + tracks);
    std::vector<std::string> semTracks = base;
    semTracks.erase(semTracks.begin() + tracks, semTracks.begin() + controles);
    // Without the tracks, the line in their place is the controllers'
    // marker, whatever it says.
    semTracks[tracks] = "<Qualquer coisa>";
    std::vector<std::string> semAmbos = semTabela;
    semAmbos.erase(semAmbos.begin() + tabela, semAmbos.begin() + tabela + 37);

    struct Caso {
        const char* nome;
        const std::vector<std::string>& linhas;
        bool temTabela;
        bool temTracks;
    } casos[] = {
        {"sem tabela", semTabela, false, true},
        {"sem tracks", semTracks, true, false},
        {"sem ambos", semAmbos, false, false},
    };
    for (const auto& c : casos) {
        Projeto p;
        p.sim.mem.setUnidade(30, "antes");
        p.sim.mem.setUeMin(40, "-5");
        p.tracks[0].rotulo = "antes";
        p.tracks[0].topo = 77;
        const ResultadoCarga res = Carrega(p, c.linhas);
        ASSERT_TRUE(res.ok) << c.nome << ": " << res.erro;
        EXPECT_EQ(p.controlador(1)->TagText, "FIC") << c.nome;
        EXPECT_EQ(p.sim.mem.entrada(30).unidade, c.temTabela ? "bar" : "%") << c.nome;
        EXPECT_EQ(p.sim.mem.entrada(40).ueMin, c.temTabela ? "0.0" : "0.00") << c.nome;
        EXPECT_EQ(p.sim.mem.entrada(96).lse, "100.00") << c.nome;
        EXPECT_EQ(p.tracks[0].rotulo, c.temTracks ? "do arquivo" : "antes") << c.nome;
        EXPECT_EQ(p.tracks[0].topo, c.temTracks ? 400 : 77) << c.nome;
    }
}

TEST(ArquivoProjeto, TableLinesWithEmptyOrMissingFieldsTakeTheDefaults) {
    const std::vector<std::string> base = ArquivoSimples();
    const std::size_t t = Indice(base, "<<<Unidades Engenharia>>>");
    std::vector<std::string> l = base;
    l[t + 1] = "M15:;;;;;";
    l[t + 2] = "M16:sem ponto e vírgula";
    l[t + 3] = "M17:bar;1;;3;";
    l[t + 4] = "M18:kg;5;6;7;8;9;";
    l[t + 5] = "M19";
    l[t + 6] = "M20:" + std::string(300, 'x') + ";1;2;3;4;";
    Projeto p;
    ASSERT_TRUE(Carrega(p, l).ok);
    struct Caso {
        int k;
        EntradaTabela e;
    } casos[] = {
        {15, {"", "0.00", "100.00", "0.00", "100.00", ""}},
        {16, {"", "0.00", "100.00", "0.00", "100.00", ""}},
        {17, {"bar", "1", "100.00", "3", "100.00", ""}},
        {18, {"kg", "5", "6", "7", "8", ""}},
        {19, {"", "0.00", "100.00", "0.00", "100.00", ""}},
        {20, {std::string(255, 'x'), "1", "2", "3", "4", ""}},
    };
    for (const auto& c : casos) {
        const EntradaTabela& e = p.sim.mem.entrada(c.k);
        EXPECT_EQ(e.unidade, c.e.unidade) << c.k;
        EXPECT_EQ(e.ueMin, c.e.ueMin) << c.k;
        EXPECT_EQ(e.ueMax, c.e.ueMax) << c.k;
        EXPECT_EQ(e.lie, c.e.lie) << c.k;
        EXPECT_EQ(e.lse, c.e.lse) << c.k;
    }
}

TEST(ArquivoProjeto, OnlyTheExactTextOfEachFlagFormIsTrue) {
    std::vector<std::string> l = ArquivoSimples();
    const std::size_t tracks = Indice(l, "<<Tracks>>");
    const std::size_t controles = Indice(l, "<Controls>");
    const std::size_t lin = Indice(l, "=====<<<LINEARIZADOR>>>=====)");
    l[tracks + 1] = "True";       // track 1 enabled: upper-case form
    l[tracks + 7] = "true";       // track 2 enabled
    l[tracks + 6] = "TRUE ";      // track 1 slider
    l[controles + 2] = "TRUE";    // controller 2: mixed-case form
    l[lin + 2] = "True";          // linearizer enable
    l[lin + 15] = "1";            // comments flag
    Projeto p;
    ASSERT_TRUE(Carrega(p, l).ok);
    EXPECT_FALSE(p.tracks[0].habilitado);
    EXPECT_FALSE(p.tracks[0].deslizante);
    EXPECT_FALSE(p.tracks[1].habilitado);
    EXPECT_NE(p.controlador(1), nullptr);
    EXPECT_EQ(p.controlador(2), nullptr);
    EXPECT_FALSE(p.sim.linearizadorAtivo);
    EXPECT_FALSE(p.comentariosVisiveis);
}

TEST(ArquivoProjeto, LanguagePairsShowOneLanguageAndKeepBoth) {
    std::vector<std::string> l = ArquivoSimples();
    l[0] = "Planta|Plant";
    l = Troca(l, "{C01/01} Tag:FIC", "{C01/01} Tag:Vazão|Flow");
    const std::size_t tracks = Indice(l, "<<Tracks>>");
    l[tracks + 2] = "Carga|Load";
    const std::size_t botoes = Indice(l, "=====<<<LINEARIZADOR>>>=====)") - 15;
    l[botoes + 1] = "Desligado|Off";
    l[botoes + 2] = "Ligado";
    const std::size_t gerador = Indice(l, "<Parametros>") + 2;
    l[gerador] = "{P/02} Distúrbio|Disturbance";
    const std::size_t tag = Indice(l, "=====<<<CONTROLADOR:01>>>=====") + 1;
    struct Caso {
        bool ingles;
        const char* titulo;
        const char* tag;
        const char* track;
        const char* botao;
        const char* gerador;
        // After the title, the tag and the one-language button text are
        // edited to "X" in the language shown.
        const char* tituloEditado;
        const char* tagEditada;
        const char* botaoEditado;
    } casos[] = {
        {false, "Planta", "Vazão", "Carga", "Desligado", "Distúrbio", "X|Plant", "X|Flow", "X|Ligado"},
        {true, "Plant", "Flow", "Load", "Off", "Disturbance", "Planta|X", "Vazão|X", "Ligado|X"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ingles ? "English" : "Portuguese");
        Projeto p(c.ingles);
        ASSERT_TRUE(Carrega(p, l).ok);
        EXPECT_EQ(p.titulo, c.titulo);
        EXPECT_EQ(p.controlador(1)->TagText, c.tag);
        EXPECT_EQ(p.tracks[0].rotulo, c.track);
        EXPECT_EQ(p.botoes[0].textoZero, c.botao);
        EXPECT_EQ(p.geradores.linha(81).Desc, c.gerador);
        // Saved unchanged, every pair comes back whole (the examples' test
        // checks whole files).
        const std::vector<std::string> inalterado = LinhasProjeto(p);
        for (std::size_t i : {std::size_t{0}, tag, tracks + 2, botoes + 1, botoes + 2, gerador})
            EXPECT_EQ(inalterado[i], l[i]) << "line " << i + 1;

        p.titulo = p.controlador(1)->TagText = p.botoes[0].textoUm = "X";
        p.tracks[0].rotulo = "Load";  // the English half typed in Portuguese too
        std::vector<std::string> salvo = LinhasProjeto(p);
        EXPECT_EQ(salvo[0], c.tituloEditado);
        EXPECT_EQ(salvo[tag], std::string("{C01/01} Tag:") + c.tagEditada);
        EXPECT_EQ(salvo[botoes + 2], c.botaoEditado);
        EXPECT_EQ(salvo[tracks + 2], c.ingles ? "Carga|Load" : "Load");
        EXPECT_EQ(salvo[gerador], "{P/02} Distúrbio|Disturbance");

        // A controller made anew in the slot has nothing of the old one's.
        p.CriaControlador(1).TagText = "TIC";
        EXPECT_EQ(LinhasProjeto(p)[tag], "{C01/01} Tag:TIC");
    }
}

TEST(ArquivoProjeto, JoiningALanguagePair) {
    struct Caso {
        const char *bruto, *atual;
        bool ingles;
        const char* esperado;
    } casos[] = {
        {"a|b", "a", false, "a|b"},     // unchanged: the file's text as it was
        {"a|b", "b", true, "a|b"},
        {"a|b", "c", false, "c|b"},     // one half replaced
        {"a|b", "c", true, "a|c"},
        {"a|b", "b", false, "b"},       // both halves equal: one text
        {"a", "c", true, "a|c"},        // one text for both becomes a pair
        {"a", "a", true, "a"},
        {"a|b|c", "x", false, "x|b|c"}, // the first "|" divides
        {"", "x", false, "x"},          // an empty line kept nothing
    };
    for (const auto& c : casos) EXPECT_EQ(JuntaPar(c.bruto, c.atual, c.ingles), c.esperado) << c.bruto << " " << c.atual;
}

TEST(ArquivoProjeto, CommentsGoToTheBlockOfTheLanguageShown) {
    for (const bool inglesAoSalvar : {false, true}) {
        Projeto a(inglesAoSalvar);
        a.comentarios = {"primeira", "", "<BEGIN_COMMENTS>"};
        const std::vector<std::string> l = LinhasProjeto(a);
        const std::size_t inicio = Indice(l, "<INICIO_COMENTARIOS>");
        const std::size_t fimPt = Indice(l, "<FIM_COMENTARIOS>");
        EXPECT_EQ(fimPt - inicio - 1, inglesAoSalvar ? 0u : 3u);
        EXPECT_EQ(l.size() - fimPt - 3, inglesAoSalvar ? 3u : 0u);
        for (const bool inglesAoLer : {false, true}) {
            Projeto b(inglesAoLer);
            ASSERT_TRUE(Carrega(b, l).ok);
            EXPECT_EQ(b.comentarios, inglesAoLer == inglesAoSalvar ? a.comentarios : std::vector<std::string>{})
                << inglesAoSalvar << inglesAoLer;
        }
    }
}

TEST(ArquivoProjeto, TheOtherLanguagesCommentsAreKept) {
    std::vector<std::string> l = ArquivoSimples();
    const std::size_t fim = Indice(l, "<FIM_COMENTARIOS>");
    l.insert(l.begin() + static_cast<std::ptrdiff_t>(fim), "Português");
    l.insert(l.end() - 1, "English");
    for (const bool ingles : {false, true}) {
        Projeto p(ingles);
        ASSERT_TRUE(Carrega(p, l).ok);
        EXPECT_EQ(p.comentarios, std::vector<std::string>{ingles ? "English" : "Português"});
        p.comentarios = {"novo"};
        const std::vector<std::string> salvo = LinhasProjeto(p);
        EXPECT_EQ(salvo.size(), l.size());
        EXPECT_EQ(salvo[fim], ingles ? "Português" : "novo");
        EXPECT_EQ(salvo[salvo.size() - 2], ingles ? "novo" : "English");
    }
}

TEST(ArquivoProjeto, ACommentBlockCutByTheEndOfTheFileEndsThere) {
    Projeto a;
    const std::vector<std::string> base = LinhasProjeto(a);
    std::vector<std::string> pt(base.begin(), base.begin() + static_cast<long>(Indice(base, "<FIM_COMENTARIOS>")));
    pt.push_back("comentário sem fim");
    std::vector<std::string> en = base;
    en.pop_back();
    en.push_back("english, unterminated");
    struct Caso {
        const std::vector<std::string>& linhas;
        bool ingles;
        std::vector<std::string> comentarios;
    } casos[] = {
        {pt, false, {"comentário sem fim"}},
        {pt, true, {}},
        {en, true, {"english, unterminated"}},
    };
    for (const auto& c : casos) {
        Projeto p(c.ingles);
        const ResultadoCarga res = Carrega(p, c.linhas);
        ASSERT_TRUE(res.ok) << res.erro;
        EXPECT_EQ(p.comentarios, c.comentarios);
    }
}

TEST(ArquivoProjeto, TrackValuesSurviveTo15SignificantDigits) {
    // Tracks hold 0..100 %; the values span the exponents the text may carry.
    for (const double v : {1.0 / 3.0, 12.3456789012345678, 1e-7, 1e-300, 0.1 + 0.2, 99.99999999999999}) {
        Projeto a;
        a.sim.mem[18] = v;
        Projeto b;
        ASSERT_TRUE(Carrega(b, LinhasProjeto(a)).ok);
        EXPECT_EQ(b.sim.mem[18], Arredonda15(v)) << v;
        EXPECT_EQ(TextoNumero(b.sim.mem[18]), TextoNumero(v));
    }
}

TEST(ArquivoProjeto, TheReaderSkipsTheXYBlockWithoutLookingAtIt) {
    const std::vector<std::string> base = teste::LinhasFixture("completo.smp");
    std::vector<std::string> l = base;
    const std::size_t xy = Indice(l, "=====<<<REGISTRADOR XY>>>=====");
    for (std::size_t i = xy; i < xy + 19 + 3; ++i) l[i] = "12abc;" + std::to_string(i);
    Projeto p;
    ASSERT_TRUE(Carrega(p, l).ok);
    EXPECT_EQ(LinhasProjeto(p), base);
}

TEST(ArquivoProjeto, ProcessRecordSpecialLines) {
    const std::vector<std::string> base = teste::LinhasFixture("completo.smp");
    // "Num.Ciclos:" without "x" sets the number of cycles only.
    Projeto p;
    ASSERT_TRUE(Carrega(p, Troca(base, "{P71/15} Num.Ciclos:3x20", "{P71/15} Num.Ciclos:4")).ok);
    EXPECT_EQ(p.processo(21)->NCText, "4");
    EXPECT_EQ(p.processo(21)->PeriodoText, "10");
}

TEST(ArquivoProjeto, AnEmptyTitleGivesTheFileNameWithoutFolderAndExtension) {
    std::vector<std::string> l = ArquivoSimples();
    l[0] = "";
    struct Caso {
        const char* arquivo;
        const char* titulo;
    } casos[] = {
        {"/tmp/pasta.x/caldeira.v2.smp", "caldeira.v2"},
        {"\\examples\\boiler\\boiler.smp", "boiler"},
        {"sem extensao", "sem extensao"},
    };
    for (const auto& c : casos) {
        Projeto p;
        ASSERT_TRUE(Carrega(p, l, c.arquivo).ok);
        EXPECT_EQ(p.titulo, c.titulo);
    }
}

TEST(SalvaProjeto, WritesTheFileAndReportsWhatTheCodePageCannotHold) {
    TempDir dir;
    Projeto p;
    p.titulo = "Planta 日本";
    const ResultadoGravacao ok = SalvaProjeto(p, dir.path() / "p.smp");
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.naoRepresentaveis, 2u);
    Projeto q;
    ASSERT_TRUE(LeProjeto(q, dir.path() / "p.smp").ok);
    EXPECT_EQ(q.titulo, "Planta ??");

    const ResultadoGravacao falha = SalvaProjeto(p, dir.path() / "falta" / "p.smp");
    EXPECT_FALSE(falha.ok);
    EXPECT_NE(falha.erro.find("Não foi possível salvar"), std::string::npos) << falha.erro;
}

}  // namespace
}  // namespace kivo
