// Checking a tree of aircraft of FS2000 and later, as "cockpix-cli check DIR" does (one
// process, the folders listed once), beside the plain cost of reading the same panel.cfg
// files. 300 aircraft of two windows of 60 gauges each, whose modules lie in a gauges
// folder of 200 modules, every one found.

#include "base/core/filelookup.h"
#include "template/core/filecheck.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs98 = cockpix::fs98;

namespace {

namespace fs = std::filesystem;

constexpr int kAircraft = 300;
constexpr int kModules = 200;

std::string aircraftPanel(int a) {
    std::string text = "// aircraft " + std::to_string(a) +
                       "\r\n[Window Titles]\r\nWindow00=Main\r\nWindow01=Radio\r\n\r\n"
                       "[VIEWS]\r\nVIEW_FORWARD_WINDOWS=MAIN_PANEL\r\n";
    for (int w = 0; w < 2; ++w) {
        text += "\r\n[Window0" + std::to_string(w) + "]\r\nfile=main.bmp\r\nsize_mm=640\r\n" +
                (w == 0 ? "ident=MAIN_PANEL\r\n" : "ident=RADIO\r\n");
        for (int g = 0; g < 60; ++g)
            text += "gauge" + std::string(g < 10 ? "0" : "") + std::to_string(g) + "=Module" +
                    std::to_string((a + g) % kModules) + "!Gauge " + std::to_string(g) + ", " +
                    std::to_string(g * 10 % 600) + ", " + std::to_string(g * 7 % 400) +
                    ", 40, 40\r\n";
    }
    return text;
}

std::string bitmapHeader(int width, int height) {
    std::string bytes(54, '\0');
    const auto put = [&](std::size_t at, std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 8, 2);
    return bytes;
}

struct Tree {
    fs::path root =
        fs::temp_directory_path() / ("cockpix_fs2kchecker_bench_" + std::to_string(::getpid()));
    std::vector<std::string> panels;
    cockpix::Directories dirs;
    std::int64_t bytes = 0;
    Tree() {
        fs::create_directories(root / "gauges");
        for (int m = 0; m < kModules; ++m)
            std::ofstream(root / "gauges" / ("Module" + std::to_string(m) + ".gau")) << "MZ";
        for (int a = 0; a < kAircraft; ++a) {
            const fs::path panel = root / "aircraft" / ("plane" + std::to_string(a)) / "panel";
            fs::create_directories(panel);
            std::ofstream(panel / "main.bmp", std::ios::binary) << bitmapHeader(640, 480);
            const std::string text = aircraftPanel(a);
            std::ofstream(panel / "panel.cfg", std::ios::binary) << text;
            panels.push_back((panel / "panel.cfg").string());
            bytes += static_cast<std::int64_t>(text.size());
        }
        dirs.gaugesDir = (root / "gauges").string() + "/";
    }
    ~Tree() { fs::remove_all(root); }
};

void BM_CheckTreeOf300Fs2kPanels(benchmark::State& state) {
    Tree tree;
    for (auto _ : state) {
        cockpix::CheckFacts facts;
        for (const std::string& panel : tree.panels) {
            const cockpix::FileCheck check = cockpix::checkPanelFile(panel, tree.dirs, facts);
            if (!check.findings.empty())
                state.SkipWithError("a panel of the tree has findings");
        }
    }
    state.SetBytesProcessed(state.iterations() * tree.bytes);
}
BENCHMARK(BM_CheckTreeOf300Fs2kPanels)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OnlyReadThe300PanelFiles(benchmark::State& state) {
    Tree tree;
    for (auto _ : state) {
        for (const std::string& panel : tree.panels)
            benchmark::DoNotOptimize(cockpix::readWholeFile(panel));
    }
    state.SetBytesProcessed(state.iterations() * tree.bytes);
}
BENCHMARK(BM_OnlyReadThe300PanelFiles)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
