#include "core/Registro.h"
#include "objects/Controller.h"
#include "objects/Process.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

namespace kivo {
namespace {

TEST(FormasDeValor, FlagsAreTrueOnlyForTheirExactText) {
    struct Caso {
        const char* linha;
        bool maiusculo;
        bool misto;
    } casos[] = {
        {"TRUE", true, false}, {"True", false, true}, {"true", false, false}, {"TRUE ", false, false},
        {"True ", false, false}, {" True", false, false}, {"1", false, false}, {"", false, false},
        {"FALSE", false, false}, {"False", false, false},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(LeFlagMaiusculo(c.linha), c.maiusculo) << '"' << c.linha << '"';
        EXPECT_EQ(LeFlagMisto(c.linha), c.misto) << '"' << c.linha << '"';
    }
    EXPECT_EQ(TextoFlagMaiusculo(true), "TRUE");
    EXPECT_EQ(TextoFlagMaiusculo(false), "FALSE");
    EXPECT_EQ(TextoFlagMisto(true), "True");
    EXPECT_EQ(TextoFlagMisto(false), "False");
}

TEST(FormasDeValor, ColoursAreWrittenByNameOrAsEightHexDigitsAndReadBack) {
    struct Caso {
        std::uint32_t cor;
        const char* texto;
    } casos[] = {
        {0x000000, "clBlack"},       {0x0000FF, "clRed"},          {0x00FF00, "clLime"},
        {0xFF0000, "clBlue"},        {0xC0C0C0, "clSilver"},       {0xC0DCC0, "clMoneyGreen"},
        {0xF0CAA6, "clSkyBlue"},     {0xF0FBFF, "clCream"},        {0xA4A0A0, "clMedGray"},
        {0xFF00000F, "clBtnFace"},   {0xFF000005, "clWindow"},     {0xFF000008, "clWindowText"},
        {0xFF000015, "cl3DDkShadow"}, {0xFF00001E, "clMenuBar"},   {0x1FFFFFFF, "clNone"},
        {0x20000000, "clDefault"},   {0x000080FF, "$000080FF"},    {0x00123456, "$00123456"},
        {0xFF000019, "$FF000019"},   {0xFFFFFFFF, "$FFFFFFFF"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(TextoCor(c.cor), c.texto);
        std::uint32_t lida = 0;
        ASSERT_TRUE(ConverteCor(c.texto, lida)) << c.texto;
        EXPECT_EQ(lida, c.cor) << c.texto;
    }
}

TEST(FormasDeValor, ColourReadingAcceptsOtherSpellingsAndRefusesTheRest) {
    struct Caso {
        const char* texto;
        bool ok;
        std::uint32_t cor;
    } casos[] = {
        {"clred", true, 0x0000FF},     {" clBtnFace ", true, 0xFF00000F}, {"$ff", true, 0xFF},
        {"255", true, 255},            {"-16777201", true, 0xFF00000F},   {"4294967295", true, 0xFFFFFFFF},
        {"", false, 0},                {"clOrange", false, 0},            {"$", false, 0},
        {"$123456789", false, 0},      {"$GG", false, 0},                 {"12x", false, 0},
        {"4294967296", false, 0},      {"- 5", false, 0},
    };
    for (const auto& c : casos) {
        std::uint32_t cor = 0;
        EXPECT_EQ(ConverteCor(c.texto, cor), c.ok) << '"' << c.texto << '"';
        if (c.ok) {
            EXPECT_EQ(cor, c.cor) << c.texto;
        }
    }
}

TEST(FormasDeValor, LanguagePairSplitsAtTheFirstBar) {
    struct Caso {
        const char* linha;
        const char* pt;
        const char* en;
    } casos[] = {
        {"Vazão|Flow", "Vazão", "Flow"}, {"Vazão", "Vazão", "Vazão"}, {"|Flow", "", "Flow"},
        {"Vazão|", "Vazão", ""},         {"A|B|C", "A", "B|C"},         {"", "", ""},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(ParIdioma(c.linha, false), c.pt) << c.linha;
        EXPECT_EQ(ParIdioma(c.linha, true), c.en) << c.linha;
    }
}

TEST(FormasDeValor, CharactersAreCountedNotBytes) {
    EXPECT_EQ(NumCaracteres("Endereço  BackMV:"), 17u);
    EXPECT_EQ(AposCaracteres("çãé-x", 3), "-x");
    EXPECT_EQ(AposCaracteres("ab", 5), "");
    EXPECT_EQ(IndiceNaLista(98, 99), 98);
    EXPECT_EQ(IndiceNaLista(99, 99), -1);
    EXPECT_EQ(IndiceNaLista(-7, 99), -1);
}

TEST(Escritor, RecordLinesCarryPrefixNumberKeyAndValue) {
    EscritorLinhas w;
    EscritorRegistro r(w, "{C01/");
    for (int i = 1; i <= 9; ++i) r.Texto("K:", "x");
    r.Fixo42("Iant:", -1.5);
    r.Fixo42("", 50);
    r.FlagMisto("BackMV CK:", true);
    r.Inteiro("Indice lista PV:", -1);
    w.Real(15);
    w.Fixo(1, 1, 0);
    w.Cor(0x000080FF);
    const std::vector<std::string> esperado = {
        "{C01/01} K:x", "{C01/02} K:x", "{C01/03} K:x", "{C01/04} K:x", "{C01/05} K:x", "{C01/06} K:x",
        "{C01/07} K:x", "{C01/08} K:x", "{C01/09} K:x", "{C01/10} Iant:-1.50", "{C01/11} 50.00",
        "{C01/12} BackMV CK:True", "{C01/13} Indice lista PV:-1", " 1.50000000000000E+0001", "1", "$000080FF",
    };
    EXPECT_EQ(w.linhas(), esperado);
}

TEST(Leitor, ReadsByPositionAndYieldsEmptyLinesPastTheEnd) {
    LeitorLinhas r({"{C01/16} Endereço  BackMV:7", "{C01/23} Iant:-3.25", "  12abc", "sem número"}, "a.smp",
                   false);
    LeitorRegistro rr(r, 8);
    EXPECT_EQ(rr.Estrito("Endereço  BackMV:"), 7);
    EXPECT_EQ(rr.Real("Iant:"), -3.25);
    EXPECT_EQ(r.InteiroLeniente(), 12);
    EXPECT_EQ(r.InteiroLeniente(), 0);
    EXPECT_EQ(r.linha(), 4);
    EXPECT_FALSE(r.AlemDoFim());
    EXPECT_EQ(r.Proxima(), "");
    EXPECT_TRUE(r.AlemDoFim());
    EXPECT_EQ(r.linha(), 5);
    EXPECT_EQ(r.Texto(), "");
    EXPECT_FALSE(r.FlagMisto());
    EXPECT_EQ(r.Real(), 0.0);
}

TEST(Leitor, LenientIntegersAreBoundedToInt) {
    LeitorLinhas r({"99999999999999999999", "-99999999999", "+5"}, "a.smp", false);
    EXPECT_EQ(r.InteiroLeniente(), INT_MAX);
    EXPECT_EQ(r.InteiroLeniente(), INT_MIN);
    EXPECT_EQ(r.InteiroLeniente(), 5);
}

TEST(Leitor, MalformedStrictValuesNameFileLineAndText) {
    struct Caso {
        const char* linha;
        bool cor;
        const char* ingles;
        const char* portugues;
    } casos[] = {
        {"12a", false, "Read error in \"p.smp\", line 2: \"12a\" is not a valid integer.",
         "Erro de leitura em \"p.smp\", linha 2: \"12a\" não é um número inteiro válido."},
        {"", false, "Read error in \"p.smp\", line 2: \"\" is not a valid integer.", nullptr},
        {"3000000000", false, "Read error in \"p.smp\", line 2: \"3000000000\" is not a valid integer.", nullptr},
        {"laranja", true, "Read error in \"p.smp\", line 2: \"laranja\" is not a valid colour.",
         "Erro de leitura em \"p.smp\", linha 2: \"laranja\" não é uma cor válida."},
    };
    for (const auto& c : casos) {
        LeitorLinhas r({"título", c.linha}, "p.smp", false);
        r.Proxima();
        try {
            if (c.cor)
                r.Cor();
            else
                r.InteiroEstrito();
            ADD_FAILURE() << "no error for " << c.linha;
        } catch (const ErroLeitura& e) {
            EXPECT_EQ(e.linha(), 2);
            EXPECT_STREQ(e.what(), c.ingles);
            if (c.portugues) {
                EXPECT_EQ(e.Mensagem(false), c.portugues);
            }
        }
    }
}

TEST(Leitor, ErrorPastTheEndSaysTheFileEndsAndLongTextsAreShortened) {
    LeitorLinhas r({std::string(5000, '7') + "\x01x"}, "p.smp", false);
    try {
        r.InteiroEstrito();
        ADD_FAILURE();
    } catch (const ErroLeitura& e) {
        EXPECT_FALSE(e.alemDoFim());
        EXPECT_EQ(e.texto(), std::string(60, '7') + "...");
    }
    try {
        r.InteiroEstrito();
        ADD_FAILURE();
    } catch (const ErroLeitura& e) {
        EXPECT_TRUE(e.alemDoFim());
        EXPECT_STREQ(e.what(), "Read error in \"p.smp\": the file ends before line 2, which must hold an integer.");
    }
    LeitorLinhas r2({"a\x01" "b"}, "p.smp", false);
    try {
        r2.Cor();
        ADD_FAILURE();
    } catch (const ErroLeitura& e) {
        EXPECT_EQ(e.texto(), "a?b");
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
TEST(RegistroEstado, LoadedLoopStartsWhereItWasSaved) {
    Simulacao antes;
    TControlador c(antes, 3);
    c.estado.MV = 42.5;
    c.estado.PVant = 61.25;
    c.estado.SP = 104;
    TProcesso p(antes, 2);
    p.estado.Y2 = 37.75;
    EscritorLinhas w;
    c.SalvaParametros(w);
    p.SalvaParametros(w);

    Simulacao depois;
    TControlador c2(depois, 3);
    TProcesso p2(depois, 2);
    LeitorLinhas r(w.linhas(), "teste.smp", false);
    c2.LeParametros(r);
    p2.LeParametros(r);
    EXPECT_EQ(depois.mem[3], 42.5);
    EXPECT_EQ(depois.mem[63], 100) << "the SP mirror holds the clamped SP";
    EXPECT_EQ(depois.mem[103], 61.25);
    EXPECT_EQ(c2.estado.PVf, 61.25);
    EXPECT_EQ(c2.estado.PVfant, 61.25);
    EXPECT_EQ(depois.mem[22], 37.75);
}

}  // namespace
}  // namespace kivo
