// The register map: where each value is read, how it is scaled, and which
// writes the plant takes, refuses or undoes.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "modbus/RegisterMap.h"
#include "objects/Controller.h"
#include "project/Project.h"

namespace kivo::modbus {
namespace {

// Controller 1 on M21 (scale 50..250 t/h) in local and manual; track 1 on
// M15 (0..10 bar); switch 1, buttons 1 and 3 enabled: button 3 is still off
// the panel, below the disabled button 2.
class RegisterMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        p.sim.mem.setEuMin(21, "50");
        p.sim.mem.setEuMax(21, "250");
        p.sim.mem.setUnit(21, "t/h");
        Controller& c = p.CreateController(1);
        c.VariableSelect = 20;
        ASSERT_TRUE(c.ValidateParameters(false));
        c.state.SP = 40;
        c.state.MV = 30;
        p.sim.mem[101] = 25;  // the PV, as the controller's step leaves it
        p.sim.mem.setEuMin(15, "0");
        p.sim.mem.setEuMax(15, "10");
        p.tracks[0].enabled = true;
        p.switches[0].enabled = true;
        p.buttons[0].enabled = true;
        p.buttons[2].enabled = true;
    }
    Controller& c() { return *p.controller(1); }
    std::vector<std::uint16_t> Published(int start, int count) {
        Publish(p, image);
        return {image.registers.begin() + start, image.registers.begin() + start + count};
    }

    Project p;
    Image image;
};

TEST_F(RegisterMapTest, FloatsAreIeeeSinglesHighWordFirst) {
    EXPECT_EQ(FloatRegisters(1.0), (std::array<std::uint16_t, 2>{0x3F80, 0x0000}));
    EXPECT_EQ(FloatRegisters(-2.5), (std::array<std::uint16_t, 2>{0xC020, 0x0000}));
    EXPECT_EQ(FloatOfRegisters(0x42C8, 0x0000), 100.0);
}

TEST_F(RegisterMapTest, IntegersArePercentTimesHundredHeldToSixteenBits) {
    struct Case {
        double value;
        std::int16_t expected;
    } cases[] = {{0, 0},           {45.678, 4568},      {-1.5, -150}, {100, 10000},
                 {327.67, 32767},  {1e6, 32767},        {-1e6, -32768},
                 {std::numeric_limits<double>::quiet_NaN(), -32768}};
    for (const Case& k : cases)
        EXPECT_EQ(static_cast<std::int16_t>(PercentRegister(k.value)), k.expected) << k.value;
}

TEST_F(RegisterMapTest, EveryMemoryPositionIsReadAsPercentAndInEngineeringUnits) {
    for (int k = 1; k <= kNumVariables; ++k) p.sim.mem[k] = k / 2.0;
    Publish(p, image);
    for (int k = 1; k <= kNumVariables; ++k) {
        ASSERT_EQ(image.registers[static_cast<std::size_t>(k)], k * 50) << "M" << k;
        const auto f = static_cast<std::size_t>(FloatAddress(k));
        // M21 runs over 50..250 t/h, M15 over 0..10 bar, the others 0..100 %.
        const double expected = k == 21 ? 50 + 200 * (k / 2.0) / 100 : k == 15 ? 10 * (k / 2.0) / 100 : k / 2.0;
        ASSERT_FLOAT_EQ(FloatOfRegisters(image.registers[f], image.registers[f + 1]), expected) << "M" << k;
    }
    EXPECT_EQ(FloatAddress(kNumVariables) + 1, 1247);
    EXPECT_EQ(image.registers[kVersionRegister], kMapVersion);
}

TEST_F(RegisterMapTest, ControllerBlockHoldsModesSetpointOutputAndPv) {
    c().state.autoMode = true;
    const auto r = Published(ControllerAddress(1, 0), kControllerFields);
    EXPECT_EQ(r[kPresent], 1);
    EXPECT_EQ(r[kAutomatic], 1);
    EXPECT_EQ(r[kRemote], 0);
    EXPECT_EQ(r[kSetpoint], 4000);
    EXPECT_EQ(r[kOutput], 3000);
    EXPECT_EQ(r[kMeasurement], 2500);
    EXPECT_FLOAT_EQ(FloatOfRegisters(r[kSetpointFloat], r[kSetpointFloat + 1]), 130);  // t/h
    EXPECT_FLOAT_EQ(FloatOfRegisters(r[kOutputFloat], r[kOutputFloat + 1]), 30);       // %
    EXPECT_FLOAT_EQ(FloatOfRegisters(r[kMeasurementFloat], r[kMeasurementFloat + 1]), 100);
    EXPECT_EQ(r[kRemoteEnabled], 0);
    // An empty slot reads as zeros, also after a controller left it.
    p.sim.controllers.Erase(1);
    for (std::uint16_t v : Published(ControllerAddress(1, 0), kControllerFields)) EXPECT_EQ(v, 0);
}

