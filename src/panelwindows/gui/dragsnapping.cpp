#include "panelwindows/gui/dragsnapping.h"

#include "panelwindows/core/gaugesnapping.h"
#include "panelwindows/gui/panelview.h"

#include <algorithm>
#include <cmath>

namespace cockpix {
namespace {

bool usableFactor(double factor) {
    return std::isfinite(factor) && factor > 0;
}

} // namespace

bool UnitFrame::usable() const {
    return usableFactor(perUnitX) && usableFactor(perUnitY) && std::isfinite(origin.x()) &&
           std::isfinite(origin.y());
}

std::optional<SnappedDrag> snapDrag(QPoint delta, const SnapTargets& targets,
                                    const UnitFrame& frame, const SnapOptions& options, bool free) {
    if (!frame.usable())
        return std::nullopt;
    SnapRequest request;
    request.moving = targets.moving;
    request.dx = delta.x() / frame.perUnitX;
    request.dy = delta.y() / frame.perUnitY;
    if (!free && options.toGauges) {
        request.others = targets.others;
        request.background = targets.background;
        // Within kSnapDistancePixels on both axes.
        request.tolerance = kSnapDistancePixels / std::max(frame.perUnitX, frame.perUnitY);
    }
    if (!free && options.toGrid)
        request.gridStep = options.gridStep;
    const Snap snap = snapMove(request);
    SnappedDrag drag;
    drag.dx = snap.dx;
    drag.dy = snap.dy;
    drag.snapped = snap.dx != request.dx || snap.dy != request.dy;
    drag.shown = drag.snapped ? QPoint(int(std::lround(snap.dx * frame.perUnitX)),
                                       int(std::lround(snap.dy * frame.perUnitY)))
                              : delta;
    const auto pixel = [&frame](double x, double y) {
        return QPointF(frame.origin.x() + x * frame.perUnitX,
                       frame.origin.y() + y * frame.perUnitY);
    };
    for (const SnapGuide& guide : snap.guides) {
        if (guide.line == SnapGuide::Line::Vertical)
            drag.guides.emplace_back(pixel(guide.at, guide.from), pixel(guide.at, guide.to));
        else
            drag.guides.emplace_back(pixel(guide.from, guide.at), pixel(guide.to, guide.at));
    }
    return drag;
}

QString snapStatus(const SnappedDrag& drag) {
    if (!drag.snapped)
        return {};
    return drag.guides.empty() ? QStringLiteral("   (snapped to the grid)")
                               : QStringLiteral("   (snapped to an edge or centre)");
}

QSizeF gridSpacing(const UnitFrame& frame, const SnapOptions& options) {
    if (!options.toGrid || !frame.usable() || options.gridStep <= 0)
        return {};
    return {options.gridStep * frame.perUnitX, options.gridStep * frame.perUnitY};
}

std::vector<int> gaugesNotMoved(int count, const std::vector<int>& moved) {
    std::vector<int> others;
    for (int g = 0; g < count; ++g) {
        if (std::find(moved.begin(), moved.end(), g) == moved.end())
            others.push_back(g);
    }
    return others;
}

std::optional<SnappedDrag> showSnappedDrag(PanelView& view, QPoint delta,
                                           const SnapTargets& targets, const UnitFrame& frame,
                                           const SnapOptions& options) {
    // Alt as ever; Ctrl as well, since most Linux window managers take Alt+drag for
    // themselves.
    const bool free = view.dragModifiers() & (Qt::AltModifier | Qt::ControlModifier);
    std::optional<SnappedDrag> drag = snapDrag(delta, targets, frame, options, free);
    if (drag)
        view.setDragPreview(drag->shown, drag->guides);
    return drag;
}

void showSnapGrid(PanelView& view, const UnitFrame& frame, const SnapOptions& options) {
    view.setGrid(frame.origin, gridSpacing(frame, options));
}

} // namespace cockpix
