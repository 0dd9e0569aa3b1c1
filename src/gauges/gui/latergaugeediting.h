#pragma once

// The gauge edits of a later panel window and its dialogs, each one call and one undo step
// on the panel document: move, resize, the whole line, removal. Lines are named by their
// index in the document's lines (LaterGauge::line).

#include <cstddef>
#include <optional>
#include <string>

namespace cockpix {

class PanelDocument;

class LaterGaugeEditing {
public:
    explicit LaterGaugeEditing(PanelDocument& document) : m_document(document) {}

    void move(std::size_t line, double x, double y);
    void resize(std::size_t line, double width, std::optional<double> height);
    // Everything after "gaugeNN=".
    void setLine(std::size_t line, const std::string& text);
    // The gauges after it in its section take the numbers one lower.
    void remove(std::size_t line);

private:
    PanelDocument& m_document;
};

} // namespace cockpix
