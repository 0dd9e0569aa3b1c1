// Gauge extraction against the plain cost of reading the modules: a panel window of 64
// gauges whose modules are 1 MB each, the marker far into each module.

#include "base/core/filelookup.h"
#include "gaugefiles/core/bmpwriter.h"
#include "gaugefiles/core/gaugeextraction.h"
#include "gaugefiles/core/gaugemodule.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr int kModules = 64;
constexpr std::size_t kModuleBytes = 1 << 20;

std::string bigModule(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::string module(kModuleBytes, '\0');
    for (char& byte : module)
        byte = static_cast<char>(random() & 0xFF);
    // Random code has plenty of 0x28 and "T" bytes; only the marker itself must be unique.
    const std::size_t marker = kModuleBytes - 100'000;
    module.replace(marker, 4, std::string_view("T\0r\0", 4));
    cockpix::IndexedImage picture(256, 256, 3);
    const std::string bitmap = cockpix::bmpInfoAndPixels(picture);
    module.replace(marker + 10, bitmap.size(), bitmap);
    module.replace(3000, 4, std::string_view("\x62\x02\0\0", 4));
    return module;
}

// 64 modules in a temporary gauges directory, made once.
const fs::path& gaugesDir() {
    static const fs::path dir = [] {
        const fs::path path = fs::temp_directory_path() / "cockpix_bench_gauges";
        fs::create_directories(path / "bmp");
        for (int k = 0; k < kModules; ++k) {
            const fs::path file = path / ("module" + std::to_string(k) + ".gau");
            if (fs::exists(file) && fs::file_size(file) == kModuleBytes)
                continue;
            std::ofstream out(file, std::ios::binary);
            const std::string bytes = bigModule(static_cast<std::uint32_t>(k));
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        return path;
    }();
    return dir;
}

std::string modulePath(int k) {
    return (gaugesDir() / ("module" + std::to_string(k) + ".gau")).string();
}

cockpix::NamedPath named(const std::string& path) {
    return {path, cockpix::UserText::path(path)};
}

void BM_ReadSixtyFourModules(benchmark::State& state) {
    gaugesDir(); // made before timing
    for (auto _ : state) {
        for (int k = 0; k < kModules; ++k)
            benchmark::DoNotOptimize(cockpix::readWholeFile(modulePath(k)));
    }
    state.SetBytesProcessed(state.iterations() * kModules * kModuleBytes);
}
BENCHMARK(BM_ReadSixtyFourModules)->Unit(benchmark::kMillisecond);

void BM_ExtractSixtyFourModules(benchmark::State& state) {
    const std::string bmpDir = (gaugesDir() / "bmp").string() + "/"; // made before timing
    for (auto _ : state) {
        for (int k = 0; k < kModules; ++k) {
            const std::string bitmap = bmpDir + "module" + std::to_string(k) + ".bmp";
            auto result =
                cockpix::extractGaugeBitmapFile(named(modulePath(k)), named(bitmap), "", true, k);
            if (!result.ownPicture())
                state.SkipWithError("extraction failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * kModules * kModuleBytes);
}
BENCHMARK(BM_ExtractSixtyFourModules)->Unit(benchmark::kMillisecond);

// The first showing of the window: no bitmap in the work directory yet.
void BM_ExtractSixtyFourModulesFresh(benchmark::State& state) {
    const fs::path bmpDir = gaugesDir() / "bmp";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove_all(bmpDir);
        state.ResumeTiming();
        for (int k = 0; k < kModules; ++k) {
            const auto bitmap = (bmpDir / ("module" + std::to_string(k) + ".bmp")).string();
            if (!cockpix::extractGaugeBitmapFile(named(modulePath(k)), named(bitmap), "", false, k)
                     .ownPicture())
                state.SkipWithError("extraction failed");
        }
    }
    state.SetBytesProcessed(state.iterations() * kModules * kModuleBytes);
}
BENCHMARK(BM_ExtractSixtyFourModulesFresh)->Unit(benchmark::kMillisecond);

void BM_SearchesInMemory(benchmark::State& state) {
    const std::string module = bigModule(7);
    for (auto _ : state) {
        benchmark::DoNotOptimize(cockpix::extractedBitmapBytes(module));
        benchmark::DoNotOptimize(cockpix::findGaugeSize(module));
    }
    state.SetBytesProcessed(state.iterations() * kModuleBytes);
}
BENCHMARK(BM_SearchesInMemory)->Unit(benchmark::kMicrosecond);

} // namespace
