#pragma once
// Process symbols of the example pictures, drawn in one style: equipment in
// light grey with a dark outline, process lines dark, signal lines dashed
// blue, instrument bubbles white with a blue ring.
#include <string>
#include <vector>

#include "Drawing.h"

namespace kivo::examples {

namespace palette {
inline constexpr Colour kBackground{250, 251, 253};
inline constexpr Colour kLine{44, 52, 64};        // process lines and outlines
inline constexpr Colour kEquipment{224, 230, 238};
inline constexpr Colour kLiquid{168, 204, 236};
inline constexpr Colour kWater{40, 110, 200};
inline constexpr Colour kVapor{196, 64, 56};
inline constexpr Colour kGas{150, 120, 30};
inline constexpr Colour kAr{90, 150, 90};
inline constexpr Colour kBiogas{128, 80, 160};
inline constexpr Colour kSignal{40, 96, 200};
inline constexpr Colour kBubble{255, 255, 255};
inline constexpr Colour kFire{244, 134, 36};
inline constexpr Colour kBrightFire{252, 206, 64};
inline constexpr Colour kText{44, 52, 64};
inline constexpr Colour kMutedText{120, 128, 140};
inline constexpr Colour kPanel{236, 240, 246};
}  // namespace palette

inline constexpr double kPipeWidth = 3;
inline constexpr double kOutlineWidth = 2;
inline constexpr double kSignalWidth = 1.5;
inline constexpr double kBubbleRadius = 20;

enum class Direction { Horizontal, Vertical };

// A process line; the last segment ends in an arrow when arrow is set.
void Pipe(Canvas& t, const std::vector<Point>& p, Colour c = palette::kLine, bool arrow = false);
// A dashed signal line between an instrument and what it acts on.
void SignalLine(Canvas& t, const std::vector<Point>& p);

// Control valve with a diaphragm actuator, centred on its pipe.
void ControlValve(Canvas& t, Point c, Direction d = Direction::Horizontal);
// Hand valve (no actuator).
void HandValve(Canvas& t, Point c, Direction d = Direction::Horizontal);
// Centrifugal pump: suction on the left, discharge upwards on the right.
void Pump(Canvas& t, Point c, double r = 16);
// Fan or blower: suction on the left, discharge upwards.
void Blower(Canvas& t, Point c, double r = 16);
// Motor with a speed drive beside a pump or fan at c (the motor sits below).
void Motor(Canvas& t, Point c, const std::string& text = "M");

// Vertical vessel with rounded heads; level in 0..1 fills it (below 0: empty).
void VerticalVessel(Canvas& t, double x, double y, double w, double h, double level = -1);
// Open tank.
void OpenTank(Canvas& t, double x, double y, double w, double h, double level);
// Horizontal drum.
void HorizontalDrum(Canvas& t, double x, double y, double w, double h, double level = -1);
// Shell and tube exchanger: shell from x to x+w, tube coil inside.
void Exchanger(Canvas& t, double x, double y, double w, double h);
// Jacketed reactor with agitator; the jacket is `gap` wide.
void JacketedReactor(Canvas& t, double x, double y, double w, double h, double level, double gap = 10);
// Fired heater: box with a stack, a coil and burners at the bottom.
void Furnace(Canvas& t, double x, double y, double w, double h);
// Column with trays.
void Column(Canvas& t, double x, double y, double w, double h, int trays);
// Air cooler: a tube bank with a fan below.
void AirCooler(Canvas& t, double x, double y, double w, double h);
// A flame, base at c.
void Flame(Canvas& t, Point c, double height);

// Orifice plate across a pipe (the primary element of a flow meter).
void OrificePlate(Canvas& t, Point c, Direction d = Direction::Horizontal);

// Instrument bubble: letters above the line, number below.
void Instrument(Canvas& t, Point c, const std::string& letters, const std::string& number);
// Calculation function box with its symbol (for example "X", "<", ">", "+").
void Function(Canvas& t, Point c, const std::string& symbol, double side = 26);

// Small label in the pixel font (upper case).
void Label(Canvas& t, double x, double y, const std::string& text, Align al = Align::Left,
            Colour c = palette::kText, double scale = 1.4);

}  // namespace kivo::examples
