// "cockpix-cli check COMMUNITY" on a Community folder of 300 small MSFS aircraft packages,
// written once: the walk and the check of every panel on one thread with one round of look-ups,
// as the tree check does, beside the plain cost of reading (as cat does) each package's
// panel.cfg, aircraft.cfg and model.cfg. Both are timed in the same run; "ratio" is the check's
// time over the reading's (the aim: at most 3).

#include "../tools/cli/panelwalk.h"

#include "base/core/filelookup.h"
#include "template/core/filecheck.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kPackages = 300;

void write(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

std::string panelText(int p) {
    std::string text = "// aircraft " + std::to_string(p) + "\r\n";
    for (int v = 1; v <= 3; ++v) {
        text += "\r\n[VCockpit0" + std::to_string(v) +
                "]\r\nsize_mm=1024,768\r\npixel_size=1024,768\r\ntexture=$Screen" +
                std::to_string(v) + "\r\nbackground_color=0,0,0\r\n";
        for (int g = 0; g < 4; ++g)
            text += "htmlgauge0" + std::to_string(g) + "=Pkg" + std::to_string(p) +
                    "/Display/Display.html?Index=" + std::to_string(g) + ", " +
                    std::to_string(g * 256) + ", 0, 256, 768\r\n";
    }
    return text;
}

std::string gltf() {
    return R"({"asset":{"version":"2.0"},"materials":[{"name":"$Screen1"},{"name":"$Screen2"},)"
           R"({"name":"$Screen3"}],"meshes":[],"accessors":[],"buffers":[]})";
}

struct Community {
    fs::path root =
        fs::temp_directory_path() / ("cockpix_community_bench_" + std::to_string(::getpid()));
    std::vector<std::string> cfgFiles; // what cat reads: panel.cfg, aircraft.cfg, model.cfg
    Community() {
        for (int p = 0; p < kPackages; ++p) {
            const fs::path package = root / ("pkg-" + std::to_string(p));
            write(package / "manifest.json", "{\"title\": \"Package " + std::to_string(p) + "\"}");
            const fs::path ui = package / "html_ui/Pages/VCockpit/Instruments" /
                                ("Pkg" + std::to_string(p)) / "Display";
            write(ui / "Display.html", "<script src=\"Display.js\"></script>\n");
            write(ui / "Display.js", "class Display {}\n");
            const fs::path aircraft = package / "SimObjects/Airplanes/Plane";
            write(aircraft / "aircraft.cfg", "[VARIATION]\r\nbase_container = \"\"\r\n"
                                             "[FLTSIM.0]\r\ntitle = \"Plane\"\r\npanel = \"\"\r\n");
            write(aircraft / "model/model.cfg", "[models]\r\ninterior=plane_interior.xml\r\n");
            write(aircraft / "model/plane_interior.xml",
                  "<ModelInfo><LODS><LOD ModelFile=\"plane_interior.gltf\"/></LODS></ModelInfo>\n");
            write(aircraft / "model/plane_interior.gltf", gltf());
            for (int t = 0; t < 5; ++t)
                write(aircraft / "texture" / ("t" + std::to_string(t) + ".dds"), "DDS ");
            write(aircraft / "panel/panel.cfg", panelText(p));
            for (const char* file : {"panel/panel.cfg", "aircraft.cfg", "model/model.cfg"})
                cfgFiles.push_back((aircraft / file).string());
        }
    }
    ~Community() { fs::remove_all(root); }
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_CheckCommunityOf300PackagesAgainstReadingTheirCfgFiles(benchmark::State& state) {
    const Community community;
    double check = 0;
    double read = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        for (const std::string& file : community.cfgFiles)
            benchmark::DoNotOptimize(cockpix::readWholeFile(file));
        read += secondsSince(start);

        start = std::chrono::steady_clock::now();
        const cockpix::cli::PanelWalk walk = cockpix::cli::findPanelFiles(community.root.string());
        cockpix::CheckFacts facts;
        facts.beginRound();
        facts.holdRound(true);
        for (std::size_t i = 0; i < walk.panels.size(); ++i) {
            facts.folders().adopt(fs::path(walk.panels[i]).parent_path().string() + "/",
                                  walk.folders[i]);
            const cockpix::FileCheck checked =
                cockpix::checkPanelFile(walk.panels[i], cockpix::Directories(), facts);
            if (std::any_of(checked.findings.begin(), checked.findings.end(),
                            [](const cockpix::Finding& f) {
                                return f.severity == cockpix::Severity::Error;
                            }))
                state.SkipWithError("a package's panel has an error");
        }
        check += secondsSince(start);
        if (walk.panels.size() != kPackages)
            state.SkipWithError("the walk did not find every panel");
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["check_ms"] = check / runs * 1e3;
    state.counters["read_ms"] = read / runs * 1e3;
    state.counters["ratio"] = read > 0 ? check / read : 0;
}
BENCHMARK(BM_CheckCommunityOf300PackagesAgainstReadingTheirCfgFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

} // namespace
