#pragma once

// A small rasteriser for the demo pictures: filled shapes, thick lines and a bitmap font on
// an 8-bit image with one palette shared by every picture of the demo installation.

#include "gaugefiles/core/bmpwriter.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace cockpix::demo {

// Palette indices. 1..32 are a grey ramp from black to white; 64..79 the panel metal.
enum Color : std::uint8_t {
    Black = 0,
    White = 40,
    FaceBlack = 41,
    Red = 42,
    Green = 43,
    Yellow = 44,
    Amber = 45,
    SkyBlue = 46,
    SkyLight = 47,
    Ground = 48,
    GroundDark = 49,
    Orange = 50,
    PanelMid = 51,
    PanelLight = 52,
    PanelDark = 53,
    Bezel = 54,
    Glare = 55,
    Screw = 56,
    LcdText = 57,
    LcdBack = 58,
    LedRed = 59,
    Cream = 60,
    Magenta = 62,
    BezelEdge = 63,
    MetalFirst = 64, // 16 shades of panel metal
};
inline std::uint8_t grey(int level /* 0..31 */) {
    return static_cast<std::uint8_t>(1 + level);
}

// The demo palette (0x00RRGGBB).
std::array<std::uint32_t, 256> demoPalette();

struct Point {
    double x = 0;
    double y = 0;
};

// Angles are in degrees, clockwise from 12 o'clock, as on an instrument dial.
Point onCircle(Point centre, double radius, double angle);

class Canvas {
public:
    Canvas(int width, int height, std::uint8_t fill = Black);

    int width() const { return m_image.width; }
    int height() const { return m_image.height; }
    const IndexedImage& image() const { return m_image; }
    void set(int x, int y, std::uint8_t color);
    std::uint8_t get(int x, int y) const;

    void fillRect(double x, double y, double w, double h, std::uint8_t color);
    void frameRect(double x, double y, double w, double h, int thickness, std::uint8_t color);
    void fillCircle(Point centre, double radius, std::uint8_t color);
    // The ring between two radii, limited to the angles from..to (clockwise).
    void fillArc(Point centre, double inner, double outer, double from, double to,
                 std::uint8_t color);
    void line(Point a, Point b, double thickness, std::uint8_t color);
    void fillPolygon(const std::vector<Point>& points, std::uint8_t color);
    // A radial mark from radius r0 to r1 at angle.
    void tick(Point centre, double angle, double r0, double r1, double thickness,
              std::uint8_t color);
    // A tapered needle from the centre to length at angle, with a short tail.
    void needle(Point centre, double angle, double length, double width, std::uint8_t color);

    // Text in the 5 x 7 font, scale pixels per font dot, centred on (x, y).
    void text(Point centre, std::string_view text, int scale, std::uint8_t color);
    static int textWidth(std::string_view text, int scale);

    // Square instrument plate with a dark bezel, four screws and a round black face.
    void roundInstrument(double faceRadiusFraction = 0.44);
    // Rectangular plate with screws and a face inset by margin.
    void rectInstrument(int margin, std::uint8_t face = FaceBlack);

private:
    IndexedImage m_image;
};

// Fills the whole canvas with streaked panel metal; seed varies the streaks.
void brushedMetal(Canvas& c, std::uint32_t seed);

} // namespace cockpix::demo
