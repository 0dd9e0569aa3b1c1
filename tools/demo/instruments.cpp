#include "instruments.h"

#include <cmath>
#include <string>

namespace cockpix::demo {
namespace {

constexpr int kDial = 128;
const Point kCentre{kDial / 2.0, kDial / 2.0};
constexpr double kFace = kDial * 0.44;

// A dial scale: value v maps to angle from + (v - lo) / (hi - lo) * sweep.
struct Scale {
    double lo, hi, from, sweep;
    double angle(double v) const { return from + (v - lo) / (hi - lo) * sweep; }
};

void ticks(Canvas& c, const Scale& s, double step, double r0, double r1, double thickness) {
    for (double v = s.lo; v <= s.hi + 1e-9; v += step)
        c.tick(kCentre, s.angle(v), r0, r1, thickness, White);
}

void numbers(Canvas& c, const Scale& s, double step, double radius, double divisor = 1) {
    for (double v = s.lo; v <= s.hi + 1e-9; v += step)
        c.text(onCircle(kCentre, radius, s.angle(v)),
               std::to_string(static_cast<int>(std::lround(v / divisor))), 1, White);
}

void arc(Canvas& c, const Scale& s, double v0, double v1, double r0, double r1,
         std::uint8_t color) {
    c.fillArc(kCentre, r0, r1, s.angle(v0), s.angle(v1), color);
}

void hub(Canvas& c) {
    c.fillCircle(kCentre, 4, grey(6));
    c.fillCircle(kCentre, 2, grey(20));
}

// A rounded gauge with a scale, numbers, label and needle: tachometer, manifold, ammeter.
Canvas engineDial(const Scale& s, double major, double minor, double labelStep, double divisor,
                  const char* top, const char* bottom, double green0, double green1, double redLine,
                  double reading) {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    arc(c, s, green0, green1, kFace - 8, kFace - 2, Green);
    if (redLine > s.lo)
        c.tick(kCentre, s.angle(redLine), kFace - 12, kFace - 1, 3, Red);
    ticks(c, s, minor, kFace - 5, kFace - 1, 1);
    ticks(c, s, major, kFace - 10, kFace - 1, 2);
    numbers(c, s, labelStep, kFace - 19, divisor);
    c.text({kCentre.x, kCentre.y - 16}, top, 1, White);
    c.text({kCentre.x, kCentre.y + 22}, bottom, 1, grey(24));
    c.needle(kCentre, s.angle(reading), kFace - 6, 5, White);
    hub(c);
    return c;
}

// A horizontal bar scale with a pointer, for the fuel and oil gauges.
void barScale(Canvas& c, double x, double y, double w, const char* label, const char* left,
              const char* right, double green0, double green1, double reading) {
    c.text({x - 14, y}, label, 1, White);
    c.fillRect(x + w * green0, y - 7, w * (green1 - green0), 4, Green);
    c.fillRect(x, y - 2, w, 2, White);
    for (int k = 0; k <= 4; ++k)
        c.fillRect(x + w * k / 4 - 1, y - 8, 2, k % 2 ? 5 : 8, White);
    c.text({x, y + 9}, left, 1, grey(24));
    c.text({x + w, y + 9}, right, 1, grey(24));
    const double px = x + w * reading;
    c.fillPolygon({{px, y - 3}, {px - 5, y - 13}, {px + 5, y - 13}}, Orange);
}

void lcd(Canvas& c, double x, double y, double w, double h, const std::string& text,
         std::uint8_t color) {
    c.fillRect(x - 1, y - 1, w + 2, h + 2, grey(3));
    c.fillRect(x, y, w, h, LcdBack);
    c.text({x + w / 2, y + h / 2}, text, 2, color);
}

void knob(Canvas& c, Point at, double r) {
    c.fillCircle(at, r + 1, grey(2));
    c.fillCircle(at, r, grey(9));
    c.fillCircle(at, r * 0.55, grey(14));
}

Canvas crossedOut(int width, int height, const char* caption1, const char* caption2) {
    Canvas c(width, height, grey(16));
    c.line({4, 4}, {width - 5.0, height - 5.0}, 3, Red);
    c.line({width - 5.0, 4}, {4, height - 5.0}, 3, Red);
    c.frameRect(0, 0, width, height, 2, grey(4));
    const int scale = width >= 200 ? 2 : 1;
    const double boxW = Canvas::textWidth(caption2, scale) + 8.0 * scale;
    c.fillRect(width / 2.0 - boxW / 2, height / 2.0 - 12 * scale, boxW, 24 * scale, grey(26));
    c.text({width / 2.0, height / 2.0 - 5 * scale}, caption1, scale, Red);
    c.text({width / 2.0, height / 2.0 + 5 * scale}, caption2, scale, grey(2));
    return c;
}

} // namespace

Canvas drawAirspeed() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    const Scale s{30, 200, 15, 320};
    arc(c, s, 40, 85, kFace - 14, kFace - 9, White);
    arc(c, s, 50, 140, kFace - 8, kFace - 2, Green);
    arc(c, s, 140, 175, kFace - 8, kFace - 2, Yellow);
    c.tick(kCentre, s.angle(175), kFace - 12, kFace - 1, 3, Red);
    ticks(c, s, 10, kFace - 6, kFace - 1, 1);
    ticks(c, s, 20, kFace - 10, kFace - 1, 2);
    for (int v = 40; v <= 200; v += 20)
        c.text(onCircle(kCentre, kFace - 20, s.angle(v)), std::to_string(v), 1, White);
    c.text({kCentre.x, kCentre.y - 12}, "AIRSPEED", 1, White);
    c.text({kCentre.x, kCentre.y + 14}, "KNOTS", 1, grey(24));
    c.needle(kCentre, s.angle(105), kFace - 6, 5, White);
    hub(c);
    return c;
}

