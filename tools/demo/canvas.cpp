#include "canvas.h"

#include "font.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace cockpix::demo {
namespace {

std::uint32_t rgb(int r, int g, int b) {
    return static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b);
}

double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Clockwise angle from 12 o'clock of the vector (dx, dy), 0..360.
double dialAngle(double dx, double dy) {
    const double angle = std::atan2(dx, -dy) * 180 / std::numbers::pi;
    return angle < 0 ? angle + 360 : angle;
}

double distanceToSegment(Point p, Point a, Point b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double length2 = vx * vx + vy * vy;
    double t = length2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

} // namespace

std::array<std::uint32_t, 256> demoPalette() {
    std::array<std::uint32_t, 256> palette{};
    for (int level = 0; level < 32; ++level) {
        const int v = level * 255 / 31;
        palette[grey(level)] = rgb(v, v, v);
    }
    palette[White] = rgb(250, 250, 245);
    palette[FaceBlack] = rgb(22, 22, 24);
    palette[Red] = rgb(215, 35, 30);
    palette[Green] = rgb(40, 175, 65);
    palette[Yellow] = rgb(240, 205, 40);
    palette[Amber] = rgb(255, 150, 20);
    palette[SkyBlue] = rgb(55, 125, 205);
    palette[SkyLight] = rgb(110, 170, 235);
    palette[Ground] = rgb(140, 90, 40);
    palette[GroundDark] = rgb(105, 65, 28);
    palette[Orange] = rgb(245, 125, 20);
    palette[PanelMid] = rgb(72, 80, 90);
    palette[PanelLight] = rgb(118, 126, 136);
    palette[PanelDark] = rgb(42, 46, 52);
    palette[Bezel] = rgb(32, 32, 36);
    palette[Glare] = rgb(26, 26, 30);
    palette[Screw] = rgb(165, 165, 170);
    palette[LcdText] = rgb(120, 255, 130);
    palette[LcdBack] = rgb(18, 38, 22);
    palette[LedRed] = rgb(255, 70, 40);
    palette[Cream] = rgb(232, 226, 200);
    palette[Magenta] = rgb(205, 70, 205);
    palette[BezelEdge] = rgb(80, 82, 88);
    for (int shade = 0; shade < 16; ++shade)
        palette[MetalFirst + shade] = rgb(78 + shade * 3, 86 + shade * 3, 96 + shade * 3);
    return palette;
}

Point onCircle(Point centre, double radius, double angle) {
    return {centre.x + radius * std::sin(radians(angle)),
            centre.y - radius * std::cos(radians(angle))};
}

Canvas::Canvas(int width, int height, std::uint8_t fill) : m_image(width, height, fill) {
    m_image.palette = demoPalette();
}

void Canvas::set(int x, int y, std::uint8_t color) {
    if (x >= 0 && y >= 0 && x < width() && y < height())
        m_image.at(x, y) = color;
}

std::uint8_t Canvas::get(int x, int y) const {
    return x >= 0 && y >= 0 && x < width() && y < height() ? m_image.at(x, y) : std::uint8_t{Black};
}

void Canvas::fillRect(double x, double y, double w, double h, std::uint8_t color) {
    const int x0 = std::max(0, static_cast<int>(std::lround(x)));
    const int y0 = std::max(0, static_cast<int>(std::lround(y)));
    const int x1 = std::min(width(), static_cast<int>(std::lround(x + w)));
    const int y1 = std::min(height(), static_cast<int>(std::lround(y + h)));
    for (int py = y0; py < y1; ++py)
        for (int px = x0; px < x1; ++px)
            m_image.at(px, py) = color;
}

void Canvas::frameRect(double x, double y, double w, double h, int t, std::uint8_t color) {
    fillRect(x, y, w, t, color);
    fillRect(x, y + h - t, w, t, color);
    fillRect(x, y, t, h, color);
    fillRect(x + w - t, y, t, h, color);
}

void Canvas::fillCircle(Point c, double radius, std::uint8_t color) {
    fillArc(c, 0, radius, 0, 360, color);
}

void Canvas::fillArc(Point c, double inner, double outer, double from, double to,
                     std::uint8_t color) {
    const int x0 = std::max(0, static_cast<int>(c.x - outer - 1));
    const int x1 = std::min(width() - 1, static_cast<int>(c.x + outer + 1));
    const int y0 = std::max(0, static_cast<int>(c.y - outer - 1));
    const int y1 = std::min(height() - 1, static_cast<int>(c.y + outer + 1));
    const bool whole = to - from >= 360;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y;
            const double r = std::hypot(dx, dy);
            if (r < inner || r > outer)
                continue;
            if (!whole) {
                double a = dialAngle(dx, dy);
                while (a < from)
                    a += 360;
                if (a > to)
                    continue;
            }
            m_image.at(x, y) = color;
        }
    }
}

