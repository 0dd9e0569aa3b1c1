#include "msfsdemo.h"

#include "demofiles.h"
#include "instruments.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <utility>
#include <vector>

namespace cockpix::demo {
namespace {

namespace fs = std::filesystem;

// The simulator's files are Windows text: every line ends with CR LF.
std::string windowsLines(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (char c : text) {
        if (c == '\n')
            out += '\r';
        out += c;
    }
    return out;
}

// The base panel: two displays on one texture shown on two materials, a WASM instrument
// (its module beside this file), FSX-style XML gauges from the panel folder, a gauge-less
// logic instrument and the registration painted on the fuselage. The section names keep
// the mixed case and the gap in numbering that panels made by hand have.
constexpr std::string_view kPanelCfg =
    R"(// COCKPIX demo jet for MSFS: a panel made by cockpix-demogen
// Glass displays of the package's own instruments, a WASM display, XML standby gauges
// and the registration on the fuselage.

[VCockpit01]
// Captain's and first officer's screens show the same picture, drawn at 640 x 480
size_mm=1024,768
pixel_size=640,480
texture=$PFD_Left,$PFD_Right
background_color=0,0,0
emissive=0
htmlgauge00=CockpixDemo/PFD/PFD.html?Index=1, 0, 0, 512, 768
htmlgauge01=CockpixDemo/MFD/MFD.html?Index=1&Page=Map, 512, 0, 512, 768

[VCockpit02]
// Weather radar drawn by a WASM module
size_mm=512,512
pixel_size=512,512
texture=$Radar_Screen
background_color=0,0,0
htmlgauge00=WasmInstrument/WasmInstrument.html?wasm_module=cockpixdemo.wasm&wasm_gauge=demo_gauge, 0, 0, 512, 512

[Vcockpit03]
; Standby instruments: FSX-style XML gauges kept in the panel folder
size_mm=512,256
pixel_size=512,256
texture=$Standby
background_color=20,22,26
gauge00=CockpixDemo!Clock, 0, 0, 256, 256
gauge01=CockpixDemo!Compass, 256, 48, 256, 160	// the wet compass

[VCockpit05]
// Systems logic: draws nothing
size_mm=1,1
pixel_size=1,1
texture=NO_TEXTURE
htmlgauge00=CockpixDemo/Systems/Systems.html, 0, 0, 1, 1

[VPainting01]
size_mm=256,64
pixel_size=256,64
texture=$RegistrationNumber
location=exterior
painting00=Registration/Registration.html?font_color=white, 0, 0, 256, 64
)";

// The variant aircraft's panel folder: its file replaces the base's whole, with a
// registration in other colours.
constexpr std::string_view kVariantPanelCfg =
    R"(// COCKPIX demo jet, variant panel: the registration in black on a light fuselage

[VARIATION]
override_base_container=1

[VPainting02]
size_mm=256,64
pixel_size=256,64
texture=$RegistrationNumber
location=exterior
painting00=Registration/Registration.html?font_color=black&font_size=40, 0, 0, 256, 64
)";

// A livery aircraft on the demo jet as its base container: its panel keeps the base's
// sections and replaces the registration painting (override_base_container=0).
constexpr std::string_view kMergedPanelCfg =
    R"(// COCKPIX demo jet livery: the base jet's panel with its own registration colours

[VARIATION]
override_base_container=0

[VPainting01]
size_mm=256,64
pixel_size=256,64
texture=$RegistrationNumber
location=exterior
painting00=Registration/Registration.html?font_color=red, 0, 0, 256, 64
)";

constexpr std::string_view kLiveryAircraftCfg =
    R"(; COCKPIX demo jet livery, made by cockpix-demogen

[VERSION]
major = 1
minor = 0

[VARIATION]
base_container = "..\cockpix-demo-jet"

[FLTSIM.0]
title = "COCKPIX Demo Jet Red Livery"
model = ""
panel = "merged"
sound = ""
texture = ""
atc_id = "CPX03"
ui_manufacturer = "COCKPIX"
ui_type = "Demo Jet"
ui_variation = "Red registration"
)";

constexpr std::string_view kAircraftCfg = R"(; COCKPIX demo jet for MSFS, made by cockpix-demogen

[VERSION]
major = 1
minor = 0

[VARIATION]
base_container = ""

[FLTSIM.0]
title = "COCKPIX Demo Jet"
model = ""
panel = ""
sound = ""
texture = ""
atc_id = "CPX01"
ui_manufacturer = "COCKPIX"
ui_type = "Demo Jet"

[FLTSIM.1]
title = "COCKPIX Demo Jet Variant"
model = ""
panel = "variant"
sound = ""
texture = ""
atc_id = "CPX02"
ui_manufacturer = "COCKPIX"
ui_type = "Demo Jet"
ui_variation = "Variant panel"
)";

constexpr std::string_view kModelCfg = R"([models]
normal=cockpix-demo-jet.xml
interior=cockpix-demo-jet_interior.xml
)";

struct Model {
    std::string name; // the .xml and .gltf files' name
    std::vector<std::string> materials;
};

