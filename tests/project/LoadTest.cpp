// The loader's order, its end-of-load state, what a failed load leaves, and
// inputs that must not break it.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <utility>
#include <string>
#include <vector>

#include "Helpers.h"

namespace kivo {
namespace {

using test::Load;
using test::Index;
using test::ReplaceLine;

// Writes down every call, in order.
class EventLog : public LoadObserver {
public:
    std::vector<std::string> events;
    void OnStart() override { events.push_back("inicio"); }
    void OnProgress(int p) override { events.push_back(std::to_string(p)); }
    void OnMessage(const std::string& m) override { events.push_back("msg " + m); }
    void OnUpdateVariableList() override { events.push_back("lista"); }
    void OnApplyRecorder(int n) override { events.push_back("registrador " + std::to_string(n)); }
    void OnApplyText(int n) override { events.push_back("texto " + std::to_string(n)); }
    void OnUpdateDiagram() override { events.push_back("diagrama"); }
    void OnFinish(bool ok) override { events.push_back(ok ? "fim ok" : "fim erro"); }
};

TEST(Load, StepsMessagesAndEndStateComeInTheLoadersOrder) {
    std::vector<std::string> l = test::FixtureLines("complete.smp");
    l = ReplaceLine(l, "{P21/09} Ganho:1.2", "{P21/09} Ganho:dois");
    l = ReplaceLine(l, "{C01/03} Kc:0.8", "{C01/03} Kc:abc");
    l = ReplaceLine(l, "{C10/10} COMax:95", "{C10/10} COMax:");
    l = ReplaceLine(l, "{B41/03} Funcao:M21*1.1>M71", "{B41/03} Funcao:M21>abc");
    Project p;
    p.saved = false;
    std::vector<std::string> outsideLoad;
    p.messageSink = [&](const std::string& m) { outsideLoad.push_back(m); };
    EventLog obs;
    const LoadResult res = Load(p, l, "x.smp", &obs);
    ASSERT_TRUE(res.ok) << res.error;

    const std::vector<std::string> messages = {
        "Controlador 1: Kp inválido",
        "Controlador 10: COmax inválido",
        "Processo 21: Ganho inválido",
        "Bloco 41: Função inválida",
    };
    EXPECT_EQ(res.messages, messages);
    const std::vector<std::string> events = {
        "inicio", "5", "lista", "10", "msg " + messages[0], "msg " + messages[1], "25", "msg " + messages[2],
        "45", "msg " + messages[3], "60", "registrador 2", "70", "texto 1", "texto 20", "85", "90", "95", "100",
        "diagrama", "fim ok",
    };
    EXPECT_EQ(obs.events, events);
    EXPECT_TRUE(p.saved);
    EXPECT_TRUE(outsideLoad.empty());
    // After the load the objects report to the project's own sink.
    p.controller(1)->ValidateParameters(true);
    EXPECT_EQ(outsideLoad, std::vector<std::string>{messages[0]});
}

TEST(Load, MarkerCaptionsBecomeTheTagsAndThePictureIsLookedForByKind) {
    std::vector<std::string> l = test::FixtureLines("complete.smp");
    const std::size_t coord = Index(l, "=====<<<COORDENADAS>>>=====");
    l[coord + 1] = "legenda antiga";
    for (const bool example : {false, true}) {
        Project p;
        LoadOptions op;
        op.example = example;
        const LoadResult res = ReadProjectBytes(p, JoinLines(l), "exemplos/forno/forno.smp", op);
        ASSERT_TRUE(res.ok);
        EXPECT_EQ(p.markers.controllers[0].caption, "FIC-101");
        EXPECT_EQ(res.imagePath, example ? "exemplos/forno/planta.bmp" : "planta.bmp");
    }
}

// The loader adds to the project: objects the file does not mention stay,
// and only the slots the file flags have their records read.
TEST(Load, ALoadAddsToTheProjectAndReadsOnlyTheRecordsTheFileFlags) {
    Project p;
    p.CreateController(2).TagText = "JA EXISTE";
    p.CreateProcess(5).TagText = "P5";
    p.markers.controllers[1].top = 123;
    p.sim.mem[105] = 42;
    const std::vector<std::string> l = test::FixtureLines("complete.smp");
    const LoadResult res = Load(p, l);
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_EQ(p.controller(1)->TagText, "FIC-101");
    EXPECT_EQ(p.controller(10)->TagText, "TIC-110");
    EXPECT_EQ(p.controller(10)->state.MV, 33.4);
    EXPECT_EQ(p.controller(2)->TagText, "JA EXISTE");
    EXPECT_EQ(p.process(5)->TagText, "P5");
    EXPECT_EQ(p.process(21)->TagText, "TT-110");
    EXPECT_EQ(p.markers.controllers[1].top, 123);
    EXPECT_EQ(p.markers.texts[19].top, 300);
    EXPECT_EQ(p.sim.mem[105], 42.0);
}

// What the blocks, the linearizer and the generators write is in the memory
// before the first tick, as at rest: a block reading the linearizer, which
// runs after the blocks, sees its output too; a medium random noise
// continues from its saved value.
TEST(Load, BlocksLinearizerAndNoiseStartAtRest) {
    Project a;
    Controller& c = a.CreateController(1);
    c.state.MV = 30;
    a.CreateBlock(1).FunctionText = "M13*2";
    a.CreateBlock(2).FunctionText = "M01+1";
    // An integral typed as a formula never comes to rest: the load must end.
    a.CreateBlock(3).FunctionText = "M43+1";
    a.linearizer.Lin1InputAddress = "42 bloco";
    a.linearizer.SetLin1Enabled(true);
    GeneratorRow& g = a.generators.line(81);
    g.Kind = GeneratorRow::MediumRandom;
    g.Desc = "20";
    g.Min = "30";
    g.Max = "70";
    g.Value = "52.5";

    Project b;
    const LoadResult res = Load(b, ProjectLines(a));
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_EQ(b.sim.mem[42], 31);
    EXPECT_EQ(b.sim.mem[13], 31);
    EXPECT_EQ(b.sim.mem[41], 62);
    EXPECT_GT(b.sim.mem[43], 0);
    EXPECT_EQ(b.generators.line(81).y, 52.5);
    EXPECT_EQ(b.generators.line(81).target, 52.5);
}

TEST(LoadWithError, AMalformedValueStopsTheLoadNamesItAndLeavesTheProjectAsItWas) {
    const std::vector<std::string> base = test::FixtureLines("complete.smp");
    // The line replaced is the one the message must name.
    struct Case {
        std::string before;
        std::string after;
        const char* text;
    } cases[] = {
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
    for (const auto& c : cases) {
        std::vector<std::string> l = ReplaceLine(base, c.before, c.after);
        const std::size_t line = Index(l, c.after) + 1;

        Project p;
        ASSERT_TRUE(Load(p, base).ok);
        p.title = "antes";
        p.saved = false;
        const std::vector<std::string> before = ProjectLines(p);
        EventLog obs;
        const LoadResult res = Load(p, l, "bad.smp", &obs);
        EXPECT_FALSE(res.ok) << c.after;
        EXPECT_NE(res.error.find("\"bad.smp\", linha " + std::to_string(line) + ":"), std::string::npos) << res.error;
        Project q(true);
        const std::string english = Load(q, l, "bad.smp").error;
        EXPECT_NE(english.find("line " + std::to_string(line) + ": " + c.text), std::string::npos) << english;
        EXPECT_EQ(ProjectLines(p), before) << c.after;
        EXPECT_FALSE(p.saved);
        EXPECT_TRUE(res.messages.empty());
        EXPECT_EQ(obs.events, (std::vector<std::string>{"inicio", "fim erro"}));
    }
}

TEST(LoadWithError, AMissingFileIsReportedWithItsName) {
    Project p;
    const LoadResult res = ReadProject(p, "/nao/existe/planta.smp");
    EXPECT_FALSE(res.ok);
    EXPECT_NE(res.error.find("Não foi possível abrir \"/nao/existe/planta.smp\""), std::string::npos) << res.error;
}

// Every way of cutting a file short either stops with a message saying where
// the file ends (or that its last line, cut inside a value, is malformed) or
// loads with one warning naming the file's last line, in either language;
// only the whole file loads without a warning. The fixture and an example
// with comments in both languages are cut after lines and inside lines.
TEST(LoadWithError, EveryTruncationOfAValidFileFailsOrWarnsWhereTheFileEnds) {
    const std::string examples[] = {test::ReadFixture("complete.smp"), test::ReadExample("boiler/boiler.smp")};
    for (const std::string& bytes : examples) {
        const std::vector<std::string> lines = SplitLines(bytes);
        int failures = 0;
        int warnings = 0;
        auto check = [&](const std::string& cut, std::size_t cutLines, bool integer) {
            for (const bool english : {false, true}) {
                Project p(english);
                const LoadResult res = ReadProjectBytes(p, cut, "corte.smp");
                const std::string n = std::to_string(cutLines);
                if (!res.ok) {
                    ++failures;
                    // Past the end, or on the last line, cut inside a value.
                    const bool end =
                        res.error.find(english ? "the file ends before line" : "o arquivo termina antes da linha") !=
                        std::string::npos;
                    const bool last =
                        res.error.find((english ? ", line " : ", linha ") + n + ": ") != std::string::npos;
                    EXPECT_TRUE(end || (last && !integer)) << cutLines << ": " << res.error;
                    EXPECT_TRUE(res.warnings.empty());
                    continue;
                }
                EXPECT_TRUE(p.saved);
                if (integer) {
                    EXPECT_TRUE(res.warnings.empty()) << res.warnings.front().text;
                    continue;
                }
                ++warnings;
                ASSERT_EQ(res.warnings.size(), 1u) << cutLines;
                EXPECT_EQ(res.warnings[0].line, static_cast<int>(cutLines));
                EXPECT_NE(res.warnings[0].text.find(english ? "\"corte.smp\" ends at line " + n + ","
                                                          : "\"corte.smp\" termina na linha " + n + ","),
                          std::string::npos)
                    << res.warnings[0].text;
            }
        };
        // The larger example is cut after every fourth line, and after every
        // line of its comment blocks, which no strict value follows.
        const bool example = &bytes != &examples[0];
        const std::size_t comments = Index(lines, "<INICIO_COMENTARIOS>");
        for (std::size_t n = 0; n <= lines.size(); ++n) {
            if (example && n % 4 != 0 && n < comments) continue;
            const std::vector<std::string> cut(lines.begin(), lines.begin() + static_cast<long>(n));
            check(JoinLines(cut), n, n == lines.size());
        }
        // Cuts inside lines: the part of the line read counts as the last line.
        for (std::size_t b = 1; b < bytes.size(); b += 89) {
            if (bytes[b - 1] == '\n') continue;
            const std::string cut = bytes.substr(0, b);
            check(cut, SplitLines(cut).size(), false);
        }
        // The line end of the last line may be missing.
        check(bytes.substr(0, bytes.size() - 2), lines.size(), true);
        EXPECT_GT(failures, 0);
        EXPECT_GT(warnings, 0);
    }
}

// The warning reaches the observer after the progress and before the diagram
// is redrawn; the load is a success and the project holds what was read.
TEST(Load, AFileThatEndsEarlyWarnsThroughTheObserverAndStillLoads) {
    std::vector<std::string> l = test::FixtureLines("complete.smp");
    const std::size_t end = Index(l, "<FIM_COMENTARIOS>");
    l.resize(end - 1);
    struct WithWarning : EventLog {
        void OnWarning(const LoadWarning& a) override { events.push_back("aviso " + std::to_string(a.line)); }
    } obs;
    Project p;
    const LoadResult res = Load(p, l, "x.smp", &obs);
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_TRUE(res.error.empty());
    ASSERT_EQ(res.warnings.size(), 1u);
    EXPECT_EQ(res.warnings[0].text,
              "\"x.smp\" termina na linha " + std::to_string(end - 1) +
                  ", antes do fim do projeto: o que falta foi lido como vazio. Salvar o projeto substituiria o "
                  "arquivo pelo que foi lido.");
    const std::vector<std::string> lastEvents(obs.events.end() - 4, obs.events.end());
    EXPECT_EQ(lastEvents, (std::vector<std::string>{"100", "aviso " + std::to_string(end - 1), "diagrama", "fim ok"}));
    EXPECT_EQ(p.comments.size(), 3u);
    EXPECT_TRUE(p.saved);
}

// Values that the model never holds, read from a file, are brought back into
// the range it keeps them in; values it may hold are taken as they are.
TEST(Load, SavedValuesTheModelNeverHoldsAreBroughtIntoItsRange) {
    const std::vector<std::string> base = test::FixtureLines("complete.smp");
    const std::size_t lin = Index(base, "=====<<<LINEARIZADOR>>>=====)");
    struct Case {
        std::vector<std::pair<std::string, std::string>> replacements;
        // Lines counted back from the linearizer's marker: the values of
        // switches 1 and 2 (23, 18) and of buttons 1..3 (11, 6, 1).
        std::vector<std::pair<std::size_t, std::string>> lines;
        std::function<void(const Project&)> check;
    };
    const Case cases[] = {
        // SP and PV are kept within 0..100 by every step; MV within what the
        // faceplate takes (0..100) or the output limits.
        {{{"{C01/28} 50.00", "{C01/28} 1e308"},
          {"{C01/29} 46.75", "{C01/29} -1e308"},
          {"{C01/25} PVant:49.50", "{C01/25} PVant:250"}},
         {},
         [](const Project& p) {
             EXPECT_EQ(p.controller(1)->state.SP, 100);
             EXPECT_EQ(p.controller(1)->state.MV, 0);
             EXPECT_EQ(p.controller(1)->state.PrevPV, 100);
             EXPECT_EQ(p.sim.mem[1], 0);
         }},
        {{{"{C10/09} COmim:5", "{C10/09} COmim:-20"},
          {"{C10/10} COMax:95", "{C10/10} COMax:120"},
          {"{C10/29} 33.40", "{C10/29} 130"}},
         {},
         [](const Project& p) { EXPECT_EQ(p.controller(10)->state.MV, 120); }},
        {{{"{C10/09} COmim:5", "{C10/09} COmim:-20"}, {"{C10/29} 33.40", "{C10/29} -15.5"}},
         {},
         [](const Project& p) { EXPECT_EQ(p.controller(10)->state.MV, -15.5) << "a split range's low end"; }},
        {{{"{C10/29} 33.40", "{C10/29} 2.5"}, {"{C10/25} PVant:61.30", "{C10/25} PVant:0.25"}},
         {},
         [](const Project& p) {
             EXPECT_EQ(p.controller(10)->state.MV, 2.5) << "below COmin, as a manual output may be";
             EXPECT_EQ(p.controller(10)->state.PrevPV, 0.25);
         }},
        {{{"{C10/10} COMax:95", "{C10/10} COMax:x"}, {"{C10/29} 33.40", "{C10/29} 140"}},
         {},
         [](const Project& p) { EXPECT_EQ(p.controller(10)->state.MV, 100) << "limits that do not convert"; }},
        // Tracks hold 0..100 %; switches and buttons 0 or 1.
        {{{" 2.50000000000000E+0001", " 1.00000000000000E+0308"}, {" 3.33333333333333E-0001", "-1"}},
         {{23, "7"}, {18, "1"}, {11, "0.5"}, {6, "1"}, {1, "-3"}},
         [](const Project& p) {
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
    for (const auto& c : cases) {
        std::vector<std::string> l = base;
        for (const auto& [before, after] : c.replacements) l = ReplaceLine(l, before, after);
        for (const auto& [back, value] : c.lines) l[lin - back] = value;
        Project p;
        const LoadResult res = Load(p, l);
        ASSERT_TRUE(res.ok) << res.error;
        c.check(p);
    }
}

TEST(LoadWithError, GarbageHugeLinesAndMarkerOnlyFilesDoNotBreakTheLoader) {
    std::mt19937 generator(4);
    std::string garbage(200000, '\0');
    for (char& c : garbage) c = static_cast<char>(generator());
    std::string markers;
    for (const char* m : {"<<<Unidades Engenharia>>>", "<<Tracks>>", "<Controls>", "<Process>", "<Blocs>",
                          "<Registers>", "<Textos Animados>", "=====<<<COORDENADAS>>>=====",
                          "=====<<<REGISTRADOR XY>>>=====", "<Parametros>", "=====<<<LINEARIZADOR>>>=====)",
                          "<INICIO_COMENTARIOS>", "<FIM_COMENTARIOS>", "<BEGIN_COMMENTS>", "<END_COMMENTS>"})
        markers += std::string(m) + "\r\n";
    std::string allTrue;
    for (int i = 0; i < 2000; ++i) allTrue += "True\r\n";
    const std::string fixture = test::ReadFixture("complete.smp");
    std::string hugeLine = fixture;
    hugeLine.insert(fixture.find("{C01/03} Kc:0.8") + 15, std::string(4 << 20, '9'));
    const std::string parentheses = [&] {
        std::string f = fixture;
        f.insert(f.find("{B41/03} Funcao:") + 16, std::string(100000, '('));
        return f;
    }();

    const std::string cases[] = {"", "\x1A", "\r\r\r", garbage, markers, allTrue, hugeLine, parentheses};
    for (const auto& bytes : cases) {
        Project p;
        const LoadResult res = ReadProjectBytes(p, bytes, "estranho.smp");
        EXPECT_TRUE(res.ok || !res.error.empty());
        if (res.ok) ProjectLines(p);
    }
    Project p;
    EXPECT_TRUE(ReadProjectBytes(p, hugeLine, "x.smp").ok);
    EXPECT_EQ(p.controller(1)->KpText.size(), 3u + (4u << 20));
}

TEST(Project, ClearProjectReturnsTheProjectToItsInitialSettings) {
    for (const bool english : {false, true}) {
        Project p(english);
        ASSERT_TRUE(Load(p, test::FixtureLines("complete.smp")).ok);
        p.sim.mem[101] = 7;
        p.sim.mem.setDescription(110, "mantida");
        p.ClearProject();

        const Project fresh(english);
        for (int n = 1; n <= 10; ++n) EXPECT_FALSE(p.sim.controllers.active(n) || p.sim.recorders.active(n));
        for (int n = 1; n <= 24; ++n) EXPECT_FALSE(p.sim.processes.active(n) || p.sim.blocks.active(n));
        for (int n = 1; n <= 20; ++n) EXPECT_FALSE(p.sim.texts.active(n));
        EXPECT_EQ(p.title, "");
        EXPECT_EQ(p.image, "");
        EXPECT_TRUE(p.comments.empty());
        EXPECT_EQ(p.sim.mem[21], 0.0);
        EXPECT_EQ(p.sim.mem[11], 0.0);
        EXPECT_EQ(p.sim.mem.entry(21).unit, "%");
        EXPECT_EQ(p.sim.mem.entry(21).euMin, "0.00");
        EXPECT_EQ(p.sim.mem.entry(15).description, "Track 1");
        EXPECT_EQ(p.sim.mem[101], 7.0);
        EXPECT_EQ(p.sim.mem.entry(110).description, "mantida");
        EXPECT_EQ(p.generators.line(81).Kind, 0);
        EXPECT_EQ(p.generators.line(81).Value, "Valor");
        EXPECT_FALSE(p.sim.linearizerActive);
        EXPECT_EQ(p.linearizer.Lin1PV, fresh.linearizer.Lin1PV);
        EXPECT_EQ(p.buttons[0].zeroText, english ? "Text when M97=0" : "Texto para M97=0");
        EXPECT_EQ(p.buttons[2].description, fresh.buttons[2].description);
        EXPECT_EQ(p.tracks[0].label, "");
        EXPECT_EQ(p.tracks[2].top, fresh.tracks[2].top);
        EXPECT_EQ(p.shapes[1].colour1, kColourRed);
        EXPECT_EQ(p.switches[0].left, fresh.switches[0].left);
        EXPECT_EQ(p.markers.controllers[9].left, 3 + 40 * 9);
        EXPECT_EQ(p.markers.controllers[9].caption, "");
    }
}

}  // namespace
}  // namespace kivo
