// Snapping a dragged gauge on a panel window of 100 gauges, once for every mouse move,
// against the plain cost of the same pass: the nine distances of edges and centres to each
// other gauge on each axis, and their minimum. Both run in the same iteration, one after
// the other, so that their ratio holds whatever the machine.

#include "panelwindows/core/gaugesnapping.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <vector>

namespace {

using namespace cockpix;
using Clock = std::chrono::steady_clock;

constexpr int kGauges = 100;
constexpr int kMoves = 1000; // a long drag

std::vector<GaugeRect> panelGauges() {
    std::vector<GaugeRect> gauges;
    for (int i = 0; i < kGauges; ++i)
        gauges.push_back({(i % 10) * 80.0 + 3, (i / 10) * 60.0 + 1, 64, 48});
    return gauges;
}

// The plain cost of one move: every distance looked at, nothing kept.
double plainPass(const std::vector<GaugeRect>& others, const GaugeRect& moved) {
    double best = 1e300;
    for (const GaugeRect& o : others) {
        const double there[] = {o.x, o.x + o.w / 2, o.x + o.w, o.y, o.y + o.h / 2, o.y + o.h};
        const double here[] = {moved.x, moved.x + moved.w / 2, moved.x + moved.w,
                               moved.y, moved.y + moved.h / 2, moved.y + moved.h};
        for (int axis = 0; axis < 2; ++axis) {
            for (int a = 0; a < 3; ++a) {
                for (int b = 0; b < 3; ++b)
                    best = std::min(best, std::abs(there[axis * 3 + a] - here[axis * 3 + b]));
            }
        }
    }
    return best;
}

double seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

void BM_SnapEveryMouseMoveAgainstPlainPass(benchmark::State& state) {
    const std::vector<GaugeRect> others = panelGauges();
    std::vector<GaugeRect> plainTargets = others;
    plainTargets.push_back({0, 0, 800, 600});
    SnapRequest request;
    request.moving = {400, 300, 64, 48};
    request.others = others;
    request.background = GaugeRect{0, 0, 800, 600};
    request.tolerance = 4 / 1.25;
    request.gridStep = 8;
    double plain = 0;
    double snapping = 0;
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        for (int m = 0; m < kMoves; ++m) {
            const GaugeRect moved{400 + m * 0.37, 300 - m * 0.21, 64, 48};
            benchmark::DoNotOptimize(plainPass(plainTargets, moved));
        }
        const Clock::time_point planed = Clock::now();
        for (int m = 0; m < kMoves; ++m) {
            request.dx = m * 0.37;
            request.dy = -m * 0.21;
            const Snap snap = snapMove(request);
            benchmark::DoNotOptimize(snap.dx);
            benchmark::DoNotOptimize(snap.guides.data());
        }
        const Clock::time_point done = Clock::now();
        plain += seconds(start, planed);
        snapping += seconds(planed, done);
        state.SetIterationTime(seconds(planed, done));
    }
    const double runs = static_cast<double>(state.iterations()) * kMoves;
    state.counters["plain_us"] = plain / runs * 1e6;
    state.counters["snap_us"] = snapping / runs * 1e6;
    state.counters["ratio"] = plain > 0 ? snapping / plain : 0;
}
BENCHMARK(BM_SnapEveryMouseMoveAgainstPlainPass)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
