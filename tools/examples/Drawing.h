#pragma once
// A small raster canvas for the example pictures: lines, circles, polygons
// and a pixel font, drawn at a multiple of the final size and averaged down,
// so that edges come out smooth. Pictures are written as 24-bit BMP files.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kivo::examples {

struct Colour {
    std::uint8_t r = 0, g = 0, b = 0;
};

struct Point {
    double x = 0, y = 0;
};

// A finished picture at its final size, rows from the top.
struct Image {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // 3 bytes per pixel

    Colour Pixel(int x, int y) const;
    // Averages boxes of pixels down to the given size.
    Image Downscaled(int width, int height) const;
    // The bytes of a 24-bit uncompressed BMP file.
    std::string Bmp() const;
    void WriteBmp(const std::filesystem::path& path) const;
};

enum class Align { Left, Centre, Right };

class Canvas {
public:
    // Coordinates are those of the final picture; drawing happens at
    // `super` times that size.
    Canvas(int width, int height, Colour background, int super = 3);

    int width() const { return width_; }
    int height() const { return height_; }

    // A segment with round ends, esp pixels wide.
    void Line(Point a, Point b, double width, Colour c);
    void Polyline(const std::vector<Point>& p, double width, Colour c);
    // Dashes of length dash separated by gap, along a polyline.
    void DashedLine(const std::vector<Point>& p, double width, Colour c, double dash = 6, double gap = 4);
    // A polyline ending in a filled arrow head.
    void Arrow(const std::vector<Point>& p, double width, Colour c, double headLength = 9);
    void Rectangle(double x, double y, double w, double h, Colour fill);
    void Frame(double x, double y, double w, double h, double width, Colour c);
    // Without a fill colour only the outline is drawn.
    void RoundedRectangle(double x, double y, double w, double h, double radius, std::optional<Colour> fill,
                              double width, Colour outline);
    void Circle(Point c, double r, Colour fill);
    void Ring(Point c, double r, double width, Colour colour);
    void Ellipse(Point c, double rx, double ry, Colour fill);
    void Polygon(const std::vector<Point>& p, Colour fill);
    void OutlinedPolygon(const std::vector<Point>& p, Colour fill, double width, Colour outline);

    // Upper-case text in the 5x7 pixel font; scale is the size of one font
    // pixel. y is the top of the text.
    void Text(double x, double y, std::string_view text, double scale, Colour c, Align al = Align::Left);
    static double TextWidth(std::string_view text, double scale);
    static double TextHeight(double scale) { return 7 * scale; }

    Image Final() const;

private:
    // Runs f(px, py) for every fine pixel whose centre lies in the box.
    template <class F>
    void ForEachPixel(double x0, double y0, double x1, double y1, F&& f);
    void SetPixel(int px, int py, Colour c);

    int width_, height_, super_;
    int lf_, af_;  // fine size
    std::vector<std::uint8_t> fine_;
};

// The pixel rows of a glyph (7 rows of 5 bits, bit 4 on the left), or null
// for a character the font lacks.
const std::uint8_t* Glyph(char c);

}  // namespace kivo::examples
