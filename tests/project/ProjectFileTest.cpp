// The project file read and written back: the fixture, full pools and the
// edge cases of the format.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "Helpers.h"
#include "TempDir.h"
#include "core/NumberText.h"

namespace kivo {
namespace {

using test::Load;
using test::Index;
using test::FixtureLines;
using test::ReplaceLine;

TEST(ProjectFile, HandWrittenFixtureReadsAndWritesBackByteForByte) {
    const std::string bytes = test::ReadFixture("complete.smp");
    Project p;
    const LoadResult res = ReadProjectBytes(p, bytes, "complete.smp");
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_TRUE(res.messages.empty());
    EXPECT_EQ(JoinLines(ProjectLines(p)), bytes);

    EXPECT_EQ(p.title, "Planta de teste: reator com pré-aquecimento");
    EXPECT_EQ(p.image, "planta.bmp");
    EXPECT_EQ(p.sim.mem.entry(21).unit, "m³/h");
    EXPECT_EQ(p.sim.mem.entry(23).lowAlarm, "2,5");
    EXPECT_EQ(p.tracks[2].label, "Temperatura ambiente externa");
    EXPECT_EQ(p.sim.mem.entry(17).description, "Temperatura ambiente externa");
    EXPECT_EQ(p.sim.mem[17], 12.3456789012345);

    const Controller& c10 = *p.controller(10);
    EXPECT_EQ(c10.KpText, "2,5");
    EXPECT_EQ(c10.ScaleStart, "-20");
    EXPECT_EQ(c10.ScaleEnd, "120");
    EXPECT_TRUE(c10.CheckSPR);
    EXPECT_EQ(c10.SPRSelect, 80);
    EXPECT_EQ(c10.BackMV, 1);
    EXPECT_FALSE(c10.state.localMode);
    EXPECT_EQ(c10.state.SP, 62.05);
    EXPECT_EQ(c10.state.MV, 33.4);

    const Process& p71 = *p.process(21);
    EXPECT_EQ(p71.number(), 71);
    EXPECT_EQ(p71.NCText, "3");
    EXPECT_EQ(p71.PeriodText, "20");
    // The state the record does not hold is set at rest: the whole
    // dead-time buffer at "Y0old:", the actuator chain on "X0:" through the
    // equal-percentage curve.
    const Process& p21 = *p.process(1);
    EXPECT_EQ(p21.state.buffer[1], 41.25);
    EXPECT_EQ(p21.state.buffer[10000], 41.25);
    EXPECT_EQ(p21.state.h, 46.75);
    EXPECT_EQ(p21.state.hr, 46.75 + 0.5);
    EXPECT_EQ(p21.state.r, 46.75);
    EXPECT_DOUBLE_EQ(p21.state.a, (std::exp(46.75 / 40) - 1.0253) * 8.9628);
    EXPECT_EQ(p.block(21)->FunctionText, "(M10-50)*2");

    const RecorderData& r = *p.recorder(2);
    EXPECT_EQ(r.Variable3Select, 124);
    EXPECT_EQ(r.TimeBaseBox, 1);
    EXPECT_EQ(p.text(20)->FunctionText, "Desligada/Ligada");

    EXPECT_EQ(p.generators.line(87).y, 47.5);
    EXPECT_EQ(p.generators.line(85).DigitalValue, 1);
    EXPECT_EQ(p.sim.mem[85], 1.0);
    EXPECT_EQ(p.sim.mem[91], 45.0);
    EXPECT_EQ(p.shapes[1].colour1, 0x000080FFu);
    EXPECT_EQ(p.shapes[1].colour2, 0xFF00000Fu);
    EXPECT_EQ(p.shapes[2].colour1, kColourNone);
    EXPECT_EQ(p.switches[0].orientation, 2);
    EXPECT_EQ(p.sim.mem[11], 1.0);
    EXPECT_EQ(p.sim.mem[97], 1.0);
    EXPECT_EQ(p.buttons[1].description, "Válvula XV");
    EXPECT_TRUE(p.sim.linearizerActive);
    EXPECT_EQ(p.linearizer.Lin1PV[1], "35");
    EXPECT_TRUE(p.commentsVisible);
    ASSERT_EQ(p.comments.size(), 4u);
    EXPECT_EQ(p.comments[2], "");
    EXPECT_EQ(p.markers.controllers[9].top, 210);
    EXPECT_EQ(p.markers.controllers[9].left, 300);
    EXPECT_EQ(p.markers.processes[20].left, 340);
    EXPECT_FALSE(p.markers.processes[20].shown);
    EXPECT_EQ(p.markers.texts[19].top, 300);
}

// Distinct settings in every slot of every family and in every widget.
void FillEverything(Project& p) {
    p.title = "Todas as vagas";
    p.image = "tudo.bmp";
    for (int k = 15; k <= 96; ++k) p.sim.mem.setUnit(k, "u" + std::to_string(k));
    for (int n = 1; n <= 10; ++n) {
        Controller& c = p.CreateController(n);
        c.TagText = "C" + std::to_string(n);
        c.KpText = std::to_string(n) + ".5";
        c.VariableSelect = 20 + n;
        c.state.SP = n * 1.25;
        c.state.MV = 100 - 7.5 * n;
        c.state.autoMode = n % 2 == 0;
        RecorderData& r = p.CreateRecorder(n);
        r.TagText = "R" + std::to_string(n);
        r.Variable2Select = 124;
        r.TimeBaseBox = n % 3;
        p.markers.controllers[n - 1] = Marker{c.TagText, n * 7, n * 11, n % 2 == 0};
        p.markers.recorders[n - 1] = Marker{r.TagText, n * 13, n * 17, true};
    }
    for (int n = 1; n <= 24; ++n) {
        Process& pr = p.CreateProcess(n);
        pr.TagText = "P" + std::to_string(n);
        pr.TransferFunctionKind = n % 4;
        pr.state.Y2 = n + 0.25;
        pr.state.IntAc2 = -n;
        Block& b = p.CreateBlock(n);
        b.TagText = "B" + std::to_string(n);
        b.FunctionText = "M21*" + std::to_string(n);
        b.LowerLimitCheck = n % 2 == 1;
        p.markers.processes[n - 1] = Marker{pr.TagText, n, 2 * n, true};
        p.markers.blocks[n - 1] = Marker{b.TagText, 3 * n, 4 * n, false};
    }
    for (int n = 1; n <= 20; ++n) {
        TextData& t = p.CreateText(n);
        t.DescriptionText = "T" + std::to_string(n);
        t.Kind = n % 3;
        t.VariableSelect = n + 100;
        t.DecimalPlaces = n % 6;
        p.markers.texts[n - 1] = Marker{"", 5 * n, 6 * n, n % 3 == 0};
    }
    for (int g = 81; g <= 96; ++g) {
        GeneratorRow& l = p.generators.line(g);
        l.Kind = g <= 85 ? (g - 81) + 5 : (g <= 90 ? g - 86 : (g % 2));
        l.Desc = "G" + std::to_string(g);
        l.Min = "1";
        l.Max = "9";
        l.Value = l.Kind == GeneratorRow::Constant01 ? "1" : "3";
        l.DigitalValue = 1;
    }
    for (int n = 0; n < Project::kTracks; ++n) {
        p.tracks[n] = Track{n % 2 == 0, "Track longo número " + std::to_string(n), 10 * n, 20 * n, n != 3};
        p.sim.mem[15 + n] = n / 7.0;
    }
    for (int k = 0; k < Project::kShapes; ++k) p.shapes[k] = Shape{k, 2 * k, true, k % 2, k * 9, 10 * k, 300 - k, 0x010203u * k, kColourDefault};
    p.switches[1] = Switch{7, 8, true, 3};
    p.sim.mem[12] = 1;
    p.panel = CommandPanel{33, 44};
    p.buttons[2] = Button{true, "zero", "um", "botão"};
    p.sim.mem[99] = 1;
    p.linearizer.Lin1InputAddress = "21 PV";
    p.linearizer.SetLin1Enabled(true);
    p.comments = {"linha 1", "", "linha 3"};
}

TEST(ProjectFile, EverySlotOfEveryFamilyFilledSurvivesARoundTrip) {
    Project a;
    FillEverything(a);
    // As the windows would have done: every object applied once.
    for (int n = 1; n <= 10; ++n) a.controller(n)->ValidateParameters(false);
    for (int n = 1; n <= 24; ++n) a.process(n)->ValidateParameters(false);
    for (int n = 1; n <= 20; ++n) a.text(n)->ValidateParameters();
    a.generators.ApplyParameters();
    a.UpdateCaptions();
    const std::vector<std::string> lines = ProjectLines(a);

    Project b;
    const LoadResult res = Load(b, lines);
    ASSERT_TRUE(res.ok) << res.error;
    EXPECT_EQ(ProjectLines(b), lines);
    for (int n = 1; n <= 10; ++n) EXPECT_NE(b.controller(n), nullptr);
    for (int n = 1; n <= 24; ++n) EXPECT_NE(b.block(n), nullptr);
    for (int n = 1; n <= 20; ++n) EXPECT_NE(b.text(n), nullptr);
    EXPECT_EQ(b.process(24)->number(), 74);
    EXPECT_EQ(b.block(24)->number(), 78);
    EXPECT_EQ(lines[Index(lines, "=====<<<PROCESSO:74>>>=====") + 1], "{P74/01} Tag:P24");
    EXPECT_EQ(lines[Index(lines, "=====<<<CONTROLADOR:02>>>=====") + 1], "{C02/01} Tag:C2");
    EXPECT_NE(Index(lines, "=====<<<REGISTRADOR:210>>>====="), 0u);
    EXPECT_NE(Index(lines, "=====<<<TEXTO ANIMADO:120>>>====="), 0u);
}

TEST(ProjectFile, SectionsAreWrittenInTheirOrderWithTheirLineCounts) {
    Project p;
    p.CreateController(1).TagText = "C";
    p.CreateText(2);
    const std::vector<std::string> l = ProjectLines(p);
    const std::size_t table = Index(l, "<<<Unidades Engenharia>>>");
    EXPECT_EQ(table, 2u);
    EXPECT_EQ(Index(l, "<<Tracks>>"), table + 83);
    EXPECT_EQ(Index(l, "<Controls>"), table + 83 + 37);
    EXPECT_EQ(Index(l, "<Process>"), Index(l, "<Controls>") + 1 + 10 + 30);
    EXPECT_EQ(Index(l, "<Registers>"), Index(l, "<Blocs>") + 1 + 24);
    EXPECT_EQ(Index(l, "=====<<<COORDENADAS>>>====="), Index(l, "<Textos Animados>") + 1 + 20 + 9);
    const std::size_t xy = Index(l, "=====<<<REGISTRADOR XY>>>=====");
    EXPECT_EQ(xy, Index(l, "=====<<<COORDENADAS>>>=====") + 1 + 4 + 3);
    EXPECT_EQ(l[xy + 18], "{X/18} ");
    EXPECT_EQ(Index(l, "vago"), xy + 19);
    const std::size_t generators = Index(l, "<Parametros>");
    EXPECT_EQ(generators, xy + 19 + 3);
    EXPECT_EQ(l[generators + 3], "{P/03} Min.");
    EXPECT_EQ(l[generators + 53], "{P/53} /");
    EXPECT_EQ(Index(l, "=====<<<LINEARIZADOR>>>=====)"), generators + 81 + 45 + 10 + 2 + 15);
    EXPECT_EQ(l.size(), Index(l, "=====<<<LINEARIZADOR>>>=====)") + 15 + 5);
    EXPECT_EQ(l.back(), "<END_COMMENTS>");
    EXPECT_EQ(l[table + 1], "M15:%;0.0;100.00;0.00;100.00;");
}

// A file as the writer makes it, from a project with one controller.
std::vector<std::string> SimpleFile() {
    Project p;
    Controller& c = p.CreateController(1);
    c.TagText = "FIC";
    p.tracks[0].label = "do arquivo";
    p.tracks[0].enabled = true;
    p.tracks[1].enabled = true;
    p.sim.mem.setUnit(30, "bar");
    p.linearizer.SetLin1Enabled(true);
    p.commentsVisible = true;
    return ProjectLines(p);
}

TEST(ProjectFile, VariableTableAndTracksAreOptional) {
    const std::vector<std::string> base = SimpleFile();
    const std::size_t table = Index(base, "<<<Unidades Engenharia>>>");
    const std::size_t tracks = Index(base, "<<Tracks>>");
    const std::size_t controls = Index(base, "<Controls>");

    std::vector<std::string> withoutTable = base;
    withoutTable.erase(withoutTable.begin() + table, withoutTable.begin() + tracks);
    std::vector<std::string> withoutTracks = base;
    withoutTracks.erase(withoutTracks.begin() + tracks, withoutTracks.begin() + controls);
    // Without the tracks, the line in their place is the controllers'
    // marker, whatever it says.
    withoutTracks[tracks] = "<Qualquer coisa>";
    std::vector<std::string> withoutBoth = withoutTable;
    withoutBoth.erase(withoutBoth.begin() + table, withoutBoth.begin() + table + 37);

    struct Case {
        const char* name;
        const std::vector<std::string>& lines;
        bool hasTable;
        bool hasTracks;
    } cases[] = {
        {"sem tabela", withoutTable, false, true},
        {"sem tracks", withoutTracks, true, false},
        {"sem ambos", withoutBoth, false, false},
    };
    for (const auto& c : cases) {
        Project p;
        p.sim.mem.setUnit(30, "antes");
        p.sim.mem.setEuMin(40, "-5");
        p.tracks[0].label = "antes";
        p.tracks[0].top = 77;
        const LoadResult res = Load(p, c.lines);
        ASSERT_TRUE(res.ok) << c.name << ": " << res.error;
        EXPECT_EQ(p.controller(1)->TagText, "FIC") << c.name;
        EXPECT_EQ(p.sim.mem.entry(30).unit, c.hasTable ? "bar" : "%") << c.name;
        EXPECT_EQ(p.sim.mem.entry(40).euMin, c.hasTable ? "0.0" : "0.00") << c.name;
        EXPECT_EQ(p.sim.mem.entry(96).highAlarm, "100.00") << c.name;
        EXPECT_EQ(p.tracks[0].label, c.hasTracks ? "do arquivo" : "antes") << c.name;
        EXPECT_EQ(p.tracks[0].top, c.hasTracks ? 400 : 77) << c.name;
    }
}

TEST(ProjectFile, TableLinesWithEmptyOrMissingFieldsTakeTheDefaults) {
    const std::vector<std::string> base = SimpleFile();
    const std::size_t t = Index(base, "<<<Unidades Engenharia>>>");
    std::vector<std::string> l = base;
    l[t + 1] = "M15:;;;;;";
    l[t + 2] = "M16:sem ponto e vírgula";
    l[t + 3] = "M17:bar;1;;3;";
    l[t + 4] = "M18:kg;5;6;7;8;9;";
    l[t + 5] = "M19";
    l[t + 6] = "M20:" + std::string(300, 'x') + ";1;2;3;4;";
    Project p;
    ASSERT_TRUE(Load(p, l).ok);
    struct Case {
        int k;
        TableEntry e;
    } cases[] = {
        {15, {"", "0.00", "100.00", "0.00", "100.00", ""}},
        {16, {"", "0.00", "100.00", "0.00", "100.00", ""}},
        {17, {"bar", "1", "100.00", "3", "100.00", ""}},
        {18, {"kg", "5", "6", "7", "8", ""}},
        {19, {"", "0.00", "100.00", "0.00", "100.00", ""}},
        {20, {std::string(255, 'x'), "1", "2", "3", "4", ""}},
    };
    for (const auto& c : cases) {
        const TableEntry& e = p.sim.mem.entry(c.k);
        EXPECT_EQ(e.unit, c.e.unit) << c.k;
        EXPECT_EQ(e.euMin, c.e.euMin) << c.k;
        EXPECT_EQ(e.euMax, c.e.euMax) << c.k;
        EXPECT_EQ(e.lowAlarm, c.e.lowAlarm) << c.k;
        EXPECT_EQ(e.highAlarm, c.e.highAlarm) << c.k;
    }
}

TEST(ProjectFile, OnlyTheExactTextOfEachFlagFormIsTrue) {
    std::vector<std::string> l = SimpleFile();
    const std::size_t tracks = Index(l, "<<Tracks>>");
    const std::size_t controls = Index(l, "<Controls>");
    const std::size_t lin = Index(l, "=====<<<LINEARIZADOR>>>=====)");
    l[tracks + 1] = "True";    // track 1 enabled: upper-case form
    l[tracks + 7] = "true";    // track 2 enabled
    l[tracks + 6] = "TRUE ";   // track 1 slider
    l[controls + 2] = "TRUE";  // controller 2: mixed-case form
    l[lin + 2] = "True";       // linearizer enable
    l[lin + 15] = "1";         // comments flag
    Project p;
    ASSERT_TRUE(Load(p, l).ok);
    EXPECT_FALSE(p.tracks[0].enabled);
    EXPECT_FALSE(p.tracks[0].sliderShown);
    EXPECT_FALSE(p.tracks[1].enabled);
    EXPECT_NE(p.controller(1), nullptr);
    EXPECT_EQ(p.controller(2), nullptr);
    EXPECT_FALSE(p.sim.linearizerActive);
    EXPECT_FALSE(p.commentsVisible);
}

TEST(ProjectFile, LanguagePairsShowOneLanguageAndKeepBoth) {
    std::vector<std::string> l = SimpleFile();
    l[0] = "Planta|Plant";
    l = ReplaceLine(l, "{C01/01} Tag:FIC", "{C01/01} Tag:Vazão|Flow");
    const std::size_t tracks = Index(l, "<<Tracks>>");
    l[tracks + 2] = "Carga|Load";
    const std::size_t buttons = Index(l, "=====<<<LINEARIZADOR>>>=====)") - 15;
    l[buttons + 1] = "Desligado|Off";
    l[buttons + 2] = "Ligado";
    const std::size_t generator = Index(l, "<Parametros>") + 2;
    l[generator] = "{P/02} Distúrbio|Disturbance";
    const std::size_t tag = Index(l, "=====<<<CONTROLADOR:01>>>=====") + 1;
    struct Case {
        bool english;
        const char* title;
        const char* tag;
        const char* track;
        const char* button;
        const char* generator;
        // After the title, the tag and the one-language button text are
        // edited to "X" in the language shown.
        const char* editedTitle;
        const char* editedTag;
        const char* editedButton;
    } cases[] = {
        {false, "Planta", "Vazão", "Carga", "Desligado", "Distúrbio", "X|Plant", "X|Flow", "X|Ligado"},
        {true, "Plant", "Flow", "Load", "Off", "Disturbance", "Planta|X", "Vazão|X", "Ligado|X"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.english ? "English" : "Portuguese");
        Project p(c.english);
        ASSERT_TRUE(Load(p, l).ok);
        EXPECT_EQ(p.title, c.title);
        EXPECT_EQ(p.controller(1)->TagText, c.tag);
        EXPECT_EQ(p.tracks[0].label, c.track);
        EXPECT_EQ(p.buttons[0].zeroText, c.button);
        EXPECT_EQ(p.generators.line(81).Desc, c.generator);
        // Saved unchanged, every pair comes back whole (the examples' test
        // checks whole files).
        const std::vector<std::string> unchanged = ProjectLines(p);
        for (std::size_t i : {std::size_t{0}, tag, tracks + 2, buttons + 1, buttons + 2, generator})
            EXPECT_EQ(unchanged[i], l[i]) << "line " << i + 1;

        p.title = p.controller(1)->TagText = p.buttons[0].oneText = "X";
        p.tracks[0].label = "Load";  // the English half typed in Portuguese too
        std::vector<std::string> saved = ProjectLines(p);
        EXPECT_EQ(saved[0], c.editedTitle);
        EXPECT_EQ(saved[tag], std::string("{C01/01} Tag:") + c.editedTag);
        EXPECT_EQ(saved[buttons + 2], c.editedButton);
        EXPECT_EQ(saved[tracks + 2], c.english ? "Carga|Load" : "Load");
        EXPECT_EQ(saved[generator], "{P/02} Distúrbio|Disturbance");

        // A controller made anew in the slot has nothing of the old one's.
        p.CreateController(1).TagText = "TIC";
        EXPECT_EQ(ProjectLines(p)[tag], "{C01/01} Tag:TIC");
    }
}

TEST(ProjectFile, JoiningALanguagePair) {
    struct Case {
        const char *raw, *current;
        bool english;
        const char* expected;
    } cases[] = {
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
    for (const auto& c : cases) EXPECT_EQ(MergePair(c.raw, c.current, c.english), c.expected) << c.raw << " " << c.current;
}

TEST(ProjectFile, CommentsGoToTheBlockOfTheLanguageShown) {
    for (const bool englishOnSave : {false, true}) {
        Project a(englishOnSave);
        a.comments = {"primeira", "", "<BEGIN_COMMENTS>"};
        const std::vector<std::string> l = ProjectLines(a);
        const std::size_t start = Index(l, "<INICIO_COMENTARIOS>");
        const std::size_t portugueseEnd = Index(l, "<FIM_COMENTARIOS>");
        EXPECT_EQ(portugueseEnd - start - 1, englishOnSave ? 0u : 3u);
        EXPECT_EQ(l.size() - portugueseEnd - 3, englishOnSave ? 3u : 0u);
        for (const bool englishOnRead : {false, true}) {
            Project b(englishOnRead);
            ASSERT_TRUE(Load(b, l).ok);
            EXPECT_EQ(b.comments, englishOnRead == englishOnSave ? a.comments : std::vector<std::string>{})
                << englishOnSave << englishOnRead;
        }
    }
}

TEST(ProjectFile, TheOtherLanguagesCommentsAreKept) {
    std::vector<std::string> l = SimpleFile();
    const std::size_t end = Index(l, "<FIM_COMENTARIOS>");
    l.insert(l.begin() + static_cast<std::ptrdiff_t>(end), "Português");
    l.insert(l.end() - 1, "English");
    for (const bool english : {false, true}) {
        Project p(english);
        ASSERT_TRUE(Load(p, l).ok);
        EXPECT_EQ(p.comments, std::vector<std::string>{english ? "English" : "Português"});
        p.comments = {"novo"};
        const std::vector<std::string> saved = ProjectLines(p);
        EXPECT_EQ(saved.size(), l.size());
        EXPECT_EQ(saved[end], english ? "Português" : "novo");
        EXPECT_EQ(saved[saved.size() - 2], english ? "novo" : "English");
    }
}

TEST(ProjectFile, ACommentBlockCutByTheEndOfTheFileEndsThere) {
    Project a;
    const std::vector<std::string> base = ProjectLines(a);
    std::vector<std::string> pt(base.begin(), base.begin() + static_cast<long>(Index(base, "<FIM_COMENTARIOS>")));
    pt.push_back("comentário sem fim");
    std::vector<std::string> en = base;
    en.pop_back();
    en.push_back("english, unterminated");
    struct Case {
        const std::vector<std::string>& lines;
        bool english;
        std::vector<std::string> comments;
    } cases[] = {
        {pt, false, {"comentário sem fim"}},
        {pt, true, {}},
        {en, true, {"english, unterminated"}},
    };
    for (const auto& c : cases) {
        Project p(c.english);
        const LoadResult res = Load(p, c.lines);
        ASSERT_TRUE(res.ok) << res.error;
        EXPECT_EQ(p.comments, c.comments);
    }
}

TEST(ProjectFile, TrackValuesSurviveTo15SignificantDigits) {
    // Tracks hold 0..100 %; the values span the exponents the text may carry.
    for (const double v : {1.0 / 3.0, 12.3456789012345678, 1e-7, 1e-300, 0.1 + 0.2, 99.99999999999999}) {
        Project a;
        a.sim.mem[18] = v;
        Project b;
        ASSERT_TRUE(Load(b, ProjectLines(a)).ok);
        EXPECT_EQ(b.sim.mem[18], Round15(v)) << v;
        EXPECT_EQ(NumberText(b.sim.mem[18]), NumberText(v));
    }
}

TEST(ProjectFile, TheReaderSkipsTheXYBlockWithoutLookingAtIt) {
    const std::vector<std::string> base = test::FixtureLines("complete.smp");
    std::vector<std::string> l = base;
    const std::size_t xy = Index(l, "=====<<<REGISTRADOR XY>>>=====");
    for (std::size_t i = xy; i < xy + 19 + 3; ++i) l[i] = "12abc;" + std::to_string(i);
    Project p;
    ASSERT_TRUE(Load(p, l).ok);
    EXPECT_EQ(ProjectLines(p), base);
}

TEST(ProjectFile, ProcessRecordSpecialLines) {
    const std::vector<std::string> base = test::FixtureLines("complete.smp");
    // "Num.Ciclos:" without "x" sets the number of cycles only.
    Project p;
    ASSERT_TRUE(Load(p, ReplaceLine(base, "{P71/15} Num.Ciclos:3x20", "{P71/15} Num.Ciclos:4")).ok);
    EXPECT_EQ(p.process(21)->NCText, "4");
    EXPECT_EQ(p.process(21)->PeriodText, "10");
}

TEST(ProjectFile, AnEmptyTitleGivesTheFileNameWithoutFolderAndExtension) {
    std::vector<std::string> l = SimpleFile();
    l[0] = "";
    struct Case {
        const char* file;
        const char* title;
    } cases[] = {
        {"/tmp/pasta.x/caldeira.v2.smp", "caldeira.v2"},
        {"\\examples\\boiler\\boiler.smp", "boiler"},
        {"sem extensao", "sem extensao"},
    };
    for (const auto& c : cases) {
        Project p;
        ASSERT_TRUE(Load(p, l, c.file).ok);
        EXPECT_EQ(p.title, c.title);
    }
}

TEST(SaveProject, WritesTheFileAndReportsWhatTheCodePageCannotHold) {
    TempDir dir;
    Project p;
    p.title = "Planta 日本";
    const SaveResult ok = SaveProject(p, dir.path() / "p.smp");
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.unrepresentable, 2u);
    Project q;
    ASSERT_TRUE(ReadProject(q, dir.path() / "p.smp").ok);
    EXPECT_EQ(q.title, "Planta ??");

    const SaveResult failure = SaveProject(p, dir.path() / "falta" / "p.smp");
    EXPECT_FALSE(failure.ok);
    EXPECT_NE(failure.error.find("Não foi possível salvar"), std::string::npos) << failure.error;
}

}  // namespace
}  // namespace kivo
