// The loader's order, its end-of-load state, what a failed load leaves, and
// inputs that must not break it.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "Auxiliares.h"

namespace kivo {
namespace {

using teste::Carrega;
using teste::Indice;
using teste::Troca;

// Writes down every call, in order.
class Registro : public ObservadorCarga {
public:
    std::vector<std::string> eventos;
    void AoIniciar() override { eventos.push_back("inicio"); }
    void AoProgresso(int p) override { eventos.push_back(std::to_string(p)); }
    void AoMensagem(const std::string& m) override { eventos.push_back("msg " + m); }
    void AoAtualizarListaVariaveis() override { eventos.push_back("lista"); }
    void AoAplicarRegistrador(int n) override { eventos.push_back("registrador " + std::to_string(n)); }
    void AoAplicarTexto(int n) override { eventos.push_back("texto " + std::to_string(n)); }
    void AoAtualizarDiagrama() override { eventos.push_back("diagrama"); }
    void AoTerminar(bool ok) override { eventos.push_back(ok ? "fim ok" : "fim erro"); }
};

TEST(Carga, StepsMessagesAndEndStateComeInTheLoadersOrder) {
    std::vector<std::string> l = teste::LinhasFixture("completo.smp");
    l = Troca(l, "{P21/09} Ganho:1.2", "{P21/09} Ganho:dois");
    l = Troca(l, "{C01/03} Kc:0.8", "{C01/03} Kc:abc");
    l = Troca(l, "{C10/10} COMax:95", "{C10/10} COMax:");
    l = Troca(l, "{B41/03} Funcao:M21*1.1>M71", "{B41/03} Funcao:M21>abc");
    Projeto p;
    p.salvo = false;
    std::vector<std::string> foraDaCarga;
    p.saidaMensagens = [&](const std::string& m) { foraDaCarga.push_back(m); };
    Registro obs;
    const ResultadoCarga res = Carrega(p, l, "x.smp", &obs);
    ASSERT_TRUE(res.ok) << res.erro;

    const std::vector<std::string> mensagens = {
        "Controlador 1: Kp inválido",
        "Controlador 10: COmax inválido",
        "Processo 21: Ganho inválido",
        "Bloco 41: Função inválida",
    };
    EXPECT_EQ(res.mensagens, mensagens);
    const std::vector<std::string> eventos = {
        "inicio", "5", "lista", "10", "msg " + mensagens[0], "msg " + mensagens[1], "25", "msg " + mensagens[2],
        "45", "msg " + mensagens[3], "60", "registrador 2", "70", "texto 1", "texto 20", "85", "90", "95", "100",
        "diagrama", "fim ok",
    };
    EXPECT_EQ(obs.eventos, eventos);
    EXPECT_TRUE(p.salvo);
    EXPECT_TRUE(foraDaCarga.empty());
    // After the load the objects report to the project's own sink.
    p.controlador(1)->ValidaParametros(true);
    EXPECT_EQ(foraDaCarga, std::vector<std::string>{mensagens[0]});
}

TEST(Carga, MarkerCaptionsBecomeTheTagsAndThePictureIsLookedForByKind) {
    std::vector<std::string> l = teste::LinhasFixture("completo.smp");
    const std::size_t coord = Indice(l, "=====<<<COORDENADAS>>>=====");
    l[coord + 1] = "legenda antiga";
    for (const bool exemplo : {false, true}) {
        Projeto p;
        OpcoesCarga op;
        op.exemplo = exemplo;
        const ResultadoCarga res = LeProjetoBytes(p, JuntaLinhas(l), "exemplos/forno/forno.smp", op);
        ASSERT_TRUE(res.ok);
        EXPECT_EQ(p.marcadores.controladores[0].legenda, "FIC-101");
        EXPECT_EQ(res.caminhoImagem, exemplo ? "exemplos/forno/planta.bmp" : "planta.bmp");
    }
}

// The loader adds to the project: objects the file does not mention stay,
// and only the slots the file flags have their records read.
TEST(Carga, ALoadAddsToTheProjectAndReadsOnlyTheRecordsTheFileFlags) {
    Projeto p;
    p.CriaControlador(2).TagText = "JA EXISTE";
    p.CriaProcesso(5).TagText = "P5";
    p.marcadores.controladores[1].topo = 123;
    p.sim.mem[105] = 42;
    const std::vector<std::string> l = teste::LinhasFixture("completo.smp");
    const ResultadoCarga res = Carrega(p, l);
    ASSERT_TRUE(res.ok) << res.erro;
    EXPECT_EQ(p.controlador(1)->TagText, "FIC-101");
    EXPECT_EQ(p.controlador(10)->TagText, "TIC-110");
    EXPECT_EQ(p.controlador(10)->estado.MV, 33.4);
    EXPECT_EQ(p.controlador(2)->TagText, "JA EXISTE");
    EXPECT_EQ(p.processo(5)->TagText, "P5");
    EXPECT_EQ(p.processo(21)->TagText, "TT-110");
    EXPECT_EQ(p.marcadores.controladores[1].topo, 123);
    EXPECT_EQ(p.marcadores.textos[19].topo, 300);
    EXPECT_EQ(p.sim.mem[105], 42.0);
}

// What the blocks, the linearizer and the generators write is in the memory
// before the first tick, as at rest: a block reading the linearizer, which
// runs after the blocks, sees its output too; a medium random noise
// continues from its saved value.
TEST(Carga, BlocksLinearizerAndNoiseStartAtRest) {
    Projeto a;
    TControlador& c = a.CriaControlador(1);
    c.estado.MV = 30;
    a.CriaBloco(1).FuncaoTr = "M13*2";
    a.CriaBloco(2).FuncaoTr = "M01+1";
    // An integral typed as a formula never comes to rest: the load must end.
    a.CriaBloco(3).FuncaoTr = "M43+1";
    a.linearizador.Lin1EndEnt = "42 bloco";
    a.linearizador.SetLin1Ativar(true);
    LinhaGerador& g = a.geradores.linha(81);
    g.Tipo = LinhaGerador::AleatorioMedio;
    g.Desc = "20";
    g.Min = "30";
    g.Max = "70";
    g.Valor = "52.5";

    Projeto b;
    const ResultadoCarga res = Carrega(b, LinhasProjeto(a));
    ASSERT_TRUE(res.ok) << res.erro;
    EXPECT_EQ(b.sim.mem[42], 31);
    EXPECT_EQ(b.sim.mem[13], 31);
    EXPECT_EQ(b.sim.mem[41], 62);
    EXPECT_GT(b.sim.mem[43], 0);
    EXPECT_EQ(b.geradores.linha(81).y, 52.5);
    EXPECT_EQ(b.geradores.linha(81).alvo, 52.5);
}

TEST(CargaComErro, AMalformedValueStopsTheLoadNamesItAndLeavesTheProjectAsItWas) {
    const std::vector<std::string> base = teste::LinhasFixture("completo.smp");
    // The line replaced is the one the message must name.
    struct Caso {
        std::string antes;
        std::string depois;
        const char* texto;
    } casos[] = {
        {"300", "3OO", "\"3OO\""},  // a track's top
        {"{C10/14} Indice lista PV:21", "{C10/14} Indice lista PV:21.0", "\"21.0\""},
        // A key one character short moves the value's position.
        {"{C01/16} Endereço  BackMV:0", "{C01/16} Endereço BackMV:0", "\"\""},
        {"{P71/14} Tipo FT:1", "{P71/14} Tipo FT:", "\"\""},
        {"{R/09} Ind Lista Base Tempo:1", "{R/09} Ind Lista Base Tempo:um", "\"um\""},
        {"{T/07} Tipo:1", "{T/07} Tipo:1 2", "\"1 2\""},
        {"{P/01} 7", "{P/01} sete", "\"sete\""},
        {"{P/25} 1", "{P/25} sim", "\"sim\""},  // the 0/1 selector of a constant 0-1
        {"$000080FF", "laranja", "\"laranja\" is not a valid colour"},
    };
    for (const auto& c : casos) {
        std::vector<std::string> l = Troca(base, c.antes, c.depois);
        const std::size_t linha = Indice(l, c.depois) + 1;

        Projeto p;
        ASSERT_TRUE(Carrega(p, base).ok);
        p.titulo = "antes";
        p.salvo = false;
        const std::vector<std::string> antes = LinhasProjeto(p);
        Registro obs;
        const ResultadoCarga res = Carrega(p, l, "bad.smp", &obs);
        EXPECT_FALSE(res.ok) << c.depois;
        EXPECT_NE(res.erro.find("\"bad.smp\", linha " + std::to_string(linha) + ":"), std::string::npos) << res.erro;
        Projeto q(true);
        const std::string ingles = Carrega(q, l, "bad.smp").erro;
        EXPECT_NE(ingles.find("line " + std::to_string(linha) + ": " + c.texto), std::string::npos) << ingles;
        EXPECT_EQ(LinhasProjeto(p), antes) << c.depois;
        EXPECT_FALSE(p.salvo);
        EXPECT_TRUE(res.mensagens.empty());
        EXPECT_EQ(obs.eventos, (std::vector<std::string>{"inicio", "fim erro"}));
    }
}

TEST(CargaComErro, AMissingFileIsReportedWithItsName) {
    Projeto p;
    const ResultadoCarga res = LeProjeto(p, "/nao/existe/planta.smp");
    EXPECT_FALSE(res.ok);
    EXPECT_NE(res.erro.find("Não foi possível abrir \"/nao/existe/planta.smp\""), std::string::npos) << res.erro;
}

// Every way of cutting a file short either stops with a message saying where
// the file ends (or that its last line, cut inside a value, is malformed) or
// loads with one warning naming the file's last line, in either language;
// only the whole file loads without a warning. The fixture and an example
// with comments in both languages are cut after lines and inside lines.
TEST(CargaComErro, EveryTruncationOfAValidFileFailsOrWarnsWhereTheFileEnds) {
    const std::string exemplos[] = {teste::LeFixture("completo.smp"), teste::LeExemplo("boiler/boiler.smp")};
    for (const std::string& bytes : exemplos) {
        const std::vector<std::string> linhas = DivideLinhas(bytes);
        int falhas = 0;
        int avisos = 0;
        auto confere = [&](const std::string& corte, std::size_t linhasCorte, bool inteiro) {
            for (const bool ingles : {false, true}) {
                Projeto p(ingles);
                const ResultadoCarga res = LeProjetoBytes(p, corte, "corte.smp");
                const std::string n = std::to_string(linhasCorte);
                if (!res.ok) {
                    ++falhas;
                    // Past the end, or on the last line, cut inside a value.
                    const bool fim =
                        res.erro.find(ingles ? "the file ends before line" : "o arquivo termina antes da linha") !=
                        std::string::npos;
                    const bool ultima =
                        res.erro.find((ingles ? ", line " : ", linha ") + n + ": ") != std::string::npos;
                    EXPECT_TRUE(fim || (ultima && !inteiro)) << linhasCorte << ": " << res.erro;
                    EXPECT_TRUE(res.avisos.empty());
                    continue;
                }
                EXPECT_TRUE(p.salvo);
                if (inteiro) {
                    EXPECT_TRUE(res.avisos.empty()) << res.avisos.front().texto;
                    continue;
                }
                ++avisos;
                ASSERT_EQ(res.avisos.size(), 1u) << linhasCorte;
                EXPECT_EQ(res.avisos[0].linha, static_cast<int>(linhasCorte));
                EXPECT_NE(res.avisos[0].texto.find(ingles ? "\"corte.smp\" ends at line " + n + ","
                                                          : "\"corte.smp\" termina na linha " + n + ","),
                          std::string::npos)
                    << res.avisos[0].texto;
            }
        };
        // The larger example is cut after every fourth line, and after every
        // line of its comment blocks, which no strict value follows.
        const bool exemplo = &bytes != &exemplos[0];
        const std::size_t comentarios = Indice(linhas, "<INICIO_COMENTARIOS>");
        for (std::size_t n = 0; n <= linhas.size(); ++n) {
            if (exemplo && n % 4 != 0 && n < comentarios) continue;
            const std::vector<std::string> corte(linhas.begin(), linhas.begin() + static_cast<long>(n));
            confere(JuntaLinhas(corte), n, n == linhas.size());
        }
        // Cuts inside lines: the part of the line read counts as the last line.
        for (std::size_t b = 1; b < bytes.size(); b += 89) {
            if (bytes[b - 1] == '\n') continue;
            const std::string corte = bytes.substr(0, b);
            confere(corte, DivideLinhas(corte).size(), false);
        }
        // The line end of the last line may be missing.
        confere(bytes.substr(0, bytes.size() - 2), linhas.size(), true);
        EXPECT_GT(falhas, 0);
        EXPECT_GT(avisos, 0);
    }
}

// The warning reaches the observer after the progress and before the diagram
// is redrawn; the load is a success and the project holds what was read.
TEST(Carga, AFileThatEndsEarlyWarnsThroughTheObserverAndStillLoads) {
    std::vector<std::string> l = teste::LinhasFixture("completo.smp");
    const std::size_t fim = Indice(l, "<FIM_COMENTARIOS>");
    l.resize(fim - 1);
    struct ComAviso : Registro {
        void AoAviso(const AvisoCarga& a) override { eventos.push_back("aviso " + std::to_string(a.linha)); }
    } obs;
    Projeto p;
    const ResultadoCarga res = Carrega(p, l, "x.smp", &obs);
    ASSERT_TRUE(res.ok) << res.erro;
    EXPECT_TRUE(res.erro.empty());
    ASSERT_EQ(res.avisos.size(), 1u);
    EXPECT_EQ(res.avisos[0].texto,
              "\"x.smp\" termina na linha " + std::to_string(fim - 1) +
                  ", antes do fim do projeto: o que falta foi lido como vazio. Salvar o projeto substituiria o "
                  "arquivo pelo que foi lido.");
    const std::vector<std::string> fimEventos(obs.eventos.end() - 4, obs.eventos.end());
    EXPECT_EQ(fimEventos, (std::vector<std::string>{"100", "aviso " + std::to_string(fim - 1), "diagrama", "fim ok"}));
    EXPECT_EQ(p.comentarios.size(), 3u);
    EXPECT_TRUE(p.salvo);
}

// Values that the model never holds, read from a file, are brought back into
// the range it keeps them in; values it may hold are taken as they are.
TEST(Carga, SavedValuesTheModelNeverHoldsAreBroughtIntoItsRange) {
    const std::vector<std::string> base = teste::LinhasFixture("completo.smp");
    const std::size_t lin = Indice(base, "=====<<<LINEARIZADOR>>>=====)");
    struct Caso {
        std::vector<std::pair<std::string, std::string>> trocas;
        // Lines counted back from the linearizer's marker: the values of
        // switches 1 and 2 (23, 18) and of buttons 1..3 (11, 6, 1).
        std::vector<std::pair<std::size_t, std::string>> linhas;
        std::function<void(const Projeto&)> confere;
    };
    const Caso casos[] = {
        // SP and PV are kept within 0..100 by every step; MV within what the
        // faceplate takes (0..100) or the output limits.
        {{{"{C01/28} 50.00", "{C01/28} 1e308"},
          {"{C01/29} 46.75", "{C01/29} -1e308"},
          {"{C01/25} PVant:49.50", "{C01/25} PVant:250"}},
         {},
         [](const Projeto& p) {
             EXPECT_EQ(p.controlador(1)->estado.SP, 100);
             EXPECT_EQ(p.controlador(1)->estado.MV, 0);
             EXPECT_EQ(p.controlador(1)->estado.PVant, 100);
             EXPECT_EQ(p.sim.mem[1], 0);
         }},
        {{{"{C10/09} COmim:5", "{C10/09} COmim:-20"},
          {"{C10/10} COMax:95", "{C10/10} COMax:120"},
          {"{C10/29} 33.40", "{C10/29} 130"}},
         {},
         [](const Projeto& p) { EXPECT_EQ(p.controlador(10)->estado.MV, 120); }},
        {{{"{C10/09} COmim:5", "{C10/09} COmim:-20"}, {"{C10/29} 33.40", "{C10/29} -15.5"}},
         {},
         [](const Projeto& p) { EXPECT_EQ(p.controlador(10)->estado.MV, -15.5) << "a split range's low end"; }},
        {{{"{C10/29} 33.40", "{C10/29} 2.5"}, {"{C10/25} PVant:61.30", "{C10/25} PVant:0.25"}},
         {},
         [](const Projeto& p) {
             EXPECT_EQ(p.controlador(10)->estado.MV, 2.5) << "below COmin, as a manual output may be";
             EXPECT_EQ(p.controlador(10)->estado.PVant, 0.25);
         }},
        {{{"{C10/10} COMax:95", "{C10/10} COMax:x"}, {"{C10/29} 33.40", "{C10/29} 140"}},
         {},
         [](const Projeto& p) { EXPECT_EQ(p.controlador(10)->estado.MV, 100) << "limits that do not convert"; }},
        // Tracks hold 0..100 %; switches and buttons 0 or 1.
        {{{" 2.50000000000000E+0001", " 1.00000000000000E+0308"}, {" 3.33333333333333E-0001", "-1"}},
         {{23, "7"}, {18, "1"}, {11, "0.5"}, {6, "1"}, {1, "-3"}},
         [](const Projeto& p) {
             EXPECT_EQ(p.sim.mem[15], 100);
             EXPECT_EQ(p.sim.mem[18], 0);
             EXPECT_EQ(p.sim.mem[17], 12.3456789012345);
             EXPECT_EQ(p.sim.mem[11], 0);
             EXPECT_EQ(p.sim.mem[12], 1);
             EXPECT_EQ(p.sim.mem[97], 0);
             EXPECT_EQ(p.sim.mem[98], 1);
             EXPECT_EQ(p.sim.mem[99], 0);
         }},
    };
    for (const auto& c : casos) {
        std::vector<std::string> l = base;
        for (const auto& [antes, depois] : c.trocas) l = Troca(l, antes, depois);
        for (const auto& [atras, valor] : c.linhas) l[lin - atras] = valor;
        Projeto p;
        const ResultadoCarga res = Carrega(p, l);
        ASSERT_TRUE(res.ok) << res.erro;
        c.confere(p);
    }
}

TEST(CargaComErro, GarbageHugeLinesAndMarkerOnlyFilesDoNotBreakTheLoader) {
    std::mt19937 gerador(4);
    std::string lixo(200000, '\0');
    for (char& c : lixo) c = static_cast<char>(gerador());
    std::string marcadores;
    for (const char* m : {"<<<Unidades Engenharia>>>", "<<Tracks>>", "<Controls>", "<Process>", "<Blocs>",
                          "<Registers>", "<Textos Animados>", "=====<<<COORDENADAS>>>=====",
                          "=====<<<REGISTRADOR XY>>>=====", "<Parametros>", "=====<<<LINEARIZADOR>>>=====)",
                          "<INICIO_COMENTARIOS>", "<FIM_COMENTARIOS>", "<BEGIN_COMMENTS>", "<END_COMMENTS>"})
        marcadores += std::string(m) + "\r\n";
    std::string todosVerdadeiros;
    for (int i = 0; i < 2000; ++i) todosVerdadeiros += "True\r\n";
    const std::string fixture = teste::LeFixture("completo.smp");
    std::string linhaEnorme = fixture;
    linhaEnorme.insert(fixture.find("{C01/03} Kc:0.8") + 15, std::string(4 << 20, '9'));
    const std::string parenteses = [&] {
        std::string f = fixture;
        f.insert(f.find("{B41/03} Funcao:") + 16, std::string(100000, '('));
        return f;
    }();

    const std::string casos[] = {"", "\x1A", "\r\r\r", lixo, marcadores, todosVerdadeiros, linhaEnorme, parenteses};
    for (const auto& bytes : casos) {
        Projeto p;
        const ResultadoCarga res = LeProjetoBytes(p, bytes, "estranho.smp");
        EXPECT_TRUE(res.ok || !res.erro.empty());
        if (res.ok) LinhasProjeto(p);
    }
    Projeto p;
    EXPECT_TRUE(LeProjetoBytes(p, linhaEnorme, "x.smp").ok);
    EXPECT_EQ(p.controlador(1)->KpText.size(), 3u + (4u << 20));
}

TEST(Projeto, LimpaProjetoReturnsTheProjectToItsInitialSettings) {
    for (const bool ingles : {false, true}) {
        Projeto p(ingles);
        ASSERT_TRUE(Carrega(p, teste::LinhasFixture("completo.smp")).ok);
        p.sim.mem[101] = 7;
        p.sim.mem.setDescricao(110, "mantida");
        p.LimpaProjeto();

        const Projeto novo(ingles);
        for (int n = 1; n <= 10; ++n) EXPECT_FALSE(p.sim.controladores.ativo(n) || p.sim.registradores.ativo(n));
        for (int n = 1; n <= 24; ++n) EXPECT_FALSE(p.sim.processos.ativo(n) || p.sim.blocos.ativo(n));
        for (int n = 1; n <= 20; ++n) EXPECT_FALSE(p.sim.textos.ativo(n));
        EXPECT_EQ(p.titulo, "");
        EXPECT_EQ(p.imagem, "");
        EXPECT_TRUE(p.comentarios.empty());
        EXPECT_EQ(p.sim.mem[21], 0.0);
        EXPECT_EQ(p.sim.mem[11], 0.0);
        EXPECT_EQ(p.sim.mem.entrada(21).unidade, "%");
        EXPECT_EQ(p.sim.mem.entrada(21).ueMin, "0.00");
        EXPECT_EQ(p.sim.mem.entrada(15).descricao, "Track 1");
        EXPECT_EQ(p.sim.mem[101], 7.0);
        EXPECT_EQ(p.sim.mem.entrada(110).descricao, "mantida");
        EXPECT_EQ(p.geradores.linha(81).Tipo, 0);
        EXPECT_EQ(p.geradores.linha(81).Valor, "Valor");
        EXPECT_FALSE(p.sim.linearizadorAtivo);
        EXPECT_EQ(p.linearizador.Lin1PV, novo.linearizador.Lin1PV);
        EXPECT_EQ(p.botoes[0].textoZero, ingles ? "Text when M97=0" : "Texto para M97=0");
        EXPECT_EQ(p.botoes[2].descricao, novo.botoes[2].descricao);
        EXPECT_EQ(p.tracks[0].rotulo, "");
        EXPECT_EQ(p.tracks[2].topo, novo.tracks[2].topo);
        EXPECT_EQ(p.formas[1].cor1, kCorVermelho);
        EXPECT_EQ(p.chaves[0].esquerda, novo.chaves[0].esquerda);
        EXPECT_EQ(p.marcadores.controladores[9].esquerda, 3 + 40 * 9);
        EXPECT_EQ(p.marcadores.controladores[9].legenda, "");
    }
}

}  // namespace
}  // namespace kivo
