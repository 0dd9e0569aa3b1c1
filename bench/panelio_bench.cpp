// Opening and saving a 10 MB panel.cfg, beside the plain cost of reading and writing the same
// bytes without looking at them (one read of the file, one atomic write with its flush).
// The panel is one whose every byte is kept: long lines before the first section and long
// [8 bit colors] lines, as tools that stuff data into panel.cfg write them.

#include "base/core/atomicfile.h"
#include "base/core/filelookup.h"
#include "panel/core/fs98/reader.h"
#include "panel/core/fs98/writer.h"

#include "panelfolder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <memory>

namespace fs98 = cockpix::fs98;

namespace {

namespace fs = std::filesystem;

std::string keptPanel() {
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "//" + std::string(300'000, char('a' + i)) + "\r\n";
    text += "/ Panel file generated with COCKPIX V.2.5.3 by Quenvald, 1998\r\n\r\n"
            "[Window Titles]\r\n\r\nwindow00=Main\r\n\r\n[Window00]\r\n\r\nfile=main.bmp\r\n"
            "size_mm=640\r\nposition=7\r\nvisible=1\r\nident=0\r\n\r\n";
    for (int g = 0; g < 64; ++g)
        text += "gauge" + std::string(g < 10 ? "0" : "") + std::to_string(g) +
                "=cessna_182.instrument, " + std::to_string(g) + ", 10, 96\r\n";
    text += "\r\n[8 Bit Colors]\r\n\r\n";
    for (int i = 0; i < 33; ++i)
        text += "c" + std::to_string(i) + "=" + std::string(120'000, '7') + "\r\n";
    text += "\r\n[Default View]\r\n\r\nX= 0\r\nY= 0\r\nSIZE_X= 8191\r\nSIZE_Y= 4096\r\n";
    return text;
}

struct Folder : cockpix::bench::PanelFolder {
    Folder() : PanelFolder("cockpix_panelio_bench", keptPanel()) {}
};

void BM_OpenAndSave10MB(benchmark::State& state) {
    Folder folder;
    auto panel = std::make_unique<cockpix::fs98::Panel>();
    for (auto _ : state) {
        *panel = cockpix::fs98::Panel{};
        std::string panelDir = folder.panelDir;
        if (cockpix::fs98::readPanelFile(*panel, panelDir, folder.panelFile))
            state.SkipWithError("the panel cannot be read");
        const cockpix::SaveResult result =
            cockpix::fs98::savePanel(*panel, {panelDir, folder.panelFile, {}, {}});
        state.PauseTiming();
        if (!result.written)
            state.SkipWithError("the panel cannot be saved");
        fs::remove(folder.panelDir + "panel.c" + std::to_string(result.backupNumber));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(folder.text.size()) * 2);
}
BENCHMARK(BM_OpenAndSave10MB)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OnlyReadAndWriteTheBytes10MB(benchmark::State& state) {
    Folder folder;
    for (auto _ : state) {
        const std::optional<std::string> bytes = cockpix::readWholeFile(folder.panelFile);
        if (!bytes || cockpix::writeFileAtomically(folder.panelFile, *bytes) != 0)
            state.SkipWithError("the bytes cannot be read or written");
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(folder.text.size()) * 2);
}
BENCHMARK(BM_OnlyReadAndWriteTheBytes10MB)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
