// How long a panel window takes to show, loaded and painted once: the demo's biggest window
// (bitmaps already on disk, and extracted afresh), and a window of 64 gauges whose modules
// are 1 MB each beside the time it takes only to read those modules (the goal: at most 1.5
// times as long). The pictures of those modules come early, so only their start is read; the
// same window with each picture at its module's end shows what reading them whole costs.
// Runs on the offscreen platform by default.

#include "benchapplication.h"

#include "base/core/filelookup.h"
#include "base/gui/userdialogs.h"
#include "gaugefiles/core/gaugemodule.h"
#include "panel/core/fs98/reader.h"
#include "panel/gui/fs98/document.h"
#include "panelwindows/gui/fs98/panelwindow.h"
#include "panelwindows/gui/panelview.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

// A copy of the demo installation in a temporary folder, opened into a panel document.
struct DemoCopy {
    fs::path root = fs::temp_directory_path() / "cockpix_panelwindow_bench";
    fs98::Panel panel;
    AppModel app;
    fs98::Document document;
    SilentDialogs dialogs;
    int biggest = 0;

    DemoCopy() {
        fs::remove_all(root);
        fs::copy(fs::path(COCKPIX_BIN_DIR) / ".." / "demo", root, fs::copy_options::recursive);
        const std::string gauges = (root / "fs98" / "gauges").string() + "/";
        fs::create_directories(gauges + "bmp");
        app.dirs = {gauges, gauges + "bmp/", gauges + "palette/",
                    (root / "fs98" / "aircraft" / "demo_cessna" / "panel").string() + "/",
                    std::string(COCKPIX_BIN_DIR) + "/"};
        fs98::readPanelFile(panel, app.dirs.panelDir, app.dirs.panelDir + "panel.cfg");
        fs98::applyOpenedRatioRule(panel);
        for (int w = 0; w < panel.windowCount; ++w) {
            if (panel.window(w).gaugeCount > panel.window(biggest).gaugeCount)
                biggest = w;
        }
        document.replacePanel(panel, {});
    }
    ~DemoCopy() { fs::remove_all(root); }
};

// The window as the user first sees it: loaded, then its whole frame painted into the
// screen's backing store, which a window system keeps from one showing to the next.
void showWindow(fs98::PanelWindowForm& form) {
    form.load();
    static QImage backingStore;
    if (backingStore.size() != form.view()->size())
        backingStore = QImage(form.view()->size(), QImage::Format_ARGB32_Premultiplied);
    form.view()->render(&backingStore);
    benchmark::DoNotOptimize(backingStore.constBits());
}

void loadWindow(benchmark::State& state, bool recompute) {
    benchApplication();
    DemoCopy demo;
    demo.app.options.alwaysRecomputeBitmaps = recompute;
    demo.app.currentWindow = demo.biggest;
    for (auto _ : state) {
        fs98::PanelWindowForm form(demo.document, demo.app, demo.dialogs, demo.biggest);
        showWindow(form);
    }
    state.counters["gauges"] = demo.panel.window(demo.biggest).gaugeCount;
}

void BM_ShowBiggestDemoWindow(benchmark::State& state) {
    loadWindow(state, false);
}
BENCHMARK(BM_ShowBiggestDemoWindow)->Unit(benchmark::kMillisecond);

void BM_ShowBiggestDemoWindowRecomputed(benchmark::State& state) {
    loadWindow(state, true);
}
BENCHMARK(BM_ShowBiggestDemoWindowRecomputed)->Unit(benchmark::kMillisecond);

// 64 gauges, each its own module: a demo module padded to 1 MB, as large FS98 modules are,
// after its picture or (pictureAtTheEnd) before it, where the search for the picture starts.
struct BigWindow : DemoCopy {
    explicit BigWindow(bool pictureAtTheEnd = false) {
        const std::string module = *readWholeFile(app.dirs.gaugesDir + "CESSNA_182.AIRSPEED.GAU");
        std::string padded = module;
        if (pictureAtTheEnd)
            padded.insert(kBitmapMarkerStart, (1 << 20) - module.size(), '\0');
        else
            padded.resize(1 << 20, '\0');
        fs98::PanelWindow& window = panel.window(0);
        for (int i = 0; i < fs98::kGaugeSlots; ++i) {
            const std::string name = "big" + std::to_string(i);
            std::ofstream(app.dirs.gaugesDir + name + ".gau", std::ios::binary) << padded;
            window.gauges[i] = fs98::Gauge{};
            window.gauges[i].gaugeName = name;
            window.gauges[i].gaugeX = (i % 8) * 100;
            window.gauges[i].gaugeY = (i / 8) * 40;
            window.gauges[i].gaugeSize = 90;
        }
        window.gaugeCount = fs98::kGaugeSlots;
        app.options.alwaysRecomputeBitmaps = true;
        document.replacePanel(panel, {});
    }
};

void showBigWindow(benchmark::State& state, bool pictureAtTheEnd) {
    benchApplication();
    BigWindow big(pictureAtTheEnd);
    // The first showing creates the 64 bitmap files; every later one cuts each picture out
    // of its module again and finds the file on disk already holding those bytes.
    {
        fs98::PanelWindowForm first(big.document, big.app, big.dialogs, 0);
        showWindow(first);
    }
    for (auto _ : state) {
        fs98::PanelWindowForm form(big.document, big.app, big.dialogs, 0);
        showWindow(form);
    }
}

void BM_ShowSixtyFourOneMegabyteGauges(benchmark::State& state) {
    showBigWindow(state, false);
}
BENCHMARK(BM_ShowSixtyFourOneMegabyteGauges)->Unit(benchmark::kMillisecond);

void BM_ShowSixtyFourOneMegabyteGaugesPicturesAtTheEnd(benchmark::State& state) {
    showBigWindow(state, true);
}
BENCHMARK(BM_ShowSixtyFourOneMegabyteGaugesPicturesAtTheEnd)->Unit(benchmark::kMillisecond);

void BM_OnlyReadSixtyFourOneMegabyteModules(benchmark::State& state) {
    BigWindow big;
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (int i = 0; i < fs98::kGaugeSlots; ++i)
            bytes +=
                readWholeFile(big.app.dirs.gaugesDir + "big" + std::to_string(i) + ".gau")->size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_OnlyReadSixtyFourOneMegabyteModules)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace cockpix
