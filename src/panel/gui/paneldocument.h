#pragma once

// The one editing point of the panel. The document owns the Panel being edited and what the
// next save writes as colours (the palette options and the optimizer's proposal); the path
// it was opened from and the undo stack are its BaseDocument's. Every change of what a save
// would write goes through one of its operations: each pushes one undo step holding what it
// changes, and the step emits one change signal when it is done, undone or redone. Windows
// read the panel as const and update themselves from the signals.
//
// A panel of FS2000 and later is held as its lines (PanelLines) and what they set
// (fs2k::Panel), read again after each edit; panel() is then empty. Its edits are operations
// here too, each one undo step that keeps the lines' state before and after, with the one
// signal fs2kChanged().

#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs2k/textencoding.h"
#include "panel/core/fs98/edits.h"
#include "panel/core/fs98/panel.h"
#include "panel/core/fs98/writer.h"
#include "panel/core/panelformat.h"
#include "panel/gui/basedocument.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cockpix {

class PanelDocument : public BaseDocument {
    Q_OBJECT
public:
    explicit PanelDocument(QObject* parent = nullptr);
    ~PanelDocument() override;

    const fs98::Panel& panel() const { return m_panel; }
    // Which format the panel was read in; FS98 for a new panel.
    PanelFormat format() const { return m_format; }
    bool isFs2k() const { return m_format == PanelFormat::Fs2k; }
    // A panel of FS2000 and later: its lines, the bytes Save writes, and what they set.
    const fs2k::PanelLines& fs2kLines() const { return m_lines; }
    const fs2k::Panel& fs2kPanel() const { return m_fs2kPanel; }
    // The encoding its texts are shown and typed in, decided once when it was opened.
    TextEncoding fs2kEncoding() const { return m_fs2kEncoding; }
    // Whether Save has anything to write: an FS98 panel with windows, or an fs2k panel.
    bool hasContent() const override { return isFs2k() || m_panel.windowCount > 0; }
    std::string bytesToSave(const fs98::SaveRequest& save) const override;
    const fs98::PaletteSaveOptions& paletteOptions() const { return m_paletteOptions; }
    const fs98::PaletteProposal& paletteProposal() const { return m_proposal; }

    // --- Operations: each is one undo step (none when nothing would change) ---

    // One template box of row edit.row: the field and the window count it leaves.
    void setWindowField(const fs98::WindowEdit& edit);
    void setGaugeField(int w, int g, fs98::GaugeField field, double value);
    // A gauge put at a new place in one go (a drag): "Move gauge #g".
    void moveGauge(int w, int g, double x, double y);
    // A gauge given a new size in one go (its corner handle dragged): "Resize gauge #g".
    void resizeGauge(int w, int g, double size);
    // Gauge g of window w takes another module ("Gauge #g module"); its window draws its
    // gauges again (gaugesChanged).
    void setGaugeModule(int w, int g, const std::string& name);
    void addGauge(int w, const fs98::Gauge& gauge);
    void removeGauge(int w, int g);
    // Several gauges of window w at once (the designer's tools), each one step:
    // placeGauges sets X, Y and size of each gauge named (a drag of a selection, "Align
    // left", "Same width": text names the step) with gaugesPlaced(w); pasteGauges appends
    // them all ("Paste 3 gauges"; nothing when the window cannot hold them all, false) and
    // cutGauges removes them ("Cut 3 gauges", or text: "Delete 3 gauges"; the others keep
    // their order), both with gaugesChanged(w). Placements of gauges that are not there, or not
    // finite, and unchanged ones are left out.
    void placeGauges(int w, std::vector<fs98::GaugePlacement> placements, const QString& text);
    bool pasteGauges(int w, std::vector<fs98::Gauge> gauges);
    void cutGauges(int w, std::vector<int> gauges, const QString& text = {});
    void setDefaultView(const fs98::DefaultView& view);
    // Window w's size ratio and the default view in one step named text, a step of its own
    // (the outside-view frame's corrections on opening).
    void setRatioAndDefaultView(int w, double ratio, const fs98::DefaultView& view,
                                const QString& text);
    // The window sections move to the slots order gives them, the titles stay (see
    // moveWindowSections): one step named text, with windowChanged(w) and gaugesChanged(w)
    // for every slot that takes another section.
    void moveWindowSections(const fs98::WindowOrder& order, const QString& text);
    // The [8 bit colors] lines, at most 33.
    void setColorLines(const std::vector<std::string>& lines);
    void setPaletteOptions(const fs98::PaletteSaveOptions& options);
    void setPaletteProposal(const fs98::PaletteProposal& proposal);

    // --- Operations on a panel of FS2000 and later (nothing happens for an FS98 one) ---

