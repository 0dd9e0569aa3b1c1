#pragma once

// The base of an FS98 panel's undo steps: the panel and palette choices they change, and
// the document whose signals tell the views.

#include "panel/gui/fs98/document.h"
#include "panel/gui/panelcommand.h"

namespace cockpix::fs98 {

class Command : public PanelCommand {
protected:
    Command(Document& document, const QString& text)
        : PanelCommand(document, text), m_document(document) {}

    Document& document() const { return m_document; }
    Panel& panel() const { return m_document.m_panel; }
    PaletteSaveOptions& paletteOptions() const { return m_document.m_paletteOptions; }
    PaletteProposal& proposal() const { return m_document.m_proposal; }

private:
    Document& m_document;
};

} // namespace cockpix::fs98
