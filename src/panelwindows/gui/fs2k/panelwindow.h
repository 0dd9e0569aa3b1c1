#pragma once

#include "drawing/gui/fs2k/windowscene.h"
#include "panel/core/fs2k/panel.h"
#include "panelwindows/gui/panelwindowbase.h"
#include "state/core/appmodel.h"

#include <string>
#include <vector>

namespace cockpix::fs2k {

class Document;

struct GaugePlacement;

// One [WindowNN] or [VcockpitNN] section of a panel of FS2000 and later, as FS puts it on
// the screen: a painted frame as large as the screen with the window's background bitmap
// stretched to where the window goes (a virtual cockpit: a frame of its texture's size), or
// its background colour, zoomed and shifted as Picture > Zoom... set it (app.display), and every
// gauge with its picture or, where none was found, its outline. It follows the document: every
// edit, undo or redo draws it again. A gauge is moved by dragging it or with the arrow keys (Shift:
// 10 units), resized by the corner handle (width and height apart, Shift keeps the aspect), removed
// with Delete after a question; Tab walks the gauges. Several gauges selected (Ctrl+click, a
// band, "Select all gauges") move together and are aligned, distributed or sized alike from
// the "Align" submenu or the tool bar; Delete (or Remove) takes them all after one question.
// The Edit menu's Cut, Copy and Paste take the selected lines' own text to and from the
// clipboard; a paste adds the lines under the window's next numbers. Each edit is one undo
// step, and touches only the gauge lines it is about.
class PanelWindowForm : public PanelWindowBase {
    Q_OBJECT
public:
    // window: the index of the section in the document's Panel::windows; app holds
    // its zoom and shift.
    PanelWindowForm(fs2k::Document& document, const AppModel& app, UserDialogs& dialogs,
                    std::size_t window, PictureLookup pictures, std::string panelDir,
                    QWidget* parent = nullptr);
    ~PanelWindowForm() override;

    // The section shown now (its index moves when a section before it goes); npos once
    // the section is gone (the window then closes).
    std::size_t windowIndex() const { return m_window; }
    // What names the section across edits: the key of its zoom and shift.
    fs98::Fs2kViewKey viewKey() const { return {m_kind, m_number}; }
    // Draws the window again from the document.
    void load();

    const WindowScene& scene() const { return m_scene; }
    const fs2k::Document& document() const { return m_document; }
    // Nothing once the section is gone.
    void pasteGauges() override;
    int gaugeCount() const;
    void scrollToPicture();

signals:
    // "&Properties..." or a click on gauge i. ("&Add..." offers a gauge FS would find,
    // chosen from a list, appended to the window.)
    void propertiesRequested(int i);

protected:
    // The preview draws the window's gauges with the pictures this window found.
    void openScreenPreview() override;
    // "&Properties..." as for a click.
    void openGauge(int i) override;
    std::optional<std::string> gaugeName(int i) const override;
    TextEncoding panelEncoding() const override;

    // Each edit touches only the lines it changes; one that changes nothing draws the
    // window again, back where it was.
    void moveGauge(int i, fs98::PointF place) override;
    void resizeGauge(int i, QSize size) override;
    // A width or height is written only where the edit changed it: a gauge whose line leaves
    // its size to the module keeps doing so when it is only moved or aligned.
    void placeGauges(const std::vector<GaugeEdit>& edits, const QString& text) override;
    void removeGauge(int i) override;
    void removeGauges(const std::vector<int>& gauges, const QString& text) override;
    std::string gaugeLines(const std::vector<int>& gauges) const override;
    // The window's own area: FS shows nothing of a gauge outside it.
    std::optional<PasteArea> pasteArea() const override;
    // The lines added under the window's next numbers.
    PastedGauges pasteLines(const std::vector<ClipboardGauge>& gauges,
                            const std::optional<PasteArea>& area) override;

    // The gauge in the units of its line; a size the line leaves to the module is the one it
    // is shown at.
    std::optional<GaugeRect> gaugeRect(int i) const override;
    UnitFrame unitFrame() const override;
    std::optional<GaugeRect> snapBackground(const UnitFrame& frame) const override;
    std::optional<fs98::PointF> movedPlace(int i, double dx, double dy) const override;
    QString placeStatus(int i, fs98::PointF place) const override;
    std::optional<QString> resizeStatus(int i, QSize size) const override;

private:
    void buildMenus();
    void onFs2kChanged();
    const Window* window() const;
    const Gauge* gaugeLine(int i) const;
    void showScene();
    // The lines of the gauges, in their order.
    std::vector<std::size_t> linesOf(const std::vector<int>& gauges) const;

    Document& m_document;
    const AppModel& m_app;
    std::size_t m_window;
    // What names the section across edits that move it: its kind and number.
    WindowKind m_kind = WindowKind::Window;
    long m_number = 0;
    PictureLookup m_pictures;
    std::string m_panelDir;
    WindowScene m_scene;
    BackgroundCache m_backgrounds;
    QImage m_colourPicture; // the background of a window of a colour only

    QAction* m_propertiesAction = nullptr;
    QAction* m_removeAction = nullptr;
};

} // namespace cockpix::fs2k
