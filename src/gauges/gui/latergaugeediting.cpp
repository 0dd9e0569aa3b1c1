#include "gauges/gui/latergaugeediting.h"

#include "panel/core/lateredits.h"
#include "panel/gui/paneldocument.h"

#include <QString>

#include <charconv>

namespace cockpix {
namespace {

std::string numberText(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value == 0 ? 0.0 : value);
    return std::string(buffer, result.ptr);
}

} // namespace

void LaterGaugeEditing::move(std::size_t line, double x, double y) {
    m_document.editLaterLines(QObject::tr("Move gauge"), [=](PanelLines& lines) {
        setGaugeField(lines, line, 0, numberText(x));
        setGaugeField(lines, line, 1, numberText(y));
    });
}

void LaterGaugeEditing::resize(std::size_t line, double width, std::optional<double> height) {
    m_document.editLaterLines(QObject::tr("Resize gauge"), [=](PanelLines& lines) {
        setGaugeField(lines, line, 2, numberText(width));
        if (height)
            setGaugeField(lines, line, 3, numberText(*height));
    });
}

void LaterGaugeEditing::setLine(std::size_t line, const std::string& text) {
    m_document.editLaterLines(QObject::tr("Gauge properties"), [=](PanelLines& lines) {
        const std::string_view old = lines.text(line);
        lines.replace(line, std::string(old.substr(0, lines.valueOffset(line))) + text);
    });
}

void LaterGaugeEditing::remove(std::size_t line) {
    m_document.editLaterLines(QObject::tr("Remove gauge"),
                              [=](PanelLines& lines) { lines.remove(line); });
}

} // namespace cockpix
