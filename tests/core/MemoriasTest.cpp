#include "core/Memorias.h"

#include <gtest/gtest.h>

#include <string>

namespace kivo {
namespace {

TEST(Memorias, StartUpTexts) {
    Memorias mem;
    EXPECT_EQ(mem.entrada(13).descricao, "Saída Linearizador");
    EXPECT_EQ(mem.entrada(14).descricao, "Reservado");
    EXPECT_EQ(mem.entrada(11).descricao, "Chave_1");
    EXPECT_EQ(mem.entrada(15).descricao, "Track 1");
    EXPECT_EQ(mem.entrada(20).descricao, "Track 6");
    EXPECT_EQ(mem.entrada(101).descricao, "Posição Atuador 1");
    EXPECT_EQ(mem.entrada(124).descricao, "Posição Atuador 24");
    EXPECT_EQ(mem.entrada(21).descricao, "");
    for (int k = 1; k <= 99; ++k) {
        EXPECT_EQ(mem.entrada(k).unidade, "%");
        EXPECT_EQ(mem.entrada(k).ueMin, "0.0");
        EXPECT_EQ(mem.entrada(k).ueMax, "100.00");
        EXPECT_EQ(mem.entrada(k).lie, "0.00");
        EXPECT_EQ(mem.entrada(k).lse, "100.00");
    }
    for (int k = 0; k <= 124; ++k) EXPECT_EQ(mem[k], 0);
}

TEST(Memorias, ProjectResetKeepsActuatorEntries) {
    Memorias mem;
    mem[101] = 42;
    mem[21] = 5;
    mem[124] = 3;
    mem.setDescricao(21, "Vazão");
    mem.setDescricao(101, "changed");
    mem.setDescricao(13, "other");
    mem.LimpaProjeto();
    for (int k = 1; k <= 99; ++k) EXPECT_EQ(mem.entrada(k).ueMin, "0.00");
    EXPECT_EQ(mem[21], 0);
    EXPECT_EQ(mem[101], 42);
    EXPECT_EQ(mem[124], 3);
    EXPECT_EQ(mem.entrada(21).descricao, "");
    EXPECT_EQ(mem.entrada(13).descricao, "Saída Linearizador");
    EXPECT_EQ(mem.entrada(101).descricao, "changed");
}

TEST(Memorias, SelectorLists) {
    Memorias mem;
    mem.setDescricao(1, "MV FIC-101");
    const auto in = mem.ListaEntrada();
    ASSERT_EQ(in.size(), 99u);
    EXPECT_EQ(in[0], "01 MV FIC-101");
    EXPECT_EQ(in[98].substr(0, 3), "99 ");
    const auto disp = mem.ListaExibicao();
    ASSERT_EQ(disp.size(), 124u);
    EXPECT_EQ(disp[0], "01   MV FIC-101");
    EXPECT_EQ(disp[123], "124   Posição Atuador 24");
    EXPECT_EQ(NomeVariavel(1), "M01");
    EXPECT_EQ(NomeVariavel(124), "M124");
}

TEST(Memorias, TextsAreCutTo255Characters) {
    Memorias mem;
    mem.setDescricao(5, std::string(300, 'a'));
    EXPECT_EQ(mem.entrada(5).descricao.size(), 255u);
    // Characters, not bytes: 300 two-byte letters keep 255 letters.
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "ç";
    mem.setUnidade(5, accented);
    EXPECT_EQ(mem.entrada(5).unidade.size(), 510u);
    EXPECT_EQ(CortaTexto("abc", 2), "ab");
    EXPECT_EQ(CortaTexto("", 2), "");
}

TEST(Memorias, EngineeringConversion) {
    Memorias mem;
    mem.setUeMin(7, "20");
    mem.setUeMax(7, "120");
    EXPECT_DOUBLE_EQ(mem.ParaEngenharia(7, 50), 70);
    EXPECT_DOUBLE_EQ(mem.DeEngenharia(7, 45), 25);
    // Addresses without a range use 0..100.
    EXPECT_DOUBLE_EQ(mem.ParaEngenharia(110, 33), 33);
    mem.setUeMax(8, "abc");
    EXPECT_DOUBLE_EQ(mem.ParaEngenharia(8, 50), 0);
}

}  // namespace
}  // namespace kivo
