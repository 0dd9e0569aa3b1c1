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

struct Fs2kInstallation {
    checkfs::path panelDir; // root/aircraft/test/panel
    checkfs::path gaugesDir;
    bool cabsMade = false;
};

inline Fs2kInstallation makeFs2kInstallation(const checkfs::path& root) {
    Fs2kInstallation at;
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

// An fs2k panel from tests/fixtures/fs2kcheck: faults.cfg holds one of each fault the
// checker knows in an fs2k panel, clean.cfg the same kinds of gauges and windows without one.
inline std::string fs2kCheckPanel(const char* name) {
    return fileText(checkfs::path(COCKPIX_FIXTURES_DIR) / "fs2kcheck" / name);
}

} // namespace cockpix::test
