#include "panelwindows/core/gaugearrangement.h"

#include "base/core/numbertext.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace cockpix {
namespace {

bool finiteRect(const GaugeRect& r) {
    return std::isfinite(r.x) && std::isfinite(r.y) && std::isfinite(r.w) && std::isfinite(r.h);
}

double whole(double value) {
    return roundHalfEven(value);
}

// Equal gaps between the rectangles along one axis: sorted by their start (ties keep the
// selection's order), the first and the last stay, the others follow each other with the
// gap that the room between those two leaves.
template <class Start, class Length>
void distribute(std::vector<GaugeRect>& rects, Start start, Length length) {
    std::vector<std::size_t> order(rects.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return start(rects[a]) < start(rects[b]);
    });
    const GaugeRect& first = rects[order.front()];
    const GaugeRect& last = rects[order.back()];
    double lengths = 0;
    for (std::size_t i : order)
        lengths += length(rects[i]);
    const double room = start(last) + length(last) - start(first);
    const double gap = (room - lengths) / static_cast<double>(order.size() - 1);
    double at = start(first) + length(first) + gap;
    for (std::size_t k = 1; k + 1 < order.size(); ++k) {
        GaugeRect& r = rects[order[k]];
        start(r) = whole(at);
        at += length(r) + gap;
    }
}

} // namespace

GaugeRect boundingRect(std::span<const GaugeRect> rects) {
    if (rects.empty())
        return {};
    double left = rects.front().x;
    double top = rects.front().y;
    double right = rects.front().right();
    double bottom = rects.front().bottom();
    for (const GaugeRect& r : rects) {
        left = std::min(left, r.x);
        top = std::min(top, r.y);
        right = std::max(right, r.right());
        bottom = std::max(bottom, r.bottom());
    }
    return {left, top, right - left, bottom - top};
}

// An FS98 gauge's height in panel units is rarely whole: a tenth is as fine as the eye
// needs on a status line.
std::string selectionStatus(std::size_t count, const GaugeRect& box) {
    const auto tenth = [](double value) { return plainNumberText(roundHalfEven(value * 10) / 10); };
    return std::to_string(count) + " gauges selected: X = " + tenth(box.x) +
           ", Y = " + tenth(box.y) + ", W = " + tenth(box.w) + ", H = " + tenth(box.h);
}

std::string arrangementStepName(Arrangement arrangement) {
    switch (arrangement) {
    case Arrangement::AlignLeft:
        return "Align left";
    case Arrangement::AlignRight:
        return "Align right";
    case Arrangement::AlignTop:
        return "Align top";
    case Arrangement::AlignBottom:
        return "Align bottom";
    case Arrangement::AlignHorizontalCentres:
        return "Align horizontal centres";
    case Arrangement::AlignVerticalCentres:
        return "Align vertical centres";
    case Arrangement::DistributeHorizontally:
        return "Distribute horizontally";
    case Arrangement::DistributeVertically:
        return "Distribute vertically";
    case Arrangement::SameWidth:
        return "Same width";
    case Arrangement::SameHeight:
        return "Same height";
    }
    return {};
}

bool offersArrangement(Arrangement arrangement, bool fs2kPanel) {
    return fs2kPanel || arrangement != Arrangement::SameHeight;
}

std::size_t arrangementMinimum(Arrangement arrangement) {
    return arrangement == Arrangement::DistributeHorizontally ||
                   arrangement == Arrangement::DistributeVertically
               ? 3
               : 2;
}

bool ArrangedGauges::anyChanged() const {
    return std::find(changed.begin(), changed.end(), true) != changed.end();
}

ArrangedGauges arrangeGauges(Arrangement arrangement, std::span<const GaugeRect> selection) {
    ArrangedGauges result;
    result.rects.assign(selection.begin(), selection.end());
    result.changed.assign(selection.size(), false);
    result.stepName = arrangementStepName(arrangement);
    if (selection.size() < arrangementMinimum(arrangement) ||
        !std::all_of(selection.begin(), selection.end(), finiteRect))
        return result;

    const GaugeRect anchor = selection.front();
    auto& rects = result.rects;
    const auto others = [&](auto set) {
        for (std::size_t i = 1; i < rects.size(); ++i)
            set(rects[i]);
    };
    switch (arrangement) {
    case Arrangement::AlignLeft:
        others([&](GaugeRect& r) { r.x = anchor.x; });
        break;
    case Arrangement::AlignRight:
        others([&](GaugeRect& r) { r.x = whole(anchor.right() - r.w); });
        break;
    case Arrangement::AlignTop:
        others([&](GaugeRect& r) { r.y = anchor.y; });
        break;
    case Arrangement::AlignBottom:
        others([&](GaugeRect& r) { r.y = whole(anchor.bottom() - r.h); });
        break;
    case Arrangement::AlignHorizontalCentres:
        others([&](GaugeRect& r) { r.x = whole(anchor.x + (anchor.w - r.w) / 2); });
        break;
    case Arrangement::AlignVerticalCentres:
        others([&](GaugeRect& r) { r.y = whole(anchor.y + (anchor.h - r.h) / 2); });
        break;
    case Arrangement::DistributeHorizontally:
        distribute(
            rects, [](auto& r) -> auto& { return r.x; }, [](const GaugeRect& r) { return r.w; });
        break;
    case Arrangement::DistributeVertically:
        distribute(
            rects, [](auto& r) -> auto& { return r.y; }, [](const GaugeRect& r) { return r.h; });
        break;
    case Arrangement::SameWidth:
        others([&](GaugeRect& r) { r.w = anchor.w; });
        break;
    case Arrangement::SameHeight:
        others([&](GaugeRect& r) { r.h = anchor.h; });
        break;
    }
    for (std::size_t i = 0; i < rects.size(); ++i)
        result.changed[i] = !(rects[i] == selection[i]);
    return result;
}

} // namespace cockpix
