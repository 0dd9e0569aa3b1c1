#pragma once

#include "panel/gui/fs98/command.h"

#include <vector>

namespace cockpix::fs98 {

// The [8 bit colors] lines kept from the file.
class ColorLinesCommand : public Command {
public:
    ColorLinesCommand(Document& document, const std::vector<std::string>& lines);

    void redo() override;
    void undo() override;

private:
    using Lines = decltype(Panel::colorLine);
    void apply(const Lines& lines, int count);

    Lines m_before;
    int m_beforeCount;
    Lines m_after;
    int m_afterCount;
};

// What a save writes as colours: the template's two palette options, or the optimizer's
// proposal.
class PaletteCommand : public Command {
public:
    PaletteCommand(Document& document, const QString& text, const PaletteSaveOptions& options,
                   const PaletteProposal& proposal);

    void redo() override;
    void undo() override;

private:
    void apply(const PaletteSaveOptions& options, const PaletteProposal& proposal);

    PaletteSaveOptions m_beforeOptions;
    PaletteProposal m_beforeProposal;
    PaletteSaveOptions m_afterOptions;
    PaletteProposal m_afterProposal;
};

// The colour lines of a panel, slots 1..colorLineCount.
std::vector<std::string> colorLinesOf(const Panel& panel);

} // namespace cockpix::fs98
