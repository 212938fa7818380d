// The loader's order, its end-of-load state, what a failed load leaves, and
// inputs that must not break it.
#include <gtest/gtest.h>

#include <random>
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

// Every way of cutting the fixture short either loads or stops with a
// message; none may crash, and a cut that falls on a strict line says the
// file ends there.
TEST(CargaComErro, EveryTruncationOfAValidFileLoadsOrFailsCleanly) {
    const std::string bytes = teste::LeFixture("completo.smp");
    const std::vector<std::string> linhas = DivideLinhas(bytes);
    int falhas = 0;
    for (std::size_t n = 0; n <= linhas.size(); ++n) {
        Projeto p;
        const std::vector<std::string> corte(linhas.begin(), linhas.begin() + static_cast<long>(n));
        const ResultadoCarga res = Carrega(p, corte);
        if (!res.ok) {
            ++falhas;
            EXPECT_NE(res.erro.find("o arquivo termina antes da linha"), std::string::npos) << n << ": " << res.erro;
        }
    }
    EXPECT_GT(falhas, 0);
    for (std::size_t n = 0; n < bytes.size(); n += 97) {
        Projeto p;
        const ResultadoCarga res = LeProjetoBytes(p, bytes.substr(0, n), "corte.smp");
        EXPECT_TRUE(res.ok || !res.erro.empty());
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