TEST_F(RegisterMapTest, ReadsOfAddressesOutsideTheMapAreRefused) {
    struct Case {
        bool coils;
        int start, count;
        Exception expected;
    } cases[] = {
        {false, 0, 125, kNoException},   {false, 0, 126, kIllegalAddress},     {false, 999, 1, kIllegalAddress},
        {false, 1000, 125, kNoException}, {false, 1247, 2, kIllegalAddress},    {false, 2000, 13, kNoException},
        {false, 2000, 14, kIllegalAddress}, {false, 2900, 13, kNoException},    {false, 2913, 1, kIllegalAddress},
        {false, 65535, 1, kIllegalAddress}, {true, 11, 2, kNoException},        {true, 10, 2, kIllegalAddress},
        {true, 97, 3, kNoException},      {true, 97, 4, kIllegalAddress},
    };
    for (const Case& k : cases) EXPECT_EQ(CheckRead(k.coils, k.start, k.count), k.expected) << k.start << "+" << k.count;
}

std::uint16_t Int(double percent) { return PercentRegister(percent); }
std::vector<std::uint16_t> Float(double x) {
    const auto f = FloatRegisters(x);
    return {f[0], f[1]};
}

// A write, the state it meets, what it answers and what it leaves.
struct WriteCase {
    const char* name;
    Write write;
    std::function<void(Project&)> before;
    Exception expected;
    std::function<bool(const Project&)> after;
};

TEST_F(RegisterMapTest, WritesMeetTheChecksOfTheScreen) {
    const auto sp = [](double v) { return [v](const Project& q) { return q.controller(1)->state.SP == v; }; };
    const auto mv = [](double v) { return [v](const Project& q) { return q.controller(1)->state.MV == v; }; };
    const auto mem = [](int k, double v) { return [k, v](const Project& q) { return std::abs(q.sim.mem[k] - v) < 1e-9; }; };
    const auto none = [](Project&) {};
    const auto remote = [](Project& q) {
        q.controller(1)->CheckSPR = true;
        q.controller(1)->state.localMode = false;
    };
    const auto automatic = [](Project& q) { q.controller(1)->state.autoMode = true; };
    const int base = ControllerAddress(1, 0);
    const WriteCase cases[] = {
        {"setpoint %", {false, base + kSetpoint, {Int(45)}}, none, kNoException, sp(45)},
        {"setpoint % in remote", {false, base + kSetpoint, {Int(45)}}, remote, kIllegalValue, sp(40)},
        {"setpoint % above 100", {false, base + kSetpoint, {10001}}, none, kIllegalValue, sp(40)},
        {"setpoint % negative", {false, base + kSetpoint, {Int(-0.01)}}, none, kIllegalValue, sp(40)},
        {"setpoint in t/h", {false, base + kSetpointFloat, Float(200)}, none, kNoException, sp(75)},
        {"setpoint beyond the scale", {false, base + kSetpointFloat, Float(251)}, none, kIllegalValue, sp(40)},
        {"setpoint NaN", {false, base + kSetpointFloat, Float(std::nan(""))}, none, kIllegalValue, sp(40)},
        {"output % in manual", {false, base + kOutput, {Int(12.5)}}, none, kNoException, mv(12.5)},
        {"output float in manual", {false, base + kOutputFloat, Float(99.5)}, none, kNoException, mv(99.5)},
        {"output in automatic", {false, base + kOutput, {Int(12.5)}}, automatic, kIllegalValue, mv(30)},
        {"output above 100", {false, base + kOutputFloat, Float(100.5)}, none, kIllegalValue, mv(30)},
        {"automatic", {false, base + kAutomatic, {1}}, none, kNoException,
         [](const Project& q) { return q.controller(1)->state.autoMode; }},
        {"automatic 2", {false, base + kAutomatic, {2}}, none, kIllegalValue,
         [](const Project& q) { return !q.controller(1)->state.autoMode; }},
        {"remote without a remote setpoint", {false, base + kRemote, {1}}, none, kIllegalValue,
         [](const Project& q) { return q.controller(1)->state.localMode; }},
        {"remote with one", {false, base + kRemote, {1}}, [](Project& q) { q.controller(1)->CheckSPR = true; },
         kNoException, [](const Project& q) { return !q.controller(1)->state.localMode; }},
        {"PV", {false, base + kMeasurement, {Int(50)}}, none, kIllegalAddress, nullptr},
        {"PV float", {false, base + kMeasurementFloat, Float(60)}, none, kIllegalAddress, nullptr},
        {"slot flag", {false, base + kPresent, {0}}, none, kIllegalAddress, nullptr},
        {"remote enabled flag", {false, base + kRemoteEnabled, {1}}, none, kIllegalAddress, nullptr},
        {"first half of a float", {false, base + kSetpointFloat, {0x4348}}, none, kIllegalAddress, sp(40)},
        {"second half of a float", {false, base + kSetpointFloat + 1, {0}}, none, kIllegalAddress, sp(40)},
        {"float cut by the end", {false, base + kSetpointFloat, {0x4348, 0, 0x4348}}, none, kIllegalAddress, sp(40)},
        {"empty controller slot", {false, ControllerAddress(2, kSetpoint), {Int(45)}}, none, kIllegalAddress, nullptr},
        {"track %", {false, 15, {Int(25)}}, none, kNoException, mem(15, 25)},
        {"track in bar", {false, FloatAddress(15), Float(2.5)}, none, kNoException, mem(15, 25)},
        {"track beyond its range", {false, FloatAddress(15), Float(10.5)}, none, kIllegalValue, mem(15, 0)},
        {"track % above 100", {false, 15, {10001}}, none, kIllegalValue, mem(15, 0)},
        {"track not on the diagram", {false, 16, {Int(25)}}, none, kIllegalAddress, mem(16, 0)},
        {"process output", {false, 21, {Int(25)}}, none, kIllegalAddress, nullptr},
        {"process output float", {false, FloatAddress(21), Float(60)}, none, kIllegalAddress, nullptr},
        {"switch as a register", {false, 11, {100}}, none, kIllegalAddress, mem(11, 0)},
        {"version", {false, kVersionRegister, {2}}, none, kIllegalAddress, nullptr},
        {"switch 1", {true, 11, {1}}, none, kNoException, mem(11, 1)},
        {"switch 2 not on the diagram", {true, 12, {1}}, none, kIllegalAddress, mem(12, 0)},
        {"button 1", {true, 97, {1}}, none, kNoException, mem(97, 1)},
        {"button 2 disabled", {true, 98, {1}}, none, kIllegalAddress, mem(98, 0)},
        {"button 3 below a disabled one", {true, 99, {1}}, none, kIllegalAddress, mem(99, 0)},
        {"coil outside the map", {true, 13, {1}}, none, kIllegalAddress, nullptr},
    };
    for (const WriteCase& k : cases) {
        SCOPED_TRACE(k.name);
        SetUp();
        k.before(p);
        EXPECT_EQ(Apply(p, k.write), k.expected);
        if (k.after) {
            EXPECT_TRUE(k.after(p));
        }
        p.ClearProject();
    }
}