    // Key of the section `section` of the lines set to value (the line's value replaced, or
    // a line added after the section's last key line); removed with all its lines.
    void setFs2kKey(std::size_t section, const std::string& key, const std::string& value);
    void removeFs2kKey(std::size_t section, const std::string& key);
    // The title of window number in [Window Titles].
    void setFs2kTitle(long number, const std::string& title);
    // Field index (0 = x, 1 = y, ...) of the gauge line `line`.
    void setFs2kGaugeField(std::size_t line, std::size_t index, const std::string& text);
    // Gauge lines (fs2k::Gauge::line), each edit one step of its own, a drag's drop too:
    // "Move gauge", "Resize gauge" (the width, and the height when given), "Move gauges",
    // "Gauge properties" (the whole text after "="), "Remove gauge" (the gauges numbered
    // above it move down one) and "Add gauge" (after the section's last gauge line; returns
    // the new line, or PanelLines::npos when nothing was added). Lines after an added or
    // removed one change their index: read fs2kPanel() again on fs2kChanged(). A number
    // that is not finite makes no edit.
    void moveFs2kGauge(std::size_t line, double x, double y);
    void resizeFs2kGauge(std::size_t line, double width, std::optional<double> height);
    void moveFs2kGauges(std::vector<fs2k::GaugeMove> moves);
    void setFs2kGaugeLine(std::size_t line, const std::string& text);
    void removeFs2kGauge(std::size_t line);
    std::size_t addFs2kGauge(std::size_t section, const std::string& name, double x, double y,
                             std::optional<double> width = std::nullopt,
                             std::optional<double> height = std::nullopt);
    // Several gauge lines at once, each one step: fs2k::placeGauges sets x, y and the width
    // and height given (a field that already says the number keeps its text; text names the
    // step), pasteFs2kGauges adds the lines to the window section `section` under the
    // next free numbers ("Paste 3 gauges"; returns the new lines, empty when nothing was
    // added), cutFs2kGauges removes them ("Cut 3 gauges", or text), the gauges numbered
    // above each moving down so that no gap appears.
    void placeFs2kGauges(std::vector<fs2k::GaugePlacement> placements, const QString& text);
    std::vector<std::size_t> pasteFs2kGauges(std::size_t section,
                                             std::vector<fs2k::PastedGauge> gauges);
    void cutFs2kGauges(std::vector<std::size_t> gaugeLines, const QString& text = {});
    // A new window under the next free number, its title line and its section; the number.
    long addFs2kWindow(const fs2k::NewWindow& window);
    // The [WindowNN] or [VcockpitNN] section `section`, with its title lines.
    void removeFs2kWindow(std::size_t section);
    // Any other change of the lines, named text (a checker's fix): one undo step.
    void editFs2kLines(const QString& text, std::function<void(fs2k::PanelLines&)> edit);

    // A panel window found the module's size of a gauge line without one. Not an edit of
    // the user's and not an undo step: the file it would write stays the same.
    void recordFoundGaugeSize(int w, int g, double size);

    // Open, New: the whole panel is replaced, the palette choices go back to their
    // defaults and the history is cleared. (Open then fills the template, whose boxes may
    // still adjust the panel, and clears the history once more.)
    void replacePanel(const fs98::Panel& panel, const std::string& filePath);
    // Open of a panel of FS2000 and later: its lines become the document, as replacePanel.
    void replaceFs2kPanel(fs2k::PanelLines lines, const std::string& filePath);

signals:
    void windowChanged(int w); // a field of window w, or the window count
    void gaugeChanged(int w, int g);
    void gaugesChanged(int w); // the gauges of window w were added, removed or moved up
    void gaugesPlaced(int w);  // X, Y or size of several gauges of window w (count and order stay)
    void defaultViewChanged();
    void colorLinesChanged();
    void paletteChanged(); // the palette options or the proposal
    void fs2kChanged();    // the lines of a panel of FS2000 and later

private:
    friend class PanelCommand;

    // What the undo steps use to change the panel and tell the views.
    fs98::Panel& editablePanel() { return m_panel; }
    fs2k::PanelLines& editableLines() { return m_lines; }
    void fs2kLinesChanged();
    void pushFs2kEdit(const QString& text, std::function<void(fs2k::PanelLines&)> edit);
    bool isFs2kGauge(std::size_t line) const;
    fs98::PaletteSaveOptions& editablePaletteOptions() { return m_paletteOptions; }
    fs98::PaletteProposal& editableProposal() { return m_proposal; }

    fs98::Panel m_panel;
    PanelFormat m_format = PanelFormat::Fs98;
    fs2k::PanelLines m_lines;
    fs2k::Panel m_fs2kPanel;
    TextEncoding m_fs2kEncoding = TextEncoding::Windows1252;
    fs98::PaletteSaveOptions m_paletteOptions;
    fs98::PaletteProposal m_proposal;
};

} // namespace cockpix
