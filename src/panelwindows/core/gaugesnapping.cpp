#include "panelwindows/core/gaugesnapping.h"

#include "base/core/numbertext.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace cockpix {
namespace {

// Lines meet when they are this close: the sums of a move never land exactly.
constexpr double kSameLine = 1e-6;

std::array<double, 3> xLines(const GaugeRect& r) {
    return {r.x, r.x + r.w / 2, r.x + r.w};
}
std::array<double, 3> yLines(const GaugeRect& r) {
    return {r.y, r.y + r.h / 2, r.y + r.h};
}

struct Axis {
    std::array<double, 3> (*lines)(const GaugeRect&);
    double GaugeRect::*start;  // across the guides: x for vertical ones
    double GaugeRect::*across; // along them: y for vertical ones
    double GaugeRect::*length; // h for vertical ones
    SnapGuide::Line line;
};

constexpr Axis kX{xLines, &GaugeRect::x, &GaugeRect::y, &GaugeRect::h, SnapGuide::Line::Vertical};
constexpr Axis kY{yLines, &GaugeRect::y, &GaugeRect::x, &GaugeRect::w, SnapGuide::Line::Horizontal};

template <class Each> void eachTarget(const SnapRequest& request, const Each& each) {
    for (const GaugeRect& other : request.others)
        each(other);
    if (request.background)
        each(*request.background);
}

// The smallest correction within the tolerance that puts a line of moved on a line of a
// target, or nullopt.
std::optional<double> nearestCorrection(const SnapRequest& request, const GaugeRect& moved,
                                        const Axis& axis) {
    std::optional<double> best;
    if (!(request.tolerance > 0))
        return best;
    const std::array<double, 3> own = axis.lines(moved);
    eachTarget(request, [&](const GaugeRect& target) {
        for (double there : axis.lines(target)) {
            for (double here : own) {
                const double d = there - here;
                if (std::abs(d) <= request.tolerance && (!best || std::abs(d) < std::abs(*best)))
                    best = d;
            }
        }
    });
    return best;
}

void addGuides(const SnapRequest& request, const GaugeRect& moved, const Axis& axis,
               std::vector<SnapGuide>& guides) {
    const std::array<double, 3> own = axis.lines(moved);
    const std::size_t first = guides.size();
    eachTarget(request, [&](const GaugeRect& target) {
        for (double there : axis.lines(target)) {
            for (double here : own) {
                if (std::abs(there - here) > kSameLine)
                    continue;
                const double from = std::min(moved.*axis.across, target.*axis.across);
                const double to = std::max(moved.*axis.across + moved.*axis.length,
                                           target.*axis.across + target.*axis.length);
                auto same = std::find_if(
                    guides.begin() + static_cast<long>(first), guides.end(),
                    [&](const SnapGuide& g) { return std::abs(g.at - there) <= kSameLine; });
                if (same == guides.end()) {
                    guides.push_back({axis.line, there, from, to});
                } else {
                    same->from = std::min(same->from, from);
                    same->to = std::max(same->to, to);
                }
            }
        }
    });
}

bool finiteRequest(const SnapRequest& r) {
    const auto finiteRect = [](const GaugeRect& g) {
        return std::isfinite(g.x) && std::isfinite(g.y) && std::isfinite(g.w) && std::isfinite(g.h);
    };
    return std::isfinite(r.dx) && std::isfinite(r.dy) && finiteRect(r.moving);
}

} // namespace

double snapToGrid(double value, double step) {
    if (!(step > 0) || !std::isfinite(step) || !std::isfinite(value))
        return value;
    return roundHalfEven(value / step) * step;
}

Snap snapMove(const SnapRequest& request) {
    Snap snap{request.dx, request.dy, {}};
    if (!finiteRequest(request))
        return snap;
    GaugeRect moved = request.moving;
    moved.x += request.dx;
    moved.y += request.dy;
    const std::optional<double> cx = nearestCorrection(request, moved, kX);
    const std::optional<double> cy = nearestCorrection(request, moved, kY);
    snap.dx += cx ? *cx : snapToGrid(moved.x, request.gridStep) - moved.x;
    snap.dy += cy ? *cy : snapToGrid(moved.y, request.gridStep) - moved.y;
    moved.x = request.moving.x + snap.dx;
    moved.y = request.moving.y + snap.dy;
    if (cx)
        addGuides(request, moved, kX, snap.guides);
    if (cy)
        addGuides(request, moved, kY, snap.guides);
    return snap;
}

} // namespace cockpix
