#include "core/Memory.h"

#include <gtest/gtest.h>

#include <string>

namespace kivo {
namespace {

TEST(Memory, StartUpTexts) {
    Memory mem;
    EXPECT_EQ(mem.entry(13).description, "Saída Linearizador");
    EXPECT_EQ(mem.entry(14).description, "Reservado");
    EXPECT_EQ(mem.entry(11).description, "Chave_1");
    EXPECT_EQ(mem.entry(15).description, "Track 1");
    EXPECT_EQ(mem.entry(20).description, "Track 6");
    EXPECT_EQ(mem.entry(101).description, "Posição Atuador 1");
    EXPECT_EQ(mem.entry(124).description, "Posição Atuador 24");
    EXPECT_EQ(mem.entry(21).description, "");
    for (int k = 1; k <= 99; ++k) {
        EXPECT_EQ(mem.entry(k).unit, "%");
        EXPECT_EQ(mem.entry(k).euMin, "0.0");
        EXPECT_EQ(mem.entry(k).euMax, "100.00");
        EXPECT_EQ(mem.entry(k).lowAlarm, "0.00");
        EXPECT_EQ(mem.entry(k).highAlarm, "100.00");
    }
    for (int k = 0; k <= 124; ++k) EXPECT_EQ(mem[k], 0);
}

TEST(Memory, ProjectResetKeepsActuatorEntries) {
    Memory mem;
    mem[101] = 42;
    mem[21] = 5;
    mem[124] = 3;
    mem.setDescription(21, "Vazão");
    mem.setDescription(101, "changed");
    mem.setDescription(13, "other");
    mem.ClearProject();
    for (int k = 1; k <= 99; ++k) EXPECT_EQ(mem.entry(k).euMin, "0.00");
    EXPECT_EQ(mem[21], 0);
    EXPECT_EQ(mem[101], 42);
    EXPECT_EQ(mem[124], 3);
    EXPECT_EQ(mem.entry(21).description, "");
    EXPECT_EQ(mem.entry(13).description, "Saída Linearizador");
    EXPECT_EQ(mem.entry(101).description, "changed");
}

TEST(Memory, SelectorLists) {
    Memory mem;
    mem.setDescription(1, "MV FIC-101");
    const auto in = mem.InputList();
    ASSERT_EQ(in.size(), 99u);
    EXPECT_EQ(in[0], "01 MV FIC-101");
    EXPECT_EQ(in[98].substr(0, 3), "99 ");
    const auto disp = mem.DisplayList();
    ASSERT_EQ(disp.size(), 124u);
    EXPECT_EQ(disp[0], "01   MV FIC-101");
    EXPECT_EQ(disp[123], "124   Posição Atuador 24");
    EXPECT_EQ(VariableName(1), "M01");
    EXPECT_EQ(VariableName(124), "M124");
}

TEST(Memory, TextsAreCutTo255Characters) {
    Memory mem;
    mem.setDescription(5, std::string(300, 'a'));
    EXPECT_EQ(mem.entry(5).description.size(), 255u);
    // Characters, not bytes: 300 two-byte letters keep 255 letters.
    std::string accented;
    for (int i = 0; i < 300; ++i) accented += "ç";
    mem.setUnit(5, accented);
    EXPECT_EQ(mem.entry(5).unit.size(), 510u);
    EXPECT_EQ(TruncateText("abc", 2), "ab");
    EXPECT_EQ(TruncateText("", 2), "");
}

TEST(Memory, EngineeringConversion) {
    Memory mem;
    mem.setEuMin(7, "20");
    mem.setEuMax(7, "120");
    EXPECT_DOUBLE_EQ(mem.ToEngineering(7, 50), 70);
    EXPECT_DOUBLE_EQ(mem.FromEngineering(7, 45), 25);
    // Addresses without a range use 0..100.
    EXPECT_DOUBLE_EQ(mem.ToEngineering(110, 33), 33);
    mem.setEuMax(8, "abc");
    EXPECT_DOUBLE_EQ(mem.ToEngineering(8, 50), 0);
}

}  // namespace
}  // namespace kivo
