#include <gtest/gtest.h>

#include "objects/Campos.h"

namespace kivo {
namespace {

TEST(LeNumeroCampo, WholeTextMustBeOneNumber) {
    const struct {
        const char* texto;
        bool ok;
        double valor;
    } casos[] = {
        {"12", true, 12},      {"12,5", true, 12.5},  {" -3.5 ", true, -3.5}, {"+4", true, 4},
        {"1e3", true, 1000},   {"1,5E-1", true, 0.15}, {".5", true, 0.5},     {"5.", true, 5},
        {"", false, 0},        {"  ", false, 0},      {"2x", false, 2},       {"2 3", false, 2},
        {"1.2.3", false, 1.2}, {"E5", false, 0},      {"1e", false, 1},       {"-", false, 0},
        {"M21", false, 0},
    };
    for (const auto& c : casos) {
        double v = -99;
        EXPECT_EQ(LeNumeroCampo(c.texto, v), c.ok) << '"' << c.texto << '"';
        EXPECT_DOUBLE_EQ(v, c.valor) << '"' << c.texto << '"';
    }
}

TEST(EnderecoDaLista, ItemsSelectTheirAddressOrNone) {
    EXPECT_EQ(EnderecoDaLista(0), 1);
    EXPECT_EQ(EnderecoDaLista(98), 99);
    EXPECT_EQ(EnderecoDaLista(-1), 0);
    EXPECT_EQ(EnderecoDaLista(99), 0);
}

TEST(FormataFixoEm, MatchesFormataFixoAndReusesStorage) {
    const struct {
        double x;
        int w, d;
        const char* texto;
    } casos[] = {{50, 0, 2, "50.00"}, {-0.001, 0, 2, "0.00"}, {3.14159, 6, 2, "  3.14"}, {-12.345, 0, 1, "-12.3"}};
    std::string s;
    for (const auto& c : casos) {
        FormataFixoEm(s, c.x, c.w, c.d);
        EXPECT_EQ(s, c.texto);
    }
}

}  // namespace
}  // namespace kivo
