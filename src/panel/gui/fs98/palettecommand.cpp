#include "panel/gui/fs98/palettecommand.h"

#include <algorithm>

namespace cockpix::fs98 {

std::vector<std::string> colorLinesOf(const Panel& panel) {
    const int count = std::clamp(panel.colorLineCount, 0, kColorSlots);
    return {panel.colorLine.begin() + 1, panel.colorLine.begin() + 1 + count};
}

ColorLinesCommand::ColorLinesCommand(Document& document, const std::vector<std::string>& lines)
    : Command(document, QStringLiteral("Colour lines")), m_before(document.panel().colorLine),
      m_beforeCount(document.panel().colorLineCount),
      m_afterCount(static_cast<int>(std::min(lines.size(), std::size_t(kColorSlots)))) {
    std::copy_n(lines.begin(), m_afterCount, m_after.begin() + 1);
}

void ColorLinesCommand::apply(const Lines& lines, int count) {
    panel().colorLine = lines;
    panel().colorLineCount = count;
    emit document().colorLinesChanged();
}

void ColorLinesCommand::redo() {
    apply(m_after, m_afterCount);
}

void ColorLinesCommand::undo() {
    apply(m_before, m_beforeCount);
}

PaletteCommand::PaletteCommand(Document& document, const QString& text,
                               const PaletteSaveOptions& options, const PaletteProposal& proposal)
    : Command(document, text), m_beforeOptions(document.paletteOptions()),
      m_beforeProposal(document.paletteProposal()), m_afterOptions(options),
      m_afterProposal(proposal) {}

void PaletteCommand::apply(const PaletteSaveOptions& options, const PaletteProposal& proposal) {
    paletteOptions() = options;
    this->proposal() = proposal;
    emit document().paletteChanged();
}

void PaletteCommand::redo() {
    apply(m_afterOptions, m_afterProposal);
}

void PaletteCommand::undo() {
    apply(m_beforeOptions, m_beforeProposal);
}

} // namespace cockpix::fs98
