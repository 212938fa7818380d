#include "core/Record.h"
#include "objects/Controller.h"
#include "objects/Process.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace kivo {
namespace {

TEST(ValueForms, FlagsAreTrueOnlyForTheirExactText) {
    struct Case {
        const char* line;
        bool upper;
        bool mixed;
    } cases[] = {
        {"TRUE", true, false}, {"True", false, true}, {"true", false, false}, {"TRUE ", false, false},
        {"True ", false, false}, {" True", false, false}, {"1", false, false}, {"", false, false},
        {"FALSE", false, false}, {"False", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReadUpperCaseFlag(c.line), c.upper) << '"' << c.line << '"';
        EXPECT_EQ(ReadMixedCaseFlag(c.line), c.mixed) << '"' << c.line << '"';
    }
    EXPECT_EQ(UpperCaseFlagText(true), "TRUE");
    EXPECT_EQ(UpperCaseFlagText(false), "FALSE");
    EXPECT_EQ(MixedCaseFlagText(true), "True");
    EXPECT_EQ(MixedCaseFlagText(false), "False");
}

TEST(ValueForms, ColoursAreWrittenByNameOrAsEightHexDigitsAndReadBack) {
    struct Case {
        std::uint32_t colour;
        const char* text;
    } cases[] = {
        {0x000000, "clBlack"},       {0x0000FF, "clRed"},          {0x00FF00, "clLime"},
        {0xFF0000, "clBlue"},        {0xC0C0C0, "clSilver"},       {0xC0DCC0, "clMoneyGreen"},
        {0xF0CAA6, "clSkyBlue"},     {0xF0FBFF, "clCream"},        {0xA4A0A0, "clMedGray"},
        {0xFF00000F, "clBtnFace"},   {0xFF000005, "clWindow"},     {0xFF000008, "clWindowText"},
        {0xFF000015, "cl3DDkShadow"}, {0xFF00001E, "clMenuBar"},   {0x1FFFFFFF, "clNone"},
        {0x20000000, "clDefault"},   {0x000080FF, "$000080FF"},    {0x00123456, "$00123456"},
        {0xFF000019, "$FF000019"},   {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ColourText(c.colour), c.text);
        std::uint32_t readBack = 0;
        ASSERT_TRUE(ParseColour(c.text, readBack)) << c.text;
        EXPECT_EQ(readBack, c.colour) << c.text;
    }
}

TEST(ValueForms, ColourReadingAcceptsOtherSpellingsAndRefusesTheRest) {
    struct Case {
        const char* text;
        bool ok;
        std::uint32_t colour;
    } cases[] = {
        {"clred", true, 0x0000FF},     {" clBtnFace ", true, 0xFF00000F}, {"$ff", true, 0xFF},
        {"255", true, 255},            {"-16777201", true, 0xFF00000F},   {"4294967295", true, 0xFFFFFFFF},
        {"", false, 0},                {"clOrange", false, 0},            {"$", false, 0},
        {"$123456789", false, 0},      {"$GG", false, 0},                 {"12x", false, 0},
        {"4294967296", false, 0},      {"- 5", false, 0},
    };
    for (const auto& c : cases) {
        std::uint32_t colour = 0;
        EXPECT_EQ(ParseColour(c.text, colour), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(colour, c.colour) << c.text;
        }
    }
}

TEST(ValueForms, LanguagePairSplitsAtTheFirstBar) {
    struct Case {
        const char* line;
        const char* pt;
        const char* en;
    } cases[] = {
        {"Vazão|Flow", "Vazão", "Flow"}, {"Vazão", "Vazão", "Vazão"}, {"|Flow", "", "Flow"},
        {"Vazão|", "Vazão", ""},         {"A|B|C", "A", "B|C"},         {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PairText(c.line, false), c.pt) << c.line;
        EXPECT_EQ(PairText(c.line, true), c.en) << c.line;
    }
}

TEST(ValueForms, CharactersAreCountedNotBytes) {
    EXPECT_EQ(NumCharacters("Endereço  BackMV:"), 17u);
    EXPECT_EQ(AfterCharacters("çãé-x", 3), "-x");
    EXPECT_EQ(AfterCharacters("ab", 5), "");
    EXPECT_EQ(IndexInList(98, 99), 98);
    EXPECT_EQ(IndexInList(99, 99), -1);
    EXPECT_EQ(IndexInList(-7, 99), -1);
}

TEST(Writer, RecordLinesCarryPrefixNumberKeyAndValue) {
    LineWriter w;
    RecordWriter r(w, "{C01/");
    for (int i = 1; i <= 9; ++i) r.Text("K:", "x");
    r.Fixed42("Iant:", -1.5);
    r.Fixed42("", 50);
    r.MixedCaseFlag("BackMV CK:", true);
    r.Integer("Indice lista PV:", -1);
    w.Real(15);
    w.Fixed(1, 1, 0);
    w.Colour(0x000080FF);
    const std::vector<std::string> expected = {
        "{C01/01} K:x", "{C01/02} K:x", "{C01/03} K:x", "{C01/04} K:x", "{C01/05} K:x", "{C01/06} K:x",
        "{C01/07} K:x", "{C01/08} K:x", "{C01/09} K:x", "{C01/10} Iant:-1.50", "{C01/11} 50.00",
        "{C01/12} BackMV CK:True", "{C01/13} Indice lista PV:-1", " 1.50000000000000E+0001", "1", "$000080FF",
    };
    EXPECT_EQ(w.lines(), expected);
}

TEST(Reader, ReadsByPositionAndYieldsEmptyLinesPastTheEnd) {
    LineReader r({"{C01/16} Endereço  BackMV:7", "{C01/23} Iant:-3.25", "  12abc", "sem número"}, "a.smp",
                   false);
    RecordReader rr(r, 8);
    EXPECT_EQ(rr.Strict("Endereço  BackMV:"), 7);
    EXPECT_EQ(rr.Real("Iant:"), -3.25);
    EXPECT_EQ(r.LenientInteger(), 12);
    EXPECT_EQ(r.LenientInteger(), 0);
    EXPECT_EQ(r.line(), 4);
    EXPECT_FALSE(r.PastEnd());
    EXPECT_EQ(r.NextLine(), "");
    EXPECT_TRUE(r.PastEnd());
    EXPECT_EQ(r.line(), 5);
    EXPECT_EQ(r.Text(), "");
    EXPECT_FALSE(r.MixedCaseFlag());
    EXPECT_EQ(r.Real(), 0.0);
}

TEST(Reader, LenientIntegersAreBoundedToInt) {
    LineReader r({"99999999999999999999", "-99999999999", "+5"}, "a.smp", false);
    EXPECT_EQ(r.LenientInteger(), INT_MAX);
    EXPECT_EQ(r.LenientInteger(), INT_MIN);
    EXPECT_EQ(r.LenientInteger(), 5);
}

TEST(Reader, MalformedStrictValuesNameFileLineAndText) {
    struct Case {
        const char* line;
        bool colour;
        const char* english;
        const char* portuguese;
    } cases[] = {
        {"12a", false, "Read error in \"p.smp\", line 2: \"12a\" is not a valid integer.",
         "Erro de leitura em \"p.smp\", linha 2: \"12a\" não é um número inteiro válido."},
        {"", false, "Read error in \"p.smp\", line 2: \"\" is not a valid integer.", nullptr},
        {"3000000000", false, "Read error in \"p.smp\", line 2: \"3000000000\" is not a valid integer.", nullptr},
        {"laranja", true, "Read error in \"p.smp\", line 2: \"laranja\" is not a valid colour.",
         "Erro de leitura em \"p.smp\", linha 2: \"laranja\" não é uma cor válida."},
    };
    for (const auto& c : cases) {
        LineReader r({"título", c.line}, "p.smp", false);
        r.NextLine();
        try {
            if (c.colour)
                r.Colour();
            else
                r.StrictInteger();
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const ReadError& e) {
            EXPECT_EQ(e.line(), 2);
            EXPECT_STREQ(e.what(), c.english);
            if (c.portuguese) {
                EXPECT_EQ(e.Message(false), c.portuguese);
            }
        }
    }
}

TEST(Reader, ErrorPastTheEndSaysTheFileEndsAndLongTextsAreShortened) {
    LineReader r({std::string(5000, '7') + "\x01x"}, "p.smp", false);
    try {
        r.StrictInteger();
        ADD_FAILURE();
    } catch (const ReadError& e) {
        EXPECT_FALSE(e.pastEnd());
        EXPECT_EQ(e.text(), std::string(60, '7') + "...");
    }
    try {
        r.StrictInteger();
        ADD_FAILURE();
    } catch (const ReadError& e) {
        EXPECT_TRUE(e.pastEnd());
        EXPECT_STREQ(e.what(), "Read error in \"p.smp\": the file ends before line 2, which must hold an integer.");
    }
    LineReader r2({"a\x01" "b"}, "p.smp", false);
    try {
        r2.Colour();
        ADD_FAILURE();
    } catch (const ReadError& e) {
        EXPECT_EQ(e.text(), "a?b");
    }
}

}  // namespace
}  // namespace kivo