Canvas drawAttitude() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    const double r = kFace;
    c.fillArc(kCentre, 0, r, 270, 450, SkyLight);
    c.fillArc(kCentre, 0, r, 90, 270, Ground);
    c.fillArc(kCentre, 0, r * 0.72, 270, 450, SkyBlue);
    c.fillArc(kCentre, 0, r * 0.72, 90, 270, GroundDark);
    c.line({kCentre.x - r, kCentre.y}, {kCentre.x + r, kCentre.y}, 2, White);
    for (int pitch : {-10, -5, 5, 10}) {
        const double y = kCentre.y - pitch * 2.2;
        const double half = pitch % 10 ? 7 : 13;
        c.line({kCentre.x - half, y}, {kCentre.x + half, y}, 1, White);
    }
    for (int bank : {-60, -30, -20, -10, 10, 20, 30, 60})
        c.tick(kCentre, bank, r - 9, r - 1, std::abs(bank) >= 30 ? 2 : 1, White);
    c.fillPolygon({{kCentre.x, kCentre.y - r + 10},
                   {kCentre.x - 5, kCentre.y - r + 1},
                   {kCentre.x + 5, kCentre.y - r + 1}},
                  White);
    // The fixed aeroplane symbol.
    c.line({kCentre.x - 30, kCentre.y + 2}, {kCentre.x - 10, kCentre.y + 2}, 4, Orange);
    c.line({kCentre.x + 10, kCentre.y + 2}, {kCentre.x + 30, kCentre.y + 2}, 4, Orange);
    c.line({kCentre.x - 10, kCentre.y + 2}, {kCentre.x, kCentre.y + 9}, 3, Orange);
    c.line({kCentre.x + 10, kCentre.y + 2}, {kCentre.x, kCentre.y + 9}, 3, Orange);
    c.fillCircle(kCentre, 3, Orange);
    c.fillPolygon({{kCentre.x, kCentre.y - r + 12},
                   {kCentre.x - 5, kCentre.y - r + 21},
                   {kCentre.x + 5, kCentre.y - r + 21}},
                  Orange);
    return c;
}

Canvas drawAltimeter() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    const Scale s{0, 10, 0, 360};
    for (int k = 0; k < 50; ++k)
        c.tick(kCentre, k * 7.2, kFace - (k % 5 ? 5 : 10), kFace - 1, k % 5 ? 1 : 2, White);
    for (int v = 0; v < 10; ++v)
        c.text(onCircle(kCentre, kFace - 17, s.angle(v)), std::to_string(v), 2, White);
    c.fillRect(kCentre.x + 10, kCentre.y - 5, 26, 11, grey(2));
    c.text({kCentre.x + 23, kCentre.y}, "2992", 1, White);
    c.text({kCentre.x, kCentre.y - 18}, "ALT", 1, White);
    c.text({kCentre.x, kCentre.y + 20}, "100 FT", 1, grey(24));
    c.needle(kCentre, s.angle(4.3), kFace * 0.55, 7, White);
    c.needle(kCentre, s.angle(8.4), kFace - 6, 4, White);
    hub(c);
    return c;
}

