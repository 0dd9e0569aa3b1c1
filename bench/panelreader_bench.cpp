// Reading time of panel.cfg files in memory: it must grow linearly with the file size.

#include "base/core/linecutter.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/panelformat.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace fs98 = cockpix::fs98;

namespace {

// A panel of about `bytes` bytes: nine windows of 64 gauges each, padded with unknown key
// lines and comments inside the window sections, as panels edited by hand over years are.
std::string generatedPanel(std::size_t bytes) {
    std::string text = "// generated for the reader benchmark\r\n[Window Titles]\r\n";
    for (int w = 0; w < 9; ++w)
        text += "Window0" + std::to_string(w) + "=Window " + std::to_string(w) + "\r\n";
    text += "\r\n";
    const std::size_t perWindow = bytes / 9;
    for (int w = 0; w < 9; ++w) {
        const std::size_t start = text.size();
        text += "[Window0" + std::to_string(w) + "]\r\nfile=panel_" + std::to_string(w) +
                ".bmp\r\nsize_mm=640\r\nposition=7\r\nvisible=1\r\nident=" + std::to_string(w) +
                "\r\n";
        for (int g = 0; g < 64; ++g) {
            const std::string number = (g < 10 ? "0" : "") + std::to_string(g);
            text += "gauge" + number + "=cessna_182.instrument_" + number + ", " +
                    std::to_string(g * 10) + ", " + std::to_string(g * 5) + ", 96\r\n";
        }
        while (text.size() - start < perWindow)
            text += "unknown_key_from_another_tool=some value that COCKPIX ignores\r\n"
                    "; a comment line inside the window section\r\n";
        text += "\r\n";
    }
    text += "[8 bit colors]\r\nc00=0,0,0\r\nc01=255,255,255\r\n\r\n"
            "[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=8192\r\nSIZE_Y=4096\r\n";
    return text;
}

void BM_ReadPanelText(benchmark::State& state) {
    const std::string text = generatedPanel(static_cast<std::size_t>(state.range(0)));
    auto model = std::make_unique<cockpix::fs98::Panel>();
    for (auto _ : state) {
        *model = cockpix::fs98::Panel{};
        std::string panelDir = "/nowhere/";
        auto error = cockpix::fs98::readPanelText(*model, panelDir, text, "panel.cfg");
        if (error)
            state.SkipWithError(error->describe().c_str());
        benchmark::DoNotOptimize(model->windowCount);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.SetComplexityN(static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_ReadPanelText)
    ->Arg(100 << 10)
    ->Arg(1 << 20)
    ->Arg(10 << 20)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

// The same from disk, as "&Open" does: one read of the whole file, then the scan.
void BM_ReadPanelFile10MB(benchmark::State& state) {
    const std::string path =
        (std::filesystem::temp_directory_path() / "cockpix_reader_bench_panel.cfg").string();
    std::ofstream(path, std::ios::binary) << generatedPanel(10 << 20);
    auto model = std::make_unique<cockpix::fs98::Panel>();
    for (auto _ : state) {
        *model = cockpix::fs98::Panel{};
        std::string panelDir = cockpix::fs98::panelDirFromChosenPath(path);
        auto error = cockpix::fs98::readPanelFile(*model, panelDir, path);
        if (error)
            state.SkipWithError(error->describe().c_str());
        benchmark::DoNotOptimize(model->windowCount);
    }
    std::remove(path.c_str());
}
BENCHMARK(BM_ReadPanelFile10MB)->Unit(benchmark::kMillisecond);

// What a byte search alone costs on the same text: the line feeds counted, as wc -l does.
// The three below are measured against it.
void BM_CountLineFeeds10MB(benchmark::State& state) {
    const std::string text = generatedPanel(10 << 20);
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const char* at = text.data();
             (at = static_cast<const char*>(std::memchr(at, '\n', text.data() + text.size() - at)));
             ++at)
            ++lines;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CountLineFeeds10MB)->Unit(benchmark::kMillisecond);

// Cutting the same text into lines at CR LF, LF or CR.
void BM_CutLines10MB(benchmark::State& state) {
    const std::string text = generatedPanel(10 << 20);
    for (auto _ : state) {
        cockpix::LineCutter cutter(text);
        std::size_t lines = 0;
        for (cockpix::LineCutter::Line line; cutter.next(line);)
            lines += line.length != 0;
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_CutLines10MB)->Unit(benchmark::kMillisecond);

// Telling that it is an FS98 panel, which takes a look at every line.
void BM_TellFs98Format10MB(benchmark::State& state) {
    const std::string text = generatedPanel(10 << 20);
    for (auto _ : state) {
        const auto read = cockpix::detectPanelFormatAndAlias(text);
        if (read.format != cockpix::PanelFormat::Fs98)
            state.SkipWithError("not told as an FS98 panel");
        benchmark::DoNotOptimize(read.alias);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}
BENCHMARK(BM_TellFs98Format10MB)->Unit(benchmark::kMillisecond);

} // namespace