// The models name the materials the panel's textures are drawn on, nothing else.
const std::vector<Model>& models() {
    static const std::vector<Model> list = {
        {"cockpix-demo-jet", {"Fuselage", "$RegistrationNumber"}},
        {"cockpix-demo-jet_interior",
         {"Cockpit_Panel", "$PFD_Left", "$PFD_Right", "$Radar_Screen", "$Standby"}},
    };
    return list;
}

std::string modelXml(const Model& model) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<ModelInfo version=\"1.1\">\n"
           "    <LODS>\n        <LOD ModelFile=\"" +
           model.name + ".gltf\"/>\n    </LODS>\n</ModelInfo>\n";
}

// A glTF holding materials only: the smallest file the format allows that names them.
std::string gltf(const Model& model) {
    std::string out = "{\n  \"asset\": {\"version\": \"2.0\", \"generator\": "
                      "\"cockpix-demogen\"},\n  \"materials\": [";
    for (std::size_t m = 0; m < model.materials.size(); ++m)
        out += std::string(m ? "," : "") + "\n    {\"name\": \"" + model.materials[m] + "\"}";
    return out + "\n  ]\n}\n";
}

struct Instrument {
    std::string name; // its folder and file under CockpixDemo/
    std::string what; // a line saying what it shows
    int width, height;
};

// The package's own instruments. EngineDisplay is in no panel line: it is there to be
// added to a VCockpit.
const std::vector<Instrument>& instruments() {
    static const std::vector<Instrument> list = {
        {"PFD", "primary flight display", 512, 768},
        {"MFD", "multi-function display: map and checklists", 512, 768},
        {"Systems", "systems logic: draws nothing, runs the electrical bus", 1, 1},
        {"EngineDisplay", "engine display: N1, ITT and fuel flow", 512, 384},
    };
    return list;
}

std::string instrumentId(const Instrument& instrument) {
    std::string id = "cockpix-demo-";
    for (char c : instrument.name)
        id += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return id;
}

std::string instrumentHtml(const Instrument& instrument) {
    const std::string id = instrumentId(instrument);
    return "<!-- COCKPIX demo jet: the " + instrument.what + " -->\n" +
           "<script type=\"text/html\" id=\"" + id +
           "\">\n    <div id=\"Mainframe\">\n        <canvas id=\"Screen\" width=\"" +
           std::to_string(instrument.width) + "\" height=\"" + std::to_string(instrument.height) +
           "\"></canvas>\n    </div>\n</script>\n"
           "<script type=\"text/html\" import-script=\"/Pages/VCockpit/Instruments/CockpixDemo/" +
           instrument.name + "/" + instrument.name + ".js\"></script>\n";
}

std::string instrumentJs(const Instrument& instrument) {
    const std::string id = instrumentId(instrument);
    const std::string type = "CockpixDemo" + instrument.name;
    return "// COCKPIX demo jet: the " + instrument.what + "\nclass " + type +
           " extends BaseInstrument {\n    get templateID() { return \"" + id +
           "\"; }\n}\nregisterInstrument(\"" + id + "\", " + type + ");\n";
}

constexpr std::string_view kRegistrationHtml =
    R"(<!-- COCKPIX demo jet: the registration painted on the fuselage, in the colour the
     panel line's font_color asks for -->
<div id="Registration" style="font-family: sans-serif; font-size: 48px">CPX01</div>
)";

// The smallest module a WASM instrument can load: the magic number, version 1 and an
// empty type section. The simulator never runs it in the demo; the file is there so the
// instrument's wasm_module names a real one.
std::string wasmModule() {
    using namespace std::string_view_literals;
    return std::string("\0asm\x01\0\0\0\x01\x01\0"sv);
}

struct XmlGauge {
    std::string gauge; // CockpixDemo/<gauge>.xml
    std::string bitmap;
    Canvas (*draw)();
};

std::string xmlGaugeText(const XmlGauge& gauge, const Canvas& picture) {
    const std::string w = std::to_string(picture.width()), h = std::to_string(picture.height());
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<SimBase.Document Type=\"AceXML\" version=\"1,0\" id=\"" +
           gauge.gauge + "\">\n    <Descr>COCKPIX demo jet standby " + gauge.gauge +
           "</Descr>\n    <SimGauge.Gauge id=\"" + gauge.gauge +
           "\" ArtDirectory=\".\">\n        <FloatPosition>0.000,0.000</FloatPosition>\n"
           "        <Size>" +
           w + "," + h + "</Size>\n        <Image id=\"" + gauge.bitmap + "\" Name=\"" +
           gauge.bitmap + "\"/>\n    </SimGauge.Gauge>\n</SimBase.Document>\n";
}

std::string manifestJson() {
    return R"({
  "dependencies": [],
  "content_type": "AIRCRAFT",
  "title": "COCKPIX Demo Jet",
  "manufacturer": "COCKPIX",
  "creator": "cockpix-demogen",
  "package_version": "1.0.0",
  "minimum_game_version": "1.37.19",
  "release_notes": {
    "neutral": {
      "LastUpdate": "",
      "OlderHistory": ""
    }
  }
}
)";
}