Canvas drawHeading() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    for (int a = 0; a < 360; a += 5)
        c.tick(kCentre, a, kFace - (a % 10 ? 5 : 9), kFace - 1, a % 30 ? 1 : 2, White);
    const char* labels[] = {"N", "3", "6", "E", "12", "15", "S", "21", "24", "W", "30", "33"};
    for (int k = 0; k < 12; ++k)
        c.text(onCircle(kCentre, kFace - 17, k * 30), labels[k], k % 3 ? 1 : 2,
               k % 3 ? White : Yellow);
    // The aeroplane in the middle, nose up, and the lubber mark.
    c.line({kCentre.x, kCentre.y - 18}, {kCentre.x, kCentre.y + 16}, 4, Orange);
    c.line({kCentre.x - 17, kCentre.y - 2}, {kCentre.x + 17, kCentre.y - 2}, 4, Orange);
    c.line({kCentre.x - 8, kCentre.y + 14}, {kCentre.x + 8, kCentre.y + 14}, 3, Orange);
    c.fillPolygon({{kCentre.x, kCentre.y - kFace + 2},
                   {kCentre.x - 5, kCentre.y - kFace - 5},
                   {kCentre.x + 5, kCentre.y - kFace - 5}},
                  Orange);
    return c;
}

Canvas drawVerticalSpeed() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    const Scale up{0, 20, 270, 170};
    const Scale down{0, 20, 270, -170};
    for (const Scale& s : {up, down}) {
        ticks(c, s, 1, kFace - 5, kFace - 1, 1);
        ticks(c, s, 5, kFace - 10, kFace - 1, 2);
        for (int v = 5; v <= 20; v += 5)
            c.text(onCircle(kCentre, kFace - 18, s.angle(v)), std::to_string(v), 1, White);
    }
    c.text(onCircle(kCentre, kFace - 18, 270), "0", 2, White);
    c.text({kCentre.x - 14, kCentre.y - 20}, "UP", 1, White);
    c.text({kCentre.x - 14, kCentre.y + 20}, "DN", 1, White);
    c.text({kCentre.x + 10, kCentre.y + 14}, "FPM", 1, grey(24));
    c.text({kCentre.x + 10, kCentre.y + 24}, "X100", 1, grey(24));
    c.needle(kCentre, up.angle(5), kFace - 6, 5, White);
    hub(c);
    return c;
}

Canvas drawTurnCoordinator() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    // Wings level at 9 and 3 o'clock; a standard-rate turn dips one wing by 20 degrees.
    for (double angle : {270.0, 250.0, 90.0, 110.0})
        c.tick(kCentre, angle, kFace - 10, kFace - 1, 3, White);
    c.text(onCircle(kCentre, kFace - 18, 245), "L", 1, White);
    c.text(onCircle(kCentre, kFace - 18, 115), "R", 1, White);
    c.text({kCentre.x, kCentre.y - 26}, "TURN COORD", 1, White);
    c.text({kCentre.x, kCentre.y + 36}, "2 MIN", 1, grey(24));
    // The little aeroplane seen from behind.
    c.line({kCentre.x - 34, kCentre.y}, {kCentre.x + 34, kCentre.y}, 4, White);
    c.fillCircle(kCentre, 6, White);
    c.line({kCentre.x, kCentre.y - 12}, {kCentre.x, kCentre.y}, 3, White);
    // The inclinometer with its ball.
    c.fillRect(kCentre.x - 24, kCentre.y + 14, 48, 11, Cream);
    c.frameRect(kCentre.x - 24, kCentre.y + 14, 48, 11, 1, grey(10));
    c.fillRect(kCentre.x - 7, kCentre.y + 14, 1, 11, grey(2));
    c.fillRect(kCentre.x + 6, kCentre.y + 14, 1, 11, grey(2));
    c.fillCircle({kCentre.x, kCentre.y + 19.5}, 5, grey(1));
    return c;
}

Canvas drawTachometer() {
    return engineDial({0, 35, 225, 270}, 5, 1, 5, 1, "RPM", "X100", 21, 24, 27, 23);
}

Canvas drawManifoldPressure() {
    return engineDial({10, 35, 225, 270}, 5, 1, 5, 1, "MAN PRESS", "IN HG", 15, 25, 0, 23);
}

Canvas drawAmmeter() {
    return engineDial({-60, 60, 270, 180}, 30, 10, 30, 1, "AMP", "", -10, 60, 0, 8);
}

Canvas drawSuction() {
    return engineDial({0, 10, 225, 270}, 2, 0.5, 2, 1, "SUCTION", "IN HG", 4.5, 5.5, 0, 5);
}

Canvas drawVoltmeter() {
    return engineDial({8, 32, 225, 270}, 4, 1, 8, 1, "VOLTS", "DC", 24, 30, 0, 28);
}

Canvas drawOutsideAirTemperature() {
    return engineDial({-40, 120, 225, 270}, 20, 10, 40, 1, "OAT", "DEG F", 32, 90, 0, 59);
}

