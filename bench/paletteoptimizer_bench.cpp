// The palette optimizer on a 4096 x 4096 background against the plain cost of the same
// bytes: a loop that only reads the bitmap and counts its bytes. Both are timed in each
// iteration, one after the other, so that their ratio holds whatever the machine.

#include "base/core/filelookup.h"
#include "gaugefiles/core/bmpwriter.h"
#include "palette/core/paletteoptimizer.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kSide = 4096;

// A panel-like picture: large areas of a few dozen colours with speckles of others.
std::string panelBitmap() {
    cockpix::IndexedImage image(kSide, kSide);
    std::mt19937 random(98);
    for (int i = 0; i < 256; ++i)
        image.palette[static_cast<std::size_t>(i)] = random() & 0xFFFFFF;
    for (int y = 0; y < kSide; ++y)
        for (int x = 0; x < kSide; ++x)
            image.at(x, y) = static_cast<std::uint8_t>((x / 97 + 5 * (y / 131)) % 48);
    for (int k = 0; k < kSide * 64; ++k)
        image.at(static_cast<int>(random() % kSide), static_cast<int>(random() % kSide)) =
            static_cast<std::uint8_t>(random() & 0xFF);
    return cockpix::bmpFileBytes(image);
}

struct Files {
    fs::path dir;
    std::string bitmap;
    std::string table;
};

// The bitmap and a reference table in a temporary directory, made once.
const Files& files() {
    static const Files made = [] {
        Files f;
        f.dir = fs::temp_directory_path() / "cockpix_bench_palette";
        fs::create_directories(f.dir / "palette");
        f.bitmap = (f.dir / "panel.bmp").string();
        f.table = (f.dir / "color_mapping_table.pcl").string();
        std::ofstream(f.bitmap, std::ios::binary) << panelBitmap();
        std::ofstream table(f.table, std::ios::binary);
        for (int i = 0; i < 118; ++i)
            table << (i * 37) % 256 << ", " << (i * 91) % 256 << ", " << (i * 53) % 256 << "\r\n";
        return f;
    }();
    return made;
}

cockpix::PaletteRunRequest request() {
    return {files().bitmap, "panel", (files().dir / "palette").string() + "/", files().table, 5};
}

// The plain cost: the file in memory and one counter per byte value.
std::uint64_t countBytes(const std::string& path) {
    const std::optional<std::string> bytes = cockpix::readWholeFile(path);
    std::array<std::uint64_t, 256> counts{};
    for (const char byte : bytes.value_or(std::string()))
        ++counts[static_cast<unsigned char>(byte)];
    benchmark::DoNotOptimize(counts.data());
    return counts[0];
}

// Every run scans: the palette file of the previous one is taken away first.
bool runScan(benchmark::State& state) {
    fs::remove(files().dir / "palette" / "palette_panel.txt");
    const cockpix::PaletteRunResult result = cockpix::runPaletteOptimizer(request());
    if (!result.ok || !result.scanned)
        state.SkipWithError(result.message.toUtf8().c_str());
    return result.ok;
}

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void BM_CountBitmapBytes(benchmark::State& state) {
    files();
    for (auto _ : state)
        benchmark::DoNotOptimize(countBytes(files().bitmap));
    state.SetBytesProcessed(state.iterations() * std::int64_t(fs::file_size(files().bitmap)));
}
BENCHMARK(BM_CountBitmapBytes)->Unit(benchmark::kMillisecond);

// Time per iteration is the optimizer's; the counters give both and their ratio.
void BM_PaletteOptimizerAgainstByteCount(benchmark::State& state) {
    files();
    double counting = 0;
    double optimizing = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(countBytes(files().bitmap));
        const Clock::time_point counted = Clock::now();
        if (!runScan(state))
            break;
        const Clock::time_point done = Clock::now();
        counting += seconds(start, counted);
        optimizing += seconds(counted, done);
        state.SetIterationTime(seconds(counted, done));
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["byte_count_ms"] = counting / runs * 1e3;
    state.counters["optimizer_ms"] = optimizing / runs * 1e3;
    state.counters["ratio"] = counting > 0 ? optimizing / counting : 0;
}
BENCHMARK(BM_PaletteOptimizerAgainstByteCount)->UseManualTime()->Unit(benchmark::kMillisecond);

// A second run on the same bitmap name: the work files give the counts.
void BM_PaletteOptimizerCached(benchmark::State& state) {
    files();
    runScan(state);
    for (auto _ : state) {
        const cockpix::PaletteRunResult result = cockpix::runPaletteOptimizer(request());
        if (result.scanned)
            state.SkipWithError("the work files were not reused");
    }
}
BENCHMARK(BM_PaletteOptimizerCached)->Unit(benchmark::kMillisecond);

} // namespace
