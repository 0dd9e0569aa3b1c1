// "cockpix-cli check COMMUNITY" on a Community folder of 300 small MSFS aircraft packages,
// written once: the walk and the check of every panel on one thread with one round of look-ups,
// as the tree check does, beside the plain cost of cat of each package's panel.cfg,
// aircraft.cfg and model.cfg. All are timed in the same run.
//   ratio       the check's time over cat's (the aim: at most 3)
//   read_ratio  the check's time over reading the same files with the program's own reader,
//               which makes fewer calls on the system than cat (open, one look, one read,
//               close): the check's cost beyond the least any reading of those files takes
//   walk_ms     the part of check_ms that finds the panels

#include "../tools/cli/panelwalk.h"

#include "base/core/filelookup.h"
#include "template/core/filecheck.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
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

// cat itself, run on every file at once with its output going to /dev/null, as a person
// times "cat FILES > /dev/null": the yardstick the check is held to. Its time is less that of
// running cat on no file, so that starting a process does not count on its side.
class Cat {
public:
    // The seconds cat takes to read files, beyond its start; negative when it fails.
    static double secondsFor(const std::vector<std::string>& files) {
        const auto started = std::chrono::steady_clock::now();
        if (!run({}))
            return -1;
        const double alone = secondsSince(started);
        const auto start = std::chrono::steady_clock::now();
        if (!run(files))
            return -1;
        return std::max(0.0, secondsSince(start) - alone);
    }

private:
    static double secondsSince(std::chrono::steady_clock::time_point start) {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    static bool run(const std::vector<std::string>& files) {
        std::vector<char*> argv{const_cast<char*>("cat")};
        static std::string empty = "/dev/null";
        if (files.empty())
            argv.push_back(empty.data());
        for (const std::string& file : files)
            argv.push_back(const_cast<char*>(file.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        pid_t child = 0;
        const int failed = posix_spawnp(&child, "cat", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        int status = 0;
        return failed == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    }
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_CheckCommunityOf300PackagesAgainstCatOfTheirCfgFiles(benchmark::State& state) {
    const Community community;
    double check = 0;
    double catted = 0;
    double read = 0;
    double walked = 0;
    for (auto _ : state) {
        const double cat = Cat::secondsFor(community.cfgFiles);
        if (cat < 0)
            state.SkipWithError("cat could not read the files");
        catted += cat;

        auto start = std::chrono::steady_clock::now();
        for (const std::string& file : community.cfgFiles)
            benchmark::DoNotOptimize(cockpix::readWholeFile(file));
        read += secondsSince(start);

        start = std::chrono::steady_clock::now();
        const cockpix::cli::PanelWalk walk = cockpix::cli::findPanelFiles(community.root.string());
        walked += secondsSince(start);
        cockpix::CheckFacts facts;
        facts.beginRound();
        facts.holdRound(true);
        for (std::size_t i = 0; i < walk.panels.size(); ++i) {
            if (walk.folders[i])
                facts.folders().adopt(fs::path(walk.panels[i]).parent_path().string() + "/",
                                      *walk.folders[i]);
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
    state.counters["walk_ms"] = walked / runs * 1e3;
    state.counters["cat_ms"] = catted / runs * 1e3;
    state.counters["read_ms"] = read / runs * 1e3;
    state.counters["ratio"] = catted > 0 ? check / catted : 0;
    state.counters["read_ratio"] = read > 0 ? check / read : 0;
}
BENCHMARK(BM_CheckCommunityOf300PackagesAgainstCatOfTheirCfgFiles)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

} // namespace
