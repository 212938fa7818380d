#include <gtest/gtest.h>

#include "objects/Fields.h"

namespace kivo {
namespace {

TEST(ReadNumberField, WholeTextMustBeOneNumber) {
    const struct {
        const char* text;
        bool ok;
        double value;
    } cases[] = {
        {"12", true, 12},      {"12,5", true, 12.5},  {" -3.5 ", true, -3.5}, {"+4", true, 4},
        {"1e3", true, 1000},   {"1,5E-1", true, 0.15}, {".5", true, 0.5},     {"5.", true, 5},
        {"", false, 0},        {"  ", false, 0},      {"2x", false, 2},       {"2 3", false, 2},
        {"1.2.3", false, 1.2}, {"E5", false, 0},      {"1e", false, 1},       {"-", false, 0},
        {"M21", false, 0},
    };
    for (const auto& c : cases) {
        double v = -99;
        EXPECT_EQ(ReadNumberField(c.text, v), c.ok) << '"' << c.text << '"';
        EXPECT_DOUBLE_EQ(v, c.value) << '"' << c.text << '"';
    }
}

TEST(AddressFromList, ItemsSelectTheirAddressOrNone) {
    EXPECT_EQ(AddressFromList(0), 1);
    EXPECT_EQ(AddressFromList(98), 99);
    EXPECT_EQ(AddressFromList(-1), 0);
    EXPECT_EQ(AddressFromList(99), 0);
}

TEST(FormatFixedInto, MatchesFormatFixedAndReusesStorage) {
    const struct {
        double x;
        int w, d;
        const char* text;
    } cases[] = {{50, 0, 2, "50.00"}, {-0.001, 0, 2, "0.00"}, {3.14159, 6, 2, "  3.14"}, {-12.345, 0, 1, "-12.3"}};
    std::string s;
    for (const auto& c : cases) {
        FormatFixedInto(s, c.x, c.w, c.d);
        EXPECT_EQ(s, c.text);
    }
}

}  // namespace
}  // namespace kivo
