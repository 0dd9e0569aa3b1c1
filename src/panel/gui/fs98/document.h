#pragma once

// The document of an FS98 panel: the Panel being edited and what the next save writes as
// colours (the palette options and the optimizer's proposal); the path it was opened from
// and the undo stack are its BaseDocument's. Every change of what a save would write goes
// through one of its operations: each pushes one undo step holding what it changes, and the
// step emits one change signal when it is done, undone or redone. Windows read the panel as
// const and update themselves from the signals.

#include "panel/core/fs98/edits.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/writer.h"
#include "panel/gui/basedocument.h"

#include <QString>

#include <string>
#include <vector>

namespace cockpix::fs98 {

class Document : public BaseDocument {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const Panel& panel() const { return m_panel; }
    PanelFormat format() const override { return PanelFormat::Fs98; }
    // Save writes nothing for a panel without windows.
    bool hasContent() const override { return m_panel.windowCount > 0; }
    std::string bytesToSave(const SaveRequest& save) const override;
    const PaletteSaveOptions& paletteOptions() const { return m_paletteOptions; }
    const PaletteProposal& paletteProposal() const { return m_proposal; }

    // --- Operations: each is one undo step (none when nothing would change) ---

    // One template box of row edit.row: the field and the window count it leaves.
    void setWindowField(const WindowEdit& edit);
    void setGaugeField(int w, int g, GaugeField field, double value);
    // A gauge put at a new place in one go (a drag): "Move gauge #g".
    void moveGauge(int w, int g, double x, double y);
    // A gauge given a new size in one go (its corner handle dragged): "Resize gauge #g".
    void resizeGauge(int w, int g, double size);
    // Gauge g of window w takes another module ("Gauge #g module"); its window draws its
    // gauges again (gaugesChanged).
    void setGaugeModule(int w, int g, const std::string& name);
    void addGauge(int w, const Gauge& gauge);
    void removeGauge(int w, int g);
    // Several gauges of window w at once (the designer's tools), each one step:
    // placeGauges sets X, Y and size of each gauge named (a drag of a selection, "Align
    // left", "Same width": text names the step) with gaugesPlaced(w); pasteGauges appends
    // them all ("Paste 3 gauges"; nothing when the window cannot hold them all, false) and
    // cutGauges removes them ("Cut 3 gauges", or text: "Delete 3 gauges"; the others keep
    // their order), both with gaugesChanged(w). Placements of gauges that are not there, or not
    // finite, and unchanged ones are left out.
    void placeGauges(int w, std::vector<GaugePlacement> placements, const QString& text);
    bool pasteGauges(int w, std::vector<Gauge> gauges);
    void cutGauges(int w, std::vector<int> gauges, const QString& text = {});
    void setDefaultView(const DefaultView& view);
    // Window w's size ratio and the default view in one step named text, a step of its own
    // (the outside-view frame's corrections on opening).
    void setRatioAndDefaultView(int w, double ratio, const DefaultView& view, const QString& text);
    // The window sections move to the slots order gives them, the titles stay (see
    // moveWindowSections): one step named text, with windowChanged(w) and gaugesChanged(w)
    // for every slot that takes another section.
    void moveWindowSections(const WindowOrder& order, const QString& text);
    // The [8 bit colors] lines, at most 33.
    void setColorLines(const std::vector<std::string>& lines);
    void setPaletteOptions(const PaletteSaveOptions& options);
    void setPaletteProposal(const PaletteProposal& proposal);

    // A panel window found the module's size of a gauge line without one. Not an edit of
    // the user's and not an undo step: the file it would write stays the same.
    void recordFoundGaugeSize(int w, int g, double size);

    // Open, New: the whole panel is replaced, the palette choices go back to their
    // defaults and the history is cleared. (Open then fills the template, whose boxes may
    // still adjust the panel, and clears the history once more.)
    void replacePanel(const Panel& panel, const std::string& filePath);

signals:
    void windowChanged(int w); // a field of window w, or the window count
    void gaugeChanged(int w, int g);
    void gaugesChanged(int w); // the gauges of window w were added, removed or moved up
    void gaugesPlaced(int w);  // X, Y or size of several gauges of window w (count and order stay)
    void defaultViewChanged();
    void colorLinesChanged();
    void paletteChanged(); // the palette options or the proposal

private:
    friend class Command;

    Panel m_panel;
    PaletteSaveOptions m_paletteOptions;
    PaletteProposal m_proposal;
};

} // namespace cockpix::fs98