void Canvas::line(Point a, Point b, double thickness, std::uint8_t color) {
    const double half = thickness / 2;
    const int x0 = std::max(0, static_cast<int>(std::min(a.x, b.x) - half - 1));
    const int x1 = std::min(width() - 1, static_cast<int>(std::max(a.x, b.x) + half + 1));
    const int y0 = std::max(0, static_cast<int>(std::min(a.y, b.y) - half - 1));
    const int y1 = std::min(height() - 1, static_cast<int>(std::max(a.y, b.y) + half + 1));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (distanceToSegment({x + 0.5, y + 0.5}, a, b) <= half)
                m_image.at(x, y) = color;
}

void Canvas::fillPolygon(const std::vector<Point>& points, std::uint8_t color) {
    if (points.size() < 3)
        return;
    for (int y = 0; y < height(); ++y) {
        const double sy = y + 0.5;
        std::vector<double> crossings;
        for (std::size_t k = 0; k < points.size(); ++k) {
            const Point p = points[k], q = points[(k + 1) % points.size()];
            if ((p.y <= sy) != (q.y <= sy))
                crossings.push_back(p.x + (sy - p.y) / (q.y - p.y) * (q.x - p.x));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
            for (int x = std::max(0, static_cast<int>(std::ceil(crossings[k] - 0.5)));
                 x < width() && x + 0.5 <= crossings[k + 1]; ++x)
                m_image.at(x, y) = color;
    }
}

void Canvas::tick(Point c, double angle, double r0, double r1, double thickness,
                  std::uint8_t color) {
    line(onCircle(c, r0, angle), onCircle(c, r1, angle), thickness, color);
}

void Canvas::needle(Point c, double angle, double length, double w, std::uint8_t color) {
    fillPolygon({onCircle(c, w / 2, angle - 90), onCircle(c, length, angle),
                 onCircle(c, w / 2, angle + 90), onCircle(c, length * 0.18, angle + 180)},
                color);
    fillCircle(c, w * 0.8, color);
}

int Canvas::textWidth(std::string_view text, int scale) {
    return text.empty() ? 0 : static_cast<int>(text.size()) * 6 * scale - scale;
}

void Canvas::text(Point centre, std::string_view text, int scale, std::uint8_t color) {
    const int left = static_cast<int>(std::lround(centre.x - textWidth(text, scale) / 2.0));
    const int top = static_cast<int>(std::lround(centre.y - 3.5 * scale));
    for (std::size_t k = 0; k < text.size(); ++k) {
        const auto rows = glyph(text[k]);
        const int x = left + static_cast<int>(k) * 6 * scale;
        for (int row = 0; row < 7; ++row)
            for (int dot = 0; dot < 5; ++dot)
                if (rows[row] & (1u << (4 - dot)))
                    fillRect(x + dot * scale, top + row * scale, scale, scale, color);
    }
}

void Canvas::roundInstrument(double faceRadiusFraction) {
    const double size = std::min(width(), height());
    fillRect(0, 0, width(), height(), PanelDark);
    frameRect(0, 0, width(), height(), 1, BezelEdge);
    const Point c{width() / 2.0, height() / 2.0};
    fillCircle(c, size * 0.49, BezelEdge);
    fillCircle(c, size * 0.47, Bezel);
    fillCircle(c, size * faceRadiusFraction, FaceBlack);
    for (const Point corner :
         {Point{0.09, 0.09}, Point{0.91, 0.09}, Point{0.09, 0.91}, Point{0.91, 0.91}}) {
        const Point s{corner.x * width(), corner.y * height()};
        fillCircle(s, size * 0.035, Screw);
        line({s.x - size * 0.025, s.y}, {s.x + size * 0.025, s.y}, 1, PanelDark);
    }
}

void Canvas::rectInstrument(int margin, std::uint8_t face) {
    fillRect(0, 0, width(), height(), PanelDark);
    frameRect(0, 0, width(), height(), 1, BezelEdge);
    fillRect(margin - 2, margin - 2, width() - 2 * margin + 4, height() - 2 * margin + 4, Bezel);
    fillRect(margin, margin, width() - 2 * margin, height() - 2 * margin, face);
    const double r = std::max(2.0, margin * 0.3);
    for (const Point s :
         {Point{margin / 2.0, margin / 2.0}, Point{width() - margin / 2.0, margin / 2.0},
          Point{margin / 2.0, height() - margin / 2.0},
          Point{width() - margin / 2.0, height() - margin / 2.0}})
        fillCircle(s, r, Screw);
}

void brushedMetal(Canvas& c, std::uint32_t seed) {
    std::uint32_t state = seed;
    auto next = [&state] {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    };
    for (int y = 0; y < c.height(); ++y) {
        const int streak = next() % 3 - 1;
        for (int x = 0; x < c.width(); ++x) {
            const int shade = 7 + streak + (next() % 5 == 0 ? next() % 3 - 1 : 0);
            c.set(x, y, static_cast<std::uint8_t>(MetalFirst + std::clamp(shade, 0, 15)));
        }
    }
}

} // namespace cockpix::demo
