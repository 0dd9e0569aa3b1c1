#include "demoinstallation.h"

#include "demofiles.h"
#include "demomodule.h"
#include "instruments.h"

#include "base/core/bmpheader.h"
#include "gaugefiles/core/gaugemodule.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

namespace cockpix::demo {
namespace {

namespace fs = std::filesystem;

struct ModuleDef {
    std::string fileName; // as on disk; panel.cfg names it in lower case
    Canvas (*draw)();
    std::optional<int> defaultSize;
    bool extractable = true;
};

// The default sizes are in panel units of a typical 1000-unit main panel.
const std::vector<ModuleDef>& modules() {
    static const std::vector<ModuleDef> list = {
        {"CESSNA_182.AIRSPEED.GAU", drawAirspeed, 140},
        {"cessna_182.attitude.gau", drawAttitude, 140},
        {"cessna_182.altimeter.gau", drawAltimeter, 140},
        {"cessna_182.heading.gau", drawHeading, 140},
        {"cessna_182.vertical_speed.gau", drawVerticalSpeed, 140},
        {"Cessna_182.Turn_Coordinator.gau", drawTurnCoordinator, 140},
        {"cessna_182.tachometer.gau", drawTachometer, 120},
        {"cessna_182.manifold.gau", drawManifoldPressure, 120},
        {"cessna_182.clock.gau", drawClock, 110},
        {"cessna_182.fuel.gau", drawFuelGauge, 130},
        {"cessna_182.oil.gau", drawOilGauge, 130},
        {"cessna_182.compass.gau", drawCompass, 128},
        {"cessna_182.nav_com.gau", drawRadioStack, 256},
        {"cessna_182.transponder.gau", drawTransponder, 256},
        {"demo.ammeter.gau", drawAmmeter, std::nullopt},       // no size record
        {"demo.gps.gau", drawGps, 200, /*extractable=*/false}, // picture before the search
        // FS98 shows a module once in a panel, so the mini panel and the overhead have
        // modules of their own.
        {"demo.mini_airspeed.gau", drawAirspeed, 140},
        {"demo.mini_attitude.gau", drawAttitude, 140},
        {"demo.mini_altimeter.gau", drawAltimeter, 140},
        {"demo.mini_heading.gau", drawHeading, 140},
        {"demo.voltmeter.gau", drawVoltmeter, std::nullopt}, // no size record
        {"cessna_182.suction.gau", drawSuction, 120},
        {"cessna_182.outside_air.gau", drawOutsideAirTemperature, 120},
        // Not in the panel: there to be added with "&Add...".
        {"cessna_182.egt.gau", drawExhaustGasTemperature, 120},
        {"cessna_182.fuel_flow.gau", drawFuelFlow, 120},
        {"cessna_182.cylinder_temp.gau", drawCylinderTemperature, 120},
    };
    return list;
}

struct GaugeDef {
    std::string name; // module name, lower case
    double x, y;
    double size; // 0: the line has no size field
};

struct WindowDef {
    std::string title;
    std::string fileInCfg;  // what panel.cfg says
    std::string fileOnDisk; // the name the generator writes
    int pixelWidth, pixelHeight;
    double sizeMm;
    std::string ratio;
    int position, visible, ident;
    std::vector<GaugeDef> gauges;
    Canvas (*drawExtras)(Canvas&);
};

std::string lowerCase(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string moduleName(const ModuleDef& module) {
    const std::string lower = lowerCase(module.fileName);
    return lower.substr(0, lower.size() - 4);
}

Canvas mainExtras(Canvas& c) {
    // The glare shield over the instruments.
    c.fillPolygon({{0, 0}, {1000, 0}, {1000, 20}, {700, 24}, {300, 24}, {0, 20}}, Glare);
    c.line({0, 21}, {300, 25}, 2, grey(7));
    c.line({300, 25}, {700, 25}, 2, grey(7));
    c.line({700, 25}, {1000, 21}, 2, grey(7));
    c.text({880, 318}, "COCKPIX DEMO 182", 1, grey(26));
    c.text({90, 318}, "N182CX", 2, grey(26));
    for (int k = 0; k < 4; ++k) {
        const double x = 690 + k * 40;
        c.fillRect(x, 296, 14, 26, grey(3));
        c.fillRect(x + 3, 300, 8, 10, grey(22));
    }
    return c;
}

Canvas radioExtras(Canvas& c) {
    c.text({140, 14}, "RADIO STACK", 1, grey(26));
    return c;
}

Canvas overheadExtras(Canvas& c) {
    const char* labels[] = {"BAT", "ALT", "BCN", "LAND", "TAXI", "NAV", "STRB", "PITOT"};
    for (int k = 0; k < 8; ++k) {
        const double x = 40 + k * 70;
        c.fillRect(x - 8, 118, 16, 20, grey(3));
        c.fillRect(x - 5, 121, 10, 8, grey(24));
        c.text({x, 144}, labels[k], 1, White);
    }
    return c;
}

Canvas miniExtras(Canvas& c) {
    c.fillRect(0, 0, c.width(), 6, Glare);
    return c;
}

// Window titles, files, places and gauges of the demo panel. The radio stack's file name
// is written in panel.cfg in another case than on disk, as Windows-made panels often are.
const std::vector<WindowDef>& windows() {
    static const std::vector<WindowDef> list = {
        {"Main panel",
         "demo_main.bmp",
         "demo_main.bmp",
         1000,
         340,
         1000,
         "1.000",
         7,
         1,
         0,
         {{"cessna_182.clock", 25, 45, 110},
          {"demo.ammeter", 30, 185, 100},
          {"cessna_182.airspeed", 170, 35, 0},
          {"cessna_182.attitude", 320, 35, 140},
          {"cessna_182.altimeter", 470, 35, 140},
          {"cessna_182.turn_coordinator", 170, 185, 0},
          {"cessna_182.heading", 320, 185, 140},
          {"cessna_182.vertical_speed", 470, 185, 140},
          {"cessna_182.tachometer", 650, 40, 120},
          {"cessna_182.manifold", 650, 170, 0},
          {"cessna_182.fuel", 810, 50, 160},
          {"cessna_182.oil", 810, 170, 160}},
         mainExtras},
        {"Radio stack",
         "Radio_Stack.BMP",
         "radio_stack.bmp",
         280,
         260,
         280,
         "1",
         5,
         1,
         50,
         {{"cessna_182.nav_com", 12, 32, 256}, {"cessna_182.transponder", 12, 180, 0}},
         radioExtras},
        {"Overhead",
         "overhead.bmp",
         "overhead.bmp",
         620,
         160,
         620,
         "1",
         1,
         0,
         51,
         // The overhead carries the two modules that show COCKPIX's warnings: a picture
         // that cannot be cut out, and a gauge line without size whose module has none.
         {{"demo.gps", 20, 10, 100},
          {"demo.voltmeter", 135, 40, 0},
          {"cessna_182.compass", 210, 14, 95},
          {"cessna_182.suction", 360, 16, 90},
          {"cessna_182.outside_air", 490, 16, 90}},
         overheadExtras},
        {"Mini panel",
         "mini_panel.bmp",
         "mini_panel.bmp",
         430,
         120,
         860,
         "1",
         6,
         0,
         52,
         {{"demo.mini_airspeed", 20, 20, 200},
          {"demo.mini_attitude", 230, 20, 200},
          {"demo.mini_altimeter", 440, 20, 200},
          {"demo.mini_heading", 650, 20, 200}},
         miniExtras},
    };
    return list;
}

std::string panelCfg() {
    std::string out =
        "// COCKPIX demo aircraft: a synthetic Cessna-like panel made by cockpix-demogen\r\n"
        "// Four windows: main panel, radio stack, overhead and a mini panel.\r\n\r\n"
        "[Window Titles]\r\n";
    const auto& list = windows();
    for (std::size_t w = 0; w < list.size(); ++w)
        out += "Window0" + std::to_string(w) + "=" + list[w].title + "\r\n";
    for (std::size_t w = 0; w < list.size(); ++w) {
        const WindowDef& def = list[w];
        out += "\r\n[Window0" + std::to_string(w) + "]\r\nfile=" + def.fileInCfg +
               "\r\nsize_mm=" + number(def.sizeMm) + "\r\nwindowsize_ratio=" + def.ratio +
               "\r\nposition=" + std::to_string(def.position) +
               "\r\nvisible=" + std::to_string(def.visible) +
               "\r\nident=" + std::to_string(def.ident) + "\r\n";
        for (std::size_t g = 0; g < def.gauges.size(); ++g) {
            const GaugeDef& gauge = def.gauges[g];
            out += "gauge" + std::string(g < 10 ? "0" : "") + std::to_string(g) + "=" + gauge.name +
                   ", " + number(gauge.x) + ", " + number(gauge.y);
            if (gauge.size > 0)
                out += ", " + number(gauge.size);
            out += "\r\n";
        }
    }
    // The panel metal shades, so that FS98 keeps them in its 8-bit palette.
    out += "\r\n[8 bit colors]\r\n";
    const auto palette = demoPalette();
    for (int k = 0; k < 4; ++k) {
        const std::uint32_t rgb = palette[MetalFirst + 4 * k + 3];
        out += "c0" + std::to_string(k) + "=" + std::to_string(rgb >> 16) + "," +
               std::to_string((rgb >> 8) & 0xFF) + "," + std::to_string(rgb & 0xFF) + "\r\n";
    }
    out += "\r\n[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=8191\r\nSIZE_Y=4300\r\n";
    return out;
}

struct Picture {
    Canvas canvas;
    int defaultSize;
};

// The panel background with a recess and a thin frame where each gauge sits.
Canvas background(const WindowDef& def, const std::map<std::string, Picture>& pictures,
                  std::uint32_t seed) {
    Canvas c(def.pixelWidth, def.pixelHeight);
    brushedMetal(c, seed);
    const double scale = def.pixelWidth / def.sizeMm;
    for (const GaugeDef& gauge : def.gauges) {
        const Picture& picture = pictures.at(gauge.name);
        double size = gauge.size > 0 ? gauge.size : picture.defaultSize;
        if (size <= 0)
            size = def.pixelWidth / 10.0; // what the panel window gives a gauge without one
        const double aspect = double(picture.canvas.height()) / picture.canvas.width();
        const double x = gauge.x * scale, y = gauge.y * scale;
        const double w = size * scale, h = size * aspect * scale;
        c.fillRect(x - 4, y - 4, w + 8, h + 8, BezelEdge);
        c.fillRect(x - 3, y - 3, w + 6, h + 6, PanelDark);
    }
    def.drawExtras(c);
    return c;
}

std::string checkModule(const std::string& bytes, const ModuleDef& def) {
    const auto bitmap = extractedBitmapBytes(bytes);
    if (def.extractable != bitmap.has_value() || (bitmap && !readBmpSize(*bitmap)))
        return def.fileName + ": the extraction would not find what the demo means";
    if (findGaugeSize(bytes) != def.defaultSize)
        return def.fileName + ": the size record is not where the extraction looks";
    return {};
}

} // namespace

std::string writeDemoInstallation(const std::string& outDir) {
    const fs::path root(outDir);
    const fs::path program = root / "program";
    const fs::path gauges = root / "fs98" / "gauges";
    const fs::path panel = root / "fs98" / "aircraft" / "demo_cessna" / "panel";
    const fs::path alias = root / "fs98" / "aircraft" / "demo_alias" / "panel";
    std::error_code error;
    for (const fs::path& dir : {program, gauges, panel, alias}) {
        fs::create_directories(dir, error);
        if (error)
            return "cannot create " + dir.string() + ": " + error.message();
    }
    bool ok = writeFile(program / "default_gauge_bitmap.bmp",
                        bmpFileBytes(drawNoGaugePicture().image())) &&
              writeFile(program / "default_background_bitmap.bmp",
                        bmpFileBytes(drawNoBackgroundPicture().image()));

    std::map<std::string, Picture> pictures;
    std::uint32_t seed = 1;
    for (const ModuleDef& def : modules()) {
        Canvas canvas = def.draw();
        ModuleLayout layout{def.defaultSize, !def.extractable, seed % 2 ? 0u : 256u, seed};
        const std::string bytes = gaugeModuleBytes(canvas.image(), layout);
        if (std::string problem = checkModule(bytes, def); !problem.empty())
            return problem;
        ok = ok && writeFile(gauges / def.fileName, bytes);
        // A gauge that cannot be extracted is shown with the default picture.
        Canvas shown = def.extractable ? canvas : drawNoGaugePicture();
        pictures.emplace(moduleName(def), Picture{shown, def.defaultSize.value_or(0)});
        ++seed;
    }
    for (const WindowDef& def : windows())
        ok = ok && writeFile(panel / def.fileOnDisk,
                             bmpFileBytes(background(def, pictures, seed++).image()));
    ok = ok && writeFile(panel / "panel.cfg", panelCfg()) &&
         writeFile(alias / "panel.cfg", "// Uses the panel of the demo Cessna\r\n\r\n[fltsim]\r\n"
                                        "alias=demo_cessna\\panel\r\n");
    return ok ? std::string() : "cannot write the demo files under " + root.string();
}

} // namespace cockpix::demo
