#include "modbus/RegisterMap.h"

#include <bit>
#include <cmath>

#include "objects/Controller.h"
#include "objects/Operator.h"
#include "project/PanelActions.h"
#include "project/Project.h"

namespace kivo::modbus {
namespace {

constexpr int kFirstTrack = 15;
constexpr int kLastTrack = 20;

bool IsTrack(int k) { return k >= kFirstTrack && k <= kLastTrack; }

}  // namespace

Item RegisterItem(int address) {
    Item item;
    item.first = address;
    if (address == kVersionRegister) {
        item.kind = Item::Kind::Version;
    } else if (address >= 1 && address <= kNumVariables) {
        item.kind = Item::Kind::Memory;
        item.index = address;
        item.writable = IsTrack(address);
    } else if (address >= kFirstFloat && address < FloatAddress(kNumVariables + 1)) {
        item.kind = Item::Kind::MemoryFloat;
        item.index = (address - kFirstFloat) / 2 + 1;
        item.first = FloatAddress(item.index);
        item.width = 2;
        item.writable = IsTrack(item.index);
    } else if (address >= kFirstController && address < kRegisterEnd) {
        const int offset = address - kFirstController;
        const int field = offset % kControllerStride;
        if (field >= kControllerFields) return Item{};
        item.kind = Item::Kind::Controller;
        item.index = offset / kControllerStride + 1;
        // The floats' second registers belong to the field before them.
        const bool second = field == kSetpointFloat + 1 || field == kOutputFloat + 1 || field == kMeasurementFloat + 1;
        item.field = second ? field - 1 : field;
        item.first = ControllerAddress(item.index, item.field);
        item.width = item.field == kSetpointFloat || item.field == kOutputFloat || item.field == kMeasurementFloat ? 2 : 1;
        item.writable = item.field == kAutomatic || item.field == kRemote || item.field == kSetpoint ||
                        item.field == kOutput || item.field == kSetpointFloat || item.field == kOutputFloat;
    }
    return item;
}

Item CoilItem(int address) {
    Item item;
    if (address == 11 || address == 12 || (address >= 97 && address <= 99)) {
        item.kind = Item::Kind::Coil;
        item.index = address;
        item.first = address;
        item.writable = true;
    }
    return item;
}

std::uint16_t PercentRegister(double x) {
    if (std::isnan(x)) return 0x8000;
    const double r = std::round(x * 100);
    if (r <= -32768) return 0x8000;
    if (r >= 32767) return 0x7FFF;
    return static_cast<std::uint16_t>(static_cast<std::int16_t>(r));
}

double PercentOfRegister(std::uint16_t r) { return static_cast<std::int16_t>(r) / 100.0; }

std::array<std::uint16_t, 2> FloatRegisters(double x) {
    const auto bits = std::bit_cast<std::uint32_t>(static_cast<float>(x));
    return {static_cast<std::uint16_t>(bits >> 16), static_cast<std::uint16_t>(bits & 0xFFFF)};
}

double FloatOfRegisters(std::uint16_t high, std::uint16_t low) {
    return std::bit_cast<float>(static_cast<std::uint32_t>(high) << 16 | low);
}

void Publish(const Project& p, Image& image) {
    const Memory& mem = p.sim.mem;
    auto& r = image.registers;
    r[kVersionRegister] = kMapVersion;
    for (int k = 1; k <= kNumVariables; ++k) {
        r[static_cast<std::size_t>(k)] = PercentRegister(mem[k]);
        const auto f = FloatRegisters(mem.ToEngineering(k, mem[k]));
        r[static_cast<std::size_t>(FloatAddress(k))] = f[0];
        r[static_cast<std::size_t>(FloatAddress(k) + 1)] = f[1];
    }
    for (int n = 1; n <= kControllers; ++n) {
        auto at = [&](int field) -> std::uint16_t& { return r[static_cast<std::size_t>(ControllerAddress(n, field))]; };
        auto setFloat = [&](int field, double x) {
            const auto f = FloatRegisters(x);
            at(field) = f[0];
            at(field + 1) = f[1];
        };
        const Controller* c = p.controller(n);
        if (!c) {
            for (int f = 0; f < kControllerFields; ++f) at(f) = 0;
            continue;
        }
        const ControllerState& s = c->state;
        // The PV as the controller leaves it in the memory, which a project
        // just read holds before the controller's first step.
        const double pv = mem[100 + n];
        const auto eu = [c](double percent) {
            return c->scaleStart() + (c->scaleEnd() - c->scaleStart()) * percent / 100;
        };
        at(kPresent) = 1;
        at(kAutomatic) = s.autoMode ? 1 : 0;
        at(kRemote) = s.localMode ? 0 : 1;
        at(kSetpoint) = PercentRegister(s.SP);
        at(kOutput) = PercentRegister(s.MV);
        at(kMeasurement) = PercentRegister(pv);
        setFloat(kSetpointFloat, eu(s.SP));
        setFloat(kOutputFloat, s.MV);
        setFloat(kMeasurementFloat, eu(pv));
        at(kRemoteEnabled) = c->CheckSPR ? 1 : 0;
    }
    for (int k = 0; k < kCoilEnd; ++k)
        image.coils[static_cast<std::size_t>(k)] = CoilItem(k).kind == Item::Kind::Coil && mem[k] != 0 ? 1 : 0;
}

Exception CheckRead(bool coils, int start, int count) {
    for (int a = start; a < start + count; ++a)
        if ((coils ? CoilItem(a) : RegisterItem(a)).kind == Item::Kind::None) return kIllegalAddress;
    return kNoException;
}

Exception CheckWrite(bool coils, int start, int count) {
    const int end = start + count;
    for (int a = start; a < end;) {
        const Item item = coils ? CoilItem(a) : RegisterItem(a);
        // Half a float is no value at all.
        if (!item.writable || item.first != a || a + item.width > end) return kIllegalAddress;
        a += item.width;
    }
    return kNoException;
}

namespace {

Exception OfResult(OperatorResult r) { return r == OperatorResult::Done ? kNoException : kIllegalValue; }

Exception ApplyItem(Project& p, const Item& item, const std::uint16_t* v) {
    Memory& mem = p.sim.mem;
    switch (item.kind) {
        case Item::Kind::Coil:
            if (item.index <= 12 ? !SwitchShown(p, item.index - 10) : !ButtonShown(p, item.index - 96))
                return kIllegalAddress;
            mem[item.index] = v[0] != 0 ? 1 : 0;
            return kNoException;
        case Item::Kind::Memory:
            if (!TrackShown(p, item.index - 14)) return kIllegalAddress;
            return SetTrackPosition(p, item.index - 14, PercentOfRegister(v[0])) ? kNoException : kIllegalValue;
        case Item::Kind::MemoryFloat:
            if (!TrackShown(p, item.index - 14)) return kIllegalAddress;
            return EnterTrackValue(p, item.index - 14, FloatOfRegisters(v[0], v[1])) ? kNoException : kIllegalValue;
        case Item::Kind::Controller: {
            Controller* c = p.controller(item.index);
            if (!c) return kIllegalAddress;
            switch (item.field) {
                case kAutomatic:
                case kRemote:
                    if (v[0] > 1) return kIllegalValue;
                    return OfResult(item.field == kAutomatic ? SelectAutomatic(*c, v[0] == 1) : SelectRemote(*c, v[0] == 1));
                case kSetpoint: return OfResult(EnterSetpointPercent(*c, PercentOfRegister(v[0])));
                case kOutput: return OfResult(EnterOutput(*c, PercentOfRegister(v[0])));
                case kSetpointFloat: return OfResult(EnterSetpoint(*c, FloatOfRegisters(v[0], v[1])));
                case kOutputFloat: return OfResult(EnterOutput(*c, FloatOfRegisters(v[0], v[1])));
                default: return kIllegalAddress;
            }
        }
        default: return kIllegalAddress;
    }
}

}  // namespace

Exception Apply(Project& p, const Write& w) {
    const int count = static_cast<int>(w.values.size());
    if (const Exception e = CheckWrite(w.coils, w.start, count)) return e;
    // What a write can change, kept to undo a write refused part of the way.
    std::array<ControllerState, kControllers> controllers{};
    for (int n = 1; n <= kControllers; ++n)
        if (const Controller* c = p.controller(n)) controllers[static_cast<std::size_t>(n - 1)] = c->state;
    std::array<double, kNumVariables + 1> memory{};
    for (int k = 1; k <= kNumVariables; ++k) memory[static_cast<std::size_t>(k)] = p.sim.mem[k];

    for (int i = 0; i < count;) {
        const Item item = w.coils ? CoilItem(w.start + i) : RegisterItem(w.start + i);
        if (const Exception e = ApplyItem(p, item, w.values.data() + i)) {
            for (int n = 1; n <= kControllers; ++n)
                if (Controller* c = p.controller(n)) c->state = controllers[static_cast<std::size_t>(n - 1)];
            for (int k = 1; k <= kNumVariables; ++k) p.sim.mem[k] = memory[static_cast<std::size_t>(k)];
            return e;
        }
        i += item.width;
    }
    return kNoException;
}

}  // namespace kivo::modbus