namespace kivo {
namespace {

// A loaded record puts the loop back where it was saved: the outputs and
// the controller's SP and PV mirrors are in the memory before the first tick
// and the derivative filter starts at the last PV, so nothing moves when a
// plant at rest is opened.
TEST(StateRecord, LoadedLoopStartsWhereItWasSaved) {
    Simulation before;
    Controller c(before, 3);
    c.state.MV = 42.5;
    c.state.PrevPV = 61.25;
    c.state.SP = 104;
    Process p(before, 2);
    p.state.Y2 = 37.75;
    LineWriter w;
    c.SaveParameters(w);
    p.SaveParameters(w);

    Simulation after;
    Controller c2(after, 3);
    Process p2(after, 2);
    LineReader r(w.lines(), "teste.smp", false);
    c2.ReadParameters(r);
    p2.ReadParameters(r);
    EXPECT_EQ(after.mem[3], 42.5);
    EXPECT_EQ(after.mem[63], 100) << "the SP mirror holds the clamped SP";
    EXPECT_EQ(after.mem[103], 61.25);
    EXPECT_EQ(c2.state.PVf, 61.25);
    EXPECT_EQ(c2.state.PrevPVf, 61.25);
    EXPECT_EQ(after.mem[22], 37.75);
}

}  // namespace
}  // namespace kivo
