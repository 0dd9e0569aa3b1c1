#include "template/core/freeplace.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace cockpix {
namespace {

// Edges computed as left - width may miss the exact sum by a rounding step.
constexpr double kTouching = 1e-9;
// Each place tried costs a test against every other gauge: past this many places or tests
// (a window of several hundred gauges) the search is not worth its time.
constexpr std::size_t kMostPlaces = 1'000'000;
constexpr std::size_t kMostTests = 4'000'000;

bool overlaps(const GaugeRect& a, const GaugeRect& b) {
    return a.x < b.right() - kTouching && b.x < a.right() - kTouching &&
           a.y < b.bottom() - kTouching && b.y < a.bottom() - kTouching;
}

// The coordinates a nearest free place can have along one axis: the one nearest to where the
// gauge stands, the area's two ends, and the places where it touches another gauge's edge.
// (The nearest point of the free region lies on such lines, or at the gauge's own place.)
std::vector<double> stops(double at, double size, double most, std::span<const GaugeRect> others,
                          bool across) {
    std::vector<double> values{std::clamp(at, 0.0, most), 0.0, most};
    for (const GaugeRect& other : others) {
        const double start = across ? other.x : other.y;
        const double end = across ? other.right() : other.bottom();
        for (const double value : {end, start - size}) {
            if (value >= 0 && value <= most)
                values.push_back(value);
        }
    }
    std::sort(values.begin(), values.end());
    values.erase(std::unique(values.begin(), values.end()), values.end());
    return values;
}

struct Candidate {
    double distance;
    double x;
    double y;
};

} // namespace

std::optional<GaugeRect> nearestFreePlace(const GaugeRect& gauge, double areaWidth,
                                          double areaHeight, std::span<const GaugeRect> others) {
    if (!(gauge.w <= areaWidth && gauge.h <= areaHeight))
        return std::nullopt;
    const double mostX = std::max(0.0, std::floor(areaWidth - gauge.w));
    const double mostY = std::max(0.0, std::floor(areaHeight - gauge.h));
    const std::vector<double> xs = stops(gauge.x, gauge.w, mostX, others, true);
    const std::vector<double> ys = stops(gauge.y, gauge.h, mostY, others, false);
    if (xs.size() * ys.size() > kMostPlaces)
        return std::nullopt;
    std::vector<Candidate> candidates;
    candidates.reserve(xs.size() * ys.size());
    for (const double x : xs) {
        for (const double y : ys)
            candidates.push_back({std::hypot(x - gauge.x, y - gauge.y), x, y});
    }
    std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
        return a.distance != b.distance ? a.distance < b.distance
                                        : (a.y != b.y ? a.y < b.y : a.x < b.x);
    });
    std::size_t tests = 0;
    for (const Candidate& candidate : candidates) {
        const GaugeRect placed{candidate.x, candidate.y, gauge.w, gauge.h};
        const bool free = std::none_of(others.begin(), others.end(), [&](const GaugeRect& other) {
            ++tests;
            return overlaps(placed, other);
        });
        if (free)
            return placed;
        if (tests > kMostTests)
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace cockpix
