#include "Drawing.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace kivo::examples {

Colour Image::Pixel(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
    return Colour{rgb[i], rgb[i + 1], rgb[i + 2]};
}

Image Image::Downscaled(int w, int h) const {
    Image r{w, h, std::vector<std::uint8_t>(static_cast<std::size_t>(w) * h * 3)};
    for (int y = 0; y < h; ++y) {
        const int y0 = y * height / h;
        const int y1 = std::max(y0 + 1, (y + 1) * height / h);
        for (int x = 0; x < w; ++x) {
            const int x0 = x * width / w;
            const int x1 = std::max(x0 + 1, (x + 1) * width / w);
            unsigned sum[3] = {0, 0, 0};
            for (int yy = y0; yy < y1; ++yy)
                for (int xx = x0; xx < x1; ++xx) {
                    const Colour c = Pixel(xx, yy);
                    sum[0] += c.r;
                    sum[1] += c.g;
                    sum[2] += c.b;
                }
            const unsigned n = static_cast<unsigned>((y1 - y0) * (x1 - x0));
            const std::size_t i = (static_cast<std::size_t>(y) * w + x) * 3;
            for (int k = 0; k < 3; ++k) r.rgb[i + k] = static_cast<std::uint8_t>((sum[k] + n / 2) / n);
        }
    }
    return r;
}

std::string Image::Bmp() const {
    const std::uint32_t line = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
    const std::uint32_t data = line * static_cast<std::uint32_t>(height);
    std::string b;
    auto u16 = [&](std::uint32_t v) {
        b += static_cast<char>(v & 0xFF);
        b += static_cast<char>((v >> 8) & 0xFF);
    };
    auto u32 = [&](std::uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    };
    // File header, then the 40-byte information header.
    b += "BM";
    u32(54 + data);
    u32(0);
    u32(54);
    u32(40);
    u32(static_cast<std::uint32_t>(width));
    u32(static_cast<std::uint32_t>(height));  // positive: rows from the bottom
    u16(1);
    u16(24);
    u32(0);
    u32(data);
    u32(2835);  // 72 dpi
    u32(2835);
    u32(0);
    u32(0);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            const Colour c = Pixel(x, y);
            b += static_cast<char>(c.b);
            b += static_cast<char>(c.g);
            b += static_cast<char>(c.r);
        }
        for (std::uint32_t k = static_cast<std::uint32_t>(width) * 3; k < line; ++k) b += '\0';
    }
    return b;
}

void Image::WriteBmp(const std::filesystem::path& path) const {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    const std::string b = Bmp();
    f.write(b.data(), static_cast<std::streamsize>(b.size()));
    if (!f) throw std::runtime_error("cannot write " + path.string());
}

Canvas::Canvas(int width, int height, Colour background, int super)
    : width_(width), height_(height), super_(super), lf_(width * super), af_(height * super) {
    fine_.resize(static_cast<std::size_t>(lf_) * af_ * 3);
    for (std::size_t i = 0; i < fine_.size(); i += 3) {
        fine_[i] = background.r;
        fine_[i + 1] = background.g;
        fine_[i + 2] = background.b;
    }
}

void Canvas::SetPixel(int px, int py, Colour c) {
    const std::size_t i = (static_cast<std::size_t>(py) * lf_ + px) * 3;
    fine_[i] = c.r;
    fine_[i + 1] = c.g;
    fine_[i + 2] = c.b;
}

template <class F>
void Canvas::ForEachPixel(double x0, double y0, double x1, double y1, F&& f) {
    const int px0 = std::max(0, static_cast<int>(std::floor(x0 * super_)));
    const int py0 = std::max(0, static_cast<int>(std::floor(y0 * super_)));
    const int px1 = std::min(lf_ - 1, static_cast<int>(std::ceil(x1 * super_)));
    const int py1 = std::min(af_ - 1, static_cast<int>(std::ceil(y1 * super_)));
    for (int py = py0; py <= py1; ++py)
        for (int px = px0; px <= px1; ++px) f(px, py, (px + 0.5) / super_, (py + 0.5) / super_);
}

void Canvas::Line(Point a, Point b, double width, Colour c) {
    const double r = width / 2;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double l2 = dx * dx + dy * dy;
    ForEachPixel(std::min(a.x, b.x) - r, std::min(a.y, b.y) - r, std::max(a.x, b.x) + r, std::max(a.y, b.y) + r,
          [&](int px, int py, double x, double y) {
              double t = l2 > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / l2 : 0;
              t = std::clamp(t, 0.0, 1.0);
              const double ex = a.x + t * dx - x, ey = a.y + t * dy - y;
              if (ex * ex + ey * ey <= r * r) SetPixel(px, py, c);
          });
}

void Canvas::Polyline(const std::vector<Point>& p, double width, Colour c) {
    for (std::size_t i = 1; i < p.size(); ++i) Line(p[i - 1], p[i], width, c);
}

void Canvas::DashedLine(const std::vector<Point>& p, double width, Colour c, double dash, double gap) {
    double phase = 0;  // position inside the dash pattern
    const double period = dash + gap;
    for (std::size_t i = 1; i < p.size(); ++i) {
        const double dx = p[i].x - p[i - 1].x, dy = p[i].y - p[i - 1].y;
        const double l = std::hypot(dx, dy);
        double s = 0;
        while (s < l) {
            const double patternPos = std::fmod(phase + s, period);
            if (patternPos < dash) {
                const double end = std::min(l, s + dash - patternPos);
                Line({p[i - 1].x + dx * s / l, p[i - 1].y + dy * s / l},
                      {p[i - 1].x + dx * end / l, p[i - 1].y + dy * end / l}, width, c);
                s = end;
            } else {
                s += period - patternPos;
            }
        }
        phase = std::fmod(phase + l, period);
    }
}

