// Reading the material names of a 200 MB glTF (its materials list after a huge accessors
// array of numbers, as an exporter that writes its data inline leaves it), beside the plain
// cost of reading its bytes. Both are timed in each iteration; ratio is names / bytes (the
// aim: at most 1.5).

#include "base/core/filelookup.h"
#include "gaugefiles/core/fs2k/modelmaterials.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// Written once, removed when the program ends.
struct BigGltf {
    BigGltf() {
        fs::create_directories(path.parent_path());
        std::ofstream out(path, std::ios::binary);
        out << R"({"asset":{"version":"2.0","generator":"bench"},"scene":0,"accessors":[)";
        std::string numbers;
        for (int i = 0; i < 20000; ++i)
            numbers += std::to_string(i % 997) + "." + std::to_string(i % 89) + ",";
        std::size_t written = 0;
        for (int block = 0; written < kSize; ++block) {
            const std::string head = std::string(block ? "," : "") +
                                     R"({"bufferView":0,"componentType":5126,"values":[)";
            out << head << numbers << "0]}";
            written += head.size() + numbers.size() + 3;
        }
        out << R"(],"materials":[{"name":"$PFD"},{"name":"$MFD"},{"name":"FMC3"}],)"
            << R"("meshes":[],"buffers":[{"byteLength":0}]})";
    }
    ~BigGltf() { fs::remove_all(path.parent_path()); }

    static constexpr std::size_t kSize = 200u << 20;
    fs::path path = fs::temp_directory_path() / "cockpix_materials_bench" / "Interior.gltf";
};

double secondsOf(auto&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_GltfMaterialNames200MB_AgainstReadingItsBytes(benchmark::State& state) {
    static const BigGltf file;
    double names = 0;
    double bytes = 0;
    for (auto _ : state) {
        bytes += secondsOf([&] {
            const auto read = cockpix::readWholeFile(file.path.string());
            if (!read)
                state.SkipWithError("the glTF cannot be read");
            benchmark::DoNotOptimize(read->data());
        });
        const double took = secondsOf([&] {
            const auto read = cockpix::fs2k::readGltfMaterialsFile(file.path.string());
            if (read.names.size() != 3)
                state.SkipWithError("the materials were not found");
        });
        names += took;
        state.SetIterationTime(took);
    }
    state.counters["bytes_ms"] = bytes * 1e3 / static_cast<double>(state.iterations());
    state.counters["names_ms"] = names * 1e3 / static_cast<double>(state.iterations());
    state.counters["ratio"] = names / bytes;
}
BENCHMARK(BM_GltfMaterialNames200MB_AgainstReadingItsBytes)
    ->Unit(benchmark::kMillisecond)
    ->UseManualTime()
    ->Iterations(4);

} // namespace