Canvas drawExhaustGasTemperature() {
    return engineDial({0, 8, 225, 270}, 1, 0.5, 2, 1, "EGT", "X100 F", 3, 6, 0, 5);
}

Canvas drawFuelFlow() {
    return engineDial({0, 20, 225, 270}, 5, 1, 5, 1, "FUEL FLOW", "GAL/HR", 6, 14, 18, 11);
}

Canvas drawCylinderTemperature() {
    return engineDial({100, 500, 225, 270}, 100, 25, 100, 1, "CYL TEMP", "DEG F", 200, 460, 460,
                      350);
}

Canvas drawClock() {
    Canvas c(kDial, kDial);
    c.roundInstrument();
    for (int k = 0; k < 60; ++k)
        c.tick(kCentre, k * 6, kFace - (k % 5 ? 4 : 9), kFace - 1, k % 5 ? 1 : 2, White);
    for (int h = 1; h <= 12; ++h)
        c.text(onCircle(kCentre, kFace - 17, h * 30), std::to_string(h), 1, White);
    c.text({kCentre.x, kCentre.y + 20}, "CLOCK", 1, grey(24));
    c.needle(kCentre, 10 * 30 + 5, kFace * 0.55, 6, White);
    c.needle(kCentre, 2 * 30, kFace - 8, 4, White);
    c.tick(kCentre, 200, 0, kFace - 4, 1, Red);
    hub(c);
    return c;
}

Canvas drawFuelGauge() {
    Canvas c(160, 96);
    c.rectInstrument(8);
    c.text({80, 20}, "FUEL QTY", 1, White);
    barScale(c, 40, 48, 100, "L", "E", "F", 0.25, 1.0, 0.75);
    barScale(c, 40, 76, 100, "R", "E", "F", 0.25, 1.0, 0.6);
    return c;
}

Canvas drawOilGauge() {
    Canvas c(160, 96);
    c.rectInstrument(8);
    c.text({80, 20}, "OIL", 1, White);
    barScale(c, 40, 48, 100, "T", "C", "H", 0.3, 0.8, 0.55);
    barScale(c, 40, 76, 100, "P", "0", "115", 0.35, 0.85, 0.62);
    return c;
}

Canvas drawCompass() {
    Canvas c(128, 80);
    c.rectInstrument(10, grey(2));
    // A strip of the compass card seen through the window, heading about 350.
    c.fillRect(14, 24, 100, 36, Cream);
    const char* labels[] = {"30", "33", "N", "3", "6"};
    for (int k = 0; k < 5; ++k) {
        const double x = 14 + 12 + k * 22 - 2;
        c.text({x, 34}, labels[k], k == 2 ? 2 : 1, grey(1));
        for (int m = -2; m <= 2; ++m)
            c.fillRect(x + m * 4.4, 46, 1, m == 0 ? 10 : 6, grey(1));
    }
    c.fillRect(63, 18, 2, 46, Red);
    c.text({64, 70}, "COMPASS", 1, White);
    return c;
}

Canvas drawRadioStack() {
    Canvas c(256, 120);
    c.rectInstrument(6, grey(5));
    for (int row = 0; row < 2; ++row) {
        const double y = 14 + row * 52;
        c.text({28, y + 12}, row ? "NAV1" : "COM1", 1, White);
        lcd(c, 50, y, 76, 24, row ? "110.50" : "122.80", Amber);
        lcd(c, 134, y, 76, 24, row ? "113.90" : "118.00", Amber);
        c.text({172, y + 32}, "STBY", 1, grey(22));
        c.text({88, y + 32}, "USE", 1, grey(22));
        knob(c, {232, y + 12}, 11);
    }
    return c;
}

Canvas drawTransponder() {
    Canvas c(256, 64);
    c.rectInstrument(6, grey(5));
    c.text({30, 32}, "XPDR", 1, White);
    lcd(c, 58, 20, 70, 24, "1200", LedRed);
    c.text({160, 26}, "ALT", 1, White);
    c.fillCircle({160, 40}, 4, Green);
    knob(c, {220, 32}, 13);
    return c;
}

Canvas drawGps() {
    Canvas c(200, 120);
    c.rectInstrument(8, LcdBack);
    c.text({100, 30}, "GPS", 2, Magenta);
    c.text({100, 60}, "WPT KSEA", 1, LcdText);
    c.text({100, 80}, "DIS 12.4", 1, LcdText);
    return c;
}

Canvas drawNoGaugePicture() {
    return crossedOut(96, 96, "NO", "GAUGE");
}

Canvas drawNoBackgroundPicture() {
    return crossedOut(320, 200, "NO PICTURE", "BACKGROUND");
}

} // namespace cockpix::demo
