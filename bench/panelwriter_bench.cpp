// Speed of writing panel.cfg: the text of the largest panel the model holds, a 10 MB text,
// and a whole save on disk (temporary file, fsync, backup rename).

#include "panel/core/fs98/writer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

using namespace cockpix;

std::unique_ptr<fs98::Panel> fullModel() {
    auto model = std::make_unique<fs98::Panel>();
    model->windowCount = fs98::kWindowSlots;
    for (int w = 0; w < fs98::kWindowSlots; ++w) {
        fs98::PanelWindow& window = model->window(w);
        window.windowTitle = "Window " + std::to_string(w);
        window.windowBitmap = "panel_" + std::to_string(w);
        window.windowSizeMm = 640.5;
        window.windowSizeRatio = .75;
        window.windowIdent = fs98::WindowIdent::fromNumber(w);
        window.gaugeCount = fs98::kGaugeSlots;
        for (int g = 0; g < fs98::kGaugeSlots; ++g) {
            fs98::Gauge& gauge = model->gauge(w, g);
            gauge.gaugeName = "cessna_182.gauge_" + std::to_string(g);
            gauge.gaugeX = g * 10.25 - 30;
            gauge.gaugeY = g * 3.5;
            gauge.gaugeSize = 96;
            gauge.gaugeRefSize = g % 2 ? 0 : -1;
        }
    }
    model->colorLineCount = fs98::kColorSlots;
    for (int i = 1; i <= fs98::kColorSlots; ++i)
        model->colorLine[static_cast<std::size_t>(i)] = "c" + std::to_string(i) + "=12,34,56";
    model->defaultViewSizeX = 8192;
    model->defaultViewSizeY = 4096;
    return model;
}

void BM_PanelFileText_NineWindowsOf64Gauges(benchmark::State& state) {
    const std::unique_ptr<fs98::Panel> model = fullModel();
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = fs98::panelFileText(*model, {}, 0, nullptr);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_PanelFileText_NineWindowsOf64Gauges);

// Very long preserved and colour lines make a 10 MB file from the fixed tables.
void BM_PanelFileText_TenMegabytes(benchmark::State& state) {
    std::unique_ptr<fs98::Panel> model = fullModel();
    model->preambleLineCount = fs98::kPreambleSlots;
    for (int i = 1; i <= fs98::kPreambleSlots; ++i)
        model->preambleLine[static_cast<std::size_t>(i)] = "//" + std::string(300'000, 'p');
    for (int i = 1; i <= fs98::kColorSlots; ++i)
        model->colorLine[static_cast<std::size_t>(i)] = "c=" + std::string(120'000, '7');
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = fs98::panelFileText(*model, {}, 0, nullptr);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
    state.counters["file_MB"] = static_cast<double>(bytes) / state.iterations() / 1e6;
}
BENCHMARK(BM_PanelFileText_TenMegabytes)->Unit(benchmark::kMillisecond);

// One save as the user makes it: new file, fsync, old file to its backup, rename.
void BM_SavePanel_WithBackup(benchmark::State& state) {
    namespace fs = std::filesystem;
    std::string pattern = (fs::temp_directory_path() / "cockpix-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        state.SkipWithError("no temporary directory");
        return;
    }
    std::unique_ptr<fs98::Panel> model = fullModel();
    const std::string panelDir = pattern + "/";
    const std::string panelCfg = panelDir + "panel.cfg";
    const fs98::SaveRequest request{panelDir, panelCfg, {}, {}};
    fs98::savePanel(*model, request);
    for (auto _ : state) {
        const SaveResult result = fs98::savePanel(*model, request);
        state.PauseTiming();
        if (!result.written)
            state.SkipWithError(result.message.toUtf8().c_str());
        fs::remove(panelDir + "panel.c" + std::to_string(result.backupNumber));
        state.ResumeTiming();
    }
    fs::remove_all(pattern);
}
BENCHMARK(BM_SavePanel_WithBackup)->Unit(benchmark::kMillisecond);

} // namespace
