#pragma once

// An installation of FS2000 and later for the checker's tests: a gauges folder with a
// module of each kind FS loads (a .gau, a .dll, a folder of XML gauges, a cabinet of them
// made with gcab, a cabinet cut short) and an aircraft panel folder with a bitmap and
// gauges of its own. Header only: the core and tool tests use it.

#include "support/cabmaker.h"
#include "template/core/checkfixtures.h"

#include <filesystem>
#include <string>

namespace cockpix::test {

struct LaterInstallation {
    checkfs::path panelDir; // root/aircraft/test/panel
    checkfs::path gaugesDir;
    bool cabsMade = false;
};

inline LaterInstallation makeLaterInstallation(const checkfs::path& root) {
    LaterInstallation at;
    at.gaugesDir = root / "gauges";
    at.panelDir = root / "aircraft/test/panel";
    checkfs::create_directories(at.panelDir / "LVLD");
    checkfs::create_directories(at.gaugesDir / "XmlPack");
    writeFile(at.gaugesDir / "ROUND.GAU", checkModule(std::pair{100, 100}, 100));
    writeFile(at.gaugesDir / "radio.DLL", "MZ not a real library");
    writeFile(at.gaugesDir / "XmlPack/needle.XML", "<Gauge Name=\"Needle\"/>");
    const checkfs::path packing = root / "packing";
    checkfs::create_directories(packing);
    writeFile(packing / "Clock.xml", "<Gauge Name=\"Clock\"/>");
    writeFile(packing / "Fuel.xml", "<Gauge Name=\"Fuel\"/>");
    at.cabsMade = makeCab(packing, at.gaugesDir / "Dials.cab", "Clock.xml Fuel.xml");
    if (at.cabsMade)
        writeFile(at.gaugesDir / "Broken.cab", fileText(at.gaugesDir / "Dials.cab").substr(0, 40));
    writeFile(at.panelDir / "Main.BMP", eightBitBitmap(64, 48));
    writeFile(at.panelDir / "local.gau", checkModule(std::pair{50, 50}, 50));
    writeFile(at.panelDir / "LVLD/b767MAIN.gau", checkModule(std::pair{50, 50}, 50));
    return at;
}

// A panel with one of each fault the checker knows in a later panel. The gauge of the
// virtual cockpit stands in the pixels of its missing bitmap, not of its size_mm.
inline constexpr const char* kLaterPanelWithFaults = R"(// Check of a later panel
[Window Titles]
Window00=Main
Window01=Radio
Window02=Ghost

[VIEWS]
VIEW_FORWARD_WINDOWS=MAIN_PANEL, NOWHERE

[Window00]
file=main.bmp
file_1024=main_1024.bmp
size_mm=640
ident=MAIN_PANEL
gauge00=Round!Needle, 10, 10, 20, 20
gauge01=XmlPack!Needle, 100, 10
gauge01=Dials!Clock, 0, 0
gauge03=Dials!Compass, 0, 0

[Window01]
Background_color=0,0,0
size_mm=100,50
ident=main_panel
gauge00=Broken!Gauge, 5, 5
gauge01=LVLD\B767main!EADI, 10, -40, 20, 30

[Window03]
size_mm=100
gauge00=radio!Comm, 1, 1

[VCockpit01]
file=vc.bmp
size_mm=10,10
gauge00=local!Thing, 50, 50
)";

// The same kinds of gauges and windows, without a fault.
inline constexpr const char* kCleanLaterPanel = R"([Window Titles]
Window00=Main
Window10=Overhead

[Views]
view_forward_windows=MAIN_PANEL,10000

[Window00]
FILE=MAIN.bmp
ident=MAIN_PANEL
gauge00=round!Needle, 10, 10, 20, 20
gauge01=xmlpack!NEEDLE, 30, 10
gauge02=DIALS!clock, 0, 0
gauge03=Dials!Fuel,  ,  , 10

[Window10]
Background_color=16,16,16
pixel_size=300,100
ident=10000
gauge00=lvld\b767main!EADI, 250, 50, 100, 100

[Vcockpit01]
size_mm=512,512
gauge00=local!Thing, 500, 500
gauge01=Radio!Comm, 0, 0
)";

} // namespace cockpix::test