void Canvas::Arrow(const std::vector<Point>& p, double width, Colour c, double headLength) {
    if (p.size() < 2) return;
    const Point a = p[p.size() - 2], b = p.back();
    const double l = std::hypot(b.x - a.x, b.y - a.y);
    const double ux = (b.x - a.x) / l, uy = (b.y - a.y) / l;
    std::vector<Point> body = p;
    body.back() = {b.x - ux * headLength * 0.8, b.y - uy * headLength * 0.8};
    Polyline(body, width, c);
    const double halfWidth = headLength * 0.5;
    Polygon({b, {b.x - ux * headLength - uy * halfWidth, b.y - uy * headLength + ux * halfWidth},
              {b.x - ux * headLength + uy * halfWidth, b.y - uy * headLength - ux * halfWidth}},
             c);
}

void Canvas::Rectangle(double x, double y, double w, double h, Colour fill) {
    ForEachPixel(x, y, x + w, y + h, [&](int px, int py, double cx, double cy) {
        if (cx >= x && cx <= x + w && cy >= y && cy <= y + h) SetPixel(px, py, fill);
    });
}

void Canvas::Frame(double x, double y, double w, double h, double width, Colour c) {
    Polyline({{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}, {x, y}}, width, c);
}

void Canvas::RoundedRectangle(double x, double y, double w, double h, double radius, std::optional<Colour> fill,
                                double width, Colour outline) {
    radius = std::min({radius, w / 2, h / 2});
    // Distance from the rounded outline, negative inside.
    auto distance = [&](double px, double py) {
        const double qx = std::fabs(px - (x + w / 2)) - (w / 2 - radius);
        const double qy = std::fabs(py - (y + h / 2)) - (h / 2 - radius);
        const double outOfRange = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outOfRange + std::min(std::max(qx, qy), 0.0) - radius;
    };
    const double m = width;
    ForEachPixel(x - m, y - m, x + w + m, y + h + m, [&](int px, int py, double cx, double cy) {
        const double d = distance(cx, cy);
        if (width > 0 && std::fabs(d) <= width / 2)
            SetPixel(px, py, outline);
        else if (d < 0 && fill)
            SetPixel(px, py, *fill);
    });
}

void Canvas::Circle(Point c, double r, Colour fill) { Ellipse(c, r, r, fill); }

void Canvas::Ring(Point c, double r, double width, Colour colour) {
    const double m = r + width;
    ForEachPixel(c.x - m, c.y - m, c.x + m, c.y + m, [&](int px, int py, double x, double y) {
        if (std::fabs(std::hypot(x - c.x, y - c.y) - r) <= width / 2) SetPixel(px, py, colour);
    });
}

void Canvas::Ellipse(Point c, double rx, double ry, Colour fill) {
    ForEachPixel(c.x - rx, c.y - ry, c.x + rx, c.y + ry, [&](int px, int py, double x, double y) {
        const double u = (x - c.x) / rx, v = (y - c.y) / ry;
        if (u * u + v * v <= 1) SetPixel(px, py, fill);
    });
}

void Canvas::Polygon(const std::vector<Point>& p, Colour fill) {
    if (p.size() < 3) return;
    double x0 = p[0].x, x1 = p[0].x, y0 = p[0].y, y1 = p[0].y;
    for (const Point& q : p) {
        x0 = std::min(x0, q.x);
        x1 = std::max(x1, q.x);
        y0 = std::min(y0, q.y);
        y1 = std::max(y1, q.y);
    }
    // Even-odd rule at the centre of every fine pixel.
    ForEachPixel(x0, y0, x1, y1, [&](int px, int py, double x, double y) {
        bool inside = false;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            if ((p[i].y > y) != (p[j].y > y) &&
                x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                inside = !inside;
        }
        if (inside) SetPixel(px, py, fill);
    });
}

void Canvas::OutlinedPolygon(const std::vector<Point>& p, Colour fill, double width, Colour outline) {
    Polygon(p, fill);
    std::vector<Point> closed = p;
    closed.push_back(p.front());
    Polyline(closed, width, outline);
}

double Canvas::TextWidth(std::string_view text, double scale) {
    return text.empty() ? 0 : (6.0 * static_cast<double>(text.size()) - 1) * scale;
}

void Canvas::Text(double x, double y, std::string_view text, double scale, Colour c, Align al) {
    const double w = TextWidth(text, scale);
    if (al == Align::Centre) x -= w / 2;
    if (al == Align::Right) x -= w;
    for (char ch : text) {
        if (const std::uint8_t* g = Glyph(ch)) {
            for (int lin = 0; lin < 7; ++lin)
                for (int col = 0; col < 5; ++col)
                    if (g[lin] & (0x10 >> col)) Rectangle(x + col * scale, y + lin * scale, scale, scale, c);
        }
        x += 6 * scale;
    }
}

Image Canvas::Final() const {
    Image fine{lf_, af_, fine_};
    return fine.Downscaled(width_, height_);
}

}  // namespace kivo::examples
