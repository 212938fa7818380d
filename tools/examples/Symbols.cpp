#include "Symbols.h"

#include <algorithm>
#include <cmath>

namespace kivo::examples {

using namespace palette;

void Pipe(Canvas& t, const std::vector<Point>& p, Colour c, bool arrow) {
    if (arrow)
        t.Arrow(p, kPipeWidth, c, 11);
    else
        t.Polyline(p, kPipeWidth, c);
}

void SignalLine(Canvas& t, const std::vector<Point>& p) { t.DashedLine(p, kSignalWidth, kSignal, 6, 4); }

namespace {

// The two triangles of a valve body, meeting at c.
void ValveBody(Canvas& t, Point c, Direction d, double a, double b) {
    std::vector<Point> left, dir;
    if (d == Direction::Horizontal) {
        left = {{c.x - a, c.y - b}, {c.x - a, c.y + b}, c};
        dir = {{c.x + a, c.y - b}, {c.x + a, c.y + b}, c};
    } else {
        left = {{c.x - b, c.y - a}, {c.x + b, c.y - a}, c};
        dir = {{c.x - b, c.y + a}, {c.x + b, c.y + a}, c};
    }
    t.OutlinedPolygon(left, kBubble, kOutlineWidth, kLine);
    t.OutlinedPolygon(dir, kBubble, kOutlineWidth, kLine);
}

}  // namespace

void ControlValve(Canvas& t, Point c, Direction d) {
    ValveBody(t, c, d, 13, 9);
    // Stem and diaphragm: above a horizontal valve, to the left of a vertical one.
    if (d == Direction::Horizontal) {
        t.Line(c, {c.x, c.y - 20}, kOutlineWidth, kLine);
        std::vector<Point> dome;
        for (int i = 0; i <= 16; ++i) {
            const double a = M_PI * i / 16;
            dome.push_back({c.x - 11 * std::cos(a), c.y - 20 - 9 * std::sin(a)});
        }
        t.OutlinedPolygon(dome, kEquipment, kOutlineWidth, kLine);
    } else {
        t.Line(c, {c.x - 20, c.y}, kOutlineWidth, kLine);
        std::vector<Point> dome;
        for (int i = 0; i <= 16; ++i) {
            const double a = M_PI * i / 16;
            dome.push_back({c.x - 20 - 9 * std::sin(a), c.y - 11 * std::cos(a)});
        }
        t.OutlinedPolygon(dome, kEquipment, kOutlineWidth, kLine);
    }
}

void HandValve(Canvas& t, Point c, Direction d) { ValveBody(t, c, d, 10, 7); }

void Pump(Canvas& t, Point c, double r) {
    t.Polygon({{c.x - r * 0.7, c.y + r + 6}, {c.x + r * 0.7, c.y + r + 6}, {c.x, c.y}}, kLine);
    t.Circle(c, r, kEquipment);
    t.Ring(c, r, kOutlineWidth, kLine);
    // Discharge leaving tangentially at the top.
    t.Line({c.x, c.y - r}, {c.x + r, c.y - r}, kPipeWidth, kLine);
    t.Line({c.x + r, c.y - r}, {c.x + r, c.y - r - 6}, kPipeWidth, kLine);
    t.Polygon({{c.x - r * 0.45, c.y - r * 0.5}, {c.x - r * 0.45, c.y + r * 0.5}, {c.x + r * 0.55, c.y}}, kLine);
}

void Blower(Canvas& t, Point c, double r) {
    t.Circle(c, r, kEquipment);
    t.Ring(c, r, kOutlineWidth, kLine);
    for (int i = 0; i < 4; ++i) {
        const double a = M_PI / 4 + i * M_PI / 2;
        t.Line(c, {c.x + r * 0.8 * std::cos(a), c.y + r * 0.8 * std::sin(a)}, 2.5, kLine);
    }
    t.Line({c.x, c.y - r}, {c.x + r, c.y - r}, kPipeWidth, kLine);
}

void Motor(Canvas& t, Point c, const std::string& text) {
    t.Circle(c, 11, kBubble);
    t.Ring(c, 11, kOutlineWidth, kLine);
    Label(t, c.x, c.y - 5, text, Align::Centre, kLine, 1.4);
}

void VerticalVessel(Canvas& t, double x, double y, double w, double h, double level) {
    const double radius = w * 0.45;
    t.RoundedRectangle(x, y, w, h, radius, kEquipment, kOutlineWidth, kLine);
    if (level >= 0) {
        const double top = y + h - level * h;
        // The liquid: the vessel's shape below the level line, row by row.
        for (double yy = std::max(top, y + 1); yy < y + h - 1; yy += 0.34) {
            const double dy = std::max({0.0, (y + radius) - yy, yy - (y + h - radius)});
            const double inset = radius - std::sqrt(std::max(0.0, radius * radius - dy * dy));
            t.Rectangle(x + 1.5 + inset, yy, w - 3 - 2 * inset, 0.34, kLiquid);
        }
        t.Line({x + 4, top}, {x + w - 4, top}, 1.2, kWater);
        t.RoundedRectangle(x, y, w, h, radius, std::nullopt, kOutlineWidth, kLine);
    }
}

void OpenTank(Canvas& t, double x, double y, double w, double h, double level) {
    t.Rectangle(x, y, w, h, kEquipment);
    const double top = y + h - level * h;
    t.Rectangle(x, top, w, y + h - top, kLiquid);
    t.Line({x, top}, {x + w, top}, 1.2, kWater);
    t.Polyline({{x, y}, {x, y + h}, {x + w, y + h}, {x + w, y}}, kOutlineWidth + 0.5, kLine);
}

void HorizontalDrum(Canvas& t, double x, double y, double w, double h, double level) {
    t.RoundedRectangle(x, y, w, h, h / 2, kEquipment, kOutlineWidth, kLine);
    if (level >= 0) {
        const double r = h / 2;
        const double top = y + h - level * h;
        for (double yy = std::max(top, y + 1); yy < y + h - 1; yy += 0.34) {
            const double dy = yy - (y + r);
            const double inset = r - std::sqrt(std::max(0.0, r * r - dy * dy));
            t.Rectangle(x + 1.5 + inset, yy, w - 3 - 2 * inset, 0.34, kLiquid);
        }
        const double dy = top - (y + r);
        const double inset = r - std::sqrt(std::max(0.0, r * r - dy * dy));
        t.Line({x + inset + 3, top}, {x + w - inset - 3, top}, 1.2, kWater);
        t.RoundedRectangle(x, y, w, h, h / 2, std::nullopt, kOutlineWidth, kLine);
    }
}

void Exchanger(Canvas& t, double x, double y, double w, double h) {
    t.RoundedRectangle(x, y, w, h, h / 2, kEquipment, kOutlineWidth, kLine);
    // Tube passes drawn as a zig-zag.
    std::vector<Point> z;
    const int n = 6;
    for (int i = 0; i <= n; ++i)
        z.push_back({x + h / 2 + (w - h) * i / n, (i % 2 == 0) ? y + h * 0.3 : y + h * 0.7});
    t.Polyline(z, 2, kLine);
}

void JacketedReactor(Canvas& t, double x, double y, double w, double h, double level, double gap) {
    t.RoundedRectangle(x - gap, y + h * 0.2, w + 2 * gap, h * 0.8 + gap, w * 0.35, kPanel, kOutlineWidth,
                           kLine);
    VerticalVessel(t, x, y, w, h, level);
    const double cx = x + w / 2;
    t.Line({cx, y - 26}, {cx, y + h * 0.8}, 2.5, kLine);
    t.OutlinedPolygon({{cx - 22, y + h * 0.8 - 6}, {cx + 22, y + h * 0.8 - 6}, {cx + 22, y + h * 0.8 + 2},
                        {cx - 22, y + h * 0.8 + 2}},
                       kLine, 1, kLine);
    Motor(t, {cx, y - 34});
}

void Flame(Canvas& t, Point c, double height) {
    const double l = height * 0.35;
    t.Polygon({{c.x - l, c.y}, {c.x - l * 0.6, c.y - height * 0.5}, {c.x, c.y - height},
                {c.x + l * 0.6, c.y - height * 0.5}, {c.x + l, c.y}},
               kFire);
    t.Polygon({{c.x - l * 0.5, c.y}, {c.x, c.y - height * 0.6}, {c.x + l * 0.5, c.y}}, kBrightFire);
}

void Furnace(Canvas& t, double x, double y, double w, double h) {
    const double cx = x + w / 2;
    // Stack and convection section.
    t.OutlinedPolygon({{x + w * 0.1, y + h * 0.25}, {x + w * 0.35, y}, {x + w * 0.65, y}, {x + w * 0.9, y + h * 0.25}},
                       kEquipment, kOutlineWidth, kLine);
    t.Rectangle(cx - w * 0.08, y - h * 0.25, w * 0.16, h * 0.25 + 1, kEquipment);
    t.Frame(cx - w * 0.08, y - h * 0.25, w * 0.16, h * 0.25, kOutlineWidth, kLine);
    t.Rectangle(x, y + h * 0.25, w, h * 0.75, kEquipment);
    t.Frame(x, y + h * 0.25, w, h * 0.75, kOutlineWidth, kLine);
    // Radiant coil along the walls.
    std::vector<Point> coil;
    for (int i = 0; i <= 8; ++i) {
        const double yy = y + h * 0.32 + (h * 0.5) * i / 8;
        coil.push_back({(i % 2 == 0) ? x + 10 : x + w - 10, yy});
    }
    t.Polyline(coil, 1.6, kMutedText);
    for (int i = 1; i <= 3; ++i) Flame(t, {x + w * i / 4, y + h - 4}, h * 0.28);
}

void Column(Canvas& t, double x, double y, double w, double h, int trays) {
    t.RoundedRectangle(x, y, w, h, w * 0.45, kEquipment, kOutlineWidth, kLine);
    for (int i = 1; i <= trays; ++i) {
        const double yy = y + w * 0.5 + (h - w) * i / (trays + 1);
        if (i % 2 == 0)
            t.Line({x + 2, yy}, {x + w * 0.72, yy}, 1.6, kLine);
        else
            t.Line({x + w * 0.28, yy}, {x + w - 2, yy}, 1.6, kLine);
    }
}

void AirCooler(Canvas& t, double x, double y, double w, double h) {
    t.Rectangle(x, y, w, h * 0.45, kEquipment);
    t.Frame(x, y, w, h * 0.45, kOutlineWidth, kLine);
    for (int i = 1; i < 6; ++i) t.Line({x + 4, y + h * 0.45 * i / 6}, {x + w - 4, y + h * 0.45 * i / 6}, 1, kLine);
    const double cx = x + w / 2, cy = y + h * 0.75;
    t.Ellipse({cx - w * 0.18, cy}, w * 0.16, h * 0.08, kEquipment);
    t.Ellipse({cx + w * 0.18, cy}, w * 0.16, h * 0.08, kEquipment);
    t.Line({cx - w * 0.34, cy}, {cx + w * 0.34, cy}, 1.6, kLine);
    t.Circle({cx, cy}, 4, kLine);
    t.Line({cx, cy}, {cx, y + h * 0.45}, 1.6, kLine);
}

void OrificePlate(Canvas& t, Point c, Direction d) {
    if (d == Direction::Horizontal) {
        t.Line({c.x - 3, c.y - 10}, {c.x - 3, c.y + 10}, 2, kLine);
        t.Line({c.x + 3, c.y - 10}, {c.x + 3, c.y + 10}, 2, kLine);
    } else {
        t.Line({c.x - 10, c.y - 3}, {c.x + 10, c.y - 3}, 2, kLine);
        t.Line({c.x - 10, c.y + 3}, {c.x + 10, c.y + 3}, 2, kLine);
    }
}

void Instrument(Canvas& t, Point c, const std::string& letters, const std::string& number) {
    t.Circle(c, kBubbleRadius, kBubble);
    t.Ring(c, kBubbleRadius, kOutlineWidth, kSignal);
    t.Line({c.x - kBubbleRadius, c.y}, {c.x + kBubbleRadius, c.y}, 1.2, kSignal);
    const double scale = letters.size() > 3 ? 1.2 : 1.6;
    t.Text(c.x, c.y - 3 - Canvas::TextHeight(scale), letters, scale, kLine, Align::Centre);
    t.Text(c.x, c.y + 4, number, 1.2, kLine, Align::Centre);
}

void Function(Canvas& t, Point c, const std::string& symbol, double side) {
    t.RoundedRectangle(c.x - side / 2, c.y - side / 2, side, side, 3, kBubble, kOutlineWidth, kSignal);
    t.Text(c.x, c.y - Canvas::TextHeight(1.8) / 2, symbol, 1.8, kLine, Align::Centre);
}

void Label(Canvas& t, double x, double y, const std::string& text, Align al, Colour c, double scale) {
    t.Text(x, y, text, scale, c, al);
}

}  // namespace kivo::examples