TEST_F(RegisterMapTest, AWriteOfSeveralAddressesIsTakenWholeOrNotAtAll) {
    const int base = ControllerAddress(1, 0);
    // Manual first, then the output: taken in address order.
    c().state.autoMode = true;
    EXPECT_EQ(Apply(p, {false, base + kAutomatic, {0, 0, Int(55), Int(20)}}), kNoException);
    EXPECT_FALSE(c().state.autoMode);
    EXPECT_EQ(c().state.SP, 55);
    EXPECT_EQ(c().state.MV, 20);
    // Automatic first: the output is then refused, and the mode and the
    // setpoint written before it are undone.
    EXPECT_EQ(Apply(p, {false, base + kAutomatic, {1, 0, Int(65), Int(25)}}), kIllegalValue);
    EXPECT_FALSE(c().state.autoMode);
    EXPECT_EQ(c().state.SP, 55);
    EXPECT_EQ(c().state.MV, 20);
    // Coils too: switch 1 is undone when switch 2 is refused.
    EXPECT_EQ(Apply(p, {true, 11, {1, 1}}), kIllegalAddress);
    EXPECT_EQ(p.sim.mem[11], 0);
}

TEST_F(RegisterMapTest, WithoutAProjectTheMapListsEveryVariableAndField) {
    for (bool english : {false, true}) {
        const std::string text = MapText(nullptr, english);
        for (int k = 1; k <= kNumVariables; ++k) {
            const std::string row = "  M" + std::to_string(k) + std::string(k < 10 ? 4 : k < 100 ? 3 : 2, ' ') +
                                    std::to_string(k) + " ";
            EXPECT_NE(text.find(row), std::string::npos) << row;
        }
        for (int f : {kPresent, kAutomatic, kRemote, kSetpoint, kOutput, kMeasurement, kSetpointFloat, kOutputFloat,
                      kMeasurementFloat, kRemoteEnabled})
            EXPECT_NE(text.find("\n  +" + std::to_string(f) + (f >= 6 && f <= 11 ? "-" : " ")), std::string::npos) << f;
    }
}

// The help pages show the map as kivo-batch serve --map prints it.
TEST_F(RegisterMapTest, HelpPagesHoldTheMapAsPrinted) {
    for (const char* language : {"pt", "en"}) {
        std::ifstream file(std::string(KIVO_HELP_DIR) + "/" + language + "/ferramentas/modbus/index.html");
        ASSERT_TRUE(file) << language;
        std::stringstream page;
        page << file.rdbuf();
        const std::string map = MapText(nullptr, std::string(language) == "en");
        EXPECT_NE(page.str().find("<pre id=\"mapa\">\n" + map + "</pre>"), std::string::npos)
            << language << ": paste the output of kivo-batch serve --map" << (language[0] == 'e' ? " --english" : "");
    }
}

}  // namespace
}  // namespace kivo::modbus
