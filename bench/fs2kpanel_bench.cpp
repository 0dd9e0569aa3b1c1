// Opening and saving a 10 MB panel.cfg of FS2000 and later with one edit, beside the plain
// cost of reading and writing the same bytes without looking at them (one read of the file,
// one atomic write with its flush). The panel has 100 windows of 1750 gauge lines each,
// with comments and blank lines between them, as generated panels of big aircraft have.

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/panelformat.h"
#include "panel/core/panelsave.h"

#include "panelfolder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>

namespace fs2k = cockpix::fs2k;

namespace {

namespace fs = std::filesystem;

std::string fs2kPanel() {
    std::string text = "// generated for the benchmark\r\n[Window Titles]\r\n";
    for (int w = 0; w < 100; ++w)
        text += "Window" + std::to_string(w) + "=Window number " + std::to_string(w) + "\r\n";
    for (int w = 0; w < 100; ++w) {
        text += "\r\n[Window" + std::to_string(w) +
                "]\r\nBackground_color=0,0,0\r\n"
                "size_mm=1024,768\r\nwindow_size=0.5,0.5\r\nwindow_pos=0.1,0.2\r\n"
                "ident=" +
                std::to_string(10000 + w) + "\r\n// the gauges\r\n";
        for (int g = 0; g < 1750; ++g)
            text += "gauge" + std::to_string(g) + "=Big_Aircraft!Instrument " + std::to_string(g) +
                    ",  " + std::to_string(g % 1000) + ", 300, 64, 64\r\n";
    }
    text += "\r\n[VIEWS]\r\nVIEW_FORWARD_WINDOWS=10000,10001\r\n";
    return text;
}

struct Folder : cockpix::bench::PanelFolder {
    Folder() : PanelFolder("cockpix_fs2kpanel_bench", fs2kPanel()) {}
};

void BM_OpenEditAndSaveFs2k10MB(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        std::optional<std::string> bytes = cockpix::readWholeFile(folder.panelFile);
        if (!bytes || cockpix::detectPanelFormat(*bytes) != cockpix::PanelFormat::Fs2k)
            state.SkipWithError("the panel cannot be read as a later panel");
        cockpix::fs2k::PanelLines lines(std::move(*bytes));
        const cockpix::fs2k::Panel panel = cockpix::fs2k::readPanel(lines);
        cockpix::fs2k::setSectionKey(lines, panel.windows.back().section, "visible", "1");
        const cockpix::SaveResult result =
            cockpix::savePanelBytes(lines.bytes(), folder.panelDir, folder.panelFile);
        state.PauseTiming();
        if (!result.written)
            state.SkipWithError("the panel cannot be saved");
        fs::remove(folder.panelDir + "panel.c" + std::to_string(result.backupNumber));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(folder.text.size()) * 2);
}
BENCHMARK(BM_OpenEditAndSaveFs2k10MB)->Unit(benchmark::kMillisecond)->UseRealTime();

// The two halves of the above, to see where its time goes: opening (read, tell the format,
// cut the lines, read what they set) and saving (the lines' bytes, the backup, the atomic
// replacement and its flushes).
void BM_OpenFs2k10MB(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        std::optional<std::string> bytes = cockpix::readWholeFile(folder.panelFile);
        if (!bytes || cockpix::detectPanelFormat(*bytes) != cockpix::PanelFormat::Fs2k)
            state.SkipWithError("the panel cannot be read as a later panel");
        const cockpix::fs2k::PanelLines lines(std::move(*bytes));
        benchmark::DoNotOptimize(cockpix::fs2k::readPanel(lines).windows.size());
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(folder.text.size()));
}
BENCHMARK(BM_OpenFs2k10MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_SaveEditedFs2k10MB(benchmark::State& state) {
    Folder folder;
    cockpix::fs2k::PanelLines lines(folder.text);
    const cockpix::fs2k::Panel panel = cockpix::fs2k::readPanel(lines);
    cockpix::fs2k::setSectionKey(lines, panel.windows.back().section, "visible", "1");
    for (auto _ : state) {
        const cockpix::SaveResult result =
            cockpix::savePanelBytes(lines.bytes(), folder.panelDir, folder.panelFile);
        state.PauseTiming();
        if (!result.written)
            state.SkipWithError("the panel cannot be saved");
        fs::remove(folder.panelDir + "panel.c" + std::to_string(result.backupNumber));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(folder.text.size()));
}
BENCHMARK(BM_SaveEditedFs2k10MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OnlyReadAndWriteTheFs2kBytes10MB(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        const std::optional<std::string> bytes = cockpix::readWholeFile(folder.panelFile);
        if (!bytes || cockpix::writeFileAtomically(folder.panelFile, *bytes) != 0)
            state.SkipWithError("the bytes cannot be read or written");
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(folder.text.size()) * 2);
}
BENCHMARK(BM_OnlyReadAndWriteTheFs2kBytes10MB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
