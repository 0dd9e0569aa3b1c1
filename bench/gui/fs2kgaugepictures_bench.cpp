// The pictures of a window of 100 XML gauges packed in one cabinet (each gauge.xml naming a
// bitmap of its own), found, unpacked, parsed and decoded by a fresh fs2k::GaugePictures,
// beside unpacking the same cabinet alone (every file) in the same iteration, both in this
// thread's processor time. The goal: the pictures take at most 1.5 times as long as the
// unpacking; the "ratio" counter says.

#include "benchapplication.h"

#include "drawing/gui/fs2k/gaugepictures.h"
#include "gaugefiles/core/bmpwriter.h"
#include "gaugefiles/core/cabfile.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <time.h>

namespace cockpix {
namespace {

namespace fs = std::filesystem;

constexpr int kGauges = 100;

void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// gauges/Pack.cab holding Gauge0.xml .. Gauge99.xml and their 120 x 120 bitmaps.
struct CabInstallation {
    fs::path root = fs::temp_directory_path() / "cockpix_fs2kgaugepictures_bench";
    std::string gaugesDir = (root / "gauges").string() + "/";
    std::vector<std::string> names;
    bool made = false;

    CabInstallation() {
        fs::remove_all(root);
        fs::create_directories(root / "packing");
        fs::create_directories(root / "gauges");
        std::string files;
        for (int i = 0; i < kGauges; ++i) {
            const std::string gauge = "Gauge" + std::to_string(i);
            IndexedImage image(120, 120, static_cast<std::uint8_t>(i));
            for (int y = 0; y < 120; y += 3)
                for (int x = 0; x < 120; ++x)
                    image.at(x, y) = static_cast<std::uint8_t>((x * y + i) & 0xff);
            write(root / "packing" / (gauge + ".bmp"), bmpFileBytes(image));
            write(root / "packing" / (gauge + ".xml"),
                  "<Gauge Name=\"" + gauge + "\" Version=\"1.0\">\n  <Image Name=\"" + gauge +
                      ".bmp\" ImageSizes=\"120,120\"/>\n  <Element><Position X=\"60\" Y=\"60\"/>"
                      "<Image Name=\"" +
                      gauge + ".bmp\"/></Element>\n</Gauge>\n");
            files += " " + gauge + ".xml " + gauge + ".bmp";
            names.push_back("Pack!" + gauge);
        }
        const std::string command = "cd '" + (root / "packing").string() + "' && gcab -c -z '" +
                                    (root / "gauges/Pack.cab").string() + "'" + files +
                                    " >/dev/null 2>&1";
        made = std::system(command.c_str()) == 0;
    }
    ~CabInstallation() { fs::remove_all(root); }
};

// The time this thread has run: the machine is shared, and the two phases of an iteration
// are compared with each other, so neither may count the time others took.
double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

void BM_HundredXmlGaugesFromOneCab(benchmark::State& state) {
    benchApplication();
    static CabInstallation at;
    if (!at.made) {
        state.SkipWithError("gcab is not installed");
        return;
    }
    const std::vector<std::string_view> names(at.names.begin(), at.names.end());
    const std::string cabPath = at.gaugesDir + "Pack.cab";
    double pictureSeconds = 0;
    double unpackSeconds = 0;
    for (auto _ : state) {
        // Each phase frees what it made before the other starts, so that both take their
        // memory from the same freed pages.
        {
            const double start = threadSeconds();
            fs2k::GaugePictures pictures;
            const std::vector<fs2k::GaugePicture> all = pictures.pictures(names, {}, at.gaugesDir);
            pictureSeconds += threadSeconds() - start;
            if (all.size() != names.size() || all.back().picture.isNull()) {
                state.SkipWithError("a gauge has no picture");
                return;
            }
        }
        {
            const double start = threadSeconds();
            const auto bytes = readCabinet(cabPath);
            const auto files = bytes ? readCabFiles(*bytes) : std::nullopt;
            unpackSeconds += threadSeconds() - start;
            benchmark::DoNotOptimize(files);
        }
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["pictures_ms"] = 1000 * pictureSeconds / iterations;
    state.counters["unpack_ms"] = 1000 * unpackSeconds / iterations;
    state.counters["ratio"] = unpackSeconds > 0 ? pictureSeconds / unpackSeconds : 0;
}
BENCHMARK(BM_HundredXmlGaugesFromOneCab)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
} // namespace cockpix
