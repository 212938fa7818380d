#pragma once
// The fixed Modbus register map of the plant, its values and the writes a
// client may make. Addresses are the protocol's, counted from 0.
//
// Holding registers (input registers answer the same, read-only):
//   0                      the map's version
//   k = 1..124             M(k) as a signed 16-bit number: its % of span x 100
//   1000 + 2(k-1)          M(k) as a 32-bit float in engineering units, high
//                          word first (M100..M124 have no range: %)
//   2000 + 100(n-1) + f    controller n = 1..10, field f (ControllerField)
// Coils (discrete inputs answer the same, read-only): coil k is M(k) for the
// switches (11, 12) and the command buttons (97..99).
//
// A write goes through the checks a user's entry meets on the screen: tracks
// M15..M20, switches and buttons only while they are on the diagram, a
// controller's modes, setpoint and output as its faceplate takes them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kivo {
class Project;
}

namespace kivo::modbus {

inline constexpr int kMapVersion = 1;
inline constexpr int kVersionRegister = 0;
inline constexpr int kFirstFloat = 1000;
inline constexpr int kFirstController = 2000;
inline constexpr int kControllerStride = 100;
inline constexpr int kControllers = 10;

// Offsets of a controller's fields from the start of its block.
enum ControllerField : int {
    kPresent = 0,           // 1 when the slot holds a controller
    kAutomatic = 1,         // 1 automatic, 0 manual (writable)
    kRemote = 2,            // 1 remote setpoint, 0 local (writable)
    kSetpoint = 3,          // % x 100 (writable in local mode)
    kOutput = 4,            // % x 100 (writable in manual)
    kMeasurement = 5,       // PV, % x 100 (as M(100+n))
    kSetpointFloat = 6,     // float, the controller's engineering units (writable in local mode)
    kOutputFloat = 8,       // float, % (writable in manual)
    kMeasurementFloat = 10, // PV, float, engineering units
    kRemoteEnabled = 12,    // 1 when the remote setpoint is enabled, so remote mode may be chosen
    kControllerFields = 13,
};

inline constexpr int ControllerAddress(int n, int field) { return kFirstController + kControllerStride * (n - 1) + field; }
inline constexpr int FloatAddress(int k) { return kFirstFloat + 2 * (k - 1); }
// One past the last holding register and the last coil.
inline constexpr int kRegisterEnd = ControllerAddress(kControllers, kControllerFields);
inline constexpr int kCoilEnd = 100;

// Modbus exception codes, 0 for none.
enum Exception : std::uint8_t {
    kNoException = 0,
    kIllegalFunction = 1,
    kIllegalAddress = 2,
    kIllegalValue = 3,
    kBusy = 6,
};

// What an address holds: one item of the map, one or two registers wide.
struct Item {
    enum class Kind {
        None,
        Version,
        Memory,       // index k of M(k), % x 100
        MemoryFloat,  // index k, engineering units
        Controller,   // index n, field
        Coil,         // index k of M(k)
    };
    Kind kind = Kind::None;
    int index = 0;
    int field = 0;
    int first = 0;  // address of its first register
    int width = 1;
    bool writable = false;  // by the map, whatever the plant's state
};

// The item at a register address or a coil address.
Item RegisterItem(int address);
Item CoilItem(int address);

// The values a client reads, published by the cycle.
struct Image {
    std::vector<std::uint16_t> registers = std::vector<std::uint16_t>(kRegisterEnd);
    std::array<std::uint8_t, kCoilEnd> coils{};
};

void Publish(const Project& p, Image& image);

// Every address of a read is in the map: kNoException or kIllegalAddress.
Exception CheckRead(bool coils, int start, int count);
// The map lets a client write every address, whole floats only: kNoException
// or kIllegalAddress. The plant's state is not looked at.
Exception CheckWrite(bool coils, int start, int count);

// Registers, or coils as 0 and 1, from start on.
struct Write {
    bool coils = false;
    int start = 0;
    std::vector<std::uint16_t> values;
};

// Applies a write in address order as a user's entries, all or nothing:
// kIllegalAddress for an address not writable now (an empty controller slot,
// a widget not on the diagram), kIllegalValue for a value the screen would
// refuse or that the mode does not allow.
Exception Apply(Project& p, const Write& w);

// % x 100, rounded, held to the 16-bit range; NaN reads as -32768.
std::uint16_t PercentRegister(double x);
double PercentOfRegister(std::uint16_t r);
// A 32-bit float, high word first.
std::array<std::uint16_t, 2> FloatRegisters(double x);
double FloatOfRegisters(std::uint16_t high, std::uint16_t low);

// The map as text, in English or Portuguese; with a project, its variables'
// descriptions, units and ranges and its controllers' tags.
std::string MapText(const Project* p, bool english);

}  // namespace kivo::modbus
