#pragma once

#include "panel/gui/fs98/command.h"

#include <vector>

namespace cockpix::fs98 {

// Several gauges of one window put at new places and sizes in one go: a drag of a
// selection, an alignment, a distribution, same width.
class PlaceGaugesCommand : public Command {
public:
    PlaceGaugesCommand(Document& document, int w, std::vector<GaugePlacement> placements,
                       const QString& text);

    void redo() override;
    void undo() override;

private:
    int m_w;
    std::vector<GaugePlacement> m_before;
    std::vector<GaugePlacement> m_after;
};

// Gauges appended to a window in one go (a paste); their slots' earlier contents come back
// on undo.
class PasteGaugesCommand : public Command {
public:
    PasteGaugesCommand(Document& document, int w, std::vector<Gauge> gauges);

    void redo() override;
    void undo() override;

private:
    int m_w;
    std::vector<Gauge> m_gauges;
    std::vector<Gauge> m_previousSlots;
};

// Gauges removed from a window in one go (a cut, a delete of several), the others moving
// down and keeping their order.
class CutGaugesCommand : public Command {
public:
    // gauges: distinct gauges of window w; text names the step ("Cut 3 gauges" when empty).
    CutGaugesCommand(Document& document, int w, std::vector<int> gauges,
                     const QString& text = {});

    void redo() override;
    void undo() override;

private:
    int m_w;
    std::vector<int> m_gauges; // highest first: each removal leaves the next one in place
    std::vector<Gauge> m_removed;
};

} // namespace cockpix::fs98
