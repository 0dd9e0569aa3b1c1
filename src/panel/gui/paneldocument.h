#pragma once

// The one editing point of the panel. The document owns the Panel being edited, the path it
// was opened from, what the next save writes as colours (the palette options and the
// optimizer's proposal) and the undo stack. Every change of what a save would write goes
// through one of its operations: each pushes one undo step holding what it changes, and
// the step emits one change signal when it is done, undone or redone. Windows read the
// panel as const and update themselves from the signals.

#include "panel/core/panel.h"
#include "panel/core/paneledits.h"
#include "panel/core/panelwriter.h"

#include <QObject>
#include <QString>

#include <optional>
#include <string>
#include <vector>

class QUndoCommand;
class QUndoStack;

namespace cockpix {

class PanelDocument : public QObject {
    Q_OBJECT
public:
    explicit PanelDocument(QObject* parent = nullptr);
    ~PanelDocument() override;

    const Panel& panel() const { return m_panel; }
    // The panel.cfg the panel was read from; empty for a new panel.
    const std::string& filePath() const { return m_filePath; }
    const PaletteSaveOptions& paletteOptions() const { return m_paletteOptions; }
    const PaletteProposal& paletteProposal() const { return m_proposal; }

    QUndoStack* undoStack() const { return m_undoStack; }
    // True while the panel differs from what was last opened or saved.
    bool isModified() const;
    // The panel was just written to filePath: that is its file from now on (the one a
    // comparison and the checker read), and the current state becomes the clean one.
    void markSaved(const std::string& filePath);

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
    // Open, once the template is filled: the panel stays, its history goes.
    void clearHistory();

    // Ends the present run of merged steps: the next edit is a step of its own even when it
    // changes the same field (the user left the box, or a button set it).
    void breakMerge();

    void undo();
    void redo();

signals:
    void windowChanged(int w); // a field of window w, or the window count
    void gaugeChanged(int w, int g);
    void gaugesChanged(int w); // the gauges of window w were added, removed or moved up
    void defaultViewChanged();
    void colorLinesChanged();
    void paletteChanged(); // the palette options or the proposal
    void panelReplaced();
    void modifiedChanged(bool modified);

private:
    friend class PanelCommand;

    // What the undo steps use to change the panel and tell the views.
    Panel& editablePanel() { return m_panel; }
    PaletteSaveOptions& editablePaletteOptions() { return m_paletteOptions; }
    PaletteProposal& editableProposal() { return m_proposal; }
    int mergeRun() const { return m_mergeRun; }
    void push(QUndoCommand* command);

    Panel m_panel;
    std::string m_filePath;
    PaletteSaveOptions m_paletteOptions;
    PaletteProposal m_proposal;
    QUndoStack* m_undoStack = nullptr;
    int m_mergeRun = 0;
    bool m_pushing = false;
};

} // namespace cockpix
