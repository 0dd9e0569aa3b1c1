#pragma once

// The document of a panel of FS2000 and later: its lines (PanelLines), the bytes Save
// writes, and what they set (Panel), read again after each edit. Its edits are operations
// here, each one undo step that keeps the lines' state before and after, with the one
// signal linesChanged(). The path it was opened from and the undo stack are its
// BaseDocument's.

#include "panel/core/fs2k/edits.h"
#include "panel/core/fs2k/lines.h"
#include "panel/core/fs2k/panel.h"
#include "panel/core/fs2k/textencoding.h"
#include "panel/gui/basedocument.h"

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace cockpix::fs2k {

class Document : public BaseDocument {
    Q_OBJECT
public:
    explicit Document(QObject* parent = nullptr);
    ~Document() override;

    const PanelLines& lines() const { return m_lines; }
    const Panel& panel() const { return m_panel; }
    // The encoding its texts are shown and typed in, decided once when it was opened.
    TextEncoding encoding() const { return m_encoding; }
    PanelFormat format() const override { return PanelFormat::Fs2k; }
    // A panel opened is saved whatever its lines; an emptied document holds none.
    bool hasContent() const override { return m_open; }
    // Its lines as they are, every byte not edited as it was read.
    std::string bytesToSave(const fs98::SaveRequest& save) const override;

    // --- Operations: each is one undo step (none when nothing would change) ---

    // Key of the section `section` of the lines set to value (the line's value replaced, or
    // a line added after the section's last key line); removed with all its lines.
    void setKey(std::size_t section, const std::string& key, const std::string& value);
    void removeKey(std::size_t section, const std::string& key);
    // The title of window number in [Window Titles].
    void setTitle(long number, const std::string& title);
    // Field index (0 = x, 1 = y, ...) of the gauge line `line`.
    void setGaugeField(std::size_t line, std::size_t index, const std::string& text);
    // Gauge lines (Gauge::line), each edit one step of its own, a drag's drop too:
    // "Move gauge", "Resize gauge" (the width, and the height when given), "Move gauges",
    // "Gauge properties" (the whole text after "="), "Remove gauge" (the gauges numbered
    // above it move down one) and "Add gauge" (an htmlgaugeNN= or paintingNN= line for those
    // kinds; after the section's last gauge line; returns
    // the new line, or PanelLines::npos when nothing was added). Lines after an added or
    // removed one change their index: read panel() again on linesChanged(). A number
    // that is not finite makes no edit.
    void moveGauge(std::size_t line, double x, double y);
    void resizeGauge(std::size_t line, double width, std::optional<double> height);
    void moveGauges(std::vector<GaugeMove> moves);
    void setGaugeLine(std::size_t line, const std::string& text);
    void removeGauge(std::size_t line);
    std::size_t addGauge(std::size_t section, const std::string& name, double x, double y,
                         std::optional<double> width = std::nullopt,
                         std::optional<double> height = std::nullopt,
                         GaugeLineKind kind = GaugeLineKind::Gauge);
    // Several gauge lines at once, each one step: placeGauges sets x, y and the width and
    // height given (a field that already says the number keeps its text; text names the
    // step), pasteGauges adds the lines to the window section `section` under the next free
    // numbers ("Paste 3 gauges"; returns the new lines, empty when nothing was added),
    // cutGauges removes them ("Cut 3 gauges", or text), the gauges numbered above each
    // moving down so that no gap appears.
    void placeGauges(std::vector<GaugePlacement> placements, const QString& text);
    std::vector<std::size_t> pasteGauges(std::size_t section, std::vector<PastedGauge> gauges);
    void cutGauges(std::vector<std::size_t> gaugeLines, const QString& text = {});
    // A new window under the next free number, its title line and its section; the number.
    long addWindow(const NewWindow& window);
    // The [WindowNN] or [VcockpitNN] section `section`, with its title lines.
    void removeWindow(std::size_t section);
    // Any other change of the lines, named text (a checker's fix): one undo step.
    void editLines(const QString& text, std::function<void(PanelLines&)> edit);

    // Open: its lines become the document and the history is cleared.
    void replacePanel(PanelLines lines, const std::string& filePath);
    // Open or New of a panel of the other format: no lines, no history.
    void clear();

signals:
    void linesChanged();

private:
    friend class LinesCommand;

    // What the undo steps use to change the lines and tell the views.
    PanelLines& editableLines() { return m_lines; }
    void linesEdited();
    void pushEdit(const QString& text, std::function<void(PanelLines&)> edit);
    bool isGauge(std::size_t line) const;

    PanelLines m_lines;
    Panel m_panel;
    TextEncoding m_encoding = TextEncoding::Windows1252;
    bool m_open = false;
};

} // namespace cockpix::fs2k