// layout.json lists every file of the package but itself and the manifest, with its size;
// the date is fixed so that every build writes the same bytes.
std::string layoutJson(const fs::path& package) {
    std::vector<std::pair<std::string, std::uintmax_t>> files;
    for (const auto& entry : fs::recursive_directory_iterator(package)) {
        const std::string path = entry.path().lexically_relative(package).generic_string();
        if (entry.is_regular_file() && path != "layout.json" && path != "manifest.json")
            files.emplace_back(path, entry.file_size());
    }
    std::sort(files.begin(), files.end());
    std::string out = "{\n  \"content\": [";
    for (std::size_t f = 0; f < files.size(); ++f)
        out += std::string(f ? "," : "") + "\n    {\n      \"path\": \"" + files[f].first +
               "\",\n      \"size\": " + std::to_string(files[f].second) +
               ",\n      \"date\": 133000000000000000\n    }";
    return out + "\n  ]\n}\n";
}

bool writeInstruments(const fs::path& package) {
    const fs::path root = package / "html_ui" / "Pages" / "VCockpit" / "Instruments";
    bool ok = true;
    for (const Instrument& instrument : instruments()) {
        const fs::path dir = root / "CockpixDemo" / instrument.name;
        fs::create_directories(dir);
        ok = ok && writeFile(dir / (instrument.name + ".html"), instrumentHtml(instrument)) &&
             writeFile(dir / (instrument.name + ".js"), instrumentJs(instrument));
    }
    const fs::path livery = package / "html_ui" / "Pages" / "VLivery" / "Liveries" / "Registration";
    fs::create_directories(livery);
    return ok && writeFile(livery / "Registration.html", std::string(kRegistrationHtml));
}

bool writeAircraft(const fs::path& aircraft) {
    const fs::path panel = aircraft / "panel";
    const fs::path gauges = panel / "CockpixDemo";
    const fs::path variant = aircraft / "panel.variant";
    const fs::path model = aircraft / "model";
    for (const fs::path& dir : {gauges, variant, model})
        fs::create_directories(dir);
    bool ok = writeFile(aircraft / "aircraft.cfg", windowsLines(kAircraftCfg)) &&
              writeFile(panel / "panel.cfg", windowsLines(kPanelCfg)) &&
              writeFile(panel / "cockpixdemo.wasm", wasmModule()) &&
              writeFile(variant / "panel.cfg", windowsLines(kVariantPanelCfg)) &&
              writeFile(model / "model.cfg", windowsLines(kModelCfg));
    for (const Model& m : models())
        ok = ok && writeFile(model / (m.name + ".xml"), modelXml(m)) &&
             writeFile(model / (m.name + ".gltf"), gltf(m));
    const std::vector<XmlGauge> xmlGauges = {{"Clock", "clock.bmp", drawClock},
                                             {"Compass", "compass.bmp", drawCompass}};
    for (const XmlGauge& gauge : xmlGauges) {
        const Canvas picture = gauge.draw();
        ok = ok && writeFile(gauges / (gauge.gauge + ".xml"), xmlGaugeText(gauge, picture)) &&
             writeFile(gauges / gauge.bitmap, bmpFileBytes(picture.image()));
    }
    return ok;
}

// MSFS looks for the WASM module and the XML gauges of the sections the livery keeps in the
// livery's own panel folder: it has its copies of the base's.
bool writeLivery(const fs::path& aircraft, const fs::path& base) {
    const fs::path panel = aircraft / "panel.merged";
    fs::create_directories(panel);
    fs::copy(base / "panel" / "cockpixdemo.wasm", panel);
    fs::copy(base / "panel" / "CockpixDemo", panel / "CockpixDemo", fs::copy_options::recursive);
    return writeFile(aircraft / "aircraft.cfg", windowsLines(kLiveryAircraftCfg)) &&
           writeFile(panel / "panel.cfg", windowsLines(kMergedPanelCfg));
}

} // namespace

std::string msfsDemoPackageDir(const std::string& outDir) {
    return (fs::path(outDir) / "msfs" / "Community" / "cockpix-demo-msfs").string();
}

std::string writeMsfsDemoPackage(const std::string& outDir) {
    const fs::path package = msfsDemoPackageDir(outDir);
    std::error_code error;
    // A package left by an earlier build would keep files this one no longer writes.
    fs::remove_all(package, error);
    try {
        const bool ok =
            writeInstruments(package) &&
            writeAircraft(package / "SimObjects" / "Airplanes" / "cockpix-demo-jet") &&
            writeLivery(package / "SimObjects" / "Airplanes" / "cockpix-demo-jet-livery",
                        package / "SimObjects" / "Airplanes" / "cockpix-demo-jet") &&
            writeFile(package / "manifest.json", manifestJson()) &&
            writeFile(package / "layout.json", layoutJson(package));
        return ok ? std::string() : "cannot write the demo MSFS package under " + package.string();
    } catch (const fs::filesystem_error& e) {
        return std::string("cannot write the demo MSFS package: ") + e.what();
    }
}

} // namespace cockpix::demo
