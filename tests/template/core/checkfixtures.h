#pragma once

// The installation the panel checker's fixture cases run in: a gauges directory of small
// synthetic modules and a panel directory of backgrounds, into which a case's own files
// (its panel.cfg, and any other file it brings) are copied. tests/fixtures/check/README.md
// lists what it holds. Header only: the core, tool and GUI tests all use it.

#include "gaugefiles/core/bmpwriter.h"
#include "gaugefiles/core/modulebuilder.h"
#include "settings/core/settings.h"
#include "support/testfiles.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace cockpix::test {

namespace checkfs = std::filesystem;

inline checkfs::path checkCasesDir() {
    return checkfs::path(COCKPIX_FIXTURES_DIR) / "check";
}

// The case folders, in name order.
inline std::vector<checkfs::path> checkCases() {
    std::vector<checkfs::path> cases;
    for (const auto& entry : checkfs::directory_iterator(checkCasesDir()))
        if (entry.is_directory())
            cases.push_back(entry.path());
    std::sort(cases.begin(), cases.end());
    return cases;
}

// A module with a picture of width x height when given, and a size record when given.
inline std::string checkModule(std::optional<std::pair<int, int>> picture,
                               std::optional<int> size) {
    std::string module = fillerModule(4050 + 1078 + 200);
    if (size) {
        putSizeRecord(module, 2500);
        put16(module, 2544, static_cast<unsigned>(*size));
    }
    if (picture) {
        putMarker(module, 4000);
        putInfoHeader(module, 4010, static_cast<unsigned>(picture->first),
                      static_cast<unsigned>(picture->second), 0);
    }
    return module;
}

inline std::string eightBitBitmap(int width, int height) {
    return bmpFileBytes(IndexedImage(width, height, 7));
}

inline std::string trueColorBitmap(int width, int height) {
    const std::size_t row = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::string bytes = eightBitBitmap(1, 1).substr(0, 54);
    put32(bytes, 10, 54);
    put32(bytes, 18, static_cast<unsigned>(width));
    put32(bytes, 22, static_cast<unsigned>(height));
    put16(bytes, 28, 24);
    put32(bytes, 46, 0);
    return bytes + std::string(row * static_cast<std::size_t>(height), '\x40');
}

struct CheckInstallation {
    checkfs::path panelFile; // the case's panel.cfg in the installation
    Directories dirs;
};

// Lays the installation out under root and copies the case's files into its panel
// directory (root/aircraft/test/panel/).
inline CheckInstallation makeCheckInstallation(const checkfs::path& root,
                                               const checkfs::path& caseDir) {
    const checkfs::path gauges = root / "gauges";
    const checkfs::path panel = root / "aircraft/test/panel";
    checkfs::create_directories(gauges / "bmp");
    checkfs::create_directories(panel);
    writeFile(gauges / "test.round.gau", checkModule(std::pair{100, 100}, 100));
    writeFile(gauges / "test.wide.gau", checkModule(std::pair{100, 50}, 200));
    writeFile(gauges / "test.radio.gau", checkModule(std::pair{150, 50}, 150));
    writeFile(gauges / "TEST.UPPER.GAU", checkModule(std::pair{50, 50}, 50));
    writeFile(gauges / "test.nopicture.gau", checkModule(std::nullopt, 80));
    writeFile(gauges / "test.nosize.gau", checkModule(std::pair{100, 100}, std::nullopt));
    writeFile(gauges / "test.zero.gau", checkModule(std::pair{100, 100}, 0));
    writeFile(panel / "main.bmp", eightBitBitmap(64, 48));
    writeFile(panel / "radio.bmp", eightBitBitmap(40, 20));
    writeFile(panel / "Spare.BMP", eightBitBitmap(32, 32));
    writeFile(panel / "truecolor.bmp", trueColorBitmap(16, 8));
    writeFile(panel / "broken.bmp", "BM not a bitmap");
    for (const auto& entry : checkfs::directory_iterator(caseDir))
        if (entry.path().filename().string().rfind("expected.", 0) != 0)
            checkfs::copy_file(entry.path(), panel / entry.path().filename(),
                               checkfs::copy_options::overwrite_existing);
    CheckInstallation installation;
    installation.panelFile = panel / "panel.cfg";
    installation.dirs.gaugesDir = gauges.string() + "/";
    installation.dirs.bmpDir = (gauges / "bmp").string() + "/";
    installation.dirs.panelDir = panel.string() + "/";
    return installation;
}

} // namespace cockpix::test
