#include "fs2kdemo.h"

#include "demofiles.h"
#include "gaugemodulewriter.h"
#include "instruments.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <utility>
#include <vector>

namespace cockpix::demo {
namespace {

namespace fs = std::filesystem;

// An XML gauge: its file (module folder or cabinet), its picture and which of the two XML
// forms it is written in.
enum class XmlForm { Fs2004, Fsx, Fs2004NoPicture };
struct XmlGauge {
    std::string module; // "DemoJet" (a folder of the gauges directory) or "DemoJet_Radios" (a cab)
    std::string gauge;  // the file is gauge + ".xml"
    std::string bitmap; // its background picture
    Canvas (*draw)();
    XmlForm form;
};

const std::vector<XmlGauge>& xmlGauges() {
    static const std::vector<XmlGauge> list = {
        {"DemoJet", "Airspeed", "jet_airspeed.bmp", drawAirspeed, XmlForm::Fs2004},
        {"DemoJet", "Attitude", "jet_attitude.bmp", drawAttitude, XmlForm::Fsx},
        {"DemoJet", "Altimeter", "Jet_Altimeter.BMP", drawAltimeter, XmlForm::Fs2004},
        {"DemoJet", "Heading", "jet_heading.bmp", drawHeading, XmlForm::Fsx},
        {"DemoJet", "Vertical Speed", "jet_vsi.bmp", drawVerticalSpeed, XmlForm::Fs2004},
        {"DemoJet", "Turn", "jet_turn.bmp", drawTurnCoordinator, XmlForm::Fsx},
        {"DemoJet", "Fuel Flow", "jet_fuel_flow.bmp", drawFuelFlow, XmlForm::Fs2004},
        {"DemoJet", "EGT", "jet_egt.bmp", drawExhaustGasTemperature, XmlForm::Fsx},
        {"DemoJet", "Annunciator", "", nullptr, XmlForm::Fs2004NoPicture},
        {"DemoJet_Radios", "NavCom", "navcom.bmp", drawRadioStack, XmlForm::Fsx},
        {"DemoJet_Radios", "Transponder", "transponder.bmp", drawTransponder, XmlForm::Fs2004},
        {"DemoJet_Radios", "Gps", "gps.bmp", drawGps, XmlForm::Fsx},
    };
    return list;
}

std::string xmlText(const XmlGauge& gauge, int width, int height) {
    const std::string size = std::to_string(width) + "," + std::to_string(height);
    switch (gauge.form) {
    case XmlForm::Fs2004:
        return "<Gauge Name=\"" + gauge.gauge +
               "\" Version=\"1.0\">\r\n"
               "   <Image Name=\"" +
               gauge.bitmap + "\" ImageSizes=\"" + size +
               "\"/>\r\n"
               "   <Element>\r\n"
               "      <Position X=\"" +
               std::to_string(width / 2) + "\" Y=\"" + std::to_string(height / 2) +
               "\"/>\r\n"
               "      <Text X=\"40\" Y=\"12\" Length=\"4\" Font=\"Arial\" Color=\"white\">\r\n"
               "         <String>%((A:AIRSPEED INDICATED, knots))%!3d!</String>\r\n"
               "      </Text>\r\n"
               "   </Element>\r\n"
               "</Gauge>\r\n";
    case XmlForm::Fsx:
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
               "<SimBase.Document Type=\"AceXML\" version=\"1,0\" id=\"" +
               gauge.gauge +
               "\">\r\n"
               "    <Descr>AceXML Document</Descr>\r\n"
               "    <SimGauge.Gauge id=\"" +
               gauge.gauge +
               "\" ArtDirectory=\".\">\r\n"
               "        <FloatPosition>0.000,0.000</FloatPosition>\r\n"
               "        <Size>" +
               size +
               "</Size>\r\n"
               "        <Image id=\"" +
               gauge.bitmap + "\" Name=\"" + gauge.bitmap +
               "\">\r\n"
               "            <Transparent>True</Transparent>\r\n"
               "        </Image>\r\n"
               "        <Element id=\"Needle\">\r\n"
               "            <FloatPosition>" +
               std::to_string(width / 2) + ".000," + std::to_string(height / 2) +
               ".000</FloatPosition>\r\n"
               "        </Element>\r\n"
               "    </SimGauge.Gauge>\r\n"
               "</SimBase.Document>\r\n";
    case XmlForm::Fs2004NoPicture:
        // An annunciator drawn by the simulator from text alone: there is no picture to show.
        return "<Gauge Name=\"" + gauge.gauge +
               "\" Version=\"1.0\">\r\n"
               "   <Element>\r\n"
               "      <Text X=\"110\" Y=\"40\" Bright=\"Yes\" Font=\"Arial\" Color=\"red\">\r\n"
               "         <String>MASTER CAUTION</String>\r\n"
               "      </Text>\r\n"
               "   </Element>\r\n"
               "</Gauge>\r\n";
    }
    return {};
}

struct JetGauge {
    std::string name;
    double x, y;
    std::optional<double> width, height;
};

struct JetWindow {
    std::string section; // "Window00", "Vcockpit01"
    std::string title;   // empty for a virtual cockpit
    std::string bitmap;  // empty: a window of a colour
    int width = 0;       // of the bitmap, which is also its size_mm
    int height = 0;
    std::vector<std::pair<std::string, std::string>> keys; // after file= and size_mm=
    std::vector<JetGauge> gauges;
};

const std::vector<JetWindow>& jetWindows() {
    static const std::vector<JetWindow> list = {
        {"Window00",
         "Main panel",
         "jet_main.bmp",
         800,
         300,
         {{"file_1024", "jet_main_1024.bmp"},
          {"position", "7"},
          {"visible", "1"},
          {"ident", "MAIN_PANEL"}},
         {{"DemoJet!Airspeed", 40, 40, 110, 110},
          {"DemoJet!Attitude", 170, 40, 110, 110},
          {"DemoJet!Altimeter", 300, 40, 110, 110},
          {"DemoJet!Annunciator", 40, 170, 110, 40},
          {"DemoJet!Heading", 170, 170, 110, 110},
          {"DemoJet!Vertical Speed", 300, 170, 110, 110},
          {"DemoJet!Turn", 440, 40, 100, 100},
          {"DemoJet!Fuel Flow", 580, 40, 100, std::nullopt},
          {"DemoJet!EGT", 580, 170, 100, 100}}},
        {"Window01",
         "Overhead",
         "jet_overhead.bmp",
         600,
         150,
         {{"window_pos", "0.20,0.00"},
          {"window_size", "0.60,0.20"},
          {"visible", "0"},
          {"ident", "OVERHEAD_PANEL"}},
         {{"cessna_182.compass", 236, 35, 128, 80}, {"cessna_182.suction", 420, 25, 100, 100}}},
        {"Window02",
         "Radios",
         "",
         300,
         240,
         {{"Background_color", "28,30,36"}, {"position", "5"}, {"visible", "1"}, {"ident", "50"}},
         {{"DemoJet_Radios!NavCom", 22, 14, 256, 120},
          {"DemoJet_Radios!Transponder", 22, 150, 256, 64}}},
        {"Window03",
         "GPS",
         "jet_gps.bmp",
         240,
         160,
         {{"position", "3"}, {"visible", "0"}, {"ident", "GPS_PANEL"}},
         {{"DemoJet_Radios!Gps", 20, 20, 200, 120}}},
        {"Window04",
         "Engine",
         "jet_engine.bmp",
         300,
         160,
         {{"position", "8"}, {"visible", "0"}, {"ident", "51"}},
         {{"cessna_182.tachometer", 20, 20, 120, 120}, {"cessna_182.manifold", 160, 20, 120, 120}}},
        {"Window05",
         "Fuel and oil",
         "jet_fuel.bmp",
         360,
         120,
         {{"position", "6"}, {"visible", "0"}, {"ident", "52"}},
         {{"DemoJet_Systems!Fuel", 10, 12, 160, 96}, {"DemoJet_Systems!Oil", 190, 12, 160, 96}}},
        {"Window06",
         "Electrical",
         "jet_electrical.bmp",
         280,
         140,
         {{"position", "2"}, {"visible", "0"}, {"ident", "53"}},
         {{"demo.ammeter", 10, 10, 120, 120}, {"demo.voltmeter", 150, 10, 120, 120}}},
        {"Window07",
         "Lights",
         "jet_lights.bmp",
         400,
         80,
         {{"position", "1"}, {"visible", "0"}, {"ident", "54"}},
         {{"DemoJet_Systems!Compass", 10, 0, 128, 80},
          {"DemoJet_Systems!Hydraulics", 150, 10, 60, 60}}},
        {"Window08",
         "Outside air",
         "jet_oat.bmp",
         140,
         140,
         {{"position", "0"}, {"visible", "0"}, {"ident", "55"}},
         {{"cessna_182.outside_air", 10, 10, 120, std::nullopt}}},
        {"Window09",
         "Clock",
         "jet_clock.bmp",
         140,
         140,
         {{"position", "2"}, {"visible", "0"}, {"ident", "56"}, {"window_size_ratio", "0.8"}},
         {{"cessna_182.clock", 10, 10, 120, 120}}},
        {"Window11",
         "Standby instruments",
         "jet_standby.bmp",
         280,
         140,
         {{"position", "4"}, {"visible", "0"}, {"ident", "57"}},
         {{"demo.mini_airspeed", 10, 10, 120, 120}, {"demo.mini_attitude", 150, 10, 120, 120}}},
        {"Window12",
         "Cylinder temperature",
         "jet_cht.bmp",
         140,
         140,
         {{"position", "5"}, {"visible", "0"}, {"ident", "58"}},
         {{"cessna_182.cylinder_temp", 10, 10, 120, 120}}},
        {"Vcockpit01",
         "",
         "",
         512,
         512,
         {{"Background_color", "0,0,0"}, {"texture", "$VC01_Demo"}},
         {{"DemoJet!Airspeed", 0, 0, 128, 128},
          {"DemoJet!Attitude", 128, 0, 128, 128},
          {"DemoJet!Altimeter", 256, 0, 128, 128},
          {"DemoJet_Radios!NavCom", 0, 256, 256, 120}}},
    };
    return list;
}

std::string gaugeLine(std::size_t g, const JetGauge& gauge) {
    std::string line = std::string("gauge") + (g < 10 ? "0" : "") + std::to_string(g) + "=" +
                       gauge.name + ", " + number(gauge.x) + ", " + number(gauge.y);
    if (gauge.width)
        line += ", " + number(*gauge.width);
    if (gauge.height)
        line += ", " + number(*gauge.height);
    return line + "\r\n";
}

std::string panelCfg() {
    std::string out = "// COCKPIX demo jet: a panel of FS2000 and later made by cockpix-demogen\r\n"
                      "// Twelve windows, a virtual cockpit, XML gauges in a folder and a cab.\r\n"
                      "\r\n"
                      "[Window Titles]\r\n";
    for (const JetWindow& window : jetWindows())
        if (!window.title.empty())
            out += window.section + "=" + window.title + "\r\n";
    out += "\r\n[VIEWS]\r\nVIEW_FORWARD_WINDOWS=MAIN_PANEL,50\r\n";
    for (const JetWindow& window : jetWindows()) {
        out += "\r\n[" + window.section + "]\r\n";
        if (!window.bitmap.empty())
            out += "file=" + window.bitmap + "\r\n";
        out += (window.bitmap.empty() && window.section.starts_with("Vcockpit") ? "pixel_size="
                                                                                : "size_mm=") +
               std::to_string(window.width) + "," + std::to_string(window.height) + "\r\n";
        for (const auto& [key, value] : window.keys)
            out += key + "=" + value + "\r\n";
        for (std::size_t g = 0; g < window.gauges.size(); ++g)
            out += gaugeLine(g, window.gauges[g]);
    }
    out += "\r\n[Color]\r\nDay=255,255,255\r\nNight=255,190,130\r\nLuminous=255,80,60\r\n"
           "\r\n[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=8192\r\nSIZE_Y=3600\r\n";
    return out;
}

// A window's background: panel metal with a recess where each gauge sits, drawn at scale
// (the bitmap for a wider screen is the same picture, larger).
Canvas jetBackground(const JetWindow& window, double scale, std::uint32_t seed) {
    Canvas c(static_cast<int>(window.width * scale), static_cast<int>(window.height * scale));
    brushedMetal(c, seed);
    for (const JetGauge& gauge : window.gauges) {
        const double w = gauge.width.value_or(100) * scale;
        const double h = gauge.height.value_or(gauge.width.value_or(100)) * scale;
        c.fillRect(gauge.x * scale - 4, gauge.y * scale - 4, w + 8, h + 8, BezelEdge);
        c.fillRect(gauge.x * scale - 3, gauge.y * scale - 3, w + 6, h + 6, PanelDark);
    }
    c.text({c.width() / 2.0, c.height() - 8.0}, window.title, 1, grey(26));
    return c;
}

// A C-gauge module of several gauges, as FS2000 and later load them: each gauge's face is a
// bitmap resource its table names; the hydraulics gauge has only a needle, so no picture
// can be tied to it and the panel window shows its outline.
std::string systemsModule() {
    GaugeModuleContents contents;
    contents.libraryName = "DemoJet_Systems.gau";
    contents.bitmaps = {bitmapResource(101, drawFuelGauge().image()),
                        bitmapResource(102, drawOilGauge().image()),
                        bitmapResource(103, drawCompass().image())};
    ModuleElement needle{ElementKind::Needle, 0, 30, 30, {}};
    contents.gauges = {
        {"Fuel", {{ElementKind::StaticPicture, 101, 0, 0, {needle}}}},
        {"Oil", {{ElementKind::StaticPicture, 102, 0, 0, {needle}}}},
        {"Compass", {needle, {ElementKind::StaticPicture, 103, 0, 0, {}}}},
        {"Hydraulics", {needle}},
    };
    return gaugeLibraryBytes(contents);
}

bool writeXmlGauges(const fs::path& folder, const fs::path& staging) {
    bool ok = true;
    for (const XmlGauge& gauge : xmlGauges()) {
        const fs::path dir = gauge.module == "DemoJet" ? folder : staging;
        std::optional<Canvas> picture;
        if (gauge.draw)
            picture = gauge.draw();
        const int width = picture ? picture->width() : 220;
        const int height = picture ? picture->height() : 80;
        ok = ok && writeFile(dir / (gauge.gauge + ".xml"), xmlText(gauge, width, height));
        if (picture)
            ok = ok && writeFile(dir / gauge.bitmap, bmpFileBytes(picture->image()));
    }
    return ok;
}

} // namespace

std::string cabStagingDir(const std::string& outDir) {
    return (fs::path(outDir) / "cab-staging" / "DemoJet_Radios").string();
}

std::string fs2kDemoCabPath(const std::string& outDir) {
    return (fs::path(outDir) / "fs98" / "aircraft" / "demo_jet" / "panel" / "DemoJet_Radios.cab")
        .string();
}

std::string writeFs2kDemoAircraft(const std::string& outDir) {
    const fs::path root(outDir);
    const fs::path panel = root / "fs98" / "aircraft" / "demo_jet" / "panel";
    const fs::path folder = root / "fs98" / "gauges" / "DemoJet";
    const fs::path staging = cabStagingDir(outDir);
    std::error_code error;
    for (const fs::path& dir : {panel, folder, staging}) {
        fs::create_directories(dir, error);
        if (error)
            return "cannot create " + dir.string() + ": " + error.message();
    }
    bool ok = writeXmlGauges(folder, staging) &&
              writeFile(folder.parent_path() / "DemoJet_Systems.gau", systemsModule());
    std::uint32_t seed = 101;
    for (const JetWindow& window : jetWindows()) {
        if (window.bitmap.empty())
            continue;
        ok = ok && writeFile(panel / window.bitmap,
                             bmpFileBytes(jetBackground(window, 1.0, seed).image()));
        for (const auto& [key, value] : window.keys)
            if (key == "file_1024")
                ok = ok && writeFile(panel / value,
                                     bmpFileBytes(jetBackground(window, 1.28, seed).image()));
        ++seed;
    }
    ok = ok && writeFile(panel / "panel.cfg", panelCfg());
    return ok ? std::string() : "cannot write the demo jet under " + root.string();
}

} // namespace cockpix::demo
